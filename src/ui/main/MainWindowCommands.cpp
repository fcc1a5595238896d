// The commands that open the program's other windows.
#include "ui/main/MainWindow.h"

#include "core/settings/ProgramFolder.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/options/OptionsDialog.h"
#include "ui/presets/PhotoPresetDialog.h"
#include "ui/presets/WordPresetDialog.h"
#include "ui/winners/PhotoWinnersDialog.h"
#include "ui/winners/WordWinnersDialog.h"

#include <QPointer>

void MainWindow::ActionMDExecute() {
    guarded(this, [this] {
        if (LotteryMode == 0)
            PhotoWinnersDialog::showModal(this);
        else
            WordWinnersDialog::showModal(this);
    });
}

void MainWindow::ActionOptionExecute() {
    guarded(this, [this] {
        StopSound();
        // The dialog frees itself when it closes; the roll goes on under it.
        QPointer<OptionsDialog> dialog = new OptionsDialog(this);
        dialog->exec();
        LoadSettings(QStringLiteral("prize.ini"));
        LoadPrizeClasses();
        RescanPhotos();
        setWindowTitle(LotteryTitle);
        bsSkinData1->LoadFromFile(SkinFile);
        applyModeToCount();
    });
}

void MainWindow::ActionPhotoPresetsExecute() {
    guarded(this, [this] {
        PhotoPresetDialog w(this);
        w.exec();
    });
}

void MainWindow::ActionWordPresetsExecute() {
    guarded(this, [this] {
        WordPresetDialog w(this);
        w.exec();
    });
}
