#include "core/media/PhotoLoader.h"

#include "formats/ExifReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTransform>

namespace {
// The APP1 segment with the EXIF block sits near the start and is at most 64 KB.
constexpr qint64 HeadBytes = 96 * 1024;
// Far above any camera's photo, yet a header cannot make the decoder allocate
// gigabytes: a 30000x30000 header is turned away before a single pixel is read.
constexpr qint64 MaxPixels = 100'000'000;

void setError(QString* error, const QString& path, const QString& reason) {
    if (error)
        *error = QCoreApplication::translate("PhotoLoader", "Cannot show %1: %2")
                     .arg(QDir::toNativeSeparators(path), reason);
}

QImage forDisplay(QImage image) {
    // Formats the screen draws without converting, so a paint is a plain copy.
    if (image.format() == QImage::Format_RGB32 ||
        image.format() == QImage::Format_ARGB32_Premultiplied)
        return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

QSize fitInto(QSize size, int side) {
    if (size.width() <= side && size.height() <= side)
        return size;
    return DisplaySizeFor(size, QSize(side, side), false);
}

bool quarterTurned(const QImageReader& reader) {
    return reader.transformation() & QImageIOHandler::TransformationRotate90;
}

// Sets the reader to tell the format by content and to turn the picture
// upright, and reads the stored size; an invalid size, with the error set,
// when the file is not a picture it can read or claims too many pixels.
QSize storedSize(QImageReader& reader, const QString& path, QString* error) {
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid()) {
        setError(error, path, reader.errorString());
        return {};
    }
    if (qint64(stored.width()) * stored.height() > MaxPixels) {
        setError(error, path,
                 QCoreApplication::translate("PhotoLoader",
                                             "it claims %1 x %2 pixels, more than %3 megapixels")
                     .arg(stored.width())
                     .arg(stored.height())
                     .arg(MaxPixels / 1'000'000));
        return {};
    }
    return stored;
}

// Decodes the picture upright at the size `fit` gives for its upright size; a
// null image, with the error set, when it cannot.
template <class Fit>
QImage decodeUpright(QImageReader& reader, QSize stored, const QString& path, QString* error,
                     Fit fit) {
    const bool turned = quarterTurned(reader);
    const QSize upright = turned ? stored.transposed() : stored;
    const QSize shown = fit(upright);
    // The decoder applies the size before it turns the picture upright.
    if (shown != upright)
        reader.setScaledSize(turned ? shown.transposed() : shown);
    QImage image = reader.read();
    if (image.isNull()) {
        setError(error, path, reader.errorString());
        return {};
    }
    return forDisplay(std::move(image));
}

// The camera's thumbnail is worth showing only when it pictures the same frame:
// some cameras pad a wide photo's thumbnail to 4:3 with black bars.
bool thumbnailFits(const QImage& thumb, QSize stored) {
    if (thumb.isNull() || std::max(thumb.width(), thumb.height()) < 64)
        return false;
    const double photo = double(stored.width()) / stored.height();
    const double small = double(thumb.width()) / thumb.height();
    return std::abs(small - photo) <= 0.03 * photo;
}

// A preview is kept JPEG-compressed: a few kilobytes each, so thousands fit.
} // namespace

QSize DisplaySizeFor(QSize photo, QSize target, bool stretch) {
    if (target.isEmpty() || photo.isEmpty())
        return photo;
    if (stretch)
        return target;
    const QSize shown = photo.scaled(target, Qt::KeepAspectRatio);
    return {std::max(shown.width(), 1), std::max(shown.height(), 1)};
}

QImage LoadPhotoForDisplay(const QString& path, QSize target, bool stretch, QString* error) {
    QImageReader reader(path);
    const QSize stored = storedSize(reader, path, error);
    if (!stored.isValid())
        return {};
    return decodeUpright(reader, stored, path, error,
                         [&](QSize upright) { return DisplaySizeFor(upright, target, stretch); });
}

QImage LoadPhotoPreview(const QString& path, int side, QString* error) {
    side = std::max(side, 1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, path, file.errorString());
        return {};
    }
    const QByteArray head = file.read(HeadBytes);
    file.seek(0);
    QImageReader reader(&file);
    const QSize stored = storedSize(reader, path, error);
    if (!stored.isValid())
        return {};

    const JpegExif exif = ReadJpegExif(head);
    if (!exif.thumbnail.isEmpty()) {
        QImage thumb = QImage::fromData(exif.thumbnail, "JPG");
        if (thumbnailFits(thumb, stored)) {
            thumb = ApplyExifOrientation(thumb, exif.orientation);
            const QSize shown = fitInto(thumb.size(), side);
            if (shown != thumb.size())
                thumb = thumb.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            return forDisplay(std::move(thumb));
        }
    }

    return decodeUpright(reader, stored, path, error,
                         [side](QSize upright) { return fitInto(upright, side); });
}

QImage ApplyExifOrientation(const QImage& image, int orientation) {
    // As the camera stored it: mirror and/or flip first, then a quarter turn clockwise.
    bool mirror = false;
    bool flip = false;
    bool quarter = false;
    switch (orientation) {
    case 2:
        mirror = true;
        break;
    case 3:
        mirror = flip = true;
        break;
    case 4:
        flip = true;
        break;
    case 5:
        flip = quarter = true;
        break;
    case 6:
        quarter = true;
        break;
    case 7:
        mirror = quarter = true;
        break;
    case 8:
        mirror = flip = quarter = true;
        break;
    default:
        return image;
    }
    QImage result = (mirror || flip) ? image.mirrored(mirror, flip) : image;
    if (quarter)
        result = result.transformed(QTransform().rotate(90));
    return result;
}
