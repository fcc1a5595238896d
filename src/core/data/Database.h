#pragma once
// The data module: the one connection to db.sqlite in the current folder, the
// schema it creates for a fresh install, and the two query helpers.
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>

class Database : public QObject {
    Q_OBJECT
public:
    // Opens (and for a missing file creates) the database. A file that cannot be
    // used is reported by name and left untouched.
    explicit Database(QObject* parent = nullptr,
                      const QString& fileName = QStringLiteral("db.sqlite"));
    ~Database() override;

    static Database* instance();

    // The shared connection every window's queries run on.
    QSqlDatabase ADOConnection1() const;
    // What the report library needs to open the same data: the database's absolute path.
    QString ConnectionString() const { return m_filePath; }
    bool isUsable() const { return m_usable; }
    QString lastOpenError() const { return m_openError; }
    // What the operator is told when the file cannot be used.
    QString openFailureText() const;

    static constexpr int SchemaVersion = 1;
    static const QString ConnectionName;

private:
    bool createSchema();
    bool migrate(int fromVersion);

    QString m_filePath;
    QString m_openError;
    bool m_usable = false;
};

// The shared connection (the data module must exist).
QSqlDatabase Db();
// A fresh query object on the shared connection.
QSqlQuery NewQuery();

// Where the two helpers below report a failure (the windows show it).
void SetQueryErrorReport(std::function<void(const QString&)> report);

// Runs a row-returning statement. ResultText becomes "Success", or the error
// with "错误" on the next line, which is shown first, then the statement.
void OpenQuery(const QString& Sql, QString& ResultText, QSqlQuery& Query,
               const QVariantList& Values = {});
// Runs a statement that returns no rows; a failure shows one box of three
// lines: the error, "错误" and the statement.
void ExecQuery(const QString& Sql, QString& ResultText, QSqlQuery& Query,
               const QVariantList& Values = {});

// Runs a statement and throws DatabaseError when it fails (for the callers
// whose failures go to the default error report).
void RunOrThrow(QSqlQuery& Query, const QString& Sql, const QVariantList& Values = {});
// The first column of the first row as an integer; throws when there is no row.
qlonglong ReadCount(QSqlQuery& Query);
