#include "core/settings/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

int LotteryMode = 0;
QString AppDir;
QString SkinFile;
bool ShowWinnerFlag = false;
bool FocusWarningShown = false;

namespace {
QString g_programDirOverride;
}

QString WithTrailingSeparator(const QString& folder) {
    QString f = QDir::toNativeSeparators(folder);
    if (!f.endsWith(QDir::separator()))
        f += QDir::separator();
    return f;
}

QString ProgramDir() {
    if (!g_programDirOverride.isEmpty())
        return WithTrailingSeparator(g_programDirOverride);
    return WithTrailingSeparator(QCoreApplication::applicationDirPath());
}

void SetProgramDirOverride(const QString& dir) {
    g_programDirOverride = dir;
}

void SelectSkin(int SkinIndex) {
    static const char* const folders[] = {"Orange", "Autumn", "Clouds"};
    const char* folder = (SkinIndex >= 0 && SkinIndex <= 2) ? folders[SkinIndex] : folders[0];
    SkinFile = ProgramDir() + QStringLiteral("skins/") + QLatin1String(folder) +
               QStringLiteral("/skin.ini");
}

void SplitByDelimiter(TMyStringList& List, const QString& Text) {
    // QString is UTF-16, so a delimiter can never be half of another character.
    List.clear();
    const QChar d = List.Delimiter;
    qsizetype pos = 0;
    const qsizetype n = Text.size();
    while (pos < n) {
        qsizetype next = Text.indexOf(d, pos);
        if (next < 0)
            next = n;
        List.append(Text.mid(pos, next - pos));
        if (next < n && next == n - 1)
            List.append(QString());
        pos = next + 1;
    }
}

QString GetDesktopFolder() {
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty())
        desktop = QDir::homePath();
    return WithTrailingSeparator(desktop);
}

QString GetFileVersionText() {
    return QStringLiteral(KALVORO_VERSION_TEXT);
}
