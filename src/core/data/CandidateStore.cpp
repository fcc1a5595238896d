#include "core/data/CandidateStore.h"

#include "formats/Errors.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

const QString CandidateStore::Table = QStringLiteral("wz");
const QString CandidateStore::IdColumn = QStringLiteral("id");
const QString CandidateStore::WordColumn = QStringLiteral("wz");
const QString CandidateStore::PrizeColumn = QStringLiteral("prize");
const QString CandidateStore::WinnersStatement =
    QStringLiteral("select * from wz where prize is not null order by prize");
const QString CandidateStore::PrintStatement = QStringLiteral(
    "select wz as name,prize as class from wz where prize is not null order by prize");

QSqlQuery CandidateStore::winnerRows() const {
    return run(WinnersStatement);
}

bool CandidateStore::isWon(const QString& word) const {
    return count(QStringLiteral("select count(*) from wz where wz=? and prize is not null"),
                 {word}) > 0;
}

void CandidateStore::recordWinners(const QStringList& words, const QString& prizeClass) {
    inTransaction([&] {
        for (const QString& w : words) {
            const bool known = count(QStringLiteral("select count(*) from wz where wz=?"), {w}) > 0;
            bool blank = true;
            for (QChar c : w)
                blank = blank && (c.isSpace() || c.category() == QChar::Other_Control);
            if (!known && !blank)
                run(QStringLiteral("insert into wz(wz,prize) values(?,?)"), {w, prizeClass});
            else
                run(QStringLiteral("update wz set prize=? where wz=?"), {prizeClass, w});
        }
    });
}

qlonglong CandidateStore::countWinnersInClass(const QString& prizeClass) const {
    return count(QStringLiteral("select count(*) from wz where prize=?"), {prizeClass});
}

qlonglong CandidateStore::countFree() const {
    // The same rows the word roll picks from; the prize index keeps it quick.
    return count(QStringLiteral("select count(*) from wzd where prize is null"));
}

void CandidateStore::resetWinners(const QStringList& presetWords) {
    inTransaction([&] {
        run(QStringLiteral("update wz set prize=null where prize is not null"));
        for (const QString& w : presetWords)
            run(QStringLiteral("delete from wz where wz=?"), {w});
    });
}

void CandidateStore::deleteAll() {
    run(QStringLiteral("delete from wz"));
}

int CandidateStore::insert(const QStringList& entries, const ImportProgress& progress) const {
    QSqlDatabase db = m_db;
    if (!db.isOpen())
        throw DatabaseError(QCoreApplication::translate("Store", "The database is not open"));
    const int total = static_cast<int>(entries.size());
    // One transaction: with synchronous writes, a commit per row would take
    // minutes for a long list.
    const bool inTransaction = db.transaction();
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("insert into wz(wz) values(?)"))) {
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
