// The word roll's pick: fair over the free candidates, never a winner, never a
// repeat, and sound at the edges (few or no free rows, failures, reopened files).
#include "core/data/Database.h"
#include "core/data/WordPicker.h"
#include "formats/Errors.h"
#include "support/ChiSquare.h"

#include <QHash>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using Fairness::ChiSquareCritical;
using Fairness::ChiSquareStatistic;

namespace {
struct Row {
    qint64 id;
    QString word;
    bool won;
};

QList<Row> Numbered(qint64 first, qint64 last, const QSet<qint64>& free) {
    QList<Row> rows;
    for (qint64 id = first; id <= last; ++id)
        rows.append({id, QStringLiteral("Candidate %1").arg(id), !free.contains(id)});
    return rows;
}

// Every ordered choice of n of the words, joined by "|".
QStringList OrderedChoices(const QStringList& words, int n) {
    if (n == 0)
        return {QString()};
    QStringList result;
    for (const QString& w : words) {
        QStringList rest = words;
        rest.removeOne(w);
        for (const QString& tail : OrderedChoices(rest, n - 1))
            result.append(tail.isEmpty() ? w : w + QLatin1Char('|') + tail);
    }
    return result;
}
} // namespace

class TestWordPicker : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_data;
    int m_fileNumber = 0;

    void fill(const QList<Row>& rows) {
        QSqlDatabase db = Db();
        QVERIFY(db.transaction());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("delete from wz")));
        QVERIFY(q.prepare(QStringLiteral("insert into wz(id,wz,prize) values(?,?,?)")));
        for (const Row& r : rows) {
            q.bindValue(0, r.id);
            q.bindValue(1, r.word);
            q.bindValue(2, r.won ? QVariant(QStringLiteral("First Prize")) : QVariant());
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
        QVERIFY(db.commit());
    }

    QStringList freeWords() {
        QSqlQuery q(Db());
        q.exec(QStringLiteral("select wz from wz where prize is null order by id"));
        QStringList words;
        while (q.next())
            words.append(q.value(0).toString());
        return words;
    }

    // Picks `rounds` times and checks each result: n (or all free) distinct free words.
    struct Tally {
        QHash<QString, long long> counts; // by the picked words joined with "|"
        int sampled = 0;                  // picks that used the sampling query
        int drawn = 0;                    // picks that found words by drawing ids
        int both = 0;                     // picks that did both
    };

    Tally countPicks(WordPicker& picker, int n, int rounds, std::mt19937_64& rng) {
        const QStringList free = freeWords();
        const QSet<QString> freeSet(free.cbegin(), free.cend());
        const int expected = std::min<int>(n, int(free.size()));
        Tally tally;
        for (int r = 0; r < rounds; ++r) {
            const QStringList picked = picker.pick(n, rng);
            if (picked.size() != expected) {
                QTest::qFail(qPrintable(QStringLiteral("picked %1 words, wanted %2")
                                            .arg(picked.size())
                                            .arg(expected)),
                             __FILE__, __LINE__);
                return {};
            }
            const QSet<QString> distinct(picked.cbegin(), picked.cend());
            if (distinct.size() != picked.size() || !freeSet.contains(distinct)) {
                QTest::qFail(qPrintable(QStringLiteral("bad pick: ") + picked.join(u'|')), __FILE__,
                             __LINE__);
                return {};
            }
            ++tally.counts[picked.join(u'|')];
            const WordPicker::Stats& stats = picker.lastStats();
            tally.sampled += stats.fellBack ? 1 : 0;
            tally.drawn += stats.found > 0 ? 1 : 0;
            tally.both += stats.fellBack && stats.found > 0 ? 1 : 0;
        }
        return tally;
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_data = std::make_unique<Database>(
            nullptr, m_dir.filePath(QStringLiteral("db%1.sqlite").arg(++m_fileNumber)));
        QVERIFY(m_data->isUsable());
    }

    void cleanup() { m_data.reset(); }

    void everyOrderedChoiceOfFreeRowsIsEquallyLikely_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("rounds");
        QTest::newRow("one of seven") << 1 << 7000;
        QTest::newRow("three of seven") << 3 << 21000;
    }

    void everyOrderedChoiceOfFreeRowsIsEquallyLikely() {
        QFETCH(int, n);
        QFETCH(int, rounds);
        fill(Numbered(1, 10, {1, 3, 4, 6, 7, 8, 10}));
        const QStringList free = freeWords();
        QCOMPARE(free.size(), 7);

        std::mt19937_64 rng(12345);
        WordPicker picker(Db());
        const Tally tally = countPicks(picker, n, rounds, rng);
        if (QTest::currentTestFailed())
            return;
        // Plenty of free rows: drawing ids finds them, the sampling query is not needed.
        QCOMPARE(tally.sampled, 0);
        const auto& counts = tally.counts;

        const QStringList choices = OrderedChoices(free, n);
        std::vector<long long> observed;
        for (const QString& c : choices)
            observed.push_back(counts.value(c));
        QCOMPARE(qsizetype(counts.size()), choices.size());
        const double statistic = ChiSquareStatistic(observed);
        const double critical =
            ChiSquareCritical(int(choices.size()) - 1, Fairness::ZOneInThousand);
        QVERIFY2(statistic < critical,
                 qPrintable(QStringLiteral("chi-square %1 >= %2").arg(statistic).arg(critical)));
    }

    void sparseTablesStayFairThroughTheSamplingQuery_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("rounds");
        QTest::newRow("one of five") << 1 << 2500;
        QTest::newRow("three of five") << 3 << 3000;
    }

    void sparseTablesStayFairThroughTheSamplingQuery() {
        QFETCH(int, n);
        QFETCH(int, rounds);
        // 5 free rows among ids 1..10000: drawing ids mostly misses.
        fill(Numbered(1, 10000, {17, 2048, 5000, 7777, 9999}));
        const QStringList free = freeWords();
        QCOMPARE(free.size(), 5);

        std::mt19937_64 rng(777);
        WordPicker picker(Db());
        const Tally tally = countPicks(picker, n, rounds, rng);
        if (QTest::currentTestFailed())
            return;
        // Both ways are taken, and with more than one word wanted also within
        // one pick: the mix is what has to be fair.
        QVERIFY(tally.sampled > rounds / 2);
        QVERIFY(tally.drawn > 0);
        if (n > 1)
            QVERIFY(tally.both > 0);
        const auto& counts = tally.counts;

        const QStringList choices = OrderedChoices(free, n);
        std::vector<long long> observed;
        for (const QString& c : choices)
            observed.push_back(counts.value(c));
        // The sampling query uses the database's own random numbers, which no
        // seed here fixes: a stricter bound keeps a fair run from failing by chance.
        const double statistic = ChiSquareStatistic(observed);
        const double critical = ChiSquareCritical(int(choices.size()) - 1, Fairness::ZOneInMillion);
        QVERIFY2(statistic < critical,
                 qPrintable(QStringLiteral("chi-square %1 >= %2").arg(statistic).arg(critical)));
    }

    void fewerFreeRowsThanWantedGivesAllOfThem_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("exactly as many") << 7;
        QTest::newRow("more than free") << 10;
        QTest::newRow("far more") << 1000;
    }

    void fewerFreeRowsThanWantedGivesAllOfThem() {
        QFETCH(int, n);
        fill(Numbered(1, 10, {1, 3, 4, 6, 7, 8, 10}));
        const QStringList free = freeWords();
        std::mt19937_64 rng(5);
        WordPicker picker(Db());
        // All seven every time, in an order that varies: the first is uniform.
        std::vector<long long> first(std::size_t(free.size()));
        for (int r = 0; r < 1400; ++r) {
            const QStringList picked = picker.pick(n, rng);
            QCOMPARE(QSet<QString>(picked.cbegin(), picked.cend()),
                     QSet<QString>(free.cbegin(), free.cend()));
            QCOMPARE(picked.size(), free.size());
            ++first[std::size_t(free.indexOf(picked.first()))];
        }
        QVERIFY(ChiSquareStatistic(first) < ChiSquareCritical(6, Fairness::ZOneInMillion));
    }

    void nothingToPick_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("freeRows");
        QTest::addColumn<int>("n");
        QTest::newRow("empty table") << 0 << 0 << 3;
        QTest::newRow("every row has won") << 50 << 0 << 3;
        QTest::newRow("n is zero") << 10 << 10 << 0;
        QTest::newRow("n is negative") << 10 << 10 << -4;
    }

    void nothingToPick() {
        QFETCH(int, rows);
        QFETCH(int, freeRows);
        QFETCH(int, n);
        QSet<qint64> free;
        for (int id = 1; id <= freeRows; ++id)
            free.insert(id);
        fill(Numbered(1, rows, free));
        std::mt19937_64 rng(1);
        QVERIFY(PickFreeWords(Db(), n, rng).isEmpty());
    }

    void thinlySpreadManyFreeRowsAreStillDrawn() {
        // Over the probe's bound of free rows, but one id in a thousand: drawing
        // goes on (the sampling query would sort them all).
        QList<Row> rows;
        const int freeCount = WordPicker::ProbeLimit + 100;
        for (int i = 0; i < freeCount; ++i)
            rows.append({qint64(i) * 1000 + 1, QStringLiteral("W%1").arg(i), false});
        fill(rows);
        std::mt19937_64 rng(99);
        WordPicker picker(Db());
        bool probed = false;
        for (int r = 0; r < 20; ++r) {
            const QStringList picked = picker.pick(10, rng);
            QCOMPARE(QSet<QString>(picked.cbegin(), picked.cend()).size(), 10);
            QVERIFY(!picker.lastStats().fellBack);
            probed = probed || picker.lastStats().probed;
        }
        QVERIFY(probed);
    }

    void wordsComeBackAsStored() {
        const QStringList words = {
            QStringLiteral("Erik O'Neil"),       QStringLiteral("李娜"),
            QStringLiteral("50% -- off"),        QStringLiteral("back\\slash"),
            QStringLiteral("Zoë \"Z\" Laurent"), QString()};
        QList<Row> rows;
        for (int i = 0; i < words.size(); ++i)
            rows.append({i + 1, words.at(i), false});
        fill(rows);
        std::mt19937_64 rng(3);
        const QStringList picked = PickFreeWords(Db(), 10, rng);
        QCOMPARE(QSet<QString>(picked.cbegin(), picked.cend()),
                 QSet<QString>(words.cbegin(), words.cend()));
    }

    void noStatementIsLeftOpen_data() {
        QTest::addColumn<int>("freeRows");
        QTest::newRow("drawn") << 900;
        QTest::newRow("sampled") << 2;
    }

    void noStatementIsLeftOpen() {
        // A statement still stepping would keep the read transaction that makes
        // the winner's commit fail.
        QFETCH(int, freeRows);
        QSet<qint64> free;
        for (int id = 1; id <= freeRows; ++id)
            free.insert(id * 1000 / freeRows);
        fill(Numbered(1, 1000, free));
        std::mt19937_64 rng(8);
        QVERIFY(!PickFreeWords(Db(), 3, rng).isEmpty());
        QSqlDatabase db = Db();
        QVERIFY(db.transaction());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("update wz set prize='Second Prize' where id=500")));
        QVERIFY2(db.commit(), qPrintable(db.lastError().text()));
    }

    void failuresCarryTheDriversMessage() {
        fill(Numbered(1, 10, {1, 2, 3}));
        std::mt19937_64 rng(2);
        QCOMPARE(PickFreeWords(Db(), 2, rng).size(), 2);
        QSqlQuery q(Db());
        QVERIFY(q.exec(QStringLiteral("drop view wzd")));
        try {
            PickFreeWords(Db(), 2, rng);
            QFAIL("no error for a missing view");
        } catch (const DatabaseError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("wzd")), qPrintable(e.message()));
        }
    }

    void aClosedDatabaseIsAnError() {
        fill(Numbered(1, 10, {1, 2, 3}));
        std::mt19937_64 rng(2);
        QSqlDatabase db = Db();
        db.close();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, PickFreeWords(db, 2, rng));
        try {
            PickFreeWords(db, 2, rng);
        } catch (const DatabaseError& e) {
            QCOMPARE(e.message(), QStringLiteral("The database is not open"));
        }
    }

    void theConnectionsPickerOutlivesAReopen() {
        fill(Numbered(1, 10, {1, 2, 3}));
        std::mt19937_64 rng(4);
        QSqlDatabase db = Db();
        QCOMPARE(PickFreeWords(db, 2, rng).size(), 2);
        QCOMPARE(PickFreeWords(db, 2, rng).size(), 2);
        // One picker for the connection, reused.
        QCOMPARE(db.driver()
                     ->findChildren<QObject*>(QStringLiteral("kalvoro_WordPicker"),
                                              Qt::FindDirectChildrenOnly)
                     .size(),
                 1);
        db.close();
        QVERIFY(db.open());
        QCOMPARE(PickFreeWords(db, 3, rng).size(), 3);
        db = QSqlDatabase();

        // A new data module replaces the connection: a new picker comes with it.
        m_data.reset();
        m_data = std::make_unique<Database>(
            nullptr, m_dir.filePath(QStringLiteral("db%1.sqlite").arg(++m_fileNumber)));
        fill(Numbered(1, 10, {5}));
        QCOMPARE(PickFreeWords(Db(), 3, rng), QStringList{QStringLiteral("Candidate 5")});
    }
};

QTEST_GUILESS_MAIN(TestWordPicker)
#include "tst_wordpicker.moc"
