// Every drawn line whole on the display, at every window size and resolution:
// real draws through the main window, checked against what the banner paints.
#include "core/draw/DrawSession.h"
#include "support/MainWindowHarness.h"
#include "ui/main/DisplayWidgets.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vector>

namespace {
const QString cls = QStringLiteral("First Prize");

QStringList ShortNames() {
    return {QStringLiteral("Li Na"),  QStringLiteral("Chen Wei"), QStringLiteral("Anna"),
            QStringLiteral("Omar"),   QStringLiteral("Zoë Ruiz"), QStringLiteral("Ivan"),
            QStringLiteral("Mia"),    QStringLiteral("Raj Kaur"), QStringLiteral("Eva"),
            QStringLiteral("Tom Lee")};
}

QStringList LongNames() {
    // Forty characters and more; one of wide capitals only, the widest a line gets.
    return {QStringLiteral("Maximiliane Alexandra von Hohenzollern-Sigmaringen"),
            QStringLiteral("Wilhelmina Wolfgangine Mountbatten-Windsor"),
            QStringLiteral("WWWWWWWWWW MMMMMMMMMM WWWWWWWWWW MMMMMMMM"),
            QStringLiteral("Bartholomew Montgomerie Featherstonehaugh"),
            QStringLiteral("Konstantina Papadimitriou-Alexandropoulou"),
            QStringLiteral("Anna-Katharina Schwarzenberg-Lichtenstein"),
            QStringLiteral("Guadalupe Esperanza Fernández de Córdoba"),
            QStringLiteral("Nguyễn Thị Minh Khai Phạm Hoàng Bảo Ngọc"),
            QStringLiteral("Oluwaseun Adebayo-Ogunleye Okonkwo-Ezeoke"),
            QStringLiteral("Christopher Alexander Worthington-Smythe")};
}

QStringList CjkNames() {
    return {QStringLiteral("欧阳娜娜"),
            QStringLiteral("司马相如"),
            QStringLiteral("诸葛亮欧阳修司马光上官婉儿慕容复东方不败"),
            QStringLiteral("王芳"),
            QStringLiteral("李娜"),
            QStringLiteral("张伟"),
            QStringLiteral("赵丽颖"),
            QStringLiteral("上官婉儿"),
            QStringLiteral("Zhang 张伟"),
            QStringLiteral("慕容复")};
}

DisplayPanel* DisplayOf(const MainWindowHarness& h) {
    return h.form->findChild<DisplayPanel*>(QStringLiteral("display"));
}

void FillCandidates(const MainWindowHarness& h, const QStringList& names) {
    h.program.sql(QStringLiteral("delete from wz"));
    for (const QString& name : names)
        h.program.sql(QStringLiteral("insert into wz(wz) values(?)"), {name});
}

// Sizes the window so that its display has the given size (the strip keeps its height).
void SizeDisplay(MainWindowHarness& h, QSize display) {
    h.form->resize(display);
    QCoreApplication::processEvents();
    // The strip grows with the window, so the window's height settles in a few steps.
    for (int i = 0; i < 4 && DisplayOf(h)->size() != display; ++i) {
        const int strip = h.form->height() - DisplayOf(h)->height();
        h.form->resize(display.width(), display.height() + strip);
        QCoreApplication::processEvents();
    }
}

// The banner as it paints, at the resolution of its screen.
QImage Render(BannerLabel* banner) {
    const qreal dpr = banner->devicePixelRatioF();
    QImage shot((QSizeF(banner->size()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    shot.setDevicePixelRatio(dpr);
    shot.fill(Qt::transparent);
    banner->render(&shot, QPoint(), QRegion(), QWidget::RenderFlags());
    return shot;
}

// Every line is whole inside the display: its place lies inside the banner,
// which covers the display, the glyphs land in their place and nowhere else,
// the lines do not overlap, and the size is the largest that fits.
void CheckLinesFit(const MainWindowHarness& h, const QStringList& lines) {
    BannerLabel* banner = h.banner();
    QCOMPARE(banner->geometry(), DisplayOf(h)->rect());
    const QList<QRect> rects = banner->lineRects();
    QCOMPARE(rects.size(), lines.size());
    const QFontMetrics fm(banner->shownFont(), banner);
    for (int i = 0; i < rects.size(); ++i) {
        const QRect& r = rects.at(i);
        QVERIFY2(banner->rect().contains(r), qPrintable(QStringLiteral("%1: (%2,%3 %4x%5)")
                                                            .arg(lines.at(i))
                                                            .arg(r.x())
                                                            .arg(r.y())
                                                            .arg(r.width())
                                                            .arg(r.height())));
        QVERIFY(r.width() >= fm.horizontalAdvance(lines.at(i)));
        QVERIFY(r.height() >= fm.ascent() + fm.descent());
        if (i > 0)
            QVERIFY(rects.at(i - 1).bottom() < r.top());
    }
    QVERIFY(banner->shownFontSize() <= banner->fontSize());
    if (banner->shownFontSize() < banner->fontSize()) {
        // One point larger would not fit: the text was not shrunk more than needed.
        BannerLabel larger(DisplayOf(h));
        larger.setGeometry(banner->geometry());
        larger.setFontName(banner->fontName());
        larger.setFontSize(banner->shownFontSize() + 1);
        larger.setLines(lines);
        QCOMPARE(larger.shownFontSize(), banner->shownFontSize());
    }

    // The glyphs alone, without the backing.
    const bool backed = banner->backed();
    banner->setBacked(false);
    const QImage shot = Render(banner);
    banner->setBacked(backed);
    const qreal dpr = shot.devicePixelRatio();
    std::vector<int> ink(size_t(rects.size()), 0);
    int stray = 0;
    for (int y = 0; y < shot.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x) {
            if (qAlpha(row[x]) < 64)
                continue;
            const QPoint at(int(x / dpr), int(y / dpr));
            bool inside = false;
            for (int i = 0; i < rects.size(); ++i)
                if (rects.at(i).adjusted(-1, -1, 1, 1).contains(at)) {
                    ++ink[size_t(i)];
                    inside = true;
                    break;
                }
            stray += !inside;
        }
    }
    QCOMPARE(stray, 0);
    for (int i = 0; i < rects.size(); ++i)
        QVERIFY2(ink[size_t(i)] > 0, qPrintable(lines.at(i)));
}

// A whole word draw of n candidates: arm, roll, stop; empty when the roll did not end.
QStringList DrawWords(MainWindowHarness& h, int n) {
    h.enter();
    h.wordCount()->setValue(n);
    h.space();
    h.ticks(2);
    h.space();
    // The step that ends the roll; the lines stay.
    const QStringList shown = h.lines();
    h.ticks(1);
    if (h.session()->isRolling() || h.lines() != shown)
        return {};
    return shown;
}

QStringList RecordedWinners(const MainWindowHarness& h) {
    QStringList names;
    const qlonglong count =
        h.program.count(QStringLiteral("select count(*) from wz where prize=?"), {cls});
    for (qlonglong i = 0; i < count; ++i)
        names << h.program
                     .sql(QStringLiteral("select wz from wz where prize=? order by wz limit 1 "
                                         "offset ?"),
                          {cls, i})
                     .toString();
    // The store's order ignores case; compare in one order.
    names.sort();
    return names;
}

QScreen* ScreenNamed(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}
} // namespace

class TestDisplayFit : public QObject {
    Q_OBJECT
private slots:
    void everyDrawnLineIsWhole_data();
    void everyDrawnLineIsWhole();
    void wordModeClearsThePhotoAndCentres();
    void announcementFitsAndIsBacked();
    void focusWarningFitsAndGivesTheLinesBack();
};

void TestDisplayFit::everyDrawnLineIsWhole_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("N");
    QTest::addColumn<QStringList>("names");
    const struct {
        const char* screen;
        qreal ratio;
        int dpi;
        QSize size;
    } windows[] = {{"plain", 1, 96, {1024, 600}},
                   {"plain", 1, 96, {1366, 768}},
                   {"plain", 1, 96, {1920, 1080}},
                   {"plain", 1, 96, {3840, 2160}},
                   // 3840x2160 pixels at ratio 2; 2880x1620 at 1.5, a ratio
                   // Qt derives from the screen's 144 dpi.
                   {"ratio2", 2, 96, {1920, 1080}},
                   {"ratio1.5", 1.5, 96, {1920, 1080}}};
    const struct {
        const char* kind;
        QStringList names;
    } sets[] = {{"short", ShortNames()}, {"long", LongNames()}, {"CJK", CjkNames()}};
    for (const auto& w : windows)
        for (const auto& set : sets)
            for (int n = 1; n <= 10; ++n)
                QTest::addRow("%s %dx%d, %d %s", w.screen, w.size.width(), w.size.height(), n,
                              set.kind)
                    << QString::fromLatin1(w.screen) << w.ratio << w.dpi << w.size << n
                    << set.names;
}

void TestDisplayFit::everyDrawnLineIsWhole() {
    QFETCH(QString, screen);
    QFETCH(qreal, ratio);
    QFETCH(int, dpi);
    QFETCH(QSize, size);
    QFETCH(int, N);
    QFETCH(QStringList, names);
    QScreen* target = ScreenNamed(screen);
    QVERIFY2(target, qPrintable(screen));
    MainWindowHarness h(WordIni(), false);
    h.form->setScreen(target);
    h.form->move(target->geometry().topLeft());
    h.form->show();
    h.activate();
    QCOMPARE(h.form->screen(), target);
    QCOMPARE(h.banner()->devicePixelRatioF(), ratio);
    QCOMPARE(h.banner()->logicalDpiY(), dpi);
    FillCandidates(h, names);
    SizeDisplay(h, size);
    QCOMPARE(DisplayOf(h)->size(), size);

    const QStringList shown = DrawWords(h, N);
    QCOMPARE(shown.size(), N);
    QCOMPARE(shown, h.session()->lines());
    QStringList sorted = shown;
    sorted.sort();
    QCOMPARE(RecordedWinners(h), sorted);
    QCOMPARE(h.banner()->fontSize(), MainWindow::wordFontSizeFor(h.form->wordFont().size, N));
    CheckLinesFit(h, shown);
}

void TestDisplayFit::wordModeClearsThePhotoAndCentres() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), PersonPhotoNames(3), QSize(640, 480));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos")), true));
    SizeDisplay(h, QSize(1366, 720));
    h.enter();
    h.space();
    h.ticks(1);
    h.space();
    // The step that ends the photo roll.
    h.ticks(1);
    QVERIFY(!h.session()->isRolling());
    QVERIFY(h.photo()->hasPicture());
    QVERIFY(h.banner()->layoutBottom());
    QVERIFY(h.banner()->backed());

    h.program.writeIni(WordIni());
    h.form->reloadSettings();
    FillCandidates(h, LongNames());
    h.enter();
    QVERIFY(!h.photo()->hasPicture());
    QVERIFY(!h.banner()->layoutBottom());
    QVERIFY(!h.banner()->backed());
    const QStringList shown = DrawWords(h, 3);
    QCOMPARE(shown.size(), 3);
    QVERIFY(!h.photo()->hasPicture());
    CheckLinesFit(h, shown);
    // The block of lines sits in the middle of the display, both ways.
    QRect block;
    for (const QRect& r : h.banner()->lineRects())
        block |= r;
    const QPoint off = block.center() - h.banner()->rect().center();
    QVERIFY2(qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(off.x()).arg(off.y())));

    // Photo mode keeps the announcement at the bottom.
    h.program.writeIni(PhotoIni(files.path(QStringLiteral("photos")), true));
    h.form->reloadSettings();
    h.enter();
    h.space();
    h.ticks(1);
    h.space();
    // A photo won before is passed over: the roll ends at the next free one.
    for (int i = 0; i < 3 && h.session()->isRolling(); ++i)
        h.ticks(1);
    QVERIFY(!h.session()->isRolling());
    QVERIFY(h.banner()->layoutBottom());
    const QRect last = h.banner()->lineRects().constLast();
    const int bottom = h.banner()->textArea().bottom();
    QVERIFY(last.bottom() <= bottom && last.bottom() > bottom - last.height() / 4);
}

void TestDisplayFit::announcementFitsAndIsBacked() {
    const QString name = QStringLiteral("Bartholomew Montgomery Featherstonehaugh");
    QCOMPARE(name.size(), 40);
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), {name + QStringLiteral(".jpg")});
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos")), true));
    SizeDisplay(h, QSize(1024, 560));
    // Every step of the growing text: whole inside the display.
    QTimer watch;
    watch.setInterval(0);
    int largestAsked = 0, largestShown = 0, steps = 0;
    QStringList outside;
    connect(&watch, &QTimer::timeout, &watch, [&] {
        BannerLabel* banner = h.banner();
        if (!banner->text().startsWith(QStringLiteral("Congratulations")))
            return;
        ++steps;
        largestAsked = std::max(largestAsked, banner->fontSize());
        largestShown = std::max(largestShown, banner->shownFontSize());
        for (const QRect& r : banner->lineRects())
            if (!banner->rect().contains(r))
                outside << QString::number(banner->fontSize());
    });
    h.enter();
    h.space();
    h.ticks(1);
    watch.start();
    h.space();
    watch.stop();
    QVERIFY(steps > 0);
    QCOMPARE(largestAsked, 130);
    QVERIFY2(largestShown < 130, qPrintable(QString::number(largestShown)));
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QLatin1Char(' '))));

    const QStringList lines{QStringLiteral("Congratulations"), name,
                            QStringLiteral("Won the First Prize!")};
    QCOMPARE(h.lines(), lines);
    QVERIFY(h.banner()->backed());
    CheckLinesFit(h, lines);
    // The backing: dark and nearly opaque just beside the widest line.
    QRect block;
    for (const QRect& r : h.banner()->lineRects())
        block |= r;
    const QImage shot = Render(h.banner());
    const qreal dpr = shot.devicePixelRatio();
    const QColor beside = shot.pixelColor(QPoint(
        int((block.left() - 2) * dpr), int(h.banner()->lineRects().at(1).center().y() * dpr)));
    QVERIFY2(beside.alpha() >= 128 && beside.lightness() < 40,
             qPrintable(QStringLiteral("%1 alpha %2").arg(beside.name()).arg(beside.alpha())));
}

void TestDisplayFit::focusWarningFitsAndGivesTheLinesBack() {
    MainWindowHarness h(WordIni());
    FillCandidates(h, LongNames());
    SizeDisplay(h, QSize(1024, 560));
    const QStringList shown = DrawWords(h, 10);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h.form->guardFocus();
    QCOMPARE(h.banner()->text(), MainWindow::focusWarningText());
    const QList<QRect> warning = h.banner()->lineRects();
    QCOMPARE(warning.size(), 1);
    QVERIFY(h.banner()->rect().contains(warning.at(0)));
    // A message may wrap at its spaces rather than shrink to a thin line.
    QVERIFY(warning.at(0).height() > 2 * QFontMetrics(h.banner()->shownFont()).height());
    QCOMPARE(h.banner()->shownFontSize(), 39);

    // Back in front, the drawn lines come back as lines, not wrapped.
    h.activate();
    h.form->guardFocus();
    QCOMPARE(h.lines(), shown);
    CheckLinesFit(h, shown);
}

int main(int argc, char** argv) {
    // Three offscreen screens side by side: plain, 3840x2160 pixels at ratio 2,
    // and 2880x1620 at 144 dpi, which Qt makes a ratio of 1.5. Given on the
    // command line, which wins over QT_QPA_PLATFORM.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [
        {"name": "plain", "x": 0, "y": 0, "width": 3840, "height": 2160,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "ratio2", "x": 3840, "y": 0, "width": 3840, "height": 2160,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2},
        {"name": "ratio1.5", "x": 7680, "y": 0, "width": 2880, "height": 1620,
         "logicalDpi": 144, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    QByteArray platform = "offscreen:configfile=" + config.toLocal8Bit();
    std::vector<char*> args(argv, argv + argc);
    args.push_back(const_cast<char*>("-platform"));
    args.push_back(platform.data());
    int count = int(args.size());
    args.push_back(nullptr);
    QApplication app(count, args.data());
    TestDisplayFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_display_fit.moc"
