// Whole draws through the real main window: keys, roll steps, the store afterwards.
#include "core/data/Database.h"
#include "support/TestSql.h"
#include "core/media/SoundPlayer.h"
#include "core/settings/ProgramFolder.h"
#include "support/MainWindowHarness.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QSet>
#include <QTest>

class TestDraw : public QObject {
    Q_OBJECT
private slots:
    void photoDraw_data();
    void photoDraw();
    void wordDraw_data();
    void wordDraw();
    void winnersNeverRepeatUntilReset();
    void stateTableOddTransitions();
    void enterAfterStopRollsAtOnceWithoutMusic();
    void keysReachTheDrawWhateverHasFocus();
    void promptFlashesRedYellowBlue();
    void photoTickSkipsWonMissingAndBrokenPhotos();
    void everyPhotoWonShowsNothingAndRecordsNothing();
    void photoPathWithQuote();
    void wordFontSizes_data();
    void wordFontSizes();
    void duplicateTextsAllWin();
    void blankLineIsNotInsertedAsACandidate();
    void wordPresetPositions();
    void presetAlsoRolledIsNotShownTwice();
    void photoPresetSkipsWonAndMissing();
    void failedSaveIsReportedAndNotAnnounced();
    void brokenStoreShowsErrorAndRecordsNothing();
    void resetRefusals_data();
    void resetRefusals();
    void resetInBothModes();
    void winnerCountSentence();
    void announcementShowsNameAndEndsOnEnter();
    void noAnnouncementInWordMode();
};

namespace {
const QString cls = QStringLiteral("First Prize");

QStringList names(int n) {
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QStringLiteral("Person %1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    return out;
}
} // namespace

void TestDraw::photoDraw_data() {
    QTest::addColumn<int>("photos");
    QTest::addColumn<int>("wonBefore");   // photos already recorded as winners
    QTest::addColumn<int>("presetIndex"); // -1: no preset for the class
    QTest::addColumn<bool>("expectWinner");
    QTest::newRow("plain draw") << 5 << 0 << -1 << true;
    QTest::newRow("one photo only") << 1 << 0 << -1 << true;
    QTest::newRow("most have won") << 6 << 5 << -1 << true;
    QTest::newRow("preset wins") << 5 << 0 << 3 << true;
    QTest::newRow("preset already won, roll stays") << 5 << 1 << 0 << true;
    QTest::newRow("empty folder, preset elsewhere still wins") << 0 << 0 << 0 << true;
}

void TestDraw::photoDraw() {
    QFETCH(int, photos);
    QFETCH(int, wonBefore);
    QFETCH(int, presetIndex);
    QFETCH(bool, expectWinner);
    TempProgram files;
    const QStringList paths = files.makePhotos(QStringLiteral("photos"), names(qMax(photos, 1)));
    const QStringList candidates = paths.mid(0, photos);
    if (photos == 0)
        QFile::remove(paths.at(0));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    QCOMPARE(h.form->PhotoCount, photos);
    for (int i = 0; i < wonBefore; ++i)
        h.program.sql(TestSql::InsertPhotoWinner,
                      {candidates.at(i), QFileInfo(candidates.at(i)).fileName(), cls});
    QString preset;
    if (presetIndex >= 0) {
        // Presets live in their own folder, as the editor asks.
        preset = photos == 0
                     ? files.makePhotos(QStringLiteral("cheat"), {QStringLiteral("Boss.jpg")}).at(0)
                     : candidates.at(presetIndex);
        h.program.sql(TestSql::InsertPhotoPreset, {preset, cls});
    }

    h.enter();
    QVERIFY(h.form->DrawArmed);
    QCOMPARE(h.form->Label1->text(), QStringLiteral("After Set Lottery Class,Press Space Bar"));
    QCOMPARE(static_cast<int>(h.form->RollOrder.size()), photos);
    QVERIFY(!h.form->RxSpinEdit1->isEnabled());
    h.space();
    QVERIFY(h.form->Timer1->isActive());
    QCOMPARE(h.form->Label1->text(), QStringLiteral("Press Space Bar to Draw"));
    h.ticks(3);
    if (photos > wonBefore) {
        QVERIFY(h.form->Image2->hasPicture());
        QVERIFY(candidates.contains(h.form->CurrentPhoto));
        const int index = h.form->PhotoList.indexOf(h.form->CurrentPhoto);
        QCOMPARE(h.form->windowTitle(), QFileInfo(h.form->CurrentPhoto).fileName() +
                                            QLatin1Char(' ') + QString::number(index));
        QCOMPARE(h.program.count(TestSql::CountPhotoWins, {h.form->CurrentPhoto}), 0);
    }
    const QString rolled = h.form->CurrentPhoto;
    h.space();
    QVERIFY(!h.form->DrawArmed);
    QCOMPARE(h.form->Label1->text(), QStringLiteral("Press Enter Key to Begin Next"));
    const QString expected = (presetIndex >= 0 && presetIndex >= wonBefore) ? preset : rolled;
    QCOMPARE(h.form->CurrentPhoto, expected);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize where class=?"), {cls}),
             wonBefore + (expectWinner ? 1 : 0));
    QCOMPARE(
        h.program.count(
            QStringLiteral("select count(*) from prize where filename=? and name=? and class=?"),
            {expected, QFileInfo(expected).fileName(), cls}),
        1);
    QVERIFY(h.prompts.messages.isEmpty());
    // The next step notices the stop and ends the roll.
    if (photos > wonBefore + 1) {
        h.ticks(1);
        QVERIFY(!h.form->Timer1->isActive());
    }
}

void TestDraw::wordDraw_data() {
    QTest::addColumn<int>("candidates");
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("wonBefore");
    QTest::addColumn<QStringList>("presets");
    QTest::addColumn<int>("expectedLines");
    QTest::newRow("one word") << 20 << 1 << 0 << QStringList{} << 1;
    QTest::newRow("three words") << 20 << 3 << 0 << QStringList{} << 3;
    QTest::newRow("ten words") << 20 << 10 << 5 << QStringList{} << 10;
    QTest::newRow("fewer free than N") << 6 << 5 << 4 << QStringList{} << 2;
    QTest::newRow("none free") << 3 << 3 << 3 << QStringList{} << 0;
    QTest::newRow("presets take the first lines")
        << 20 << 3 << 0 << QStringList{QStringLiteral("Guest Star"), QStringLiteral("W01")} << 3;
}

void TestDraw::wordDraw() {
    QFETCH(int, candidates);
    QFETCH(int, N);
    QFETCH(int, wonBefore);
    QFETCH(QStringList, presets);
    QFETCH(int, expectedLines);
    MainWindowHarness h(WordIni());
    h.program.sql(QStringLiteral("delete from wz"));
    for (int i = 0; i < candidates; ++i)
        h.program.sql(TestSql::InsertWord, {QStringLiteral("W%1").arg(i, 2, 10, QLatin1Char('0'))});
    h.program.sql(
        QStringLiteral(
            "update wz set prize='Earlier' where id in (select id from wz order by id limit ?)"),
        {wonBefore});
    for (const QString& p : presets)
        h.program.sql(TestSql::InsertWordPreset, {p, cls});

    h.enter();
    QVERIFY(h.form->RxSpinEdit1->isEnabled());
    h.form->RxSpinEdit1->setValue(N);
    h.space();
    h.ticks(2);
    QStringList shown = h.lines();
    QCOMPARE(shown.size(), expectedLines);
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), shown.size());
    for (const QString& w : shown)
        QCOMPARE(h.program.count(
                     QStringLiteral("select count(*) from wz where wz=? and prize is null"), {w}),
                 1);
    h.space();
    shown = h.lines();
    for (int i = 0; i < presets.size() && i < shown.size(); ++i)
        QCOMPARE(shown.at(i), presets.at(i));
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), shown.size());
    for (const QString& w : shown)
        QCOMPARE(h.program.sql(QStringLiteral("select prize from wz where wz=?"), {w}).toString(),
                 cls);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize='Earlier'")),
             wonBefore);
    QVERIFY(h.prompts.messages.isEmpty());
    h.ticks(1);
    QVERIFY(!h.form->Timer1->isActive());
    QCOMPARE(h.lines(), shown);
}

void TestDraw::winnersNeverRepeatUntilReset() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), names(4));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    QSet<QString> winners;
    for (int draw = 0; draw < 4; ++draw) {
        h.enter();
        h.space();
        h.ticks(5);
        h.space();
        QVERIFY2(!winners.contains(h.form->CurrentPhoto), qPrintable(h.form->CurrentPhoto));
        winners.insert(h.form->CurrentPhoto);
        h.ticks(2);
    }
    QCOMPARE(winners.size(), 4);
    // A fifth draw has nothing left: nothing is shown and nothing recorded.
    h.enter();
    h.space();
    h.ticks(3);
    QVERIFY(h.form->CurrentPhoto.isEmpty());
    h.space();
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 4);
    h.prompts.yesNoAnswers.enqueue(true);
    h.prompts.inputAnswers.enqueue(QStringLiteral("OK"));
    h.form->ActionInitExecute();
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 0);
    // The roll never found a free photo, so it is still ticking: Enter rolls at once.
    h.enter();
    QVERIFY(h.form->Timer1->isActive());
    h.ticks(1);
    h.space();
    QVERIFY(winners.contains(h.form->CurrentPhoto));
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 1);
}

void TestDraw::stateTableOddTransitions() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), names(6));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    // Space before any Enter does nothing.
    h.space();
    QVERIFY(!h.form->DrawArmed);
    QVERIFY(!h.form->Timer1->isActive());
    QCOMPARE(h.form->Label1->text(), QStringLiteral("PRESS ENTER KEY TO BEGIN"));
    QVERIFY(!h.form->Timer2->isActive());
    // Enter twice: the second changes nothing, the order is not shuffled again.
    h.enter();
    const std::vector<int> order = h.form->RollOrder;
    h.form->SavedLabelText = QStringLiteral("old");
    h.enter();
    QVERIFY(h.form->RollOrder == order);
    QVERIFY(h.form->SavedLabelText.isEmpty());
    QVERIFY(h.form->Timer2->isActive());
    // Two quick spaces: stopped before the first step showed anything; nothing recorded.
    h.space();
    h.space();
    QVERIFY(!h.form->DrawArmed);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 0);
    // A second space after the stop does nothing.
    h.space();
    QVERIFY(!h.form->DrawArmed);
    QCOMPARE(h.form->Label1->text(), QStringLiteral("Press Enter Key to Begin Next"));
    h.ticks(1);
    QVERIFY(!h.form->Timer1->isActive());
    // The begin button arms like Enter.
    h.form->bsSkinSpeedButton1->click();
    QVERIFY(h.form->DrawArmed);
}

void TestDraw::enterAfterStopRollsAtOnceWithoutMusic() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), names(5));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    h.enter();
    h.space();
    h.ticks(1);
    h.space();
    QVERIFY(h.form->Timer1->isActive()); // stopping: the next tick switches it off
    h.enter();
    QVERIFY(h.form->DrawArmed);
    QVERIFY(h.form->Timer1->isActive());
    QVERIFY(!h.form->player()->LoopSound());
    h.ticks(1);
    QVERIFY(h.form->Image2->hasPicture());
    const QString second = h.form->CurrentPhoto;
    h.space();
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 2);
    QCOMPARE(h.program.count(TestSql::CountPhotoWins, {second}), 1);
}

void TestDraw::keysReachTheDrawWhateverHasFocus() {
    MainWindowHarness h(WordIni());
    for (QWidget* focus : {static_cast<QWidget*>(h.form->RxSpinEdit1),
                           static_cast<QWidget*>(h.form->bsSkinComboBox1)}) {
        focus->setFocus();
        QCOMPARE(QApplication::focusWidget(), focus);
        h.enter();
        QVERIFY(h.form->DrawArmed);
        h.space();
        QVERIFY(h.form->Timer1->isActive());
        h.ticks(1);
        h.space();
        QVERIFY(!h.form->DrawArmed);
        h.ticks(1);
        QVERIFY(!h.form->Timer1->isActive());
        // The keys drove the draw and typed nothing into the focused control.
        QCOMPARE(h.form->RxSpinEdit1->text(), QStringLiteral("1"));
    }
    // The class box keeps its list closed: Space never opened a popup that eats keys.
    QVERIFY(!h.form->bsSkinComboBox1->view()->isVisible());
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), 2);
}

void TestDraw::promptFlashesRedYellowBlue() {
    MainWindowHarness h(WordIni());
    QCOMPARE(h.form->PromptColor(), 255);
    h.form->Timer2Timer();
    QCOMPARE(h.form->PromptColor(), 65535);
    h.form->Timer2Timer();
    QCOMPARE(h.form->PromptColor(), 16711680);
    h.form->Timer2Timer();
    QCOMPARE(h.form->PromptColor(), 255);
    h.enter();
    QVERIFY(h.form->Timer2->isActive());
    QCOMPARE(h.form->Timer2->interval(), 1000);
}

void TestDraw::photoTickSkipsWonMissingAndBrokenPhotos() {
    TempProgram files;
    const QStringList paths = files.makePhotos(QStringLiteral("photos"), names(30));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    // 27 of 30 are out: won, deleted since the scan, or not a picture at all.
    for (int i = 0; i < 10; ++i)
        h.program.sql(TestSql::InsertPhotoWinner,
                      {paths.at(i), QFileInfo(paths.at(i)).fileName(), cls});
    for (int i = 10; i < 20; ++i)
        QFile::remove(paths.at(i));
    for (int i = 20; i < 27; ++i) {
        QFile f(paths.at(i));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("not a jpeg at all");
    }
    const QSet<QString> good{paths.at(27), paths.at(28), paths.at(29)};
    h.enter();
    h.space();
    int shown = 0;
    for (int t = 0; t < 60; ++t) {
        const QString before = h.form->CurrentPhoto;
        h.ticks(1);
        QVERIFY(h.form->RollCursor >= 0 && h.form->RollCursor < 30);
        if (h.form->CurrentPhoto != before || (!before.isEmpty() && t > 0))
            ++shown;
        if (!h.form->CurrentPhoto.isEmpty())
            QVERIFY2(good.contains(h.form->CurrentPhoto), qPrintable(h.form->CurrentPhoto));
    }
    QVERIFY(shown > 0);
    h.space();
    QVERIFY(good.contains(h.form->CurrentPhoto));
    QCOMPARE(h.program.count(TestSql::CountPhotoWins, {h.form->CurrentPhoto}), 1);
}

void TestDraw::everyPhotoWonShowsNothingAndRecordsNothing() {
    TempProgram files;
    const QStringList paths = files.makePhotos(QStringLiteral("photos"), names(3));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    // The last draw's winner is still on screen and in CurrentPhoto.
    h.enter();
    h.space();
    h.ticks(1);
    h.space();
    for (const QString& p : paths)
        if (p != h.form->CurrentPhoto)
            h.program.sql(TestSql::InsertPhotoWinner, {p, QFileInfo(p).fileName(), cls});
    h.ticks(3);
    h.enter();
    QVERIFY(!h.form->Image2->hasPicture());
    h.space();
    h.ticks(5);
    QVERIFY(!h.form->Image2->hasPicture());
    QVERIFY(h.form->Timer1->isActive());
    h.space();
    // Nothing new was shown, so nothing is recorded: the old winner is not recorded twice.
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 3);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from (select filename from prize "
                                            "group by filename having count(*) > 1)")),
             0);
    h.ticks(3);
    QVERIFY(h.form->Timer1->isActive()); // nothing free: ticks run on and change nothing
}

void TestDraw::photoPathWithQuote() {
    TempProgram files;
    const QStringList paths =
        files.makePhotos(QStringLiteral("O'Brien's photos"), {QStringLiteral("Dan O'Neil.jpg")});
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("O'Brien's photos"))));
    h.enter();
    h.space();
    h.ticks(1);
    QCOMPARE(h.form->CurrentPhoto, paths.at(0));
    h.space();
    QCOMPARE(h.program.sql(QStringLiteral("select name from prize")).toString(),
             QStringLiteral("Dan O'Neil.jpg"));
    QCOMPARE(h.program.sql(QStringLiteral("select filename from prize")).toString(), paths.at(0));
    // It has won now: the next draw does not show it.
    h.enter();
    h.space();
    h.ticks(2);
    QVERIFY(h.form->CurrentPhoto.isEmpty());
}

void TestDraw::wordFontSizes_data() {
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("size");
    QTest::newRow("1 word") << 60 << 1 << 160;
    QTest::newRow("2 words") << 60 << 2 << 140;
    QTest::newRow("3 words") << 40 << 3 << 100;
    QTest::newRow("4 words") << 60 << 4 << 100;
    QTest::newRow("5 words") << 60 << 5 << 80;
    QTest::newRow("6 words ignore the base") << 20 << 6 << 66;
    QTest::newRow("10 words") << 99 << 10 << 66;
}

void TestDraw::wordFontSizes() {
    QFETCH(int, base);
    QFETCH(int, N);
    MainWindowHarness h(WordIni());
    h.form->WordFontSize = base;
    h.form->WordFontName = QStringLiteral("DejaVu Serif");
    h.form->WordFontColor = 32768;
    h.enter();
    h.form->RxSpinEdit1->setValue(N);
    h.space();
    h.ticks(1);
    QTEST(h.form->LabelWZ->fontSize(), "size");
    QCOMPARE(h.form->LabelWZ->fontName(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(h.form->LabelWZ->fontColor(), 32768);
}

void TestDraw::duplicateTextsAllWin() {
    MainWindowHarness h(WordIni());
    h.program.sql(QStringLiteral("delete from wz"));
    for (const char* w : {"Ann O'Hara", "ann o'hara", "Ann O'Hara"})
        h.program.sql(TestSql::InsertWord, {QString::fromUtf8(w)});
    h.enter();
    h.space();
    h.ticks(1);
    QCOMPARE(h.lines().size(), 1);
    h.space();
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), 3);
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestDraw::blankLineIsNotInsertedAsACandidate() {
    MainWindowHarness h(WordIni());
    const qlonglong before = h.program.count(QStringLiteral("select count(*) from wz"));
    h.enter();
    h.space();
    h.form->LabelWZ->setText(QStringLiteral("Chen Wei") + LineBreak + QStringLiteral("  ") +
                             LineBreak);
    h.space();
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz")), before);
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), 1);
}

void TestDraw::wordPresetPositions() {
    MainWindowHarness h(WordIni());
    h.program.sql(QStringLiteral("delete from wz"));
    for (int i = 0; i < 10; ++i)
        h.program.sql(TestSql::InsertWord, {QStringLiteral("C%1").arg(i)});
    h.program.sql(TestSql::InsertWord, {QStringLiteral("Old Winner")});
    h.program.sql(TestSql::MarkWordWon, {QStringLiteral("Earlier"), QStringLiteral("Old Winner")});
    // Five presets for three lines: the first has won already and keeps its line as rolled.
    for (const char* p : {"Old Winner", "New Face", "C3", "P4", "P5"})
        h.program.sql(TestSql::InsertWordPreset, {QString::fromUtf8(p), cls});
    h.program.sql(TestSql::InsertWordPreset,
                  {QStringLiteral("Other Class"), QStringLiteral("Second Prize")});
    h.enter();
    h.form->RxSpinEdit1->setValue(3);
    h.space();
    h.ticks(1);
    const QStringList rolled = h.lines();
    h.space();
    const QStringList shown = h.lines();
    QCOMPARE(shown.size(), 3);
    // Line 1 stays as rolled, unless the roll put a preset there too: then
    // someone else who is free takes it, so nobody fills two places.
    if (rolled.at(0) != QStringLiteral("C3"))
        QCOMPARE(shown.at(0), rolled.at(0));
    else
        QVERIFY(shown.at(0) != QStringLiteral("C3") && shown.at(0).startsWith(QLatin1Char('C')));
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), 3);
    QCOMPARE(shown.at(1), QStringLiteral("New Face"));
    QCOMPARE(shown.at(2), QStringLiteral("C3"));
    // The preset that was not a candidate is added with its prize.
    QCOMPARE(h.program.sql(QStringLiteral("select prize from wz where wz='New Face'")).toString(),
             cls);
    QCOMPARE(h.program.count(
                 QStringLiteral("select count(*) from wz where wz in ('P4','P5','Other Class')")),
             0);
    QCOMPARE(h.program.sql(QStringLiteral("select prize from wz where wz='Old Winner'")).toString(),
             QStringLiteral("Earlier"));
}

void TestDraw::presetAlsoRolledIsNotShownTwice() {
    MainWindowHarness h(WordIni());
    h.program.sql(QStringLiteral("delete from wz"));
    for (const char* w : {"Ann", "Bob", "Cy", "Dee"})
        h.program.sql(TestSql::InsertWord, {QString::fromUtf8(w)});
    h.program.sql(TestSql::InsertWordPreset, {QStringLiteral("dee"), cls});
    // Three of four roll; Dee is often among them and also takes line 1 as the preset.
    for (int draw = 0; draw < 30; ++draw) {
        h.program.sql(QStringLiteral("update wz set prize=null"));
        h.enter();
        h.form->RxSpinEdit1->setValue(3);
        if (!h.form->Timer1->isActive())
            h.space();
        h.ticks(1);
        h.space();
        const QStringList shown = h.lines();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0), QStringLiteral("dee"));
        QSet<QString> distinct;
        for (const QString& w : shown)
            distinct.insert(w.toLower());
        QVERIFY2(distinct.size() == 3, qPrintable(shown.join(QLatin1Char(','))));
        QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), 3);
        h.ticks(1);
    }
    // With nobody else free, the copy is dropped rather than shown twice.
    h.program.sql(QStringLiteral("update wz set prize=null"));
    h.program.sql(QStringLiteral("delete from wz where wz in ('Ann','Bob')"));
    h.program.sql(QStringLiteral("update wz set prize='Earlier' where wz='Cy'"));
    h.enter();
    h.form->RxSpinEdit1->setValue(2);
    if (!h.form->Timer1->isActive())
        h.space();
    h.ticks(1);
    h.form->LabelWZ->setText(QStringLiteral("Cy") + LineBreak + QStringLiteral("Dee"));
    h.space();
    QCOMPARE(h.lines(), (QStringList{QStringLiteral("dee")}));
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), 1);
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestDraw::photoPresetSkipsWonAndMissing() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), names(4));
    const QStringList cheats = files.makePhotos(
        QStringLiteral("cheat"),
        {QStringLiteral("Gone.jpg"), QStringLiteral("Won.jpg"), QStringLiteral("Star.jpg")});
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    QFile::remove(cheats.at(0));
    h.program.sql(TestSql::InsertPhotoWinner,
                  {cheats.at(1), QStringLiteral("Won.jpg"), QStringLiteral("Earlier")});
    for (const QString& c : cheats)
        h.program.sql(TestSql::InsertPhotoPreset, {c, cls});
    h.program.sql(TestSql::InsertPhotoPreset, {cheats.at(2), QStringLiteral("Second Prize")});
    h.enter();
    h.space();
    h.ticks(1);
    h.space();
    QCOMPARE(h.form->CurrentPhoto, cheats.at(2));
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Star.jpg"));
    QCOMPARE(
        h.program.count(QStringLiteral("select count(*) from prize where filename=? and class=?"),
                        {cheats.at(2), cls}),
        1);
    // Used up: the next draw of the class rolls normally.
    h.enter();
    h.space();
    h.ticks(1);
    const QString rolled = h.form->CurrentPhoto;
    h.space();
    QCOMPARE(h.form->CurrentPhoto, rolled);
}

void TestDraw::failedSaveIsReportedAndNotAnnounced() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), names(3));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos")), true));
    h.enter();
    h.space();
    h.ticks(1);
    h.program.sql(QStringLiteral("pragma query_only=1"));
    // The operator tries once more, then gives up: two questions, nothing recorded.
    h.prompts.yesNoAnswers.enqueue(true);
    h.prompts.yesNoAnswers.enqueue(false);
    h.space();
    QCOMPARE(h.prompts.questions.size(), 2);
    for (const QString& q : std::as_const(h.prompts.questions)) {
        QVERIFY(q.startsWith(QStringLiteral("Save Failure!|Save Failure!\n")));
        QVERIFY(q.contains(QFileInfo(h.form->CurrentPhoto).fileName() +
                           QStringLiteral(" (First Prize) has not been recorded")));
        QVERIFY2(q.contains(QStringLiteral("readonly")), qPrintable(q));
    }
    QVERIFY(h.prompts.messages.isEmpty());
    QVERIFY(!h.form->LabelWZ->text().contains(QStringLiteral("Congratulations")));
    h.program.sql(QStringLiteral("pragma query_only=0"));
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 0);
}

void TestDraw::brokenStoreShowsErrorAndRecordsNothing() {
    MainWindowHarness h(WordIni());
    h.enter();
    h.space();
    h.program.sql(QStringLiteral("drop view wzd"));
    h.ticks(1);
    QVERIFY(h.form->LabelWZ->text().contains(QStringLiteral("wzd")));
    QVERIFY(h.form->Timer1->isActive());
    const qlonglong rows = h.program.count(QStringLiteral("select count(*) from wz"));
    h.space();
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz")), rows);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 0);
    QCOMPARE(h.prompts.messages.size(), 1);
    QVERIFY(h.prompts.messages.at(0).startsWith(QStringLiteral("Save Failure!")));
}

void TestDraw::resetRefusals_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("messages");
    const QString refused = QStringLiteral("Can not Initialize, input OK please!");
    QTest::newRow("No") << false << QString() << QStringList{};
    QTest::newRow("Ok") << true << QStringLiteral("Ok") << QStringList{refused};
    QTest::newRow("cancelled input") << true << QString() << QStringList{refused};
    QTest::newRow("OK with a blank") << true << QStringLiteral("OK ") << QStringList{refused};
}

void TestDraw::resetRefusals() {
    QFETCH(bool, yes);
    QFETCH(QString, answer);
    MainWindowHarness h(WordIni());
    h.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
    h.prompts.yesNoAnswers.enqueue(yes);
    if (!answer.isEmpty())
        h.prompts.inputAnswers.enqueue(answer);
    h.form->ActionInitExecute();
    QCOMPARE(h.prompts.questions.first(), QStringLiteral("CAUTION|Are You Sure?"));
    QTEST(h.prompts.messages, "messages");
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), 1);
}

void TestDraw::resetInBothModes() {
    {
        MainWindowHarness h(WordIni());
        h.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
        h.program.sql(TestSql::InsertWonWord, {QStringLiteral("Preset Guy"), cls});
        h.program.sql(TestSql::InsertWordPreset, {QStringLiteral("Preset Guy"), cls});
        h.program.sql(TestSql::InsertWordPreset,
                      {QStringLiteral("Alice Martin"), QStringLiteral("Second Prize")});
        h.prompts.yesNoAnswers.enqueue(true);
        h.prompts.inputAnswers.enqueue(QStringLiteral("ok"));
        h.form->ActionInitExecute();
        QCOMPARE(h.prompts.messages, QStringList{QStringLiteral("Initialize Success!")});
        QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")),
                 0);
        // Candidates equal to a preset word of any class are gone; presets stay.
        QCOMPARE(h.program.count(TestSql::CountWord, {QStringLiteral("Preset Guy")}), 0);
        QCOMPARE(h.program.count(TestSql::CountWord, {QStringLiteral("Alice Martin")}), 0);
        QCOMPARE(h.program.count(QStringLiteral("select count(*) from zb1")), 2);
        QCOMPARE(h.program.count(TestSql::CountWord, {QStringLiteral("Chen Wei")}), 1);
    }
    {
        TempProgram files;
        files.makePhotos(QStringLiteral("photos"), names(2));
        MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
        h.program.sql(TestSql::InsertPhotoWinner,
                      {QStringLiteral("/x/a.jpg"), QStringLiteral("a.jpg"), cls});
        h.program.sql(TestSql::InsertPhotoPreset, {QStringLiteral("/x/b.jpg"), cls});
        h.prompts.yesNoAnswers.enqueue(true);
        h.prompts.inputAnswers.enqueue(QStringLiteral("OK"));
        h.form->ActionInitExecute();
        QCOMPARE(h.prompts.messages, QStringList{QStringLiteral("Initialize Success!")});
        QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 0);
        QCOMPARE(h.program.count(QStringLiteral("select count(*) from zb")), 1);
    }
}

void TestDraw::winnerCountSentence() {
    MainWindowHarness h(WordIni());
    QString text;
    h.form->WinnerCountText(text);
    QCOMPARE(text, QStringLiteral("There are 0 persons who won First Prize"));
    h.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
    h.program.sql(TestSql::MarkWordWon, {QStringLiteral("first prize"), QStringLiteral("Wang Fang")});
    h.form->WinnerCountText(text);
    QCOMPARE(text, QStringLiteral("There are 2 persons who won First Prize"));
    // The prompt shows it while the mouse rests on the box, and comes back after.
    h.form->bsSkinComboBox1MouseEnter();
    QCOMPARE(h.form->Label1->text(), text);
    h.enter();
    QCOMPARE(h.form->Label1->text(), QStringLiteral("After Set Lottery Class,Press Space Bar"));
    h.form->bsSkinComboBox1MouseLeave();
    QCOMPARE(h.form->Label1->text(), QStringLiteral("PRESS ENTER KEY TO BEGIN"));
    // A failing count leaves the prompt alone.
    h.program.sql(QStringLiteral("alter table wz rename to wz_gone"));
    h.form->WinnerCountText(text);
    QVERIFY(text.isEmpty());
    QCOMPARE(h.prompts.messages.size(), 2);
    h.form->bsSkinComboBox1MouseEnter();
    QCOMPARE(h.form->Label1->text(), QStringLiteral("PRESS ENTER KEY TO BEGIN"));
    QVERIFY(h.form->SavedPrompt.isEmpty());
}

void TestDraw::announcementShowsNameAndEndsOnEnter() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), {QStringLiteral("Dr. Who.jpg")});
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos")), true));
    h.enter();
    h.space();
    h.ticks(1);
    h.space();
    QCOMPARE(h.form->LabelWZ->text(), QStringLiteral("Congratulations\rDr\rWon the First Prize!"));
    QVERIFY(h.form->LabelWZ->layoutBottom());
    QCOMPARE(h.form->LabelWZ->fontColor(), h.form->WordFontColor);
    QCOMPARE(h.form->LabelWZ->fontSize(), h.form->WordFontSize);
    QVERIFY(h.form->Image2->AlignClient);
    QCOMPARE(h.form->Image2->width(), h.form->bsSkinPanel1->width());
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 1);

    // Enter pressed while it animates arms the next draw and ends the animation.
    h.program.sql(QStringLiteral("delete from prize"));
    h.form->AnnounceStepMs = 1;
    h.ticks(1);
    h.enter();
    h.space();
    h.ticks(1);
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : h.form.get();
    QCoreApplication::postEvent(focus,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
    h.space();
    QVERIFY(h.form->DrawArmed);
    QVERIFY(h.form->LabelWZ->text().isEmpty());
    QVERIFY(!h.form->LabelWZ->layoutBottom());
    QCOMPARE(h.form->LabelWZ->fontSize(), h.form->WordFontSize);
    QVERIFY(h.form->Image2->AlignClient);
}

void TestDraw::noAnnouncementInWordMode() {
    MainWindowHarness h(WordIni());
    QVERIFY(ShowWinnerFlag);
    h.enter();
    h.space();
    h.ticks(1);
    const QString shown = h.form->LabelWZ->text();
    h.space();
    QCOMPARE(h.form->LabelWZ->text(), shown);
    QVERIFY(!shown.contains(QStringLiteral("Congratulations")));
}

QTEST_MAIN(TestDraw)
#include "tst_draw.moc"
