#include "core/data/Stores.h"

#include "formats/Errors.h"

#include <QCoreApplication>
#include <QSqlError>

Store::Store(QSqlDatabase db) : m_db(std::move(db)) {}

QSqlQuery Store::run(const QString& sql, const QVariantList& values) const {
    if (!m_db.isOpen())
        throw DatabaseError(QCoreApplication::translate("Store", "The database is not open"));
    QSqlQuery q(m_db);
    if (!q.prepare(sql))
        throw DatabaseError(q.lastError().text());
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec()) {
        const QString error = q.lastError().text();
        throw DatabaseError(error.trimmed().isEmpty()
                                ? QCoreApplication::translate("Store", "The statement failed")
                                : error);
    }
    return q;
}

qlonglong Store::count(const QString& sql, const QVariantList& values) const {
    QSqlQuery q = run(sql, values);
    if (!q.next())
        throw DatabaseError(QCoreApplication::translate("Store", "The query returned no result"));
    return q.value(0).toLongLong();
}

QStringList Store::texts(const QString& sql, const QVariantList& values) const {
    QSqlQuery q = run(sql, values);
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

void Store::begin() const {
    if (!QSqlDatabase(m_db).transaction())
        throw DatabaseError(m_db.lastError().text());
}

void Store::commit() const {
    QSqlDatabase db(m_db);
    if (!db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        throw DatabaseError(error);
    }
}

void Store::rollback() const {
    QSqlDatabase(m_db).rollback();
}
