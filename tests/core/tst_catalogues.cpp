// The options dialog's catalogues: index rules of the three lookups, the exact
// captions, and the shipped files in the built program folder.
#include "core/settings/Catalogues.h"
#include "core/settings/ProgramFolder.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

using Lookup = QString (*)(int);

QString programFolder() {
    return QDir::cleanPath(QStringLiteral(KALVORO_PROGRAM_DIR));
}

struct Decoded {
    bool ok = false;
    int format = 0;
    int channels = 0;
    double seconds = 0;
    std::vector<float> samples; // first channel
};

Decoded decode(const QString& path) {
    Decoded d;
    SF_INFO info{};
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!f)
        return d;
    std::vector<float> all(std::size_t(info.frames) * std::size_t(info.channels));
    const sf_count_t got = sf_readf_float(f, all.data(), info.frames);
    sf_close(f);
    d.ok = got > 0;
    d.format = info.format & SF_FORMAT_TYPEMASK;
    d.channels = info.channels;
    d.seconds = double(got) / info.samplerate;
    for (sf_count_t i = 0; i < got; ++i)
        d.samples.push_back(all[std::size_t(i * info.channels)]);
    return d;
}

double meanLuminance(const QImage& img) {
    const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            sum += 0.2126 * qRed(line[x]) + 0.7152 * qGreen(line[x]) + 0.0722 * qBlue(line[x]);
    }
    return sum / (double(rgb.width()) * rgb.height() * 255.0);
}

} // namespace

class tst_Catalogues : public QObject {
    Q_OBJECT

private slots:
    void init() { ProgramFolder::setOverride(m_dir.path() + QStringLiteral("/prog")); }
    void cleanup() { ProgramFolder::setOverride(QString()); }

    void lookups_data();
    void lookups();
    void choices_data();
    void choices();
    void captions_data();
    void captions();
    void catalogueFilesExist_data();
    void catalogueFilesExist();
    void sounds_data();
    void sounds();
    void backgrounds_data();
    void backgrounds();
    void samplePhotos();
    void icons_data();
    void icons();

private:
    QTemporaryDir m_dir;
};

void tst_Catalogues::lookups_data() {
    QTest::addColumn<int>("which"); // 0 background, 1 roll music, 2 winner music
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected"); // relative to the program folder; "" = empty text

    const QString tiger = QStringLiteral("background/tiger.jpg");
    QTest::newRow("bg first") << 0 << 0 << tiger;
    QTest::newRow("bg naivete") << 0 << 2 << QStringLiteral("background/naivete.jpg");
    QTest::newRow("bg kung hei") << 0 << 12 << QStringLiteral("background/gxfc.jpg");
    QTest::newRow("bg last") << 0 << 14 << QStringLiteral("background/newyear.jpg");
    QTest::newRow("bg user-defined") << 0 << 15 << tiger;
    QTest::newRow("bg beyond") << 0 << 99 << tiger;
    QTest::newRow("bg negative") << 0 << -1 << tiger;
    QTest::newRow("bg INT_MIN") << 0 << INT_MIN << tiger;
    QTest::newRow("bg INT_MAX") << 0 << INT_MAX << tiger;

    QTest::newRow("roll first") << 1 << 0 << QStringLiteral("sound/drum1.wav");
    QTest::newRow("roll roll") << 1 << 3 << QStringLiteral("sound/roll.wav");
    QTest::newRow("roll bg1") << 1 << 6 << QStringLiteral("sound/bg1.wav");
    QTest::newRow("roll last") << 1 << 10 << QStringLiteral("sound/bg5.wav");
    QTest::newRow("roll user-defined") << 1 << 11 << QString();
    QTest::newRow("roll none") << 1 << 12 << QString();
    QTest::newRow("roll negative") << 1 << -1 << QString();
    QTest::newRow("roll INT_MIN") << 1 << INT_MIN << QString();

    QTest::newRow("win first") << 2 << 0 << QStringLiteral("sound/result.wav");
    QTest::newRow("win drum") << 2 << 5 << QStringLiteral("sound/win3.wav");
    QTest::newRow("win NBA case kept") << 2 << 6 << QStringLiteral("sound/NBA.mp3");
    QTest::newRow("win blank in name") << 2 << 7 << QStringLiteral("sound/sweet heart.mp3");
    QTest::newRow("win army clarino") << 2 << 18 << QStringLiteral("sound/army clarino.mp3");
    QTest::newRow("win last") << 2 << 22 << QStringLiteral("sound/DJ.mp3");
    QTest::newRow("win user-defined") << 2 << 23 << QString();
    QTest::newRow("win none") << 2 << 24 << QString();
    QTest::newRow("win negative") << 2 << -5 << QString();
    QTest::newRow("win INT_MAX") << 2 << INT_MAX << QString();
}

void tst_Catalogues::lookups() {
    QFETCH(int, which);
    QFETCH(int, index);
    QFETCH(QString, expected);
    static const Lookup lookups[] = {BackgroundFileForIndex, RollMusicFileForIndex,
                                     WinnerMusicFileForIndex};
    const QString got = lookups[which](index);
    if (expected.isEmpty()) {
        QVERIFY2(got.isEmpty(), qPrintable(got));
        return;
    }
    // Built from the program folder of the moment, with one separator between.
    QCOMPARE(got, m_dir.path() + QStringLiteral("/prog/") + expected);
}

void tst_Catalogues::choices_data() {
    QTest::addColumn<int>("which"); // 0 background, 1 roll music, 2 winner music
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected"); // relative to the program folder; <mine>: the own file

    const QString tiger = QStringLiteral("background/tiger.jpg");
    const QString mine = QStringLiteral("<mine>");
    QTest::newRow("bg catalogue") << 0 << 3 << QStringLiteral("background/lucky.jpg");
    QTest::newRow("bg user-defined") << 0 << 15 << mine;
    QTest::newRow("bg beyond is user-defined") << 0 << 16 << mine;
    QTest::newRow("bg nothing chosen") << 0 << -1 << tiger;
    QTest::newRow("roll catalogue") << 1 << 10 << QStringLiteral("sound/bg5.wav");
    QTest::newRow("roll user-defined") << 1 << 11 << mine;
    QTest::newRow("roll none") << 1 << 12 << QString();
    QTest::newRow("roll nothing chosen") << 1 << -1 << QString();
    QTest::newRow("win catalogue") << 2 << 22 << QStringLiteral("sound/DJ.mp3");
    QTest::newRow("win user-defined") << 2 << 23 << mine;
    QTest::newRow("win none") << 2 << 24 << QString();
    QTest::newRow("win nothing chosen") << 2 << -1 << QString();
}

void tst_Catalogues::choices() {
    QFETCH(int, which);
    QFETCH(int, index);
    QFETCH(QString, expected);
    using Choice = QString (*)(int, const QString&);
    static const Choice choices[] = {BackgroundFileForChoice, RollMusicFileForChoice,
                                     WinnerMusicFileForChoice};
    const QString own = QStringLiteral("/home/me/own file");
    const QString got = choices[which](index, own);
    if (expected.isEmpty())
        QVERIFY2(got.isEmpty(), qPrintable(got));
    else if (expected == QStringLiteral("<mine>"))
        QCOMPARE(got, own);
    else
        QCOMPARE(got, m_dir.path() + QStringLiteral("/prog/") + expected);
}

void tst_Catalogues::captions_data() {
    QTest::addColumn<QStringList>("got");
    QTest::addColumn<QStringList>("expected");
    auto list = [](std::initializer_list<const char*> texts) {
        QStringList l;
        for (const char* t : texts)
            l << QString::fromUtf8(t);
        return l;
    };
    // Trailing blanks are part of two captions, as the operator has always seen them.
    QTest::newRow("background") << BackgroundCaptions()
                                << list({"Tiger", "Abstract", "Naivete ", "Lucky", "Red",
                                         "Gorgeous", "Blue", "Green", "Deep", "Morden", "Nature",
                                         "Wedding", "Kung hei fat choy ", "Happy holiday",
                                         "Happy New Year", "User-defined"});
    QTest::newRow("roll music") << RollMusicCaptions()
                                << list({"drum1", "drum2", "drum3", "Roll", "Music1", "Music2",
                                         "Background1", "Background 2", "Background 3",
                                         "Background 4", "Background 5", "User-defined", "None"});
    QTest::newRow("winner music") << WinnerMusicCaptions()
                                  << list({"Result",   "Music2",     "Music3",       "Applause",
                                           "Gong",     "Drum",       "NBA",          "Sweet heart",
                                           "F1",       "Konami",     "Break out",    "Apache",
                                           "Life Cup", "Violin",     "Sweet",        "ButterFly",
                                           "HuoHuo",   "Clarino",    "Army Clarino", "Portliness",
                                           "Gongxi",   "Happy girl", "DJ",           "User-defined",
                                           "None"});
}

void tst_Catalogues::captions() {
    QFETCH(QStringList, got);
    QFETCH(QStringList, expected);
    QCOMPARE(got, expected);
    // The named positions agree with the lists.
    QCOMPARE(BackgroundCaptions().at(BackgroundUserDefinedIndex), QStringLiteral("User-defined"));
    QCOMPARE(RollMusicCaptions().at(RollMusicUserDefinedIndex), QStringLiteral("User-defined"));
    QCOMPARE(RollMusicCaptions().at(RollMusicNoneIndex), QStringLiteral("None"));
    QCOMPARE(WinnerMusicCaptions().at(WinnerMusicUserDefinedIndex), QStringLiteral("User-defined"));
    QCOMPARE(WinnerMusicCaptions().at(WinnerMusicNoneIndex), QStringLiteral("None"));
}

void tst_Catalogues::catalogueFilesExist_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("count");
    QTest::newRow("background") << 0 << 15;
    QTest::newRow("roll music") << 1 << 11;
    QTest::newRow("winner music") << 2 << 23;
}

void tst_Catalogues::catalogueFilesExist() {
    QFETCH(int, which);
    QFETCH(int, count);
    static const Lookup lookups[] = {BackgroundFileForIndex, RollMusicFileForIndex,
                                     WinnerMusicFileForIndex};
    ProgramFolder::setOverride(programFolder());
    QSet<QString> seen;
    for (int i = 0; i < count; ++i) {
        const QString path = lookups[which](i);
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + QStringLiteral(" is missing")));
        QVERIFY2(!seen.contains(path), qPrintable(path + QStringLiteral(" listed twice")));
        seen.insert(path);
    }
}

void tst_Catalogues::sounds_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("loop");
    for (const CatalogueEntry& e : RollMusicCatalogue())
        QTest::newRow(qPrintable(e.File)) << e.File << true;
    for (const CatalogueEntry& e : WinnerMusicCatalogue())
        QTest::newRow(qPrintable(e.File)) << e.File << false;
}

void tst_Catalogues::sounds() {
    QFETCH(QString, file);
    QFETCH(bool, loop);
    const Decoded d = decode(programFolder() + QLatin1Char('/') + file);
    QVERIFY2(d.ok, qPrintable(file + QStringLiteral(" does not decode")));
    // The content matches the extension, which is how the player picks a decoder.
    QCOMPARE(d.format,
             file.endsWith(QLatin1String(".mp3")) ? int(SF_FORMAT_MPEG) : int(SF_FORMAT_WAV));
    if (loop) {
        QVERIFY2(d.seconds >= 1.5 && d.seconds <= 12.0, qPrintable(QString::number(d.seconds)));
    } else {
        QVERIFY2(d.seconds >= 1.0 && d.seconds <= 10.0, qPrintable(QString::number(d.seconds)));
    }
    float peak = 0;
    std::vector<float> steps;
    steps.reserve(d.samples.size());
    for (std::size_t i = 0; i < d.samples.size(); ++i) {
        peak = std::max(peak, std::abs(d.samples[i]));
        if (i > 0)
            steps.push_back(std::abs(d.samples[i] - d.samples[i - 1]));
    }
    QVERIFY2(peak > 0.2f, "too quiet");
    QVERIFY2(peak <= 1.0f, "clips");
    if (loop) {
        // Played over and over, the jump from the last sample to the first must be
        // no worse than the sound's own ordinary steps, or every repeat clicks.
        std::nth_element(steps.begin(), steps.begin() + std::ptrdiff_t(steps.size() * 99 / 100),
                         steps.end());
        const float p99 = steps[steps.size() * 99 / 100];
        const float seam = std::abs(d.samples.front() - d.samples.back());
        QVERIFY2(seam <= p99, qPrintable(QStringLiteral("seam %1 > %2").arg(seam).arg(p99)));
    } else {
        // A one-shot ends in silence rather than being cut off.
        QVERIFY2(std::abs(d.samples.back()) < 0.01f, "ends abruptly");
    }
}

void tst_Catalogues::backgrounds_data() {
    QTest::addColumn<QString>("file");
    for (const CatalogueEntry& e : BackgroundCatalogue())
        QTest::newRow(qPrintable(e.File)) << e.File;
}

void tst_Catalogues::backgrounds() {
    QFETCH(QString, file);
    QImageReader reader(programFolder() + QLatin1Char('/') + file);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.size(), QSize(1920, 1080));
    const QImage img = reader.read();
    QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
    // Large bright text goes over these; a light picture would swallow it.
    const double mean = meanLuminance(img.scaled(480, 270));
    QVERIFY2(mean > 0.02 && mean < 0.22, qPrintable(QString::number(mean)));
}

void tst_Catalogues::samplePhotos() {
    const QDir photos(programFolder() + QStringLiteral("/photos"));
    const QStringList files = photos.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    QVERIFY2(files.size() >= 10, qPrintable(files.join(QLatin1Char(','))));
    bool nonAscii = false;
    for (const QString& f : files) {
        // The file name is the winner's name: no stray dots, no leading/trailing blanks.
        const QString name = f.chopped(4);
        QVERIFY2(!name.contains(QLatin1Char('.')), qPrintable(f));
        QCOMPARE(name.trimmed(), name);
        for (QChar c : name)
            nonAscii = nonAscii || c.unicode() > 127;
        QImageReader reader(photos.filePath(f));
        QCOMPARE(reader.size(), QSize(600, 800));
        QVERIFY2(!reader.read().isNull(), qPrintable(f));
    }
    QVERIFY2(nonAscii, "no sample name outside ASCII");
}

void tst_Catalogues::icons_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("size");
    for (const char* name : {"begin", "options", "winner", "help", "exit", "folder"})
        QTest::newRow(name) << QStringLiteral("icons/%1.png").arg(QLatin1String(name)) << 48;
    QTest::newRow("application") << QStringLiteral("icons/kalvoro.png") << 256;
}

void tst_Catalogues::icons() {
    QFETCH(QString, file);
    QFETCH(int, size);
    const QImage img(programFolder() + QLatin1Char('/') + file);
    QVERIFY2(!img.isNull(), qPrintable(file));
    QCOMPARE(img.size(), QSize(size, size));
    QVERIFY(img.hasAlphaChannel());
    // Transparent corners, drawn middle.
    QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
    QVERIFY(qAlpha(img.pixel(size / 2, size / 2)) > 0);
}

QTEST_MAIN(tst_Catalogues)
#include "tst_catalogues.moc"
