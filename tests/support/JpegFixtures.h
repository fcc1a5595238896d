#pragma once
// Photo fixtures the tests and benchmarks make themselves: photo-like pictures,
// JPEG bytes, and an EXIF segment (orientation and thumbnail) written by hand.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>

namespace Fixtures {

// Smooth colour gradients with grain: compresses like a camera photo (a 12
// megapixel one at quality 90 comes to some megabytes), unlike a flat fill.
inline QImage PhotoLike(QSize size, quint32 seed, int grain = 16) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    const int w = std::max(size.width(), 1);
    const int h = std::max(size.height(), 1);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int n = grain > 0 ? int(random.bounded(grain)) : 0;
            line[x] = qRgb(std::min(255, x * 200 / w + n), std::min(255, y * 200 / h + n),
                           std::min(255, (x + y) * 100 / (w + h) + 60 + n));
        }
    }
    return image;
}

// Four flat quarters: red top left, green top right, blue bottom left, yellow
// bottom right; shows which way a picture was turned or mirrored.
inline QImage Quadrants(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    QPainter painter(&image);
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::green);
    painter.fillRect(0, h, w, size.height() - h, Qt::blue);
    painter.fillRect(w, h, size.width() - w, size.height() - h, Qt::yellow);
    return image;
}

inline QByteArray EncodeJpeg(const QImage& image, int quality = 90) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

// An APP1 segment holding a little-endian TIFF block: IFD0 with the
// orientation, and, given a thumbnail, IFD1 pointing at it.
inline QByteArray ExifSegment(int orientation, const QByteArray& thumbnail = {}) {
    QByteArray tiff;
    auto u16 = [&](quint32 v) {
        tiff.append(char(v & 0xFF));
        tiff.append(char((v >> 8) & 0xFF));
    };
    auto u32 = [&](quint32 v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    tiff.append("II", 2);
    u16(42);
    u32(8); // IFD0
    u16(1);
    u16(0x0112); // orientation: SHORT, one value
    u16(3);
    u32(1);
    u16(quint32(orientation));
    u16(0);
    const quint32 ifd1 = 8 + 2 + 12 + 4;
    u32(thumbnail.isEmpty() ? 0 : ifd1);
    if (!thumbnail.isEmpty()) {
        const quint32 thumbAt = ifd1 + 2 + 2 * 12 + 4;
        u16(2);
        u16(0x0201); // JPEGInterchangeFormat
        u16(4);
        u32(1);
        u32(thumbAt);
        u16(0x0202); // JPEGInterchangeFormatLength
        u16(4);
        u32(1);
        u32(quint32(thumbnail.size()));
        u32(0);
        tiff.append(thumbnail);
    }
    QByteArray segment("\xFF\xE1", 2);
    const int length = 2 + 6 + int(tiff.size());
    segment.append(char((length >> 8) & 0xFF));
    segment.append(char(length & 0xFF));
    segment.append("Exif\0\0", 6);
    segment.append(tiff);
    return segment;
}

// The JPEG with the EXIF segment put in after SOI and the JFIF segment.
inline QByteArray WithExif(const QByteArray& jpeg, int orientation,
                           const QByteArray& thumbnail = {}) {
    int at = 2;
    if (jpeg.size() > 6 && uchar(jpeg[2]) == 0xFF && uchar(jpeg[3]) == 0xE0)
        at = 4 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    return jpeg.left(at) + ExifSegment(orientation, thumbnail) + jpeg.mid(at);
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace Fixtures
