#include "core/data/Database.h"

#include "formats/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

const QString Database::ConnectionName = QStringLiteral("kalvoro");

namespace {
Database* g_instance = nullptr;

const char* const kSchema[] = {
    "create table jxmc(name text collate nocase)",
    "create table prize(filename text collate nocase, name text collate nocase,"
    " class text collate nocase,"
    " rq datetime default (strftime('%Y-%m-%d %H:%M:%S','now','localtime')))",
    "create table wz(id integer primary key autoincrement, wz text collate nocase,"
    " prize text collate nocase)",
    "create table zb(filename text collate nocase, class text collate nocase,"
    " rq datetime default (strftime('%Y-%m-%d %H:%M:%S','now','localtime')))",
    "create table zb1(wz text collate nocase, prize text collate nocase)",
    "create view wzd as select id, wz, prize from wz",
    "create index prize_filename on prize(filename)",
    "create index prize_class on prize(class)",
    "create index wz_wz on wz(wz)",
    "create index wz_prize on wz(prize)",
};

const char* const kDefaultClasses[] = {"First Prize", "Second Prize", "Third Prize"};

// A first start can draw in word mode at once.
const char* const kSampleWords[] = {
    "Alice Martin", "Bruno Costa",  "Chen Wei",       "Dana Kowalski", "Emeka Obi",
    "Fatima Zahra", "Greta Lind",   "Hiro Tanaka",    "Ines Duarte",   "Jonas Berg",
    "Kavya Iyer",   "Luca Romano",  "Maya Cohen",     "Nils Eriksen",  "Olivia Brown",
    "Pablo Ruiz",   "Quinn Murphy", "Rosa Alvarez",   "Sven Olsen",    "Tara Singh",
    "Umar Farouk",  "Vera Novak",   "Wang Fang",      "Ximena Rojas",  "Yusuf Demir",
    "Zoe Laurent",  "Ana Petrović", "Björn Sørensen", "Chloé Dubois",  "Diego Hernández",
    "李娜",         "张伟",         "王芳",           "刘洋",          "陈静",
    "Erik O'Neil",  "Farah Haddad", "Gabriel Silva",  "Hannah Weber",  "Igor Volkov",
};

bool exec(QSqlDatabase& db, const QString& sql, QString& error) {
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    error = q.lastError().text();
    return false;
}
} // namespace

Database::Database(QObject* parent, const QString& fileName) : QObject(parent) {
    setObjectName(QStringLiteral("database"));
    g_instance = this;
    m_filePath = QFileInfo(fileName).absoluteFilePath();
    const bool existed = QFileInfo::exists(m_filePath);

    if (QSqlDatabase::contains(ConnectionName))
        QSqlDatabase::removeDatabase(ConnectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    db.setDatabaseName(m_filePath);
    // The report library and the winners windows may hold the file briefly.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));

    QString error;
    if (!db.open()) {
        error = db.lastError().text();
    } else {
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("pragma user_version")) || !probe.next()) {
            error = probe.lastError().text();
        } else {
            const int version = probe.value(0).toInt();
            probe.finish();
            // A winner must survive the program being killed right after the insert.
            exec(db, QStringLiteral("pragma synchronous=full"), error);
            error.clear();
            if (!existed || (version == 0 && db.tables().isEmpty())) {
                if (!createSchema())
                    error = m_openError;
            } else if (version < SchemaVersion) {
                if (!migrate(version))
                    error = m_openError;
            } else if (!db.tables().contains(QStringLiteral("wz"))) {
                error = QCoreApplication::translate("Database", "it has no Kalvoro tables");
            }
        }
    }

    m_usable = error.isEmpty();
    if (!m_usable)
        m_openError = error;
}

QString Database::openFailureText() const {
    return tr("The database file %1 cannot be used:\n%2\n\n"
              "Kalvoro has left the file as it is. Move it away to "
              "start with a new database, or restore a good copy.")
        .arg(QDir::toNativeSeparators(m_filePath), m_openError);
}

Database::~Database() {
    {
        QSqlDatabase db = QSqlDatabase::database(ConnectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(ConnectionName);
    if (g_instance == this)
        g_instance = nullptr;
}

Database* Database::instance() {
    return g_instance;
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(ConnectionName, false);
}

bool Database::createSchema() {
    QSqlDatabase db = connection();
    QString error;
    if (!db.transaction()) {
        m_openError = db.lastError().text();
        return false;
    }
    bool ok = true;
    for (const char* sql : kSchema)
        ok = ok && exec(db, QString::fromUtf8(sql), error);
    QSqlQuery insert(db);
    if (ok && insert.prepare(QStringLiteral("insert into jxmc(name) values(?)"))) {
        for (const char* c : kDefaultClasses) {
            insert.bindValue(0, QString::fromUtf8(c));
            ok = ok && insert.exec();
        }
    }
    if (ok && insert.prepare(QStringLiteral("insert into wz(wz) values(?)"))) {
        for (const char* w : kSampleWords) {
            insert.bindValue(0, QString::fromUtf8(w));
            ok = ok && insert.exec();
        }
    }
    if (!ok && error.isEmpty())
        error = insert.lastError().text();
    ok = ok && exec(db, QStringLiteral("pragma user_version=%1").arg(SchemaVersion), error);
    if (!ok) {
        db.rollback();
        m_openError = error;
        return false;
    }
    if (!db.commit()) {
        m_openError = db.lastError().text();
        return false;
    }
    return true;
}

bool Database::migrate(int fromVersion) {
    // Version 1 is the first schema; later versions add their steps here.
    Q_UNUSED(fromVersion);
    QSqlDatabase db = connection();
    QString error;
    if (!exec(db, QStringLiteral("pragma user_version=%1").arg(SchemaVersion), error)) {
        m_openError = error;
        return false;
    }
    return true;
}

QSqlDatabase Db() {
    return QSqlDatabase::database(Database::ConnectionName, false);
}
