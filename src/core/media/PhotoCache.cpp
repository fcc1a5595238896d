#include "core/media/PhotoLoader.h"

#include <QCoreApplication>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QSet>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <list>
#include <mutex>
#include <optional>
#include <sys/stat.h>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {
// Requests of the roll that are not reached in time are dropped, oldest first.
constexpr std::size_t MaxDemand = 4;
constexpr int PreviewQuality = 85;

void setError(QString* error, const QString& path, const QString& reason) {
    if (error)
        *error = QCoreApplication::translate("PhotoLoader", "Cannot show %1: %2")
                     .arg(QDir::toNativeSeparators(path), reason);
}

struct Preview {
    QByteArray jpeg;
    int side = 0; // the longer side in pixels
};

Preview makePreview(const QImage& image) {
    if (image.isNull())
        return {};
    const QImage small =
        image.width() > PhotoCache::PreviewSide || image.height() > PhotoCache::PreviewSide
            ? image.scaled(PhotoCache::PreviewSide, PhotoCache::PreviewSide, Qt::KeepAspectRatio,
                           Qt::SmoothTransformation)
            : image;
    Preview preview;
    QBuffer buffer(&preview.jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(PreviewQuality);
    if (!writer.write(small))
        return {};
    preview.side = std::max(small.width(), small.height());
    return preview;
}

// A file's identity for the cache: an edited or replaced photo is decoded anew.
struct Stamp {
    qint64 modified = -1; // nanoseconds
    qint64 size = -1;
    bool operator==(const Stamp&) const = default;
};

// One stat() call, no time-zone work: this runs at every tick and on the workers.
std::optional<Stamp> stampOf(const QString& path) {
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return Stamp{qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                 qint64(info.st_size)};
}

// A store with a byte count, least recently used first out.
template <class V> class LruStore {
public:
    // The value for `key` if it was stored for this stamp, made most recent;
    // a value stored for another stamp is dropped.
    const V* find(const QString& key, const Stamp& stamp) {
        auto it = m_items.find(key);
        if (it == m_items.end())
            return nullptr;
        if (!(it->stamp == stamp)) {
            remove(key);
            return nullptr;
        }
        m_order.splice(m_order.begin(), m_order, it->pos);
        return &it->value;
    }
    bool touch(const QString& key) {
        auto it = m_items.find(key);
        if (it == m_items.end())
            return false;
        m_order.splice(m_order.begin(), m_order, it->pos);
        return true;
    }
    bool contains(const QString& key) const { return m_items.contains(key); }
    // The value without making it more recent, whatever its stamp.
    const V* peek(const QString& key) const {
        const auto it = m_items.constFind(key);
        return it == m_items.cend() ? nullptr : &it->value;
    }
    void insert(const QString& key, const V& value, qint64 cost, const Stamp& stamp) {
        remove(key);
        m_order.push_front(key);
        m_items.insert(key, Item{value, cost, stamp, m_order.begin()});
        m_total += cost;
    }
    void remove(const QString& key) {
        auto it = m_items.find(key);
        if (it == m_items.end())
            return;
        m_total -= it->cost;
        m_order.erase(it->pos);
        m_items.erase(it);
    }
    void trim(qint64 limit) {
        while (m_total > limit && !m_order.empty())
            remove(m_order.back());
    }
    void retain(const QSet<QString>& keys) {
        for (auto it = m_order.begin(); it != m_order.end();) {
            const QString key = *it++;
            if (!keys.contains(key))
                remove(key);
        }
    }
    void clear() {
        m_items.clear();
        m_order.clear();
        m_total = 0;
    }
    qint64 total() const { return m_total; }
    int size() const { return int(m_items.size()); }

private:
    struct Item {
        V value;
        qint64 cost;
        Stamp stamp;
        std::list<QString>::iterator pos;
    };
    std::list<QString> m_order; // most recent first
    QHash<QString, Item> m_items;
    qint64 m_total = 0;
};

struct Failure {
    Stamp stamp;
    QString error;
};

struct Job {
    QString path;
    bool display = false;
    bool warm = false;
    QSize target;
    bool stretch = false;
    quint64 generation = 0;
};

void lowerThisThreadsPriority() {
#ifdef Q_OS_LINUX
    // QThread's priorities do not act on Linux's normal scheduling class; a
    // per-thread nice value does, and keeps decoding out of the tick's way.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#endif
}
} // namespace

struct PhotoCache::Private {
    // Standard mutexes rather than QMutex: thread sanitizers see through them.
    mutable std::mutex mutex;
    std::condition_variable idle;
    QThreadPool pool;

    LruStore<QImage> display;
    LruStore<Preview> previews;
    QHash<QString, Failure> failed;
    qint64 limit = DefaultMemoryLimit;
    QSize target;
    bool stretch = false;
    // Results of decodes started before the last setPhotos() or clear() are dropped.
    quint64 generation = 0;

    std::deque<QString> demand; // newest last
    QSet<QString> notify;       // get() gave these smaller than wanted
    std::deque<QString> warmPreviews;
    std::deque<QString> warmDisplays;
    QHash<QString, bool> busy; // being decoded; true for a display decode
    int threads = 1;
    int running = 0;
    bool stopping = false;
    Counters counters;

    qint64 previewLimit() const { return limit / 8; }
    qint64 displayLimit() const { return limit - previewLimit(); }
    qint64 displayEstimate() const {
        return target.isEmpty() ? 0 : qint64(target.width()) * target.height() * 4;
    }
    bool hasWork() const {
        return !demand.empty() || !warmPreviews.empty() || !warmDisplays.empty();
    }

    void queueDemand(const QString& path, bool announce) {
        if (announce)
            notify.insert(path);
        if (busy.value(path, false))
            return;
        const auto old = std::find(demand.begin(), demand.end(), path);
        if (old != demand.end())
            demand.erase(old);
        demand.push_back(path);
        while (demand.size() > MaxDemand) {
            notify.remove(demand.front());
            demand.pop_front();
        }
    }

    bool takeJob(Job& job) {
        job.target = target;
        job.stretch = stretch;
        job.generation = generation;
        while (!demand.empty()) {
            job.path = demand.back();
            demand.pop_back();
            // A preview being made for it does not hold the display decode back.
            if (display.contains(job.path) || failed.contains(job.path) ||
                busy.value(job.path, false))
                continue;
            job.display = true;
            job.warm = false;
            busy.insert(job.path, true);
            return true;
        }
        while (!warmPreviews.empty()) {
            job.path = warmPreviews.front();
            warmPreviews.pop_front();
            if (previews.contains(job.path) || failed.contains(job.path) || busy.contains(job.path))
                continue;
            job.display = false;
            job.warm = true;
            busy.insert(job.path, false);
            return true;
        }
        while (!warmDisplays.empty()) {
            // Warming never pushes out what is stored: it stops once the store is full.
            if (display.total() + displayEstimate() > displayLimit()) {
                warmDisplays.clear();
                break;
            }
            job.path = warmDisplays.front();
            warmDisplays.pop_front();
            if (display.contains(job.path) || failed.contains(job.path) || busy.contains(job.path))
                continue;
            job.display = true;
            job.warm = true;
            busy.insert(job.path, true);
            return true;
        }
        return false;
    }
};

PhotoCache::PhotoCache(QObject* parent) : QObject(parent), d(std::make_unique<Private>()) {
    setObjectName(QStringLiteral("PhotoCache"));
    d->threads = QThread::idealThreadCount() > 2 ? 2 : 1;
    d->pool.setMaxThreadCount(d->threads);
    d->pool.setThreadPriority(QThread::LowPriority);
}

PhotoCache::~PhotoCache() {
    {
        std::unique_lock lock(d->mutex);
        d->stopping = true;
        d->demand.clear();
        d->warmPreviews.clear();
        d->warmDisplays.clear();
    }
    d->pool.waitForDone();
}

void PhotoCache::setMemoryLimit(qint64 bytes) {
    std::unique_lock lock(d->mutex);
    d->limit = std::max<qint64>(bytes, 0);
    d->display.trim(d->displayLimit());
    d->previews.trim(d->previewLimit());
}

qint64 PhotoCache::memoryLimit() const {
    std::unique_lock lock(d->mutex);
    return d->limit;
}

qint64 PhotoCache::memoryUsed() const {
    std::unique_lock lock(d->mutex);
    return d->display.total() + d->previews.total();
}

void PhotoCache::setThreadCount(int threads) {
    std::unique_lock lock(d->mutex);
    d->threads = std::clamp(threads, 1, 2);
    d->pool.setMaxThreadCount(d->threads);
}

void PhotoCache::setPhotos(const QStringList& paths, QSize target, bool stretch) {
    std::unique_lock lock(d->mutex);
    ++d->generation;
    if (target != d->target || stretch != d->stretch) {
        d->display.clear();
        d->target = target;
        d->stretch = stretch;
    }
    const QSet<QString> listed(paths.cbegin(), paths.cend());
    d->display.retain(listed);
    d->previews.retain(listed);
    d->failed.removeIf(
        [&](QHash<QString, Failure>::iterator it) { return !listed.contains(it.key()); });
    d->demand.clear();
    d->notify.clear();
    d->warmPreviews.assign(paths.cbegin(), paths.cend());
    d->warmDisplays.assign(paths.cbegin(), paths.cend());
    startWorkers();
}

QSize PhotoCache::target() const {
    std::unique_lock lock(d->mutex);
    return d->target;
}

bool PhotoCache::stretch() const {
    std::unique_lock lock(d->mutex);
    return d->stretch;
}

void PhotoCache::prefetch(const QString& path) {
    std::unique_lock lock(d->mutex);
    // A stored image is made most recent, so that it is still there for the tick.
    if (d->display.touch(path))
        return;
    d->queueDemand(path, false);
    startWorkers();
}

QImage PhotoCache::get(const QString& path, QString* error) {
    const std::optional<Stamp> found = stampOf(path);
    if (!found) {
        setError(error, path,
                 QCoreApplication::translate("PhotoLoader", "the file does not exist"));
        std::unique_lock lock(d->mutex);
        ++d->counters.failures;
        return {};
    }
    const Stamp stamp = *found;
    QByteArray preview;
    {
        std::unique_lock lock(d->mutex);
        if (const QImage* hit = d->display.find(path, stamp)) {
            ++d->counters.displayHits;
            return *hit;
        }
        const auto failure = d->failed.constFind(path);
        if (failure != d->failed.cend()) {
            if (failure->stamp == stamp) {
                if (error)
                    *error = failure->error;
                ++d->counters.failures;
                return {};
            }
            d->failed.erase(failure);
        }
        if (const Preview* small = d->previews.find(path, stamp))
            preview = small->jpeg;
        d->queueDemand(path, true);
        startWorkers();
    }

    if (!preview.isEmpty()) {
        QImage image = QImage::fromData(preview, "JPG");
        if (!image.isNull()) {
            std::unique_lock lock(d->mutex);
            ++d->counters.previewHits;
            return image;
        }
    }
    QImage image = LoadPhotoPreview(path, PreviewSide, error);
    std::unique_lock lock(d->mutex);
    ++(image.isNull() ? d->counters.failures : d->counters.directLoads);
    return image;
}

bool PhotoCache::hasDisplayImage(const QString& path) const {
    std::unique_lock lock(d->mutex);
    return d->display.contains(path);
}

bool PhotoCache::hasPreview(const QString& path) const {
    std::unique_lock lock(d->mutex);
    return d->previews.contains(path);
}

int PhotoCache::displayImageCount() const {
    std::unique_lock lock(d->mutex);
    return d->display.size();
}

int PhotoCache::previewCount() const {
    std::unique_lock lock(d->mutex);
    return d->previews.size();
}

PhotoCache::Counters PhotoCache::counters() const {
    std::unique_lock lock(d->mutex);
    return d->counters;
}

bool PhotoCache::waitForIdle(int msecs) {
    std::unique_lock lock(d->mutex);
    const auto done = [this] { return d->running == 0; };
    if (msecs < 0) {
        d->idle.wait(lock, done);
        return true;
    }
    return d->idle.wait_for(lock, std::chrono::milliseconds(msecs), done);
}

void PhotoCache::clear() {
    std::unique_lock lock(d->mutex);
    ++d->generation;
    d->display.clear();
    d->previews.clear();
    d->failed.clear();
    d->demand.clear();
    d->notify.clear();
    d->warmPreviews.clear();
    d->warmDisplays.clear();
}

// Called with the lock held.
void PhotoCache::startWorkers() {
    if (d->stopping)
        return;
    while (d->running < d->threads && d->hasWork()) {
        ++d->running;
        d->pool.start([this] { work(); });
    }
}

void PhotoCache::work() {
    lowerThisThreadsPriority();
    for (;;) {
        Job job;
        int previewSide = 0; // long side of the stored preview, 0 for none
        {
            std::unique_lock lock(d->mutex);
            if (d->stopping || !d->takeJob(job)) {
                if (--d->running == 0)
                    d->idle.notify_all();
                return;
            }
            if (const Preview* stored = d->previews.peek(job.path))
                previewSide = stored->side;
        }

        const Stamp stamp = stampOf(job.path).value_or(Stamp());
        QString error;
        QImage image;
        Preview preview;
        if (!job.display || (!job.warm && previewSide == 0)) {
            // The roll wants this photo soon: a preview first, it takes a fraction
            // of the full decode.
            preview = makePreview(LoadPhotoPreview(job.path, PreviewSide, &error));
            if (job.display && !preview.jpeg.isEmpty()) {
                std::unique_lock lock(d->mutex);
                if (job.generation == d->generation) {
                    d->previews.insert(job.path, preview, preview.jpeg.size(), stamp);
                    d->previews.trim(d->previewLimit());
                }
                previewSide = preview.side;
                preview = Preview();
            }
        }
        if (job.display && error.isEmpty()) {
            image = LoadPhotoForDisplay(job.path, job.target, job.stretch, &error);
            // A better preview from the display image (a camera thumbnail is
            // small); not from a stretched one, which has the area's proportions.
            const int side = std::max(image.width(), image.height());
            if (!image.isNull() && !job.stretch && previewSide < std::min(side, int(PreviewSide)))
                preview = makePreview(image);
        }

        bool announce = false;
        {
            std::unique_lock lock(d->mutex);
            const auto mark = d->busy.constFind(job.path);
            if (mark != d->busy.cend() && mark.value() == job.display)
                d->busy.erase(mark);
            if (job.generation == d->generation) {
                if (image.isNull() && preview.jpeg.isEmpty() && !error.isEmpty()) {
                    d->failed.insert(job.path, Failure{stamp, error});
                } else {
                    if (!preview.jpeg.isEmpty()) {
                        d->previews.insert(job.path, preview, preview.jpeg.size(), stamp);
                        d->previews.trim(d->previewLimit());
                    }
                    const qint64 cost = image.sizeInBytes();
                    const bool room = job.warm ? d->display.total() + cost <= d->displayLimit()
                                               : cost <= d->displayLimit();
                    if (!image.isNull() && room) {
                        d->display.insert(job.path, image, cost, stamp);
                        d->display.trim(d->displayLimit());
                        announce = d->notify.contains(job.path);
                    }
                }
            }
            if (job.display)
                d->notify.remove(job.path);
        }
        if (announce) {
            const QString path = job.path;
            QMetaObject::invokeMethod(
                this, [this, path] { emit displayImageReady(path); }, Qt::QueuedConnection);
        }
    }
}
