#include "KalvoroReport.h"

#include "PrintReport.h"
#include "ReportData.h"
#include "Workbook.h"
#include "formats/SafeWrite.h"
#include "formats/Sylk.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <exception>

using namespace KalvoroReportImpl;

namespace {

thread_local QByteArray t_lastError;

int Fail(int code, const QString& why) {
    t_lastError = why.toUtf8();
    return code;
}

QString Text(const char* s) {
    return s ? QString::fromUtf8(s) : QString();
}

// No exception may cross into a C caller.
template <class F> int Guard(F&& body) {
    t_lastError.clear();
    try {
        return body();
    } catch (const std::exception& e) {
        return Fail(KalvoroReportPrintError, QString::fromUtf8(e.what()));
    } catch (...) {
        return Fail(
            KalvoroReportPrintError,
            QCoreApplication::translate("KalvoroReport", "Unknown error in the report library"));
    }
}

int ReadPrintRows(const char* Connection, const char* Sql, QList<PrintRow>& rows) {
    if (!Connection || !Sql)
        return Fail(KalvoroReportBadArgument,
                    QCoreApplication::translate("KalvoroReport",
                                                "The database or the statement is missing."));
    Table table;
    QString error;
    if (!RunStatement(Text(Connection), Text(Sql), table, error))
        return Fail(KalvoroReportDatabaseError, error);
    rows = PrintRowsOf(table);
    return KalvoroReportOk;
}

} // namespace

extern "C" {

int ExcelReport(const char* Connection, const char* Sql, const char* TemplateFile,
                const char* TemplateSheet, const char* OutputFile, const char* OutputSheet,
                int Reserved1, int Reserved2, int Reserved3, int Photos, int Reserved4,
                int Reserved5) {
    Q_UNUSED(Reserved1);
    Q_UNUSED(Reserved2);
    Q_UNUSED(Reserved3);
    Q_UNUSED(Reserved4);
    Q_UNUSED(Reserved5);
    return Guard([&]() -> int {
        if (!Connection || !Sql || !TemplateFile || !OutputFile)
            return Fail(
                KalvoroReportBadArgument,
                QCoreApplication::translate(
                    "KalvoroReport", "The database, statement, template or output is missing."));
        const QString templatePath = Text(TemplateFile);
        const QString output = Text(OutputFile);
        if (output.trimmed().isEmpty())
            return Fail(KalvoroReportBadArgument,
                        QCoreApplication::translate("KalvoroReport", "No output file was named."));
        if (Text(TemplateSheet).trimmed().isEmpty())
            return Fail(
                KalvoroReportBadArgument,
                QCoreApplication::translate("KalvoroReport", "No template sheet was named."));
        const QFileInfo out(output), tmpl(templatePath);
        if (tmpl.exists() && out.exists() && out.canonicalFilePath() == tmpl.canonicalFilePath())
            return Fail(
                KalvoroReportBadArgument,
                QCoreApplication::translate(
                    "KalvoroReport", "The workbook cannot be written over its own template %1.")
                    .arg(QDir::toNativeSeparators(templatePath)));

        QFile file(templatePath);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(
                KalvoroReportTemplateError,
                QCoreApplication::translate("KalvoroReport", "The template %1 cannot be read: %2")
                    .arg(QDir::toNativeSeparators(templatePath), file.errorString()));
        Sylk::Sheet templ;
        QString error;
        if (!Sylk::Read(file.readAll(), templ, &error))
            return Fail(
                KalvoroReportTemplateError,
                QCoreApplication::translate("KalvoroReport", "The template %1 cannot be used: %2")
                    .arg(QDir::toNativeSeparators(templatePath), error));

        Table table;
        if (!RunStatement(Text(Connection), Text(Sql), table, error))
            return Fail(KalvoroReportDatabaseError, error);

        FilledSheet filled;
        if (!FillTemplate(templ, table, QDateTime::currentDateTime(), filled, error))
            return Fail(
                KalvoroReportTemplateError,
                QCoreApplication::translate("KalvoroReport", "The template %1 cannot be used: %2")
                    .arg(QDir::toNativeSeparators(templatePath), error));

        QByteArray bytes;
        if (output.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) {
            const QString sheet = Text(OutputSheet);
            if (!XlsxWorkbook(filled, sheet, Photos != 0, bytes, error))
                return Fail(KalvoroReportWriteError, error);
        } else {
            bytes = SylkWorkbook(filled);
        }
        if (!SafeWrite::WriteFile(output, bytes, &error))
            return Fail(KalvoroReportWriteError, error);
        return KalvoroReportOk;
    });
}

int AnyReport(const char* Connection, const char* Sql, const char* Title) {
    return Guard([&]() -> int {
        QList<PrintRow> rows;
        if (const int rc = ReadPrintRows(Connection, Sql, rows))
            return rc;
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return Fail(KalvoroReportPrintError,
                        QCoreApplication::translate(
                            "KalvoroReport", "The print preview needs a running application."));
        const QString title = Text(Title);
        const QDateTime printedAt = QDateTime::currentDateTime();
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(title);
        printer.setCreator(QStringLiteral("Kalvoro"));
        SetUpPage(printer);
        QWidget* parent = QApplication::activeModalWidget();
        if (!parent)
            parent = QApplication::activeWindow();
        QPrintPreviewDialog preview(&printer, parent);
        preview.setObjectName(QStringLiteral("ReportPreview"));
        preview.setWindowTitle(
            QCoreApplication::translate("KalvoroReport", "%1 - Print preview").arg(title));
        // Big enough to read a page; the dialog's own default is a thumbnail.
        if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
            const QRect free = screen->availableGeometry();
            preview.resize(std::min(900, free.width() * 9 / 10), free.height() * 9 / 10);
        }
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* target) { PaintReport(*target, title, rows, printedAt); });
        preview.exec();
        return KalvoroReportOk;
    });
}

int AnyReportToPdf(const char* Connection, const char* Sql, const char* Title,
                   const char* PdfFile) {
    return Guard([&]() -> int {
        if (!PdfFile || !*PdfFile)
            return Fail(KalvoroReportBadArgument,
                        QCoreApplication::translate("KalvoroReport", "No PDF file was named."));
        QList<PrintRow> rows;
        if (const int rc = ReadPrintRows(Connection, Sql, rows))
            return rc;
        const QString title = Text(Title);
        // Painted into memory first, so a failure leaves no broken PDF behind.
        QByteArray pdf;
        {
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setTitle(title);
            writer.setCreator(QStringLiteral("Kalvoro"));
            writer.setResolution(600);
            SetUpPage(writer);
            if (PaintReport(writer, title, rows, QDateTime::currentDateTime()) < 1)
                return Fail(
                    KalvoroReportPrintError,
                    QCoreApplication::translate("KalvoroReport", "The report could not be drawn."));
        }
        QString error;
        if (!SafeWrite::WriteFile(Text(PdfFile), pdf, &error))
            return Fail(KalvoroReportWriteError, error);
        return KalvoroReportOk;
    });
}

const char* ReportLastError(void) {
    return t_lastError.constData();
}

} // extern "C"
