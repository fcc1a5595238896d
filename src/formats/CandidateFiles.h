#pragma once
// Reading candidate lists: one candidate per line of a text file, or the name
// column of a .csv, .xlsx or .xls table.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The entries of a candidate file, by its extension (case ignored): ".csv",
// ".xlsx" and ".xls" are read as tables, anything else as a text file.
// Throws KalvoroError naming the file when it cannot be opened or is damaged.
QStringList ReadCandidateFile(const QString& path);

// A text file's entries: every line exactly as it stands, without its line
// feed and without any carriage return; the last line counts without a line
// feed; a Ctrl-Z ends the text. Bytes are UTF-8 or else GB18030 (UTF-16 with
// a byte-order mark is recognised). A NUL byte cannot be part of a name that is
// shown or stored as text, so NUL bytes are dropped: a file of binary junk gives
// junk entries, never a crash.
QStringList ParseCandidateText(const QByteArray& bytes);

// RFC 4180 records of a CSV text: quoted fields may hold the separator, line
// breaks and doubled quotes. The separator is the one of ',', ';' and tab that
// occurs most often in the first record (',' when none does).
QList<QStringList> ParseCsv(const QString& text);

// The candidates of a table: the first column, unless the first non-empty row
// is a header with a cell "name" or "姓名" (case and blanks ignored), in which
// case that column from the next row on. Line breaks inside a cell become blanks.
QStringList CandidateColumn(const QList<QStringList>& rows);
