// The reset of a draw behind two confirmations, and the winner count per class.
#include "ui/main/MainWindow.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"

#include <QLabel>

void MainWindow::ActionInitExecute() {
    guarded(this, [this] {
        UserPrompts& prompts = UserPrompts::instance();
        if (!prompts.askYesNo(this, QStringLiteral("Are You Sure?"), QStringLiteral("CAUTION")))
            return;
        const QString answer =
            prompts.inputBox(this, QStringLiteral("Please input OK"), QString(), QString());
        if (answer != QStringLiteral("OK") && answer != QStringLiteral("ok")) {
            prompts.message(this, QStringLiteral("Can not Initialize, input OK please!"));
            return;
        }
        QSqlQuery ADOQuery1 = NewQuery();
        if (LotteryMode == 0) {
            RunOrThrow(ADOQuery1, Sql::DeleteAllPhotoWinners);
        } else {
            // One transaction: a reset that fails half-way leaves the winners as they were.
            QSqlDatabase db = Db();
            db.transaction();
            try {
                RunOrThrow(ADOQuery1, Sql::FreeAllWords);
                RunOrThrow(ADOQuery1, Sql::SelectAllWordPresets);
                QStringList presets;
                while (ADOQuery1.next())
                    presets << ADOQuery1.value(0).toString();
                ADOQuery1.finish();
                QSqlQuery ADOQuery3 = NewQuery();
                for (const QString& w : std::as_const(presets))
                    RunOrThrow(ADOQuery3, Sql::DeleteWord, {w});
                ADOQuery3.finish();
                if (!db.commit())
                    throw DatabaseError(QStringLiteral("Cannot commit the reset"));
            } catch (...) {
                db.rollback();
                throw;
            }
        }
        prompts.message(this, QStringLiteral("Initialize Success!"));
    });
}

void MainWindow::WinnerCountText(QString& Text) {
    try {
        const QString C = bsSkinComboBox1->currentText();
        const QString& sql = QString::number(LotteryMode) == QStringLiteral("0")
                                 ? Sql::CountPhotoWinnersOfClass
                                 : Sql::CountWordWinnersOfClass;
        QSqlQuery ADOQuery3 = NewQuery();
        QString result;
        OpenQuery(sql, result, ADOQuery3, {C});
        const qlonglong n = ReadCount(ADOQuery3);
        Text = QStringLiteral("There are ") + QString::number(n) +
               QStringLiteral(" persons who won ") + C;
    } catch (...) {
        Text.clear();
    }
}

void MainWindow::bsSkinComboBox1MouseEnter() {
    QString text;
    WinnerCountText(text);
    if (!text.isEmpty()) {
        SavedPrompt = Label1->text();
        Label1->setText(text);
    } else {
        SavedPrompt.clear();
    }
}

void MainWindow::bsSkinComboBox1MouseLeave() {
    if (!SavedPrompt.isEmpty())
        Label1->setText(SavedPrompt);
}
