#include "core/settings/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder::withTrailingSeparator(const QString& folder) {
    QString f = QDir::toNativeSeparators(folder);
    if (!f.endsWith(QDir::separator()))
        f += QDir::separator();
    return f;
}

QString ProgramFolder::path() {
    if (!overrideFolder().isEmpty())
        return withTrailingSeparator(overrideFolder());
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

void ProgramFolder::setOverride(const QString& folder) {
    overrideFolder() = folder;
}

QString ProgramFolder::desktop() {
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty())
        desktop = QDir::homePath();
    return withTrailingSeparator(desktop);
}

QString ProgramFolder::version() {
    return QStringLiteral(KALVORO_VERSION_TEXT);
}
