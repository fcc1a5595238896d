// The word roll: N free candidates drawn at random by the store each tick, and
// the record of every line on screen when the roll stops.
#include "ui/main/MainWindow.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "core/data/WordPicker.h"
#include "core/draw/DrawRandom.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/UserPrompts.h"

int MainWindow::WordFontSizeFor(int base, unsigned N) {
    switch (N) {
    case 1:
        return base + 100;
    case 2:
        return base + 80;
    case 3:
        return base + 60;
    case 4:
        return base + 40;
    case 5:
        return base + 20;
    default:
        return 66;
    }
}

void MainWindow::RollWordsTick(unsigned N) {
    LabelWZ->setFontColor(WordFontColor);
    LabelWZ->setFontName(WordFontName);
    LabelWZ->setFontSize(WordFontSizeFor(WordFontSize, N));
    if (!DrawArmed) {
        Timer1->stop();
        return;
    }
    try {
        if (!m_wordPicker)
            m_wordPicker = std::make_unique<WordPicker>(Db());
        const QStringList words = m_wordPicker->pick(static_cast<int>(N), DrawRng());
        QString text;
        for (qsizetype i = 0; i < words.size(); ++i) {
            text += words.at(i);
            if (i + 1 < words.size() && !text.isEmpty())
                text += LineBreak;
        }
        LabelWZ->setText(text);
        m_wordDisplayIsError = false;
    } catch (const std::exception& e) {
        m_wordPicker.reset();
        LabelWZ->setText(QString::fromUtf8(e.what()));
        m_wordDisplayIsError = true;
    }
}

bool MainWindow::SaveWordWinners() {
    // An error text on screen is not a list of winners.
    if (m_wordDisplayIsError) {
        UserPrompts::instance().message(
            this, QStringLiteral("Save Failure!\nThe display shows an error, not winners: "
                                 "nothing was recorded."));
        return false;
    }
    const QString C = bsSkinComboBox1->currentText();
    TMyStringList lines;
    lines.Delimiter = LineBreak;
    SplitByDelimiter(lines, LabelWZ->text());
    QSqlQuery ADOQueryWZ = NewQuery();
    QString result;
    bool recorded = false;
    for (const QString& w : std::as_const(lines)) {
        OpenQuery(Sql::CountWord, result, ADOQueryWZ, {w});
        const qlonglong count = ReadCount(ADOQueryWZ);
        ADOQueryWZ.finish();
        bool blank = true;
        for (QChar c : w)
            blank = blank && (c.isSpace() || c.category() == QChar::Other_Control);
        if (count == 0 && !blank)
            ExecQuery(Sql::InsertWonWord, result, ADOQueryWZ, {w, C});
        else
            ExecQuery(Sql::MarkWordWon, result, ADOQueryWZ, {C, w});
        recorded = recorded || result == QStringLiteral("Success");
    }
    return recorded;
}
