#pragma once
// The program's side of the report library: its C functions with Qt texts.
#include <QString>

namespace ReportLibrary {

struct Outcome {
    bool ok = true;
    QString error; // why it failed, for the user
};

Outcome ExcelReport(const QString& Connection, const QString& Sql, const QString& TemplateFile,
                    const QString& TemplateSheet, const QString& OutputFile,
                    const QString& OutputSheet, int Reserved1, int Reserved2, int Reserved3,
                    int Photos, int Reserved4, int Reserved5);
Outcome AnyReport(const QString& Connection, const QString& Sql, const QString& Title);
Outcome AnyReportToPdf(const QString& Connection, const QString& Sql, const QString& Title,
                       const QString& PdfFile);

} // namespace ReportLibrary
