// The prompt line reads from the hall: its text grows with the window, and stands
// out from its backing in every skin and every colour of the flashing.
#include "core/settings/ProgramSettings.h"
#include "support/MainWindowHarness.h"
#include "ui/common/SkinData.h"
#include "ui/main/ControlStrip.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>

#include <cmath>

namespace {
const QString armedPrompt = QStringLiteral("After Set Lottery Class,Press Space Bar");
// The flashing's colours in the settings file's form.
constexpr int Red = 255, Yellow = 65535, Blue = 16711680;

ControlStrip* strip(const MainWindowHarness& h) {
    return h.form->findChild<ControlStrip*>(QStringLiteral("controlStrip"));
}
} // namespace

class TestPrompt : public QObject {
    Q_OBJECT
private slots:
    void contrastRatio_data();
    void contrastRatio();
    void readableInEverySkinAndColour_data();
    void readableInEverySkinAndColour();
    void flashingKeepsTheHuesAndTurnsTheBacking();
};

void TestPrompt::contrastRatio_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    // Values as WCAG 2 defines them.
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("same colour") << QColor(0x80, 0x40, 0x20) << QColor(0x80, 0x40, 0x20) << 1.0;
    QTest::newRow("red on black") << QColor(Qt::red) << QColor(Qt::black) << 5.252;
    QTest::newRow("blue on white") << QColor(Qt::blue) << QColor(Qt::white) << 8.592;
    QTest::newRow("grey 777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.478;
    QTest::newRow("yellow on white") << QColor(Qt::yellow) << QColor(Qt::white) << 1.074;
}

void TestPrompt::contrastRatio() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    const double got = ControlStrip::contrastRatio(a, b);
    QVERIFY2(std::abs(got - ratio) < 0.005, qPrintable(QString::number(got)));
}

void TestPrompt::readableInEverySkinAndColour_data() {
    QTest::addColumn<QString>("skin"); // a skin.ini; empty for the plain look
    QTest::addColumn<int>("colour");
    QTest::addColumn<QSize>("window");
    QStringList skins{QString()};
    const QDir shipped(QStringLiteral(KALVORO_SOURCE_DIR "/assets/skins"));
    for (const QString& folder : shipped.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        skins << shipped.filePath(folder + QStringLiteral("/skin.ini"));
    QVERIFY(skins.size() >= 4);
    const std::pair<const char*, int> colours[] = {
        {"red", Red}, {"yellow", Yellow}, {"blue", Blue}};
    for (const QString& skin : skins)
        for (const auto& [colourName, colour] : colours)
            for (const QSize window :
                 {QSize(1024, 600), QSize(1366, 768), QSize(1920, 1080), QSize(3840, 2160)}) {
                const QString skinName =
                    skin.isEmpty() ? QStringLiteral("plain") : QFileInfo(skin).dir().dirName();
                QTest::addRow("%s %s %dx%d", qPrintable(skinName), colourName, window.width(),
                              window.height())
                    << skin << colour << window;
            }
}

void TestPrompt::readableInEverySkinAndColour() {
    QFETCH(QString, skin);
    QFETCH(int, colour);
    QFETCH(QSize, window);
    MainWindowHarness h(WordIni());
    // The skin as the program puts it on the window.
    h.form->setStyleSheet(skin.isEmpty() ? QString() : SkinData::readSkin(skin));
    QVERIFY(skin.isEmpty() || !h.form->styleSheet().isEmpty());
    h.form->resize(window);
    QTRY_COMPARE(h.form->size(), window);
    h.enter(); // the longest prompt
    QLabel* prompt = h.prompt();
    QCOMPARE(prompt->text(), armedPrompt);
    strip(h)->setPromptColor(colour);
    QCoreApplication::processEvents();

    // At least 2.5% of the window's height, and the line is whole.
    const int least = int(std::ceil(window.height() * 0.025));
    const QFontInfo font(prompt->font());
    QVERIFY2(font.pixelSize() >= least,
             qPrintable(QStringLiteral("%1 px < %2 px").arg(font.pixelSize()).arg(least)));
    QVERIFY(font.bold());
    const QFontMetrics metrics(prompt->font());
    QVERIFY2(metrics.height() <= prompt->height(),
             qPrintable(QStringLiteral("line %1 px in a label of %2 px")
                            .arg(metrics.height())
                            .arg(prompt->height())));
    QVERIFY(metrics.horizontalAdvance(prompt->text()) <= prompt->width());

    // Measured on what the strip paints: the text's colour against every edge of its backing.
    const QImage shot = strip(h)->grab().toImage();
    const QRect label(prompt->mapTo(strip(h), QPoint(0, 0)), prompt->size());
    const QColor text = ColorFromSetting(colour);
    int textPixels = 0;
    for (int y = label.top(); y <= label.bottom(); ++y)
        for (int x = label.left(); x <= label.right(); ++x)
            textPixels += QColor(shot.pixel(x, y)) == text;
    QVERIFY2(textPixels > least * 4, qPrintable(QString::number(textPixels)));
    const QPoint backing[] = {{label.left() + 3, label.center().y()},
                              {label.right() - 3, label.center().y()},
                              {label.center().x(), label.top() + 2},
                              {label.center().x(), label.bottom() - 2}};
    for (const QPoint& at : backing) {
        const QColor behind(shot.pixel(at));
        const double ratio = ControlStrip::contrastRatio(text, behind);
        QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 on %2 at (%3,%4): %5:1")
                                              .arg(text.name(), behind.name())
                                              .arg(at.x())
                                              .arg(at.y())
                                              .arg(ratio, 0, 'f', 2)));
    }
}

void TestPrompt::flashingKeepsTheHuesAndTurnsTheBacking() {
    MainWindowHarness h(WordIni());
    h.enter();
    QColor backings[3];
    const int cycle[] = {Red, Yellow, Blue};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(h.form->promptColor(), cycle[i]);
        QCOMPARE(h.prompt()->palette().color(QPalette::WindowText), ColorFromSetting(cycle[i]));
        backings[i] = ControlStrip::promptBacking(ColorFromSetting(cycle[i]));
        QVERIFY(h.prompt()->styleSheet().contains(backings[i].name()));
        h.form->blinkPrompt();
    }
    // Dark behind red and yellow, light behind blue.
    QVERIFY(ControlStrip::relativeLuminance(backings[0]) < 0.01);
    QCOMPARE(backings[1], backings[0]);
    QVERIFY(ControlStrip::relativeLuminance(backings[2]) > 0.5);
}

QTEST_MAIN(TestPrompt)
#include "tst_prompt.moc"
