// What one roll tick costs: the word pick on a million candidates, the photo
// for the screen (stored, preview, or read at once), and the photo shuffle.
// A roll tick may come every 10 ms; everything a tick does must fit well inside.
#include "core/data/Database.h"
#include "core/data/WordPicker.h"
#include "core/draw/DrawRandom.h"
#include "core/media/PhotoLoader.h"
#include "support/JpegFixtures.h"
#include "support/TestSql.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {
constexpr int WordRows = 1000000;
const QSize DisplayArea(1920, 1080);

// A data module on a temporary file holding a million candidates, of which a
// chosen share has won (scattered over the ids, as real draws leave them).
class WordStore {
public:
    static WordStore& get() {
        if (!s_instance)
            s_instance.reset(new WordStore);
        return *s_instance;
    }
    static void release() { s_instance.reset(); }

    void setWonPerMillion(int won) {
        if (won == m_won)
            return;
        QSqlQuery q(Db());
        check(q.exec(QStringLiteral("update wz set prize=null where prize is not null")), q);
        // id -> (id*7919+13) mod 1000003 is one-to-one on the ids: a fixed scatter.
        check(q.prepare(QStringLiteral(
                  "update wz set prize='First Prize' where (id*7919+13)%1000003 < ?")),
              q);
        q.addBindValue(qint64(won) * 1000003 / 1000000);
        check(q.exec(), q);
        check(q.exec(QStringLiteral("select count(*) from wz where prize is null")), q);
        q.next();
        m_free = q.value(0).toLongLong();
        m_won = won;
    }
    qint64 freeRows() const { return m_free; }

private:
    WordStore() {
        if (!m_dir.isValid())
            std::abort();
        m_data =
            std::make_unique<Database>(nullptr, m_dir.filePath(QStringLiteral("words.sqlite")));
        QElapsedTimer timer;
        timer.start();
        QSqlDatabase db = Db();
        QSqlQuery q(db);
        check(db.transaction(), q);
        check(q.exec(QStringLiteral("delete from wz")), q);
        check(q.prepare(TestSql::InsertWord), q);
        for (int i = 1; i <= WordRows; ++i) {
            q.bindValue(0, QStringLiteral("Candidate %1").arg(i, 7, 10, QLatin1Char('0')));
            check(q.exec(), q);
        }
        check(db.commit(), q);
        std::fprintf(stderr, "built %d candidate rows in %.1f s\n", WordRows,
                     double(timer.elapsed()) / 1000.0);
        m_free = WordRows;
    }
    static void check(bool ok, const QSqlQuery& q) {
        if (!ok) {
            std::fprintf(stderr, "database: %s\n", qPrintable(q.lastError().text()));
            std::abort();
        }
    }

    static std::unique_ptr<WordStore> s_instance;
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_data;
    int m_won = 0;
    qint64 m_free = 0;
};
std::unique_ptr<WordStore> WordStore::s_instance;

const std::vector<int64_t> WonShares = {0, 900000, 990000, 996000, 999900};

void PickFreeWordsBench(benchmark::State& state) {
    WordStore& store = WordStore::get();
    store.setWonPerMillion(int(state.range(0)));
    const int n = int(state.range(1));
    std::mt19937_64 rng(42);
    QSqlDatabase db = Db();
    for (auto _ : state) {
        QStringList words = PickFreeWords(db, n, rng);
        benchmark::DoNotOptimize(words);
    }
    // How the picks were made, from a separate untimed run.
    WordPicker picker(db);
    double draws = 0, fellBack = 0;
    const int runs = 200;
    for (int i = 0; i < runs; ++i) {
        picker.pick(n, rng);
        draws += picker.lastStats().draws;
        fellBack += picker.lastStats().fellBack ? 1 : 0;
    }
    state.counters["free"] = double(store.freeRows());
    state.counters["draws"] = draws / runs;
    state.counters["sampled%"] = 100.0 * fellBack / runs;
}
BENCHMARK(PickFreeWordsBench)
    ->Name("PickFreeWords/wonPerMillion/N")
    ->ArgsProduct({WonShares, {1, 3, 10}})
    ->Unit(benchmark::kMicrosecond);

// The statement a naive roll would run at every tick.
void OrderByRandomBench(benchmark::State& state) {
    WordStore& store = WordStore::get();
    store.setWonPerMillion(int(state.range(0)));
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    // The plain way: sort the free rows at random and take the first ones.
    q.prepare(QStringLiteral("select wz from wzd where prize is null order by random() limit ?"));
    for (auto _ : state) {
        q.bindValue(0, int(state.range(1)));
        q.exec();
        QStringList words;
        while (q.next())
            words.append(q.value(0).toString());
        q.finish();
        benchmark::DoNotOptimize(words);
    }
    state.counters["free"] = double(store.freeRows());
}
BENCHMARK(OrderByRandomBench)
    ->Name("OrderByRandomLimitN/wonPerMillion/N")
    ->ArgsProduct({WonShares, {10}})
    ->Unit(benchmark::kMicrosecond);

// Photos made once: a small one, a 12-megapixel one, and the same with the EXIF
// thumbnail a camera writes.
enum PhotoKind { Small800x600, Camera4000x3000, CameraWithThumbnail };

class PhotoFiles {
public:
    static PhotoFiles& get() {
        if (!s_instance)
            s_instance.reset(new PhotoFiles);
        return *s_instance;
    }
    static void release() { s_instance.reset(); }
    QString path(PhotoKind kind) const { return m_paths[kind]; }

private:
    PhotoFiles() {
        if (!m_dir.isValid())
            std::abort();
        const QImage small = Fixtures::PhotoLike(QSize(800, 600), 1);
        const QImage large = Fixtures::PhotoLike(QSize(4000, 3000), 2);
        const QByteArray largeJpeg = Fixtures::EncodeJpeg(large, 90);
        const QByteArray thumb = Fixtures::EncodeJpeg(
            large.scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 80);
        write(Small800x600, QStringLiteral("small.jpg"), Fixtures::EncodeJpeg(small, 90));
        write(Camera4000x3000, QStringLiteral("camera.jpg"), largeJpeg);
        write(CameraWithThumbnail, QStringLiteral("camera-exif.jpg"),
              Fixtures::WithExif(largeJpeg, 1, thumb));
    }
    void write(PhotoKind kind, const QString& name, const QByteArray& bytes) {
        m_paths[kind] = m_dir.filePath(name);
        if (!Fixtures::WriteFile(m_paths[kind], bytes))
            std::abort();
        std::fprintf(stderr, "%s: %.2f MB\n", qPrintable(name), double(bytes.size()) / 1e6);
    }

    static std::unique_ptr<PhotoFiles> s_instance;
    QTemporaryDir m_dir;
    QString m_paths[3];
};
std::unique_ptr<PhotoFiles> PhotoFiles::s_instance;

void NamePhoto(benchmark::State& state) {
    static const char* const names[] = {"800x600", "4000x3000", "4000x3000+exif-thumbnail"};
    state.SetLabel(names[state.range(0)]);
}

// The tick's photo is stored at the display size.
void TickDisplayHit(benchmark::State& state) {
    const QString path = PhotoFiles::get().path(PhotoKind(state.range(0)));
    NamePhoto(state);
    PhotoCache cache;
    cache.setPhotos({path}, DisplayArea);
    cache.waitForIdle();
    for (auto _ : state) {
        QImage image = cache.get(path);
        benchmark::DoNotOptimize(image);
    }
    if (cache.counters().displayHits != int(state.iterations()))
        state.SkipWithError("not a display hit");
}
BENCHMARK(TickDisplayHit)
    ->Name("PhotoCache::get/display-hit")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMicrosecond);

// No room for display images: the tick gets the stored preview.
void TickPreviewHit(benchmark::State& state) {
    const QString path = PhotoFiles::get().path(PhotoKind(state.range(0)));
    NamePhoto(state);
    PhotoCache cache;
    cache.setMemoryLimit(1 << 20);
    cache.setPhotos({path}, DisplayArea);
    cache.waitForIdle();
    for (auto _ : state) {
        QImage image = cache.get(path);
        benchmark::DoNotOptimize(image);
        // The display decode it queued runs outside the measured time.
        state.PauseTiming();
        cache.waitForIdle();
        state.ResumeTiming();
    }
    if (cache.counters().previewHits != int(state.iterations()))
        state.SkipWithError("not a preview hit");
}
BENCHMARK(TickPreviewHit)
    ->Name("PhotoCache::get/preview-hit")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMicrosecond);

// Nothing stored yet (the photo came before the warm-up reached it).
void TickColdMiss(benchmark::State& state) {
    const QString path = PhotoFiles::get().path(PhotoKind(state.range(0)));
    NamePhoto(state);
    PhotoCache cache;
    cache.setPhotos({}, DisplayArea);
    for (auto _ : state) {
        state.PauseTiming();
        cache.waitForIdle();
        cache.clear();
        state.ResumeTiming();
        QImage image = cache.get(path);
        benchmark::DoNotOptimize(image);
    }
    cache.waitForIdle();
    if (cache.counters().directLoads != int(state.iterations()))
        state.SkipWithError("not a miss");
}
BENCHMARK(TickColdMiss)
    ->Name("PhotoCache::get/cold-miss")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMicrosecond);

// A full-quality load at the display size: a worker's job, and the winner's picture.
void LoadForDisplay(benchmark::State& state) {
    const QString path = PhotoFiles::get().path(PhotoKind(state.range(0)));
    NamePhoto(state);
    for (auto _ : state) {
        QImage image = LoadPhotoForDisplay(path, DisplayArea, false);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(LoadForDisplay)
    ->Name("LoadPhotoForDisplay/1920x1080")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

// Drawing what get() gave: a display image is a plain copy, a preview is scaled.
void PaintOnScreen(benchmark::State& state) {
    const bool preview = state.range(0) == 1;
    state.SetLabel(preview ? "400x300 preview scaled to 1440x1080, smooth"
                           : "1440x1080 display image");
    const QImage picture = Fixtures::PhotoLike(preview ? QSize(400, 300) : QSize(1440, 1080), 4);
    QImage screen(DisplayArea, QImage::Format_RGB32);
    const QRect area(240, 0, 1440, 1080);
    for (auto _ : state) {
        QPainter painter(&screen);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, preview);
        painter.drawImage(area, picture);
    }
}
BENCHMARK(PaintOnScreen)->Name("Paint")->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

void ShuffleBench(benchmark::State& state) {
    std::mt19937_64 rng(1);
    std::vector<int> order;
    for (auto _ : state) {
        ShuffleIndexes(order, int(state.range(0)), rng);
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(ShuffleBench)
    ->Name("ShuffleIndexes")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    WordStore::release();
    PhotoFiles::release();
    return 0;
}
