#include "ui/main/DisplayWidgets.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>

QColor ColorFromTColor(int colour) {
    // A top byte of 0xFF names a system colour; the text colour stands in for them.
    if ((static_cast<unsigned>(colour) >> 24) == 0xFF)
        return QColor(Qt::black);
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int TColorFromColor(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

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
    if (Stretch) {
        size = Proportional ? m_image.size().scaled(area.size(), Qt::KeepAspectRatio) : area.size();
    } else if (Proportional && (size.width() > area.width() || size.height() > area.height())) {
        size = size.scaled(area.size(), Qt::KeepAspectRatio);
    }
    QRect target(QPoint(0, 0), size);
    if (Center)
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
    if (!CacheScaled) {
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
    p.setPen(ColorFromTColor(m_colour));
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
    Image1 = new PictureView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->Proportional = false;
    Image1->CacheScaled = true;
    Image2 = new PictureView(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    LabelWZ = new BannerLabel(this);
    LabelWZ->setObjectName(QStringLiteral("LabelWZ"));
    setAutoFillBackground(false);
}

void DisplayPanel::layoutChildren() {
    const QRect r = rect();
    Image1->setGeometry(r);
    if (Image2->AlignClient)
        Image2->setGeometry(r);
    else
        Image2->setGeometry(Image2->x(), r.top(), Image2->width(), r.height());
    LabelWZ->setGeometry(r);
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
