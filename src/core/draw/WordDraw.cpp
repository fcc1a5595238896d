// The word roll: N free candidates drawn at random by the store every step,
// presets at the stop, and the record of every line on show.
#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "core/data/PresetStore.h"
#include "core/data/WordPicker.h"
#include "core/draw/DrawRandom.h"
#include "core/draw/DrawSession.h"

#include <algorithm>

WordPicker& DrawSession::wordPicker() {
    if (!m_wordPicker)
        m_wordPicker = std::make_unique<WordPicker>(Db());
    return *m_wordPicker;
}

void DrawSession::rollWordStep() {
    if (!m_armed) {
        m_rollTimer->stop();
        return;
    }
    try {
        m_lines = wordPicker().pick(m_wordCount, DrawRng());
        m_linesAreError = false;
        if (!m_lines.isEmpty())
            m_nothingLeftSaid = false;
        emit linesShown(m_lines);
        if (m_lines.isEmpty())
            sayNothingLeft();
    } catch (const std::exception& e) {
        m_wordPicker.reset();
        m_lines.clear();
        m_linesAreError = true;
        emit rollFailed(QString::fromUtf8(e.what()));
    }
}

void DrawSession::applyWordPreset() {
    if (m_linesAreError)
        return;
    try {
        QStringList lines = m_lines;
        const qsizetype n = lines.size();
        const QStringList presets = PresetStore(Db()).wordPresetsOfClass(m_prizeClass);
        const CandidateStore candidates(Db());
        QList<bool> preset(n, false);
        bool changed = false;
        // Presets take the lines from the top, one each; a preset that has won keeps
        // its line as rolled.
        for (qsizetype i = 0; i < n && i < presets.size(); ++i) {
            if (!candidates.isWon(presets.at(i))) {
                lines[i] = presets.at(i);
                preset[i] = true;
                changed = true;
            }
        }
        if (!changed)
            return;
        try {
            replaceRolledCopiesOfPresets(lines, preset);
        } catch (const std::exception&) {
            // The presets still stand even when no replacement could be drawn.
        }
        m_lines = lines;
        emit linesShown(m_lines);
    } catch (const std::exception&) {
        // Without its presets the draw keeps what the roll showed.
    }
}

void DrawSession::replaceRolledCopiesOfPresets(QStringList& lines, const QList<bool>& preset) {
    // A preset may also have been rolled onto another line; one person would then
    // fill two places. That rolled copy gives way to another free candidate.
    auto shown = [&lines](const QString& w) {
        return std::any_of(lines.cbegin(), lines.cend(), [&w](const QString& line) {
            return line.compare(w, Qt::CaseInsensitive) == 0;
        });
    };
    QList<qsizetype> copies;
    for (qsizetype j = 0; j < lines.size(); ++j) {
        if (preset.at(j))
            continue;
        for (qsizetype k = 0; k < lines.size(); ++k)
            if (preset.at(k) && lines.at(j).compare(lines.at(k), Qt::CaseInsensitive) == 0) {
                copies << j;
                break;
            }
    }
    if (copies.isEmpty())
        return;
    const QStringList fresh =
        wordPicker().pick(static_cast<int>(lines.size() + copies.size()), DrawRng());
    qsizetype next = 0;
    QList<qsizetype> unfilled;
    for (qsizetype j : std::as_const(copies)) {
        while (next < fresh.size() && shown(fresh.at(next)))
            ++next;
        if (next < fresh.size())
            lines[j] = fresh.at(next++);
        else
            unfilled << j;
    }
    // Nobody free is left for a place: it is not shown rather than shown twice.
    for (auto it = unfilled.crbegin(); it != unfilled.crend(); ++it)
        lines.removeAt(*it);
}

bool DrawSession::recordWordWinners() {
    // An error on show is not a list of winners.
    if (m_linesAreError) {
        emit errorOccurred(tr("Save Failure!\nThe display shows an error, not winners: "
                              "nothing was recorded."));
        return false;
    }
    if (m_lines.isEmpty())
        return false;
    const QStringList words = m_lines;
    const QString prizeClass = m_prizeClass;
    if (!recordWithRetry([&] { CandidateStore(Db()).recordWinners(words, prizeClass); },
                         words.join(QStringLiteral(", "))))
        return false;
    emit winnersRecorded(prizeClass, words);
    return true;
}
