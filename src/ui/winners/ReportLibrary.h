#pragma once
// The program's side of the report library: its C functions with Qt texts.
#include <QString>

namespace ReportLibrary {

struct Outcome {
    bool ok = true;
    QString error; // why it failed, for the user
};

Outcome ExcelReport(const QString& connection, const QString& statement,
                    const QString& templateFile, const QString& templateSheet,
                    const QString& outputFile, const QString& outputSheet, int reserved1,
                    int reserved2, int reserved3, int photos, int reserved4, int reserved5);
Outcome AnyReport(const QString& connection, const QString& statement, const QString& title);
Outcome AnyReportToPdf(const QString& connection, const QString& statement, const QString& title,
                       const QString& pdfFile);

} // namespace ReportLibrary
