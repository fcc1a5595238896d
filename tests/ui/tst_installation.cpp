// The operator's manual as laid into the program folder, and `cmake --install`
// of this build into a staging folder (DESTDIR): the program folder, the
// launcher and the menu entry it installs.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>

namespace {

QString programDir() {
    return QDir::cleanPath(QStringLiteral(KALVORO_PROGRAM_DIR));
}

// The program folder is build/kalvoro, so the build tree is its parent.
QString buildDir() {
    return QFileInfo(programDir()).absolutePath();
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes,
               QFileDevice::Permissions perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    return f.setPermissions(perms);
}

struct RunResult {
    bool started = false;
    int exitCode = -1;
    QString output;
};

RunResult run(const QString& program, const QStringList& args,
              const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    RunResult r;
    r.started = p.waitForStarted(10000);
    if (!r.started) {
        r.output = p.errorString();
        return r;
    }
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.output = QStringLiteral("timed out: ") + QString::fromLocal8Bit(p.readAll());
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = QString::fromLocal8Bit(p.readAll());
    return r;
}

// What the test needs to know of the manual, read with an XML reader: the page
// is kept well-formed so that this reader takes it whole.
struct HelpPage {
    QString error;
    QString title;
    QString charset;
    QStringList headings;                // <h2> texts, simplified
    QHash<QString, QString> sectionText; // <h2> text -> all text up to the next <h2>
    QStringList ids;
    QStringList refs;          // href and src values
    QStringList activeContent; // scripts, embeds, event handlers, stylesheet links
    QString style;             // <style> contents and style attributes
};

HelpPage parseHelp(const QByteArray& bytes) {
    HelpPage page;
    QXmlStreamReader xml(bytes);
    QString section;
    const QSet<QString> embedding{QStringLiteral("script"), QStringLiteral("iframe"),
                                  QStringLiteral("object"), QStringLiteral("embed"),
                                  QStringLiteral("link"),   QStringLiteral("frame")};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString().toLower();
            for (const QXmlStreamAttribute& a : xml.attributes()) {
                const QString attr = a.name().toString().toLower();
                const QString value = a.value().toString();
                if (attr == QLatin1String("id"))
                    page.ids << value;
                else if (attr == QLatin1String("href") || attr == QLatin1String("src"))
                    page.refs << value;
                else if (attr == QLatin1String("style"))
                    page.style += value + QLatin1Char('\n');
                else if (attr.startsWith(QLatin1String("on")))
                    page.activeContent << name + QLatin1Char(' ') + attr;
                else if (name == QLatin1String("meta") && attr == QLatin1String("charset"))
                    page.charset = value;
            }
            if (embedding.contains(name)) {
                page.activeContent << name;
            } else if (name == QLatin1String("title")) {
                page.title = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (name == QLatin1String("style")) {
                page.style += xml.readElementText();
            } else if (name == QLatin1String("h2")) {
                section = xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
                page.headings << section;
            }
        } else if (xml.isCharacters() && !section.isEmpty()) {
            page.sectionText[section] += xml.text();
        }
    }
    if (xml.hasError())
        page.error = QStringLiteral("line %1, column %2: %3")
                         .arg(xml.lineNumber())
                         .arg(xml.columnNumber())
                         .arg(xml.errorString());
    for (auto it = page.sectionText.begin(); it != page.sectionText.end(); ++it)
        *it = it->simplified();
    return page;
}

// Every file below root, as paths relative to it.
QStringList filesBelow(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext())
        files << base.relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

class TestInstallation : public QObject {
    Q_OBJECT

    HelpPage m_help;
    QString m_cmake;
    // One staging folder per installation prefix, made on first use.
    QHash<QString, std::shared_ptr<QTemporaryDir>> m_stages;
    const QString m_prefix = QStringLiteral("/opt/kalvoro");

    // Runs `cmake --install` of this build with DESTDIR=<stage> and --prefix prefix,
    // and returns the stage, or an empty string with the failure in *why.
    QString stageFor(const QString& prefix, QString* why) {
        if (auto it = m_stages.constFind(prefix); it != m_stages.constEnd())
            return (*it)->path();
        auto stage = std::make_shared<QTemporaryDir>();
        if (!stage->isValid()) {
            *why = QStringLiteral("no temporary folder");
            return {};
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), stage->path());
        const RunResult r =
            run(m_cmake,
                {QStringLiteral("--install"), buildDir(), QStringLiteral("--prefix"), prefix}, env);
        if (!r.started || r.exitCode != 0) {
            *why = QStringLiteral("cmake --install failed (%1):\n%2").arg(r.exitCode).arg(r.output);
            return {};
        }
        m_stages.insert(prefix, stage);
        return stage->path();
    }

    // The menu entries the installation put into the stage.
    static QStringList desktopEntriesIn(const QString& stage) {
        QStringList found;
        QDirIterator it(stage, {QStringLiteral("kalvoro.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }

private slots:
    void initTestCase() {
        const QString help = programDir() + QStringLiteral("/help.html");
        QVERIFY2(QFileInfo::exists(help), qPrintable(help + QStringLiteral(" is missing")));
        m_help = parseHelp(fileBytes(help));
        m_cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        QVERIFY2(!m_cmake.isEmpty(), "cmake is not on the PATH");
        QVERIFY2(QFileInfo(programDir() + QStringLiteral("/kalvoro")).isExecutable(),
                 "the program is not built; build the kalvoro target first");
    }

    void helpInProgramFolderIsTheShippedOne() {
        const QByteArray laid = fileBytes(programDir() + QStringLiteral("/help.html"));
        const QByteArray source =
            fileBytes(QStringLiteral(KALVORO_SOURCE_DIR) + QStringLiteral("/assets/help.html"));
        QVERIFY(!source.isEmpty());
        QVERIFY2(laid == source, "build/kalvoro/help.html differs from assets/help.html");
    }

    void helpIsWellFormed() {
        QVERIFY2(m_help.error.isEmpty(), qPrintable(m_help.error));
        QVERIFY2(m_help.title.contains(QStringLiteral("Kalvoro")), qPrintable(m_help.title));
        QCOMPARE(m_help.charset.toLower(), QStringLiteral("utf-8"));
        const QSet<QString> unique(m_help.ids.cbegin(), m_help.ids.cend());
        QCOMPARE(unique.size(), m_help.ids.size());
    }

    void helpIsSelfContained() {
        QVERIFY2(m_help.activeContent.isEmpty(), qPrintable(m_help.activeContent.join(u", ")));
        QVERIFY(!m_help.style.isEmpty());
        QVERIFY2(!m_help.style.contains(QStringLiteral("url("), Qt::CaseInsensitive),
                 "the style sheet loads a resource");
        QVERIFY2(!m_help.style.contains(QStringLiteral("@import"), Qt::CaseInsensitive),
                 "the style sheet imports another");
        // Links only lead within the page, and every one leads somewhere.
        QVERIFY(!m_help.refs.isEmpty());
        for (const QString& ref : m_help.refs) {
            QVERIFY2(ref.startsWith(QLatin1Char('#')), qPrintable(ref));
            QVERIFY2(m_help.ids.contains(ref.mid(1)),
                     qPrintable(ref + QStringLiteral(" leads nowhere")));
        }
    }

    void helpCoversTopic_data() {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("phrases");
        QTest::newRow("preparing") << QStringLiteral("Preparing an event")
                                   << QStringList{QStringLiteral("General Options"),
                                                  QStringLiteral("Photo Options"),
                                                  QStringLiteral("Word Options"),
                                                  QStringLiteral("Font Options"),
                                                  QStringLiteral("Set Prize Class"),
                                                  QStringLiteral("Photo folder"),
                                                  QStringLiteral("GB18030"),
                                                  QStringLiteral(".xlsx"),
                                                  QStringLiteral(".csv"),
                                                  QStringLiteral("Roll Background Music"),
                                                  QStringLiteral("Winner Background Music"),
                                                  QStringLiteral("skins/"),
                                                  QStringLiteral("Background Picture")};
        QTest::newRow("running") << QStringLiteral("Running a draw")
                                 << QStringList{
                                        QStringLiteral("PRESS ENTER KEY TO BEGIN"),
                                        QStringLiteral("After Set Lottery Class,Press Space Bar"),
                                        QStringLiteral("Press Space Bar to Draw"),
                                        QStringLiteral("Press Enter Key to Begin Next"),
                                        QStringLiteral("Roll speed"),
                                        QStringLiteral("(1–10)"),
                                        QStringLiteral("There are 3 persons who won"),
                                        QStringLiteral("Full Screen"),
                                        QStringLiteral("This window is not avtive window "
                                                       "now,click this window please, "
                                                       "otherwise can not work!")};
        QTest::newRow("presets") << QStringLiteral("Preset winners")
                                 << QStringList{QStringLiteral("Ctrl+Shift+P"),
                                                QStringLiteral("Ctrl+Shift+W"),
                                                QStringLiteral("i-th preset competes for the "
                                                               "i-th line"),
                                                QStringLiteral("A preset that has won is used up")};
        QTest::newRow("reset") << QStringLiteral("Reset")
                               << QStringList{
                                      QStringLiteral("Initialize"), QStringLiteral("Are You Sure?"),
                                      QStringLiteral("Please input OK"),
                                      QStringLiteral("Can not Initialize, input OK please!"),
                                      QStringLiteral("Initialize Success!")};
        QTest::newRow("winners") << QStringLiteral("Winners lists")
                                 << QStringList{QStringLiteral("winner"),
                                                QStringLiteral("Delete record?")};
        QTest::newRow("export") << QStringLiteral("Export and printing")
                                << QStringList{
                                       QStringLiteral(".xls"),        QStringLiteral(".xlsx"),
                                       QStringLiteral("LibreOffice"), QStringLiteral("Excel"),
                                       QStringLiteral("PDF"),         QStringLiteral("md.xls")};
        QTest::newRow("settings file") << QStringLiteral("The settings file")
                                       << QStringList{QStringLiteral("[prize]"),
                                                      QStringLiteral("caption"),
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
                                                      QStringLiteral("0x00BBGGRR"),
                                                      QStringLiteral("FontSize"),
                                                      QStringLiteral("FontName"),
                                                      QStringLiteral("PhotoFullScreen"),
                                                      QStringLiteral("ShowWinner")};
        QTest::newRow("troubleshooting")
            << QStringLiteral("Troubleshooting")
            << QStringList{QStringLiteral("PulseAudio"),
                           QStringLiteral(".wav"),
                           QStringLiteral(".mp3"),
                           QStringLiteral(".ogg"),
                           QStringLiteral(".flac"),
                           QStringLiteral(".flc"),
                           QStringLiteral("Cannot determine the record file format"),
                           QStringLiteral("network share"),
                           QStringLiteral("database is locked"),
                           QStringLiteral("read-only"),
                           QStringLiteral("not found help.html!"),
                           QStringLiteral("backup")};
    }

    void helpCoversTopic() {
        QFETCH(QString, heading);
        QFETCH(QStringList, phrases);
        QString text;
        for (const QString& h : std::as_const(m_help.headings)) {
            if (h.startsWith(heading, Qt::CaseInsensitive))
                text = m_help.sectionText.value(h);
        }
        QVERIFY2(!text.isEmpty(), qPrintable(QStringLiteral("no section \"%1\" in %2")
                                                 .arg(heading, m_help.headings.join(u" | "))));
        for (const QString& phrase : phrases)
            QVERIFY2(text.contains(phrase), qPrintable(heading + QStringLiteral(": ") + phrase));
    }

    void installedFolderHoldsTheProgramFolder() {
        QString why;
        const QString stage = stageFor(m_prefix, &why);
        QVERIFY2(!stage.isEmpty(), qPrintable(why));
        const QString root = stage + m_prefix;

        QVERIFY(QFileInfo(root + QStringLiteral("/kalvoro")).isExecutable());
        QVERIFY(QFileInfo(root + QStringLiteral("/kalvoro.sh")).isExecutable());
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/libkalvoro_report.so")));
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/help.html")));
        QVERIFY(QFileInfo(root + QStringLiteral("/skins")).isDir());
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/skins/Orange/skin.ini")));

        // Everything the build laid out is installed, byte for byte, except the
        // binaries (their search path is rewritten) and the event's database.
        const QStringList installed = filesBelow(root);
        for (const QString& rel : filesBelow(programDir())) {
            if (rel.startsWith(QLatin1String("db.sqlite")))
                continue;
            QVERIFY2(installed.contains(rel), qPrintable(rel + QStringLiteral(" not installed")));
            if (rel != QLatin1String("kalvoro") &&
                !rel.startsWith(QLatin1String("libkalvoro_report")))
                QVERIFY2(fileBytes(root + QLatin1Char('/') + rel) ==
                             fileBytes(programDir() + QLatin1Char('/') + rel),
                         qPrintable(rel));
        }
        for (const QString& rel : installed)
            QVERIFY2(!rel.startsWith(QLatin1String("db.sqlite")), qPrintable(rel));

        // The icon goes where the desktop's icon theme finds it, when the build made one.
        QStringList icons;
        QDirIterator it(stage, {QStringLiteral("kalvoro.png")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.startsWith(root + QLatin1Char('/')))
                icons << path;
        }
        if (QFileInfo::exists(programDir() + QStringLiteral("/icons/kalvoro.png"))) {
            QCOMPARE(icons.size(), 1);
            QVERIFY2(icons.first().endsWith(QStringLiteral("/hicolor/256x256/apps/kalvoro.png")),
                     qPrintable(icons.first()));
        } else {
            QVERIFY2(icons.isEmpty(), qPrintable(icons.join(u", ")));
        }
    }

    void installedProgramFindsItsReportLibrary() {
        QString why;
        const QString stage = stageFor(m_prefix, &why);
        QVERIFY2(!stage.isEmpty(), qPrintable(why));
        const QString exe = stage + m_prefix + QStringLiteral("/kalvoro");

        // The search path is the program's own folder and nothing of the build tree.
        const QString readelf = QStandardPaths::findExecutable(QStringLiteral("readelf"));
        QVERIFY2(!readelf.isEmpty(), "readelf (binutils) is not installed");
        const RunResult dyn = run(readelf, {QStringLiteral("-d"), exe});
        QCOMPARE(dyn.exitCode, 0);
        static const QRegularExpression pathLine(
            QStringLiteral(R"(\((?:RUNPATH|RPATH)\)\s+Library r(?:un)?path: \[(.*)\])"));
        const QRegularExpressionMatch m = pathLine.match(dyn.output);
        QVERIFY2(m.hasMatch(), qPrintable(dyn.output));
        QCOMPARE(m.captured(1), QStringLiteral("$ORIGIN"));

        // Every library resolves; the report library (once linked) to the copy beside it.
        const RunResult ldd = run(QStringLiteral("ldd"), {exe});
        QCOMPARE(ldd.exitCode, 0);
        QVERIFY2(!ldd.output.contains(QStringLiteral("not found")), qPrintable(ldd.output));
        static const QRegularExpression reportLine(
            QStringLiteral(R"(libkalvoro_report\.so\S*\s+=>\s+(\S+))"));
        const QRegularExpressionMatch lib = reportLine.match(ldd.output);
        if (lib.hasMatch())
            QCOMPARE(QFileInfo(lib.captured(1)).canonicalFilePath(),
                     QFileInfo(stage + m_prefix + QStringLiteral("/libkalvoro_report.so"))
                         .canonicalFilePath());
    }

    void desktopEntry_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("execLine");
        QTest::newRow("default prefix")
            << QStringLiteral("/opt/kalvoro") << QStringLiteral("Exec=/opt/kalvoro/kalvoro.sh");
        // A blank makes the path one quoted argument.
        QTest::newRow("prefix with a blank")
            << QStringLiteral("/srv/Kalvoro Gala")
            << QStringLiteral("Exec=\"/srv/Kalvoro Gala/kalvoro.sh\"");
    }

    void desktopEntry() {
        QFETCH(QString, prefix);
        QFETCH(QString, execLine);
        QString why;
        const QString stage = stageFor(prefix, &why);
        QVERIFY2(!stage.isEmpty(), qPrintable(why));

        const QStringList entries = desktopEntriesIn(stage);
        QCOMPARE(entries.size(), 1);
        QVERIFY2(!entries.first().startsWith(stage + prefix + QLatin1Char('/')),
                 "the menu entry belongs with the desktop's entries, not in the program folder");
        const QStringList lines =
            QString::fromUtf8(fileBytes(entries.first())).split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("[Desktop Entry]"));
        for (const QString& expected : QStringList{
                 execLine, QStringLiteral("TryExec=") + prefix + QStringLiteral("/kalvoro.sh"),
                 QStringLiteral("Type=Application"), QStringLiteral("Name=Kalvoro"),
                 QStringLiteral("Icon=kalvoro"), QStringLiteral("Categories=Office;Utility;")})
            QVERIFY2(lines.contains(expected), qPrintable(expected));
        // The launcher it names is installed there.
        QVERIFY(QFileInfo(stage + prefix + QStringLiteral("/kalvoro.sh")).isExecutable());

        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (package desktop-file-utils)");
        const RunResult v = run(validator, {entries.first()});
        QVERIFY2(v.exitCode == 0 && !v.output.contains(QStringLiteral("error:")),
                 qPrintable(v.output));
    }

    // The launcher, as installed, on a stand-in program folder whose "program"
    // reports the folder it was started in and its arguments.
    void launcher() {
        QString why;
        const QString stage = stageFor(m_prefix, &why);
        QVERIFY2(!stage.isEmpty(), qPrintable(why));
        const QByteArray launcherScript =
            fileBytes(stage + m_prefix + QStringLiteral("/kalvoro.sh"));
        QVERIFY(!launcherScript.isEmpty());

        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString app = tmp.filePath(QStringLiteral("app"));
        const QString out = tmp.filePath(QStringLiteral("out.txt"));
        const auto exec = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        QVERIFY(QDir().mkpath(app + QStringLiteral("/skins/Orange")));
        QVERIFY(writeFile(app + QStringLiteral("/kalvoro.sh"), launcherScript, exec));
        const QByteArray program1 = "#!/bin/sh\n{ pwd -P; for a in \"$@\"; do echo \"arg:$a\"; "
                                    "done; } > \"$KALVORO_TEST_OUT\"\n";
        QVERIFY(writeFile(app + QStringLiteral("/kalvoro"), program1, exec));
        QVERIFY(writeFile(app + QStringLiteral("/libkalvoro_report.so"), "library 1"));
        QVERIFY(writeFile(app + QStringLiteral("/prize.ini"), "[prize]\ncaption=Shipped\n"));
        QVERIFY(writeFile(app + QStringLiteral("/help.html"), "<html></html>"));
        QVERIFY(writeFile(app + QStringLiteral("/skins/Orange/skin.ini"), "[skin]\n"));
        QVERIFY(writeFile(app + QStringLiteral("/db.sqlite"), "event data"));
        const QString appCanonical = QFileInfo(app).canonicalFilePath();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("KALVORO_HOME"));
        env.insert(QStringLiteral("KALVORO_TEST_OUT"), out);
        const auto started = [&](const QString& launcher, const QStringList& args,
                                 const QProcessEnvironment& e) -> QStringList {
            QFile::remove(out);
            const RunResult r = run(launcher, args, e);
            if (!r.started || r.exitCode != 0)
                return {QStringLiteral("launcher failed: ") + r.output};
            return QString::fromUtf8(fileBytes(out)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        };

        // A writable program folder: the program runs there, reached through a
        // link to the launcher too, and gets the arguments unchanged.
        const QString link = tmp.filePath(QStringLiteral("kalvoro-link"));
        QVERIFY(QFile::link(app + QStringLiteral("/kalvoro.sh"), link));
        QCOMPARE(
            started(link, {QStringLiteral("two words"), QStringLiteral("x")}, env),
            (QStringList{appCanonical, QStringLiteral("arg:two words"), QStringLiteral("arg:x")}));
        const QStringList appFiles = filesBelow(app);

        // KALVORO_HOME naming the program folder itself changes nothing there.
        QProcessEnvironment same = env;
        same.insert(QStringLiteral("KALVORO_HOME"), app + QStringLiteral("/."));
        QCOMPARE(started(app + QStringLiteral("/kalvoro.sh"), {}, same), QStringList{appCanonical});
        QCOMPARE(filesBelow(app), appFiles);

        // A folder of the user's own: made, the binaries and settings copied, the
        // rest linked, the database and the launcher left out.
        const QString home = tmp.filePath(QStringLiteral("events/gala"));
        QProcessEnvironment own = env;
        own.insert(QStringLiteral("KALVORO_HOME"), home);
        const QStringList ranIn = started(app + QStringLiteral("/kalvoro.sh"), {}, own);
        QCOMPARE(ranIn, QStringList{QFileInfo(home).canonicalFilePath()});
        const QFileInfo copied(home + QStringLiteral("/kalvoro"));
        QVERIFY(!copied.isSymLink());
        QVERIFY(copied.isExecutable());
        QCOMPARE(fileBytes(copied.filePath()), program1);
        QVERIFY(!QFileInfo(home + QStringLiteral("/libkalvoro_report.so")).isSymLink());
        QCOMPARE(fileBytes(home + QStringLiteral("/libkalvoro_report.so")),
                 QByteArray("library 1"));
        QVERIFY(!QFileInfo(home + QStringLiteral("/prize.ini")).isSymLink());
        QVERIFY(QFileInfo(home + QStringLiteral("/skins")).isSymLink());
        QCOMPARE(QFileInfo(home + QStringLiteral("/skins")).symLinkTarget(),
                 appCanonical + QStringLiteral("/skins"));
        QVERIFY(QFileInfo(home + QStringLiteral("/help.html")).isSymLink());
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/db.sqlite")));
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/kalvoro.sh")));
        QVERIFY(!QFileInfo(app + QStringLiteral("/skins")).isSymLink());

        // An update of the program folder reaches the user's copy; the user's own
        // settings stay; what is new is linked.
        QVERIFY(writeFile(home + QStringLiteral("/prize.ini"), "[prize]\ncaption=Mine\n"));
        const QByteArray program2 = program1 + "# version 2\n";
        QVERIFY(writeFile(app + QStringLiteral("/kalvoro"), program2, exec));
        QVERIFY(writeFile(app + QStringLiteral("/md.xls"), "template"));
        QCOMPARE(started(app + QStringLiteral("/kalvoro.sh"), {}, own).size(), 1);
        QCOMPARE(fileBytes(home + QStringLiteral("/kalvoro")), program2);
        QCOMPARE(fileBytes(home + QStringLiteral("/prize.ini")),
                 QByteArray("[prize]\ncaption=Mine\n"));
        QVERIFY(QFileInfo(home + QStringLiteral("/md.xls")).isSymLink());
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/.kalvoro.new")));
    }
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
