#include "core/settings/Catalogues.h"

#include "core/settings/ProgramFolder.h"

#include <QCoreApplication>

namespace {

CatalogueEntry entry(const char* caption, const char* file) {
    return {QString::fromUtf8(caption), QString::fromUtf8(file)};
}

QString caption(const char* text) {
    return QCoreApplication::translate("Catalogues", text);
}

QStringList captionsOf(const std::vector<CatalogueEntry>& catalogue) {
    QStringList captions;
    captions.reserve(qsizetype(catalogue.size()) + 2);
    for (const CatalogueEntry& e : catalogue)
        captions.append(caption(e.Caption.toUtf8().constData()));
    return captions;
}

// The index is compared as unsigned so that a negative one is simply out of range.
const CatalogueEntry* at(const std::vector<CatalogueEntry>& catalogue, int index) {
    if (static_cast<unsigned>(index) >= catalogue.size())
        return nullptr;
    return &catalogue[static_cast<unsigned>(index)];
}

} // namespace

// Function-local tables, so that start-up code elsewhere may use them safely.
// Some captions end in a blank; it is part of the caption as the operator knows it.
const std::vector<CatalogueEntry>& BackgroundCatalogue() {
    static const std::vector<CatalogueEntry> table = {
        entry(QT_TRANSLATE_NOOP("Catalogues", "Tiger"), "background/tiger.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Abstract"), "background/abstract.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Naivete "), "background/naivete.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Lucky"), "background/lucky.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Red"), "background/red.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Gorgeous"), "background/gorgeous.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Blue"), "background/blue.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Green"), "background/green.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Deep"), "background/deep.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Morden"), "background/morden.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Nature"), "background/nature.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Wedding"), "background/wedding.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Kung hei fat choy "), "background/gxfc.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Happy holiday"), "background/happyholiday.jpg"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Happy New Year"), "background/newyear.jpg"),
    };
    return table;
}

const std::vector<CatalogueEntry>& RollMusicCatalogue() {
    static const std::vector<CatalogueEntry> table = {
        entry(QT_TRANSLATE_NOOP("Catalogues", "drum1"), "sound/drum1.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "drum2"), "sound/drum2.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "drum3"), "sound/drum3.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Roll"), "sound/roll.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Music1"), "sound/music1.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Music2"), "sound/music2.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Background1"), "sound/bg1.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Background 2"), "sound/bg2.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Background 3"), "sound/bg3.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Background 4"), "sound/bg4.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Background 5"), "sound/bg5.wav"),
    };
    return table;
}

const std::vector<CatalogueEntry>& WinnerMusicCatalogue() {
    static const std::vector<CatalogueEntry> table = {
        entry(QT_TRANSLATE_NOOP("Catalogues", "Result"), "sound/result.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Music2"), "sound/m2.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Music3"), "sound/m3.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Applause"), "sound/applause.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Gong"), "sound/gong.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Drum"), "sound/win3.wav"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "NBA"), "sound/NBA.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Sweet heart"), "sound/sweet heart.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "F1"), "sound/F1.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Konami"), "sound/konami.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Break out"), "sound/break out.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Apache"), "sound/apache.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Life Cup"), "sound/life cup.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Violin"), "sound/violin.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Sweet"), "sound/sweet.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "ButterFly"), "sound/butterfly.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "HuoHuo"), "sound/huohuo.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Clarino"), "sound/clarino.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Army Clarino"), "sound/army clarino.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Portliness"), "sound/portliness.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Gongxi"), "sound/gongxi.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "Happy girl"), "sound/happy girl.mp3"),
        entry(QT_TRANSLATE_NOOP("Catalogues", "DJ"), "sound/DJ.mp3"),
    };
    return table;
}

QStringList BackgroundCaptions() {
    return captionsOf(BackgroundCatalogue())
           << caption(QT_TRANSLATE_NOOP("Catalogues", "User-defined"));
}

QStringList RollMusicCaptions() {
    return captionsOf(RollMusicCatalogue())
           << caption(QT_TRANSLATE_NOOP("Catalogues", "User-defined"))
           << caption(QT_TRANSLATE_NOOP("Catalogues", "None"));
}

QStringList WinnerMusicCaptions() {
    return captionsOf(WinnerMusicCatalogue())
           << caption(QT_TRANSLATE_NOOP("Catalogues", "User-defined"))
           << caption(QT_TRANSLATE_NOOP("Catalogues", "None"));
}

QString BackgroundFileForIndex(int index) {
    const CatalogueEntry* e = at(BackgroundCatalogue(), index);
    return ProgramFolder::path() + (e ? e->File : BackgroundCatalogue().front().File);
}

QString RollMusicFileForIndex(int index) {
    const CatalogueEntry* e = at(RollMusicCatalogue(), index);
    return e ? ProgramFolder::path() + e->File : QString();
}

QString WinnerMusicFileForIndex(int index) {
    const CatalogueEntry* e = at(WinnerMusicCatalogue(), index);
    return e ? ProgramFolder::path() + e->File : QString();
}

QString BackgroundFileForChoice(int index, const QString& userDefined) {
    return index < BackgroundUserDefinedIndex ? BackgroundFileForIndex(index) : userDefined;
}

QString RollMusicFileForChoice(int index, const QString& userDefined) {
    if (index == RollMusicUserDefinedIndex)
        return userDefined;
    return index < RollMusicUserDefinedIndex ? RollMusicFileForIndex(index) : QString();
}

QString WinnerMusicFileForChoice(int index, const QString& userDefined) {
    if (index == WinnerMusicUserDefinedIndex)
        return userDefined;
    return index < WinnerMusicUserDefinedIndex ? WinnerMusicFileForIndex(index) : QString();
}
