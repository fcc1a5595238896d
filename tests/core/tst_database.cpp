// The data store: the schema a fresh install gets, the query helpers' messages,
// bound values that survive any text, and a database file that cannot be used.
#include "core/data/Database.h"
#include "support/ScriptedPrompts.h"
#include "support/TempProgram.h"
#include "support/TestSql.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void freshInstallHasSchemaAndDefaults();
    void helpersReportFailuresAsTheUserSeesThem();
    void helpersSucceedSilently();
    void awkwardTextIsStoredAndFoundIntact_data();
    void awkwardTextIsStoredAndFoundIntact();
    void textComparisonIgnoresCase();
    void notADatabaseIsReportedAndLeftAlone();
    void winnerSurvivesAKilledProcess();
};

void TestDatabase::freshInstallHasSchemaAndDefaults() {
    ScriptedPrompts prompts;
    TempProgram program;
    QVERIFY(!QFile::exists(program.currentDir() + QStringLiteral("db.sqlite")));
    Database* dm = program.openDatabase();
    QVERIFY(dm->isUsable());
    QVERIFY(QFile::exists(program.currentDir() + QStringLiteral("db.sqlite")));
    QVERIFY(prompts.messages.isEmpty());
    const QStringList tables = Db().tables();
    for (const char* t : {"prize", "wz", "jxmc", "zb", "zb1"})
        QVERIFY2(tables.contains(QLatin1String(t)), t);
    QVERIFY(Db().tables(QSql::Views).contains(QStringLiteral("wzd")));
    QCOMPARE(program.count(QStringLiteral("select count(*) from jxmc")), 3);
    QVERIFY(program.count(QStringLiteral("select count(*) from wz")) > 0);
    QCOMPARE(program.sql(QStringLiteral("pragma user_version")).toInt(), Database::SchemaVersion);
    // rq is filled by the store with the local date and time of the insert.
    program.sql(TestSql::InsertPhotoWinner,
                {QStringLiteral("/p/a.jpg"), QStringLiteral("a.jpg"), QStringLiteral("First")});
    const QDateTime rq = program.sql(QStringLiteral("select rq from prize")).toDateTime();
    QVERIFY(rq.isValid());
    QVERIFY(qAbs(rq.secsTo(QDateTime::currentDateTime())) < 60);
    // The view sees exactly the rows of wz.
    QCOMPARE(program.count(QStringLiteral("select count(*) from wzd where prize is null")),
             program.count(QStringLiteral("select count(*) from wz where prize is null")));
}

void TestDatabase::helpersReportFailuresAsTheUserSeesThem() {
    ScriptedPrompts prompts;
    TempProgram program;
    program.openDatabase();
    QSqlQuery q = NewQuery();
    QString result;
    const QString badSelect = QStringLiteral("select * from nosuchtable");
    OpenQuery(badSelect, result, q);
    QCOMPARE(prompts.messages.size(), 2);
    QCOMPARE(prompts.messages.at(0), result);
    QVERIFY(result.endsWith(QStringLiteral("\r\n错误")));
    QVERIFY(result.contains(QStringLiteral("nosuchtable")));
    QCOMPARE(prompts.messages.at(1), badSelect);
    QVERIFY(!q.isActive());

    prompts.clear();
    const QString badUpdate = QStringLiteral("update nosuchtable set x=1");
    ExecQuery(badUpdate, result, q);
    QCOMPARE(prompts.messages.size(), 1);
    const QStringList lines = result.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(1), QStringLiteral("错误"));
    QCOMPARE(lines.at(2), badUpdate);
    QCOMPARE(prompts.messages.at(0), result);
}

void TestDatabase::helpersSucceedSilently() {
    ScriptedPrompts prompts;
    TempProgram program;
    program.openDatabase();
    QSqlQuery q = NewQuery();
    QString result = QStringLiteral("x");
    ExecQuery(TestSql::InsertWord, result, q, {QStringLiteral("Zed")});
    QCOMPARE(result, QStringLiteral("Success"));
    OpenQuery(TestSql::CountWord, result, q, {QStringLiteral("zed")});
    QCOMPARE(result, QStringLiteral("Success"));
    QCOMPARE(ReadCount(q), 1);
    QVERIFY(prompts.messages.isEmpty());
}

void TestDatabase::awkwardTextIsStoredAndFoundIntact_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << QStringLiteral("O'Neil");
    QTest::newRow("double quote") << QStringLiteral("Say \"cheese\"");
    QTest::newRow("comment dashes") << QStringLiteral("a -- b");
    QTest::newRow("semicolon and drop") << QStringLiteral("x'; drop table wz; --");
    QTest::newRow("backslash percent") << QStringLiteral("C:\\50%_off");
    QTest::newRow("emoji and Chinese") << QStringLiteral("🎉 张伟 Zoë");
}

void TestDatabase::awkwardTextIsStoredAndFoundIntact() {
    QFETCH(QString, text);
    ScriptedPrompts prompts;
    TempProgram program;
    program.openDatabase();
    QSqlQuery q = NewQuery();
    QString result;
    ExecQuery(TestSql::InsertWonWord, result, q, {text, text});
    QCOMPARE(result, QStringLiteral("Success"));
    OpenQuery(TestSql::CountWordWins, result, q, {text});
    QCOMPARE(ReadCount(q), 1);
    QCOMPARE(program.sql(QStringLiteral("select prize from wz where wz=?"), {text}).toString(),
             text);
    QVERIFY(Db().tables().contains(QStringLiteral("wz")));
    QVERIFY(prompts.messages.isEmpty());
}

void TestDatabase::textComparisonIgnoresCase() {
    ScriptedPrompts prompts;
    TempProgram program;
    program.openDatabase();
    program.sql(TestSql::InsertWord, {QStringLiteral("Alice")});
    QCOMPARE(program.count(TestSql::CountWord, {QStringLiteral("alice")}), 1);
    program.sql(TestSql::MarkWordWon, {QStringLiteral("First"), QStringLiteral("ALICE")});
    QCOMPARE(program.count(TestSql::CountWordWinnersOfClass, {QStringLiteral("first")}), 1);
}

void TestDatabase::notADatabaseIsReportedAndLeftAlone() {
    ScriptedPrompts prompts;
    TempProgram program;
    const QByteArray junk("This is a text file, not a database.\n", 38);
    {
        QFile f(program.currentDir() + QStringLiteral("db.sqlite"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(junk.repeated(200));
    }
    Database* dm = program.openDatabase();
    QVERIFY(!dm->isUsable());
    // The store says what is wrong and leaves telling the operator to the windows.
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(dm->openFailureText().contains(QStringLiteral("db.sqlite")));
    QVERIFY(!dm->lastOpenError().isEmpty());
    program.closeDatabase();
    QFile f(program.currentDir() + QStringLiteral("db.sqlite"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), junk.repeated(200));
}

void TestDatabase::winnerSurvivesAKilledProcess() {
    // A child process records a winner and is killed at once; the row must be there.
    ScriptedPrompts prompts;
    TempProgram program;
    program.openDatabase();
    program.closeDatabase();
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--record-and-wait"), program.currentDir()});
    child.start();
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(20000));
    QCOMPARE(child.readLine().trimmed(), QByteArray("recorded"));
    child.kill();
    child.waitForFinished();
    program.openDatabase();
    QCOMPARE(program.count(QStringLiteral("select count(*) from prize where name=?"),
                           {QStringLiteral("Kill Me.jpg")}),
             1);
}

// A helper mode of this test program: record one winner, say so, then hang until killed.
static int recordAndWait(const QString& folder) {
    QDir::setCurrent(folder);
    Database dm;
    QSqlQuery q = NewQuery();
    RunOrThrow(
        q, TestSql::InsertPhotoWinner,
        {QStringLiteral("/x/Kill Me.jpg"), QStringLiteral("Kill Me.jpg"), QStringLiteral("First")});
    fputs("recorded\n", stdout);
    fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--record-and-wait") == 0)
        return recordAndWait(QString::fromLocal8Bit(argv[2]));
    TestDatabase test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_database.moc"
