// Start-up of the main window: settings, skins, the photo scan and the class list.
#include "core/data/Database.h"
#include "core/draw/DrawSession.h"
#include "core/settings/ProgramSettings.h"
#include "formats/Errors.h"
#include "support/MainWindowHarness.h"
#include "ui/common/SkinData.h"
#include "ui/main/DisplayWidgets.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheSettingsFile();
    void everyControlIsThere();
    void loadSettingsRules_data();
    void loadSettingsRules();
    void badFontSizeStopsSettingsAndIsReported();
    void photoScan();
    void photoFolderSpellingsGiveTheSameList();
    void emptyClassTable();
    void systemColourOnTheDisplay();
    void skinsNameControlsThatExist();
    void handEditedModeDrawsPhotosEverywhere();
};

void TestMainWindow::startsWithTheSettingsFile() {
    MainWindowHarness h({QStringLiteral("[prize]"), QStringLiteral("caption=Annual Gala"),
                         QStringLiteral("Skin=2"), QStringLiteral("Mode=1")});
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Annual Gala"));
    QCOMPARE(h.prompt()->text(), QStringLiteral("PRESS ENTER KEY TO BEGIN"));
    QCOMPARE(h.form->promptColor(), 255);
    QCOMPARE(h.classBox()->count(), 3);
    QCOMPARE(h.classBox()->currentIndex(), 0);
    QCOMPARE(h.classBox()->currentText(), QStringLiteral("First Prize"));
    QVERIFY(SkinData::activeFile().endsWith(QStringLiteral("skins/Clouds/skin.ini")));
    QCOMPARE(h.form->findChild<SkinData*>(QStringLiteral("skinData"))->skinName(),
             QStringLiteral("Clouds"));
    QVERIFY(!h.form->styleSheet().isEmpty());
    QCOMPARE(h.session()->mode(), DrawMode::Word);
    QVERIFY(h.banner()->text().isEmpty());
    QVERIFY(h.timer("focusGuardTimer")->isActive());
    QVERIFY(!h.rollTimer()->isActive());
    QVERIFY(!h.session()->isArmed());
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestMainWindow::everyControlIsThere() {
    MainWindowHarness h;
    const char* names[] = {"display",      "backgroundView",     "photoView",
                           "bannerLabel",  "controlStrip",       "toolBar",
                           "beginButton",  "setupButton",        "winnersButton",
                           "helpButton",   "exitButton",         "promptLabel",
                           "wordCountBox", "rollSpeedSlider",    "prizeClassBox",
                           "rollTimer",    "promptBlinkTimer",   "focusGuardTimer",
                           "skinData",     "setupMenu",          "displayMenu",
                           "helpMenu",     "exitAction",         "armAction",
                           "resetAction",  "winnersAction",      "optionsAction",
                           "aboutAction",  "fullScreenAction",   "exitFullScreenAction",
                           "helpAction",   "photoPresetsAction", "wordPresetsAction"};
    for (const char* name : names)
        QVERIFY2(h.form->findChild<QObject*>(QLatin1String(name)), name);
    QCOMPARE(h.wordCount()->minimum(), 1);
    QCOMPARE(h.wordCount()->maximum(), 10);
    auto* speed = h.form->findChild<QSlider*>(QStringLiteral("rollSpeedSlider"));
    QCOMPARE(speed->minimum(), 10);
    QCOMPARE(speed->maximum(), 1000);
    QCOMPARE(speed->focusPolicy(), Qt::NoFocus);
    QCOMPARE(h.form->findChild<QToolButton*>(QStringLiteral("beginButton"))->toolTip(),
             QStringLiteral("begin"));
    auto menu = [&](const char* name) {
        return h.form->findChild<QMenu*>(QLatin1String(name))->actions();
    };
    QCOMPARE(menu("setupMenu").at(0)->text(), QStringLiteral("Options"));
    QCOMPARE(menu("setupMenu").at(1)->text(), QStringLiteral("Initialize"));
    QCOMPARE(menu("helpMenu").at(0)->text(), QStringLiteral("About"));
    QCOMPARE(menu("helpMenu").at(1)->text(), QStringLiteral("help"));
    QCOMPARE(menu("displayMenu").at(0)->text(), QStringLiteral("Full Screen"));
    QCOMPARE(menu("displayMenu").at(1)->text(), QStringLiteral("Exit Full Screen"));
}

void TestMainWindow::loadSettingsRules_data() {
    QTest::addColumn<QStringList>("ini"); // empty: no file at all
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("skinFolder"); // empty: no skin chosen
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("showWinner");
    QTest::addColumn<int>("fontColor");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QString>("fontName");

    const QString s = QStringLiteral("[prize]");
    QTest::newRow("no file") << QStringList{} << QString() << 0 << QString() << false << false << 0
                             << 0 << QString();
    QTest::newRow("empty section: defaults")
        << QStringList{s} << QStringLiteral("None") << 0 << QStringLiteral("Orange") << false
        << true << 0 << 60 << QStringLiteral("Arial");
    QTest::newRow("Mode written, mode read")
        << QStringList{s, QStringLiteral("Mode=1")} << QStringLiteral("None") << 1
        << QStringLiteral("Orange") << false << true << 0 << 60 << QStringLiteral("Arial");
    QTest::newRow("Skin 7 gives Orange, mode 5 kept")
        << QStringList{s, QStringLiteral("Skin=7"), QStringLiteral("mode=5")}
        << QStringLiteral("None") << 5 << QStringLiteral("Orange") << false << true << 0 << 60
        << QStringLiteral("Arial");
    QTest::newRow("skin and mode letters")
        << QStringList{s, QStringLiteral("Skin=blue"), QStringLiteral("mode=photo")}
        << QStringLiteral("None") << 0 << QStringLiteral("Orange") << false << true << 0 << 60
        << QStringLiteral("Arial");
    QTest::newRow("empty flags are on")
        << QStringList{s, QStringLiteral("PhotoFullScreen="), QStringLiteral("ShowWinner=")}
        << QStringLiteral("None") << 0 << QStringLiteral("Orange") << true << true << 0 << 60
        << QStringLiteral("Arial");
    QTest::newRow("only 0 is off")
        << QStringList{s, QStringLiteral("PhotoFullScreen=00"), QStringLiteral("ShowWinner=0")}
        << QStringLiteral("None") << 0 << QStringLiteral("Orange") << true << false << 0 << 60
        << QStringLiteral("Arial");
    QTest::newRow("letters in FontColor keep the colour")
        << QStringList{s,
                       QStringLiteral("FontColor=red"),
                       QStringLiteral("FontName=DejaVu Serif"),
                       QStringLiteral("FontSize=72"),
                       QStringLiteral("caption=Ünïcode 🎉 Night"),
                       QStringLiteral("Skin=1")}
        << QStringLiteral("Ünïcode 🎉 Night") << 0 << QStringLiteral("Autumn") << false << true << 0
        << 72 << QStringLiteral("DejaVu Serif");
    QTest::newRow("colour and case-insensitive keys")
        << QStringList{QStringLiteral("[PRIZE]"), QStringLiteral("FONTCOLOR=16711680"),
                       QStringLiteral("CAPTION=Big")}
        << QStringLiteral("Big") << 0 << QStringLiteral("Orange") << false << true << 16711680 << 60
        << QStringLiteral("Arial");
}

void TestMainWindow::loadSettingsRules() {
    QFETCH(QStringList, ini);
    MainWindowHarness h(ini);
    QFETCH(QString, title);
    QCOMPARE(h.form->caption(), title);
    QCOMPARE(h.form->windowTitle(), title);
    QFETCH(int, mode);
    // Any mode but 1 draws photos, everywhere.
    QCOMPARE(h.session()->mode(), mode == 1 ? DrawMode::Word : DrawMode::Photo);
    QFETCH(QString, skinFolder);
    if (skinFolder.isEmpty())
        QVERIFY(SkinData::activeFile().isEmpty());
    else
        QVERIFY2(SkinData::activeFile().endsWith(QStringLiteral("skins/") + skinFolder +
                                                 QStringLiteral("/skin.ini")),
                 qPrintable(SkinData::activeFile()));
    QTEST(h.session()->photoStretch(), "stretch");
    QCOMPARE(h.photo()->proportional, !h.session()->photoStretch());
    QTEST(h.session()->showWinner(), "showWinner");
    QTEST(h.form->wordFont().colour, "fontColor");
    QTEST(h.form->wordFont().size, "fontSize");
    QTEST(h.form->wordFont().name, "fontName");
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestMainWindow::badFontSizeStopsSettingsAndIsReported() {
    MainWindowHarness h({QStringLiteral("[prize]"), QStringLiteral("caption=Gala"),
                         QStringLiteral("FontSize=big"), QStringLiteral("PhotoPath=/tmp"),
                         QStringLiteral("Skin=2"), QStringLiteral("mode=1")});
    QCOMPARE(h.prompts.messages.size(), 1);
    QVERIFY(h.prompts.messages.at(0).contains(QStringLiteral("'big'")));
    QVERIFY(h.prompts.messages.at(0).contains(QStringLiteral("FontSize in ")));
    QVERIFY(h.prompts.messages.at(0).contains(QStringLiteral("prize.ini")));
    // The same words as every other reader of the file uses.
    try {
        ProgramSettings::read().fontSize();
        QFAIL("no error");
    } catch (const KalvoroError& e) {
        QCOMPARE(h.prompts.messages.at(0), e.message());
    }
    QCOMPARE(h.form->caption(), QStringLiteral("Gala"));
    // Everything after the font size stays as the window had it.
    QVERIFY(h.session()->photos().isEmpty());
    QVERIFY(SkinData::activeFile().isEmpty());
    QCOMPARE(h.session()->mode(), DrawMode::Photo);
    QVERIFY(h.form->windowTitle().isEmpty());
    // The window still works: classes are loaded when it is shown.
    QCOMPARE(h.classBox()->count(), 3);
    QVERIFY(h.timer("focusGuardTimer")->isActive());
}

void TestMainWindow::photoScan() {
    MainWindowHarness h;
    const QString folder = h.program.path(QStringLiteral("pics"));
    h.program.makePhotos(QStringLiteral("pics"),
                         {QStringLiteral("Ann.jpg"), QStringLiteral(".hidden.jpg"),
                          QStringLiteral("Bob.JPG"), QStringLiteral("Cy.jpeg"),
                          QStringLiteral("notes.txt"), QStringLiteral("Dee.png")});
    QDir().mkpath(folder + QStringLiteral("/album.jpg"));
    const QStringList list = DrawSession::listPhotoFiles(folder);
    QCOMPARE(list.size(), 4);
    QStringList names;
    for (const QString& p : list) {
        QVERIFY2(p.startsWith(folder + QLatin1Char('/')), qPrintable(p));
        names << QFileInfo(p).fileName();
    }
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral(".hidden.jpg"), QStringLiteral("Ann.jpg"),
                                 QStringLiteral("Bob.JPG"), QStringLiteral("Cy.jpeg")}));
    QVERIFY(DrawSession::listPhotoFiles(folder + QStringLiteral("/missing")).isEmpty());
    QVERIFY(DrawSession::listPhotoFiles(QString()).isEmpty());
}

void TestMainWindow::photoFolderSpellingsGiveTheSameList() {
    QStringList seen[3];
    for (int i = 0; i < 3; ++i) {
        TempProgram files;
        files.makePhotos(QStringLiteral("p"), {QStringLiteral("A.jpg"), QStringLiteral("B.jpg")});
        const QString folder = files.path(QStringLiteral("p"));
        const QString spelled = i == 0   ? folder
                                : i == 1 ? folder + QLatin1Char('/')
                                         : QStringLiteral("./p");
        MainWindowHarness h(PhotoIni(spelled), false);
        // The harness has its own program folder; point the relative spelling there.
        if (i == 2) {
            h.program.makePhotos(QStringLiteral("p"),
                                 {QStringLiteral("A.jpg"), QStringLiteral("B.jpg")});
            h.session()->rescanPhotos();
        }
        QCOMPARE(h.session()->photos().size(), 2);
        for (const QString& p : h.session()->photos()) {
            QVERIFY2(!p.contains(QStringLiteral("//")), qPrintable(p));
            seen[i] << QFileInfo(p).fileName();
        }
        seen[i].sort();
    }
    QCOMPARE(seen[0], seen[1]);
    QCOMPARE(seen[0], seen[2]);
}

void TestMainWindow::emptyClassTable() {
    MainWindowHarness h({}, false);
    h.program.sql(QStringLiteral("delete from jxmc"));
    h.form->show();
    QCOMPARE(h.classBox()->count(), 0);
    QCOMPARE(h.classBox()->currentText(), QString());
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestMainWindow::systemColourOnTheDisplay() {
    // -16777211 names the system's window background: the display paints the
    // palette's colour for it, as the options dialog's sample does.
    MainWindowHarness h({QStringLiteral("[prize]"), QStringLiteral("FontColor=-16777211")});
    const QColor expected = ColorFromSetting(-16777211);
    QVERIFY(expected != QColor(Qt::black));
    BannerLabel* banner = h.banner();
    banner->setFontColor(h.form->wordFont().colour);
    banner->setFontSize(120);
    banner->setText(QStringLiteral("W"));
    QImage shot(banner->size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    banner->render(&shot);
    int exact = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            exact += QColor(shot.pixel(x, y)) == expected && qAlpha(shot.pixel(x, y)) == 255;
    QVERIFY2(exact > 50, qPrintable(QString::number(exact)));
}

void TestMainWindow::skinsNameControlsThatExist() {
    // A skin styles controls by object name: a renamed control would silently lose its look.
    MainWindowHarness h;
    QDir skins(QStringLiteral(KALVORO_SOURCE_DIR "/assets/skins"));
    const QStringList folders = skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(folders.size() >= 3);
    const QRegularExpression rule(QStringLiteral("([^{}]*)\\{[^}]*\\}"));
    const QRegularExpression id(QStringLiteral("#([A-Za-z_]\\w*)"));
    for (const QString& folder : folders) {
        QFile qss(skins.filePath(folder + QStringLiteral("/skin.qss")));
        QVERIFY(qss.open(QIODevice::ReadOnly));
        const QString sheet = QString::fromUtf8(qss.readAll());
        int named = 0;
        for (const QRegularExpressionMatch& r : rule.globalMatch(sheet)) {
            for (const QRegularExpressionMatch& m : id.globalMatch(r.captured(1))) {
                ++named;
                QVERIFY2(h.form->findChild<QWidget*>(m.captured(1)),
                         qPrintable(folder + QStringLiteral(": #") + m.captured(1)));
            }
        }
        QVERIFY(named > 0);
    }
}

void TestMainWindow::handEditedModeDrawsPhotosEverywhere() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"),
                     {QStringLiteral("Ann.jpg"), QStringLiteral("Bo.jpg")});
    QStringList ini = PhotoIni(files.path(QStringLiteral("photos")));
    ini.replaceInStrings(QStringLiteral("Mode=0"), QStringLiteral("Mode=2"));
    MainWindowHarness h(ini);
    QCOMPARE(h.session()->mode(), DrawMode::Photo);
    h.enter();
    // Armed, rolled and stopped as a photo draw: one winner, recorded as a photo.
    QVERIFY(!h.wordCount()->isEnabled());
    QCOMPARE(h.wordCount()->value(), 1);
    h.space();
    h.ticks(2);
    QVERIFY(h.photo()->hasPicture());
    h.space();
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 1);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 0);
    QVERIFY(h.session()
                ->winnerCountSentence(QStringLiteral("First Prize"))
                .startsWith(QStringLiteral("There are 1 ")));
    // And the winners button opens the photo winners.
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            opened = QString::fromLatin1(w->metaObject()->className());
            w->close();
        }
    });
    h.form->showWinners();
    QCOMPARE(opened, QStringLiteral("PhotoWinnersDialog"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
