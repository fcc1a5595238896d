#include "ui/main/DisplayWidgets.h"

#include "core/settings/ProgramSettings.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
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

BannerLabel::BannerLabel(QWidget* parent) : QWidget(parent) {}

void BannerLabel::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void BannerLabel::setFontColor(int colour) {
    m_colour = colour;
    update();
}

void BannerLabel::setFontSize(int points) {
    m_pointSize = points;
    update();
}

void BannerLabel::setFontName(const QString& family) {
    m_family = family;
    update();
}

void BannerLabel::setLayoutBottom(bool bottom) {
    m_bottom = bottom;
    update();
}

QFont BannerLabel::displayFont() const {
    QFont f(m_family);
    // Size 0 means the font system's default height.
    if (m_pointSize > 0)
        f.setPointSize(m_pointSize);
    f.setBold(true);
    return f;
}

void BannerLabel::paintEvent(QPaintEvent*) {
    if (m_text.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(displayFont());
    p.setPen(ColorFromSetting(m_colour));
    QString shown = m_text;
    shown.replace(QChar(13), QChar(10));
    const int flags =
        Qt::AlignHCenter | (m_bottom ? Qt::AlignBottom : Qt::AlignVCenter) | Qt::TextWordWrap;
    p.drawText(rect(), flags, shown);
}

void BannerLabel::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

DisplayPanel::DisplayPanel(QWidget* parent) : QWidget(parent) {
    m_background = new PictureView(this);
    m_background->setObjectName(QStringLiteral("backgroundView"));
    m_background->proportional = false;
    m_background->cacheScaled = true;
    m_photo = new PictureView(this);
    m_photo->setObjectName(QStringLiteral("photoView"));
    m_banner = new BannerLabel(this);
    m_banner->setObjectName(QStringLiteral("bannerLabel"));
    setAutoFillBackground(false);
}

void DisplayPanel::layoutChildren() {
    const QRect r = rect();
    m_background->setGeometry(r);
    if (m_photo->alignClient)
        m_photo->setGeometry(r);
    else
        m_photo->setGeometry(m_photo->x(), r.top(), m_photo->width(), r.height());
    m_banner->setGeometry(r);
}

void DisplayPanel::resizeEvent(QResizeEvent*) {
    layoutChildren();
}

void DisplayPanel::paintEvent(QPaintEvent*) {
    // Under the background picture: a dark stage rather than a grey form.
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
}

namespace {
bool IsDrawKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
           event->key() == Qt::Key_Enter;
}
} // namespace

PrizeClassBox::PrizeClassBox(QWidget* parent) : QComboBox(parent) {}

void PrizeClassBox::enterEvent(QEnterEvent* event) {
    QComboBox::enterEvent(event);
    emit mouseEntered();
}

void PrizeClassBox::leaveEvent(QEvent* event) {
    QComboBox::leaveEvent(event);
    emit mouseLeft();
}

void PrizeClassBox::keyPressEvent(QKeyEvent* event) {
    if (IsDrawKey(event)) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void WordCountBox::keyPressEvent(QKeyEvent* event) {
    if (IsDrawKey(event)) {
        event->ignore();
        return;
    }
    QSpinBox::keyPressEvent(event);
}
