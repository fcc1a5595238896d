#include "ui/winners/ReportLibrary.h"

#include <KalvoroReport.h>

#include <QCoreApplication>

namespace ReportLibrary {

namespace {
Outcome Result(int rc) {
    Outcome o;
    o.ok = rc == KalvoroReportOk;
    if (!o.ok) {
        o.error = QString::fromUtf8(ReportLastError());
        if (o.error.isEmpty())
            o.error =
                QCoreApplication::translate("ReportLibrary", "The report library failed (code %1).")
                    .arg(rc);
    }
    return o;
}
} // namespace

Outcome ExcelReport(const QString& connection, const QString& statement,
                    const QString& templateFile, const QString& templateSheet,
                    const QString& outputFile, const QString& outputSheet, int reserved1,
                    int reserved2, int reserved3, int photos, int reserved4, int reserved5) {
    return Result(::ExcelReport(connection.toUtf8().constData(), statement.toUtf8().constData(),
                                templateFile.toUtf8().constData(),
                                templateSheet.toUtf8().constData(), outputFile.toUtf8().constData(),
                                outputSheet.toUtf8().constData(), reserved1, reserved2, reserved3,
                                photos, reserved4, reserved5));
}

Outcome AnyReport(const QString& connection, const QString& statement, const QString& title) {
    return Result(::AnyReport(connection.toUtf8().constData(), statement.toUtf8().constData(),
                              title.toUtf8().constData()));
}

Outcome AnyReportToPdf(const QString& connection, const QString& statement, const QString& title,
                       const QString& pdfFile) {
    return Result(::AnyReportToPdf(connection.toUtf8().constData(), statement.toUtf8().constData(),
                                   title.toUtf8().constData(), pdfFile.toUtf8().constData()));
}

} // namespace ReportLibrary
