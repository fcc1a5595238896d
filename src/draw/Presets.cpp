// Preset winners take the place of what the roll showed, as long as they have not won.
#include "app/Unit1.h"

#include "common/Uglobal.h"
#include "data/DataModule.h"
#include "data/Statements.h"

#include <QFileInfo>

void TForm1::ApplyPhotoPreset() {
    try {
        const QString C = bsSkinComboBox1->currentText();
        QSqlQuery ADOQuery1 = NewQuery();
        QSqlQuery ADOQuery2 = NewQuery();
        QString result;
        OpenQuery(Sql::PhotoPresetsOfClass, result, ADOQuery1, {C});
        while (ADOQuery1.next()) {
            const QString f = ADOQuery1.value(0).toString();
            if (!QFileInfo(f).isFile())
                continue;
            OpenQuery(Sql::CountPhotoWins, result, ADOQuery2, {f});
            if (ReadCount(ADOQuery2) != 0)
                continue;
            try {
                showPhoto(f, true);
            } catch (...) {
                // A preset the display cannot load cannot be shown, so it cannot win.
                continue;
            }
            CurrentPhoto = f;
            setWindowTitle(QFileInfo(f).fileName());
            return;
        }
    } catch (...) {
    }
}

void TForm1::ApplyWordPreset() {
    try {
        TMyStringList lines;
        lines.Delimiter = LineBreak;
        SplitByDelimiter(lines, LabelWZ->text());
        const qsizetype n = lines.size();
        const QString C = bsSkinComboBox1->currentText();
        QSqlQuery ADOQuery1 = NewQuery();
        QSqlQuery ADOQuery2 = NewQuery();
        QString result;
        OpenQuery(Sql::WordPresetsOfClass, result, ADOQuery1, {C});
        bool changed = false;
        qsizetype i = 0;
        while (i < n && ADOQuery1.next()) {
            const QString w = ADOQuery1.value(0).toString();
            OpenQuery(Sql::CountWordWins, result, ADOQuery2, {w});
            if (ReadCount(ADOQuery2) == 0) {
                lines[i] = w;
                changed = true;
            }
            ++i;
        }
        if (changed)
            LabelWZ->setText(lines.join(LineBreak));
    } catch (...) {
    }
}
