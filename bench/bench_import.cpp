// Loading a long candidate list: reading the file and inserting the rows.
// Run: cmake -DKALVORO_BENCH=ON && cmake --build build --target bench_import &&
// build/bench/bench_import
#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "formats/CandidateFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
QTemporaryDir* g_dir = nullptr;

QString listFile(int lines, bool gb18030) {
    const QString name = QStringLiteral("list_%1_%2.txt").arg(lines).arg(gb18030);
    const QString path = g_dir->filePath(name);
    if (!QFile::exists(path)) {
        QString text;
        for (int i = 0; i < lines; ++i)
            text += QStringLiteral("员工 %1 Employee\r\n").arg(i, 6, 10, QLatin1Char('0'));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(gb18030 ? QByteArray(QStringEncoder("GB18030").encode(text)) : text.toUtf8());
    }
    return path;
}

void BM_ReadCandidateFile(benchmark::State& state) {
    const QString path = listFile(int(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        const QStringList entries = ReadCandidateFile(path);
        benchmark::DoNotOptimize(entries.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadCandidateFile)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_InsertCandidates(benchmark::State& state) {
    Database data(nullptr, g_dir->filePath(QStringLiteral("bench.sqlite")));
    const QStringList entries = ReadCandidateFile(listFile(int(state.range(0)), false));
    for (auto _ : state) {
        state.PauseTiming();
        QSqlQuery(Db()).exec(QStringLiteral("delete from wz"));
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            CandidateStore(Db()).insert(entries, [](int, int) { return true; }));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InsertCandidates)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
