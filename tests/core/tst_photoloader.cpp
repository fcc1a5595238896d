// Photos for the roll: decoded at the display size and upright, bad files
// reported instead of crashing, and the cache's hits, misses and memory cap.
#include "core/media/PhotoLoader.h"
#include "formats/ExifReader.h"
#include "support/JpegFixtures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>
#include <random>

namespace {
// The nearest of the four quadrant colours, so JPEG noise does not matter.
Qt::GlobalColor Nearest(QRgb pixel) {
    const std::pair<Qt::GlobalColor, QColor> colours[] = {{Qt::red, QColor(Qt::red)},
                                                          {Qt::green, QColor(Qt::green)},
                                                          {Qt::blue, QColor(Qt::blue)},
                                                          {Qt::yellow, QColor(Qt::yellow)}};
    Qt::GlobalColor best = Qt::black;
    int bestDistance = INT_MAX;
    for (const auto& [name, c] : colours) {
        const int dr = qRed(pixel) - c.red();
        const int dg = qGreen(pixel) - c.green();
        const int db = qBlue(pixel) - c.blue();
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = name;
        }
    }
    return best;
}

// Top left, top right, bottom left, bottom right, sampled at the quarters' centres.
QList<Qt::GlobalColor> Corners(const QImage& image) {
    const int w = image.width();
    const int h = image.height();
    return {Nearest(image.pixel(w / 4, h / 4)), Nearest(image.pixel(3 * w / 4, h / 4)),
            Nearest(image.pixel(w / 4, 3 * h / 4)), Nearest(image.pixel(3 * w / 4, 3 * h / 4))};
}
} // namespace

class TestPhotoLoader : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_fileNumber = 0;

    QString writePhoto(const QImage& image, const QString& name = QString()) {
        const QString path = m_dir.filePath(
            name.isEmpty() ? QStringLiteral("photo%1.jpg").arg(++m_fileNumber) : name);
        if (!Fixtures::WriteFile(path, Fixtures::EncodeJpeg(image)))
            return {};
        return path;
    }

    QStringList writePhotos(int count, QSize size, int grain = 16) {
        QStringList paths;
        for (int i = 0; i < count; ++i)
            paths.append(writePhoto(Fixtures::PhotoLike(size, quint32(i + 1), grain)));
        return paths;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void displaySize_data() {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("target");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("wide photo, square area")
            << QSize(800, 600) << QSize(400, 400) << false << QSize(400, 300);
        QTest::newRow("stretched") << QSize(800, 600) << QSize(400, 400) << true << QSize(400, 400);
        QTest::newRow("small photo grows")
            << QSize(300, 200) << QSize(600, 600) << false << QSize(600, 400);
        QTest::newRow("camera photo, full HD screen")
            << QSize(4000, 3000) << QSize(1920, 1080) << false << QSize(1440, 1080);
        QTest::newRow("portrait on a wide screen")
            << QSize(3000, 4000) << QSize(1920, 1080) << false << QSize(810, 1080);
        QTest::newRow("no area yet") << QSize(800, 600) << QSize() << false << QSize(800, 600);
        QTest::newRow("a sliver never vanishes")
            << QSize(10000, 10) << QSize(100, 100) << false << QSize(100, 1);
    }

    void displaySize() {
        QFETCH(QSize, photo);
        QFETCH(QSize, target);
        QFETCH(bool, stretch);
        QFETCH(QSize, shown);
        QCOMPARE(DisplaySizeFor(photo, target, stretch), shown);
    }

    void loadsAtTheDisplaySize_data() {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("target");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("shrunk") << QSize(800, 600) << QSize(400, 400) << false << QSize(400, 300);
        QTest::newRow("stretched") << QSize(800, 600) << QSize(400, 400) << true << QSize(400, 400);
        QTest::newRow("grown") << QSize(300, 200) << QSize(600, 600) << false << QSize(600, 400);
        QTest::newRow("portrait") << QSize(600, 800) << QSize(400, 300) << false << QSize(225, 300);
        QTest::newRow("no area yet") << QSize(800, 600) << QSize() << false << QSize(800, 600);
    }

    void loadsAtTheDisplaySize() {
        QFETCH(QSize, photo);
        QFETCH(QSize, target);
        QFETCH(bool, stretch);
        QFETCH(QSize, shown);
        const QString path = writePhoto(Fixtures::PhotoLike(photo, 5));
        QString error;
        const QImage image = LoadPhotoForDisplay(path, target, stretch, &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QCOMPARE(image.size(), shown);
        QCOMPARE(image.format(), QImage::Format_RGB32);
    }

    void largePhotosAreScaledWhileDecoding() {
        // 4000x3000 shown at 400x300: the result has the display size, and the
        // colours of the gradient are where they belong.
        const QImage source = Fixtures::PhotoLike(QSize(4000, 3000), 9, 0);
        const QString path = writePhoto(source);
        const QImage image = LoadPhotoForDisplay(path, QSize(400, 300), false);
        QCOMPARE(image.size(), QSize(400, 300));
        for (const QPoint p :
             {QPoint(20, 20), QPoint(380, 20), QPoint(200, 150), QPoint(20, 280)}) {
            const QRgb want = source.pixel(p.x() * 10, p.y() * 10);
            const QRgb got = image.pixel(p);
            QVERIFY2(std::abs(qRed(want) - qRed(got)) < 12 &&
                         std::abs(qGreen(want) - qGreen(got)) < 12 &&
                         std::abs(qBlue(want) - qBlue(got)) < 12,
                     qPrintable(QStringLiteral("pixel %1,%2").arg(p.x()).arg(p.y())));
        }
    }

    void exifOrientation_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<QList<Qt::GlobalColor>>("corners");
        using C = QList<Qt::GlobalColor>;
        // The stored picture is red|green over blue|yellow, twice as wide as high.
        QTest::newRow("1 upright") << 1 << false << C{Qt::red, Qt::green, Qt::blue, Qt::yellow};
        QTest::newRow("2 mirrored") << 2 << false << C{Qt::green, Qt::red, Qt::yellow, Qt::blue};
        QTest::newRow("3 upside down") << 3 << false << C{Qt::yellow, Qt::blue, Qt::green, Qt::red};
        QTest::newRow("4 flipped") << 4 << false << C{Qt::blue, Qt::yellow, Qt::red, Qt::green};
        QTest::newRow("5 transposed") << 5 << true << C{Qt::red, Qt::blue, Qt::green, Qt::yellow};
        QTest::newRow("6 turned clockwise")
            << 6 << true << C{Qt::blue, Qt::red, Qt::yellow, Qt::green};
        QTest::newRow("7 transversed") << 7 << true << C{Qt::yellow, Qt::green, Qt::blue, Qt::red};
        QTest::newRow("8 turned anticlockwise")
            << 8 << true << C{Qt::green, Qt::yellow, Qt::red, Qt::blue};
    }

    void exifOrientation() {
        QFETCH(int, orientation);
        QFETCH(bool, turned);
        QFETCH(QList<Qt::GlobalColor>, corners);
        const QByteArray jpeg = Fixtures::EncodeJpeg(Fixtures::Quadrants(QSize(400, 200)));
        const QByteArray thumb = Fixtures::EncodeJpeg(Fixtures::Quadrants(QSize(160, 80)));

        // The full decode, turned by the image reader.
        const QString plain = m_dir.filePath(QStringLiteral("o%1.jpg").arg(orientation));
        QVERIFY(Fixtures::WriteFile(plain, Fixtures::WithExif(jpeg, orientation)));
        QString error;
        const QImage shown = LoadPhotoForDisplay(plain, QSize(100, 100), false, &error);
        QVERIFY2(!shown.isNull(), qPrintable(error));
        QCOMPARE(shown.size(), turned ? QSize(50, 100) : QSize(100, 50));
        QCOMPARE(Corners(shown), corners);

        // The preview from a reduced decode of the same file.
        const QImage reduced = LoadPhotoPreview(plain, 100, &error);
        QCOMPARE(reduced.size(), turned ? QSize(50, 100) : QSize(100, 50));
        QCOMPARE(Corners(reduced), corners);

        // The preview from the camera's thumbnail, turned by our own reader.
        const QString withThumb = m_dir.filePath(QStringLiteral("t%1.jpg").arg(orientation));
        QVERIFY(Fixtures::WriteFile(withThumb, Fixtures::WithExif(jpeg, orientation, thumb)));
        QCOMPARE(ReadJpegExif(Fixtures::WithExif(jpeg, orientation, thumb)).orientation,
                 orientation);
        const QImage fromThumb = LoadPhotoPreview(withThumb, 400, &error);
        QVERIFY2(!fromThumb.isNull(), qPrintable(error));
        // The thumbnail's own size says it was used rather than the photo.
        QCOMPARE(fromThumb.size(), turned ? QSize(80, 160) : QSize(160, 80));
        QCOMPARE(Corners(fromThumb), corners);
    }

    void thumbnailOfOtherProportionsIsNotUsed() {
        const QByteArray jpeg = Fixtures::EncodeJpeg(Fixtures::Quadrants(QSize(400, 200)));
        // A 4:3 thumbnail of a 2:1 photo: padded, would show another frame.
        const QByteArray thumb = Fixtures::EncodeJpeg(Fixtures::Quadrants(QSize(160, 120)));
        const QString path = m_dir.filePath(QStringLiteral("padded.jpg"));
        QVERIFY(Fixtures::WriteFile(path, Fixtures::WithExif(jpeg, 1, thumb)));
        QCOMPARE(ReadJpegExif(Fixtures::WithExif(jpeg, 1, thumb)).thumbnail, thumb);
        QCOMPARE(LoadPhotoPreview(path, 400).size(), QSize(400, 200));
    }

    void damagedExifGivesTheDefaults_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("thumbnail");
        const QByteArray jpeg = Fixtures::EncodeJpeg(Fixtures::Quadrants(QSize(64, 32)));
        const QByteArray good = Fixtures::WithExif(jpeg, 6, jpeg);
        // The fixture's TIFF block: IFD0 at 8 (orientation value at 18, next IFD
        // at 22), IFD1 at 26 (thumbnail length value at 48).
        const int tiff = int(good.indexOf("Exif")) + 6;
        auto patched = [&](int at, const QByteArray& bytes) {
            QByteArray copy = good;
            copy.replace(tiff + at, bytes.size(), bytes);
            return copy;
        };
        QTest::newRow("intact") << good << 6 << true;
        QTest::newRow("cut inside the segment") << good.left(tiff + 14) << 1 << false;
        QTest::newRow("IFD0 far beyond the end")
            << patched(4, QByteArray("\xff\xff\xff\x7f", 4)) << 1 << false;
        QTest::newRow("entry count beyond the end")
            << patched(8, QByteArray("\xff\xff", 2)) << 1 << false;
        QTest::newRow("orientation out of range")
            << patched(18, QByteArray("\x09\0", 2)) << 1 << true;
        QTest::newRow("IFD1 loops back to IFD0")
            << patched(22, QByteArray("\x08\0\0\0", 4)) << 6 << false;
        QTest::newRow("thumbnail longer than the segment")
            << patched(48, QByteArray("\xff\xff\xff\x0f", 4)) << 6 << false;
        QTest::newRow("not TIFF") << patched(0, QByteArray("XX", 2)) << 1 << false;
        QTest::newRow("segment length zero") << patched(-8, QByteArray("\0\0", 2)) << 1 << false;
        QTest::newRow("not a JPEG") << QByteArray("GIF89a and more bytes") << 1 << false;
        QTest::newRow("empty") << QByteArray() << 1 << false;
    }

    void damagedExifGivesTheDefaults() {
        QFETCH(QByteArray, head);
        QFETCH(int, orientation);
        QFETCH(bool, thumbnail);
        const JpegExif exif = ReadJpegExif(head);
        QCOMPARE(exif.orientation, orientation);
        QCOMPARE(!exif.thumbnail.isEmpty(), thumbnail);
        if (thumbnail)
            QVERIFY(!QImage::fromData(exif.thumbnail, "JPG").isNull());
    }

    void badFilesAreReportedNotShown_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = Fixtures::EncodeJpeg(Fixtures::PhotoLike(QSize(320, 240), 3));
        QTest::newRow("not an image") << QByteArray("this is a text file, named .jpg");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("only the header") << jpeg.left(120);
        QTest::newRow("random bytes after SOI")
            << QByteArray("\xff\xd8\xff\xe0\x00\x10garbage!!", 16);
    }

    void badFilesAreReportedNotShown() {
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(
            QStringLiteral("bad-%1.jpg")
                .arg(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-')));
        QVERIFY(Fixtures::WriteFile(path, bytes));
        QString error;
        QVERIFY(LoadPhotoForDisplay(path, QSize(200, 200), false, &error).isNull());
        QVERIFY(error.contains(QFileInfo(path).fileName()));
        error.clear();
        QVERIFY(LoadPhotoPreview(path, 100, &error).isNull());
        QVERIFY(!error.isEmpty());

        PhotoCache cache;
        cache.setPhotos({path}, QSize(200, 200));
        QVERIFY(cache.waitForIdle(10000));
        error.clear();
        QVERIFY(cache.get(path, &error).isNull());
        QVERIFY(!error.isEmpty());
        QVERIFY(!cache.hasDisplayImage(path));
        QCOMPARE(cache.counters().failures, 1);
    }

    // Only the header is read: a decode would need gigabytes for 30000x30000.
    void aHugeHeaderIsTurnedAwayBeforeDecoding() {
        QByteArray jpeg = Fixtures::EncodeJpeg(Fixtures::PhotoLike(QSize(64, 48), 5));
        const qsizetype sof = jpeg.indexOf(QByteArray("\xff\xc0", 2));
        QVERIFY(sof > 0);
        QCOMPARE(qFromBigEndian<quint16>(jpeg.constData() + sof + 5), quint16(48));
        qToBigEndian<quint16>(30000, jpeg.data() + sof + 5);
        qToBigEndian<quint16>(30000, jpeg.data() + sof + 7);
        const QString path = m_dir.filePath(QStringLiteral("huge-header.jpg"));
        QVERIFY(Fixtures::WriteFile(path, jpeg));
        QImageReader probe(path);
        QCOMPARE(probe.size(), QSize(30000, 30000));

        QString error;
        QVERIFY(LoadPhotoForDisplay(path, QSize(200, 200), false, &error).isNull());
        QVERIFY2(error.contains(QStringLiteral("30000 x 30000")), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("100 megapixels")), qPrintable(error));
        error.clear();
        QVERIFY(LoadPhotoPreview(path, 100, &error).isNull());
        QVERIFY2(error.contains(QStringLiteral("30000 x 30000")), qPrintable(error));

        PhotoCache cache;
        cache.setPhotos({path}, QSize(200, 200));
        QVERIFY(cache.waitForIdle(10000));
        error.clear();
        QVERIFY(cache.get(path, &error).isNull());
        QVERIFY2(error.contains(QStringLiteral("megapixels")), qPrintable(error));
        QCOMPARE(cache.counters().failures, 1);
    }

    void aMissingFileIsReported() {
        const QString path = m_dir.filePath(QStringLiteral("nowhere.jpg"));
        QString error;
        QVERIFY(LoadPhotoForDisplay(path, QSize(200, 200), false, &error).isNull());
        QVERIFY(!error.isEmpty());
        PhotoCache cache;
        error.clear();
        QVERIFY(cache.get(path, &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void aPngNamedJpgStillShows() {
        const QString path = m_dir.filePath(QStringLiteral("really-a-png.jpg"));
        QVERIFY(Fixtures::Quadrants(QSize(200, 100)).save(path, "PNG"));
        const QImage image = LoadPhotoForDisplay(path, QSize(100, 100), false);
        QCOMPARE(image.size(), QSize(100, 50));
        QCOMPARE(Corners(image),
                 (QList<Qt::GlobalColor>{Qt::red, Qt::green, Qt::blue, Qt::yellow}));
    }

    void cacheWarmsEveryPhotoAndHitsAfterwards() {
        const QStringList paths = writePhotos(4, QSize(800, 600));
        PhotoCache cache;
        cache.setPhotos(paths, QSize(400, 400));
        QVERIFY(cache.waitForIdle(20000));
        QCOMPARE(cache.displayImageCount(), 4);
        QCOMPARE(cache.previewCount(), 4);
        for (const QString& p : paths)
            QCOMPARE(cache.get(p).size(), QSize(400, 300));
        QCOMPARE(cache.counters().displayHits, 4);
        QCOMPARE(cache.counters().directLoads, 0);
    }

    void aMissShowsAPreviewAndTheDisplayImageFollows() {
        const QString path = writePhotos(1, QSize(1600, 1200)).first();
        PhotoCache cache;
        cache.setPhotos({}, QSize(800, 600));
        QSignalSpy ready(&cache, &PhotoCache::displayImageReady);

        // Nothing stored: a quick small picture now, the display image queued.
        const QImage first = cache.get(path);
        QCOMPARE(first.size(), QSize(400, 300));
        QCOMPARE(cache.counters().directLoads, 1);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 20000);
        QCOMPARE(ready.first().first().toString(), path);
        QCOMPARE(cache.get(path).size(), QSize(800, 600));
        QCOMPARE(cache.counters().displayHits, 1);
        QVERIFY(cache.hasPreview(path));

        // With no room for display images, the stored preview is what a tick gets.
        cache.setMemoryLimit(1 << 20);
        QVERIFY(!cache.hasDisplayImage(path));
        QVERIFY(cache.hasPreview(path));
        QCOMPARE(cache.get(path).size(), QSize(400, 300));
        QCOMPARE(cache.counters().previewHits, 1);
        QVERIFY(cache.waitForIdle(20000));
        QVERIFY(!cache.hasDisplayImage(path));
    }

    void aCameraThumbnailPreviewIsReplacedByABetterOne() {
        const QImage photo = Fixtures::Quadrants(QSize(1600, 800));
        const QByteArray thumb = Fixtures::EncodeJpeg(photo.scaled(160, 80));
        const QString path = m_dir.filePath(QStringLiteral("camera.jpg"));
        QVERIFY(
            Fixtures::WriteFile(path, Fixtures::WithExif(Fixtures::EncodeJpeg(photo), 1, thumb)));
        PhotoCache cache;
        cache.setMemoryLimit(1 << 20); // no room for a display image of 800x400
        cache.setPhotos({path}, QSize(800, 800));
        QVERIFY(cache.waitForIdle(20000));
        // Warming took the camera's thumbnail: quick, but small.
        QCOMPARE(cache.get(path).size(), QSize(160, 80));
        // The display decode that get() queued leaves a preview of the full size.
        QVERIFY(cache.waitForIdle(20000));
        const QImage better = cache.get(path);
        QCOMPARE(better.size(), QSize(400, 200));
        QCOMPARE(Corners(better),
                 (QList<Qt::GlobalColor>{Qt::red, Qt::green, Qt::blue, Qt::yellow}));
        QCOMPARE(cache.counters().previewHits, 2);
    }

    void theLeastRecentlyUsedGoFirstUnderTheCap() {
        const QStringList p = writePhotos(3, QSize(400, 300));
        const qint64 image = 200 * 150 * 4;
        PhotoCache cache;
        // Room for two display images (the previews get an eighth on top).
        const qint64 limit = (image * 5 / 2) * 8 / 7;
        cache.setMemoryLimit(limit);
        cache.setPhotos({}, QSize(200, 150));

        cache.prefetch(p[0]);
        QVERIFY(cache.waitForIdle(20000));
        cache.prefetch(p[1]);
        QVERIFY(cache.waitForIdle(20000));
        QVERIFY(cache.hasDisplayImage(p[0]) && cache.hasDisplayImage(p[1]));
        QCOMPARE(cache.get(p[0]).size(), QSize(200, 150)); // p[0] is now the most recent
        cache.prefetch(p[2]);
        QVERIFY(cache.waitForIdle(20000));
        QVERIFY(cache.hasDisplayImage(p[0]));
        QVERIFY(!cache.hasDisplayImage(p[1]));
        QVERIFY(cache.hasDisplayImage(p[2]));
        QVERIFY(cache.memoryUsed() <= limit);

        // A smaller cap drops down to the most recent.
        cache.setMemoryLimit(image * 3 / 2 * 8 / 7);
        QCOMPARE(cache.displayImageCount(), 1);
        QVERIFY(cache.hasDisplayImage(p[2]));
        QVERIFY(cache.memoryUsed() <= cache.memoryLimit());
    }

    void warmingStopsWhenTheCapIsReached() {
        // Smooth pictures, so that eight small previews fit in their eighth.
        const QStringList paths = writePhotos(8, QSize(200, 150), 0);
        const qint64 image = 200 * 150 * 4;
        PhotoCache cache;
        const qint64 limit = (image * 7 / 2) * 8 / 7;
        cache.setMemoryLimit(limit);
        cache.setPhotos(paths, QSize(200, 150));
        QVERIFY(cache.waitForIdle(20000));
        QCOMPARE(cache.displayImageCount(), 3);
        QCOMPARE(cache.previewCount(), 8);
        QVERIFY(cache.memoryUsed() <= limit);
        // Warming never pushed out the first photos for later ones.
        QVERIFY(cache.hasDisplayImage(paths[0]));
    }

    void aChangedFileIsDecodedAnew() {
        const QString path = writePhoto(Fixtures::PhotoLike(QSize(800, 600), 1));
        PhotoCache cache;
        cache.setPhotos({path}, QSize(400, 400));
        QVERIFY(cache.waitForIdle(20000));
        QCOMPARE(cache.get(path).size(), QSize(400, 300));
        // Replaced by a portrait: the stored landscape must not come back.
        QVERIFY(Fixtures::WriteFile(path,
                                    Fixtures::EncodeJpeg(Fixtures::PhotoLike(QSize(300, 400), 2))));
        const QImage fresh = cache.get(path);
        QVERIFY(fresh.height() > fresh.width());
        QVERIFY(cache.waitForIdle(20000));
        QCOMPARE(cache.get(path).size(), QSize(300, 400));
    }

    void busyWorkersAndTheOwnerDoNotRace() {
        // Run under -fsanitize=thread or helgrind to see races; here it must
        // simply hold together and keep to the cap.
        const QStringList paths = writePhotos(12, QSize(640, 480));
        PhotoCache cache;
        cache.setThreadCount(2);
        const qint64 limit = 320 * 240 * 4 * 4;
        cache.setMemoryLimit(limit);
        cache.setPhotos(paths, QSize(320, 240));
        std::mt19937 rng(11);
        std::uniform_int_distribution<int> pick(0, int(paths.size()) - 1);
        for (int i = 0; i < 400; ++i) {
            const QString& p = paths.at(pick(rng));
            if (i % 3 == 0)
                cache.prefetch(p);
            else
                QVERIFY(!cache.get(p).isNull());
            if (i % 97 == 0)
                cache.setPhotos(paths, QSize(320 + (i % 2) * 10, 240));
            if (i % 50 == 0)
                QVERIFY(cache.memoryUsed() <= limit);
        }
        QVERIFY(cache.waitForIdle(60000));
        QVERIFY(cache.memoryUsed() <= limit);
    }

    void destroyingABusyCacheWaitsForItsWorkers() {
        const QStringList paths = writePhotos(6, QSize(1600, 1200));
        for (int round = 0; round < 3; ++round) {
            PhotoCache cache;
            cache.setThreadCount(2);
            cache.setPhotos(paths, QSize(800, 600));
            cache.prefetch(paths.last());
            QThread::msleep(5);
        } // nothing left running that could touch a dead cache
    }
};

QTEST_GUILESS_MAIN(TestPhotoLoader)
#include "tst_photoloader.moc"
