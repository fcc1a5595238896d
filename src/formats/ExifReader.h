#pragma once
// The little of EXIF the photo loader needs, read from the APP1 segment at the
// head of a JPEG file: how the camera was held, and the camera's thumbnail.
#include <QByteArray>

struct JpegExif {
    // 1 to 8 as EXIF numbers them; 1 (upright) when absent or not valid.
    int orientation = 1;
    // The embedded JPEG thumbnail, empty when there is none.
    QByteArray thumbnail;
};

// Reads the EXIF block from the first bytes of a JPEG file. Never reads outside
// `head`; anything malformed gives the defaults.
JpegExif ReadJpegExif(const QByteArray& head);
