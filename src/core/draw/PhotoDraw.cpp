// The photo roll: a fresh random pick every step among photos that exist and
// have not won, presets at the stop, and the record of the photo on screen.
#include "core/data/Database.h"
#include "core/data/PhotoWinnerStore.h"
#include "core/data/PresetStore.h"
#include "core/draw/DrawRandom.h"
#include "core/draw/DrawSession.h"
#include "core/media/PhotoLoader.h"
#include "formats/Errors.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
constexpr int MaxRejectedTries = 10;
}

PhotoWinnerStore& DrawSession::photoWinners() {
    if (!m_photoWinners)
        m_photoWinners = std::make_unique<PhotoWinnerStore>(Db());
    return *m_photoWinners;
}

void DrawSession::shuffleRollOrder() {
    ShuffleIndexes(m_rollOrder, static_cast<int>(m_photos.size()), DrawRng());
    // The connection may have been opened anew since the last draw.
    m_photoWinners.reset();
}

void DrawSession::rollPhotoStep() {
    const int count = static_cast<int>(m_photos.size());
    if (count == 0) {
        if (m_armed)
            sayNothingLeft();
        return;
    }
    try {
        int rejected = 0;
        for (;;) {
            if (m_rollCursor < 0 || m_rollCursor >= static_cast<int>(m_rollOrder.size()))
                throw KalvoroError(
                    QCoreApplication::translate("PhotoDraw", "roll position out of range"));
            const int k = m_rollOrder[static_cast<size_t>(m_rollCursor)];
            if (k < 0 || k >= count)
                throw KalvoroError(
                    QCoreApplication::translate("PhotoDraw", "photo index out of range"));
            const QString& p = m_photos.at(k);
            const bool free = QFileInfo(p).isFile() && !photoWinners().isWon(p);
            if (free) {
                if (!m_armed) {
                    m_rollTimer->stop();
                    return;
                }
                // A photo that cannot be decoded can never be shown, so it cannot win:
                // it is passed over like a missing file instead of stalling the roll.
                const QImage image = m_photoCache->get(p);
                if (!image.isNull()) {
                    m_currentPhoto = p;
                    emit photoShown(p, image);
                    emit captionChanged(QFileInfo(p).fileName() + QLatin1Char(' ') +
                                        QString::number(k));
                    m_rollCursor = (m_rollCursor + 1) % count;
                    shuffleRollOrder();
                    // The next step most likely shows this one; decode it meanwhile.
                    m_photoCache->prefetch(m_photos.at(m_rollOrder[size_t(m_rollCursor)]));
                    return;
                }
            }
            if (rejected > MaxRejectedTries) {
                checkPhotosLeft();
                return;
            }
            ++rejected;
            m_rollCursor = (m_rollCursor + 1) % count;
        }
    } catch (const std::exception&) {
        // A failing step starts afresh at the next one.
        m_photoWinners.reset();
        m_rollCursor = 0;
    }
}

void DrawSession::checkPhotosLeft() {
    // Only a roll has something to say: after a stop the winner is on show.
    // One look per roll: a free photo found once stays free until the next stop.
    if (!m_armed || m_photosChecked)
        return;
    m_photosChecked = true;
    if (!anyPhotoFree())
        sayNothingLeft();
}

bool DrawSession::anyPhotoFree() {
    // One query for the winners, not one per photo of the folder.
    const QSet<QString> won = wonPhotoKeys();
    for (const QString& p : m_photos)
        if (!won.contains(photoKey(p)) && QFileInfo(p).isFile())
            return true;
    return false;
}

QSet<QString> DrawSession::wonPhotoKeys() const {
    QSet<QString> won;
    for (const QString& file : PhotoWinnerStore(Db()).wonFiles())
        won.insert(photoKey(file));
    return won;
}

QString DrawSession::photoKey(const QString& file) {
    // The prize table compares file names as SQLite's NOCASE does: ASCII letters only.
    QString folded = file;
    for (QChar& c : folded)
        if (c.unicode() < 128)
            c = c.toLower();
    return folded;
}

void DrawSession::applyPhotoPreset() {
    try {
        const QStringList presets = PresetStore(Db()).photoPresetsOfClass(m_prizeClass);
        for (const QString& f : presets) {
            if (!QFileInfo(f).isFile() || photoWinners().isWon(f))
                continue;
            const QImage image = LoadPhotoForDisplay(f, m_displaySize, m_stretch);
            // A preset the display cannot load cannot be shown, so it cannot win.
            if (image.isNull())
                continue;
            m_currentPhoto = f;
            m_nothingLeftSaid = false;
            emit photoShown(f, image);
            emit captionChanged(QFileInfo(f).fileName());
            return;
        }
    } catch (const std::exception&) {
        // Without its presets the draw keeps what the roll showed.
    }
    // The roll showed a quick decode; the winner deserves the sharp one.
    if (!m_currentPhoto.isEmpty())
        showPhoto(m_currentPhoto, true);
}

void DrawSession::showPhoto(const QString& path, bool sharp) {
    const QImage image =
        sharp ? LoadPhotoForDisplay(path, m_displaySize, m_stretch) : m_photoCache->get(path);
    if (!image.isNull())
        emit photoShown(path, image);
}

bool DrawSession::recordPhotoWinner() {
    if (m_currentPhoto.isEmpty() || !QFileInfo(m_currentPhoto).isFile())
        return false;
    const QString file = m_currentPhoto;
    const QString name = QFileInfo(file).fileName();
    const QString prizeClass = m_prizeClass;
    if (!recordWithRetry([&] { PhotoWinnerStore(Db()).record(file, name, prizeClass); }, name))
        return false;
    emit winnersRecorded(prizeClass, {name});
    return true;
}
