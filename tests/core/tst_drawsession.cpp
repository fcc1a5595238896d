// Whole draws through the session, without a window: Enter, Space and roll steps
// as calls, the store and the session's signals afterwards.
#include "core/data/Database.h"
#include "core/draw/DrawSession.h"
#include "core/media/SoundPlayer.h"
#include "core/settings/ProgramSettings.h"
#include "support/SoundFixtures.h"
#include "support/TempProgram.h"
#include "support/TestSql.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QQueue>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString cls = QStringLiteral("First Prize");
const QString armedPrompt = QStringLiteral("After Set Lottery Class,Press Space Bar");
const QString rollingPrompt = QStringLiteral("Press Space Bar to Draw");
const QString stoppedPrompt = QStringLiteral("Press Enter Key to Begin Next");

// prize.ini lines for a photo event on the folder; music files are taken from the program folder.
QStringList photoIni(const QString& folder, bool showWinner = false,
                     const QString& rollMusic = QString(), const QString& winMusic = QString()) {
    QStringList ini{QStringLiteral("[prize]"), QStringLiteral("caption=Gala 2026"),
                    QStringLiteral("PhotoPath=") + folder, QStringLiteral("Mode=0"),
                    QStringLiteral("ShowWinner=") +
                        (showWinner ? QStringLiteral("1") : QStringLiteral("0"))};
    if (!rollMusic.isEmpty())
        ini << QStringLiteral("BackGroundSound1=") + rollMusic;
    if (!winMusic.isEmpty())
        ini << QStringLiteral("BackGroundSound2=") + winMusic;
    return ini;
}

// A word event that would announce winners if word draws announced.
QStringList wordIni() {
    return {QStringLiteral("[prize]"), QStringLiteral("caption=Word Night"),
            QStringLiteral("Mode=1"), QStringLiteral("ShowWinner=1")};
}

QString last(const QSignalSpy& spy, int argument = 0) {
    return spy.isEmpty() ? QString() : spy.last().at(argument).toString();
}

// A program folder, its database and a session on them, with every signal recorded.
struct Rig {
    TempProgram program;
    DrawSession session;
    QSignalSpy prompts{&session, &DrawSession::promptChanged};
    QSignalSpy captions{&session, &DrawSession::captionChanged};
    QSignalSpy armedSpy{&session, &DrawSession::armed};
    QSignalSpy shown{&session, &DrawSession::photoShown};
    QSignalSpy linesSpy{&session, &DrawSession::linesShown};
    QSignalSpy failures{&session, &DrawSession::rollFailed};
    QSignalSpy recorded{&session, &DrawSession::winnersRecorded};
    QSignalSpy announced{&session, &DrawSession::announce};
    QSignalSpy errors{&session, &DrawSession::errorOccurred};
    // The retry questions asked, and their answers (No when none is left).
    QStringList questions;
    QQueue<bool> answers;

    Rig() {
        session.setRetryQuestion([this](const QString& message) {
            questions << message;
            return answers.isEmpty() ? false : answers.dequeue();
        });
    }

    // Reads prize.ini as the program does and hands it to the session.
    void start(const QStringList& ini) {
        program.writeIni(ini);
        QVERIFY(program.openDatabase()->isUsable());
        const ProgramSettings settings = ProgramSettings::read();
        QVERIFY(settings.exists());
        session.configure(settings);
        session.rescanPhotos();
        session.setPrizeClass(cls);
    }

    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            session.step();
    }
    // The paths of the photos shown from emission `from` on.
    QStringList shownFrom(qsizetype from) const {
        QStringList paths;
        for (qsizetype i = from; i < shown.size(); ++i)
            paths << shown.at(i).at(0).toString();
        return paths;
    }
};
} // namespace

class TestDrawSession : public QObject {
    Q_OBJECT
private slots:
    void photoDraw_data();
    void photoDraw();
    void wordDraw_data();
    void wordDraw();
    void winnersNeverRepeatUntilReset();
    void stateTableOddTransitions();
    void enterAfterStopRollsAtOnceWithoutMusic();
    void photoStepSkipsWonMissingAndBrokenPhotos();
    void everyPhotoWonShowsNothingAndRecordsNothing();
    void photoPathWithQuote();
    void oneStopMarksOneOfSameNamedRows();
    void rowWonElsewhereFailsTheWholeDraw();
    void blankLineIsNotInsertedAsACandidate();
    void wordPresetPositions();
    void presetAlsoRolledIsNotShownTwice();
    void photoPresetSkipsWonAndMissing();
    void failedSaveAsksTryAgainAndIsNotAnnounced();
    void brokenStoreShowsErrorAndRecordsNothing();
    void resetInBothModes();
    void winnerCountSentence_data();
    void winnerCountSentence();
    void drawnAndFreeCounts_data();
    void drawnAndFreeCounts();
    void announcedNameIsTheFileNameLessItsExtension_data();
    void announcedNameIsTheFileNameLessItsExtension();
    void nothingLeftInWordMode();
    void nothingLeftInPhotoMode_data();
    void nothingLeftInPhotoMode();
    void lastPhotoWonIsNotNothingLeftAfterTheStop();
};

void TestDrawSession::photoDraw_data() {
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

void TestDrawSession::photoDraw() {
    QFETCH(int, photos);
    QFETCH(int, wonBefore);
    QFETCH(int, presetIndex);
    QFETCH(bool, expectWinner);
    Rig r;
    const QStringList paths =
        r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(qMax(photos, 1)));
    const QStringList candidates = paths.mid(0, photos);
    if (photos == 0)
        QFile::remove(paths.at(0));
    r.start(photoIni(r.program.path(QStringLiteral("photos"))));
    QCOMPARE(r.session.photos().size(), photos);
    for (int i = 0; i < wonBefore; ++i)
        r.program.sql(TestSql::InsertPhotoWinner,
                      {candidates.at(i), QFileInfo(candidates.at(i)).fileName(), cls});
    QString preset;
    if (presetIndex >= 0) {
        // Presets live in their own folder, as the editor asks.
        preset =
            photos == 0
                ? r.program.makePhotos(QStringLiteral("cheat"), {QStringLiteral("Boss.jpg")}).at(0)
                : candidates.at(presetIndex);
        r.program.sql(TestSql::InsertPhotoPreset, {preset, cls});
    }

    r.session.arm();
    QVERIFY(r.session.isArmed());
    QCOMPARE(r.session.state(), DrawSession::State::Armed);
    QCOMPARE(last(r.prompts), armedPrompt);
    QCOMPARE(last(r.captions), QStringLiteral("Gala 2026"));
    // A photo draw clears the photo on show as well.
    QCOMPARE(r.armedSpy.size(), 1);
    QCOMPARE(r.armedSpy.last().at(0).toBool(), true);
    QCOMPARE(static_cast<int>(r.session.rollOrder().size()), photos);
    r.session.startOrStop();
    QVERIFY(r.session.isRolling());
    QCOMPARE(r.session.state(), DrawSession::State::Rolling);
    QCOMPARE(last(r.prompts), rollingPrompt);
    r.ticks(3);
    if (photos > wonBefore) {
        const QString current = r.session.currentPhoto();
        QVERIFY(candidates.contains(current));
        QCOMPARE(last(r.shown), current);
        QVERIFY(!r.shown.last().at(1).value<QImage>().isNull());
        const int index = static_cast<int>(r.session.photos().indexOf(current));
        QCOMPARE(last(r.captions),
                 QFileInfo(current).fileName() + QLatin1Char(' ') + QString::number(index));
        QCOMPARE(r.program.count(TestSql::CountPhotoWins, {current}), 0);
    } else {
        QVERIFY(r.shown.isEmpty());
    }
    const QString rolled = r.session.currentPhoto();
    r.session.startOrStop();
    QVERIFY(!r.session.isArmed());
    QCOMPARE(last(r.prompts), stoppedPrompt);
    const QString expected = (presetIndex >= 0 && presetIndex >= wonBefore) ? preset : rolled;
    QCOMPARE(r.session.currentPhoto(), expected);
    // The display shows the winner, and a preset's caption is its file name alone.
    QCOMPARE(last(r.shown), expected);
    if (expected != rolled)
        QCOMPARE(last(r.captions), QFileInfo(expected).fileName());
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize where class=?"), {cls}),
             wonBefore + (expectWinner ? 1 : 0));
    QCOMPARE(
        r.program.count(
            QStringLiteral("select count(*) from prize where filename=? and name=? and class=?"),
            {expected, QFileInfo(expected).fileName(), cls}),
        1);
    QCOMPARE(r.recorded.size(), 1);
    QCOMPARE(last(r.recorded, 0), cls);
    QCOMPARE(r.recorded.last().at(1).toStringList(), QStringList{QFileInfo(expected).fileName()});
    QVERIFY(r.errors.isEmpty());
    QVERIFY(r.questions.isEmpty());
    // The announcement is off in this event.
    QVERIFY(r.announced.isEmpty());
    // The next step notices the stop and ends the roll.
    if (photos > wonBefore + 1) {
        QCOMPARE(r.session.state(), DrawSession::State::Stopping);
        r.ticks(1);
        QVERIFY(!r.session.isRolling());
        QCOMPARE(r.session.state(), DrawSession::State::Idle);
    }
}

void TestDrawSession::wordDraw_data() {
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

void TestDrawSession::wordDraw() {
    QFETCH(int, candidates);
    QFETCH(int, N);
    QFETCH(int, wonBefore);
    QFETCH(QStringList, presets);
    QFETCH(int, expectedLines);
    Rig r;
    r.start(wordIni());
    r.program.sql(QStringLiteral("delete from wz"));
    for (int i = 0; i < candidates; ++i)
        r.program.sql(TestSql::InsertWord, {QStringLiteral("W%1").arg(i, 2, 10, QLatin1Char('0'))});
    r.program.sql(
        QStringLiteral(
            "update wz set prize='Earlier' where id in (select id from wz order by id limit ?)"),
        {wonBefore});
    for (const QString& p : presets)
        r.program.sql(TestSql::InsertWordPreset, {p, cls});

    r.session.arm();
    QCOMPARE(last(r.prompts), armedPrompt);
    QCOMPARE(last(r.captions), QStringLiteral("Word Night"));
    // A word draw leaves the photo alone.
    QCOMPARE(r.armedSpy.size(), 1);
    QCOMPARE(r.armedSpy.last().at(0).toBool(), false);
    r.session.setWordCount(N);
    r.session.startOrStop();
    QCOMPARE(last(r.prompts), rollingPrompt);
    r.ticks(2);
    QStringList shown = r.session.lines();
    QCOMPARE(shown.size(), expectedLines);
    QCOMPARE(r.linesSpy.size(), 2);
    QCOMPARE(r.linesSpy.last().at(0).toStringList(), shown);
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), shown.size());
    for (const QString& w : shown)
        QCOMPARE(r.program.count(
                     QStringLiteral("select count(*) from wz where wz=? and prize is null"), {w}),
                 1);
    r.session.startOrStop();
    QCOMPARE(last(r.prompts), stoppedPrompt);
    shown = r.session.lines();
    QCOMPARE(shown.size(), expectedLines);
    for (int i = 0; i < presets.size() && i < shown.size(); ++i)
        QCOMPARE(shown.at(i), presets.at(i));
    if (!presets.isEmpty())
        QCOMPARE(r.linesSpy.last().at(0).toStringList(), shown);
    QCOMPARE(r.program.count(TestSql::CountWordWinnersOfClass, {cls}), shown.size());
    for (const QString& w : shown)
        QCOMPARE(r.program.sql(QStringLiteral("select prize from wz where wz=?"), {w}).toString(),
                 cls);
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz where prize='Earlier'")),
             wonBefore);
    if (shown.isEmpty()) {
        QVERIFY(r.recorded.isEmpty());
    } else {
        QCOMPARE(r.recorded.size(), 1);
        QCOMPARE(last(r.recorded, 0), cls);
        QCOMPARE(r.recorded.last().at(1).toStringList(), shown);
    }
    QVERIFY(r.errors.isEmpty());
    QVERIFY(r.questions.isEmpty());
    // Word draws are never announced, whatever the setting says.
    QVERIFY(r.session.showWinner());
    QVERIFY(r.announced.isEmpty());
    r.ticks(1);
    QVERIFY(!r.session.isRolling());
    QCOMPARE(r.session.lines(), shown);
}

void TestDrawSession::winnersNeverRepeatUntilReset() {
    Rig r;
    r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(4));
    r.start(photoIni(r.program.path(QStringLiteral("photos"))));
    QSet<QString> winners;
    for (int draw = 0; draw < 4; ++draw) {
        r.session.arm();
        r.session.startOrStop();
        r.ticks(5);
        r.session.startOrStop();
        const QString current = r.session.currentPhoto();
        QVERIFY(!current.isEmpty());
        QVERIFY2(!winners.contains(current), qPrintable(current));
        winners.insert(current);
        r.ticks(2);
    }
    QCOMPARE(winners.size(), 4);
    // A fifth draw has nothing left: nothing is shown and nothing recorded.
    r.session.arm();
    r.session.startOrStop();
    const qsizetype shownBefore = r.shown.size();
    r.ticks(3);
    QVERIFY(r.session.currentPhoto().isEmpty());
    QCOMPARE(r.shown.size(), shownBefore);
    r.session.startOrStop();
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 4);
    r.session.resetWinners();
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 0);
    // The roll never found a free photo, so it is still stepping: Enter rolls at once.
    QVERIFY(r.session.isRolling());
    r.session.arm();
    QVERIFY(r.session.isRolling());
    QCOMPARE(r.session.state(), DrawSession::State::Rolling);
    r.ticks(1);
    r.session.startOrStop();
    QVERIFY(winners.contains(r.session.currentPhoto()));
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 1);
}

void TestDrawSession::stateTableOddTransitions() {
    Rig r;
    r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(6));
    r.start(photoIni(r.program.path(QStringLiteral("photos"))));
    // Space before any Enter does nothing.
    r.session.startOrStop();
    QVERIFY(!r.session.isArmed());
    QVERIFY(!r.session.isRolling());
    QCOMPARE(r.session.state(), DrawSession::State::Idle);
    QVERIFY(r.prompts.isEmpty());
    // Enter twice: the second changes nothing, the order is not shuffled again and
    // the display is not cleared again.
    r.session.arm();
    const std::vector<int> order = r.session.rollOrder();
    const qsizetype promptsAfterArming = r.prompts.size();
    r.session.arm();
    QVERIFY(r.session.rollOrder() == order);
    QCOMPARE(r.armedSpy.size(), 1);
    QCOMPARE(r.prompts.size(), promptsAfterArming);
    QCOMPARE(r.session.state(), DrawSession::State::Armed);
    // Two quick spaces: stopped before the first step showed anything; nothing recorded.
    r.session.startOrStop();
    r.session.startOrStop();
    QVERIFY(!r.session.isArmed());
    QCOMPARE(r.session.state(), DrawSession::State::Stopping);
    QVERIFY(r.session.currentPhoto().isEmpty());
    QVERIFY(r.recorded.isEmpty());
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 0);
    // A second space after the stop does nothing.
    const qsizetype promptsAfterStop = r.prompts.size();
    r.session.startOrStop();
    QVERIFY(!r.session.isArmed());
    QCOMPARE(r.session.state(), DrawSession::State::Stopping);
    QCOMPARE(r.prompts.size(), promptsAfterStop);
    QCOMPARE(last(r.prompts), stoppedPrompt);
    r.ticks(1);
    QVERIFY(!r.session.isRolling());
    QCOMPARE(r.session.state(), DrawSession::State::Idle);
    QVERIFY(r.shown.isEmpty());
}

void TestDrawSession::enterAfterStopRollsAtOnceWithoutMusic() {
    Rig r;
    r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(5));
    using SoundFixtures::Format;
    QVERIFY(SoundFixtures::writeTone(r.program.path(QStringLiteral("roll.wav")), Format::Wav, 300));
    QVERIFY(SoundFixtures::writeTone(r.program.path(QStringLiteral("win.wav")), Format::Wav, 300));
    r.start(photoIni(r.program.path(QStringLiteral("photos")), false, QStringLiteral("roll.wav"),
                     QStringLiteral("win.wav")));
    SoundPlayer* player = r.session.player();
    r.session.arm();
    r.session.startOrStop();
    // The roll music loops while the roll runs.
    QVERIFY(player->isLooping());
    QCOMPARE(QFileInfo(player->currentFile()).fileName(), QStringLiteral("roll.wav"));
    r.ticks(1);
    r.session.startOrStop();
    QVERIFY(r.session.isRolling()); // stopping: the next step switches it off
    QVERIFY(!player->isLooping());
    QCOMPARE(QFileInfo(player->currentFile()).fileName(), QStringLiteral("win.wav"));
    const int runs = player->runCount();
    r.session.arm();
    QVERIFY(r.session.isArmed());
    QVERIFY(r.session.isRolling());
    QCOMPARE(r.session.state(), DrawSession::State::Rolling);
    // Arming stopped the winner music and no roll music started.
    QVERIFY(!player->isLooping());
    QVERIFY(!player->isPlaying());
    QCOMPARE(QFileInfo(player->currentFile()).fileName(), QStringLiteral("win.wav"));
    QCOMPARE(player->runCount(), runs);
    const qsizetype shownBefore = r.shown.size();
    r.ticks(1);
    QCOMPARE(r.shown.size(), shownBefore + 1);
    const QString second = r.session.currentPhoto();
    QCOMPARE(last(r.shown), second);
    r.session.startOrStop();
    QVERIFY(!r.session.isArmed());
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 2);
    QCOMPARE(r.program.count(TestSql::CountPhotoWins, {second}), 1);
    r.session.stopSound();
}

void TestDrawSession::photoStepSkipsWonMissingAndBrokenPhotos() {
    Rig r;
    const QStringList paths = r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(30));
    r.start(photoIni(r.program.path(QStringLiteral("photos"))));
    // 27 of 30 are out: won, deleted since the scan, or not a picture at all.
    for (int i = 0; i < 10; ++i)
        r.program.sql(TestSql::InsertPhotoWinner,
                      {paths.at(i), QFileInfo(paths.at(i)).fileName(), cls});
    for (int i = 10; i < 20; ++i)
        QFile::remove(paths.at(i));
    for (int i = 20; i < 27; ++i) {
        QFile f(paths.at(i));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("not a jpeg at all");
    }
    const QSet<QString> good{paths.at(27), paths.at(28), paths.at(29)};
    r.session.arm();
    r.session.startOrStop();
    for (int t = 0; t < 60; ++t) {
        r.ticks(1);
        QVERIFY(r.session.rollCursor() >= 0 && r.session.rollCursor() < 30);
        if (!r.session.currentPhoto().isEmpty())
            QVERIFY2(good.contains(r.session.currentPhoto()), qPrintable(r.session.currentPhoto()));
    }
    QVERIFY(!r.shown.isEmpty());
    for (const QString& p : r.shownFrom(0))
        QVERIFY2(good.contains(p), qPrintable(p));
    r.session.startOrStop();
    QVERIFY(good.contains(r.session.currentPhoto()));
    QCOMPARE(r.program.count(TestSql::CountPhotoWins, {r.session.currentPhoto()}), 1);
}

void TestDrawSession::everyPhotoWonShowsNothingAndRecordsNothing() {
    Rig r;
    const QStringList paths = r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(3));
    r.start(photoIni(r.program.path(QStringLiteral("photos"))));
    // The last draw's winner is still on screen and in the session.
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    r.session.startOrStop();
    const QString winner = r.session.currentPhoto();
    QVERIFY(!winner.isEmpty());
    for (const QString& p : paths)
        if (p != winner)
            r.program.sql(TestSql::InsertPhotoWinner, {p, QFileInfo(p).fileName(), cls});
    r.ticks(3);
    // Nothing free: the stopping roll runs on, and Enter arms a draw that rolls at once.
    r.session.arm();
    QCOMPARE(r.armedSpy.size(), 2);
    QCOMPARE(r.armedSpy.last().at(0).toBool(), true);
    QVERIFY(r.session.currentPhoto().isEmpty());
    QCOMPARE(r.session.state(), DrawSession::State::Rolling);
    const qsizetype shownBefore = r.shown.size();
    r.session.startOrStop();
    r.ticks(5);
    QCOMPARE(r.shown.size(), shownBefore);
    QVERIFY(r.session.isRolling());
    r.session.startOrStop();
    // Nothing new was shown, so nothing is recorded: the old winner is not recorded twice.
    QCOMPARE(r.recorded.size(), 1);
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 3);
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from (select filename from prize "
                                            "group by filename having count(*) > 1)")),
             0);
    r.ticks(3);
    QVERIFY(r.session.isRolling()); // nothing free: steps run on and change nothing
    QCOMPARE(r.shown.size(), shownBefore);
}

void TestDrawSession::photoPathWithQuote() {
    Rig r;
    const QStringList paths = r.program.makePhotos(QStringLiteral("O'Brien's photos"),
                                                   {QStringLiteral("Dan O'Neil.jpg")});
    r.start(photoIni(r.program.path(QStringLiteral("O'Brien's photos"))));
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    QCOMPARE(r.session.currentPhoto(), paths.at(0));
    QCOMPARE(last(r.captions), QStringLiteral("Dan O'Neil.jpg 0"));
    r.session.startOrStop();
    QCOMPARE(r.program.sql(QStringLiteral("select name from prize")).toString(),
             QStringLiteral("Dan O'Neil.jpg"));
    QCOMPARE(r.program.sql(QStringLiteral("select filename from prize")).toString(), paths.at(0));
    // It has won now: the next draw does not show it.
    r.session.arm();
    r.session.startOrStop();
    const qsizetype shownBefore = r.shown.size();
    r.ticks(2);
    QVERIFY(r.session.currentPhoto().isEmpty());
    QCOMPARE(r.shown.size(), shownBefore);
}

void TestDrawSession::oneStopMarksOneOfSameNamedRows() {
    Rig r;
    r.start(wordIni());
    r.program.sql(QStringLiteral("delete from wz"));
    // Three colleagues of one name: each stop marks one person, the others stay free.
    for (const char* w : {"Wang Fang", "Wang Fang", "WANG FANG"})
        r.program.sql(TestSql::InsertWord, {QString::fromUtf8(w)});
    QList<qint64> won;
    for (int draw = 1; draw <= 3; ++draw) {
        r.session.arm();
        r.session.startOrStop();
        r.ticks(1);
        QCOMPARE(r.session.lines().size(), 1);
        QCOMPARE(r.session.lineIds().size(), 1);
        const qint64 id = r.session.lineIds().at(0);
        QVERIFY(!won.contains(id));
        won << id;
        r.session.startOrStop();
        QCOMPARE(r.program.count(TestSql::CountWordWinnersOfClass, {cls}), draw);
        QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz where id=? and prize=?"),
                                 {id, cls}),
                 1);
        r.ticks(1);
    }
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz")), 3);
    QVERIFY(r.errors.isEmpty());
    QVERIFY(r.questions.isEmpty());
}

void TestDrawSession::rowWonElsewhereFailsTheWholeDraw() {
    Rig r;
    r.start(wordIni());
    r.program.sql(QStringLiteral("delete from wz"));
    for (const char* w : {"Ann", "Bob", "Cy", "Dee"})
        r.program.sql(TestSql::InsertWord, {QString::fromUtf8(w)});
    r.session.setWordCount(3);
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    QCOMPARE(r.session.lineIds().size(), 3);
    // Another program marks the middle line's row before the stop.
    const qint64 taken = r.session.lineIds().at(1);
    const QString name = r.session.lines().at(1);
    r.program.sql(QStringLiteral("update wz set prize='Elsewhere' where id=?"), {taken});
    r.answers.enqueue(true);
    r.session.startOrStop();
    QCOMPARE(r.questions.size(), 2);
    for (const QString& q : std::as_const(r.questions)) {
        QVERIFY2(q.startsWith(QStringLiteral("Save Failure!\n")), qPrintable(q));
        QVERIFY2(q.contains(name + QStringLiteral(" has won already")), qPrintable(q));
        QVERIFY2(q.contains(r.session.lines().join(QStringLiteral(", ")) +
                            QStringLiteral(" (First Prize) has not been recorded. Try again?")),
                 qPrintable(q));
    }
    // Nothing of the draw is on record, and the other row keeps its own prize.
    QCOMPARE(r.program.count(TestSql::CountWordWinnersOfClass, {cls}), 0);
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 1);
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz where id=? and "
                                            "prize='Elsewhere'"),
                             {taken}),
             1);
    QVERIFY(r.recorded.isEmpty());
}

void TestDrawSession::blankLineIsNotInsertedAsACandidate() {
    Rig r;
    r.start(wordIni());
    const qlonglong before = r.program.count(QStringLiteral("select count(*) from wz"));
    r.session.arm();
    r.session.startOrStop();
    // A blank line and an empty last line, as a display ending in a line break gives.
    r.session.showLines({QStringLiteral("Chen Wei"), QStringLiteral("  "), QString()});
    r.session.startOrStop();
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz")), before);
    QCOMPARE(r.program.count(TestSql::CountWordWinnersOfClass, {cls}), 1);
    QCOMPARE(r.program.count(TestSql::CountWordWins, {QStringLiteral("Chen Wei")}), 1);
    QVERIFY(r.errors.isEmpty());
}

void TestDrawSession::wordPresetPositions() {
    Rig r;
    r.start(wordIni());
    r.program.sql(QStringLiteral("delete from wz"));
    for (int i = 0; i < 10; ++i)
        r.program.sql(TestSql::InsertWord, {QStringLiteral("C%1").arg(i)});
    r.program.sql(TestSql::InsertWord, {QStringLiteral("Old Winner")});
    r.program.sql(TestSql::MarkWordWon, {QStringLiteral("Earlier"), QStringLiteral("Old Winner")});
    // Five presets for three lines: the first has won already and keeps its line as rolled.
    for (const char* p : {"Old Winner", "New Face", "C3", "P4", "P5"})
        r.program.sql(TestSql::InsertWordPreset, {QString::fromUtf8(p), cls});
    r.program.sql(TestSql::InsertWordPreset,
                  {QStringLiteral("Other Class"), QStringLiteral("Second Prize")});
    r.session.arm();
    r.session.setWordCount(3);
    r.session.startOrStop();
    r.ticks(1);
    const QStringList rolled = r.session.lines();
    QCOMPARE(rolled.size(), 3);
    r.session.startOrStop();
    const QStringList shown = r.session.lines();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(r.linesSpy.last().at(0).toStringList(), shown);
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
    QCOMPARE(r.program.sql(QStringLiteral("select prize from wz where wz='New Face'")).toString(),
             cls);
    QCOMPARE(r.program.count(
                 QStringLiteral("select count(*) from wz where wz in ('P4','P5','Other Class')")),
             0);
    QCOMPARE(r.program.sql(QStringLiteral("select prize from wz where wz='Old Winner'")).toString(),
             QStringLiteral("Earlier"));
    QCOMPARE(r.recorded.last().at(1).toStringList(), shown);
}

void TestDrawSession::presetAlsoRolledIsNotShownTwice() {
    Rig r;
    r.start(wordIni());
    r.program.sql(QStringLiteral("delete from wz"));
    for (const char* w : {"Ann", "Bob", "Cy", "Dee"})
        r.program.sql(TestSql::InsertWord, {QString::fromUtf8(w)});
    r.program.sql(TestSql::InsertWordPreset, {QStringLiteral("dee"), cls});
    // Three of four roll; Dee is often among them and also takes line 1 as the preset.
    for (int draw = 0; draw < 30; ++draw) {
        r.program.sql(QStringLiteral("update wz set prize=null"));
        r.session.arm();
        r.session.setWordCount(3);
        if (!r.session.isRolling())
            r.session.startOrStop();
        r.ticks(1);
        r.session.startOrStop();
        const QStringList shown = r.session.lines();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0), QStringLiteral("dee"));
        QSet<QString> distinct;
        for (const QString& w : shown)
            distinct.insert(w.toLower());
        QVERIFY2(distinct.size() == 3, qPrintable(shown.join(QLatin1Char(','))));
        QCOMPARE(r.program.count(TestSql::CountWordWinnersOfClass, {cls}), 3);
        r.ticks(1);
    }
    // With nobody else free, the copy is dropped rather than shown twice.
    r.program.sql(QStringLiteral("update wz set prize=null"));
    r.program.sql(QStringLiteral("delete from wz where wz in ('Ann','Bob')"));
    r.program.sql(QStringLiteral("update wz set prize='Earlier' where wz='Cy'"));
    r.session.arm();
    r.session.setWordCount(2);
    if (!r.session.isRolling())
        r.session.startOrStop();
    r.ticks(1);
    r.session.showLines({QStringLiteral("Cy"), QStringLiteral("Dee")});
    r.session.startOrStop();
    QCOMPARE(r.session.lines(), (QStringList{QStringLiteral("dee")}));
    QCOMPARE(r.program.count(TestSql::CountWordWinnersOfClass, {cls}), 1);
    QVERIFY(r.errors.isEmpty());
    QVERIFY(r.questions.isEmpty());
}

void TestDrawSession::photoPresetSkipsWonAndMissing() {
    Rig r;
    r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(4));
    const QStringList cheats = r.program.makePhotos(
        QStringLiteral("cheat"),
        {QStringLiteral("Gone.jpg"), QStringLiteral("Won.jpg"), QStringLiteral("Star.jpg")});
    r.start(photoIni(r.program.path(QStringLiteral("photos"))));
    QFile::remove(cheats.at(0));
    r.program.sql(TestSql::InsertPhotoWinner,
                  {cheats.at(1), QStringLiteral("Won.jpg"), QStringLiteral("Earlier")});
    for (const QString& c : cheats)
        r.program.sql(TestSql::InsertPhotoPreset, {c, cls});
    r.program.sql(TestSql::InsertPhotoPreset, {cheats.at(2), QStringLiteral("Second Prize")});
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    r.session.startOrStop();
    QCOMPARE(r.session.currentPhoto(), cheats.at(2));
    QCOMPARE(last(r.shown), cheats.at(2));
    QCOMPARE(last(r.captions), QStringLiteral("Star.jpg"));
    QCOMPARE(
        r.program.count(QStringLiteral("select count(*) from prize where filename=? and class=?"),
                        {cheats.at(2), cls}),
        1);
    // Used up: the next draw of the class rolls normally.
    r.ticks(1);
    QVERIFY(!r.session.isRolling());
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    const QString rolled = r.session.currentPhoto();
    QVERIFY(!rolled.isEmpty());
    r.session.startOrStop();
    QCOMPARE(r.session.currentPhoto(), rolled);
    QVERIFY(r.session.photos().contains(rolled));
    QCOMPARE(r.program.count(TestSql::CountPhotoWins, {rolled}), 1);
}

void TestDrawSession::failedSaveAsksTryAgainAndIsNotAnnounced() {
    Rig r;
    r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(3));
    r.start(photoIni(r.program.path(QStringLiteral("photos")), true));
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    const QString name = QFileInfo(r.session.currentPhoto()).fileName();
    r.program.sql(QStringLiteral("pragma query_only=1"));
    // The operator tries once more, then gives up: two questions, nothing recorded.
    r.answers.enqueue(true);
    r.answers.enqueue(false);
    r.session.startOrStop();
    QCOMPARE(r.questions.size(), 2);
    for (const QString& q : std::as_const(r.questions)) {
        QVERIFY2(q.startsWith(QStringLiteral("Save Failure!\n")), qPrintable(q));
        QVERIFY2(q.contains(name + QStringLiteral(" (First Prize) has not been recorded. Try "
                                                  "again?")),
                 qPrintable(q));
        QVERIFY2(q.contains(QStringLiteral("readonly")), qPrintable(q));
    }
    QVERIFY(r.errors.isEmpty());
    QVERIFY(r.recorded.isEmpty());
    QVERIFY(r.announced.isEmpty());
    QCOMPARE(last(r.prompts), stoppedPrompt);
    r.program.sql(QStringLiteral("pragma query_only=0"));
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 0);

    // Trying again once the store takes writes again records and announces the winner.
    r.ticks(1);
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    const QString second = r.session.currentPhoto();
    r.program.sql(QStringLiteral("pragma query_only=1"));
    QStringList asked;
    r.session.setRetryQuestion([&](const QString& message) {
        asked << message;
        r.program.sql(QStringLiteral("pragma query_only=0"));
        return true;
    });
    r.session.startOrStop();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(r.program.count(TestSql::CountPhotoWins, {second}), 1);
    QCOMPARE(r.recorded.size(), 1);
    QCOMPARE(r.announced.size(), 1);
    QCOMPARE(last(r.announced, 0), QFileInfo(second).completeBaseName());

    // Without anyone to ask, the first failure gives up.
    r.ticks(1);
    r.session.setRetryQuestion({});
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    r.program.sql(QStringLiteral("pragma query_only=1"));
    r.session.startOrStop();
    r.program.sql(QStringLiteral("pragma query_only=0"));
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 1);
    QCOMPARE(r.recorded.size(), 1);
    QCOMPARE(r.announced.size(), 1);
}

void TestDrawSession::brokenStoreShowsErrorAndRecordsNothing() {
    Rig r;
    r.start(wordIni());
    r.session.arm();
    r.session.startOrStop();
    r.program.sql(QStringLiteral("drop view wzd"));
    r.ticks(1);
    QCOMPARE(r.failures.size(), 1);
    QVERIFY2(last(r.failures).contains(QStringLiteral("wzd")), qPrintable(last(r.failures)));
    QVERIFY(r.session.linesAreError());
    QVERIFY(r.session.lines().isEmpty());
    QVERIFY(r.session.isRolling());
    const qlonglong rows = r.program.count(QStringLiteral("select count(*) from wz"));
    r.session.startOrStop();
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz")), rows);
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 0);
    QCOMPARE(r.errors.size(), 1);
    QVERIFY(last(r.errors).startsWith(QStringLiteral("Save Failure!")));
    QVERIFY(r.questions.isEmpty());
    QVERIFY(r.recorded.isEmpty());
}

void TestDrawSession::resetInBothModes() {
    {
        Rig r;
        r.start(wordIni());
        r.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
        r.program.sql(TestSql::InsertWonWord, {QStringLiteral("Preset Guy"), cls});
        r.program.sql(TestSql::InsertWordPreset, {QStringLiteral("Preset Guy"), cls});
        r.program.sql(TestSql::InsertWordPreset,
                      {QStringLiteral("Alice Martin"), QStringLiteral("Second Prize")});
        QCOMPARE(r.program.count(TestSql::CountWord, {QStringLiteral("Alice Martin")}), 1);
        r.session.resetWinners();
        QCOMPARE(r.program.count(QStringLiteral("select count(*) from wz where prize is not null")),
                 0);
        // Candidates equal to a preset word of any class are gone; presets stay.
        QCOMPARE(r.program.count(TestSql::CountWord, {QStringLiteral("Preset Guy")}), 0);
        QCOMPARE(r.program.count(TestSql::CountWord, {QStringLiteral("Alice Martin")}), 0);
        QCOMPARE(r.program.count(QStringLiteral("select count(*) from zb1")), 2);
        QCOMPARE(r.program.count(TestSql::CountWord, {QStringLiteral("Chen Wei")}), 1);
    }
    {
        Rig r;
        r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(2));
        r.start(photoIni(r.program.path(QStringLiteral("photos"))));
        r.program.sql(TestSql::InsertPhotoWinner,
                      {QStringLiteral("/x/a.jpg"), QStringLiteral("a.jpg"), cls});
        r.program.sql(TestSql::InsertPhotoPreset, {QStringLiteral("/x/b.jpg"), cls});
        // A photo reset leaves the word winners alone.
        r.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
        r.session.resetWinners();
        QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")), 0);
        QCOMPARE(r.program.count(QStringLiteral("select count(*) from zb")), 1);
        QCOMPARE(r.program.count(TestSql::CountWordWinnersOfClass, {cls}), 1);
    }
}

void TestDrawSession::winnerCountSentence_data() {
    QTest::addColumn<bool>("photoMode");
    QTest::newRow("photo mode") << true;
    QTest::newRow("word mode") << false;
}

void TestDrawSession::winnerCountSentence() {
    QFETCH(bool, photoMode);
    Rig r;
    r.start(photoMode ? photoIni(r.program.path(QStringLiteral("photos"))) : wordIni());
    QCOMPARE(r.session.winnerCountSentence(cls),
             QStringLiteral("There are 0 persons who won First Prize"));
    // Rows are counted: the same photo twice counts twice, and so do two rows of one text.
    if (photoMode) {
        for (int i = 0; i < 2; ++i)
            r.program.sql(TestSql::InsertPhotoWinner,
                          {QStringLiteral("/x/a.jpg"), QStringLiteral("a.jpg"), cls});
        r.program.sql(
            TestSql::InsertPhotoWinner,
            {QStringLiteral("/x/b.jpg"), QStringLiteral("b.jpg"), QStringLiteral("Second Prize")});
        // The other mode's winners do not count.
        r.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
    } else {
        r.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
        r.program.sql(TestSql::MarkWordWon,
                      {QStringLiteral("first prize"), QStringLiteral("Wang Fang")});
        r.program.sql(TestSql::MarkWordWon,
                      {QStringLiteral("Second Prize"), QStringLiteral("Alice Martin")});
        r.program.sql(TestSql::InsertPhotoWinner,
                      {QStringLiteral("/x/a.jpg"), QStringLiteral("a.jpg"), cls});
    }
    QCOMPARE(r.session.winnerCountSentence(cls),
             QStringLiteral("There are 2 persons who won First Prize"));
    QCOMPARE(r.session.winnerCountSentence(QStringLiteral("Second Prize")),
             QStringLiteral("There are 1 persons who won Second Prize"));
    // A failing count gives no sentence and no message: the window leaves the prompt alone.
    r.program.sql(photoMode ? QStringLiteral("alter table prize rename to prize_gone")
                            : QStringLiteral("alter table wz rename to wz_gone"));
    QVERIFY(r.session.winnerCountSentence(cls).isEmpty());
    QVERIFY(r.errors.isEmpty());
    QVERIFY(r.prompts.isEmpty());
}

void TestDrawSession::drawnAndFreeCounts_data() {
    QTest::addColumn<bool>("photoMode");
    QTest::newRow("photo mode") << true;
    QTest::newRow("word mode") << false;
}

void TestDrawSession::drawnAndFreeCounts() {
    QFETCH(bool, photoMode);
    Rig r;
    const QStringList photos = r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(5));
    r.start(photoMode ? photoIni(r.program.path(QStringLiteral("photos"))) : wordIni());
    r.program.sql(QStringLiteral("delete from wz"));
    for (const char* w : {"Chen Wei", "Wang Fang", "Alice Martin", "Li Na", "Bob Stone"})
        r.program.sql(TestSql::InsertWord, {QString::fromUtf8(w)});
    QCOMPARE(r.session.drawnCount(cls), 0);
    QCOMPARE(r.session.freeCandidateCount(), 5);

    // Earlier winners: in photo mode one of the folder's photos spelt in another
    // case (the table ignores ASCII case) and one from elsewhere, which frees nothing here.
    if (photoMode) {
        QString other = photos.at(0);
        other.replace(QStringLiteral("Person"), QStringLiteral("PERSON"));
        r.program.sql(TestSql::InsertPhotoWinner, {other, QStringLiteral("a.jpg"), cls});
        r.program.sql(TestSql::InsertPhotoWinner,
                      {QStringLiteral("/elsewhere/x.jpg"), QStringLiteral("x.jpg"), cls});
    } else {
        r.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
        r.program.sql(TestSql::MarkWordWon,
                      {QStringLiteral("Second Prize"), QStringLiteral("Li Na")});
    }
    QCOMPARE(r.session.drawnCount(cls), photoMode ? 2 : 1);
    QCOMPARE(r.session.freeCandidateCount(), photoMode ? 4 : 3);

    // A whole draw takes one more.
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    r.session.startOrStop();
    QCOMPARE(r.recorded.size(), 1);
    QCOMPARE(r.session.drawnCount(cls), photoMode ? 3 : 2);
    QCOMPARE(r.session.freeCandidateCount(), photoMode ? 3 : 2);

    QSignalSpy reset(&r.session, &DrawSession::winnersReset);
    r.session.resetWinners();
    QCOMPARE(reset.size(), 1);
    QCOMPARE(r.session.drawnCount(cls), 0);
    QCOMPARE(r.session.freeCandidateCount(), 5);

    // A failing count is -1, never a message (the view follows a renamed table).
    if (photoMode) {
        r.program.sql(QStringLiteral("alter table prize rename to prize_gone"));
    } else {
        r.program.sql(QStringLiteral("alter table wz rename to wz_gone"));
        r.program.sql(QStringLiteral("drop view wzd"));
    }
    QCOMPARE(r.session.drawnCount(cls), -1);
    QCOMPARE(r.session.freeCandidateCount(), -1);
    QVERIFY(r.errors.isEmpty());
}

void TestDrawSession::announcedNameIsTheFileNameLessItsExtension_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::newRow("a dot inside the name")
        << QStringLiteral("Dr. Who.jpg") << QStringLiteral("Dr. Who");
    QTest::newRow("plain") << QStringLiteral("IMG_0012.jpeg") << QStringLiteral("IMG_0012");
    QTest::newRow("two extensions")
        << QStringLiteral("team.2026.jpg") << QStringLiteral("team.2026");
}

void TestDrawSession::announcedNameIsTheFileNameLessItsExtension() {
    QFETCH(QString, file);
    QFETCH(QString, name);
    Rig r;
    r.program.makePhotos(QStringLiteral("photos"), {file});
    r.start(photoIni(r.program.path(QStringLiteral("photos")), true));
    r.session.arm();
    r.session.startOrStop();
    r.ticks(1);
    r.session.startOrStop();
    QCOMPARE(r.announced.size(), 1);
    QCOMPARE(last(r.announced, 0), name);
    QCOMPARE(last(r.announced, 1), cls);
    // The record keeps the whole file name.
    QCOMPARE(r.program.sql(QStringLiteral("select name from prize")).toString(), file);
}

void TestDrawSession::nothingLeftInWordMode() {
    Rig r;
    QSignalSpy left(&r.session, &DrawSession::nothingLeft);
    r.start(wordIni());
    r.program.sql(QStringLiteral("delete from wz"));
    for (const QString& w : {QStringLiteral("Ann"), QStringLiteral("Bo"), QStringLiteral("Cy")})
        r.program.sql(TestSql::InsertWord, {w});
    // Fewer free than asked for is not "nothing left".
    r.session.setWordCount(5);
    r.session.arm();
    r.session.startOrStop();
    r.ticks(3);
    QCOMPARE(r.session.lines().size(), 3);
    QVERIFY(left.isEmpty());
    QVERIFY(!r.session.nothingLeftOnShow());
    r.session.startOrStop();
    r.ticks(1);
    QCOMPARE(r.recorded.size(), 1);

    // Everybody has won: the roll says so once, however many steps it runs.
    for (int roll = 1; roll <= 2; ++roll) {
        r.session.arm();
        QVERIFY(!r.session.nothingLeftOnShow());
        r.session.startOrStop();
        r.ticks(4);
        QCOMPARE(left.size(), roll);
        QCOMPARE(left.last().at(0).value<DrawMode>(), DrawMode::Word);
        QVERIFY(r.session.nothingLeftOnShow());
        QVERIFY(r.session.lines().isEmpty());
        QVERIFY(r.linesSpy.last().at(0).toStringList().isEmpty());
        QVERIFY(!r.session.linesAreError());
        // A stop with nothing on show records nothing.
        r.session.startOrStop();
        r.ticks(1);
        QVERIFY(!r.session.isRolling());
        QCOMPARE(r.recorded.size(), 1);
        QCOMPARE(r.program.count(TestSql::CountWordWinnersOfClass, {cls}), 3);
        QVERIFY(r.errors.isEmpty());
    }

    // A candidate freed again is drawn, and the display no longer says nothing is left.
    r.program.sql(QStringLiteral("update wz set prize=null where wz='Bo'"));
    r.session.arm();
    r.session.startOrStop();
    r.ticks(2);
    QCOMPARE(r.session.lines(), QStringList{QStringLiteral("Bo")});
    QVERIFY(!r.session.nothingLeftOnShow());
    QCOMPARE(left.size(), 2);
}

void TestDrawSession::nothingLeftInPhotoMode_data() {
    QTest::addColumn<int>("photos");
    QTest::addColumn<int>("won");     // the first `won` photos have won before
    QTest::addColumn<int>("missing"); // the last `missing` photos are deleted after the scan
    QTest::addColumn<bool>("nothingLeft");
    QTest::newRow("empty folder") << 0 << 0 << 0 << true;
    QTest::newRow("every photo has won") << 5 << 5 << 0 << true;
    QTest::newRow("won or deleted") << 6 << 3 << 3 << true;
    // A step tries a dozen photos; most of these steps meet only winners first.
    QTest::newRow("one free among many winners") << 60 << 59 << 0 << false;
    QTest::newRow("the free one was deleted") << 40 << 39 << 1 << true;
}

void TestDrawSession::nothingLeftInPhotoMode() {
    QFETCH(int, photos);
    QFETCH(int, won);
    QFETCH(int, missing);
    QFETCH(bool, nothingLeft);
    Rig r;
    QSignalSpy left(&r.session, &DrawSession::nothingLeft);
    const QStringList paths = r.program.makePhotos(
        QStringLiteral("photos"), PersonPhotoNames(qMax(photos, 1)), QSize(16, 12));
    if (photos == 0)
        QFile::remove(paths.at(0));
    r.start(photoIni(r.program.path(QStringLiteral("photos"))));
    QCOMPARE(r.session.photos().size(), photos);
    for (int i = 0; i < won; ++i)
        r.program.sql(TestSql::InsertPhotoWinner,
                      {paths.at(i), QFileInfo(paths.at(i)).fileName(), cls});
    for (int i = photos - missing; i < photos; ++i)
        QVERIFY(QFile::remove(paths.at(i)));

    r.session.arm();
    r.session.startOrStop();
    // Enough steps for the roll to walk the whole list several times.
    for (int i = 0; i < 3 * photos / 12 + 4; ++i) {
        r.ticks(1);
        QVERIFY(left.size() <= 1);
        if (!nothingLeft)
            QVERIFY2(left.isEmpty(), "said before the roll had looked at every photo");
    }
    QCOMPARE(left.size(), nothingLeft ? 1 : 0);
    QCOMPARE(r.session.nothingLeftOnShow(), nothingLeft);
    if (nothingLeft) {
        QCOMPARE(left.last().at(0).value<DrawMode>(), DrawMode::Photo);
        QVERIFY(r.shown.isEmpty());
        QVERIFY(r.session.currentPhoto().isEmpty());
    } else {
        QCOMPARE(r.session.currentPhoto(), paths.at(photos - 1));
    }
    r.session.startOrStop();
    QCOMPARE(r.recorded.size(), nothingLeft ? 0 : 1);
    QCOMPARE(r.program.count(QStringLiteral("select count(*) from prize")),
             won + (nothingLeft ? 0 : 1));
    QVERIFY(r.errors.isEmpty());
    // The next roll says it again, once.
    r.session.arm();
    r.ticks(photos / 12 + 3);
    QCOMPARE(left.size(), nothingLeft ? 2 : 1);
}

void TestDrawSession::lastPhotoWonIsNotNothingLeftAfterTheStop() {
    Rig r;
    QSignalSpy left(&r.session, &DrawSession::nothingLeft);
    const QStringList paths = r.program.makePhotos(QStringLiteral("photos"), PersonPhotoNames(1));
    r.start(photoIni(r.program.path(QStringLiteral("photos"))));
    r.session.arm();
    r.session.startOrStop();
    r.ticks(2);
    r.session.startOrStop();
    QCOMPARE(r.recorded.size(), 1);
    // The last photo is on show as the winner: the steps after the stop find no
    // free photo, and that is not news for the display.
    r.ticks(5);
    QVERIFY(left.isEmpty());
    QVERIFY(!r.session.nothingLeftOnShow());
    QCOMPARE(r.session.currentPhoto(), paths.at(0));
    QCOMPARE(r.session.state(), DrawSession::State::Stopping);
}

QTEST_GUILESS_MAIN(TestDrawSession)
#include "tst_drawsession.moc"
