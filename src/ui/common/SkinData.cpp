#include "ui/common/SkinData.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

SkinData::SkinData(QWidget* window) : QObject(window), m_window(window) {
    setObjectName(QStringLiteral("skinData"));
}

QString SkinData::readSkin(const QString& path, QString* name) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    // skin.ini is ours and plain ASCII; QSettings reads it fine.
    QSettings ini(path, QSettings::IniFormat);
    const QString sheetName = ini.value(QStringLiteral("skin/stylesheet")).toString();
    if (sheetName.isEmpty())
        return {};
    const QString folder = QFileInfo(path).absolutePath();
    QFile sheet(folder + QLatin1Char('/') + sheetName);
    if (!sheet.open(QIODevice::ReadOnly))
        return {};
    QString css = QString::fromUtf8(sheet.readAll());
    // Pictures are named relative to the skin folder.
    css.replace(QStringLiteral("url(./"), QStringLiteral("url(") + folder + QLatin1Char('/'));
    if (name)
        *name = ini.value(QStringLiteral("skin/name"), QFileInfo(folder).fileName()).toString();
    return css;
}

bool SkinData::loadFromFile(const QString& path) {
    QString name;
    const QString css = readSkin(path, &name);
    m_styleSheet = css;
    m_name = css.isEmpty() ? QString() : name;
    if (m_window)
        m_window->setStyleSheet(css);
    return !css.isEmpty();
}

namespace {
QString& activeSkin() {
    static QString file;
    return file;
}
} // namespace

QString SkinData::activeFile() {
    return activeSkin();
}

void SkinData::setActiveFile(const QString& path) {
    activeSkin() = path;
}
