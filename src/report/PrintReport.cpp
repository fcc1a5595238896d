#include "PrintReport.h"

#include "ReportData.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace KalvoroReportImpl {

namespace {

struct Fonts {
    QFont title, header, body, footer;
};

Fonts MakeFonts() {
    Fonts f;
    f.body = QFont(QStringLiteral("DejaVu Sans"));
    f.body.setPointSizeF(10.5);
    f.title = f.body;
    f.title.setPointSizeF(18);
    f.title.setBold(true);
    f.header = f.body;
    f.header.setBold(true);
    f.footer = f.body;
    f.footer.setPointSizeF(8.5);
    return f;
}

// Lays a text out in a column, wrapping at word boundaries and, for a long
// name without spaces, anywhere.
struct Wrapped {
    QTextLayout layout;
    qreal height = 0;
};

void LayOut(Wrapped& w, const QString& text, const QFont& font, QPaintDevice* device, qreal width) {
    w.layout.setText(text);
    w.layout.setFont(QFont(font, device));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    w.layout.setTextOption(option);
    w.layout.beginLayout();
    qreal y = 0;
    const qreal leading = QFontMetricsF(font, device).leading();
    for (;;) {
        QTextLine line = w.layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(std::max<qreal>(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height() + leading;
    }
    w.layout.endLayout();
    w.height = std::max(y, QFontMetricsF(font, device).height());
}

struct Geometry {
    qreal width = 0, height = 0; // the printable area
    qreal pad = 0;               // inside a cell
    qreal numberWidth = 0, classWidth = 0, nameWidth = 0;
    qreal headTop = 0, tableTop = 0, bodyTop = 0, bodyBottom = 0, footerTop = 0;
};

} // namespace

QList<PrintRow> PrintRowsOf(const Table& table) {
    int cls = table.column(QStringLiteral("class"));
    int name = table.column(QStringLiteral("name"));
    if (cls < 0 || name < 0) {
        cls = table.columns.size() > 1 ? 0 : -1;
        name = table.columns.size() > 1 ? 1 : (table.columns.isEmpty() ? -1 : 0);
    }
    QList<PrintRow> rows;
    rows.reserve(table.rows.size());
    for (const QVariantList& r : table.rows)
        rows << PrintRow{cls >= 0 ? r.value(cls).toString() : QString(),
                         name >= 0 ? r.value(name).toString() : QString()};
    return rows;
}

void SetUpPage(QPagedPaintDevice& device) {
    const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    device.setPageSize(QPageSize(inches ? QPageSize::Letter : QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

int PaintReport(QPagedPaintDevice& device, const QString& title, const QList<PrintRow>& rows,
                const QDateTime& printedAt) {
    QPainter p;
    if (!p.begin(&device))
        return 0;
    const Fonts fonts = MakeFonts();
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    Geometry g;
    g.width = area.width();
    g.height = area.height();
    const QFontMetricsF body(fonts.body, &device);
    const QFontMetricsF head(fonts.header, &device);
    const QFontMetricsF titleMetrics(fonts.title, &device);
    const QFontMetricsF foot(fonts.footer, &device);
    g.pad = body.height() * 0.3;
    g.numberWidth = head.horizontalAdvance(QString::number(std::max<qsizetype>(rows.size(), 99)) +
                                           QLatin1Char('0')) +
                    2 * g.pad;
    g.classWidth = (g.width - g.numberWidth) * 0.36;
    g.nameWidth = g.width - g.numberWidth - g.classWidth;
    g.headTop = 0;
    g.tableTop = titleMetrics.height() + body.height() * 0.8;
    const qreal headerRowHeight = head.height() + 2 * g.pad;
    g.bodyTop = g.tableTop + headerRowHeight;
    g.footerTop = g.height - foot.height();
    g.bodyBottom = g.footerTop - foot.height();

    // Lay out every row first: the page count goes into every footer.
    struct RowLayout {
        Wrapped cls, name;
        qreal height = 0;
    };
    std::vector<RowLayout> laid(static_cast<size_t>(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        RowLayout& r = laid[static_cast<size_t>(i)];
        LayOut(r.cls, rows.at(i).cls, fonts.body, &device, g.classWidth - 2 * g.pad);
        LayOut(r.name, rows.at(i).name, fonts.body, &device, g.nameWidth - 2 * g.pad);
        // A row taller than a page is cut at the page's foot rather than lost.
        r.height =
            std::min(std::max(r.cls.height, r.name.height) + 2 * g.pad, g.bodyBottom - g.bodyTop);
    }
    QList<qsizetype> pageStarts{0};
    {
        qreal y = g.bodyTop;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const qreal h = laid[static_cast<size_t>(i)].height;
            if (y + h > g.bodyBottom && i > pageStarts.last()) {
                pageStarts << i;
                y = g.bodyTop;
            }
            y += h;
        }
    }
    const int pages = static_cast<int>(pageStarts.size());
    const QString dateText = QLocale().toString(printedAt, QStringLiteral("yyyy-MM-dd HH:mm"));
    const QColor ink(0x20, 0x20, 0x20), rule(0x70, 0x70, 0x70), shade(0xf0, 0xf0, 0xf0);

    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        p.setPen(ink);
        p.setFont(fonts.title);
        const QRectF titleRect(0, g.headTop, g.width * 0.7, titleMetrics.height());
        p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
                   titleMetrics.elidedText(title, Qt::ElideRight, titleRect.width()));
        p.setFont(fonts.body);
        p.drawText(QRectF(g.width * 0.7, g.headTop, g.width * 0.3, titleMetrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, dateText);

        // Column titles with a rule under them.
        p.setFont(fonts.header);
        const qreal hy = g.tableTop;
        p.drawText(QRectF(0, hy, g.numberWidth - g.pad, headerRowHeight),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("#"));
        p.drawText(QRectF(g.numberWidth + g.pad, hy, g.classWidth - 2 * g.pad, headerRowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   QCoreApplication::translate("KalvoroReport", "Class"));
        p.drawText(QRectF(g.numberWidth + g.classWidth + g.pad, hy, g.nameWidth - 2 * g.pad,
                          headerRowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   QCoreApplication::translate("KalvoroReport", "Name"));
        p.setPen(QPen(rule, std::max<qreal>(1, body.height() / 14)));
        p.drawLine(QPointF(0, g.bodyTop), QPointF(g.width, g.bodyTop));

        const qsizetype first = pageStarts.at(page);
        const qsizetype last = page + 1 < pages ? pageStarts.at(page + 1) : rows.size();
        qreal y = g.bodyTop;
        if (rows.isEmpty()) {
            p.setPen(ink);
            p.setFont(fonts.body);
            p.drawText(QRectF(g.pad, y + g.pad, g.width, body.height()),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       QCoreApplication::translate("KalvoroReport", "No winners"));
        }
        for (qsizetype i = first; i < last; ++i) {
            RowLayout& r = laid[static_cast<size_t>(i)];
            if (i % 2 == 1)
                p.fillRect(QRectF(0, y, g.width, r.height), shade);
            p.save();
            p.setClipRect(QRectF(0, y, g.width, r.height));
            p.setPen(ink);
            p.setFont(fonts.body);
            p.drawText(QRectF(0, y + g.pad, g.numberWidth - g.pad, body.height()),
                       Qt::AlignRight | Qt::AlignTop, QString::number(i + 1));
            r.cls.layout.draw(&p, QPointF(g.numberWidth + g.pad, y + g.pad));
            r.name.layout.draw(&p, QPointF(g.numberWidth + g.classWidth + g.pad, y + g.pad));
            p.restore();
            y += r.height;
        }
        p.setPen(QPen(rule, std::max<qreal>(1, body.height() / 20)));
        p.drawLine(QPointF(0, y), QPointF(g.width, y));

        p.setPen(ink);
        p.setFont(fonts.footer);
        const QRectF footer(0, g.footerTop, g.width, foot.height());
        p.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                   foot.elidedText(title, Qt::ElideRight, g.width * 0.6));
        p.drawText(
            footer, Qt::AlignRight | Qt::AlignVCenter,
            QCoreApplication::translate("KalvoroReport", "Page %1 of %2").arg(page + 1).arg(pages));
    }
    p.end();
    return pages;
}

} // namespace KalvoroReportImpl
