#include "ui/winners/ReportLibrary.h"

#include <KalvoroReport.h>

namespace ReportLibrary {

namespace {
Outcome Result(int rc) {
    Outcome o;
    o.ok = rc == KalvoroReportOk;
    if (!o.ok) {
        o.error = QString::fromUtf8(ReportLastError());
        if (o.error.isEmpty())
            o.error = QStringLiteral("The report library failed (code %1).").arg(rc);
    }
    return o;
}
} // namespace

Outcome ExcelReport(const QString& Connection, const QString& Sql, const QString& TemplateFile,
                    const QString& TemplateSheet, const QString& OutputFile,
                    const QString& OutputSheet, int Reserved1, int Reserved2, int Reserved3,
                    int Photos, int Reserved4, int Reserved5) {
    return Result(::ExcelReport(Connection.toUtf8().constData(), Sql.toUtf8().constData(),
                                TemplateFile.toUtf8().constData(),
                                TemplateSheet.toUtf8().constData(), OutputFile.toUtf8().constData(),
                                OutputSheet.toUtf8().constData(), Reserved1, Reserved2, Reserved3,
                                Photos, Reserved4, Reserved5));
}

Outcome AnyReport(const QString& Connection, const QString& Sql, const QString& Title) {
    return Result(::AnyReport(Connection.toUtf8().constData(), Sql.toUtf8().constData(),
                              Title.toUtf8().constData()));
}

Outcome AnyReportToPdf(const QString& Connection, const QString& Sql, const QString& Title,
                       const QString& PdfFile) {
    return Result(::AnyReportToPdf(Connection.toUtf8().constData(), Sql.toUtf8().constData(),
                                   Title.toUtf8().constData(), PdfFile.toUtf8().constData()));
}

} // namespace ReportLibrary
