// Start-up of the main window: settings, skins, the photo scan and the class list.
#include "core/data/Database.h"
#include "core/settings/ProgramFolder.h"
#include "support/MainWindowHarness.h"
#include "ui/common/SkinData.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

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
};

void TestMainWindow::startsWithTheSettingsFile() {
    MainWindowHarness h({QStringLiteral("[prize]"), QStringLiteral("caption=Annual Gala"),
                         QStringLiteral("Skin=2"), QStringLiteral("Mode=1")});
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Annual Gala"));
    QCOMPARE(h.form->Label1->text(), QStringLiteral("PRESS ENTER KEY TO BEGIN"));
    QCOMPARE(h.form->PromptColor(), 255);
    QCOMPARE(h.form->bsSkinComboBox1->count(), 3);
    QCOMPARE(h.form->bsSkinComboBox1->currentIndex(), 0);
    QCOMPARE(h.form->bsSkinComboBox1->currentText(), QStringLiteral("First Prize"));
    QVERIFY(SkinFile.endsWith(QStringLiteral("skins/Clouds/skin.ini")));
    QCOMPARE(h.form->bsSkinData1->skinName(), QStringLiteral("Clouds"));
    QVERIFY(!h.form->styleSheet().isEmpty());
    QCOMPARE(LotteryMode, 1);
    QVERIFY(h.form->LabelWZ->text().isEmpty());
    QVERIFY(h.form->Timer3->isActive());
    QVERIFY(!h.form->Timer1->isActive());
    QVERIFY(!h.form->DrawArmed);
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestMainWindow::everyControlIsThere() {
    MainWindowHarness h;
    const char* names[] = {"bsSkinPanel1",
                           "Image1",
                           "Image2",
                           "LabelWZ",
                           "bsSkinPanel2",
                           "bsSkinToolBar1",
                           "bsSkinSpeedButton1",
                           "bsSkinMenuSpeedButton1",
                           "bsSkinSpeedButton2",
                           "bsSkinMenuSpeedButton2",
                           "bsSkinSpeedButton4",
                           "Label1",
                           "RxSpinEdit1",
                           "bsSkinTrackBar1",
                           "bsSkinComboBox1",
                           "Timer1",
                           "Timer2",
                           "Timer3",
                           "skinData",
                           "bsSkinPopupMenu1",
                           "bsSkinPopupMenu2",
                           "bsSkinPopupMenu3",
                           "ActionExit",
                           "ActionCJ",
                           "ActionInit",
                           "ActionMD",
                           "ActionOption",
                           "ActionAbout",
                           "ActionFullScreen",
                           "ActionShowToolbar",
                           "ActionHelp"};
    for (const char* name : names)
        QVERIFY2(h.form->findChild<QObject*>(QLatin1String(name)), name);
    QCOMPARE(h.form->RxSpinEdit1->minimum(), 1);
    QCOMPARE(h.form->RxSpinEdit1->maximum(), 10);
    QCOMPARE(h.form->bsSkinTrackBar1->minimum(), 10);
    QCOMPARE(h.form->bsSkinTrackBar1->maximum(), 1000);
    QCOMPARE(h.form->bsSkinTrackBar1->focusPolicy(), Qt::NoFocus);
    QCOMPARE(h.form->bsSkinSpeedButton1->toolTip(), QStringLiteral("begin"));
    QCOMPARE(h.form->bsSkinPopupMenu1->actions().at(0)->text(), QStringLiteral("Options"));
    QCOMPARE(h.form->bsSkinPopupMenu1->actions().at(1)->text(), QStringLiteral("Initialize"));
    QCOMPARE(h.form->bsSkinPopupMenu3->actions().at(0)->text(), QStringLiteral("About"));
    QCOMPARE(h.form->bsSkinPopupMenu3->actions().at(1)->text(), QStringLiteral("help"));
    QCOMPARE(h.form->bsSkinPopupMenu2->actions().at(0)->text(), QStringLiteral("Full Screen"));
    QCOMPARE(h.form->bsSkinPopupMenu2->actions().at(1)->text(), QStringLiteral("Exit Full Screen"));
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
    QCOMPARE(h.form->LotteryTitle, title);
    QCOMPARE(h.form->windowTitle(), title);
    QTEST(LotteryMode, "mode");
    QFETCH(QString, skinFolder);
    if (skinFolder.isEmpty())
        QVERIFY(SkinFile.isEmpty());
    else
        QVERIFY2(
            SkinFile.endsWith(QStringLiteral("skins/") + skinFolder + QStringLiteral("/skin.ini")),
            qPrintable(SkinFile));
    QTEST(h.form->PhotoStretch, "stretch");
    QCOMPARE(h.form->Image2->Proportional, !h.form->PhotoStretch);
    QTEST(ShowWinnerFlag, "showWinner");
    QTEST(h.form->WordFontColor, "fontColor");
    QTEST(h.form->WordFontSize, "fontSize");
    QTEST(h.form->WordFontName, "fontName");
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
    QCOMPARE(h.form->LotteryTitle, QStringLiteral("Gala"));
    // Everything after the font size stays as the window had it.
    QVERIFY(h.form->PhotoFolder.isEmpty());
    QVERIFY(SkinFile.isEmpty());
    QCOMPARE(LotteryMode, 0);
    QVERIFY(h.form->windowTitle().isEmpty());
    // The window still works: classes are loaded when it is shown.
    QCOMPARE(h.form->bsSkinComboBox1->count(), 3);
    QVERIFY(h.form->Timer3->isActive());
}

void TestMainWindow::photoScan() {
    MainWindowHarness h;
    const QString folder = h.program.path(QStringLiteral("pics"));
    h.program.makePhotos(QStringLiteral("pics"),
                         {QStringLiteral("Ann.jpg"), QStringLiteral(".hidden.jpg"),
                          QStringLiteral("Bob.JPG"), QStringLiteral("Cy.jpeg"),
                          QStringLiteral("notes.txt"), QStringLiteral("Dee.png")});
    QDir().mkpath(folder + QStringLiteral("/album.jpg"));
    QStringList list{QStringLiteral("stale")};
    const int n = MainWindow::ListPhotoFiles(list, folder + QStringLiteral("/*.jpg"));
    QCOMPARE(n, 4);
    QStringList names;
    for (const QString& p : list) {
        QVERIFY2(p.startsWith(folder + QLatin1Char('/')), qPrintable(p));
        names << QFileInfo(p).fileName();
    }
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral(".hidden.jpg"), QStringLiteral("Ann.jpg"),
                                 QStringLiteral("Bob.JPG"), QStringLiteral("Cy.jpeg")}));
    QCOMPARE(MainWindow::ListPhotoFiles(list, folder + QStringLiteral("/missing/*.jpg")), 0);
    QVERIFY(list.isEmpty());
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
            h.form->RescanPhotos();
        }
        QCOMPARE(h.form->PhotoCount, 2);
        for (const QString& p : h.form->PhotoList) {
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
    QCOMPARE(h.form->bsSkinComboBox1->count(), 0);
    QCOMPARE(h.form->bsSkinComboBox1->currentText(), QString());
    QVERIFY(h.prompts.messages.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
