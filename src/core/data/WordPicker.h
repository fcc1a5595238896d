#pragma once
// The word roll's pick: n distinct free candidates (rows of wzd whose prize is
// null), chosen uniformly at random by the database, at a cost that stays far
// below one roll tick on tables of a million rows.
#include "core/data/CandidateStore.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <random>

class WordPicker {
public:
    // Prepares the statements on the connection `db` (opened already).
    explicit WordPicker(const QSqlDatabase& db);

    // Up to n distinct free candidates, in the order drawn; when fewer than n
    // are free, all of them in random order; none for n < 1 or an empty table.
    // A failing statement throws DatabaseError with the driver's message.
    QList<WordCandidate> pickCandidates(int n, std::mt19937_64& rng);
    // The same pick, texts only.
    QStringList pick(int n, std::mt19937_64& rng);

    // What the last pick did; the tests and benchmarks look at it.
    struct Stats {
        int draws = 0;         // random ids tried
        int lookups = 0;       // queries that looked drawn ids up
        int found = 0;         // candidates found by drawing ids
        bool probed = false;   // the free rows were counted
        bool fellBack = false; // the rest came from the sampling query
    };
    const Stats& lastStats() const { return m_stats; }

    // Misses in a row before the free rows are counted (fewer when the last
    // count found few), and the count below which the sampling query takes over.
    static constexpr int MissesBeforeProbe = 256;
    static constexpr int MissesBeforeProbeWhenFew = 32;
    static constexpr int ProbeLimit = 4096;

private:
    void prepareAll();
    void run(QSqlQuery& query, const QString& sql, const QVariantList& values);
    void sampleRest(int n, QList<qint64>& pickedIds, QList<WordCandidate>& words);
    void lookUp(const QList<qint64>& ids, QHash<qint64, QString>& free);

    QString m_connection;
    QSqlQuery m_range;
    QSqlQuery m_lookup;
    QSqlQuery m_count;
    QSqlQuery m_sample;
    Stats m_stats;
    // Free rows at the last count (ProbeLimit for "many"), -1 before any.
    qint64 m_lastFreeCount = -1;
};

// PickFreeWords on a picker kept for the connection: its statements are prepared
// at the first call and reused until the connection goes away.
QStringList PickFreeWords(QSqlDatabase db, int n, std::mt19937_64& rng);
