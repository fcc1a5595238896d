#pragma once
// The candidates of word mode (table wz).
#include <QString>
#include <QStringList>

#include <functional>

// Reports progress (entries handled, entries in all); returning false cancels.
using ImportProgress = std::function<bool(int done, int total)>;

// Inserts the entries into wz in one transaction with the shared connection and
// returns how many rows went in. Entries that are empty or only blanks are
// skipped (a blank line would otherwise become a candidate that can win and
// shows nothing), and so is an entry the database refuses. A cancel keeps and
// commits what was inserted before it. Throws DatabaseError when the
// transaction cannot be committed.
int InsertCandidates(const QStringList& entries, const ImportProgress& progress = {});
