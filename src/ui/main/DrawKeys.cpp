// Turns Enter and Space into the steps of a draw, and hands timer ticks to the roll.
#include "ui/main/MainWindow.h"

#include "core/media/SoundPlayer.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"

#include <QLabel>

namespace {
constexpr int clRed = 255;
constexpr int clYellow = 65535;
constexpr int clBlue = 16711680;
} // namespace

void MainWindow::FormKeyPress(QChar Key) {
    if (Key == QLatin1Char(' ') && DrawArmed) {
        if (!Timer1->isActive())
            guarded(this, [this] { startRoll(); });
        else
            guarded(this, [this] { stopRoll(); });
    }
    if (Key == QChar(13))
        ActionCJExecute();
}

void MainWindow::applyModeToCount() {
    if (LotteryMode == 0) {
        RxSpinEdit1->setValue(1);
        RxSpinEdit1->setEnabled(false);
    } else {
        RxSpinEdit1->setEnabled(true);
    }
}

void MainWindow::ActionCJExecute() {
    guarded(this, [this] {
        SavedLabelText.clear();
        if (DrawArmed)
            return;
        DrawArmed = true;
        setPrompt(Prompt::Armed);
        if (LotteryMode == 0) {
            ShuffleRollOrder();
            Image2->clearPicture();
            // A stop before the first photo must not record the last draw's winner again.
            CurrentPhoto.clear();
            LabelWZ->setLayoutBottom(false);
            LabelWZ->setText(QString());
            Image2->AlignClient = true;
            bsSkinPanel1->layoutChildren();
        } else {
            LabelWZ->setText(QString());
            m_wordDisplayIsError = false;
        }
        setWindowTitle(LotteryTitle);
        Timer2->start();
        StopSound();
        applyModeToCount();
    });
}

void MainWindow::startRoll() {
    RollCursor = 0;
    Timer1->setInterval(bsSkinTrackBar1->value());
    Timer1->start();
    setPrompt(Prompt::Rolling);
    StopSound();
    PlaySound(RollSoundFile, true);
}

void MainWindow::stopRoll() {
    DrawArmed = false;
    if (LotteryMode == 0)
        repaint();
    StopSound();
    if (LotteryMode == 0) {
        ApplyPhotoPreset();
        // The roll showed a quick decode; the winner deserves the sharp one.
        if (!CurrentPhoto.isEmpty()) {
            try {
                showPhoto(CurrentPhoto, true);
            } catch (...) {
            }
        }
    } else {
        ApplyWordPreset();
    }
    // A winner music file that cannot be played must not cost the winner its record.
    QString soundError;
    try {
        PlaySound(WinSoundFile, false);
    } catch (const KalvoroError& e) {
        soundError = e.message();
    }
    setPrompt(Prompt::Stopped);
    Label1->repaint();
    bool recorded = false;
    if (LotteryMode == 0)
        recorded = SavePhotoWinner();
    else
        recorded = SaveWordWinners();
    // Only a recorded winner is announced.
    if (recorded && ShowWinnerFlag && LotteryMode == 0) {
        AnnounceWinner();
        Image2->AlignClient = true;
        bsSkinPanel1->layoutChildren();
        repaint();
    }
    if (!soundError.isEmpty())
        ShowDefaultErrorReport(this, soundError);
}

void MainWindow::Timer1Timer() {
    const auto N = static_cast<unsigned>(RxSpinEdit1->value());
    if (LotteryMode == 1)
        RollWordsTick(N);
    else
        RollPhotoTick();
}

void MainWindow::Timer2Timer() {
    switch (m_promptColor) {
    case clRed:
        setPromptColor(clYellow);
        break;
    case clYellow:
        setPromptColor(clBlue);
        break;
    case clBlue:
        setPromptColor(clRed);
        break;
    default:
        break;
    }
}

void MainWindow::PlaySound(const QString& SoundFile, bool Looping) {
    m_player->PlaySound(SoundFile, Looping);
}

void MainWindow::StopSound() {
    m_player->StopSound();
}

void MainWindow::DXAudioOut1Done() {
    m_player->DXAudioOut1Done();
}
