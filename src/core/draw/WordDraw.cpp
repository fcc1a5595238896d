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
        setLines(wordPicker().pickCandidates(m_wordCount, DrawRng()));
        m_linesAreError = false;
        if (!m_lines.isEmpty())
            m_nothingLeftSaid = false;
        emit linesShown(m_lines);
        if (m_lines.isEmpty())
            sayNothingLeft();
    } catch (const std::exception& e) {
        m_wordPicker.reset();
        clearLines();
        m_linesAreError = true;
        emit rollFailed(QString::fromUtf8(e.what()));
    }
}

void DrawSession::setLines(const QList<WordCandidate>& lines) {
    m_lines.clear();
    m_lineIds.clear();
    for (const WordCandidate& line : lines) {
        m_lines << line.text;
        m_lineIds << line.id;
    }
}

void DrawSession::clearLines() {
    m_lines.clear();
    m_lineIds.clear();
}

void DrawSession::applyWordPreset() {
    if (m_linesAreError)
        return;
    try {
        QList<WordCandidate> lines;
        for (qsizetype i = 0; i < m_lines.size(); ++i)
            lines.append({m_lineIds.value(i), m_lines.at(i)});
        const qsizetype n = lines.size();
        const QStringList presets = PresetStore(Db()).wordPresetsOfClass(m_prizeClass);
        const CandidateStore candidates(Db());
        QList<bool> preset(n, false);
        QList<qint64> taken;
        bool changed = false;
        // Presets take the lines from the top, one each; a preset that has won keeps
        // its line as rolled. A preset takes a free row of its text, or gets one
        // when it wins.
        for (qsizetype i = 0; i < n && i < presets.size(); ++i) {
            if (!candidates.isWon(presets.at(i))) {
                const qint64 id = candidates.freeRowOf(presets.at(i), taken);
                if (id > 0)
                    taken << id;
                lines[i] = {id, presets.at(i)};
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
        setLines(lines);
        emit linesShown(m_lines);
    } catch (const std::exception&) {
        // Without its presets the draw keeps what the roll showed.
    }
}

void DrawSession::replaceRolledCopiesOfPresets(QList<WordCandidate>& lines,
                                               const QList<bool>& preset) {
    // A preset may also have been rolled onto another line; one person would then
    // fill two places. That rolled copy gives way to another free candidate.
    auto shown = [&lines](const WordCandidate& w) {
        return std::any_of(lines.cbegin(), lines.cend(), [&w](const WordCandidate& line) {
            return line.id == w.id || line.text.compare(w.text, Qt::CaseInsensitive) == 0;
        });
    };
    QList<qsizetype> copies;
    for (qsizetype j = 0; j < lines.size(); ++j) {
        if (preset.at(j))
            continue;
        for (qsizetype k = 0; k < lines.size(); ++k)
            if (preset.at(k) &&
                lines.at(j).text.compare(lines.at(k).text, Qt::CaseInsensitive) == 0) {
                copies << j;
                break;
            }
    }
    if (copies.isEmpty())
        return;
    const QList<WordCandidate> fresh =
        wordPicker().pickCandidates(static_cast<int>(lines.size() + copies.size()), DrawRng());
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
    QList<WordCandidate> winners;
    for (qsizetype i = 0; i < words.size(); ++i)
        winners.append({m_lineIds.value(i), words.at(i)});
    const QString prizeClass = m_prizeClass;
    if (!recordWithRetry([&] { CandidateStore(Db()).recordWinners(winners, prizeClass); },
                         words.join(QStringLiteral(", "))))
        return false;
    emit winnersRecorded(prizeClass, words);
    return true;
}
