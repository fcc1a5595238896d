// Preset winners take the place of what the roll showed, as long as they have not won.
#include "ui/main/MainWindow.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "core/data/WordPicker.h"
#include "core/draw/DrawRandom.h"
#include "core/settings/ProgramFolder.h"

#include <algorithm>

#include <QFileInfo>

void MainWindow::ApplyPhotoPreset() {
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

void MainWindow::ApplyWordPreset() {
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
        QList<bool> preset(n, false);
        bool changed = false;
        qsizetype i = 0;
        while (i < n && ADOQuery1.next()) {
            const QString w = ADOQuery1.value(0).toString();
            OpenQuery(Sql::CountWordWins, result, ADOQuery2, {w});
            if (ReadCount(ADOQuery2) == 0) {
                lines[i] = w;
                preset[i] = true;
                changed = true;
            }
            ++i;
        }
        if (!changed)
            return;
        ADOQuery1.finish();
        ADOQuery2.finish();
        try {
            replaceRolledCopiesOfPresets(lines, preset);
        } catch (...) {
            // The presets still stand even when no replacement could be drawn.
        }
        LabelWZ->setText(lines.join(LineBreak));
    } catch (...) {
    }
}

void MainWindow::replaceRolledCopiesOfPresets(QStringList& lines, const QList<bool>& preset) {
    // A preset may also have been rolled onto another line; one person would then
    // fill two places. That rolled copy gives way to another free candidate.
    auto shown = [&lines](const QString& w) {
        return std::any_of(lines.cbegin(), lines.cend(), [&w](const QString& line) {
            return line.compare(w, Qt::CaseInsensitive) == 0;
        });
    };
    QList<qsizetype> copies;
    for (qsizetype j = 0; j < lines.size(); ++j) {
        if (preset.at(j))
            continue;
        for (qsizetype k = 0; k < lines.size(); ++k)
            if (preset.at(k) && lines.at(j).compare(lines.at(k), Qt::CaseInsensitive) == 0) {
                copies << j;
                break;
            }
    }
    if (copies.isEmpty())
        return;
    if (!m_wordPicker)
        m_wordPicker = std::make_unique<WordPicker>(Db());
    const QStringList fresh =
        m_wordPicker->pick(static_cast<int>(lines.size() + copies.size()), DrawRng());
    qsizetype next = 0;
    QList<qsizetype> unfilled;
    for (qsizetype j : std::as_const(copies)) {
        while (next < fresh.size() && shown(fresh.at(next)))
            ++next;
        if (next < fresh.size())
            lines[j] = fresh.at(next++);
        else
            unfilled << j;
    }
    // Nobody free is left for a place: it is not shown rather than shown twice.
    for (auto it = unfilled.crbegin(); it != unfilled.crend(); ++it)
        lines.removeAt(*it);
}
