#pragma once
// The printed winners list: a title, the date it was printed, a table of
// number, class and name, and "Page n of m" at the foot of every page.
#include <QDateTime>
#include <QList>
#include <QString>

class QPagedPaintDevice;

namespace KalvoroReportImpl {

struct Table;

struct PrintRow {
    QString cls;
    QString name;
};

// The rows of a statement: columns `class` and `name`, else the first two.
QList<PrintRow> PrintRowsOf(const Table& table);

// A4, or Letter where the locale measures in inches, with 15 mm margins.
void SetUpPage(QPagedPaintDevice& device);

// Paints the report on a fresh device (a printer or a PDF writer); returns the
// number of pages.
int PaintReport(QPagedPaintDevice& device, const QString& title, const QList<PrintRow>& rows,
                const QDateTime& printedAt);

} // namespace KalvoroReportImpl
