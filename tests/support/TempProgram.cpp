#include "TempProgram.h"

#include "core/data/Database.h"
#include "core/settings/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {
void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + src.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(dst);
        else
            QFile::copy(src, dst);
    }
}
} // namespace

TempProgram::TempProgram() {
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("program"));
    root.mkpath(QStringLiteral("current"));
    copyTree(QStringLiteral(KALVORO_SOURCE_DIR "/assets/skins"),
             m_dir.path() + QStringLiteral("/program/skins"));
    ProgramFolder::setOverride(m_dir.path() + QStringLiteral("/program"));
    m_oldCurrent = QDir::currentPath();
    QDir::setCurrent(m_dir.path() + QStringLiteral("/current"));
}

TempProgram::~TempProgram() {
    closeDatabase();
    QDir::setCurrent(m_oldCurrent);
    ProgramFolder::setOverride(QString());
}

QString TempProgram::programDir() const {
    return m_dir.path() + QStringLiteral("/program/");
}
QString TempProgram::currentDir() const {
    return m_dir.path() + QStringLiteral("/current/");
}

void TempProgram::writeIni(const QStringList& lines) const {
    QFile f(path(QStringLiteral("prize.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(lines.join(QLatin1Char('\n')).toUtf8() + "\n");
}

Database* TempProgram::openDatabase() {
    if (!m_db)
        m_db = std::make_unique<Database>();
    return m_db.get();
}

void TempProgram::closeDatabase() {
    m_db.reset();
}

QVariant TempProgram::sql(const QString& statement, const QVariantList& values) const {
    QSqlQuery q(Db());
    if (!q.prepare(statement))
        qFatal("prepare failed: %s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec())
        qFatal("statement failed: %s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
    return q.next() ? q.value(0) : QVariant();
}

qlonglong TempProgram::count(const QString& statement, const QVariantList& values) const {
    return sql(statement, values).toLongLong();
}

QStringList TempProgram::makePhotos(const QString& folder, const QStringList& names,
                                    QSize size) const {
    QDir().mkpath(path(folder));
    QStringList paths;
    quint32 colour = 0x336699;
    for (const QString& name : names) {
        const QString file = path(folder) + QLatin1Char('/') + name;
        WriteJpeg(file, size, colour);
        colour = colour * 2654435761u + 0x1234567;
        paths << file;
    }
    return paths;
}

bool WriteJpeg(const QString& file, QSize size, quint32 rgb) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb & 0xFFFFFF));
    return image.save(file, "JPG", 80);
}

QStringList PersonPhotoNames(int n) {
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QStringLiteral("Person %1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    return out;
}
