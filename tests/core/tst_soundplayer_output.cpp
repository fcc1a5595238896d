// What reaches the device: SDL's disk output writes every buffer it would have
// played to a file, at the pace of a real device, in the format the player asked
// for (float stereo at the file's rate, within 8 to 192 kHz). Files of a steady level let the test
// find its samples there.
#include "core/media/SoundPlayer.h"

#include "support/SoundFixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using SoundFixtures::Format;

Q_DECLARE_METATYPE(SoundFixtures::Format)

namespace {
constexpr float kLevel = 0.5f;
int framesFor(int rate, int ms) {
    return int(qint64(rate) * ms / 1000);
}
} // namespace

class TestSoundPlayerOutput : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_output;

    // Frames of the device's output in which both channels carry the test level.
    int soundingFrames() const {
        QFile file(m_output);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = file.readAll();
        const auto* samples = reinterpret_cast<const float*>(bytes.constData());
        const qsizetype frames = bytes.size() / qsizetype(2 * sizeof(float));
        int sounding = 0;
        for (qsizetype i = 0; i < frames; ++i)
            if (std::fabs(samples[2 * i] - kLevel) < 0.05f &&
                std::fabs(samples[2 * i + 1] - kLevel) < 0.05f)
                ++sounding;
        return sounding;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_output = m_dir.filePath(QStringLiteral("device.raw"));
        // Before the first player: SDL's audio starts with it.
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_output));
    }

    void wholeFileReachesBothChannels_data() {
        QTest::addColumn<Format>("format");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("deviceRate");
        QTest::newRow("wave 48 kHz stereo") << Format::Wav << 48000 << 2 << 48000;
        QTest::newRow("wave 22.05 kHz mono") << Format::Wav << 22050 << 1 << 22050;
        QTest::newRow("wave 8 kHz mono") << Format::Wav << 8000 << 1 << 8000;
        QTest::newRow("wave 96 kHz, 4 channels") << Format::Wav << 96000 << 4 << 96000;
        QTest::newRow("flac 44.1 kHz stereo") << Format::Flac << 44100 << 2 << 44100;
        // Rates no device is asked for: the player resamples to 8 or 192 kHz.
        QTest::newRow("wave 4 kHz mono, resampled") << Format::Wav << 4000 << 1 << 8000;
        QTest::newRow("wave 384 kHz stereo, resampled") << Format::Wav << 384000 << 2 << 192000;
    }

    // Every file reaches the device whole, on both channels, whatever its rate and
    // channel count.
    void wholeFileReachesBothChannels() {
        QFETCH(Format, format);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, deviceRate);
        const QString file = m_dir.filePath(QStringLiteral("steady.wav"));
        QVERIFY(SoundFixtures::writeTone(file, format, 300, rate, channels, kLevel, true));

        SoundPlayer player;
        QSignalSpy done(&player, &SoundPlayer::finished);
        player.play(file, false);
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 3000);
        QVERIFY(player.deviceAvailable());
        QCOMPARE(player.lastError(), QString());
        const int sounding = soundingFrames();
        QVERIFY2(std::abs(sounding - framesFor(deviceRate, 300)) <= framesFor(deviceRate, 2),
                 qPrintable(QString::number(sounding)));
    }

    // Each repeat plays the file from its first sample to its last.
    void loopRepeatsTheWholeFile() {
        const QString file = m_dir.filePath(QStringLiteral("loop.wav"));
        QVERIFY(SoundFixtures::writeTone(file, Format::Wav, 100, 44100, 2, kLevel, true));
        SoundPlayer player;
        player.play(file, true);
        QTRY_VERIFY_WITH_TIMEOUT(player.runCount() >= 4, 5000);
        player.stop();
        const int runs = player.runCount();
        const int sounding = soundingFrames();
        QVERIFY2(sounding >= framesFor(44100, 100) * (runs - 1) &&
                     sounding <= framesFor(44100, 100) * runs,
                 qPrintable(QStringLiteral("%1 frames in %2 runs").arg(sounding).arg(runs)));
    }

    // After stop the device gets nothing more: what sounded is what played
    // until the stop, not the sound decoded ahead.
    void stopEndsTheOutput() {
        const QString file = m_dir.filePath(QStringLiteral("long.wav"));
        QVERIFY(SoundFixtures::writeTone(file, Format::Wav, 3000, 44100, 2, kLevel, true));
        SoundPlayer player;
        player.play(file, true);
        QTest::qWait(400);
        player.stop();
        const qint64 size = QFileInfo(m_output).size();
        const int sounding = soundingFrames();
        QVERIFY2(sounding > framesFor(44100, 200) && sounding < framesFor(44100, 600),
                 qPrintable(QString::number(sounding)));
        QTest::qWait(150);
        QCOMPARE(QFileInfo(m_output).size(), size);
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayerOutput)
#include "tst_soundplayer_output.moc"
