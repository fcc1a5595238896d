#include "core/data/PhotoWinnerStore.h"

#include "formats/Errors.h"

#include <QSqlError>

const QString PhotoWinnerStore::Table = QStringLiteral("prize");
const QString PhotoWinnerStore::ListStatement =
    QStringLiteral("select filename,name,class,rq from prize order by class");
const QString PhotoWinnerStore::ExportStatement =
    QStringLiteral("select class,name,rq,filename from prize order by class");
const QString PhotoWinnerStore::PrintStatement =
    QStringLiteral("select class,name from prize order by class");

QSqlQuery PhotoWinnerStore::listRows() const {
    return run(ListStatement);
}

bool PhotoWinnerStore::isWon(const QString& file) {
    if (!m_isWonReady) {
        m_isWon = QSqlQuery(m_db);
        if (!m_isWon.prepare(QStringLiteral("select count(*) from prize where filename=?")))
            throw DatabaseError(m_isWon.lastError().text());
        m_isWonReady = true;
    }
    m_isWon.bindValue(0, file);
    if (!m_isWon.exec() || !m_isWon.next()) {
        const QString error = m_isWon.lastError().text();
        // A failed statement is prepared afresh next time (the connection may be new).
        m_isWonReady = false;
        throw DatabaseError(error);
    }
    const bool won = m_isWon.value(0).toLongLong() != 0;
    m_isWon.finish();
    return won;
}

void PhotoWinnerStore::record(const QString& file, const QString& name, const QString& prizeClass) {
    run(QStringLiteral("insert into prize(filename,name,class) values(?,?,?)"),
        {file, name, prizeClass});
}

qlonglong PhotoWinnerStore::countInClass(const QString& prizeClass) const {
    return count(QStringLiteral("select count(*) from prize where class=?"), {prizeClass});
}

QStringList PhotoWinnerStore::wonFiles() const {
    return texts(QStringLiteral("select distinct filename from prize"));
}

void PhotoWinnerStore::deleteAll() {
    run(QStringLiteral("delete from prize"));
}

void PhotoWinnerStore::remove(const QString& file, const QString& prizeClass) {
    run(QStringLiteral("delete from prize where filename=? and class=?"), {file, prizeClass});
}
