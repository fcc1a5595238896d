// Full screen, the focus guard and help.
#include "ui/main/MainWindow.h"

#include "core/settings/ProgramFolder.h"
#include "ui/common/AboutDialog.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"

#include <QApplication>
#include <QFileInfo>

void MainWindow::applyStripVisible(bool visible) {
    const int classIndex = bsSkinComboBox1->currentIndex();
    bsSkinPanel2->setVisible(visible);
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
    bsSkinComboBox1->setCurrentIndex(classIndex);
    if (shown) {
        activateWindow();
        bsSkinPanel1->setFocus();
    }
}

void MainWindow::ActionFullScreenExecute() {
    if (bsSkinPanel2->isHidden() && windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    applyStripVisible(false);
}

void MainWindow::ActionShowToolbarExecute() {
    if (!bsSkinPanel2->isHidden() && !windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    applyStripVisible(true);
}

void MainWindow::Timer3Timer() {
    const bool foreground = QApplication::activeWindow() == this;
    if (!foreground) {
        if (LabelWZ->text() != FocusWarningText) {
            SavedLabelVisible = LabelWZ->isVisible();
            SavedLabelText = LabelWZ->text();
            SavedLabelSize = LabelWZ->fontSize();
        }
        if (LabelWZ->isHidden())
            LabelWZ->show();
        LabelWZ->setFontSize(39);
        LabelWZ->setText(FocusWarningText);
        LabelWZ->setFontColor(WordFontColor);
        FocusWarningShown = true;
    } else if (FocusWarningShown) {
        LabelWZ->setVisible(SavedLabelVisible);
        LabelWZ->setText(SavedLabelText);
        LabelWZ->setFontSize(SavedLabelSize);
        FocusWarningShown = false;
    }
}

void MainWindow::ActionHelpExecute() {
    AppDir = ProgramDir();
    const QString help = AppDir + QStringLiteral("help.html");
    if (QFileInfo(help).isFile())
        UserPrompts::instance().shellOpen(help);
    else
        UserPrompts::instance().message(this, QStringLiteral("not found help.html!"));
}

void MainWindow::ActionAboutExecute() {
    guarded(this, [this] {
        AboutDialog box(this);
        box.exec();
    });
}
