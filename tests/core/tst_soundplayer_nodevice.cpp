// The sound player on a machine where SDL finds no audio output: it goes on without
// sound, with runs as long as their files, and says so once on standard error.
#include "core/media/SoundPlayer.h"

#include "support/SoundFixtures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using SoundFixtures::Format;

class TestSoundPlayerNoDevice : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_stderrFile;
    int m_savedStderr = -1;

    void restoreStderr() {
        if (m_savedStderr < 0)
            return;
        std::fflush(stderr);
        dup2(m_savedStderr, 2);
        close(m_savedStderr);
        m_savedStderr = -1;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        // Before the first player: SDL's audio starts with it.
        qputenv("SDL_AUDIODRIVER", "kalvoro-no-such-output");
        m_stderrFile = m_dir.filePath(QStringLiteral("stderr.txt"));
        const int fd =
            open(QFile::encodeName(m_stderrFile).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QVERIFY(fd >= 0);
        std::fflush(stderr);
        m_savedStderr = dup(2);
        QVERIFY(dup2(fd, 2) >= 0);
        close(fd);
    }
    void cleanupTestCase() { restoreStderr(); }

    void playsSilentlyForTheFilesLength() {
        const QString file = m_dir.filePath(QStringLiteral("win.ogg"));
        QVERIFY(SoundFixtures::writeTone(file, Format::Ogg, 300));
        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        QElapsedTimer clock;
        clock.start();
        player.play(file, false);
        QVERIFY(player.isPlaying());
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 3000);
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= 270 && took < 1500, qPrintable(QString::number(took)));
        QVERIFY(!player.deviceAvailable());
        QCOMPARE(player.lastError(), QString());
        QCOMPARE(player.currentInput(), QStringLiteral("vorbis"));
        QVERIFY(!player.isPlaying());
    }

    // Repeats still come one file length apart.
    void loopKeepsThePaceOfTheFile() {
        const QString file = m_dir.filePath(QStringLiteral("roll.wav"));
        QVERIFY(SoundFixtures::writeTone(file, Format::Wav, 100));
        SoundPlayer player;
        QElapsedTimer clock;
        clock.start();
        player.play(file, true);
        QTRY_VERIFY(player.runCount() >= 4);
        const qint64 took = clock.elapsed();
        const int runs = player.runCount();
        player.stop();
        QVERIFY2(took >= 100 * (runs - 1) - 30, qPrintable(QString::number(took)));
        QVERIFY(!player.isPlaying());
    }

    void emptyFileLoopIsThrottled() {
        const QString file = m_dir.filePath(QStringLiteral("empty.flc"));
        QVERIFY(SoundFixtures::writeTone(file, Format::Flac, 0));
        SoundPlayer player;
        player.play(file, true);
        QTest::qWait(1200);
        QVERIFY2(player.runCount() >= 2 && player.runCount() <= 3,
                 qPrintable(QString::number(player.runCount())));
        player.stop();
        QVERIFY(!player.isPlaying());
    }

    // Last: every player above has met the missing output.
    void oneNoticeForTheWholeRun() {
        SoundPlayer another;
        restoreStderr();
        QFile file(m_stderrFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith("kalvoro: no audio output"), lines.first().constData());
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayerNoDevice)
#include "tst_soundplayer_nodevice.moc"
