#pragma once
// Program-wide values and the free functions several windows share.
#include <QChar>
#include <QString>
#include <QStringList>

class QSqlQuery;
class QVariant;

// 0 photo mode, 1 word mode; any other integer a hand-edited prize.ini may hold.
extern int LotteryMode;
// Folder of the program's files, always ending in the native separator.
extern QString AppDir;
// Full path of the active skin description, empty until SelectSkin runs.
extern QString SkinFile;
// Announce the winner after a photo draw.
extern bool ShowWinnerFlag;
// The focus guard owes the display a restore.
extern bool FocusWarningShown;

// The program folder: the executable's folder with a trailing separator. Tests
// point it at a temporary program folder with SetProgramDirOverride().
QString ProgramDir();
void SetProgramDirOverride(const QString& dir);

// Sets SkinFile for a skin index: 0 Orange, 1 Autumn, 2 Clouds, others Orange.
void SelectSkin(int SkinIndex);

// A string list with a delimiter character, as the large display's lines need.
class TMyStringList : public QStringList {
public:
    QChar Delimiter = QLatin1Char(',');
};

// Replaces the list's contents by the pieces of Text between delimiters: an
// empty text gives no entries, a trailing delimiter an empty last entry.
void SplitByDelimiter(TMyStringList& List, const QString& Text);

// The carriage return that separates the lines of the large display.
inline constexpr QChar LineBreak = QChar(13);

// The user's desktop folder with a trailing separator.
QString GetDesktopFolder();

// "3.2.0.38": the version compiled into the program.
QString GetFileVersionText();

// A folder path with exactly one trailing native separator.
QString WithTrailingSeparator(const QString& folder);
