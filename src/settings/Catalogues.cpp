#include "Catalogues.h"

#include "common/Uglobal.h"

#include <iterator>

namespace {
QString programFolder() {
    return AppDir.isEmpty() ? ProgramDir() : AppDir;
}

template <std::size_t N> QStringList captions(const CatalogueEntry (&entries)[N], bool withNone) {
    QStringList list;
    for (const CatalogueEntry& e : entries)
        list << QString::fromUtf8(e.caption);
    list << QStringLiteral("User-defined");
    if (withNone)
        list << QStringLiteral("None");
    return list;
}
} // namespace

QString BackgroundFileForIndex(int index) {
    const auto i = static_cast<unsigned>(index);
    const CatalogueEntry& e = BackgroundCatalogue[i < std::size(BackgroundCatalogue) ? i : 0];
    return programFolder() + QStringLiteral("background/") + QString::fromUtf8(e.file);
}

QString RollMusicFileForIndex(int index) {
    const auto i = static_cast<unsigned>(index);
    if (i >= std::size(RollMusicCatalogue))
        return QString();
    return programFolder() + QStringLiteral("sound/") +
           QString::fromUtf8(RollMusicCatalogue[i].file);
}

QString WinnerMusicFileForIndex(int index) {
    const auto i = static_cast<unsigned>(index);
    if (i >= std::size(WinnerMusicCatalogue))
        return QString();
    return programFolder() + QStringLiteral("sound/") +
           QString::fromUtf8(WinnerMusicCatalogue[i].file);
}

QStringList BackgroundCaptions() {
    return captions(BackgroundCatalogue, false);
}
QStringList RollMusicCaptions() {
    return captions(RollMusicCatalogue, true);
}
QStringList WinnerMusicCaptions() {
    return captions(WinnerMusicCatalogue, true);
}
