#include "PhotoView.h"

#include "common/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {
// Camera photos are far larger than any screen; reading them at this size at
// most keeps moving through the list quick.
constexpr int kMaxSide = 2400;
} // namespace

PhotoView::PhotoView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setMinimumSize(40, 40);
}

void PhotoView::LoadFromFile(const QString& path) {
    const QFileInfo info(path);
    const qint64 stamp = info.lastModified().toMSecsSinceEpoch() ^ info.size();
    // Key down and key up both ask for a row's photo: read it once.
    if (path == m_file && stamp == m_fileStamp && !m_image.isNull())
        return;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > kMaxSide || full.height() > kMaxSide))
        reader.setScaledSize(full.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        throw KalvoroError(QStringLiteral("The photo %1 cannot be shown: %2")
                               .arg(QDir::toNativeSeparators(path), reader.errorString()));
    m_fileStamp = stamp;
    setPicture(image, path);
}

void PhotoView::setPicture(const QImage& image, const QString& fromFile) {
    m_image = image;
    m_file = fromFile;
    if (fromFile.isEmpty())
        m_fileStamp = 0;
    update();
}

void PhotoView::paintEvent(QPaintEvent*) {
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize fitted = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2),
                       fitted);
    p.drawImage(target, m_image);
}
