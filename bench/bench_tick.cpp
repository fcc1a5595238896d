// One whole roll tick of the real main window, painting included: word mode on
// a million candidates, photo mode on a folder of camera-sized photos. At the
// fastest roll speed a tick comes every 10 ms and must show a new candidate.
#include "core/data/Database.h"
#include "core/draw/DrawSession.h"
#include "core/media/PhotoLoader.h"
#include "core/settings/ProgramFolder.h"
#include "support/TestSql.h"
#include "ui/main/DisplayWidgets.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {
constexpr int WordRows = 1000000;
constexpr int Photos = 300;
const QSize PhotoSize(3000, 2000);

struct Event {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> form;
    std::unique_ptr<Database> data;

    explicit Event(bool words) {
        QDir(dir.path()).mkpath(QStringLiteral("program/photos"));
        ProgramFolder::setOverride(dir.path() + QStringLiteral("/program"));
        QDir::setCurrent(dir.path());
        QFile ini(dir.path() + QStringLiteral("/program/prize.ini"));
        if (!ini.open(QIODevice::WriteOnly))
            std::abort();
        ini.write(
            words
                ? "[prize]\nMode=1\nFontSize=60\nbackground=background.jpg\n"
                : "[prize]\nMode=0\nPhotoPath=./photos\nShowWinner=0\nbackground=background.jpg\n");
        ini.close();
        writeBackground();
        if (!words)
            writePhotos();
        form = std::make_unique<MainWindow>();
        data = std::make_unique<Database>();
        if (words)
            fillWords();
        form->resize(1920, 1080);
        form->show();
        form->session()->rescanPhotos();
        if (!words)
            form->session()->photoCache()->waitForIdle(-1);
        form->armDraw();
        form->session()->startOrStop();
        form->session()->rollTimer()->stop(); // the benchmark drives the ticks
    }
    ~Event() {
        form.reset();
        data.reset();
        ProgramFolder::setOverride(QString());
    }

    void writeBackground() const {
        QImage image(1920, 1080, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x / 16, y / 12, (x + y) / 24));
        image.save(dir.path() + QStringLiteral("/program/background.jpg"), "JPG", 85);
    }

    void writePhotos() {
        QImage image(PhotoSize, QImage::Format_RGB32);
        for (int i = 0; i < Photos; ++i) {
            // Gradients compress like photos rather than like flat colour.
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    line[x] = qRgb((x * 7 + i * 13) & 255, (y * 5 + x) & 255, (i * 29 + y) & 255);
            }
            image.save(dir.path() + QStringLiteral("/program/photos/Person %1.jpg").arg(i), "JPG",
                       85);
        }
    }

    void fillWords() const {
        QSqlDatabase db = Db();
        db.transaction();
        QSqlQuery q(db);
        q.exec(QStringLiteral("delete from wz"));
        q.prepare(TestSql::InsertWord);
        for (int i = 0; i < WordRows; ++i) {
            q.bindValue(0, QStringLiteral("Ticket %1").arg(i, 7, 10, QLatin1Char('0')));
            q.exec();
        }
        db.commit();
    }
};

void tick(benchmark::State& state, Event& event, bool paint) {
    // Painting into an image of the screen's size forces every layer to be drawn.
    QImage screen(event.form->findChild<DisplayPanel*>(QStringLiteral("display"))->size(),
                  QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        event.form->session()->step();
        if (paint)
            event.form->findChild<DisplayPanel*>(QStringLiteral("display"))->render(&screen);
    }
    state.counters["width"] = screen.width();
}

void BM_WordTick(benchmark::State& state) {
    static Event event(true);
    event.form->findChild<WordCountBox*>(QStringLiteral("wordCountBox"))
        ->setValue(static_cast<int>(state.range(0)));
    tick(state, event, state.range(1) != 0);
    state.SetLabel(event.form->session()->lines().isEmpty() ? "nothing shown" : "words shown");
}
BENCHMARK(BM_WordTick)->ArgsProduct({{1, 3, 10}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_PhotoTick(benchmark::State& state) {
    static Event event(false);
    tick(state, event, state.range(0) != 0);
    const auto counters = event.form->session()->photoCache()->counters();
    state.counters["direct_loads"] = counters.directLoads;
    state.counters["photos"] = event.form->session()->photos().size();
}
BENCHMARK(BM_PhotoTick)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
