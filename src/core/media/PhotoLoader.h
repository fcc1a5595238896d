#pragma once
// Photos for the roll's display: decoded at the size they are shown at, turned
// upright by their EXIF orientation, and kept ready by PhotoCache so that a roll
// tick never waits for a decoder.
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

// The size a photo of `photo` pixels (upright) is shown at in an area of
// `target`: the whole area when stretched, else the largest size with the
// photo's proportions that fits. An empty target keeps the photo's size.
QSize DisplaySizeFor(QSize photo, QSize target, bool stretch);

// The photo at exactly DisplaySizeFor(its upright size, target, stretch),
// upright. JPEGs are scaled down by the decoder itself, so a large camera photo
// is never held at full size. A file that cannot be read gives a null image and
// the reason in `error`.
QImage LoadPhotoForDisplay(const QString& path, QSize target, bool stretch,
                           QString* error = nullptr);

// A small upright picture of the photo, at most `side` pixels on its long side,
// made as fast as the file allows: the camera's EXIF thumbnail when it has the
// photo's proportions, else a decode at a reduced scale.
QImage LoadPhotoPreview(const QString& path, int side, QString* error = nullptr);

// Keeps the roll's photos decoded so that a tick only copies a picture.
//
// Two stores share one memory limit: display images (the photo at the display
// size, least recently used dropped first) and small JPEG-compressed previews
// of every photo (an eighth of the limit, enough for thousands of photos). One
// or two low-priority worker threads fill them: after setPhotos() they make a
// preview of every photo, then display images while they fit; prefetch() and
// the misses of get() come first. A photo whose file changes on disk (time or
// size) is decoded anew.
//
// get() is for the tick. A display image is returned at once. Without one, the
// preview is returned (decoded in well under a millisecond) and the display
// image is queued; displayImageReady() tells when it has arrived. Without even
// a preview the photo is read at once at a reduced scale (its EXIF thumbnail
// when it has one). Any image get() returns may thus be smaller than the
// display size: draw it scaled into the display area.
//
// Call everything from the thread that owns the cache; the workers never touch
// anything but the stores, under a lock.
class PhotoCache : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 DefaultMemoryLimit = qint64(512) << 20;
    static constexpr int PreviewSide = 400;

    explicit PhotoCache(QObject* parent = nullptr);
    ~PhotoCache() override;

    // Bytes for display images and previews together; drops what no longer fits.
    void setMemoryLimit(qint64 bytes);
    qint64 memoryLimit() const;
    qint64 memoryUsed() const;
    // Worker threads: 1 or 2.
    void setThreadCount(int threads);

    // The roll's photos and the display area. A new size or stretch mode drops
    // the display images; photos no longer listed are forgotten. Starts warming.
    void setPhotos(const QStringList& paths, QSize target, bool stretch = false);
    QSize target() const;
    bool stretch() const;

    // Asks for the display image of a photo the roll will show soon. The newest
    // requests are served first; old ones that were not reached are dropped.
    void prefetch(const QString& path);

    // The picture for a roll tick, see above. A missing or unreadable file
    // gives a null image and the reason in `error`.
    QImage get(const QString& path, QString* error = nullptr);

    bool hasDisplayImage(const QString& path) const;
    bool hasPreview(const QString& path) const;
    int displayImageCount() const;
    int previewCount() const;

    // What get() has served so far.
    struct Counters {
        int displayHits = 0;
        int previewHits = 0;
        int directLoads = 0;
        int failures = 0;
    };
    Counters counters() const;

    // Waits until the workers have nothing left to do; false when `msecs` ran
    // out first (-1 waits for ever).
    bool waitForIdle(int msecs = -1);
    // Drops every image and every queued decode.
    void clear();

signals:
    // The display image of a photo that get() could only give smaller has arrived.
    void displayImageReady(const QString& path);

private:
    struct Private;
    void startWorkers();
    void work();
    std::unique_ptr<Private> d;
};

// The image as it is meant to be seen, from the image as stored and its EXIF
// orientation.
QImage ApplyExifOrientation(const QImage& image, int orientation);
