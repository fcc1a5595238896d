#pragma once
// The pictures and music that ship in the program folder, as the options dialog
// offers them. Each radio group lists a catalogue's captions in order and then
// its extra entries ("User-defined", and "None" for music); an entry's index is
// its position in the group, and that index is what prize.ini stores.
#include <QString>
#include <QStringList>

#include <vector>

struct CatalogueEntry {
    QString Caption; // the radio button's text, exactly as shown
    QString File;    // relative to the program folder, "/"-separated
};

const std::vector<CatalogueEntry>& BackgroundCatalogue();  // 15 pictures
const std::vector<CatalogueEntry>& RollMusicCatalogue();   // 11 loops
const std::vector<CatalogueEntry>& WinnerMusicCatalogue(); // 23 sounds

// Positions of the entries that follow each catalogue in its radio group.
inline constexpr int BackgroundUserDefinedIndex = 15;
inline constexpr int RollMusicUserDefinedIndex = 11;
inline constexpr int RollMusicNoneIndex = 12;
inline constexpr int WinnerMusicUserDefinedIndex = 23;
inline constexpr int WinnerMusicNoneIndex = 24;

// Every entry of the radio groups, in order: 16, 13 and 25 captions, translated.
QStringList BackgroundCaptions();
QStringList RollMusicCaptions();
QStringList WinnerMusicCaptions();

// Index to full path under ProgramFolder::path(). The files are not checked for existence.
// An index outside the catalogue (negative ones included) gives the "Tiger"
// picture for backgrounds and the empty text for music.
QString BackgroundFileForIndex(int index);
QString RollMusicFileForIndex(int index);
QString WinnerMusicFileForIndex(int index);

// The file a group's entry stands for: the catalogue path, the user-defined
// text for "User-defined", and the empty text for "None". A background index
// below 0 is the "Tiger" picture, as the lookup gives it; a music index below 0
// is no file.
QString BackgroundFileForChoice(int index, const QString& userDefined);
QString RollMusicFileForChoice(int index, const QString& userDefined);
QString WinnerMusicFileForChoice(int index, const QString& userDefined);
