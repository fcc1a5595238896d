#pragma once
// One draw from arming to recording, without a window: Enter arms, Space starts
// the roll and Space stops it; what the roll shows at the stop wins and is
// recorded at once. The windows push the operator's choices in (prize class,
// words per draw, roll interval) and show what the session emits.
#include "core/data/CandidateStore.h"
#include "core/settings/ProgramSettings.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class PhotoCache;
class PhotoWinnerStore;
class SoundPlayer;
class WordPicker;

class DrawSession : public QObject {
    Q_OBJECT
public:
    // Stopping: the stop has happened, but the roll timer runs until a step
    // notices (in photo mode, a step that reaches a free photo). Enter then arms
    // a draw that rolls at once, without the roll music.
    enum class State { Idle, Armed, Rolling, Stopping };

    explicit DrawSession(QObject* parent = nullptr);
    ~DrawSession() override;

    // The settings in force, all at once (the window applies them one by one,
    // in the file's order, so that a bad value stops the ones after it).
    void configure(const ProgramSettings& settings);
    void setMode(DrawMode mode) { m_mode = mode; }
    DrawMode mode() const { return m_mode; }
    // The window caption between draws.
    void setCaption(const QString& caption) { m_caption = caption; }
    void setMusic(const QString& rollFile, const QString& winFile);
    // The folder the photo roll draws from (rescanPhotos() reads it).
    void setPhotoFolder(const QString& folder) { m_photoFolder = folder; }
    void setPhotoStretch(bool on) { m_stretch = on; }
    bool photoStretch() const { return m_stretch; }
    // Announce a recorded photo winner.
    void setShowWinner(bool on) { m_showWinner = on; }
    bool showWinner() const { return m_showWinner; }
    // Lists the photo folder again (the roll's candidates in photo mode).
    void rescanPhotos();
    const QStringList& photos() const { return m_photos; }
    // The *.jpg and *.jpeg files directly inside a folder.
    static QStringList listPhotoFiles(const QString& folder);
    // Photos are decoded for the display's size.
    void setDisplaySize(QSize size);

    // The operator's choices. The class is read when a statement needs it (a
    // change during a roll counts at the stop); the word count at every step;
    // the interval when the roll starts.
    void setPrizeClass(const QString& prizeClass) { m_prizeClass = prizeClass; }
    QString prizeClass() const { return m_prizeClass; }
    void setWordCount(int n) { m_wordCount = n; }
    int wordCount() const { return m_wordCount; }
    void setRollInterval(int msecs) { m_rollInterval = msecs; }

    // Enter: arms a draw unless one is armed.
    void arm();
    // Space: starts an armed draw's roll, or stops a rolling one.
    void startOrStop();
    // One roll step: the roll timer's tick.
    void step();

    State state() const;
    bool isArmed() const { return m_armed; }
    bool isRolling() const { return m_rollTimer->isActive(); }
    QTimer* rollTimer() const { return m_rollTimer; }

    // What the display shows: the photo on screen (recorded at a photo stop) and
    // the lines of a word draw (recorded at a word stop).
    QString currentPhoto() const { return m_currentPhoto; }
    const QStringList& lines() const { return m_lines; }
    // Whether the word display shows an error rather than candidates.
    bool linesAreError() const { return m_linesAreError; }
    // Whether this roll found nobody left to show (nothingLeft was emitted).
    bool nothingLeftOnShow() const { return m_nothingLeftSaid; }
    const std::vector<int>& rollOrder() const { return m_rollOrder; }
    int rollCursor() const { return m_rollCursor; }

    // "There are N persons who won <class>"; empty when the count fails.
    QString winnerCountSentence(const QString& prizeClass) const;
    // Winners of the class in the current mode; -1 when the count fails.
    qlonglong drawnCount(const QString& prizeClass) const;
    // What the next draw can still pick in the current mode (photos of the folder
    // that have not won, or free words); -1 when the count fails.
    qlonglong freeCandidateCount() const;
    // Frees every winner of the current mode (word mode also removes the preset
    // words from the candidates). Throws DatabaseError.
    void resetWinners();

    // Asked when a winner could not be recorded, with the whole message; true
    // tries again. Without one, the first failure gives up.
    using RetryQuestion = std::function<bool(const QString& message)>;
    void setRetryQuestion(RetryQuestion ask) { m_askRetry = std::move(ask); }

    SoundPlayer* player() const { return m_player.get(); }
    PhotoCache* photoCache() const { return m_photoCache.get(); }
    void stopSound();

    // Replaces the lines on show, as if the roll had shown them (tests): each
    // line takes a free row of its text, or is added as a new row when it wins.
    void showLines(const QStringList& lines);
    // The rows of the lines on show, one for each line (0: added when it wins).
    const QList<qint64>& lineIds() const { return m_lineIds; }

signals:
    void promptChanged(const QString& text);
    // A draw was armed: the display clears (in photo mode the photo as well).
    void armed(bool clearPhoto);
    void stateChanged(DrawSession::State state);
    // The window caption: the photo's file name during a photo roll, the title between draws.
    void captionChanged(const QString& caption);
    void photoShown(const QString& path, const QImage& image);
    void linesShown(const QStringList& lines);
    // The word roll could not pick; the display shows why.
    void rollFailed(const QString& message);
    // The roll has nobody left to show (every candidate or photo has won, or
    // there are none): said once, rather than an empty display.
    void nothingLeft(DrawMode mode);
    // Winners now on record.
    void winnersRecorded(const QString& prizeClass, const QStringList& names);
    // Every winner of the current mode was freed.
    void winnersReset();
    // A recorded photo winner to announce (the option is on).
    void announce(const QString& name, const QString& prizeClass);
    // Something the operator must be told in a message box.
    void errorOccurred(const QString& message);

private:
    void startRoll();
    void stopRoll();
    void setPrompt(const QString& text);
    // A new roll may say again that nothing is left.
    void forgetNothingLeft();
    void sayNothingLeft();
    void setArmed(bool on);
    void clearForArming();
    void playSound(const QString& file, bool looping);

    // Photo mode.
    void shuffleRollOrder();
    void rollPhotoStep();
    // After a step found no free photo among its tries: whether any is free at all.
    void checkPhotosLeft();
    bool anyPhotoFree();
    // The won photo files, as the prize table compares them (ASCII case folded).
    QSet<QString> wonPhotoKeys() const;
    static QString photoKey(const QString& file);
    void applyPhotoPreset();
    bool recordPhotoWinner();
    void showPhoto(const QString& path, bool sharp);
    PhotoWinnerStore& photoWinners();

    // Word mode.
    void rollWordStep();
    void setLines(const QList<WordCandidate>& lines);
    void clearLines();
    void applyWordPreset();
    bool recordWordWinners();
    void replaceRolledCopiesOfPresets(QList<WordCandidate>& lines, const QList<bool>& preset);
    WordPicker& wordPicker();

    // Runs `save` until it succeeds or the operator gives up; false when given up.
    bool recordWithRetry(const std::function<void()>& save, const QString& who);

    QTimer* m_rollTimer;
    std::unique_ptr<SoundPlayer> m_player;
    std::unique_ptr<PhotoCache> m_photoCache;
    std::unique_ptr<PhotoWinnerStore> m_photoWinners;
    std::unique_ptr<WordPicker> m_wordPicker;
    RetryQuestion m_askRetry;

    DrawMode m_mode = DrawMode::Photo;
    QString m_caption;
    QString m_photoFolder;
    QString m_rollSound;
    QString m_winSound;
    bool m_stretch = false;
    bool m_showWinner = false;
    QSize m_displaySize = QSize(640, 480);

    QString m_prizeClass;
    int m_wordCount = 1;
    int m_rollInterval = 10;

    bool m_armed = false;
    QStringList m_photos;
    std::vector<int> m_rollOrder;
    int m_rollCursor = 0;
    QString m_currentPhoto;
    QStringList m_lines;
    // The rows of m_lines: a namesake elsewhere in the list is another person.
    QList<qint64> m_lineIds;
    bool m_linesAreError = false;
    // The roll has said that nobody is left, and nothing has been shown since.
    bool m_nothingLeftSaid = false;
    // Whether this roll has looked through every photo for a free one already.
    bool m_photosChecked = false;
};
