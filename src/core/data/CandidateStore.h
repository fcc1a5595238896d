#pragma once
// The candidates of word mode (table wz).
#include "core/data/Stores.h"

#include <QString>
#include <QStringList>

#include <functional>

// A word on show: its row in wz, or 0 for a text that gets a row when it wins.
struct WordCandidate {
    qint64 id = 0;
    QString text;
};

// Reports progress (entries handled, entries in all); returning false cancels.
using ImportProgress = std::function<bool(int done, int total)>;

class CandidateStore : public Store {
public:
    using Store::Store;
    static const QString Table;
    // The columns an editor of the table shows or hides.
    static const QString IdColumn;
    static const QString WordColumn;
    static const QString PrizeColumn;
    // What the word winners window lists and prints.
    static const QString WinnersStatement;
    static const QString PrintStatement;
    // The rows of WinnersStatement, for the word winners window's list.
    QSqlQuery winnerRows() const;

    // Whether a candidate of this text has won.
    bool isWon(const QString& word) const;
    // The free row of this text with the lowest id, passing over the rows in
    // `taken`; 0 when none is free.
    qint64 freeRowOf(const QString& word, const QList<qint64>& taken = {}) const;
    // Marks each row as a winner of the class, all in one transaction; a word
    // without a row (and not blank) is added as a winner. A row that has won
    // meanwhile or is gone fails the whole draw, naming the person.
    void recordWinners(const QList<WordCandidate>& winners, const QString& prizeClass);
    qlonglong countWinnersInClass(const QString& prizeClass) const;
    // Candidates a word draw can still pick.
    qlonglong countFree() const;
    // Frees every winner and removes the preset words from the candidates, in one transaction.
    void resetWinners(const QStringList& presetWords);
    void deleteAll();

    // Inserts the entries in one transaction and returns how many rows went in.
    // Entries that are empty or only blanks are skipped (a blank line would
    // otherwise become a candidate that can win and shows nothing), and so is an
    // entry the database refuses. A cancel keeps and commits what was inserted
    // before it. Throws DatabaseError when the database is not open or the
    // transaction cannot be committed.
    int insert(const QStringList& entries, const ImportProgress& progress = {}) const;
};
