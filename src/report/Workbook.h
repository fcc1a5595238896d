#pragma once
// The winners workbook: a template sheet filled with the rows of a statement,
// written as SYLK or as .xlsx (see docs/report-template.md).
#include "formats/Sylk.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QSet>
#include <QString>

namespace KalvoroReportImpl {

struct Table;

struct FilledSheet {
    Sylk::Sheet sheet;
    int firstDataRow = 0; // the template's data row; rows above it are headings
    int dataRows = 0;
    QMap<int, QString> photoOfRow; // sheet row -> photo file, for {photo} cells
    QSet<int> photoColumns;
};

// Fills a template: its first row holding a {column}, {#} or {photo} field is
// repeated once per row of the table; rows above stay, rows below move down.
// {count} and {date} are filled everywhere. False with a reason in `error`.
bool FillTemplate(const Sylk::Sheet& tmpl, const Table& table, const QDateTime& now,
                  FilledSheet& out, QString& error);

// SYLK leaves out the {photo} columns: it cannot carry pictures.
QByteArray SylkWorkbook(const FilledSheet& filled);

// An .xlsx workbook with one sheet; with `photos`, a thumbnail of each row's
// photo sits in its {photo} cell.
bool XlsxWorkbook(const FilledSheet& filled, const QString& sheetName, bool photos,
                  QByteArray& bytes, QString& error);

// Days since 1899-12-30, the spreadsheets' date numbers.
double SpreadsheetDate(const QDateTime& when);
// A stored date-time text ("2024-05-01 19:30:00") as a date-time; invalid when it is not one.
QDateTime ParseStoredDateTime(const QString& text);

} // namespace KalvoroReportImpl
