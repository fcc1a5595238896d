#include "core/data/WordPicker.h"

#include "formats/Errors.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>
#include <algorithm>
#include <cmath>

// Why the pick is exactly uniform.
//
// The pick is a sequence of steps; each step must choose uniformly among the
// free rows not chosen yet. A step draws ids uniformly from [min(id), max(id)]
// and takes the first drawn id that is a free row not chosen yet. Every such
// row has the same chance 1/(max-min+1) per draw, so whichever draw succeeds,
// the row it finds is uniform over the rows still wanted, and how many draws it
// took says nothing about which row it found. Looking ids up 64 at a time only
// learns the outcome of the next draws early; they are still used in order.
//
// When a step misses too often the free rows are counted (up to a bound), and
// if they are few the rest comes from "order by random() limit k": a random
// order of all free rows, cut after the rows still wanted plus the rows chosen
// already, from which the chosen ones are dropped. That leaves the first rows of
// a random order of the remaining free rows: again uniform for every step.
//
// Every switch between the two (the miss count, the batch size, the count of
// free rows, the count an earlier pick made) depends only on how many rows are
// free and how many draws missed, never on which rows were found, so mixing
// them keeps every step uniform.

namespace {
// The fast pick: which of up to IdBatch drawn ids are free rows (unused places
// are bound to null, which matches nothing), how many rows are free up to a
// bound, and a random sample of free ids for when few are free.
constexpr int IdBatch = 64;
// Two subqueries: "select min(id), max(id)" in one would scan the whole table.
const QString IdRangeSql =
    QStringLiteral("select (select min(id) from wz), (select max(id) from wz)");
const QString FreeByIdsSql = [] {
    QString sql = QStringLiteral("select id,wz from wzd where prize is null and id in (?");
    for (int i = 1; i < IdBatch; ++i)
        sql += QStringLiteral(",?");
    sql += QStringLiteral(")");
    return sql;
}();
const QString CountFreeUpToSql =
    QStringLiteral("select count(*) from (select 1 from wzd where prize is null limit ?)");
const QString SampleFreeIdsSql =
    QStringLiteral("select id from wzd where prize is null order by random() limit ?");
} // namespace

namespace {
// Misses in a row allowed once the count has shown many free rows: only a table
// whose ids are spread over a range thousands of times its free rows gets there.
constexpr int MissesWhenMany = 1 << 16;

QString failureText(const QSqlQuery& query) {
    QString text = query.lastError().text();
    if (text.trimmed().isEmpty())
        text = QCoreApplication::translate("WordPicker", "The statement failed");
    return text;
}

const QString& notOpenText() {
    static const QString text =
        QCoreApplication::translate("WordPicker", "The database is not open");
    return text;
}

QSqlDatabase openConnection(const QString& name) {
    QSqlDatabase db = QSqlDatabase::database(name, false);
    if (!db.isOpen())
        throw DatabaseError(notOpenText());
    return db;
}

void prepareOn(const QSqlDatabase& db, QSqlQuery& query, const QString& sql) {
    query = QSqlQuery(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw DatabaseError(failureText(query));
}
} // namespace

WordPicker::WordPicker(const QSqlDatabase& db) : m_connection(db.connectionName()) {
    prepareAll();
}

void WordPicker::prepareAll() {
    const QSqlDatabase db = openConnection(m_connection);
    prepareOn(db, m_range, IdRangeSql);
    prepareOn(db, m_lookup, FreeByIdsSql);
    prepareOn(db, m_count, CountFreeUpToSql);
    prepareOn(db, m_sample, SampleFreeIdsSql);
}

void WordPicker::run(QSqlQuery& query, const QString& sql, const QVariantList& values) {
    for (int attempt = 0;; ++attempt) {
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (query.exec())
            return;
        if (attempt > 0)
            throw DatabaseError(failureText(query));
        // Closing a connection drops its prepared statements; after a reopen
        // they are prepared again once before the failure counts.
        prepareOn(openConnection(m_connection), query, sql);
    }
}

void WordPicker::lookUp(const QList<qint64>& ids, QHash<qint64, QString>& free) {
    free.clear();
    for (qsizetype start = 0; start < ids.size(); start += IdBatch) {
        QVariantList values;
        values.reserve(IdBatch);
        for (qsizetype i = start; i < std::min(ids.size(), start + IdBatch); ++i)
            values.append(ids.at(i));
        while (values.size() < IdBatch)
            values.append(QVariant());
        ++m_stats.lookups;
        run(m_lookup, FreeByIdsSql, values);
        while (m_lookup.next())
            free.insert(m_lookup.value(0).toLongLong(), m_lookup.value(1).toString());
        // A statement left open keeps a read transaction that blocks commits.
        m_lookup.finish();
    }
}

QStringList WordPicker::pick(int n, std::mt19937_64& rng) {
    QStringList texts;
    for (const WordCandidate& c : pickCandidates(n, rng))
        texts << c.text;
    return texts;
}

QList<WordCandidate> WordPicker::pickCandidates(int n, std::mt19937_64& rng) {
    m_stats = Stats();
    if (n < 1)
        return {};
    run(m_range, IdRangeSql, {});
    if (!m_range.next() || m_range.value(0).isNull()) {
        m_range.finish();
        return {};
    }
    const qint64 low = m_range.value(0).toLongLong();
    const qint64 high = m_range.value(1).toLongLong();
    m_range.finish();

    std::uniform_int_distribution<qint64> drawId(low, high);
    QList<qint64> pickedIds;
    QList<WordCandidate> words;
    QHash<qint64, QString> free;
    QList<qint64> batch;
    // After a count that found few free rows, count again sooner: the sampling
    // query will most likely be needed again.
    int missBudget = m_lastFreeCount >= 0 && m_lastFreeCount < ProbeLimit ? MissesBeforeProbeWhenFew
                                                                          : MissesBeforeProbe;
    int misses = 0;
    qint64 draws = 0;
    qint64 hits = 0;
    while (words.size() < n) {
        // Enough draws for the picks still wanted at the hit rate seen so far.
        const double rate = draws == 0 ? 1.0 : double(std::max<qint64>(hits, 1)) / double(draws);
        const double wanted = double(n - words.size());
        const int size = int(std::clamp(std::ceil(1.5 * wanted / rate), 2.0, double(IdBatch)));
        batch.resize(size);
        for (qint64& id : batch)
            id = drawId(rng);
        lookUp(batch, free);

        bool exhausted = false;
        for (const qint64 id : std::as_const(batch)) {
            ++draws;
            ++m_stats.draws;
            const auto found = free.constFind(id);
            if (found != free.cend() && !pickedIds.contains(id)) {
                pickedIds.append(id);
                words.append({id, found.value()});
                ++m_stats.found;
                ++hits;
                misses = 0;
                if (words.size() == n)
                    break;
            } else if (++misses >= missBudget) {
                exhausted = true;
                break;
            }
        }
        if (!exhausted)
            continue;

        if (!m_stats.probed) {
            m_stats.probed = true;
            run(m_count, CountFreeUpToSql, {ProbeLimit});
            const qint64 freeRows = m_count.next() ? m_count.value(0).toLongLong() : 0;
            m_count.finish();
            m_lastFreeCount = freeRows;
            if (freeRows >= ProbeLimit) {
                // Many free rows, just spread thinly: drawing stays the cheaper way.
                missBudget = MissesWhenMany;
                misses = 0;
                continue;
            }
            if (freeRows <= pickedIds.size())
                break;
        }
        sampleRest(n, pickedIds, words);
        break;
    }
    return words;
}

void WordPicker::sampleRest(int n, QList<qint64>& pickedIds, QList<WordCandidate>& words) {
    m_stats.fellBack = true;
    const qsizetype wanted = n - words.size();
    run(m_sample, SampleFreeIdsSql, {qint64(wanted) + pickedIds.size()});
    QList<qint64> chosen;
    while (chosen.size() < wanted && m_sample.next()) {
        const qint64 id = m_sample.value(0).toLongLong();
        if (!pickedIds.contains(id))
            chosen.append(id);
    }
    m_sample.finish();

    QHash<qint64, QString> free;
    lookUp(chosen, free);
    for (const qint64 id : std::as_const(chosen)) {
        const auto found = free.constFind(id);
        if (found == free.cend())
            continue;
        pickedIds.append(id);
        words.append({id, found.value()});
    }
}

namespace {
// Lives as a child of the connection's driver, so it goes when the connection goes.
class PickerOfConnection : public QObject {
public:
    PickerOfConnection(QSqlDriver* driver, const QSqlDatabase& db) : QObject(driver), picker(db) {
        setObjectName(name());
    }
    static QString name() { return QStringLiteral("kalvoro_WordPicker"); }
    WordPicker picker;
};
} // namespace

QStringList PickFreeWords(QSqlDatabase db, int n, std::mt19937_64& rng) {
    if (!db.isOpen())
        throw DatabaseError(notOpenText());
    QSqlDriver* driver = db.driver();
    auto* holder = static_cast<PickerOfConnection*>(
        driver->findChild<QObject*>(PickerOfConnection::name(), Qt::FindDirectChildrenOnly));
    if (!holder)
        holder = new PickerOfConnection(driver, db);
    return holder->picker.pick(n, rng);
}
