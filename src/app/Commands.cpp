// The commands that open the program's other windows.
#include "app/Unit1.h"

#include "common/ErrorGuard.h"
#include "common/Uglobal.h"
#include "draw/UfrmZB.h"
#include "media/SkinData.h"
#include "settings/Unit3.h"
#include "winners/UfrmMDMZ.h"
#include "winners/Unit2.h"

#include <QPointer>

void TForm1::ActionMDExecute() {
    guarded(this, [this] {
        if (LotteryMode == 0)
            TForm2::ShowModal(this);
        else
            TFormMDWZ::ShowModal(this);
    });
}

void TForm1::ActionOptionExecute() {
    guarded(this, [this] {
        StopSound();
        // The dialog frees itself when it closes; the roll goes on under it.
        QPointer<TForm3> dialog = new TForm3(this);
        dialog->exec();
        LoadSettings(QStringLiteral("prize.ini"));
        LoadPrizeClasses();
        RescanPhotos();
        setWindowTitle(LotteryTitle);
        bsSkinData1->LoadFromFile(SkinFile);
        applyModeToCount();
    });
}

void TForm1::ActionPhotoPresetsExecute() {
    guarded(this, [this] {
        TFormZB w(this);
        w.exec();
    });
}

void TForm1::ActionWordPresetsExecute() {
    guarded(this, [this] {
        TFormZB1 w(this);
        w.exec();
    });
}
