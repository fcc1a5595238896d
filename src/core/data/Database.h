#pragma once
// The one connection to db.sqlite in the current folder, and the schema it
// creates for a fresh install and migrates by user_version. The stores in this
// folder run every statement.
#include <QObject>
#include <QSqlDatabase>
#include <QString>

class Database : public QObject {
    Q_OBJECT
public:
    // Opens (and for a missing file creates) the database. A file that cannot be
    // used is reported by name and left untouched.
    explicit Database(QObject* parent = nullptr,
                      const QString& fileName = QStringLiteral("db.sqlite"));
    ~Database() override;

    static Database* instance();

    // The shared connection every store runs on.
    QSqlDatabase connection() const;
    // The database's absolute path: what the report library opens the same data by.
    QString filePath() const { return m_filePath; }
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

// The shared connection every store runs on (the Database must exist).
QSqlDatabase Db();
