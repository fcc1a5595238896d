#include "core/draw/DrawSession.h"

#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "core/data/PhotoWinnerStore.h"
#include "core/data/PresetStore.h"
#include "core/data/WordPicker.h"
#include "core/media/PhotoLoader.h"
#include "core/media/SoundPlayer.h"
#include "formats/Errors.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

DrawSession::DrawSession(QObject* parent)
    : QObject(parent), m_rollTimer(new QTimer(this)), m_player(std::make_unique<SoundPlayer>()),
      m_photoCache(std::make_unique<PhotoCache>()) {
    m_rollTimer->setObjectName(QStringLiteral("rollTimer"));
    m_rollTimer->setTimerType(Qt::PreciseTimer);
    connect(m_rollTimer, &QTimer::timeout, this, &DrawSession::step);
    // A roll step may show a quick preview; the sharp picture follows when it is ready.
    connect(m_photoCache.get(), &PhotoCache::displayImageReady, this, [this](const QString& path) {
        if (path != m_currentPhoto)
            return;
        const QImage sharp = m_photoCache->get(path);
        if (!sharp.isNull())
            emit photoShown(path, sharp);
    });
}

DrawSession::~DrawSession() {
    m_rollTimer->stop();
    m_player->stop();
}

void DrawSession::configure(const ProgramSettings& settings) {
    m_mode = settings.drawMode();
    m_caption = settings.caption();
    m_photoFolder = settings.photoFolder();
    setMusic(settings.rollSoundFile(), settings.winSoundFile());
    m_stretch = settings.photoStretch();
    m_showWinner = settings.showWinner();
}

void DrawSession::setMusic(const QString& rollFile, const QString& winFile) {
    m_rollSound = rollFile;
    m_winSound = winFile;
}

QStringList DrawSession::listPhotoFiles(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    // Cameras write .JPG and .jpeg as often as .jpg.
    const QStringList masks{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    QStringList found;
    QDirIterator it(folder, masks, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        found << base + it.fileName();
    }
    return found;
}

void DrawSession::rescanPhotos() {
    m_photos = listPhotoFiles(m_photoFolder);
    m_photoCache->setPhotos(m_photos, m_displaySize, m_stretch);
}

void DrawSession::setDisplaySize(QSize size) {
    m_displaySize = size.expandedTo(QSize(640, 480));
    m_photoCache->setPhotos(m_photos, m_displaySize, m_stretch);
}

DrawSession::State DrawSession::state() const {
    if (m_armed)
        return isRolling() ? State::Rolling : State::Armed;
    return isRolling() ? State::Stopping : State::Idle;
}

void DrawSession::setPrompt(const QString& text) {
    emit promptChanged(text);
}

void DrawSession::setArmed(bool on) {
    m_armed = on;
    emit stateChanged(state());
}

void DrawSession::arm() {
    if (m_armed)
        return;
    setArmed(true);
    setPrompt(tr("After Set Lottery Class,Press Space Bar"));
    clearForArming();
    emit captionChanged(m_caption);
    stopSound();
}

void DrawSession::forgetNothingLeft() {
    m_nothingLeftSaid = false;
    m_photosChecked = false;
}

void DrawSession::sayNothingLeft() {
    if (m_nothingLeftSaid)
        return;
    m_nothingLeftSaid = true;
    emit nothingLeft(m_mode);
}

void DrawSession::clearForArming() {
    // Arming while a stop is still running rolls at once: that is a new roll too.
    forgetNothingLeft();
    if (m_mode == DrawMode::Photo) {
        shuffleRollOrder();
        // A stop before the first photo must not record the last draw's winner again.
        m_currentPhoto.clear();
        clearLines();
        emit armed(true);
    } else {
        clearLines();
        m_linesAreError = false;
        emit armed(false);
    }
}

void DrawSession::startOrStop() {
    if (!m_armed)
        return;
    if (!isRolling())
        startRoll();
    else
        stopRoll();
}

void DrawSession::startRoll() {
    m_rollCursor = 0;
    forgetNothingLeft();
    m_rollTimer->setInterval(m_rollInterval);
    m_rollTimer->start();
    emit stateChanged(state());
    setPrompt(tr("Press Space Bar to Draw"));
    stopSound();
    playSound(m_rollSound, true);
}

void DrawSession::stopRoll() {
    // The timer runs on: the next step sees the stop and ends the roll.
    setArmed(false);
    stopSound();
    if (m_mode == DrawMode::Photo)
        applyPhotoPreset();
    else
        applyWordPreset();
    // A winner music file that cannot be played must not cost the winner its record.
    QString soundError;
    try {
        playSound(m_winSound, false);
    } catch (const KalvoroError& e) {
        soundError = e.message();
    }
    setPrompt(tr("Press Enter Key to Begin Next"));
    const bool recorded = m_mode == DrawMode::Photo ? recordPhotoWinner() : recordWordWinners();
    // Only a recorded winner is announced.
    if (recorded && m_showWinner && m_mode == DrawMode::Photo)
        emit announce(QFileInfo(m_currentPhoto).completeBaseName(), m_prizeClass);
    if (!soundError.isEmpty())
        emit errorOccurred(soundError);
}

void DrawSession::step() {
    if (m_mode == DrawMode::Word)
        rollWordStep();
    else
        rollPhotoStep();
    if (!isRolling())
        emit stateChanged(state());
}

void DrawSession::playSound(const QString& file, bool looping) {
    m_player->play(file, looping);
}

void DrawSession::stopSound() {
    m_player->stop();
}

bool DrawSession::recordWithRetry(const std::function<void()>& save, const QString& who) {
    for (;;) {
        try {
            save();
            return true;
        } catch (const std::exception& e) {
            // A locked or read-only database must not cost a winner silently:
            // say who is not recorded and let the operator try again.
            const QString text =
                tr("Save Failure!\n%1\n\n%2 (%3) has not been recorded. Try again?")
                    .arg(QString::fromUtf8(e.what()), who, m_prizeClass);
            if (!m_askRetry || !m_askRetry(text))
                return false;
        }
    }
}

QString DrawSession::winnerCountSentence(const QString& prizeClass) const {
    const qlonglong n = drawnCount(prizeClass);
    if (n < 0)
        return QString();
    return tr("There are %1 persons who won %2").arg(QString::number(n), prizeClass);
}

qlonglong DrawSession::drawnCount(const QString& prizeClass) const {
    try {
        return m_mode == DrawMode::Photo ? PhotoWinnerStore(Db()).countInClass(prizeClass)
                                         : CandidateStore(Db()).countWinnersInClass(prizeClass);
    } catch (const std::exception&) {
        return -1;
    }
}

qlonglong DrawSession::freeCandidateCount() const {
    try {
        if (m_mode == DrawMode::Word)
            return CandidateStore(Db()).countFree();
        const QSet<QString> won = wonPhotoKeys();
        qlonglong free = 0;
        for (const QString& photo : m_photos)
            if (!won.contains(photoKey(photo)))
                ++free;
        return free;
    } catch (const std::exception&) {
        return -1;
    }
}

void DrawSession::resetWinners() {
    if (m_mode == DrawMode::Photo)
        PhotoWinnerStore(Db()).deleteAll();
    else
        CandidateStore(Db()).resetWinners(PresetStore(Db()).allWordPresets());
    emit winnersReset();
}

void DrawSession::showLines(const QStringList& lines) {
    QList<WordCandidate> shown;
    QList<qint64> taken;
    const CandidateStore candidates(Db());
    for (const QString& line : lines) {
        const qint64 id = candidates.freeRowOf(line, taken);
        if (id > 0)
            taken << id;
        shown.append({id, line});
    }
    setLines(shown);
    m_linesAreError = false;
    emit linesShown(m_lines);
}
