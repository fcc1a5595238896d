// prize.ini through the one class that knows its keys: defaults, the values a
// hand-edited file may hold, the order the keys are written in, and the rules
// for folders and colours that every window shares.
#include "core/settings/ProgramFolder.h"
#include "core/settings/ProgramSettings.h"
#include "formats/Errors.h"
#include "formats/IniFile.h"
#include "support/TempProgram.h"

#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QTest>

class TestProgramSettings : public QObject {
    Q_OBJECT
private slots:
    void missingFileGivesTheDefaults();
    void modeNumbers_data();
    void modeNumbers();
    void unguardedNumbersNameTheKeyAndFile_data();
    void unguardedNumbersNameTheKeyAndFile();
    void writeKeepsTheKeyOrderAndReadsBack();
    void audienceScreenComesAfterTheOldKeys_data();
    void audienceScreenComesAfterTheOldKeys();
    void photoFolderRule_data();
    void photoFolderRule();
    void colours_data();
    void colours();
};

namespace {
QString readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

void TestProgramSettings::missingFileGivesTheDefaults() {
    TempProgram program;
    const ProgramSettings s = ProgramSettings::read();
    QVERIFY(!s.exists());
    QCOMPARE(s.path(), program.path(QStringLiteral("prize.ini")));
    QCOMPARE(s.caption(), QStringLiteral("None"));
    QCOMPARE(s.drawMode(), DrawMode::Photo);
    QCOMPARE(s.skin(), 0);
    QCOMPARE(s.fontName(), QStringLiteral("Arial"));
    QCOMPARE(s.fontSize(), 60);
    QCOMPARE(s.fontColor(), std::optional<int>(0));
    QVERIFY(!s.photoStretch());
    QVERIFY(s.showWinner());
    // The catalogue indexes have no default a number can be made of.
    QVERIFY_THROWS_EXCEPTION(ConvertError, s.rollSoundIndex());
}

void TestProgramSettings::modeNumbers_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("word");
    QTest::newRow("photo") << QStringLiteral("Mode=0") << 0 << false;
    QTest::newRow("word") << QStringLiteral("Mode=1") << 1 << true;
    QTest::newRow("read as mode, any case") << QStringLiteral("mode=1") << 1 << true;
    QTest::newRow("hand-edited 2 is photo") << QStringLiteral("Mode=2") << 2 << false;
    QTest::newRow("hand-edited 7 is photo") << QStringLiteral("Mode=7") << 7 << false;
    QTest::newRow("letters are photo") << QStringLiteral("Mode=word") << 0 << false;
    QTest::newRow("blanks around a number") << QStringLiteral("Mode= 1 ") << 1 << true;
}

void TestProgramSettings::modeNumbers() {
    QFETCH(QString, line);
    TempProgram program;
    program.writeIni({QStringLiteral("[prize]"), line});
    const ProgramSettings s = ProgramSettings::read();
    QVERIFY(s.exists());
    QTEST(s.modeNumber(), "number");
    QFETCH(bool, word);
    QCOMPARE(s.drawMode(), word ? DrawMode::Word : DrawMode::Photo);
}

void TestProgramSettings::unguardedNumbersNameTheKeyAndFile_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("key");
    QTest::newRow("font size") << QStringLiteral("FontSize=big") << QStringLiteral("FontSize");
    QTest::newRow("roll music") << QStringLiteral("bgs1=x") << QStringLiteral("bgs1");
    QTest::newRow("winner music") << QStringLiteral("bgs2=") << QStringLiteral("bgs2");
    QTest::newRow("background") << QStringLiteral("bg=1.5") << QStringLiteral("bg");
}

void TestProgramSettings::unguardedNumbersNameTheKeyAndFile() {
    QFETCH(QString, line);
    QFETCH(QString, key);
    TempProgram program;
    QStringList lines{QStringLiteral("FontSize=60"), QStringLiteral("bgs1=0"),
                      QStringLiteral("bgs2=0"), QStringLiteral("bg=0")};
    // The one bad value among good ones.
    for (QString& l : lines)
        if (l.startsWith(key + QLatin1Char('=')))
            l = line;
    program.writeIni(QStringList{QStringLiteral("[prize]")} + lines);
    const ProgramSettings s = ProgramSettings::read();
    QString message;
    try {
        s.fontSize();
        s.rollSoundIndex();
        s.winSoundIndex();
        s.backgroundIndex();
    } catch (const ConvertError& e) {
        message = e.message();
    }
    QVERIFY2(message.startsWith(key + QStringLiteral(" in ")), qPrintable(message));
    QVERIFY2(message.contains(program.path(QStringLiteral("prize.ini"))), qPrintable(message));
    // The colour is read with a guard: letters keep whatever the reader had.
    program.writeIni({QStringLiteral("[prize]"), QStringLiteral("FontColor=red")});
    QCOMPARE(ProgramSettings::read().fontColor(), std::nullopt);
}

void TestProgramSettings::writeKeepsTheKeyOrderAndReadsBack() {
    TempProgram program;
    // A comment and an unknown key survive; known keys are updated where they stand.
    program.writeIni({QStringLiteral("; the gala"), QStringLiteral("[prize]"),
                      QStringLiteral("ShowWinner=1"), QStringLiteral("Extra=kept")});
    ProgramSettings s = ProgramSettings::read();
    s.setCaption(QStringLiteral("年会 Gala"));
    s.setBackground(15, QStringLiteral("/pics/stage.jpg"));
    s.setPhotoPathText(QStringLiteral("./photos"));
    s.setSkin(2);
    s.setDrawMode(DrawMode::Word);
    s.setRollSound(12, QString());
    s.setWinSound(3, QStringLiteral("/music/win.wav"));
    s.setFont(QStringLiteral("Noto Sans CJK SC"), 72, -16777211);
    s.setPhotoStretch(true);
    s.setShowWinner(false);
    s.write();

    const QString text = readAll(program.path(QStringLiteral("prize.ini")));
    const QStringList keys{QStringLiteral("ShowWinner=0"),
                           QStringLiteral("Extra=kept"),
                           QStringLiteral("caption=年会 Gala"),
                           QStringLiteral("background=/pics/stage.jpg"),
                           QStringLiteral("PhotoPath=./photos"),
                           QStringLiteral("Skin=2"),
                           QStringLiteral("Mode=1"),
                           QStringLiteral("BackGroundSound1="),
                           QStringLiteral("BackGroundSound2=/music/win.wav"),
                           QStringLiteral("bgs1=12"),
                           QStringLiteral("bgs2=3"),
                           QStringLiteral("bg=15"),
                           QStringLiteral("FontColor=-16777211"),
                           QStringLiteral("FontSize=72"),
                           QStringLiteral("FontName=Noto Sans CJK SC"),
                           QStringLiteral("PhotoFullScreen=1")};
    qsizetype at = 0;
    for (const QString& k : keys) {
        const qsizetype found = text.indexOf(k, at);
        QVERIFY2(found >= at, qPrintable(k + QStringLiteral(" in\n") + text));
        at = found;
    }
    QVERIFY(text.startsWith(QStringLiteral("; the gala")));

    const ProgramSettings back = ProgramSettings::read();
    QCOMPARE(back.caption(), QStringLiteral("年会 Gala"));
    QCOMPARE(back.drawMode(), DrawMode::Word);
    QCOMPARE(back.skin(), 2);
    QCOMPARE(back.backgroundIndex(), 15);
    QCOMPARE(back.rollSoundIndex(), 12);
    QCOMPARE(back.winSoundFile(), QStringLiteral("/music/win.wav"));
    QCOMPARE(back.rollSoundFile(), QString());
    QCOMPARE(back.fontColor(), std::optional<int>(-16777211));
    QCOMPARE(back.fontSize(), 72);
    QVERIFY(back.photoStretch());
    QVERIFY(!back.showWinner());
    QCOMPARE(back.photoFolder(), program.path(QStringLiteral("photos/")));
}

void TestProgramSettings::audienceScreenComesAfterTheOldKeys_data() {
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QString>("read");    // what the file gives
    QTest::addColumn<QString>("chosen");  // set before writing; null: left as read
    QTest::addColumn<QString>("written"); // the key's value after; null: no key
    const QString head = QStringLiteral("[prize]");
    QTest::newRow("absent stays absent")
        << QStringList{head} << QString() << QString() << QString();
    QTest::newRow("absent and main window chosen")
        << QStringList{head} << QString() << QStringLiteral("") << QString();
    QTest::newRow("absent and a screen chosen")
        << QStringList{head} << QString() << QStringLiteral("HDMI-1") << QStringLiteral("HDMI-1");
    QTest::newRow("kept as read") << QStringList{head, QStringLiteral("audiencescreen=DP-2")}
                                  << QStringLiteral("DP-2") << QString() << QStringLiteral("DP-2");
    QTest::newRow("back to the main window clears it")
        << QStringList{head, QStringLiteral("AudienceScreen=DP-2")} << QStringLiteral("DP-2")
        << QStringLiteral("") << QStringLiteral("");
    QTest::newRow("empty is the main window")
        << QStringList{head, QStringLiteral("AudienceScreen=")} << QString() << QString()
        << QStringLiteral("");
}

void TestProgramSettings::audienceScreenComesAfterTheOldKeys() {
    QFETCH(QStringList, file);
    QFETCH(QString, read);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    TempProgram program;
    program.writeIni(file);
    ProgramSettings s = ProgramSettings::read();
    QCOMPARE(s.audienceScreen(), read);
    if (!chosen.isNull())
        s.setAudienceScreen(chosen);
    s.write();

    const IniFile ini(s.path());
    const QString section = QStringLiteral("prize");
    const QStringList keys = ini.ReadSection(section);
    const QStringList oldKeys{QStringLiteral("caption"),
                              QStringLiteral("background"),
                              QStringLiteral("PhotoPath"),
                              QStringLiteral("Skin"),
                              QStringLiteral("Mode"),
                              QStringLiteral("BackGroundSound1"),
                              QStringLiteral("BackGroundSound2"),
                              QStringLiteral("bgs1"),
                              QStringLiteral("bgs2"),
                              QStringLiteral("bg"),
                              QStringLiteral("FontColor"),
                              QStringLiteral("FontSize"),
                              QStringLiteral("FontName"),
                              QStringLiteral("PhotoFullScreen"),
                              QStringLiteral("ShowWinner")};
    if (written.isNull()) {
        // The fifteen keys as they have always been, and nothing more.
        QCOMPARE(keys, oldKeys);
        QVERIFY(!ini.ValueExists(section, QStringLiteral("AudienceScreen")));
    } else {
        QCOMPARE(ini.ReadString(section, QStringLiteral("AudienceScreen"), QStringLiteral("?")),
                 written);
        // A key the file had stays where it stood, spelt as it was; a new one
        // follows ShowWinner.
        const QString had =
            file.size() > 1 ? file.at(1).section(QLatin1Char('='), 0, 0) : QString();
        QCOMPARE(keys, had.isEmpty() ? oldKeys + QStringList{QStringLiteral("AudienceScreen")}
                                     : QStringList{had} + oldKeys);
    }
    QCOMPARE(ProgramSettings::read().audienceScreen(), chosen.isNull() ? read : chosen);
}

void TestProgramSettings::photoFolderRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("inProgram"); // relative to the program folder; "-" none
    QTest::addColumn<QString>("absolute");  // or this absolute folder
    QTest::newRow("dot slash") << QStringLiteral("./photos") << QStringLiteral("photos/")
                               << QString();
    QTest::newRow("dot backslash")
        << QStringLiteral(".\\photos") << QStringLiteral("photos/") << QString();
    QTest::newRow("bare name") << QStringLiteral("photos") << QStringLiteral("photos/")
                               << QString();
    QTest::newRow("trailing slash")
        << QStringLiteral("./photos/") << QStringLiteral("photos/") << QString();
    QTest::newRow("absolute") << QStringLiteral("/srv/gala//pics") << QString()
                              << QStringLiteral("/srv/gala/pics/");
    QTest::newRow("empty is no folder") << QString() << QStringLiteral("-") << QString();
}

void TestProgramSettings::photoFolderRule() {
    QFETCH(QString, text);
    QFETCH(QString, inProgram);
    QFETCH(QString, absolute);
    TempProgram program;
    const QString folder = ProgramSettings::resolvePhotoFolder(text);
    if (inProgram == QStringLiteral("-"))
        QVERIFY(folder.isEmpty());
    else if (!inProgram.isEmpty())
        QCOMPARE(folder, program.path(inProgram));
    else
        QCOMPARE(folder, absolute);
}

void TestProgramSettings::colours_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("colour");
    const QPalette p = QGuiApplication::palette();
    QTest::newRow("black") << 0 << QColor(0, 0, 0);
    QTest::newRow("red in the low byte") << 255 << QColor(255, 0, 0);
    QTest::newRow("lime") << 65280 << QColor(0, 255, 0);
    QTest::newRow("blue") << 16711680 << QColor(0, 0, 255);
    QTest::newRow("system window background") << -16777211 << p.color(QPalette::Base);
    QTest::newRow("system selection") << -16777203 << p.color(QPalette::Highlight);
    QTest::newRow("system button face") << -16777201 << p.color(QPalette::Button);
    QTest::newRow("other system colour") << -16777208 << p.color(QPalette::WindowText);
}

void TestProgramSettings::colours() {
    QFETCH(int, value);
    QFETCH(QColor, colour);
    QCOMPARE(ColorFromSetting(value), colour);
    if (value >= 0)
        QCOMPARE(ColorToSetting(colour), value);
}

QTEST_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
