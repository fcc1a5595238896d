#pragma once
// The four parts of the program folder that the generator draws or synthesises.
// Each writes into its subfolder of programDir and throws std::runtime_error
// when a file cannot be written.
#include <QString>

void generateSounds(const QString& programDir);
void generateBackgrounds(const QString& programDir);
void generatePortraits(const QString& programDir);
void generateIcons(const QString& programDir);

// Creates the folder (and its parents) or throws.
QString ensureFolder(const QString& programDir, const QString& name);
