#include "ui/winners/PhotoView.h"

#include "formats/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {
// Camera photos are far larger than any screen; reading them at this size at
// most keeps moving through the list quick.
constexpr int kMaxSide = 2400;
} // namespace

PhotoView::PhotoView(QWidget* parent) : PictureView(parent) {
    setObjectName(QStringLiteral("photoPreview"));
    setMinimumSize(40, 40);
}

void PhotoView::loadFromFile(const QString& path) {
    const QFileInfo info(path);
    const qint64 stamp = info.lastModified().toMSecsSinceEpoch() ^ info.size();
    // Key down and key up both ask for a row's photo: read it once.
    if (path == m_file && stamp == m_fileStamp && hasPicture())
        return;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > kMaxSide || full.height() > kMaxSide))
        reader.setScaledSize(full.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        throw KalvoroError(tr("The photo %1 cannot be shown: %2")
                               .arg(QDir::toNativeSeparators(path), reader.errorString()));
    m_fileStamp = stamp;
    setPicture(image, path);
}

void PhotoView::setPicture(const QImage& image, const QString& fromFile) {
    m_file = fromFile;
    if (fromFile.isEmpty())
        m_fileStamp = 0;
    PictureView::setPicture(image);
}
