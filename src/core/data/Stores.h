#pragma once
// What every store shares: statements run on the one connection, a failure
// thrown as DatabaseError with the driver's message.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

class Store {
public:
    explicit Store(QSqlDatabase db);

protected:
    // Prepares, binds and runs; throws DatabaseError when any step fails.
    QSqlQuery run(const QString& sql, const QVariantList& values = {}) const;
    // The first column of the first row of a statement, as a number.
    qlonglong count(const QString& sql, const QVariantList& values = {}) const;
    // The first column of every row, as text.
    QStringList texts(const QString& sql, const QVariantList& values = {}) const;
    // Runs `body` in one transaction: all of it is kept or none.
    template <class F> void inTransaction(F&& body) const;

    QSqlDatabase m_db;

private:
    void begin() const;
    void commit() const;
    void rollback() const;
};

template <class F> void Store::inTransaction(F&& body) const {
    begin();
    try {
        body();
        commit();
    } catch (...) {
        rollback();
        throw;
    }
}
