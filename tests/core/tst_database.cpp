// The data store: the schema a fresh install gets, the stores' errors and
// transactions, bound values that survive any text, and a database file that
// cannot be used.
#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "core/data/PhotoWinnerStore.h"
#include "core/data/PrizeClassStore.h"
#include "formats/Errors.h"
#include "support/TempProgram.h"
#include "support/TestSql.h"

#include <QCoreApplication>
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
    void storeFailuresCarryTheDriversMessage();
    void winnersOfOneDrawAreRecordedAllOrNothing();
    void awkwardTextIsStoredAndFoundIntact_data();
    void awkwardTextIsStoredAndFoundIntact();
    void textComparisonIgnoresCase();
    void notADatabaseIsReportedAndLeftAlone();
    void winnerSurvivesAKilledProcess();
};

void TestDatabase::freshInstallHasSchemaAndDefaults() {
    TempProgram program;
    QVERIFY(!QFile::exists(program.currentDir() + QStringLiteral("db.sqlite")));
    Database* dm = program.openDatabase();
    QVERIFY(dm->isUsable());
    QVERIFY(QFile::exists(program.currentDir() + QStringLiteral("db.sqlite")));
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

void TestDatabase::storeFailuresCarryTheDriversMessage() {
    TempProgram program;
    program.openDatabase();
    program.sql(QStringLiteral("drop table prize"));
    program.sql(QStringLiteral("drop table jxmc"));
    PhotoWinnerStore winners(Db());
    auto failure = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const DatabaseError& e) {
            return e.message();
        }
        return QString();
    };
    QVERIFY(failure([&] {
                winners.record(QStringLiteral("/a.jpg"), QStringLiteral("a.jpg"),
                               QStringLiteral("First"));
            }).contains(QStringLiteral("prize")));
    QVERIFY(failure([&] {
                winners.isWon(QStringLiteral("/a.jpg"));
            }).contains(QStringLiteral("prize")));
    QVERIFY(failure([&] {
                winners.countInClass(QStringLiteral("First"));
            }).contains(QStringLiteral("prize")));
    QVERIFY(failure([&] { PrizeClassStore(Db()).names(); }).contains(QStringLiteral("jxmc")));
    // A closed connection is said as such, not as a crash.
    program.closeDatabase();
    QVERIFY(!failure([&] {
                 CandidateStore(Db()).countWinnersInClass(QStringLiteral("First"));
             }).isEmpty());
}

void TestDatabase::winnersOfOneDrawAreRecordedAllOrNothing() {
    TempProgram program;
    program.openDatabase();
    program.sql(QStringLiteral("delete from wz"));
    for (const char* w : {"Ann", "Bob", "Cy", "ann"})
        program.sql(TestSql::InsertWord, {QString::fromUtf8(w)});
    CandidateStore store(Db());
    auto row = [&](const char* w) {
        return WordCandidate{store.freeRowOf(QString::fromUtf8(w)), QString::fromUtf8(w)};
    };
    const QList<WordCandidate> draw{row("Ann"), row("Bob"), row("Cy")};
    const auto wonRows = [&] {
        return program.count(QStringLiteral("select count(*) from wz where prize is not null"));
    };
    // The database refuses one of the draw's winners.
    program.sql(QStringLiteral("create trigger refuse before update on wz when new.wz='Cy' "
                               "begin select raise(abort, 'Cy refused'); end"));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, store.recordWinners(draw, QStringLiteral("First")));
    QCOMPARE(wonRows(), 0);
    program.sql(QStringLiteral("drop trigger refuse"));

    // A row that won meanwhile, or is gone, fails the whole draw and names the person.
    const auto failure = [&](const QList<WordCandidate>& winners) {
        try {
            store.recordWinners(winners, QStringLiteral("First"));
        } catch (const DatabaseError& e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    };
    program.sql(QStringLiteral("update wz set prize='Earlier' where id=?"), {draw.at(1).id});
    QVERIFY(failure(draw).contains(QStringLiteral("Bob")));
    QCOMPARE(wonRows(), 1);
    program.sql(QStringLiteral("update wz set prize=null"));
    program.sql(QStringLiteral("delete from wz where id=?"), {draw.at(2).id});
    QVERIFY(failure(draw).contains(QStringLiteral("Cy")));
    QCOMPARE(wonRows(), 0);

    // By row: "ann" keeps her place while "Ann" wins, and a text without a row is added.
    const QList<WordCandidate> next{draw.at(0), draw.at(1), {0, QStringLiteral("Zed")}};
    store.recordWinners(next, QStringLiteral("First"));
    QCOMPARE(store.countWinnersInClass(QStringLiteral("first")), 3);
    QCOMPARE(program.count(QStringLiteral("select count(*) from wz where id=? and prize='First'"),
                           {draw.at(0).id}),
             1);
    QVERIFY(store.freeRowOf(QStringLiteral("ANN")) > draw.at(0).id);
    QVERIFY(store.isWon(QStringLiteral("zed")));
    QCOMPARE(program.count(QStringLiteral("select count(*) from wz")), 4);
    // The same rows again: they have won, so nothing changes.
    QVERIFY(failure({draw.at(0)}).contains(QStringLiteral("Ann")));
    QCOMPARE(store.countWinnersInClass(QStringLiteral("first")), 3);
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
    TempProgram program;
    program.openDatabase();
    CandidateStore store(Db());
    store.recordWinners({{0, text}}, text);
    QVERIFY(store.isWon(text));
    QCOMPARE(store.countWinnersInClass(text), 1);
    QCOMPARE(program.sql(QStringLiteral("select prize from wz where wz=?"), {text}).toString(),
             text);
    QVERIFY(Db().tables().contains(QStringLiteral("wz")));
}

void TestDatabase::textComparisonIgnoresCase() {
    TempProgram program;
    program.openDatabase();
    program.sql(TestSql::InsertWord, {QStringLiteral("Alice")});
    QCOMPARE(program.count(TestSql::CountWord, {QStringLiteral("alice")}), 1);
    program.sql(TestSql::MarkWordWon, {QStringLiteral("First"), QStringLiteral("ALICE")});
    QCOMPARE(program.count(TestSql::CountWordWinnersOfClass, {QStringLiteral("first")}), 1);
}

void TestDatabase::notADatabaseIsReportedAndLeftAlone() {
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
    QVERIFY(dm->openFailureText().contains(QStringLiteral("db.sqlite")));
    QVERIFY(!dm->lastOpenError().isEmpty());
    program.closeDatabase();
    QFile f(program.currentDir() + QStringLiteral("db.sqlite"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), junk.repeated(200));
}

void TestDatabase::winnerSurvivesAKilledProcess() {
    // A child process records a winner and is killed at once; the row must be there.
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
    PhotoWinnerStore(Db()).record(QStringLiteral("/x/Kill Me.jpg"), QStringLiteral("Kill Me.jpg"),
                                  QStringLiteral("First"));
    fputs("recorded\n", stdout);
    fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--record-and-wait") == 0)
        return recordAndWait(QString::fromLocal8Bit(argv[2]));
    TestDatabase test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_database.moc"
