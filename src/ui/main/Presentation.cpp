// Full screen, the focus guard, help and About.
#include "core/settings/ProgramFolder.h"
#include "ui/common/AboutDialog.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"
#include "ui/main/ControlStrip.h"
#include "ui/main/DisplayWidgets.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QFileInfo>

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

void MainWindow::guardFocus() {
    BannerLabel* banner = m_display->banner();
    if (QApplication::activeWindow() != this) {
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
    } else if (m_focusWarningShown) {
        banner->setVisible(m_savedBannerVisible);
        banner->setText(m_savedBannerText);
        banner->setFontSize(m_savedBannerSize);
        m_focusWarningShown = false;
    }
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
