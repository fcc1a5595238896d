#include "core/data/CandidateStore.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "formats/Errors.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

int InsertCandidates(const QStringList& entries, const ImportProgress& progress) {
    QSqlDatabase db = Db();
    if (!db.isOpen())
        throw DatabaseError(QStringLiteral("The database is not open"));
    const int total = static_cast<int>(entries.size());
    // One transaction: with synchronous writes, a commit per row would take
    // minutes for a long list.
    const bool inTransaction = db.transaction();
    QSqlQuery query(db);
    if (!query.prepare(Sql::InsertWord)) {
        if (inTransaction)
            db.rollback();
        throw DatabaseError(query.lastError().text());
    }
    int inserted = 0;
    bool cancelled = false;
    constexpr int ReportEvery = 256;
    for (int i = 0; i < total; ++i) {
        if (progress && i % ReportEvery == 0 && !progress(i, total)) {
            cancelled = true;
            break;
        }
        const QString& entry = entries.at(i);
        if (entry.trimmed().isEmpty())
            continue;
        query.bindValue(0, entry);
        if (query.exec())
            ++inserted; // a refused entry is skipped; the rest still go in
    }
    query.finish();
    if (inTransaction && !db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        throw DatabaseError(error);
    }
    if (progress && !cancelled)
        progress(total, total);
    return inserted;
}
