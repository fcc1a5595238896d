// Two whole events through the real main window, from the settings to the exported list.
#include "core/data/Database.h"
#include "core/draw/DrawSession.h"
#include "formats/Sylk.h"
#include "support/MainWindowHarness.h"
#include "support/TestSql.h"
#include "ui/main/DisplayWidgets.h"
#include "ui/options/OptionsDialog.h"
#include "ui/winners/PhotoWinnersDialog.h"
#include "ui/winners/WordWinnersDialog.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>

class TestWholeEvent : public QObject {
    Q_OBJECT
private slots:
    void photoEvent();
    void wordEvent();
};

namespace {

// A control of a window by its object name; fails the test when it is missing.
template <class T> T* child(QObject* window, const char* name) {
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no %s in %s", name, window->metaObject()->className());
    return found;
}

QStringList sylkTexts(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    Sylk::Sheet sheet;
    if (!Sylk::Read(f.readAll(), sheet))
        return {};
    QStringList texts;
    for (const Sylk::Cell& c : sheet.cells())
        if (c.isText())
            texts << c.text();
    return texts;
}

void draw(MainWindowHarness& h, int classIndex, int words = 1) {
    h.classBox()->setCurrentIndex(classIndex);
    h.enter();
    if (words > 1)
        h.wordCount()->setValue(words);
    if (!h.rollTimer()->isActive())
        h.space();
    h.ticks(3);
    h.space();
    h.ticks(2);
}
} // namespace

void TestWholeEvent::photoEvent() {
    TempProgram files;
    const QStringList people =
        files.makePhotos(QStringLiteral("staff"),
                         {QStringLiteral("Ana Petrović.jpg"), QStringLiteral("Chen Wei.jpg"),
                          QStringLiteral("Dan O'Neil.jpg"), QStringLiteral("Eva Lund.jpg"),
                          QStringLiteral("Farid Haddad.jpg")},
                         QSize(320, 240));
    const QString boss =
        files.makePhotos(QStringLiteral("cheat"), {QStringLiteral("The Boss.jpg")}).at(0);
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("staff")), true));
    QFile::copy(QStringLiteral(KALVORO_SOURCE_DIR "/assets/md.xls"),
                h.program.path(QStringLiteral("md.xls")));
    h.program.sql(TestSql::InsertPhotoPreset, {boss, QStringLiteral("Second Prize")});

    draw(h, 0);
    draw(h, 1); // the preset wins this one
    draw(h, 1);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 3);
    QCOMPARE(h.program.count(QStringLiteral("select count(distinct filename) from prize")), 3);
    QCOMPARE(
        h.program.count(QStringLiteral("select count(*) from prize where class='Second Prize'")),
        2);
    QCOMPARE(
        h.program.count(
            QStringLiteral("select count(*) from prize where filename=? and class='Second Prize'"),
            {boss}),
        1);
    QVERIFY(h.banner()->text().startsWith(QStringLiteral("Congratulations")));

    const QString out = h.program.currentDir() + QStringLiteral("winners.xls");
    WithModal<PhotoWinnersDialog>(
        [&] { h.form->showWinners(); },
        [&](PhotoWinnersDialog* w) {
            QCOMPARE(child<QTableView>(w, "winnersTable")->model()->rowCount(), 3);
            h.prompts.fileAnswers.enqueue(out);
            child<QAction>(w, "exportAction")->trigger();
        });
    QCOMPARE(h.prompts.lastSaveName, QStringLiteral("Winner.xls"));
    QCOMPARE(h.prompts.opened, QStringList{out});
    const QStringList texts = sylkTexts(out);
    QVERIFY2(texts.contains(QStringLiteral("The Boss.jpg")),
             qPrintable(texts.join(QLatin1Char('|'))));
    QSqlQuery q(Db());
    QVERIFY(q.exec(QStringLiteral("select name from prize")));
    while (q.next())
        QVERIFY2(texts.contains(q.value(0).toString()), qPrintable(q.value(0).toString()));
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestWholeEvent::wordEvent() {
    MainWindowHarness h(WordIni());
    // The organiser replaces the sample list by 200 generated tickets in the options dialog.
    h.prompts.confirmAnswers.enqueue(true);
    WithModal<OptionsDialog>([&] { h.form->showOptions(); },
                             [&](OptionsDialog* d) {
                                 child<QPushButton>(d, "emptyButton")->click();
                                 child<QLineEdit>(d, "prefixEdit")->setText(QStringLiteral("T-"));
                                 child<QSpinBox>(d, "firstNumberBox")->setValue(1);
                                 child<QSpinBox>(d, "lastNumberBox")->setValue(200);
                                 child<QPushButton>(d, "generateButton")->click();
                                 child<QPushButton>(d, "applyButton")->click();
                             });
    QVERIFY(h.prompts.messages.contains(QStringLiteral("SUCCESS!")));
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz")), 200);
    QCOMPARE(h.session()->mode(), DrawMode::Word);
    QVERIFY(h.wordCount()->isEnabled());
    h.activate();

    draw(h, 2, 1);
    draw(h, 1, 3);
    draw(h, 0, 10);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")),
             14);
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {QStringLiteral("First Prize")}),
             10);

    h.prompts.yesNoAnswers.enqueue(true);
    h.prompts.inputAnswers.enqueue(QStringLiteral("OK"));
    h.form->resetWinners();
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 0);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz")), 200);

    draw(h, 0, 3);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 3);
    const QStringList winners = h.lines();

    const QString out = h.program.currentDir() + QStringLiteral("words");
    WithModal<WordWinnersDialog>(
        [&] { h.form->showWinners(); },
        [&](WordWinnersDialog* w) {
            QCOMPARE(child<QTableView>(w, "winnersTable")->model()->rowCount(), 3);
            h.prompts.fileAnswers.enqueue(out);
            child<QAction>(w, "exportAction")->trigger();
        });
    QCOMPARE(h.prompts.opened, QStringList{out + QStringLiteral(".xls")});
    const QStringList texts = sylkTexts(out + QStringLiteral(".xls"));
    for (const QString& w : winners)
        QVERIFY2(texts.contains(w), qPrintable(w));
    QVERIFY(texts.contains(QStringLiteral("First Prize")));
}

QTEST_MAIN(TestWholeEvent)
#include "tst_whole_event.moc"
