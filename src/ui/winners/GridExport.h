#pragma once
// The word winners export: a grid's rows written as a SYLK spreadsheet under a
// name ending in ".xls", then opened with the desktop's handler.
#include "formats/Sylk.h"

#include <QString>

class QTableView;

// Header data role (horizontal) holding a column's width in characters.
inline constexpr int DisplayWidthRole = Qt::UserRole + 1;

// What the save dialog makes of a confirmed name: ".xls" is appended unless the
// name's extension already is .xls in any letter case.
QString XlsDialogFileName(const QString& chosen);

// The name the export writes: the name itself when it contains ".xls" (letter
// case counts), else the name followed by ".xls". LIST.XLS becomes LIST.XLS.xls.
QString SpreadsheetExportFileName(const QString& fileName);

// The sheet the export writes: a header row ("#" and the column titles), then
// each row with its record number; the grid's visible columns in their shown
// order; widths 10 for the number, then each column's width in characters.
Sylk::Sheet GridSheet(QTableView* grid);

// Writes GridSheet to SpreadsheetExportFileName(fileName), replacing a file of
// that name without asking, and opens it with the shell. A file that cannot
// be written raises KalvoroError and the shell is not called; an existing file
// is then left as it was. `title` is not written: SYLK has no place for it.
void ExportGridToSpreadsheet(QTableView* grid, const QString& title, const QString& fileName);
