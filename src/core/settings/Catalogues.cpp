#include "core/settings/Catalogues.h"

#include "core/settings/ProgramFolder.h"

namespace {

CatalogueEntry entry(const char* caption, const char* file) {
    return {QString::fromUtf8(caption), QString::fromUtf8(file)};
}

QStringList captionsOf(const std::vector<CatalogueEntry>& catalogue) {
    QStringList captions;
    captions.reserve(qsizetype(catalogue.size()) + 2);
    for (const CatalogueEntry& e : catalogue)
        captions.append(e.Caption);
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
        entry("Tiger", "background/tiger.jpg"),
        entry("Abstract", "background/abstract.jpg"),
        entry("Naivete ", "background/naivete.jpg"),
        entry("Lucky", "background/lucky.jpg"),
        entry("Red", "background/red.jpg"),
        entry("Gorgeous", "background/gorgeous.jpg"),
        entry("Blue", "background/blue.jpg"),
        entry("Green", "background/green.jpg"),
        entry("Deep", "background/deep.jpg"),
        entry("Morden", "background/morden.jpg"),
        entry("Nature", "background/nature.jpg"),
        entry("Wedding", "background/wedding.jpg"),
        entry("Kung hei fat choy ", "background/gxfc.jpg"),
        entry("Happy holiday", "background/happyholiday.jpg"),
        entry("Happy New Year", "background/newyear.jpg"),
    };
    return table;
}

const std::vector<CatalogueEntry>& RollMusicCatalogue() {
    static const std::vector<CatalogueEntry> table = {
        entry("drum1", "sound/drum1.wav"),      entry("drum2", "sound/drum2.wav"),
        entry("drum3", "sound/drum3.wav"),      entry("Roll", "sound/roll.wav"),
        entry("Music1", "sound/music1.wav"),    entry("Music2", "sound/music2.wav"),
        entry("Background1", "sound/bg1.wav"),  entry("Background 2", "sound/bg2.wav"),
        entry("Background 3", "sound/bg3.wav"), entry("Background 4", "sound/bg4.wav"),
        entry("Background 5", "sound/bg5.wav"),
    };
    return table;
}

const std::vector<CatalogueEntry>& WinnerMusicCatalogue() {
    static const std::vector<CatalogueEntry> table = {
        entry("Result", "sound/result.wav"),
        entry("Music2", "sound/m2.wav"),
        entry("Music3", "sound/m3.wav"),
        entry("Applause", "sound/applause.wav"),
        entry("Gong", "sound/gong.wav"),
        entry("Drum", "sound/win3.wav"),
        entry("NBA", "sound/NBA.mp3"),
        entry("Sweet heart", "sound/sweet heart.mp3"),
        entry("F1", "sound/F1.mp3"),
        entry("Konami", "sound/konami.mp3"),
        entry("Break out", "sound/break out.mp3"),
        entry("Apache", "sound/apache.mp3"),
        entry("Life Cup", "sound/life cup.mp3"),
        entry("Violin", "sound/violin.mp3"),
        entry("Sweet", "sound/sweet.mp3"),
        entry("ButterFly", "sound/butterfly.mp3"),
        entry("HuoHuo", "sound/huohuo.mp3"),
        entry("Clarino", "sound/clarino.mp3"),
        entry("Army Clarino", "sound/army clarino.mp3"),
        entry("Portliness", "sound/portliness.mp3"),
        entry("Gongxi", "sound/gongxi.mp3"),
        entry("Happy girl", "sound/happy girl.mp3"),
        entry("DJ", "sound/DJ.mp3"),
    };
    return table;
}

QStringList BackgroundCaptions() {
    return captionsOf(BackgroundCatalogue()) << QStringLiteral("User-defined");
}

QStringList RollMusicCaptions() {
    return captionsOf(RollMusicCatalogue())
           << QStringLiteral("User-defined") << QStringLiteral("None");
}

QStringList WinnerMusicCaptions() {
    return captionsOf(WinnerMusicCatalogue())
           << QStringLiteral("User-defined") << QStringLiteral("None");
}

QString BackgroundFileForIndex(int index) {
    const CatalogueEntry* e = at(BackgroundCatalogue(), index);
    return ProgramDir() + (e ? e->File : BackgroundCatalogue().front().File);
}

QString RollMusicFileForIndex(int index) {
    const CatalogueEntry* e = at(RollMusicCatalogue(), index);
    return e ? ProgramDir() + e->File : QString();
}

QString WinnerMusicFileForIndex(int index) {
    const CatalogueEntry* e = at(WinnerMusicCatalogue(), index);
    return e ? ProgramDir() + e->File : QString();
}
