// The word winners window: list, navigator, print, and the SYLK export.
#include "WinnersFixture.h"

#include "formats/Sylk.h"
#include "ui/common/TableNavigator.h"
#include "ui/winners/GridExport.h"
#include "ui/winners/WordWinnersDialog.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {

QTableView* Table(const WordWinnersDialog& w) {
    return Control<QTableView>(&w, "winnersTable");
}
QTableView* ExportTable(const WordWinnersDialog& w) {
    return Control<QTableView>(&w, "exportTable");
}
QSqlQueryModel* Model(const WordWinnersDialog& w) {
    return Control<QSqlQueryModel>(&w, "winnersModel");
}
QAction* ExportAction(const WordWinnersDialog& w) {
    return Control<QAction>(&w, "exportAction");
}

Sylk::Sheet ReadSheet(const QString& file) {
    Sylk::Sheet s;
    QFile f(file);
    if (f.open(QIODevice::ReadOnly))
        Sylk::Read(f.readAll(), s);
    return s;
}

// Rows of the grid as "word|class".
QStringList Rows(const WordWinnersDialog& w) {
    QStringList out;
    QSqlQueryModel* model = Model(w);
    const QSqlRecord rec = model->record();
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->data(model->index(r, rec.indexOf(QStringLiteral("wz")))).toString() +
                   QLatin1Char('|') +
                   model->data(model->index(r, rec.indexOf(QStringLiteral("prize")))).toString();
    return out;
}

} // namespace

class TestWordWinners : public QObject {
    Q_OBJECT
private slots:
    void windowHasItsControls();
    void listsOnlyWinnersSortedByClass();
    void navigatorMovesWithoutDelete();
    void exportNames_data();
    void exportNames();
    void exportWritesEveryRowCellByCell();
    void exportOverwritesWithoutAsking();
    void exportOfNoWinnersWritesTheHeader();
    void exportCancelledWritesNothing();
    void exportFailureGoesToTheErrorReport();
    void printShowsThePreview();
    void listThatCannotBeOpenedStillOpensTheWindow();
};

void TestWordWinners::windowHasItsControls() {
    WinnersFixture fx;
    fx.addWordWinner(QStringLiteral("Alice"), QStringLiteral("First Prize"));
    WordWinnersDialog w;
    QCOMPARE(w.objectName(), QStringLiteral("WordWinnersDialog"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Winner"));
    for (const char* name : {"buttonBar", "printButton", "exportButton", "listPanel",
                             "winnersNavigator", "winnersTable", "winnersScrollBar", "exportTable",
                             "winnersModel", "printAction", "exportAction", "skinData"})
        QVERIFY2(w.findChild<QObject*>(QLatin1String(name)), name);
    QPushButton* print = Control<QPushButton>(&w, "printButton");
    QPushButton* exportButton = Control<QPushButton>(&w, "exportButton");
    QCOMPARE(print->text(), QStringLiteral("&Print"));
    QCOMPARE(exportButton->text(), QStringLiteral("&Export"));
    QCOMPARE(print->width(), 128);
    QCOMPARE(exportButton->width(), 124);
    QCOMPARE(w.font().pixelSize(), 13);
    QVERIFY(ExportTable(w)->isHidden());
    const int id = Model(w)->record().indexOf(QStringLiteral("id"));
    QVERIFY(Table(w)->isColumnHidden(id));
    QVERIFY(ExportTable(w)->isColumnHidden(id));
    QCOMPARE(Table(w)->editTriggers(), QAbstractItemView::NoEditTriggers);
    if (!qEnvironmentVariableIsEmpty("KALVORO_SHOTS")) {
        for (int i = 0; i < 12; ++i)
            fx.addWordWinner(QStringLiteral("Winner %1").arg(i), QStringLiteral("Second Prize"));
        WordWinnersDialog shot;
        shot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shot));
        shot.grab().save(qEnvironmentVariable("KALVORO_SHOTS") +
                         QStringLiteral("/WordWinnersDialog.png"));
    }
}

void TestWordWinners::listsOnlyWinnersSortedByClass() {
    WinnersFixture fx; // the fresh database holds sample words that have not won
    fx.addWordWinner(QStringLiteral("Zed"), QStringLiteral("second prize"));
    fx.addWordWinner(QStringLiteral("李娜"), QStringLiteral("First Prize"));
    fx.addWordWinner(QStringLiteral("Bob"), QStringLiteral("Second Prize"));
    fx.addWordWinner(QStringLiteral("Amy"), QStringLiteral("first prize"));
    WordWinnersDialog w;
    const QStringList rows = Rows(w);
    QCOMPARE(rows.size(), 4);
    QStringList classes;
    for (const QString& r : rows)
        classes << r.section(QLatin1Char('|'), 1).toLower();
    QCOMPARE(classes,
             (QStringList{QStringLiteral("first prize"), QStringLiteral("first prize"),
                          QStringLiteral("second prize"), QStringLiteral("second prize")}));
    QVERIFY(rows.contains(QStringLiteral("李娜|First Prize")));
}

void TestWordWinners::navigatorMovesWithoutDelete() {
    WinnersFixture fx;
    {
        WinnersFixture::Batch batch;
        for (int i = 0; i < 300; ++i) // more than one fetch of rows
            fx.addWordWinner(QStringLiteral("W%1").arg(i, 3, 10, QLatin1Char('0')),
                             QStringLiteral("P"));
    }
    WordWinnersDialog w;
    TableNavigator* nav = Control<TableNavigator>(&w, "winnersNavigator");
    for (QToolButton* b : nav->findChildren<QToolButton*>())
        QCOMPARE(!b->isHidden(),
                 (QStringList{QStringLiteral("firstButton"), QStringLiteral("priorButton"),
                              QStringLiteral("nextButton"), QStringLiteral("lastButton")})
                     .contains(b->objectName()));
    QVERIFY(!nav->button(TableNavigator::Delete)->isEnabled());
    QCOMPARE(Table(w)->currentIndex().row(), 0);
    nav->button(TableNavigator::Last)->click();
    QCOMPARE(Table(w)->currentIndex().row(), 299);
    QVERIFY(!nav->button(TableNavigator::Next)->isEnabled());
    nav->button(TableNavigator::Prior)->click();
    QCOMPARE(Table(w)->currentIndex().row(), 298);
    nav->button(TableNavigator::First)->click();
    QCOMPARE(Table(w)->currentIndex().row(), 0);
    QVERIFY(!nav->button(TableNavigator::Prior)->isEnabled());
}

void TestWordWinners::exportNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("winners") << "winners"
                             << "winners.xls";
    QTest::newRow("LIST.XLS") << "LIST.XLS"
                              << "LIST.XLS.xls";
    QTest::newRow("a.xlsx") << "a.xlsx"
                            << "a.xlsx.xls";
    QTest::newRow("plain.xls") << "plain.xls"
                               << "plain.xls";
}

void TestWordWinners::exportNames() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    WinnersFixture fx;
    fx.addWordWinner(QStringLiteral("Alice"), QStringLiteral("First Prize"));
    WordWinnersDialog w;
    fx.prompts->fileAnswers.enqueue(QDir(fx.outDir()).filePath(typed));
    Control<QPushButton>(&w, "exportButton")->click();
    QCOMPARE(fx.prompts->lastSaveFolder, ProgramFolder::desktop());
    QVERIFY(fx.prompts->lastFilter.contains(QStringLiteral("*.xls")));
    QCOMPARE(QDir(fx.outDir()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(fx.prompts->opened, QStringList{QDir(fx.outDir()).filePath(written)});
    QCOMPARE(fx.prompts->messages, QStringList());
    QVERIFY(ExportTable(w)->isHidden());
}

void TestWordWinners::exportWritesEveryRowCellByCell() {
    WinnersFixture fx;
    const QStringList words{QStringLiteral("李娜"),     QStringLiteral("Chloé; \"the\" best"),
                            QStringLiteral("🎉 Party"),  QStringLiteral("007"),
                            QStringLiteral("=SUM(A1)"), QStringLiteral("two\nlines")};
    {
        WinnersFixture::Batch batch;
        for (int i = 0; i < 300; ++i)
            fx.addWordWinner(i < words.size() ? words.at(i) : QStringLiteral("Guest %1").arg(i),
                             i % 2 ? QStringLiteral("B") : QStringLiteral("a"));
    }
    WordWinnersDialog w;
    Table(w)->setCurrentIndex(Model(w)->index(3, 1));
    const QString out = QDir(fx.outDir()).filePath(QStringLiteral("all.xls"));
    fx.prompts->fileAnswers.enqueue(out);
    ExportAction(w)->trigger();
    const Sylk::Sheet s = ReadSheet(out);
    QCOMPARE(s.rowCount(), 301);
    QCOMPARE(s.columnCount(), 3);
    QCOMPARE(s.cell(1, 1).text(), QStringLiteral("#"));
    QCOMPARE(s.cell(1, 2).text(), QStringLiteral("Name"));
    QCOMPARE(s.cell(1, 3).text(), QStringLiteral("Class"));
    QCOMPARE(s.columnWidth(1), 10);
    QCOMPARE(s.columnWidth(2), 77);
    QCOMPARE(s.columnWidth(3), 15);
    const QStringList rows = Rows(w);
    QCOMPARE(rows.size(), 300);
    for (int r = 0; r < rows.size(); ++r) {
        QCOMPARE(s.cell(r + 2, 1).number(), double(r + 1));
        QVERIFY(!s.cell(r + 2, 1).isText());
        QVERIFY(s.cell(r + 2, 2).isText());
        QCOMPARE(s.cell(r + 2, 2).text() + QLatin1Char('|') + s.cell(r + 2, 3).text(), rows.at(r));
    }
    for (const QString& word : words) {
        bool found = false;
        for (int r = 2; r <= s.rowCount() && !found; ++r)
            found = s.cell(r, 2).text() == word;
        QVERIFY2(found, qPrintable(word));
    }
    // The current row is where it was.
    QCOMPARE(Table(w)->currentIndex().row(), 3);
}

void TestWordWinners::exportOverwritesWithoutAsking() {
    WinnersFixture fx;
    fx.addWordWinner(QStringLiteral("Alice"), QStringLiteral("First Prize"));
    const QString out = QDir(fx.outDir()).filePath(QStringLiteral("w.xls"));
    {
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
    }
    WordWinnersDialog w;
    fx.prompts->fileAnswers.enqueue(out);
    ExportAction(w)->trigger();
    QCOMPARE(fx.prompts->questions, QStringList());
    QCOMPARE(ReadSheet(out).cell(2, 2).text(), QStringLiteral("Alice"));
    QCOMPARE(QDir(fx.outDir()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("w.xls")});
}

void TestWordWinners::exportOfNoWinnersWritesTheHeader() {
    WinnersFixture fx;
    WordWinnersDialog w;
    QCOMPARE(Model(w)->rowCount(), 0);
    const QString out = QDir(fx.outDir()).filePath(QStringLiteral("none.xls"));
    fx.prompts->fileAnswers.enqueue(out);
    ExportAction(w)->trigger();
    const Sylk::Sheet s = ReadSheet(out);
    QCOMPARE(s.rowCount(), 1);
    QCOMPARE(s.cell(1, 1).text(), QStringLiteral("#"));
    QCOMPARE(fx.prompts->opened, QStringList{out});
}

void TestWordWinners::exportCancelledWritesNothing() {
    WinnersFixture fx;
    fx.addWordWinner(QStringLiteral("Alice"), QStringLiteral("First Prize"));
    WordWinnersDialog w;
    ExportAction(w)->trigger();
    QVERIFY(QDir(fx.outDir()).isEmpty());
    QVERIFY(fx.prompts->messages.isEmpty());
    QVERIFY(fx.prompts->opened.isEmpty());
    QVERIFY(ExportTable(w)->isHidden());
}

void TestWordWinners::exportFailureGoesToTheErrorReport() {
    WinnersFixture fx;
    fx.addWordWinner(QStringLiteral("Alice"), QStringLiteral("First Prize"));
    const QString out = QDir(fx.outDir()).filePath(QStringLiteral("w.xls"));
    {
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kept");
    }
    WordWinnersDialog w;
    fx.prompts->fileAnswers.enqueue(out);
    WithoutWriteAccess(fx.outDir(), [&] { ExportAction(w)->trigger(); });
    QCOMPARE(fx.prompts->messages.size(), 1);
    QVERIFY2(
        fx.prompts->messages.first().startsWith(QStringLiteral("The list could not be exported.")),
        qPrintable(fx.prompts->messages.first()));
    QVERIFY(fx.prompts->opened.isEmpty());
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("kept"));
    QCOMPARE(QDir(fx.outDir()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("w.xls")});
    QVERIFY(ExportTable(w)->isHidden());
}

void TestWordWinners::printShowsThePreview() {
    WinnersFixture fx;
    fx.addWordWinner(QStringLiteral("Alice"), QStringLiteral("First Prize"));
    WordWinnersDialog w;
    w.show();
    QCOMPARE(WinnersFixture::PrintPreviewTitle(Control<QPushButton>(&w, "printButton")),
             QStringLiteral("Winner - Print preview"));
    QCOMPARE(fx.prompts->messages, QStringList());
}

void TestWordWinners::listThatCannotBeOpenedStillOpensTheWindow() {
    WinnersFixture fx;
    WinnersFixture::exec(QStringLiteral("drop view wzd"));
    WinnersFixture::exec(QStringLiteral("drop table wz"));
    WordWinnersDialog w;
    QCOMPARE(fx.prompts->messages.size(), 1);
    QCOMPARE(Model(w)->rowCount(), 0);
    // Exporting the empty list still works.
    const QString out = QDir(fx.outDir()).filePath(QStringLiteral("e.xls"));
    fx.prompts->fileAnswers.enqueue(out);
    ExportAction(w)->trigger();
    QCOMPARE(ReadSheet(out).cell(1, 1).text(), QStringLiteral("#"));
}

QTEST_MAIN(TestWordWinners)
#include "tst_word_winners.moc"
