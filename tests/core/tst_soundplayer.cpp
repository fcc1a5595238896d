// The sound player against SDL's dummy output (set by CTest): the dummy device takes
// the sound at the pace of a real one, so runs last as long as their files.
#include "core/media/SoundPlayer.h"

#include "formats/Errors.h"
#include "support/SoundFixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <thread>

using SoundFixtures::Format;

Q_DECLARE_METATYPE(SoundFixtures::Format)

namespace {
const QString kRefused = QStringLiteral("Cannot determine the record file format");
}

class TestSoundPlayer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_short; // 60 ms wave
    QString m_long;  // 3 s wave
    QString m_shortOgg;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // play's refusal, with its text; false when it did not throw.
    static bool refuses(SoundPlayer& player, const QString& file, bool looping) {
        try {
            player.play(file, looping);
        } catch (const SoundFileError& e) {
            return e.message() == kRefused;
        }
        return false;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_short = path(QStringLiteral("short.wav"));
        m_long = path(QStringLiteral("long.wav"));
        m_shortOgg = path(QStringLiteral("short.ogg"));
        QVERIFY(SoundFixtures::writeTone(m_short, Format::Wav, 60));
        QVERIFY(SoundFixtures::writeTone(m_long, Format::Wav, 3000, 22050, 1));
        QVERIFY(SoundFixtures::writeTone(m_shortOgg, Format::Ogg, 100));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("music.d")));
    }

    void extensionChoosesInput_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Format>("content");
        QTest::addColumn<QString>("input"); // empty: refused

        const QString wave = QStringLiteral("wave"), mp3 = QStringLiteral("mp3"),
                      vorbis = QStringLiteral("vorbis"), flac = QStringLiteral("flac");
        QTest::newRow(".wav") << "roll.wav" << Format::Wav << wave;
        QTest::newRow(".Wav mixed case") << "Win.Wav" << Format::Wav << wave;
        QTest::newRow(".mp3") << "roll.mp3" << Format::Mp3 << mp3;
        QTest::newRow(".MP3 capitals") << "ROLL.MP3" << Format::Mp3 << mp3;
        QTest::newRow(".ogg") << "roll.ogg" << Format::Ogg << vorbis;
        QTest::newRow(".flc") << "roll.flc" << Format::Flac << flac;
        QTest::newRow(".flac") << "roll.flac" << Format::Flac << flac;
        QTest::newRow(".FLAC capitals") << "ROLL2.FLAC" << Format::Flac << flac;
        QTest::newRow("dot in folder, extension in name")
            << "music.d/roll.ogg" << Format::Ogg << vorbis;
        QTest::newRow("name that is only an extension") << ".mp3" << Format::Mp3 << mp3;
        QTest::newRow(".wma") << "roll.wma" << Format::Wav << QString();
        QTest::newRow(".mid") << "roll.mid" << Format::Wav << QString();
        QTest::newRow("no dot") << "roll" << Format::Wav << QString();
        QTest::newRow("dot in folder only") << "music.d/roll" << Format::Wav << QString();
        QTest::newRow("extension before the last dot")
            << "roll.wav.bak" << Format::Wav << QString();
        QTest::newRow("trailing dot") << "roll.wav." << Format::Wav << QString();
    }

    // The extension, lower-cased, picks the input; a refused one leaves isLooping set
    // and nothing attached or playing. Accepted files of each format play through.
    void extensionChoosesInput() {
        QFETCH(QString, name);
        QFETCH(Format, content);
        QFETCH(QString, input);
        const QString file = path(name);
        QVERIFY(SoundFixtures::writeTone(file, content, 80));
        QCOMPARE(SoundPlayer::inputForFile(file), input);

        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        if (input.isEmpty()) {
            QVERIFY(refuses(player, file, true));
            QVERIFY(player.isLooping());
            QCOMPARE(player.currentInput(), QString());
            QCOMPARE(player.runCount(), 0);
            QVERIFY(!player.isPlaying());
            return;
        }
        player.play(file, false);
        QCOMPARE(player.currentInput(), input);
        QCOMPARE(player.currentFile(), file);
        QVERIFY(!player.isLooping());
        QCOMPARE(player.runCount(), 1);
        QVERIFY(player.isPlaying());
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 3000);
        QCOMPARE(player.lastError(), QString());
        QVERIFY(!player.isPlaying());
        QVERIFY(player.deviceAvailable());
    }

    void refusedExtensionKeepsAttachedInput() {
        const QString wma = path(QStringLiteral("keep.wma"));
        QVERIFY(SoundFixtures::writeTone(wma, Format::Wav, 50));
        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(m_shortOgg, false);
        QTRY_COMPARE(done.count(), 1);

        QVERIFY(refuses(player, wma, true));
        QVERIFY(player.isLooping());
        QCOMPARE(player.currentInput(), QStringLiteral("vorbis"));
        QCOMPARE(player.currentFile(), m_shortOgg);
        QCOMPARE(player.runCount(), 1);
        QVERIFY(!player.isPlaying());
    }

    void missingFileIsSilent_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("empty name") << QString();
        QTest::newRow("None") << QStringLiteral("None");
        QTest::newRow("no such file") << QStringLiteral("nothere.wav");
        QTest::newRow("unknown extension, no such file") << QStringLiteral("nothere.wma");
        QTest::newRow("folder named like a sound") << QStringLiteral("folder.wav");
    }

    // Nothing plays, nothing is raised, isLooping and currentInput keep their values.
    void missingFileIsSilent() {
        QFETCH(QString, file);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.wav")));
        const QString full = file.isEmpty() ? file : path(file);
        SoundPlayer player;
        player.play(full, true);
        QVERIFY(!player.isLooping());
        QCOMPARE(player.currentInput(), QString());
        QCOMPARE(player.runCount(), 0);
        QVERIFY(!player.isPlaying());
    }

    void missingFileAfterStoppedLoopStaysSilent() {
        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(m_short, true);
        QTRY_VERIFY(player.runCount() >= 2);
        player.stop();
        const int runs = player.runCount();

        player.play(path(QStringLiteral("gone.mp3")), true);
        QVERIFY(!player.isLooping());
        QCOMPARE(player.currentInput(), QStringLiteral("wave"));
        QCOMPARE(player.currentFile(), m_short);
        const int ends = int(done.count());
        QTest::qWait(200);
        QVERIFY(!player.isPlaying());
        QCOMPARE(player.runCount(), runs);
        QCOMPARE(done.count(), ends);
    }

    void stopBeforeAnythingAttachedDoesNothing() {
        SoundPlayer fresh;
        fresh.stop();
        QVERIFY(!fresh.isPlaying());
        QVERIFY(!fresh.isLooping());

        // isLooping set by a refused file, nothing attached: stop leaves it alone.
        const QString wma = path(QStringLiteral("set.wma"));
        QVERIFY(SoundFixtures::writeTone(wma, Format::Wav, 50));
        SoundPlayer player;
        QVERIFY(refuses(player, wma, true));
        player.stop();
        QVERIFY(player.isLooping());
        QCOMPARE(player.currentInput(), QString());
        QVERIFY(!player.isPlaying());
        QCOMPARE(player.runCount(), 0);
    }

    void loopRestartsAfterEachEnd() {
        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(m_short, true);
        QVERIFY(player.isLooping());
        QTRY_VERIFY_WITH_TIMEOUT(player.runCount() >= 4, 5000);
        QVERIFY(done.count() >= 3);
        QVERIFY(player.isPlaying());
        QCOMPARE(player.currentFile(), m_short);
        QCOMPARE(player.lastError(), QString());

        QElapsedTimer clock;
        clock.start();
        player.stop();
        QVERIFY2(clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!player.isPlaying());
        QVERIFY(!player.isLooping());
        const int runs = player.runCount();
        const int ends = int(done.count());
        QTest::qWait(300);
        QCOMPARE(player.runCount(), runs);
        QCOMPARE(done.count(), ends);
    }

    void stopSilencesAtOnce() {
        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(m_long, false);
        QTest::qWait(150);
        QVERIFY(player.isPlaying());

        QElapsedTimer clock;
        clock.start();
        player.stop();
        QVERIFY2(clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!player.isPlaying());
        player.stop(); // stopping an idle output does nothing
        QVERIFY(!player.isPlaying());
        QTest::qWait(200);
        QCOMPARE(done.count(), 0);
        QCOMPARE(player.runCount(), 1);
    }

    // The end of a run is already queued for the UI thread when stop comes: it
    // must neither reach Done nor start the loop again.
    void stopDropsAnEndAlreadyOnItsWay() {
        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(m_short, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(400)); // no events meanwhile
        player.stop();
        QVERIFY(!player.isPlaying());
        QTest::qWait(150);
        QCOMPARE(done.count(), 0);
        QCOMPARE(player.runCount(), 1);
        QVERIFY(!player.isPlaying());
    }

    void winnerMusicPlaysOnce() {
        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(m_short, false);
        QTRY_COMPARE(done.count(), 1);
        QTest::qWait(250);
        QCOMPARE(done.count(), 1);
        QCOMPARE(player.runCount(), 1);
        QVERIFY(!player.isPlaying());
        // Its end finds isLooping false and starts nothing.
        player.runAgainIfLooping();
        QCOMPARE(player.runCount(), 1);
        QVERIFY(!player.isPlaying());
    }

    void playWhilePlayingReplacesTheSound() {
        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(m_long, true);
        QTest::qWait(50);
        player.play(m_shortOgg, false);
        QCOMPARE(player.currentInput(), QStringLiteral("vorbis"));
        QVERIFY(!player.isLooping());
        QTRY_COMPARE(done.count(), 1);
        QTest::qWait(200);
        QCOMPARE(done.count(), 1);
        QCOMPARE(player.runCount(), 2);
        QVERIFY(!player.isPlaying());
    }

    void barrenFileWhileLoopingIsThrottled_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // empty: a valid wave file without samples
        QTest::addColumn<bool>("reportsError");
        QTest::newRow("not a sound file")
            << "garbage.wav" << QByteArray("this is no RIFF file, only text\n").repeated(40)
            << true;
        QTest::newRow("no samples") << "empty.wav" << QByteArray() << false;
    }

    // A looping file that gives no sound is retried about once a second, not at once:
    // runs are counted over 1.2 s.
    void barrenFileWhileLoopingIsThrottled() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, reportsError);
        const QString file = path(name);
        QVERIFY(bytes.isEmpty() ? SoundFixtures::writeTone(file, Format::Wav, 0)
                                : SoundFixtures::writeBytes(file, bytes));

        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(file, true);
        QTest::qWait(1200);
        QVERIFY2(player.runCount() >= 2 && player.runCount() <= 3,
                 qPrintable(QString::number(player.runCount())));
        QVERIFY(done.count() >= 1);
        QCOMPARE(!player.lastError().isEmpty(), reportsError);
        QVERIFY(player.isPlaying()); // still looping, waiting for the next try
        player.stop();
        QVERIFY(!player.isPlaying()); // the pending retry is gone too
    }

    void destructionWhilePlaying() {
        QElapsedTimer clock;
        {
            auto player = std::make_unique<SoundPlayer>();
            player->play(m_long, true);
            QTest::qWait(100);
            QVERIFY(player->isPlaying());
            clock.start();
            player.reset();
            QVERIFY2(clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));
        }
        {
            // Waiting for a throttled retry.
            const QString garbage = path(QStringLiteral("garbage2.flc"));
            QVERIFY(SoundFixtures::writeBytes(garbage, QByteArray(512, 'x')));
            auto player = std::make_unique<SoundPlayer>();
            QSignalSpy done(player.get(), &SoundPlayer::finished);
            player->play(garbage, true);
            QTRY_COMPARE(done.count(), 1);
            QVERIFY(player->isPlaying());
            player.reset();
        }
        {
            // Its end report is queued when it goes.
            auto player = std::make_unique<SoundPlayer>();
            player->play(m_short, true);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            player.reset();
            QTest::qWait(50);
        }
    }

    // The options dialog previews on a second player while the main window's exists.
    void twoPlayersPlayIndependently() {
        SoundPlayer main;
        SoundPlayer preview;
        QSignalSpy mainDone(&main, &SoundPlayer::finished);
        QSignalSpy previewDone(&preview, &SoundPlayer::finished);
        main.play(m_long, true);
        preview.play(m_shortOgg, false);
        QTRY_COMPARE(previewDone.count(), 1);
        QVERIFY(main.isPlaying());
        QCOMPARE(mainDone.count(), 0);
        preview.stop();
        QVERIFY(main.isPlaying());
        main.stop();
        QVERIFY(!main.isPlaying());
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
