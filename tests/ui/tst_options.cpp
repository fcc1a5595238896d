// The options dialog on the real widgets: creation from prize.ini, previews,
// Apply and Cancel, the photo folder check, the word list tools and the grids.
#include "core/data/Database.h"
#include "core/media/SoundPlayer.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/ProgramSettings.h"
#include "formats/Errors.h"
#include "formats/IniFile.h"
#include "support/ScriptedPrompts.h"
#include "ui/common/SkinData.h"
#include "ui/common/TableNavigator.h"
#include "ui/main/MainWindow.h"
#include "ui/options/FontPage.h"
#include "ui/options/OptionsDialog.h"
#include "ui/options/PrizeClassPage.h"
#include "ui/options/RadioGroup.h"
#include "ui/options/WordPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

#include <xlsxwriter.h>

namespace {
QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A short silent PCM wave file, so that any player accepts it.
QByteArray silentWav() {
    const quint32 samples = 800;
    QByteArray b;
    auto le32 = [&](quint32 v) {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
    };
    auto le16 = [&](quint16 v) {
        char c[2];
        qToLittleEndian(v, c);
        b.append(c, 2);
    };
    b += "RIFF";
    le32(36 + samples * 2);
    b += "WAVEfmt ";
    le32(16);
    le16(1);
    le16(1);
    le32(8000);
    le32(16000);
    le16(2);
    le16(16);
    b += "data";
    le32(samples * 2);
    b += QByteArray(int(samples * 2), 0);
    return b;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The dialog's controls, found by their object names as any caller finds them.
template <class T> T* find(QObject* dialog, const char* name) {
    T* child = dialog->findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("the options dialog has no %s", name);
    return child;
}
RadioGroup* group(QObject* f, const char* name) {
    return find<RadioGroup>(f, name);
}
QLineEdit* edit(QObject* f, const char* name) {
    return find<QLineEdit>(f, name);
}
QToolButton* tool(QObject* f, const char* name) {
    return find<QToolButton>(f, name);
}
QPushButton* button(QObject* f, const char* name) {
    return find<QPushButton>(f, name);
}
QCheckBox* box(QObject* f, const char* name) {
    return find<QCheckBox>(f, name);
}
QSpinBox* spin(QObject* f, const char* name) {
    return find<QSpinBox>(f, name);
}
QSqlTableModel* model(QObject* f, const char* name) {
    return find<QSqlTableModel>(f, name);
}
QTableView* table(QObject* f, const char* name) {
    return find<QTableView>(f, name);
}
TableNavigator* navigator(QObject* f, const char* name) {
    return find<TableNavigator>(f, name);
}
QTabWidget* tabs(QObject* f) {
    return find<QTabWidget>(f, "optionsTabs");
}
SoundPlayer* player(QObject* f) {
    return find<SoundPlayer>(f, "previewPlayer");
}
QFileSystemModel* photoFiles(QObject* f) {
    return find<QFileSystemModel>(f, "photoFileModel");
}
QListView* photoList(QObject* f) {
    return find<QListView>(f, "photoFileList");
}
QLabel* fontSample(QObject* f) {
    return find<QLabel>(f, "fontSampleLabel");
}
FontPage* fontPage(QObject* f) {
    return find<FontPage>(f, "fontPage");
}
WordPage* wordPage(QObject* f) {
    return find<WordPage>(f, "wordPage");
}
PrizeClassPage* classPage(QObject* f) {
    return find<PrizeClassPage>(f, "prizeClassPage");
}
SkinData* skinData(QObject* f) {
    return find<SkinData>(f, "skinData");
}

// Leaves the photo folder edit as a Tab press does; the edit must be in view.
void leavePhotoFolderEdit(QObject* f) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit(f, "photoFolderEdit"), &out);
}

// The settings as the main window reads them when the dialog says they were applied.
struct AppliedSettings {
    int count = 0;
    bool stretch = false;
    bool showWinner = false;
    QString skinFile;
};

void copySkins(const QString& programFolder) {
    for (const char* name : {"Orange", "Autumn", "Clouds"}) {
        const QString from = QStringLiteral(KALVORO_SOURCE_DIR "/assets/skins/") + u(name);
        const QString to = programFolder + u("skins/") + u(name);
        QDir().mkpath(to);
        for (const QString& file : QDir(from).entryList(QDir::Files))
            QFile::copy(from + QLatin1Char('/') + file, to + QLatin1Char('/') + file);
    }
}

const QStringList kKeyOrder{u("caption"),
                            u("background"),
                            u("PhotoPath"),
                            u("Skin"),
                            u("Mode"),
                            u("BackGroundSound1"),
                            u("BackGroundSound2"),
                            u("bgs1"),
                            u("bgs2"),
                            u("bg"),
                            u("FontColor"),
                            u("FontSize"),
                            u("FontName"),
                            u("PhotoFullScreen"),
                            u("ShowWinner")};
} // namespace

class TestOptions : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_prog; // the program folder, with a trailing separator
    Database* m_data = nullptr;
    ScriptedPrompts* m_prompts = nullptr;
    QWidget* m_main = nullptr;

    QString ini() const { return m_prog + u("prize.ini"); }
    void setIni(const QByteArray& content) {
        QFile::setPermissions(ini(), QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(ini());
        if (!content.isNull())
            writeFile(ini(), content);
    }
    OptionsDialog* open(const QByteArray& content) {
        setIni(content);
        m_prompts->clear();
        return new OptionsDialog(m_main);
    }
    static void finish(QPointer<OptionsDialog>& form) {
        if (form)
            delete form.data();
    }
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    QStringList words() {
        QSqlQuery q(Db());
        q.exec(u("select wz from wz order by id"));
        QStringList list;
        while (q.next())
            list << q.value(0).toString();
        return list;
    }
    QStringList classes() {
        QSqlQuery q(Db());
        q.exec(u("select name from jxmc order by rowid"));
        QStringList list;
        while (q.next())
            list << q.value(0).toString();
        return list;
    }
    void clearWords() { QSqlQuery(Db()).exec(u("delete from wz")); }

private slots:
    void initTestCase() {
        m_prog = m_root.filePath(u("prog")) + QLatin1Char('/');
        QDir().mkpath(m_prog);
        ProgramFolder::setOverride(m_prog);
        QCOMPARE(ProgramFolder::path(), m_prog);
        for (const char* f :
             {"sound/drum1.wav", "sound/drum2.wav", "sound/roll.wav", "sound/result.wav",
              "sound/m2.wav", "sound/win3.wav", "user/mine.wav", "user/other.wav"})
            writeFile(m_prog + QString::fromUtf8(f), silentWav());
        QDir().mkpath(m_prog + u("photos"));
        writeFile(m_prog + u("photos/Ann Lee.jpg"), "jpeg");
        writeFile(m_prog + u("photos/notes.txt"), "x");
        QDir().mkpath(m_root.filePath(u("photos")));
        m_data = new Database(nullptr, m_root.filePath(u("db.sqlite")));
        QVERIFY(m_data->isUsable());
        m_prompts = new ScriptedPrompts;
        m_main = new QWidget;
        m_main->setObjectName(u("mainWindow"));
        copySkins(m_prog);
    }
    void cleanupTestCase() {
        flushDeletes();
        delete m_main;
        delete m_prompts;
        delete m_data;
    }
    void init() { SkinData::setActiveFile(QString()); }

    // ------------------------------------------------------------ creation --

    void creation_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<int>>("groups"); // mode, skin, roll, background, winner
        QTest::addColumn<QStringList>("edits"); // title, photo, bgp, roll, winner
        QTest::addColumn<bool>("classTableOpen");
        QTest::addColumn<QStringList>("messages"); // <ini>: the settings file's path
        QTest::addColumn<QString>("skin");         // the dialog's own skin

        const QByteArray base = "[prize]\ncaption=Party\nPhotoPath=./photos\nbgs1=0\nbgs2=0\n"
                                "bg=0\nSkin=1\nmode=1\n";
        QTest::newRow("missing file")
            << QByteArray() << QList<int>{0, 0, 0, 0, 0}
            << QStringList{u(""), u(""), u(""), u(""), u("")} << true << QStringList() << QString();
        QTest::newRow("plain") << base << QList<int>{1, 1, 0, 0, 0}
                               << QStringList{u("Party"), u("./photos"), u(""), u(""), u("")}
                               << true << QStringList() << u("Autumn");
        QTest::newRow("written Mode is read as mode")
            << QByteArray("[prize]\nbgs1=1\nbgs2=2\nbg=3\nMode=1\nSkin=2\n")
            << QList<int>{1, 2, 1, 3, 2} << QStringList{u("None"), u("None"), u(""), u(""), u("")}
            << true << QStringList() << u("Clouds");
        QTest::newRow("bgs1 99 selects None, bg -3 selects nothing")
            << QByteArray("[prize]\nbgs1=99\nbgs2=0\nbg=-3\n") << QList<int>{0, 0, 12, -1, 0}
            << QStringList{u("None"), u("None"), u(""), u(""), u("")} << true << QStringList()
            << u("Orange");
        QTest::newRow("bg 15 fills the picture edit")
            << QByteArray("[prize]\nbgs1=11\nbgs2=23\nbg=15\nbackground=/pics/a.jpg\n"
                          "BackGroundSound1=/m/r.wav\nBackGroundSound2=/m/w.wav\n")
            << QList<int>{0, 0, 11, 15, 23}
            << QStringList{u("None"), u("None"), u("/pics/a.jpg"), u("/m/r.wav"), u("/m/w.wav")}
            << true << QStringList() << u("Orange");
        QTest::newRow("bg 015 selects 15 but leaves the edit empty")
            << QByteArray("[prize]\nbgs1=011\nbgs2=+23\nbg=015\nbackground=/pics/a.jpg\n"
                          "BackGroundSound1=/m/r.wav\nBackGroundSound2=/m/w.wav\n")
            << QList<int>{0, 0, 11, 15, 23}
            << QStringList{u("None"), u("None"), u(""), u(""), u("")} << true << QStringList()
            << u("Orange");
        // What the program does with them: photo mode and the Orange skin.
        QTest::newRow("Skin 7 and mode 5 select the first entries")
            << QByteArray("[prize]\nbgs1=0\nbgs2=0\nbg=0\nSkin=7\nmode=5\n")
            << QList<int>{0, 0, 0, 0, 0} << QStringList{u("None"), u("None"), u(""), u(""), u("")}
            << true << QStringList() << u("Orange");
        QTest::newRow("Skin and mode of letters select the first entries")
            << QByteArray("[prize]\nbgs1=0\nbgs2=0\nbg=0\nSkin=blue\nmode=word\n")
            << QList<int>{0, 0, 0, 0, 0} << QStringList{u("None"), u("None"), u(""), u(""), u("")}
            << true << QStringList() << u("Orange");
        QTest::newRow("missing bgs2 stops the creation")
            << QByteArray("[prize]\ncaption=T\nbgs1=2\nbg=4\nSkin=2\n") << QList<int>{0, 0, 2, 0, 0}
            << QStringList{u("T"), u("None"), u(""), u(""), u("")} << false
            << QStringList{u("bgs2 in <ini>: 'None' is not a valid integer value")} << u("Clouds");
        QTest::newRow("bad bg stops the creation after both music groups")
            << QByteArray("[prize]\nbgs1=3\nbgs2=5\nbg=x\nSkin=1\nmode=1\n"
                          "PhotoFullScreen=1\n")
            << QList<int>{0, 0, 3, 0, 5} << QStringList{u("None"), u("None"), u(""), u(""), u("")}
            << false << QStringList{u("bg in <ini>: 'x' is not a valid integer value")}
            << u("Autumn");
        QTest::newRow("bad FontSize skips only the sample font")
            << QByteArray("[prize]\nbgs1=0\nbgs2=0\nbg=0\nFontSize=big\n")
            << QList<int>{0, 0, 0, 0, 0} << QStringList{u("None"), u("None"), u(""), u(""), u("")}
            << true << QStringList{u("FontSize in <ini>: 'big' is not a valid integer value")}
            << u("Orange");
    }
    void creation() {
        QFETCH(QByteArray, content);
        QFETCH(QList<int>, groups);
        QFETCH(QStringList, edits);
        QFETCH(bool, classTableOpen);
        QFETCH(QStringList, messages);
        QFETCH(QString, skin);
        messages.replaceInStrings(u("<ini>"), QDir::toNativeSeparators(ini()));
        QPointer<OptionsDialog> f = open(content);
        QCOMPARE(group(f, "modeGroup")->index(), groups[0]);
        QCOMPARE(group(f, "skinGroup")->index(), groups[1]);
        QCOMPARE(group(f, "rollMusicGroup")->index(), groups[2]);
        QCOMPARE(group(f, "backgroundGroup")->index(), groups[3]);
        QCOMPARE(group(f, "winMusicGroup")->index(), groups[4]);
        QCOMPARE(edit(f, "titleEdit")->text(), edits[0]);
        QCOMPARE(edit(f, "photoFolderEdit")->text(), edits[1]);
        QCOMPARE(edit(f, "backgroundFileEdit")->text(), edits[2]);
        QCOMPARE(edit(f, "rollMusicFileEdit")->text(), edits[3]);
        QCOMPARE(edit(f, "winMusicFileEdit")->text(), edits[4]);
        QCOMPARE(classPage(f)->tableOpen(), classTableOpen);
        if (classTableOpen)
            QCOMPARE(model(f, "classModel")->rowCount(), int(classes().size()));
        else // what is read after the bad index keeps its first state
            QVERIFY(!box(f, "stretchPhotosBox")->isChecked());
        QCOMPARE(m_prompts->messages, messages);
        QCOMPARE(skinData(f)->skinName(), skin);
        QCOMPARE(f->windowTitle(), u("OPTIONS"));
        QCOMPARE(tabs(f)->count(), 5);
        finish(f);
    }

    void handEditedMode_data() {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<int>("shown"); // the mode group's selection
        QTest::addColumn<QString>("written");
        // Any number but 1 draws photos, so the dialog shows Photo for it and
        // Apply writes what it shows.
        QTest::newRow("Mode=2") << QByteArray("Mode=2") << 0 << u("0");
        QTest::newRow("Mode=7") << QByteArray("Mode=7") << 0 << u("0");
        QTest::newRow("Mode=-1") << QByteArray("Mode=-1") << 0 << u("0");
        QTest::newRow("Mode=0") << QByteArray("Mode=0") << 0 << u("0");
        QTest::newRow("Mode=1") << QByteArray("Mode=1") << 1 << u("1");
    }
    void handEditedMode() {
        QFETCH(QByteArray, mode);
        QFETCH(int, shown);
        QFETCH(QString, written);
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n" + mode + "\n");
        QCOMPARE(group(f, "modeGroup")->index(), shown);
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(!f);
        QCOMPARE(IniFile(ini()).ReadString(u("prize"), u("Mode"), u("?")), written);
        QVERIFY(m_prompts->messages.isEmpty());
    }

    void flags_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<bool>("showWinner");
        const QByteArray head = "[prize]\nbgs1=0\nbgs2=0\nbg=0\n";
        QTest::newRow("no file") << QByteArray() << false << false;
        QTest::newRow("absent keys") << head << false << true;
        QTest::newRow("empty values tick both") << head + "PhotoFullScreen=\nShowWinner=\n"
                                                << true << true;
        QTest::newRow("only 0 is off") << head + "PhotoFullScreen=0\nShowWinner=0\n"
                                       << false << false;
        QTest::newRow("any other text is on") << head + "PhotoFullScreen=no\nShowWinner=00\n"
                                              << true << true;
    }
    void flags() {
        QFETCH(QByteArray, content);
        QFETCH(bool, fullScreen);
        QFETCH(bool, showWinner);
        QPointer<OptionsDialog> f = open(content);
        QCOMPARE(box(f, "stretchPhotosBox")->isChecked(), fullScreen);
        QCOMPARE(box(f, "showWinnerBox")->isChecked(), showWinner);
        finish(f);
    }

    void sampleFont_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("family"); // empty: the design family
        QTest::addColumn<int>("points");     // 0: the default size
        QTest::addColumn<int>("colourValue");
        const QByteArray head = "[prize]\nbgs1=0\nbgs2=0\nbg=0\n";
        QTest::newRow("saved font") << head + "FontName=DejaVu Serif\nFontSize=72\nFontColor=255\n"
                                    << u("DejaVu Serif") << 72 << 255;
        QTest::newRow("defaults") << head << u("Arial") << 60 << 0;
        QTest::newRow("colour of letters keeps black") << head + "FontColor=red\n"
                                                       << u("Arial") << 60 << 0;
        QTest::newRow("no file: black, default size") << QByteArray() << QString() << 0 << 0;
    }
    void sampleFont() {
        QFETCH(QByteArray, content);
        QFETCH(QString, family);
        QFETCH(int, points);
        QFETCH(int, colourValue);
        const QString designFamily = QLabel().font().family();
        QPointer<OptionsDialog> f = open(content);
        const QFont font = fontPage(f)->sampleFont();
        QCOMPARE(font.family(), family.isEmpty() ? designFamily : family);
        QCOMPARE(fontPage(f)->sampleColour(), ColorFromSetting(colourValue));
        QCOMPARE(font.pointSize(), points ? points : QApplication::font().pointSize());
        QVERIFY(!font.bold());
        QVERIFY(
            fontPage(f)->fontDialogChoice().font.bold()); // the font dialog's design style stays
        QCOMPARE(fontPage(f)->fontDialogChoice().colour, ColorFromSetting(colourValue));
        QCOMPARE(fontSample(f)->text(), u("KALVORO WORD"));
        finish(f);
    }

    void colours_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("black") << 0 << QColor(0, 0, 0);
        QTest::newRow("red") << 255 << QColor(255, 0, 0);
        QTest::newRow("lime") << 65280 << QColor(0, 255, 0);
        QTest::newRow("blue") << 16711680 << QColor(0, 0, 255);
        QTest::newRow("mixed") << 0x00336699 << QColor(0x99, 0x66, 0x33);
    }
    void colours() {
        QFETCH(int, value);
        QFETCH(QColor, colour);
        QCOMPARE(ColorFromSetting(value), colour);
        QCOMPARE(ColorToSetting(colour), value);
    }

    // A system colour in the file (top byte 0xFF) shows in the sample as the
    // word display shows it, and Apply writes it back as it was.
    void systemColour_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("role");
        QTest::newRow("window background") << -16777211 << int(QPalette::Base);
        QTest::newRow("button face") << -16777201 << int(QPalette::Button);
        QTest::newRow("window text") << -16777208 << int(QPalette::WindowText);
    }
    void systemColour() {
        QFETCH(int, value);
        QFETCH(int, role);
        const QColor shown = ColorFromSetting(value);
        QCOMPARE(shown, QApplication::palette().color(QPalette::ColorRole(role)));
        QPointer<OptionsDialog> f =
            open("[prize]\nbgs1=0\nbgs2=0\nbg=0\nFontColor=" + QByteArray::number(value) + "\n");
        QCOMPARE(fontPage(f)->sampleColour(), shown);
        QCOMPARE(fontPage(f)->fontDialogChoice().colour, shown);
        QVERIFY2(fontSample(f)->styleSheet().contains(shown.name()),
                 qPrintable(fontSample(f)->styleSheet()));
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(!f);
        QCOMPARE(IniFile(ini()).ReadString(u("prize"), u("FontColor"), u("?")),
                 QString::number(value));
    }

    void catalogueCaptions() {
        QPointer<OptionsDialog> f = open(QByteArray());
        QCOMPARE(group(f, "backgroundGroup")->count(), 16);
        QCOMPARE(group(f, "rollMusicGroup")->count(), 13);
        QCOMPARE(group(f, "winMusicGroup")->count(), 25);
        QCOMPARE(group(f, "backgroundGroup")->button(12)->text(), u("Kung hei fat choy "));
        QCOMPARE(group(f, "backgroundGroup")->button(15)->text(), u("User-defined"));
        QCOMPARE(group(f, "rollMusicGroup")->button(7)->text(), u("Background 2"));
        QCOMPARE(group(f, "rollMusicGroup")->button(12)->text(), u("None"));
        QCOMPARE(group(f, "winMusicGroup")->button(5)->text(), u("Drum"));
        QCOMPARE(group(f, "winMusicGroup")->button(24)->text(), u("None"));
        QCOMPARE(tabs(f)->tabText(4), u("Set Prize Class "));
        finish(f);
    }

    // ------------------------------------------------------------ previews --

    void previewErrorsAreShown() {
        writeFile(m_prog + u("user/tune.xyz"), "not a sound");
        writeFile(m_prog + u("user/broken.wav"), "RIFF junk that is no wave");
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        edit(f, "rollMusicFileEdit")->setText(m_prog + u("user/tune.xyz"));
        tool(f, "playRollMusicButton")->click(); // no player for the extension
        QCOMPARE(m_prompts->messages.size(), 1);
        edit(f, "rollMusicFileEdit")->setText(m_prog + u("user/broken.wav"));
        tool(f, "playRollMusicButton")->click(); // found out while decoding
        QTRY_COMPARE(m_prompts->messages.size(), 2);
        QVERIFY(!m_prompts->messages[1].isEmpty());
        // The dialog stays usable.
        edit(f, "rollMusicFileEdit")->setText(m_prog + u("user/mine.wav"));
        tool(f, "playRollMusicButton")->click();
        QCOMPARE(player(f)->currentFile(), m_prog + u("user/mine.wav"));
        finish(f);
    }

    void previewAtOpening_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("file"); // empty: nothing played
        QTest::addColumn<int>("runs");
        QTest::newRow("first entries play nothing")
            << QByteArray("[prize]\nbgs1=0\nbgs2=0\nbg=0\n") << QString() << 0;
        QTest::newRow("saved winner music plays")
            << QByteArray("[prize]\nbgs1=0\nbgs2=5\nbg=0\n") << u("sound/win3.wav") << 1;
        QTest::newRow("saved roll music plays")
            << QByteArray("[prize]\nbgs1=3\nbgs2=0\nbg=0\n") << u("sound/roll.wav") << 1;
        QTest::newRow("both: the winner music is the last")
            << QByteArray("[prize]\nbgs1=1\nbgs2=5\nbg=0\n") << u("sound/win3.wav") << 2;
        QTest::newRow("missing catalogue file plays nothing")
            << QByteArray("[prize]\nbgs1=0\nbgs2=7\nbg=0\n") << QString() << 0;
        QTest::newRow("user-defined edits are still empty")
            << QByteArray("[prize]\nbgs1=11\nbgs2=23\nbg=0\nBackGroundSound1=user/mine.wav\n")
            << QString() << 0;
    }
    void previewAtOpening() {
        QFETCH(QByteArray, content);
        QFETCH(QString, file);
        QFETCH(int, runs);
        QPointer<OptionsDialog> f = open(content);
        QCOMPARE(player(f)->runCount(), runs);
        if (!file.isEmpty())
            QCOMPARE(player(f)->currentFile(), m_prog + file);
        QVERIFY(m_prompts->messages.isEmpty());
        finish(f);
    }

    void previewBySelection() {
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        SoundPlayer* preview = player(f);
        auto click = [](RadioGroup* g, int i) { g->button(i)->click(); };

        click(group(f, "rollMusicGroup"), 1);
        QCOMPARE(preview->runCount(), 1);
        QCOMPARE(preview->currentFile(), m_prog + u("sound/drum2.wav"));
        click(group(f, "rollMusicGroup"), 1); // already selected: nothing
        QCOMPARE(preview->runCount(), 1);
        click(group(f, "rollMusicGroup"), 12); // None: the preview goes on
        QCOMPARE(preview->runCount(), 1);
        QCOMPARE(preview->currentFile(), m_prog + u("sound/drum2.wav"));
        click(group(f, "rollMusicGroup"), 11); // user-defined, empty edit
        QCOMPARE(preview->runCount(), 1);
        click(group(f, "winMusicGroup"), 24); // None
        QCOMPARE(preview->runCount(), 1);
        click(group(f, "winMusicGroup"), 5);
        QCOMPARE(preview->runCount(), 2);
        QCOMPARE(preview->currentFile(), m_prog + u("sound/win3.wav"));
        click(group(f, "winMusicGroup"), 8); // F1.mp3 is not there
        QCOMPARE(preview->runCount(), 2);

        edit(f, "winMusicFileEdit")->setText(m_prog + u("user/mine.wav"));
        click(group(f, "winMusicGroup"), 23);
        QCOMPARE(preview->runCount(), 3);
        QCOMPARE(preview->currentFile(), m_prog + u("user/mine.wav"));

        // The play buttons preview the edits whatever is selected.
        edit(f, "rollMusicFileEdit")->setText(m_prog + u("user/other.wav"));
        tool(f, "playRollMusicButton")->click();
        QCOMPARE(preview->currentFile(), m_prog + u("user/other.wav"));
        QCOMPARE(preview->runCount(), 4);
        edit(f, "winMusicFileEdit")->setText(u("   "));
        tool(f, "playWinMusicButton")->click();
        QCOMPARE(preview->runCount(), 4);
        edit(f, "winMusicFileEdit")->setText(m_prog + u("user/missing.wav"));
        tool(f, "playWinMusicButton")->click();
        QCOMPARE(preview->runCount(), 4);
        edit(f, "winMusicFileEdit")->setText(m_prog + u("user"));
        tool(f, "playWinMusicButton")->click(); // a folder is not a sound file
        QCOMPARE(preview->runCount(), 4);
        QVERIFY(m_prompts->messages.isEmpty());

        // Closing silences the preview.
        QVERIFY(preview->isPlaying());
        button(f, "cancelButton")->click();
        flushDeletes();
        QVERIFY(!f);
    }

    void chooseSoundFiles() {
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        for (const QString& a : QStringList{m_prog + u("user/mine.wav"), QString(),
                                            m_prog + u("user/other.wav"), u("/pics/p.jpg")})
            m_prompts->fileAnswers.enqueue(a);
        tool(f, "chooseRollMusicButton")->click();
        QCOMPARE(edit(f, "rollMusicFileEdit")->text(), m_prog + u("user/mine.wav"));
        tool(f, "chooseRollMusicButton")->click(); // cancelled: unchanged
        QCOMPARE(edit(f, "rollMusicFileEdit")->text(), m_prog + u("user/mine.wav"));
        tool(f, "chooseWinMusicButton")->click();
        QCOMPARE(edit(f, "winMusicFileEdit")->text(), m_prog + u("user/other.wav"));
        tool(f, "chooseBackgroundButton")->click();
        QCOMPARE(edit(f, "backgroundFileEdit")->text(), u("/pics/p.jpg"));
        QCOMPARE(group(f, "backgroundGroup")->index(), 0); // not switched to user-defined
        QCOMPARE(group(f, "rollMusicGroup")->index(), 0);
        QCOMPARE(player(f)->runCount(), 0); // choosing does not play
        finish(f);
    }

    // ------------------------------------------------------------ Apply/Cancel --

    void applyOnMissingFile() {
        QPointer<OptionsDialog> f = open(QByteArray());
        edit(f, "titleEdit")->setText(u("Gala 2025"));
        edit(f, "photoFolderEdit")->setText(u("./photos"));
        group(f, "modeGroup")->setIndex(1);
        group(f, "skinGroup")->setIndex(2);
        group(f, "rollMusicGroup")->setIndex(12);
        group(f, "winMusicGroup")->setIndex(5);
        group(f, "backgroundGroup")->setIndex(0);
        box(f, "stretchPhotosBox")->setChecked(true);
        box(f, "showWinnerBox")->setChecked(false);
        // The main window reads the settings again when told they were applied.
        AppliedSettings applied;
        connect(f, &OptionsDialog::settingsApplied, this, [&] {
            const ProgramSettings settings = ProgramSettings::read();
            ++applied.count;
            applied.stretch = settings.photoStretch();
            applied.showWinner = settings.showWinner();
            applied.skinFile = ProgramSettings::skinFile(settings.skin());
        });
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(!f); // closed and freed
        QCOMPARE(applied.count, 1);
        QCOMPARE(applied.stretch, true);
        QCOMPARE(applied.showWinner, false);
        QCOMPARE(applied.skinFile, m_prog + u("skins/Clouds/skin.ini"));

        IniFile file(ini());
        QCOMPARE(file.ReadSection(u("prize")), kKeyOrder);
        auto val = [&](const char* key) { return file.ReadString(u("prize"), u(key), u("?")); };
        QCOMPARE(val("caption"), u("Gala 2025"));
        QCOMPARE(val("background"), m_prog + u("background/tiger.jpg"));
        QCOMPARE(val("PhotoPath"), u("./photos"));
        QCOMPARE(val("Skin"), u("2"));
        QCOMPARE(val("Mode"), u("1"));
        QCOMPARE(val("BackGroundSound1"), QString());
        QCOMPARE(val("BackGroundSound2"), m_prog + u("sound/win3.wav"));
        QCOMPARE(val("bgs1"), u("12"));
        QCOMPARE(val("bgs2"), u("5"));
        QCOMPARE(val("bg"), u("0"));
        QCOMPARE(val("FontColor"), u("0"));
        QCOMPARE(val("FontSize"), QString::number(QApplication::font().pointSize()));
        QCOMPARE(val("PhotoFullScreen"), u("1"));
        QCOMPARE(val("ShowWinner"), u("0"));
        // The program-wide values are the main window's to change.
        QVERIFY(SkinData::activeFile().isEmpty());
        QVERIFY(m_prompts->messages.isEmpty());
    }

    void applyWritesWhatItReadsBack() {
        const QByteArray content =
            "; kept\n[prize]\ncaption=Old\nbgs1=11\nbgs2=23\nbg=15\nbackground=/pics/a.jpg\n"
            "BackGroundSound1=/m/r.wav\nBackGroundSound2=/m/w.wav\nSkin=1\nmode=0\n"
            "PhotoPath=/srv/photos\nFontName=DejaVu Serif\nFontSize=72\nFontColor=16711680\n"
            "PhotoFullScreen=0\nShowWinner=1\n";
        QPointer<OptionsDialog> f = open(content);
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(!f);
        IniFile file(ini());
        auto val = [&](const char* key) { return file.ReadString(u("prize"), u(key), u("?")); };
        QCOMPARE(val("background"), u("/pics/a.jpg"));
        QCOMPARE(val("BackGroundSound1"), u("/m/r.wav"));
        QCOMPARE(val("BackGroundSound2"), u("/m/w.wav"));
        QCOMPARE(val("FontName"), u("DejaVu Serif"));
        QCOMPARE(val("FontSize"), u("72"));
        QCOMPARE(val("FontColor"), u("16711680"));
        QCOMPARE(val("mode"), u("0")); // updated where it stood
        QCOMPARE(val("PhotoFullScreen"), u("0"));
        QCOMPARE(val("ShowWinner"), u("1"));
        QVERIFY(readFile(ini()).startsWith("; kept\n[prize]\ncaption=Old\nbgs1=11\n"));
    }

    void applyUserDefinedBackgroundEmpty() {
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=15\nbackground=\n");
        QVERIFY(edit(f, "backgroundFileEdit")->text().isEmpty());
        button(f, "applyButton")->click();
        flushDeletes();
        QCOMPARE(IniFile(ini()).ReadString(u("prize"), u("background"), u("?")), QString());
    }

    void cancelWritesNothing() {
        const QByteArray content = "[prize]\ncaption=Party\nbgs1=0\nbgs2=0\nbg=0\n";
        QPointer<OptionsDialog> f = open(content);
        QSignalSpy applied(f.data(), &OptionsDialog::settingsApplied);
        edit(f, "titleEdit")->setText(u("Changed"));
        group(f, "skinGroup")->setIndex(2);
        box(f, "showWinnerBox")->setChecked(false);
        button(f, "cancelButton")->click();
        flushDeletes();
        QVERIFY(!f);
        QCOMPARE(applied.count(), 0);
        QCOMPARE(readFile(ini()), content);
        QVERIFY(SkinData::activeFile().isEmpty());
    }

    void applyOnReadOnlyFileKeepsTheDialogOpen() {
        const QByteArray content = "[prize]\ncaption=Party\nbgs1=0\nbgs2=0\nbg=0\n";
        QPointer<OptionsDialog> f = open(content);
        QVERIFY(QFile::setPermissions(ini(), QFile::ReadOwner));
        QSignalSpy applied(f.data(), &OptionsDialog::settingsApplied);
        QCOMPARE(skinData(f)->skinName(), u("Orange"));
        group(f, "skinGroup")->setIndex(2);
        f->show();
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY2(m_prompts->messages[0].contains(ini()), qPrintable(m_prompts->messages[0]));
        QCOMPARE(readFile(ini()), content);
        // Nothing after the write happened: no news of new settings, no skin change.
        QCOMPARE(applied.count(), 0);
        QCOMPARE(skinData(f)->skinName(), u("Orange"));
        QVERIFY(SkinData::activeFile().isEmpty());
        QFile::setPermissions(ini(), QFile::ReadOwner | QFile::WriteOwner);
        finish(f);
    }

    void fontChoiceRoundTrip() {
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        FontChoice choice;
        choice.font = QFont(u("DejaVu Serif"), 48);
        choice.font.setBold(true);
        choice.colour = QColor(0, 0, 255);
        m_prompts->fontAnswers.enqueue(choice);
        button(f, "chooseFontButton")->click();
        QVERIFY(fontPage(f)->sampleFont().bold());
        QCOMPARE(fontPage(f)->sampleFont().family(), u("DejaVu Serif"));
        QVERIFY(fontSample(f)->styleSheet().contains(u("font-weight: bold")));
        QVERIFY(fontSample(f)->styleSheet().contains(u("#0000ff")));
        button(f, "chooseFontButton")->click(); // cancelled: nothing changes
        QCOMPARE(fontPage(f)->sampleFont().pointSize(), 48);
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(!f);

        QPointer<OptionsDialog> again = new OptionsDialog(m_main);
        const QFont font = fontPage(again)->sampleFont();
        QCOMPARE(font.family(), u("DejaVu Serif"));
        QCOMPARE(font.pointSize(), 48);
        QVERIFY(!font.bold()); // the style is not saved
        QCOMPARE(fontPage(again)->fontDialogChoice().colour, QColor(0, 0, 255));
        QCOMPARE(IniFile(ini()).ReadString(u("prize"), u("FontColor"), u("?")), u("16711680"));
        finish(again);
    }

    // ------------------------------------------------------------ photo folder --

    void photoFolder_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("trigger"); // 0 tab shown, 1 edit left, 2 folder button cancelled
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("root"); // relative to the temporary root

        QTest::newRow("./photos") << u("./photos") << 0 << QString() << u("prog/photos");
        QTest::newRow(".\\photos from Windows")
            << u(".\\photos") << 1 << QString() << u("prog/photos");
        QTest::newRow("a single dot") << u(".") << 0 << QString() << u("prog");
        QTest::newRow("../photos is beside the program folder")
            << u("../photos") << 0 << QString() << u("photos");
        QTest::newRow("plain relative") << u("photos") << 1 << QString() << u("prog/photos");
        QTest::newRow("absolute") << u("<root>/photos") << 0 << QString() << u("photos");
        QTest::newRow("None on showing the tab")
            << u("None") << 0 << u("folder not exists!") << QString();
        QTest::newRow("missing on leaving the edit")
            << u("/no/such/folder") << 1 << u("photo folder not exists!") << QString();
        QTest::newRow("empty, folder dialog cancelled")
            << QString() << 2 << u("Please choose photo folder!") << QString();
        QTest::newRow("a file is not a folder")
            << u("./photos/notes.txt") << 0 << u("folder not exists!") << QString();
    }
    void photoFolder() {
        QFETCH(QString, text);
        QFETCH(int, trigger);
        QFETCH(QString, message);
        QFETCH(QString, root);
        text.replace(u("<root>"), m_root.path());
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\nPhotoPath=.\n");
        if (trigger == 1) {
            // Only an edit in view can be left: the page lists the program folder first.
            f->show();
            tabs(f)->setCurrentIndex(1);
            QVERIFY(m_prompts->messages.isEmpty());
            QCOMPARE(QDir(photoFiles(f)->rootPath()).canonicalPath(), QDir(m_prog).canonicalPath());
        }
        const QString before = photoFiles(f)->rootPath();
        edit(f, "photoFolderEdit")->setText(text);
        switch (trigger) {
        case 0:
            tabs(f)->setCurrentIndex(1);
            break;
        case 1:
            leavePhotoFolderEdit(f);
            break;
        case 2:
            tool(f, "choosePhotoFolderButton")->click();
            break;
        }
        QCOMPARE(m_prompts->messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(edit(f, "photoFolderEdit")->text(), text); // never rewritten
        if (root.isEmpty())
            QCOMPARE(photoFiles(f)->rootPath(), before);
        else
            QCOMPARE(QDir(photoFiles(f)->rootPath()).canonicalPath(),
                     QDir(m_root.filePath(root)).canonicalPath());
        finish(f);
    }

    void photoFolderButtonAndList() {
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\nPhotoPath=None\n");
        m_prompts->folderAnswers.enqueue(m_prog + u("photos"));
        tool(f, "choosePhotoFolderButton")->click();
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(edit(f, "photoFolderEdit")->text(), m_prog + u("photos"));
        // Only the JPEG files are listed.
        const QModelIndex rootIndex = photoList(f)->rootIndex();
        QTRY_COMPARE(photoFiles(f)->rowCount(rootIndex), 1);
        QCOMPARE(photoFiles(f)->index(0, 0, rootIndex).data().toString(), u("Ann Lee.jpg"));
        // A failed check afterwards keeps the list on the last good folder.
        f->show();
        tabs(f)->setCurrentIndex(1);
        QVERIFY(m_prompts->messages.isEmpty());
        edit(f, "photoFolderEdit")->setText(u("/no/such"));
        leavePhotoFolderEdit(f);
        QCOMPARE(m_prompts->messages, QStringList{u("photo folder not exists!")});
        QCOMPARE(photoFiles(f)->rootPath(), m_prog + u("photos"));
        finish(f);
    }

    void leavingTheEditChecksAndRefocuses() {
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\nPhotoPath=./photos\n");
        f->show();
        tabs(f)->setCurrentIndex(1);
        QVERIFY(QTest::qWaitForWindowExposed(f));
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        m_prompts->clear();
        edit(f, "photoFolderEdit")->setFocus();
        QTRY_VERIFY(edit(f, "photoFolderEdit")->hasFocus());
        edit(f, "photoFolderEdit")->setText(u("./nothing"));
        box(f, "stretchPhotosBox")->setFocus(Qt::TabFocusReason);
        QCOMPARE(m_prompts->messages, QStringList{u("photo folder not exists!")});
        QTRY_VERIFY(edit(f, "photoFolderEdit")->hasFocus());
        // Apply and Cancel take no focus, so they still work from here.
        QCOMPARE(button(f, "applyButton")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button(f, "cancelButton")->focusPolicy(), Qt::NoFocus);
        button(f, "cancelButton")->click();
        flushDeletes();
        QVERIFY(!f);
    }

    // ------------------------------------------------------------ word tools --

    void generate_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("expected"); // null: refused
        QTest::addColumn<int>("count");
        QTest::newRow("A8 to A11")
            << u("A") << 8 << 11 << QStringList{u("A8"), u("A9"), u("A10"), u("A11")} << 4;
        QTest::newRow("no prefix")
            << QString() << 1 << 3 << QStringList{u("1"), u("2"), u("3")} << 3;
        QTest::newRow("negative numbers")
            << u("N") << -2 << 0 << QStringList{u("N-2"), u("N-1"), u("N0")} << 3;
        QTest::newRow("quote in prefix") << u("O'") << 1 << 1 << QStringList{u("O'1")} << 1;
        QTest::newRow("5 to 3 inserts nothing") << u("A") << 5 << 3 << QStringList{} << 0;
        QTest::newRow("1 to 10001 is accepted") << u("T") << 1 << 10001 << QStringList{} << 10001;
        QTest::newRow("0 to 10001 is refused") << u("T") << 0 << 10001 << QStringList() << -1;
        QTest::newRow("whole int range is refused")
            << u("T") << std::numeric_limits<int>::min() << std::numeric_limits<int>::max()
            << QStringList() << -1;
    }
    void generate() {
        QFETCH(QString, prefix);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, expected);
        QFETCH(int, count);
        clearWords();
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        edit(f, "prefixEdit")->setText(prefix);
        spin(f, "firstNumberBox")->setValue(from);
        spin(f, "lastNumberBox")->setValue(to);
        button(f, "generateButton")->click();
        const QStringList got = words();
        if (count < 0) {
            QCOMPARE(m_prompts->messages, QStringList{u("CAN NOT > 10000!")});
            QVERIFY(got.isEmpty());
        } else {
            QCOMPARE(m_prompts->messages, QStringList{u("SUCCESS!")});
            QCOMPARE(got.size(), count);
            if (count <= 10)
                QCOMPARE(got, expected);
            else
                QCOMPARE(got.back(), prefix + QString::number(to));
        }
        QVERIFY(!QApplication::overrideCursor());
        finish(f);
    }

    void generateTwiceDuplicatesAndRefreshesTheGrid() {
        clearWords();
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        tabs(f)->setCurrentIndex(2);
        QVERIFY(wordPage(f)->tableOpen());
        QCOMPARE(model(f, "candidateModel")->rowCount(), 0);
        spin(f, "firstNumberBox")->setValue(1);
        spin(f, "lastNumberBox")->setValue(2);
        button(f, "generateButton")->click();
        button(f, "generateButton")->click();
        QCOMPARE(words(), (QStringList{u("1"), u("2"), u("1"), u("2")}));
        QCOMPARE(model(f, "candidateModel")->rowCount(), 4);
        finish(f);
    }

    void empty() {
        clearWords();
        QSqlQuery q(Db());
        q.exec(u("insert into wz(wz,prize) values('Winner','First Prize')"));
        q.exec(u("insert into wz(wz) values('Waiting')"));
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        tabs(f)->setCurrentIndex(2);
        m_prompts->confirmAnswers.enqueue(false);
        button(f, "emptyButton")->click();
        QCOMPARE(words().size(), 2);
        QVERIFY(m_prompts->messages.isEmpty());
        m_prompts->confirmAnswers.enqueue(true);
        button(f, "emptyButton")->click();
        QVERIFY(words().isEmpty()); // past winners go too
        QCOMPARE(model(f, "candidateModel")->rowCount(), 0);
        QCOMPARE(m_prompts->messages, QStringList{u("finished!")});
        finish(f);
    }

    void load_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: an xlsx made here
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("text file")
            << u("list.txt") << QByteArray("Ann\r\n\r\nBob  \r\n")
            << QStringList{u("Ann"), u("Bob  ")} << QStringList{u("Success!")};
        QTest::newRow("csv with 姓名")
            << u("list.csv") << u("工号,姓名\n1,张三\n2,\"Lee, Ann\"\n").toUtf8()
            << QStringList{u("张三"), u("Lee, Ann")} << QStringList{u("Success!")};
        QTest::newRow("xlsx") << u("list.xlsx") << QByteArray() << QStringList{u("Ann"), u("王芳")}
                              << QStringList{u("Success!")};
        QTest::newRow("no such file")
            << u("") << QByteArray() << QStringList() << QStringList{u("File not found!")};
        QTest::newRow("damaged xlsx") << u("bad.xlsx") << QByteArray("PK\x03\x04junk")
                                      << QStringList() << QStringList{u("<error>")};
    }
    void load() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, messages);
        clearWords();
        QTemporaryDir dir;
        const QString path = name.isEmpty() ? dir.filePath(u("missing.txt")) : dir.filePath(name);
        if (!bytes.isNull()) {
            writeFile(path, bytes);
        } else if (name.endsWith(u(".xlsx"))) {
            lxw_workbook* wb = workbook_new(QFile::encodeName(path).constData());
            lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
            worksheet_write_string(ws, 0, 0, "Ann", nullptr);
            worksheet_write_string(ws, 1, 0, "王芳", nullptr);
            QCOMPARE(workbook_close(wb), LXW_NO_ERROR);
        }
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        tabs(f)->setCurrentIndex(2);
        edit(f, "candidateFileEdit")->setText(path);
        button(f, "loadButton")->click();
        QCOMPARE(words(), expected);
        QCOMPARE(model(f, "candidateModel")->rowCount(), int(expected.size()));
        if (messages == QStringList{u("<error>")}) {
            QCOMPARE(m_prompts->messages.size(), 1);
            QVERIFY2(m_prompts->messages[0].contains(path), qPrintable(m_prompts->messages[0]));
        } else {
            QCOMPARE(m_prompts->messages, messages);
        }
        QVERIFY(!QApplication::overrideCursor());
        finish(f);
    }

    void loadCancelKeepsWhatWentIn() {
        clearWords();
        QTemporaryDir dir;
        QByteArray text;
        for (int i = 0; i < 3000; ++i)
            text += "Guest " + QByteArray::number(i) + "\n";
        writeFile(dir.filePath(u("long.txt")), text);
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        wordPage(f)->setProgressDelay(0);
        f->show();
        edit(f, "candidateFileEdit")->setText(dir.filePath(u("long.txt")));
        // The progress window appears at once; cancel it from the event loop it runs.
        QTimer cancel;
        cancel.setInterval(1);
        connect(&cancel, &QTimer::timeout, this, [&] {
            if (auto* p = f->findChild<QProgressDialog*>(); p && p->isVisible() && p->value() > 0)
                p->cancel();
        });
        cancel.start();
        button(f, "loadButton")->click();
        cancel.stop();
        const int n = int(words().size());
        QVERIFY2(n > 0 && n < 3000, qPrintable(QString::number(n)));
        QCOMPARE(m_prompts->messages,
                 QStringList{QStringLiteral("Cancelled: %1 rows were added.").arg(n)});
        QCOMPARE(words().back(), QStringLiteral("Guest %1").arg(n - 1));
        finish(f);
    }

    void chooseTheTextFile() {
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        m_prompts->fileAnswers.enqueue(u("/data/guests.csv"));
        tool(f, "chooseCandidateFileButton")->click();
        QCOMPARE(edit(f, "candidateFileEdit")->text(), u("/data/guests.csv"));
        QVERIFY(m_prompts->lastFilter.isEmpty() || m_prompts->lastFilter.contains(u("*.txt")));
        finish(f);
    }

    // ------------------------------------------------------------ grids --

    void wordTableFollowsItsTab() {
        clearWords();
        QSqlQuery(Db()).exec(u("insert into wz(wz) values('Ann')"));
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        QVERIFY(!wordPage(f)->tableOpen());
        tabs(f)->setCurrentIndex(2);
        QVERIFY(wordPage(f)->tableOpen());
        QCOMPARE(model(f, "candidateModel")->rowCount(), 1);
        QVERIFY(table(f, "candidateTable")
                    ->isColumnHidden(model(f, "candidateModel")->fieldIndex(u("id"))));
        QVERIFY(table(f, "candidateTable")
                    ->isColumnHidden(model(f, "candidateModel")->fieldIndex(u("prize"))));
        QCOMPARE(model(f, "candidateModel")
                     ->headerData(model(f, "candidateModel")->fieldIndex(u("wz")), Qt::Horizontal)
                     .toString(),
                 u("NAME"));
        // An edit in progress is dropped when the tab is left.
        QVERIFY(model(f, "candidateModel")
                    ->setData(model(f, "candidateModel")->index(0, 1), u("Changed")));
        tabs(f)->setCurrentIndex(3);
        QVERIFY(!wordPage(f)->tableOpen());
        QCOMPARE(words(), QStringList{u("Ann")});
        // Apply on the tab posts what the open cell editor holds.
        tabs(f)->setCurrentIndex(2);
        f->show();
        const QModelIndex cell =
            model(f, "candidateModel")->index(0, model(f, "candidateModel")->fieldIndex(u("wz")));
        table(f, "candidateTable")->setCurrentIndex(cell);
        table(f, "candidateTable")->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(table(f, "candidateTable")->indexWidget(cell));
        QVERIFY(editor);
        editor->setText(u("Ann Lee"));
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(!f);
        QCOMPARE(words(), QStringList{u("Ann Lee")});
    }

    void classTablePostsOnApplyOnly() {
        const QStringList before = classes();
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        QVERIFY(classPage(f)->tableOpen());
        QCOMPARE(model(f, "classModel")->headerData(0, Qt::Horizontal).toString(), u("CLASS NAME"));
        const int row = model(f, "classModel")->rowCount();
        QVERIFY(model(f, "classModel")->insertRow(row));
        QVERIFY(model(f, "classModel")
                    ->setData(model(f, "classModel")->index(row, 0), u("Special Prize")));
        button(f, "cancelButton")->click(); // Cancel posts nothing
        flushDeletes();
        QCOMPARE(classes(), before);

        f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        QVERIFY(model(f, "classModel")->insertRow(row));
        QVERIFY(model(f, "classModel")
                    ->setData(model(f, "classModel")->index(row, 0), u("Special Prize")));
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(!f);
        QCOMPARE(classes(), before + QStringList{u("Special Prize")});
        QSqlQuery(Db()).exec(u("delete from jxmc where name='Special Prize'"));
    }

    void navigators() {
        clearWords();
        QSqlQuery(Db()).exec(u("insert into wz(wz) values('Ann'),('Bob')"));
        const QStringList before = classes();
        QPointer<OptionsDialog> f = open("[prize]\nbgs1=0\nbgs2=0\nbg=0\n");
        QCOMPARE(navigator(f, "classNavigator")->visibleButtons(), TableNavigator::AllButtons);
        QCOMPARE(navigator(f, "candidateNavigator")->visibleButtons(), TableNavigator::AllButtons);
        QVERIFY(!navigator(f, "classNavigator")->deleteConfirmation().isEmpty());
        QVERIFY(!navigator(f, "candidateNavigator")->deleteConfirmation().isEmpty());
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));

        // Prize classes: insert and post go to the table at once.
        tabs(f)->setCurrentIndex(4);
        navigator(f, "classNavigator")->click(TableNavigator::Insert);
        const int row = navigator(f, "classNavigator")->currentRow();
        QVERIFY(row >= 0);
        if (auto* editor = qobject_cast<QLineEdit*>(
                table(f, "classTable")->indexWidget(table(f, "classTable")->currentIndex())))
            editor->setText(u("Lucky Star"));
        else
            QVERIFY(model(f, "classModel")
                        ->setData(model(f, "classModel")->index(row, 0), u("Lucky Star")));
        navigator(f, "classNavigator")->click(TableNavigator::Post);
        QVERIFY(classes().contains(u("Lucky Star")));
        QCOMPARE(classes().size(), before.size() + 1);

        // Candidates: a delete asks first.
        tabs(f)->setCurrentIndex(2);
        table(f, "candidateTable")
            ->setCurrentIndex(model(f, "candidateModel")
                                  ->index(0, model(f, "candidateModel")->fieldIndex(u("wz"))));
        m_prompts->confirmAnswers.enqueue(false);
        navigator(f, "candidateNavigator")->click(TableNavigator::Delete);
        QCOMPARE(words(), (QStringList{u("Ann"), u("Bob")}));
        m_prompts->confirmAnswers.enqueue(true);
        navigator(f, "candidateNavigator")->click(TableNavigator::Delete);
        QCOMPARE(words(), QStringList{u("Bob")});
        QCOMPARE(m_prompts->questions.size(), 2);
        finish(f);
        QSqlQuery(Db()).exec(u("delete from jxmc where name='Lucky Star'"));
    }

    // ----------------------------------------------------- audience screen --

    void audienceScreenOnOneScreen_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("choose");      // -1: left as opened
        QTest::addColumn<QString>("written"); // null: no key in the file
        const QByteArray unplugged =
            "[prize]\ncaption=Party\nbgs1=0\nbgs2=0\nbg=0\nAudienceScreen=HDMI-1\n";
        QTest::newRow("one screen offers the main window only")
            << QByteArray("[prize]\ncaption=Party\nbgs1=0\nbgs2=0\nbg=0\n")
            << QStringList{u("Main window")} << -1 << QString();
        QTest::newRow("an unplugged projector is kept")
            << unplugged << QStringList{u("Main window"), u("HDMI-1 (not connected)")} << -1
            << u("HDMI-1");
        QTest::newRow("the main window chosen clears it")
            << unplugged << QStringList{u("Main window"), u("HDMI-1 (not connected)")} << 0
            << u("");
    }
    void audienceScreenOnOneScreen() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, items);
        QFETCH(int, choose);
        QFETCH(QString, written);
        QCOMPARE(QGuiApplication::screens().size(), 1);
        QPointer<OptionsDialog> f = open(content);
        auto* box = f->findChild<QComboBox*>(u("audienceScreenBox"));
        QVERIFY(box);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        QCOMPARE(shown, items);
        // What the file says is what the box shows.
        QCOMPARE(box->currentIndex(), items.size() - 1);
        if (choose >= 0)
            box->setCurrentIndex(choose);
        button(f, "applyButton")->click();
        flushDeletes();
        QVERIFY(!f);
        IniFile file(ini());
        QStringList keys = file.ReadSection(u("prize"));
        if (written.isNull()) {
            // Nothing changes for an event on one screen: no key but the fifteen.
            QVERIFY(!file.ValueExists(u("prize"), u("AudienceScreen")));
        } else {
            QCOMPARE(file.ReadString(u("prize"), u("AudienceScreen"), u("?")), written);
            QCOMPARE(keys.removeAll(u("AudienceScreen")), 1);
        }
        QStringList expected = kKeyOrder;
        expected.sort();
        keys.sort();
        QCOMPARE(keys, expected);
        QVERIFY(m_prompts->messages.isEmpty());
    }

    // A screen the setting names that is not there leaves the show at home.
    void audienceScreenOnOneScreenLeavesTheShowInTheMainWindow() {
        setIni("[prize]\ncaption=Party\nAudienceScreen=HDMI-1\n");
        m_prompts->clear();
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* display = w.findChild<QWidget*>(u("display"));
        auto* audience = w.findChild<QWidget*>(u("audienceWindow"));
        QVERIFY(display && audience);
        QCOMPARE(display->window(), &w);
        QVERIFY(display->isVisible());
        QVERIFY(!audience->isVisible());
        w.reloadSettings();
        QCOMPARE(display->window(), &w);
        QVERIFY(!audience->isVisible());
        QVERIFY(m_prompts->messages.isEmpty());
    }

    // ------------------------------------------------------------ looks --

    void screenshots() {
        clearWords();
        QSqlQuery(Db()).exec(u("insert into wz(wz) values('Ann Lee'),('张三'),('Bob')"));
        QPointer<OptionsDialog> f = open("[prize]\ncaption=Gala\nbgs1=0\nbgs2=0\nbg=3\nSkin=0\n"
                                         "PhotoPath=./photos\nFontName=DejaVu Sans\nFontSize=40\n"
                                         "FontColor=255\n");
        QCOMPARE(skinData(f)->skinName(), u("Orange")); // Skin=0 in the program folder
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        const QString dir = QDir::temp().filePath(u("kalvoro_options_shots"));
        QDir().mkpath(dir);
        for (int i = 0; i < tabs(f)->count(); ++i) {
            tabs(f)->setCurrentIndex(i);
            QTest::qWait(50);
            const QImage shot = f->grab().toImage();
            QCOMPARE(shot.size(), f->size());
            QVERIFY(shot.save(QDir(dir).filePath(QStringLiteral("tab%1.png").arg(i + 1))));
        }
        QVERIFY(m_prompts->messages.isEmpty());
        finish(f);
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
