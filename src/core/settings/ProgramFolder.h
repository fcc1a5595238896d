#pragma once
// Where the program's files are, and the few folder and version facts every
// window shares.
#include <QString>

namespace ProgramFolder {
// The program folder: the executable's folder with a trailing separator. Tests
// point it at a temporary program folder with setOverride().
QString path();
void setOverride(const QString& folder);

// The user's desktop folder with a trailing separator.
QString desktop();

// "3.2.0.38": the version compiled into the program.
QString version();

// A folder path with exactly one trailing native separator.
QString withTrailingSeparator(const QString& folder);
} // namespace ProgramFolder
