#include "core/media/SoundPlayer.h"

#include "core/media/LinearResampler.h"
#include "formats/Errors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <SDL.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// The device is asked for float stereo at the file's own rate, which the sound server
// converts with care; when a device insists on another rate the worker resamples.
constexpr int kWantedSamples = 1024;
constexpr int kBytesPerFrame = 2 * int(sizeof(float));
// Sound decoded ahead of the device: enough to ride out a busy machine, little enough
// that the worker notices a stop at once.
constexpr double kAheadSeconds = 0.25;
constexpr int kChunkFrames = 4096;
constexpr int kPollMs = 10;
// A looping file that gave no sound (unreadable, broken, empty) is run again at most
// this often, so that it cannot keep a core busy.
constexpr qint64 kRetryMs = 1000;

std::once_flag audioInitOnce;
std::atomic<bool> audioReady{false};

void reportNoOutputOnce(const char* why) {
    static std::atomic_flag reported = ATOMIC_FLAG_INIT;
    if (reported.test_and_set())
        return;
    std::fprintf(stderr, "kalvoro: no audio output (%s); playing without sound\n",
                 why && *why ? why : "unknown reason");
    std::fflush(stderr);
}

// Once per process. The audio subsystem only: no video, and SDL keeps its hands off
// the program's signals.
bool initAudio() {
    std::call_once(audioInitOnce, [] {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Kalvoro");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
            audioReady = true;
        else
            reportNoOutputOnce(SDL_GetError());
    });
    return audioReady;
}

// Interleaved frames of any channel count to stereo: mono is doubled, anything wider
// keeps its first two channels (front left and right in the usual layouts).
void toStereo(const float* in, int channels, sf_count_t frames, float* out) {
    for (sf_count_t i = 0; i < frames; ++i) {
        const float* f = in + i * channels;
        out[2 * i] = f[0];
        out[2 * i + 1] = channels > 1 ? f[1] : f[0];
    }
}

} // namespace

// Where the decoded stereo frames go: the device, or a clock when there is none.
class SoundSink {
public:
    virtual ~SoundSink() = default;
    // Stereo float frames at the file's rate.
    virtual bool write(const float* frames, int count) = 0;
    // The file has ended: hand over what the resampler still holds.
    virtual bool finish() = 0;
    // Sound written but not yet played.
    virtual double queuedSeconds() = 0;
    // After the queue is empty, how long the last of it still sounds.
    virtual double tailSeconds() const = 0;
    // The device has gone away (unplugged, sound server ended): nothing plays any more.
    virtual bool lost() const { return false; }
};

namespace {

class DeviceSink final : public SoundSink {
public:
    DeviceSink(SDL_AudioDeviceID device, int deviceRate, int deviceSamples, int fileRate)
        : m_device(device), m_rate(deviceRate), m_samples(deviceSamples) {
        if (fileRate != deviceRate)
            m_resampler.emplace(fileRate, deviceRate);
    }

    bool write(const float* frames, int count) override {
        if (!m_resampler)
            return queue(frames, count);
        m_buffer.clear();
        m_resampler->process(frames, count, m_buffer);
        return queue(m_buffer.data(), int(m_buffer.size() / 2));
    }
    bool finish() override {
        if (!m_resampler)
            return true;
        m_buffer.clear();
        m_resampler->finish(m_buffer);
        return queue(m_buffer.data(), int(m_buffer.size() / 2));
    }
    double queuedSeconds() override {
        return double(SDL_GetQueuedAudioSize(m_device)) / (double(kBytesPerFrame) * m_rate);
    }
    double tailSeconds() const override { return double(m_samples) / m_rate + 0.01; }
    bool lost() const override { return SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED; }

private:
    bool queue(const float* frames, int count) {
        return count == 0 || SDL_QueueAudio(m_device, frames, Uint32(count) * kBytesPerFrame) == 0;
    }

    SDL_AudioDeviceID m_device;
    int m_rate;
    int m_samples;
    std::optional<LinearResampler> m_resampler;
    std::vector<float> m_buffer;
};

// No device: the run still lasts as long as the file would sound.
class SilentSink final : public SoundSink {
public:
    explicit SilentSink(int fileRate) : m_rate(fileRate) { m_clock.start(); }
    bool write(const float*, int count) override {
        m_frames += count;
        return true;
    }
    bool finish() override { return true; }
    double queuedSeconds() override {
        return std::max(0.0, double(m_frames) / m_rate - double(m_clock.nsecsElapsed()) / 1e9);
    }
    double tailSeconds() const override { return 0; }

private:
    int m_rate;
    qint64 m_frames = 0;
    QElapsedTimer m_clock;
};

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {
    initAudio();
    m_restartTimer.setSingleShot(true);
    connect(&m_restartTimer, &QTimer::timeout, this, &SoundPlayer::restartDue);
    connect(this, &SoundPlayer::finished, this, &SoundPlayer::runAgainIfLooping);
}

SoundPlayer::~SoundPlayer() {
    m_loopSound = false;
    haltOutput();
}

QString SoundPlayer::inputForFile(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const QString ext = name.mid(dot).toLower();
    if (ext == QLatin1String(".ogg"))
        return QStringLiteral("vorbis");
    if (ext == QLatin1String(".mp3"))
        return QStringLiteral("mp3");
    if (ext == QLatin1String(".wav"))
        return QStringLiteral("wave");
    if (ext == QLatin1String(".flc") || ext == QLatin1String(".flac"))
        return QStringLiteral("flac");
    return {};
}

void SoundPlayer::play(const QString& file, bool looping) {
    if (!QFileInfo(file).isFile())
        return;
    m_loopSound = looping;
    const QString input = inputForFile(file);
    if (input.isEmpty())
        throw SoundFileError(
            QCoreApplication::translate("SoundPlayer", "Cannot determine the record file format"));
    // Callers stop first; a stray call must still not leave two files playing.
    haltOutput();
    m_currentInput = input;
    m_currentFile = file;
    // A new sound tries the device again: it may have come back since.
    m_deviceFailed = !audioReady;
    runOutput();
}

void SoundPlayer::stop() {
    if (m_currentInput.isEmpty())
        return;
    m_loopSound = false;
    haltOutput();
}

void SoundPlayer::runAgainIfLooping() {
    if (!m_loopSound)
        return;
    // Nothing to repeat, or it is already under way.
    if (m_currentInput.isEmpty() || m_running || m_restartTimer.isActive())
        return;
    const qint64 since = m_runClock.isValid() ? m_runClock.elapsed() : kRetryMs;
    if (m_lastBarren && since < kRetryMs) {
        m_restartTimer.start(int(kRetryMs - since));
        return;
    }
    runOutput();
}

void SoundPlayer::restartDue() {
    if (m_loopSound && !m_running && !m_currentInput.isEmpty())
        runOutput();
}

bool SoundPlayer::isPlaying() const {
    return m_running || m_restartTimer.isActive();
}

bool SoundPlayer::deviceAvailable() const {
    return audioReady && !m_deviceFailed;
}

void SoundPlayer::runOutput() {
    if (m_worker.joinable()) // only after an end whose report is still on its way
        haltOutput();
    ++m_serial;
    ++m_runCount;
    m_running = true;
    m_stop = false;
    m_runClock.start();
    const QByteArray path = QFile::encodeName(QFileInfo(m_currentFile).absoluteFilePath());
    m_worker = std::thread(&SoundPlayer::workerMain, this, path, m_serial);
}

void SoundPlayer::haltOutput() {
    m_restartTimer.stop();
    ++m_serial; // an end report already queued belongs to the stopped run
    if (m_worker.joinable()) {
        {
            std::lock_guard lock(m_stopMutex);
            m_stop = true;
        }
        m_stopSignal.notify_all();
        m_worker.join();
    }
    closeDevice();
    m_running = false;
}

void SoundPlayer::workerFinished(quint64 serial, const Outcome& outcome) {
    if (serial != m_serial)
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_running = false;
    m_lastBarren = outcome.failed || outcome.frames == 0;
    m_lastError = outcome.error;
    emit finished();
    // Not repeated: give the device back (the worker keeps it only for a repeat).
    if (!m_running && !m_restartTimer.isActive())
        closeDevice();
}

// ---- worker thread ----

bool SoundPlayer::waitForStop(int ms) {
    std::unique_lock lock(m_stopMutex);
    return m_stopSignal.wait_for(lock, std::chrono::milliseconds(ms),
                                 [this] { return m_stop.load(); });
}

void SoundPlayer::workerMain(const QByteArray& path, quint64 serial) {
    const Outcome outcome = decodeAndPlay(path);
    const bool stopped = m_stop.load();
    // A sound about to repeat keeps the device, so the repeat starts without a gap;
    // a lost device is opened afresh by the next run.
    if (stopped || !m_loopSound.load() || outcome.deviceLost)
        closeDevice();
    if (stopped)
        return;
    QMetaObject::invokeMethod(
        this, [this, serial, outcome] { workerFinished(serial, outcome); }, Qt::QueuedConnection);
}

SoundPlayer::Outcome SoundPlayer::deviceLost(Outcome out) {
    out.failed = true;
    out.deviceLost = true;
    out.error = QCoreApplication::translate("SoundPlayer", "The audio device was lost");
    return out;
}

SoundPlayer::Outcome SoundPlayer::decodeAndPlay(const QByteArray& path) {
    Outcome out;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.constData(), SFM_READ, &info);
    if (!file) {
        out.failed = true;
        out.error = QString::fromUtf8(sf_strerror(nullptr));
        return out;
    }
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> closer(file, &sf_close);
    if (info.channels < 1 || info.samplerate < 1) {
        out.failed = true;
        out.error = QCoreApplication::translate("SoundPlayer", "The file holds no playable sound");
        return out;
    }
    const std::unique_ptr<SoundSink> sink = openSink(info.samplerate);

    std::vector<float> decoded(size_t(kChunkFrames) * size_t(info.channels));
    std::vector<float> stereo(size_t(kChunkFrames) * 2);
    bool ended = false;
    while (!ended) {
        while (!ended && sink->queuedSeconds() < kAheadSeconds) {
            if (m_stop)
                return out;
            const sf_count_t got = sf_readf_float(file, decoded.data(), kChunkFrames);
            if (got <= 0) {
                ended = true;
                break;
            }
            toStereo(decoded.data(), info.channels, got, stereo.data());
            if (!sink->write(stereo.data(), int(got))) {
                out.failed = true;
                out.error = QString::fromUtf8(SDL_GetError());
                return out;
            }
            out.frames += got;
        }
        if (sink->lost())
            return deviceLost(out);
        if (!ended && waitForStop(kPollMs))
            return out;
    }
    if (sf_error(file) != SF_ERR_NO_ERROR) {
        out.failed = true;
        out.error = QString::fromUtf8(sf_strerror(file));
    }
    if (!sink->finish() && !out.failed) {
        out.failed = true;
        out.error = QString::fromUtf8(SDL_GetError());
    }
    while (sink->queuedSeconds() > 0) {
        if (sink->lost())
            return deviceLost(out);
        if (waitForStop(kPollMs / 2))
            return out;
    }
    // The device still holds its last buffer; let it sound unless the next pass
    // follows straight on.
    if (!m_loopSound && waitForStop(int(sink->tailSeconds() * 1000)))
        return out;
    return out;
}

std::unique_ptr<SoundSink> SoundPlayer::openSink(int fileRate) {
    if (!m_deviceFailed && openDevice(fileRate))
        return std::make_unique<DeviceSink>(m_device, m_deviceRate, m_deviceSamples, fileRate);
    return std::make_unique<SilentSink>(fileRate);
}

bool SoundPlayer::openDevice(int rate) {
    if (m_device)
        return true;
    if (!audioReady) {
        m_deviceFailed = true;
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = std::clamp(rate, 8000, 192000);
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = kWantedSamples;
    SDL_AudioSpec obtained{};
    m_device =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!m_device) {
        m_deviceFailed = true;
        reportNoOutputOnce(SDL_GetError());
        return false;
    }
    m_deviceRate = obtained.freq;
    m_deviceSamples = obtained.samples;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SoundPlayer::closeDevice() {
    if (!m_device)
        return;
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
}
