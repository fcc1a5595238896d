// Full screen, the focus guard and help.
#include "app/Unit1.h"

#include "common/ErrorGuard.h"
#include "common/Uglobal.h"
#include "common/UserPrompts.h"
#include "media/UAbout.h"

#include <QApplication>
#include <QFileInfo>

void TForm1::applyStripVisible(bool visible) {
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

void TForm1::ActionFullScreenExecute() {
    if (bsSkinPanel2->isHidden() && windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    applyStripVisible(false);
}

void TForm1::ActionShowToolbarExecute() {
    if (!bsSkinPanel2->isHidden() && !windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    applyStripVisible(true);
}

void TForm1::Timer3Timer() {
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

void TForm1::ActionHelpExecute() {
    AppDir = ProgramDir();
    const QString help = AppDir + QStringLiteral("help.html");
    if (QFileInfo(help).isFile())
        UserPrompts::instance().shellOpen(help);
    else
        UserPrompts::instance().message(this, QStringLiteral("not found help.html!"));
}

void TForm1::ActionAboutExecute() {
    guarded(this, [this] {
        TAboutBox box(this);
        box.exec();
    });
}
