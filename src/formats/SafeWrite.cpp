#include "formats/SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace SafeWrite {

QString HeldOpenBy(const QString& path) {
    const QFileInfo info(path);
    const QDir dir = info.absoluteDir();
    const QString name = info.fileName();
    if (name.isEmpty())
        return {};
    if (QFileInfo::exists(dir.filePath(QStringLiteral(".~lock.") + name + QLatin1Char('#'))))
        return QStringLiteral("LibreOffice");
    // Word and Excel shorten long names to the last 62 characters or so; the
    // plain form is what they write for names of ordinary length.
    if (QFileInfo::exists(dir.filePath(QStringLiteral("~$") + name)))
        return QCoreApplication::translate("SafeWrite", "Microsoft Office");
    return {};
}

bool WriteFile(const QString& path, const QByteArray& data, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty())
        return fail(QCoreApplication::translate("SafeWrite", "No file name was given."));
    const QFileInfo info(path);
    if (info.isDir())
        return fail(QCoreApplication::translate("SafeWrite", "%1 is a folder.").arg(shown));
    if (!info.absoluteDir().exists())
        return fail(QCoreApplication::translate("SafeWrite", "The folder %1 does not exist.")
                        .arg(QDir::toNativeSeparators(info.absolutePath())));
    const QString holder = HeldOpenBy(path);
    if (!holder.isEmpty())
        return fail(QCoreApplication::translate(
                        "SafeWrite", "%1 is open in %2. Close it there and export again.")
                        .arg(shown, holder));
    if (info.exists() && !info.isWritable())
        return fail(QCoreApplication::translate("SafeWrite", "%1 is read-only.").arg(shown));

    QSaveFile file(path);
    // Never fall back to writing over the target in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (!QFileInfo(info.absolutePath()).isWritable())
            return fail(
                QCoreApplication::translate("SafeWrite", "The folder %1 cannot be written to.")
                    .arg(QDir::toNativeSeparators(info.absolutePath())));
        return fail(QCoreApplication::translate("SafeWrite", "%1 cannot be written: %2")
                        .arg(shown, file.errorString()));
    }
    if (file.write(data) != data.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(
            QCoreApplication::translate("SafeWrite", "%1 cannot be written: %2").arg(shown, why));
    }
    if (!file.commit())
        return fail(QCoreApplication::translate("SafeWrite", "%1 cannot be written: %2")
                        .arg(shown, file.errorString()));
    return true;
}

} // namespace SafeWrite
