#pragma once
/* Kalvoro's report library: the winners workbook and the printed winners list.
 *
 * Plain C functions so that any program can call them. Every text is UTF-8 and
 * null-terminated. `Connection` names the database: the path of the SQLite
 * file (the library opens it read-only on a connection of its own). Each
 * function returns 0 on success and a non-zero code on failure; the reason is
 * then given by ReportLastError() until the next call on the same thread.
 *
 * The functions need a running QApplication (the program has one). */

#if defined(KALVORO_REPORT_BUILD)
#define KALVORO_REPORT_API __attribute__((visibility("default")))
#else
#define KALVORO_REPORT_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum KalvoroReportResult {
    KalvoroReportOk = 0,
    KalvoroReportBadArgument = 1,
    KalvoroReportDatabaseError = 2,
    KalvoroReportTemplateError = 3,
    KalvoroReportWriteError = 4,
    KalvoroReportPrintError = 5
};

/* Fills the template workbook `TemplateFile` (a SYLK file, see
 * docs/report-template.md) with the rows of `Sql` and writes the workbook
 * `OutputFile`: a real .xlsx when the name ends in ".xlsx" (any letter case),
 * else SYLK. `TemplateSheet` names the template's sheet (SYLK holds one, so it
 * is only checked for being non-empty); `OutputSheet` names the .xlsx sheet.
 * Photos: 1 puts a thumbnail of each row's `filename` into the template's
 * {photo} cells of an .xlsx; 0 leaves them empty. Reserved1..5: pass 0.
 * The file is complete when the call returns, or, on failure, an existing
 * file of that name is left as it was. */
KALVORO_REPORT_API int ExcelReport(const char* Connection, const char* Sql,
                                   const char* TemplateFile, const char* TemplateSheet,
                                   const char* OutputFile, const char* OutputSheet, int Reserved1,
                                   int Reserved2, int Reserved3, int Photos, int Reserved4,
                                   int Reserved5);

/* Shows a print preview of the rows of `Sql` (columns `class` and `name`,
 * else the first two) as a table under `Title`, with the date and page
 * numbers; from there the user prints it or saves a PDF. Returns when the
 * preview closes. */
KALVORO_REPORT_API int AnyReport(const char* Connection, const char* Sql, const char* Title);

/* The same report written to the PDF file `PdfFile` (A4) without a dialog. */
KALVORO_REPORT_API int AnyReportToPdf(const char* Connection, const char* Sql, const char* Title,
                                      const char* PdfFile);

/* Why the last call on this thread failed (UTF-8); "" after a success. */
KALVORO_REPORT_API const char* ReportLastError(void);

#ifdef __cplusplus
}
#endif
