// Full screen, the audience screen, the focus guard, help and About.
#include "core/draw/DrawSession.h"
#include "core/settings/ProgramFolder.h"
#include "ui/common/AboutDialog.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"
#include "ui/main/AudienceWindow.h"
#include "ui/main/ControlStrip.h"
#include "ui/main/DisplayWidgets.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QVBoxLayout>

QString MainWindow::focusWarningText() {
    return tr("This window is not avtive window now,click this window please, otherwise can not "
              "work!");
}

void MainWindow::applyStripVisible(bool visible) {
    PrizeClassBox* classes = m_strip->prizeClassBox();
    const int classIndex = classes->currentIndex();
    m_strip->setVisible(visible);
    const bool shown = isVisible();
    if (visible) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        if (shown)
            showMaximized();
    } else {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        // Over the whole screen, task bar included, where the desktop allows it.
        if (shown)
            showFullScreen();
    }
    classes->setCurrentIndex(classIndex);
    if (shown) {
        activateWindow();
        m_display->setFocus();
    }
}

void MainWindow::enterFullScreen() {
    // With the show on its own screen, the main window is the operator's console.
    if (m_audience->isPresenting())
        return;
    if (m_strip->isHidden() && windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    applyStripVisible(false);
}

void MainWindow::leaveFullScreen() {
    if (!m_strip->isHidden() && !windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    applyStripVisible(true);
}

void MainWindow::toggleFullScreen() {
    if (m_strip->isHidden())
        leaveFullScreen();
    else
        enterFullScreen();
}

bool MainWindow::isOwnWindow(const QWidget* window) const {
    return window && (window == this || window == m_audience);
}

void MainWindow::guardFocus() {
    const bool ours = isOwnWindow(QApplication::activeWindow());
    if (m_audience->isPresenting()) {
        // The hall sees only the show: the warning is the operator's alone.
        const bool wasWarned = !m_console->warning().isEmpty();
        m_console->setWarning(ours ? QString() : focusWarningText());
        // The window that had the keys may have changed the winners.
        if (ours && wasWarned)
            refreshAudienceStatus();
        return;
    }
    BannerLabel* banner = m_display->banner();
    if (!ours) {
        if (!m_focusWarningShown) {
            m_savedBannerVisible = banner->isVisible();
            m_savedBannerText = banner->text();
            m_savedBannerSize = banner->fontSize();
        }
        banner->show();
        banner->setFontSize(39);
        banner->setText(focusWarningText());
        banner->setFontColor(m_wordFont.colour);
        m_focusWarningShown = true;
    } else {
        dropFocusWarning();
    }
}

void MainWindow::dropFocusWarning() {
    if (!m_focusWarningShown)
        return;
    BannerLabel* banner = m_display->banner();
    banner->setVisible(m_savedBannerVisible);
    banner->setText(m_savedBannerText);
    banner->setFontSize(m_savedBannerSize);
    m_focusWarningShown = false;
}

void MainWindow::connectAudience() {
    connect(qApp, &QGuiApplication::screenAdded, this, &MainWindow::audienceScreenAdded);
    connect(qApp, &QGuiApplication::screenRemoved, this, &MainWindow::audienceScreenRemoved);
    // The console's counts follow whatever changes them.
    auto refresh = [this] { refreshAudienceStatus(); };
    connect(m_session, &DrawSession::winnersRecorded, this, refresh);
    connect(m_session, &DrawSession::winnersReset, this, refresh);
    connect(m_session, &DrawSession::armed, this, refresh);
    connect(m_strip->prizeClassBox(), &QComboBox::currentTextChanged, this, refresh);
}

QScreen* MainWindow::chosenAudienceScreen() const {
    if (m_audienceScreenName.isEmpty())
        return nullptr;
    const QList<QScreen*> screens = QGuiApplication::screens();
    // A single screen is the operator's own.
    if (screens.size() < 2)
        return nullptr;
    for (QScreen* screen : screens)
        if (screen->name() == m_audienceScreenName)
            return screen;
    return nullptr;
}

void MainWindow::placeShow() {
    // Until the window is up, the show stays where it was built.
    QScreen* screen = isVisible() ? chosenAudienceScreen() : nullptr;
    if (screen)
        showOnAudienceScreen(screen);
    else
        showInMainWindow();
}

void MainWindow::showOnAudienceScreen(QScreen* screen) {
    if (m_audience->screenName() == screen->name())
        return;
    dropFocusWarning();
    // The console needs its strip, and must not sit under the show.
    if (m_strip->isHidden())
        applyStripVisible(true);
    if (this->screen() == screen) {
        QScreen* other = QGuiApplication::primaryScreen();
        if (other == screen)
            for (QScreen* s : QGuiApplication::screens())
                if (s != screen) {
                    other = s;
                    break;
                }
        const bool maximized = isMaximized();
        if (maximized)
            showNormal();
        QRect moved = geometry();
        moved.moveCenter(other->availableGeometry().center());
        setScreen(other);
        setGeometry(moved);
        if (maximized)
            showMaximized();
    }
    layout()->removeWidget(m_display);
    m_audience->present(m_display, screen);
    m_console->show();
    m_console->follow(m_display);
    refreshAudienceStatus();
    // The operator keeps the keys where they were.
    activateWindow();
}

void MainWindow::showInMainWindow() {
    QWidget* display = m_audience->release();
    if (!display)
        return;
    m_console->follow(nullptr);
    m_console->setWarning(QString());
    m_console->hide();
    display->setParent(this);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, display, 1);
    display->show();
    display->setFocus();
}

void MainWindow::audienceScreenAdded(QScreen* screen) {
    if (screen && screen->name() == m_audienceScreenName)
        placeShow();
}

void MainWindow::audienceScreenRemoved(QScreen* screen) {
    // Called before Qt moves the screen's windows elsewhere: the show comes home first.
    if (screen && m_audience->screenName() == screen->name())
        showInMainWindow();
}

void MainWindow::refreshAudienceStatus() {
    if (!m_audience->isPresenting())
        return;
    const QString prizeClass = m_strip->prizeClassBox()->currentText();
    const qlonglong drawn = m_session->drawnCount(prizeClass);
    const qlonglong free = m_session->freeCandidateCount();
    QStringList parts;
    if (!prizeClass.isEmpty())
        parts << prizeClass;
    if (drawn >= 0)
        parts << tr("%1 drawn").arg(drawn);
    if (free >= 0)
        parts << tr("%1 still free").arg(free);
    m_console->setStatus(parts.join(QStringLiteral(" \u00b7 ")));
}

void MainWindow::showHelp() {
    const QString help = ProgramFolder::path() + QStringLiteral("help.html");
    if (QFileInfo(help).isFile())
        UserPrompts::instance().shellOpen(help);
    else
        UserPrompts::instance().message(this, tr("not found help.html!"));
}

void MainWindow::showAbout() {
    guarded(this, [this] {
        AboutDialog box(this);
        box.exec();
    });
}
