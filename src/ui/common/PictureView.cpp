#include "ui/common/PictureView.h"

#include <QPainter>

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureView::setPicture(const QImage& image) {
    m_image = image;
    m_scaled = QPixmap();
    update();
}

void PictureView::clearPicture() {
    m_image = QImage();
    m_scaled = QPixmap();
    update();
}

QRect PictureView::targetRect() const {
    const QRect area = rect();
    QSize size = m_image.size();
    if (stretch) {
        size = proportional ? m_image.size().scaled(area.size(), Qt::KeepAspectRatio) : area.size();
    } else if (proportional && (size.width() > area.width() || size.height() > area.height())) {
        size = size.scaled(area.size(), Qt::KeepAspectRatio);
    }
    QRect target(QPoint(0, 0), size);
    if (center)
        target.moveCenter(area.center());
    return target;
}

void PictureView::paintEvent(QPaintEvent*) {
    if (m_image.isNull())
        return;
    const QRect target = targetRect();
    if (target.isEmpty())
        return;
    QPainter p(this);
    if (target.size() == m_image.size()) {
        p.drawImage(target.topLeft(), m_image);
        return;
    }
    if (!cacheScaled) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, m_image);
        return;
    }
    if (m_scaled.isNull() || m_scaledSize != target.size()) {
        m_scaledSize = target.size();
        m_scaled = QPixmap::fromImage(
            m_image.size() == target.size()
                ? m_image
                : m_image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    p.drawPixmap(target.topLeft(), m_scaled);
}
