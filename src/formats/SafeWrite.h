#pragma once
// Writing an export file so that a failure never leaves a half-written file in
// place of the one that was there: the bytes go to a temporary file in the same
// folder, which then replaces the target in one rename.
//
// Also compiled into the report library, so it depends on Qt Core alone.
#include <QByteArray>
#include <QString>

namespace SafeWrite {

// Writes `data` to `path`. False, with a reason for the user in `error`, when
// the folder cannot be written, the file is read-only or open in an office
// program, or the disk is full; the old file is then left as it was.
bool WriteFile(const QString& path, const QByteArray& data, QString* error);

// The office program that has `path` open, judged by the lock file it keeps
// beside it (LibreOffice ".~lock.NAME#", Microsoft Office "~$NAME"); empty when
// none does.
QString HeldOpenBy(const QString& path);

} // namespace SafeWrite
