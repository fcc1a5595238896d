// The photo roll: a fresh random pick every tick among photos that exist and
// have not won, and the record of the photo on screen when the roll stops.
#include "ui/main/MainWindow.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "core/draw/DrawRandom.h"
#include "core/media/PhotoLoader.h"
#include "formats/Errors.h"
#include "ui/common/UserPrompts.h"

#include <QFileInfo>
#include <QSqlError>

namespace {
constexpr int MaxRejectedTries = 10;
}

void MainWindow::ShuffleRollOrder() {
    ShuffleIndexes(RollOrder, PhotoCount, DrawRng());
}

void MainWindow::RollPhotoTick() {
    try {
        if (!m_countQueryReady) {
            m_countQuery = NewQuery();
            if (!m_countQuery.prepare(Sql::CountPhotoWins))
                throw DatabaseError(m_countQuery.lastError().text());
            m_countQueryReady = true;
        }
        int rejected = 0;
        for (;;) {
            if (RollCursor < 0 || RollCursor >= static_cast<int>(RollOrder.size()))
                throw KalvoroError(QStringLiteral("roll position out of range"));
            const int k = RollOrder[static_cast<size_t>(RollCursor)];
            if (k < 0 || k >= PhotoList.size())
                throw KalvoroError(QStringLiteral("photo index out of range"));
            const QString p = PhotoList.at(k);
            bool free = false;
            if (QFileInfo(p).isFile()) {
                m_countQuery.bindValue(0, p);
                if (!m_countQuery.exec() || !m_countQuery.next())
                    throw DatabaseError(m_countQuery.lastError().text());
                free = m_countQuery.value(0).toLongLong() == 0;
                m_countQuery.finish();
            }
            if (free) {
                if (!DrawArmed) {
                    Timer1->stop();
                    return;
                }
                // A photo that cannot be decoded can never be shown, so it cannot win:
                // it is passed over like a missing file instead of stalling the roll.
                const QImage image = m_photoCache->get(p);
                if (!image.isNull()) {
                    Image2->setPicture(image);
                    CurrentPhoto = p;
                    setWindowTitle(QFileInfo(p).fileName() + QLatin1Char(' ') + QString::number(k));
                    RollCursor = (RollCursor + 1) % PhotoCount;
                    ShuffleRollOrder();
                    // The next tick most likely shows this one; decode it meanwhile.
                    m_photoCache->prefetch(
                        PhotoList.at(RollOrder[static_cast<size_t>(RollCursor)]));
                    return;
                }
            }
            if (rejected > MaxRejectedTries)
                return;
            ++rejected;
            RollCursor = (RollCursor + 1) % PhotoCount;
        }
    } catch (...) {
        // A failing step starts afresh at the next tick.
        m_countQueryReady =
            m_countQueryReady && m_countQuery.lastError().type() == QSqlError::NoError;
        RollCursor = 0;
    }
}

bool MainWindow::SavePhotoWinner() {
    if (CurrentPhoto.isEmpty() || !QFileInfo(CurrentPhoto).isFile())
        return false;
    const QString name = QFileInfo(CurrentPhoto).fileName();
    const QString cls = bsSkinComboBox1->currentText();
    QSqlQuery q = NewQuery();
    for (;;) {
        try {
            RunOrThrow(q, Sql::InsertPhotoWinner, {CurrentPhoto, name, cls});
            return true;
        } catch (const std::exception& e) {
            // A locked or read-only database must not cost the winner silently:
            // say who is not recorded and let the operator try again.
            const QString text =
                QStringLiteral("Save Failure!\n%1\n\n%2 (%3) has not been recorded. Try again?")
                    .arg(QString::fromUtf8(e.what()), name, cls);
            if (!UserPrompts::instance().askYesNo(this, text, QStringLiteral("Save Failure!")))
                return false;
        }
    }
}

void MainWindow::showPhoto(const QString& path, bool fullQuality) {
    const QImage image = fullQuality ? LoadPhotoForDisplay(path, bsSkinPanel1->size(), PhotoStretch)
                                     : m_photoCache->get(path);
    if (image.isNull())
        throw KalvoroError(QStringLiteral("Cannot load the picture %1").arg(path));
    Image2->setPicture(image);
}
