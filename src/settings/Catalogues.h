#pragma once
// The pictures and music that ship under the program folder, as the options
// dialog lists them: an entry's index is its position in its group.
#include <QString>
#include <QStringList>

struct CatalogueEntry {
    const char* caption;
    const char* file; // under the catalogue's folder
};

inline constexpr CatalogueEntry BackgroundCatalogue[] = {
    {"Tiger", "tiger.jpg"},
    {"Abstract", "abstract.jpg"},
    {"Naivete ", "naivete.jpg"},
    {"Lucky", "lucky.jpg"},
    {"Red", "red.jpg"},
    {"Gorgeous", "gorgeous.jpg"},
    {"Blue", "blue.jpg"},
    {"Green", "green.jpg"},
    {"Deep", "deep.jpg"},
    {"Morden", "morden.jpg"},
    {"Nature", "nature.jpg"},
    {"Wedding", "wedding.jpg"},
    {"Kung hei fat choy ", "gxfc.jpg"},
    {"Happy holiday", "happyholiday.jpg"},
    {"Happy New Year", "newyear.jpg"},
};

inline constexpr CatalogueEntry RollMusicCatalogue[] = {
    {"drum1", "drum1.wav"},      {"drum2", "drum2.wav"},      {"drum3", "drum3.wav"},
    {"Roll", "roll.wav"},        {"Music1", "music1.wav"},    {"Music2", "music2.wav"},
    {"Background1", "bg1.wav"},  {"Background 2", "bg2.wav"}, {"Background 3", "bg3.wav"},
    {"Background 4", "bg4.wav"}, {"Background 5", "bg5.wav"},
};

inline constexpr CatalogueEntry WinnerMusicCatalogue[] = {
    {"Result", "result.wav"},
    {"Music2", "m2.wav"},
    {"Music3", "m3.wav"},
    {"Applause", "applause.wav"},
    {"Gong", "gong.wav"},
    {"Drum", "win3.wav"},
    {"NBA", "NBA.mp3"},
    {"Sweet heart", "sweet heart.mp3"},
    {"F1", "F1.mp3"},
    {"Konami", "konami.mp3"},
    {"Break out", "break out.mp3"},
    {"Apache", "apache.mp3"},
    {"Life Cup", "life cup.mp3"},
    {"Violin", "violin.mp3"},
    {"Sweet", "sweet.mp3"},
    {"ButterFly", "butterfly.mp3"},
    {"HuoHuo", "huohuo.mp3"},
    {"Clarino", "clarino.mp3"},
    {"Army Clarino", "army clarino.mp3"},
    {"Portliness", "portliness.mp3"},
    {"Gongxi", "gongxi.mp3"},
    {"Happy girl", "happy girl.mp3"},
    {"DJ", "DJ.mp3"},
};

// Full paths under the program folder (AppDir). The index is taken as unsigned:
// outside the catalogue the background is the first picture and the music none.
QString BackgroundFileForIndex(int index);
QString RollMusicFileForIndex(int index);
QString WinnerMusicFileForIndex(int index);

// The captions of the option groups: the catalogue, then "User-defined", and
// for music "None".
QStringList BackgroundCaptions();
QStringList RollMusicCaptions();
QStringList WinnerMusicCaptions();
