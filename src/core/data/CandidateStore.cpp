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

qint64 CandidateStore::freeRowOf(const QString& word, const QList<qint64>& taken) const {
    // The column compares without case, as the roll's duplicates check does.
    const QStringList ids =
        texts(QStringLiteral("select id from wz where wz=? and prize is null order by id"), {word});
    for (const QString& id : ids)
        if (!taken.contains(id.toLongLong()))
            return id.toLongLong();
    return 0;
}

void CandidateStore::recordWinners(const QList<WordCandidate>& winners, const QString& prizeClass) {
    inTransaction([&] {
        for (const WordCandidate& w : winners) {
            if (w.id > 0) {
                // By row, so that a namesake stays free; one row exactly, or the
                // screen shows someone the database does not agree on.
                const QSqlQuery query =
                    run(QStringLiteral("update wz set prize=? where id=? and prize is null"),
                        {prizeClass, w.id});
                if (query.numRowsAffected() != 1)
                    throw DatabaseError(
                        QCoreApplication::translate("Store", "%1 has won already or is no longer a "
                                                             "candidate.")
                            .arg(w.text));
                continue;
            }
            bool blank = true;
            for (QChar c : w.text)
                blank = blank && (c.isSpace() || c.category() == QChar::Other_Control);
            if (!blank)
                run(QStringLiteral("insert into wz(wz,prize) values(?,?)"), {w.text, prizeClass});
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
