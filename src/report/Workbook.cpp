#include "Workbook.h"

#include "ReportData.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace KalvoroReportImpl {

namespace {

const QRegularExpression& FieldPattern() {
    static const QRegularExpression re(QStringLiteral("\\{([^{}]+)\\}"));
    return re;
}

bool IsRowField(const QString& name, const Table& table) {
    return name == QLatin1String("#") ||
           name.compare(QLatin1String("photo"), Qt::CaseInsensitive) == 0 ||
           table.column(name) >= 0;
}

bool IsNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QString DisplayText(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toString();
}

// A value put into a cell whose template cell has `format`: numbers and, under
// a number format, date-time texts become numbers; everything else is text, so
// that a ticket number such as 007 keeps its zeros.
Sylk::Cell TypedCell(const QVariant& v, int format) {
    Sylk::Cell c;
    c.format = format;
    if (v.isNull())
        return c;
    if (IsNumber(v)) {
        c.value = v.toDouble();
        return c;
    }
    if (format >= 0) {
        const QDateTime when =
            v.typeId() == QMetaType::QDateTime ? v.toDateTime() : ParseStoredDateTime(v.toString());
        if (when.isValid()) {
            c.value = SpreadsheetDate(when);
            return c;
        }
    }
    c.value = DisplayText(v);
    return c;
}

// Fills the {count} and {date} fields of a heading or footing cell.
Sylk::Cell FixedCell(const Sylk::Cell& t, qsizetype count, const QDateTime& now) {
    if (!t.isText())
        return t;
    const QString text = t.text().trimmed();
    if (text.compare(QLatin1String("{count}"), Qt::CaseInsensitive) == 0)
        return Sylk::Cell{QVariant(double(count)), t.format};
    if (text.compare(QLatin1String("{date}"), Qt::CaseInsensitive) == 0)
        return TypedCell(now, t.format);
    QString out = t.text();
    out.replace(QStringLiteral("{count}"), QString::number(count), Qt::CaseInsensitive);
    out.replace(QStringLiteral("{date}"), now.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                Qt::CaseInsensitive);
    return Sylk::Cell{QVariant(out), t.format};
}

} // namespace

double SpreadsheetDate(const QDateTime& when) {
    static const QDate epoch(1899, 12, 30);
    return double(epoch.daysTo(when.date())) + when.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime ParseStoredDateTime(const QString& text) {
    static const QRegularExpression shape(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}([ T]\\d{2}:\\d{2}(:\\d{2}(\\.\\d+)?)?)?$"));
    const QString t = text.trimmed();
    if (!shape.match(t).hasMatch())
        return {};
    for (const char* f : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm",
                          "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-ddTHH:mm", "yyyy-MM-dd"}) {
        const QDateTime d = QDateTime::fromString(t, QLatin1String(f));
        if (d.isValid())
            return d;
    }
    return {};
}

bool FillTemplate(const Sylk::Sheet& tmpl, const Table& table, const QDateTime& now,
                  FilledSheet& out, QString& error) {
    out = FilledSheet();
    for (const QString& f : tmpl.formats())
        out.sheet.addFormat(f);
    for (auto it = tmpl.columnWidths().cbegin(); it != tmpl.columnWidths().cend(); ++it)
        out.sheet.setColumnWidth(it.key(), it.value());

    int dataRow = 0;
    for (auto it = tmpl.cells().cbegin(); it != tmpl.cells().cend() && !dataRow; ++it) {
        if (!it->isText())
            continue;
        auto m = FieldPattern().globalMatch(it->text());
        while (m.hasNext())
            if (IsRowField(m.next().captured(1).trimmed(), table)) {
                dataRow = it.key().first;
                break;
            }
    }
    if (!dataRow) {
        error = QCoreApplication::translate(
                    "KalvoroReport",
                    "The template has no row with a field of the statement's columns (%1).")
                    .arg(table.columns.join(QStringLiteral(", ")));
        return false;
    }
    out.firstDataRow = dataRow;
    out.dataRows = static_cast<int>(table.rows.size());
    const qsizetype count = table.rows.size();
    const int filenameColumn = table.column(QStringLiteral("filename"));

    for (auto it = tmpl.cells().cbegin(); it != tmpl.cells().cend(); ++it) {
        const int row = it.key().first;
        const int col = it.key().second;
        if (row < dataRow) {
            out.sheet.setCell(row, col, FixedCell(*it, count, now));
        } else if (row > dataRow) {
            out.sheet.setCell(row + out.dataRows - 1, col, FixedCell(*it, count, now));
        }
    }

    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        const QVariantList& values = table.rows.at(i);
        const int row = dataRow + static_cast<int>(i);
        auto valueOf = [&](const QString& name) -> QVariant {
            if (name == QLatin1String("#"))
                return qlonglong(i + 1);
            const int c = table.column(name);
            return c >= 0 ? values.value(c) : QVariant();
        };
        for (auto it = tmpl.cells().lowerBound({dataRow, 0});
             it != tmpl.cells().cend() && it.key().first == dataRow; ++it) {
            const int col = it.key().second;
            const Sylk::Cell& t = *it;
            if (!t.isText()) {
                out.sheet.setCell(row, col, t);
                continue;
            }
            const QString text = t.text().trimmed();
            const auto whole = FieldPattern().match(text);
            if (whole.hasMatch() && whole.capturedLength(0) == text.size()) {
                const QString name = whole.captured(1).trimmed();
                if (name.compare(QLatin1String("photo"), Qt::CaseInsensitive) == 0) {
                    out.photoColumns.insert(col);
                    if (filenameColumn >= 0)
                        out.photoOfRow.insert(row, values.value(filenameColumn).toString());
                    continue;
                }
                if (name.compare(QLatin1String("count"), Qt::CaseInsensitive) == 0 ||
                    name.compare(QLatin1String("date"), Qt::CaseInsensitive) == 0) {
                    out.sheet.setCell(row, col, FixedCell(t, count, now));
                    continue;
                }
                if (IsRowField(name, table)) {
                    const Sylk::Cell c = TypedCell(valueOf(name), t.format);
                    if (c.value.isValid() || c.format >= 0)
                        out.sheet.setCell(row, col, c);
                    continue;
                }
            }
            // Fields inside other text are filled as text.
            QString filled;
            qsizetype last = 0;
            auto m = FieldPattern().globalMatch(t.text());
            while (m.hasNext()) {
                const auto f = m.next();
                filled += t.text().mid(last, f.capturedStart(0) - last);
                const QString name = f.captured(1).trimmed();
                if (IsRowField(name, table) &&
                    name.compare(QLatin1String("photo"), Qt::CaseInsensitive) != 0)
                    filled += DisplayText(valueOf(name));
                else
                    filled += FixedCell(Sylk::Cell{QVariant(f.captured(0)), -1}, count, now).text();
                last = f.capturedEnd(0);
            }
            filled += t.text().mid(last);
            out.sheet.setCell(row, col, Sylk::Cell{QVariant(filled), t.format});
        }
    }
    return true;
}

QByteArray SylkWorkbook(const FilledSheet& filled) {
    if (filled.photoColumns.isEmpty())
        return Sylk::Write(filled.sheet);
    Sylk::Sheet s = filled.sheet;
    for (const int col : filled.photoColumns) {
        s.setColumnWidth(col, 0);
        for (int row = 1; row <= s.rowCount(); ++row)
            s.clearCell(row, col);
    }
    return Sylk::Write(s);
}

namespace {

// A thumbnail of a photo as PNG bytes, at most `box` pixels either way; empty
// when the file is missing or not a picture.
QByteArray Thumbnail(const QString& path, int box, QSize& size) {
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > box * 4 || full.height() > box * 4))
        reader.setScaledSize(full.scaled(box * 4, box * 4, Qt::KeepAspectRatio));
    QImage img = reader.read();
    if (img.isNull())
        return {};
    img = img.scaled(box, box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    size = img.size();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "PNG"))
        return {};
    return png;
}

QString SheetName(const QString& wanted) {
    QString name = wanted;
    static const QRegularExpression bad(QStringLiteral("[\\[\\]:*?/\\\\]"));
    name.remove(bad);
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        name.remove(QLatin1Char('\''));
    name.truncate(31);
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

} // namespace

bool XlsxWorkbook(const FilledSheet& filled, const QString& sheetName, bool photos,
                  QByteArray& bytes, QString& error) {
    QTemporaryDir work;
    if (!work.isValid()) {
        error =
            QCoreApplication::translate("KalvoroReport", "No temporary folder for the workbook: %1")
                .arg(work.errorString());
        return false;
    }
    const QByteArray path = QFile::encodeName(work.filePath(QStringLiteral("book.xlsx")));
    const QByteArray tmp = QFile::encodeName(work.path());
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.tmpdir = const_cast<char*>(tmp.constData());
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    if (!book) {
        error = QCoreApplication::translate("KalvoroReport", "The workbook could not be started.");
        return false;
    }
    const QByteArray name = SheetName(sheetName).toUtf8();
    lxw_worksheet* sheet = workbook_add_worksheet(book, name.constData());

    // One format object per (number format, bold) in use.
    QMap<std::pair<int, bool>, lxw_format*> formats;
    // Every cell centred vertically, so texts sit beside the thumbnails.
    auto formatFor = [&](int numberFormat, bool bold) -> lxw_format* {
        const auto key = std::make_pair(numberFormat, bold);
        if (lxw_format* f = formats.value(key))
            return f;
        lxw_format* f = workbook_add_format(book);
        if (numberFormat >= 0 && numberFormat < filled.sheet.formats().size()) {
            QString code = filled.sheet.formats().at(numberFormat);
            const QByteArray c = code.toUtf8();
            format_set_num_format(f, c.constData());
        }
        if (bold)
            format_set_bold(f);
        format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        formats.insert(key, f);
        return f;
    };

    for (auto it = filled.sheet.columnWidths().cbegin(); it != filled.sheet.columnWidths().cend();
         ++it)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(it.key() - 1),
                             static_cast<lxw_col_t>(it.key() - 1), it.value(), nullptr);

    for (auto it = filled.sheet.cells().cbegin(); it != filled.sheet.cells().cend(); ++it) {
        const auto row = static_cast<lxw_row_t>(it.key().first - 1);
        const auto col = static_cast<lxw_col_t>(it.key().second - 1);
        const bool heading = it.key().first < filled.firstDataRow;
        lxw_format* f = formatFor(it->format, heading);
        if (!it->value.isValid()) {
            worksheet_write_blank(sheet, row, col, f);
        } else if (it->isText()) {
            const QByteArray t = it->text().toUtf8();
            worksheet_write_string(sheet, row, col, t.constData(), f);
        } else {
            worksheet_write_number(sheet, row, col, it->number(), f);
        }
    }

    // Thumbnails: libxlsxwriter reads the buffers when the book is closed.
    constexpr int box = 64;
    std::vector<QByteArray> pictures;
    pictures.reserve(static_cast<size_t>(filled.photoOfRow.size()));
    if (photos && !filled.photoColumns.isEmpty()) {
        const int col = *std::min_element(filled.photoColumns.cbegin(), filled.photoColumns.cend());
        worksheet_set_column(sheet, static_cast<lxw_col_t>(col - 1),
                             static_cast<lxw_col_t>(col - 1),
                             std::max(filled.sheet.columnWidth(col), 10), nullptr);
        for (auto it = filled.photoOfRow.cbegin(); it != filled.photoOfRow.cend(); ++it) {
            QSize size;
            QByteArray png = Thumbnail(it.value(), box, size);
            if (png.isEmpty())
                continue;
            pictures.push_back(std::move(png));
            const QByteArray& buf = pictures.back();
            lxw_image_options io{};
            io.x_offset = 3;
            io.y_offset = 3;
            const auto row = static_cast<lxw_row_t>(it.key() - 1);
            // Pixels to points at the 96 dpi the spreadsheets assume.
            worksheet_set_row(sheet, row, (box + 6) * 0.75, nullptr);
            worksheet_insert_image_buffer_opt(
                sheet, row, static_cast<lxw_col_t>(col - 1),
                reinterpret_cast<const unsigned char*>(buf.constData()),
                static_cast<size_t>(buf.size()), &io);
        }
    }

    const lxw_error rc = workbook_close(book);
    if (rc != LXW_NO_ERROR) {
        error =
            QCoreApplication::translate("KalvoroReport", "The workbook could not be written: %1")
                .arg(QString::fromUtf8(lxw_strerror(rc)));
        return false;
    }
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error =
            QCoreApplication::translate("KalvoroReport", "The workbook could not be read back: %1")
                .arg(file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

} // namespace KalvoroReportImpl
