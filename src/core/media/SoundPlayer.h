#pragma once
// The music player of the main window (and, as a second instance, of the options
// dialog's preview). A worker thread decodes the file with libsndfile and feeds an
// SDL2 output device; the end of playback comes back to the UI thread as finished, and
// a looping sound is run again from there.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class SoundSink;

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    // Stops playback and waits for the worker; no finished follows.
    ~SoundPlayer() override;

    // Starts `file` in the background and returns at once; with `looping` it
    // repeats until stop. A name that names no existing file plays nothing and
    // changes nothing. Raises SoundFileError when the extension tells no known format.
    void play(const QString& file, bool looping);
    // Ends playback and any repetition and returns once the worker has stopped; no
    // finished follows. Does nothing while no file has ever been attached.
    void stop();

    bool isLooping() const { return m_loopSound.load(); }
    // "wave", "mp3", "vorbis" or "flac": the decoder last attached; empty
    // before the first.
    QString currentInput() const { return m_currentInput; }
    // The file last attached, as it was given to play.
    QString currentFile() const { return m_currentFile; }
    // A run is under way, or a looping sound waits to be run again.
    bool isPlaying() const;
    // How many times the output has been run (each repetition counts).
    int runCount() const { return m_runCount; }
    // False once no audio output could be had; the player then runs silently, each
    // run lasting as long as its file would sound.
    bool deviceAvailable() const;
    // Why the last run ended early (the file could not be opened or decoded); empty
    // when it played through.
    QString lastError() const { return m_lastError; }

    // The input that plays `fileName` by its extension, or empty when none does.
    static QString inputForFile(const QString& fileName);

public slots:
    // Runs the output again when the sound is looping. Connected to finished.
    void runAgainIfLooping();

signals:
    // Playback ended by itself: end of the file, or a file that could not be opened
    // or decoded. Delivered in the UI thread; never after stop.
    void finished();

private:
    struct Outcome {
        qint64 frames = 0; // sample frames handed to the output
        bool failed = false;
        bool deviceLost = false;
        QString error;
    };
    void runOutput();
    void haltOutput();
    void workerMain(const QByteArray& path, quint64 serial);
    Outcome decodeAndPlay(const QByteArray& path);
    static Outcome deviceLost(Outcome out);
    std::unique_ptr<SoundSink> openSink(int fileRate);
    bool openDevice(int rate);
    void closeDevice();
    bool waitForStop(int ms);
    void workerFinished(quint64 serial, const Outcome& outcome);
    void restartDue();

    // UI thread only.
    QString m_currentInput;
    QString m_currentFile;
    int m_runCount = 0;
    bool m_running = false;
    quint64 m_serial = 0; // bumped by every run and stop; stale end reports are dropped
    QElapsedTimer m_runClock;
    bool m_lastBarren = false; // the last run failed or gave no sound
    QString m_lastError;
    QTimer m_restartTimer;

    // Shared with the worker.
    std::atomic<bool> m_loopSound{false};
    std::atomic<bool> m_deviceFailed{false};
    std::atomic<bool> m_stop{false};
    std::mutex m_stopMutex;
    std::condition_variable m_stopSignal;
    std::thread m_worker;
    // Touched by the worker while it runs, by the UI thread only when none runs.
    quint32 m_device = 0;
    int m_deviceRate = 0;
    int m_deviceSamples = 0;
};
