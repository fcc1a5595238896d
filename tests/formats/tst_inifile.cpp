// The profile-file rules prize.ini relies on, as tables of file contents,
// operations and the expected values or file contents.
#include "formats/Errors.h"
#include "formats/IniFile.h"
#include "formats/TextDecoding.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {
QByteArray gb18030(const QString& text) {
    QStringEncoder enc("GB18030");
    return enc.encode(text);
}
QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}
} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name = QStringLiteral("prize.ini")) const {
        return m_dir.filePath(name);
    }
    void writeBytes(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readBytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private slots:
    void init() {
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path());
    }

    void decoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ascii") << QByteArray("abc") << u("abc");
        QTest::newRow("utf8") << QByteArray("\xE5\xB9\xB4\xE4\xBC\x9A") << u("年会");
        QTest::newRow("utf8 bom dropped") << QByteArray("\xEF\xBB\xBFx") << u("x");
        QTest::newRow("gb18030") << gb18030(u("年会抽奖 张三")) << u("年会抽奖 张三");
        QTest::newRow("gb18030 four-byte") << gb18030(u("𠀀")) << u("𠀀");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void decoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(DecodeLegacyText(bytes), expected);
    }
    void gb18030CodecAvailable() {
        // The fallback depends on Qt's ICU codecs; without them old files read wrong.
        QVERIFY(QStringDecoder("GB18030").isValid());
        QVERIFY(!IsValidUtf8(gb18030(u("张三"))));
    }

    void read_data() {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("def");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("exists");

        const QString none = u("None");
        QTest::newRow("missing file")
            << QByteArray() << u("prize") << u("caption") << none << none << false;
        QTest::newRow("plain") << QByteArray("[prize]\ncaption=Party\n") << u("prize")
                               << u("caption") << none << u("Party") << true;
        QTest::newRow("empty is not absent") << QByteArray("[prize]\ncaption=\n") << u("prize")
                                             << u("caption") << none << QString() << true;
        QTest::newRow("absent key gives default")
            << QByteArray("[prize]\ncaption=x\n") << u("prize") << u("PhotoPath") << none << none
            << false;
        QTest::newRow("Mode written, mode read")
            << QByteArray("[prize]\nMode=1\n") << u("prize") << u("mode") << none << u("1") << true;
        QTest::newRow("section case")
            << QByteArray("[PRIZE]\nskin=2\n") << u("prize") << u("Skin") << none << u("2") << true;
        QTest::newRow("blanks around =")
            << QByteArray("[prize]\n  caption  =  Big Party  \n") << u("prize") << u("caption")
            << none << u("Big Party") << true;
        QTest::newRow("blanks in header") << QByteArray(" [ prize ] \ncaption=x\n") << u("prize")
                                          << u("caption") << none << u("x") << true;
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF[prize]\ncaption=x\n") << u("prize")
                                  << u("caption") << none << u("x") << true;
        QTest::newRow("crlf") << QByteArray("[prize]\r\ncaption=Party\r\nbg=3\r\n") << u("prize")
                              << u("caption") << none << u("Party") << true;
        QTest::newRow("gb18030 file")
            << QByteArray("[prize]\ncaption=") + gb18030(u("年会抽奖")) + QByteArray("\n")
            << u("prize") << u("caption") << none << u("年会抽奖") << true;
        QTest::newRow("utf8 chinese") << QByteArray("[prize]\nFontName=\xE5\xAE\x8B\xE4\xBD\x93\n")
                                      << u("prize") << u("FontName") << none << u("宋体") << true;
        QTest::newRow("comments skipped")
            << QByteArray(";caption=a\n[prize]\n;caption=b\n# caption=c\ncaption=d\n") << u("prize")
            << u("caption") << none << u("d") << true;
        QTest::newRow("key of another section")
            << QByteArray("[other]\ncaption=a\n[prize]\nbg=1\n") << u("prize") << u("caption")
            << none << none << false;
        QTest::newRow("key before any section") << QByteArray("caption=a\n[prize]\n") << u("prize")
                                                << u("caption") << none << none << false;
        QTest::newRow("first of repeated keys") << QByteArray("[prize]\nbg=1\nBG=2\n") << u("prize")
                                                << u("bg") << none << u("1") << true;
        QTest::newRow("quotes dropped") << QByteArray("[prize]\ncaption=\" a \"\n") << u("prize")
                                        << u("caption") << none << u(" a ") << true;
        QTest::newRow("unmatched quote kept") << QByteArray("[prize]\ncaption=\"a\n") << u("prize")
                                              << u("caption") << none << u("\"a") << true;
        QTest::newRow("equals in value") << QByteArray("[prize]\ncaption=a=b\n") << u("prize")
                                         << u("caption") << none << u("a=b") << true;
        QTest::newRow("no final line end")
            << QByteArray("[prize]\nbg=15") << u("prize") << u("bg") << none << u("15") << true;
        QTest::newRow("value of 3000 characters")
            << QByteArray("[prize]\ncaption=") + QByteArray(3000, 'x') + QByteArray("\n")
            << u("prize") << u("caption") << none << QString(2047, QLatin1Char('x')) << true;
    }
    void read() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, def);
        QFETCH(QString, expected);
        QFETCH(bool, exists);
        if (!content.isNull())
            writeBytes(path(), content);
        IniFile ini(path());
        QCOMPARE(ini.ReadString(section, key, def), expected);
        QCOMPARE(ini.ValueExists(section, key), exists);
    }

    void truncationKeepsWholeCharacters() {
        // 2046 letters and then a character outside the basic plane.
        writeBytes(path(), QByteArray("[prize]\ncaption=") + QByteArray(2046, 'a') +
                               u("𠀀𠀀").toUtf8() + QByteArray("\n"));
        const QString v = IniFile(path()).ReadString(u("prize"), u("caption"), QString());
        QCOMPARE(v, QString(2046, QLatin1Char('a')));
    }

    void write_data() {
        QTest::addColumn<QByteArray>("before");  // null: no file
        QTest::addColumn<QStringList>("writes"); // section, key, value, section, key, ...
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("file and section created")
            << QByteArray() << QStringList{u("prize"), u("caption"), u("Party")}
            << QByteArray("[prize]\ncaption=Party\n");
        QTest::newRow("keys in the order of writing")
            << QByteArray()
            << QStringList{u("prize"), u("caption"), u("a"),         u("prize"),    u("background"),
                           u(""),      u("prize"),   u("PhotoPath"), u("./photos"), u("prize"),
                           u("Skin"),  u("1"),       u("prize"),     u("Mode"),     u("0")}
            << QByteArray("[prize]\ncaption=a\nbackground=\nPhotoPath=./photos\nSkin=1\nMode=0\n");
        QTest::newRow("update in place")
            << QByteArray("[prize]\na=1\nb=2\nc=3\n") << QStringList{u("prize"), u("b"), u("9")}
            << QByteArray("[prize]\na=1\nb=9\nc=3\n");
        QTest::newRow("Mode over mode keeps the spelling")
            << QByteArray("[prize]\nmode=0\n") << QStringList{u("prize"), u("Mode"), u("1")}
            << QByteArray("[prize]\nmode=1\n");
        QTest::newRow("blanks around = normalised on the written line")
            << QByteArray("[prize]\n  bg = 3\nx=1\n") << QStringList{u("PRIZE"), u("BG"), u("4")}
            << QByteArray("[prize]\n  bg=4\nx=1\n");
        QTest::newRow("new key at the end of its section")
            << QByteArray("[prize]\na=1\n\n; the next one\n[other]\nx=1\n")
            << QStringList{u("prize"), u("b"), u("2")}
            << QByteArray("[prize]\na=1\nb=2\n\n; the next one\n[other]\nx=1\n");
        QTest::newRow("new key in an empty section")
            << QByteArray("[prize]\n[other]\nx=1\n") << QStringList{u("prize"), u("b"), u("2")}
            << QByteArray("[prize]\nb=2\n[other]\nx=1\n");
        QTest::newRow("new section at the end")
            << QByteArray("; settings\n[other]\nx=1\n") << QStringList{u("prize"), u("a"), u("1")}
            << QByteArray("; settings\n[other]\nx=1\n\n[prize]\na=1\n");
        QTest::newRow("crlf kept")
            << QByteArray("[prize]\r\na=1\r\n\r\n") << QStringList{u("prize"), u("b"), u("2")}
            << QByteArray("[prize]\r\na=1\r\nb=2\r\n\r\n");
        QTest::newRow("comments and blanks kept")
            << QByteArray("# top\n\n[prize]\n; title\ncaption=x\n\n# end\n")
            << QStringList{u("prize"), u("caption"), u("y"), u("prize"), u("bg"), u("1")}
            << QByteArray("# top\n\n[prize]\n; title\ncaption=y\nbg=1\n\n# end\n");
        QTest::newRow("gb18030 file rewritten as utf8")
            << QByteArray("[prize]\ncaption=") + gb18030(u("年会")) + QByteArray("\n")
            << QStringList{u("prize"), u("FontName"), u("宋体")}
            << u("[prize]\ncaption=年会\nFontName=宋体\n").toUtf8();
        QTest::newRow("bom dropped")
            << QByteArray("\xEF\xBB\xBF[prize]\na=1\n") << QStringList{u("prize"), u("a"), u("2")}
            << QByteArray("[prize]\na=2\n");
        QTest::newRow("no final line end")
            << QByteArray("[prize]\na=1") << QStringList{u("prize"), u("b"), u("2")}
            << QByteArray("[prize]\na=1\nb=2\n");
        QTest::newRow("repeated key: the first is updated")
            << QByteArray("[prize]\nbg=1\nbg=2\n") << QStringList{u("prize"), u("bg"), u("5")}
            << QByteArray("[prize]\nbg=5\nbg=2\n");
        QTest::newRow("blanks of a value kept by quoting")
            << QByteArray() << QStringList{u("prize"), u("caption"), u(" a ")}
            << QByteArray("[prize]\ncaption=\" a \"\n");
        QTest::newRow("line break cannot add a key")
            << QByteArray() << QStringList{u("prize"), u("caption"), u("a\nbg=7")}
            << QByteArray("[prize]\ncaption=a bg=7\n");
    }
    void write() {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, writes);
        QFETCH(QByteArray, after);
        if (!before.isNull())
            writeBytes(path(), before);
        for (qsizetype i = 0; i + 2 < writes.size(); i += 3)
            IniFile(path()).WriteString(writes[i], writes[i + 1], writes[i + 2]);
        QCOMPARE(readBytes(path()), after);
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("leading and trailing blanks") << u("  Party  ");
        QTest::newRow("double quoted") << u("\"quoted\"");
        QTest::newRow("single quoted") << u("'x'");
        QTest::newRow("one quote") << u("\"");
        QTest::newRow("semicolon and hash") << u("; not # a comment");
        QTest::newRow("brackets and equals") << u("[prize] a=b");
        QTest::newRow("chinese") << u("年会 抽奖");
        QTest::newRow("path") << u("/home/ann/My Photos/");
    }
    void roundTrip() {
        QFETCH(QString, value);
        IniFile ini(path());
        ini.WriteString(u("prize"), u("caption"), value);
        ini.WriteString(u("prize"), u("bg"), u("1"));
        QCOMPARE(IniFile(path()).ReadString(u("prize"), u("caption"), u("None")), value);
        QCOMPARE(ini.ReadSection(u("prize")), (QStringList{u("caption"), u("bg")}));
    }

    void sections() {
        writeBytes(path(), "[Other]\nx=1\n[prize]\nbg=1\ncaption=\nBG=3\n;c=1\n");
        IniFile ini(path());
        QVERIFY(ini.SectionExists(u("PRIZE")));
        QVERIFY(ini.SectionExists(u("other")));
        QVERIFY(!ini.SectionExists(u("none")));
        QCOMPARE(ini.ReadSection(u("prize")), (QStringList{u("bg"), u("caption")}));
        QCOMPARE(ini.ReadSection(u("none")), QStringList());
    }

    void eachWriteReachesTheFileAtOnce() {
        IniFile writer(path());
        writer.WriteString(u("prize"), u("caption"), u("one"));
        QCOMPARE(readBytes(path()), QByteArray("[prize]\ncaption=one\n"));
        // A change made behind the writer's back is not lost by its next write.
        writeBytes(path(), "[prize]\ncaption=one\nextra=1\n");
        writer.WriteString(u("prize"), u("bg"), u("2"));
        QCOMPARE(readBytes(path()), QByteArray("[prize]\ncaption=one\nextra=1\nbg=2\n"));
        QCOMPARE(writer.ReadString(u("prize"), u("extra"), QString()), u("1"));
    }

    void readOnlyFileRaisesNamingTheFile() {
        const QByteArray content("[prize]\ncaption=keep\n");
        writeBytes(path(), content);
        QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup));
        IniFile ini(path());
        try {
            ini.WriteString(u("prize"), u("caption"), u("new"));
            QFAIL("no error for a read-only file");
        } catch (const SettingsFileError& e) {
            QVERIFY2(e.message().contains(path()), qPrintable(e.message()));
        }
        QCOMPARE(readBytes(path()), content);
        QCOMPARE(ini.ReadString(u("prize"), u("caption"), QString()), u("keep"));
    }

    void unwritablePlaceRaises_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("folder missing") << u("no/such/folder/prize.ini");
        QTest::newRow("a folder by that name") << u("folder.ini");
    }
    void unwritablePlaceRaises() {
        QFETCH(QString, file);
        QDir(m_dir.path()).mkdir(u("folder.ini"));
        const QString full = m_dir.filePath(file);
        QVERIFY_THROWS_EXCEPTION(SettingsFileError,
                                 IniFile(full).WriteString(u("prize"), u("a"), u("1")));
        try {
            IniFile(full).WriteString(u("prize"), u("a"), u("1"));
        } catch (const SettingsFileError& e) {
            QVERIFY(e.message().contains(full));
        }
    }

    void readOnlyFolderRaises() {
        if (geteuid() == 0)
            QSKIP("root may create files in any folder");
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const QString file = dir.filePath(u("prize.ini"));
        QVERIFY_THROWS_EXCEPTION(SettingsFileError,
                                 IniFile(file).WriteString(u("prize"), u("a"), u("1")));
        QVERIFY(!QFile::exists(file));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void invalidNamesRaise_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("empty key") << u("prize") << u(" ");
        QTest::newRow("equals in key") << u("prize") << u("a=b");
        QTest::newRow("line break in key") << u("prize") << u("a\nb");
        QTest::newRow("bracket in section") << u("pri]ze") << u("a");
        QTest::newRow("comment key") << u("prize") << u(";a");
    }
    void invalidNamesRaise() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QVERIFY_THROWS_EXCEPTION(SettingsFileError,
                                 IniFile(path()).WriteString(section, key, u("1")));
        QVERIFY(!QFile::exists(path()));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
