#include "ui/main/DisplayWidgets.h"

#include "core/settings/ProgramSettings.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>

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
