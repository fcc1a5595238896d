// The commands that open the program's other windows, and the reset.
#include "core/draw/DrawSession.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"
#include "ui/main/MainWindow.h"
#include "ui/options/OptionsDialog.h"
#include "ui/presets/PhotoPresetDialog.h"
#include "ui/presets/WordPresetDialog.h"
#include "ui/winners/PhotoWinnersDialog.h"
#include "ui/winners/WordWinnersDialog.h"

#include <QPointer>

void MainWindow::showWinners() {
    guarded(this, [this] {
        if (m_session->mode() == DrawMode::Photo)
            PhotoWinnersDialog::showModal(this);
        else
            WordWinnersDialog::showModal(this);
    });
}

void MainWindow::showOptions() {
    guarded(this, [this] {
        m_session->stopSound();
        // The dialog frees itself when it closes; the roll goes on under it.
        QPointer<OptionsDialog> dialog = new OptionsDialog(this);
        dialog->exec();
        reloadSettings();
        loadPrizeClasses();
        applyModeToCount();
    });
}

void MainWindow::showPhotoPresets() {
    guarded(this, [this] {
        PhotoPresetDialog dialog(this);
        dialog.exec();
    });
}

void MainWindow::showWordPresets() {
    guarded(this, [this] {
        WordPresetDialog dialog(this);
        dialog.exec();
    });
}

void MainWindow::resetWinners() {
    guarded(this, [this] {
        UserPrompts& prompts = UserPrompts::instance();
        if (!prompts.askYesNo(this, tr("Are You Sure?"), tr("CAUTION")))
            return;
        const QString answer = prompts.inputBox(this, tr("Please input OK"), QString(), QString());
        if (answer != QStringLiteral("OK") && answer != QStringLiteral("ok")) {
            prompts.message(this, tr("Can not Initialize, input OK please!"));
            return;
        }
        m_session->resetWinners();
        prompts.message(this, tr("Initialize Success!"));
    });
}
