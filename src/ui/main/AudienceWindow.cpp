#include "ui/main/AudienceWindow.h"

#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

AudienceWindow::AudienceWindow(QWidget* mainWindow) : QWidget(mainWindow) {
    setObjectName(QStringLiteral("audienceWindow"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // The operator works on the main window; the show only appears.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    addActions(mainWindow->actions());
}

void AudienceWindow::present(QWidget* display, QScreen* screen) {
    if (m_display != display) {
        release();
        m_display = display;
        display->setParent(this);
        layout()->addWidget(display);
        display->show();
    }
    m_screenName = screen->name();
    // A window that is up moves only through hiding: the screen is picked when it is created.
    if (this->screen() != screen)
        hide();
    setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
    display->setFocus();
}

QWidget* AudienceWindow::release() {
    QWidget* display = m_display;
    m_display = nullptr;
    hide();
    if (display) {
        layout()->removeWidget(display);
        display->hide();
        display->setParent(nullptr);
    }
    return display;
}

void AudienceWindow::paintEvent(QPaintEvent*) {
    // Around a display that does not fill the screen, the hall sees black.
    QPainter(this).fillRect(rect(), Qt::black);
}

AudienceConsole::AudienceConsole(QWidget* parent)
    : QWidget(parent), m_warning(new QLabel(this)), m_status(new QLabel(this)),
      m_copySpace(new QWidget(this)), m_copyTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("audienceConsole"));
    m_warning->setObjectName(QStringLiteral("consoleWarningLabel"));
    m_status->setObjectName(QStringLiteral("audienceStatusLabel"));
    m_copySpace->setObjectName(QStringLiteral("displayCopyArea"));
    m_copyTimer->setObjectName(QStringLiteral("displayCopyTimer"));
    // Often enough to follow a roll by eye, seldom enough to cost little.
    m_copyTimer->setInterval(200);
    connect(m_copyTimer, &QTimer::timeout, this, &AudienceConsole::copyDisplay);

    // Read from the operator's seat at a glance, whatever the skin says of labels.
    const QString look = QStringLiteral("font-size: 16pt; font-weight: bold; padding: 6px;");
    m_warning->setStyleSheet(look + QStringLiteral("color: #ffe040; background: #6b0000;"));
    m_status->setStyleSheet(look + QStringLiteral("color: white; background: #202020;"));
    for (QLabel* label : {m_warning, m_status}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }
    m_warning->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_warning);
    layout->addWidget(m_copySpace, 1);
    layout->addWidget(m_status);
    m_copySpace->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void AudienceConsole::follow(QWidget* display) {
    m_display = display;
    m_copy = QPixmap();
    if (display) {
        copyDisplay();
        m_copyTimer->start();
    } else {
        m_copyTimer->stop();
        update();
    }
}

void AudienceConsole::copyDisplay() {
    if (!m_display || !isVisible())
        return;
    m_copy = m_display->grab();
    update(copyArea());
}

void AudienceConsole::setStatus(const QString& text) {
    m_status->setText(text);
}

QString AudienceConsole::status() const {
    return m_status->text();
}

void AudienceConsole::setWarning(const QString& text) {
    m_warning->setText(text);
    m_warning->setVisible(!text.isEmpty());
}

QString AudienceConsole::warning() const {
    return m_warning->isVisible() ? m_warning->text() : QString();
}

QRect AudienceConsole::copyArea() const {
    return m_copySpace->geometry();
}

void AudienceConsole::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = copyArea();
    p.fillRect(area, Qt::black);
    if (m_copy.isNull())
        return;
    // The hall's picture whole, in its own proportions.
    const QSize logical = m_copy.deviceIndependentSize().toSize();
    QRect target(QPoint(), logical.scaled(area.size(), Qt::KeepAspectRatio));
    target.moveCenter(area.center());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(target, m_copy);
}
