#include "formats/Sylk.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace Sylk {

namespace {
// Calc and Excel both read ESC " :" inside a string as a line break.
const QByteArray kLineBreak = QByteArrayLiteral("\x1b :");
const QByteArray kEol = QByteArrayLiteral("\r\n");

QByteArray numberText(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return QByteArray::number(static_cast<qlonglong>(v));
    return QByteArray::number(v, 'g', QLocale::FloatingPointShortest);
}

// Splits a record at single semicolons; a doubled one stays in its field
// (still doubled) as a literal ";".
QList<QByteArray> splitFields(const QByteArray& line) {
    QList<QByteArray> fields;
    QByteArray current;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c == ';') {
            if (i + 1 < line.size() && line.at(i + 1) == ';') {
                current += ";;";
                ++i;
                continue;
            }
            fields << current;
            current.clear();
            continue;
        }
        current += c;
    }
    fields << current;
    return fields;
}

bool toInt(const QByteArray& text, int& value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}
} // namespace

void Sheet::setText(int row, int col, const QString& text, int format) {
    m_cells.insert({row, col}, Cell{QVariant(text), format});
}

void Sheet::setNumber(int row, int col, double value, int format) {
    m_cells.insert({row, col}, Cell{QVariant(value), format});
}

void Sheet::setCell(int row, int col, const Cell& cell) {
    m_cells.insert({row, col}, cell);
}

void Sheet::clearCell(int row, int col) {
    m_cells.remove({row, col});
}

void Sheet::setColumnWidth(int col, int chars) {
    if (chars > 0)
        m_widths.insert(col, chars);
    else
        m_widths.remove(col);
}

int Sheet::addFormat(const QString& code) {
    const qsizetype found = m_formats.indexOf(code);
    if (found >= 0)
        return static_cast<int>(found);
    m_formats << code;
    return static_cast<int>(m_formats.size() - 1);
}

int Sheet::rowCount() const {
    return m_cells.isEmpty() ? 0 : m_cells.lastKey().first;
}

int Sheet::columnCount() const {
    int n = 0;
    for (auto it = m_cells.keyBegin(); it != m_cells.keyEnd(); ++it)
        n = std::max(n, it->second);
    return n;
}

QByteArray EscapeText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QString clean;
    clean.reserve(t.size());
    for (const QChar c : t) {
        // A raw line break would end the record, and ESC starts Excel's escapes.
        if (c == QLatin1Char('\n') || c == QLatin1Char('\t') ||
            (c.unicode() >= 0x20 && c.unicode() != 0x7f))
            clean += c;
    }
    QByteArray out = clean.toUtf8();
    out.replace(";", ";;");
    out.replace("\n", kLineBreak);
    return out;
}

QString UnescapeText(const QByteArray& field) {
    QByteArray b = field;
    b.replace(";;", ";");
    b.replace(kLineBreak, "\n");
    b.replace("\x1b", "");
    return QString::fromUtf8(b);
}

QByteArray Write(const Sheet& sheet) {
    QByteArray out;
    out += "ID;PKalvoro" + kEol;
    // Format 0 is General, so the sheet's format i is P index i + 1.
    out += "P;PGeneral" + kEol;
    for (const QString& code : sheet.formats()) {
        QByteArray c = code.toUtf8();
        c.replace(";", ";;");
        out += "P;P" + c + kEol;
    }
    for (auto it = sheet.columnWidths().cbegin(); it != sheet.columnWidths().cend(); ++it)
        out += "F;W" + QByteArray::number(it.key()) + ' ' + QByteArray::number(it.key()) + ' ' +
               QByteArray::number(it.value()) + kEol;
    const int rows = std::max(sheet.rowCount(), 1);
    const int cols = std::max(sheet.columnCount(), 1);
    out += "B;Y" + QByteArray::number(rows) + ";X" + QByteArray::number(cols) + kEol;
    for (auto it = sheet.cells().cbegin(); it != sheet.cells().cend(); ++it) {
        const QByteArray pos =
            ";Y" + QByteArray::number(it.key().first) + ";X" + QByteArray::number(it.key().second);
        const Cell& cell = it.value();
        if (cell.format >= 0 && cell.format < sheet.formats().size())
            out += "F;P" + QByteArray::number(cell.format + 1) + pos + kEol;
        if (!cell.value.isValid())
            continue;
        QByteArray value;
        if (cell.isText() || !std::isfinite(cell.number()))
            value = '"' + EscapeText(cell.text()) + '"';
        else
            value = numberText(cell.number());
        out += "C" + pos + ";K" + value + kEol;
    }
    out += "E" + kEol;
    return out;
}

bool Read(const QByteArray& data, Sheet& sheet, QString* error) {
    sheet = Sheet();
    if (!data.startsWith("ID;")) {
        if (error)
            *error =
                QCoreApplication::translate("Sylk", "not a SYLK file (it does not begin with ID;)");
        return false;
    }
    QMap<int, int> formatOfP; // P index -> sheet format, General and fonts left out
    int pIndex = 0;
    int row = 1, col = 1;
    for (QByteArray line : data.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = splitFields(line);
        const QByteArray& tag = fields.first();
        if (tag == "E")
            break;
        if (tag == "P") {
            // Only P;P records count as formats; P;F and P;E are fonts.
            if (fields.size() > 1 && fields.at(1).startsWith('P')) {
                QByteArray raw = fields.at(1).mid(1);
                raw.replace(";;", ";");
                const QString code = QString::fromUtf8(raw).remove(QChar(27));
                if (code.compare(QStringLiteral("General"), Qt::CaseInsensitive) != 0)
                    formatOfP.insert(pIndex, sheet.addFormat(code));
                ++pIndex;
            }
            continue;
        }
        if (tag != "C" && tag != "F")
            continue;
        std::optional<QByteArray> value;
        int format = -1;
        bool hasFormat = false;
        for (qsizetype i = 1; i < fields.size(); ++i) {
            const QByteArray& f = fields.at(i);
            if (f.isEmpty())
                continue;
            const QByteArray rest = f.mid(1);
            int n = 0;
            switch (f.at(0)) {
            case 'X':
                if (toInt(rest, n) && n > 0)
                    col = n;
                break;
            case 'Y':
                if (toInt(rest, n) && n > 0)
                    row = n;
                break;
            case 'K':
                if (tag == "C")
                    value = rest;
                break;
            case 'P':
                if (tag == "F" && toInt(rest, n)) {
                    hasFormat = true;
                    format = formatOfP.value(n, -1);
                }
                break;
            case 'W':
                if (tag == "F") {
                    const QList<QByteArray> w = rest.simplified().split(' ');
                    int first = 0, last = 0, width = 0;
                    if (w.size() == 3 && toInt(w[0], first) && toInt(w[1], last) &&
                        toInt(w[2], width))
                        for (int c = first; c <= last && c - first < 1024; ++c)
                            sheet.setColumnWidth(c, width);
                }
                break;
            default:
                break;
            }
        }
        if (tag == "F" && hasFormat) {
            Cell c = sheet.cell(row, col);
            c.format = format;
            sheet.setCell(row, col, c);
        }
        if (value) {
            Cell c = sheet.cell(row, col);
            const QByteArray& v = *value;
            if (v.startsWith('"')) {
                QByteArray inner = v.mid(1);
                if (inner.endsWith('"'))
                    inner.chop(1);
                c.value = UnescapeText(inner);
            } else {
                bool ok = false;
                const double d = v.trimmed().toDouble(&ok);
                c.value = ok ? QVariant(d) : QVariant(QString::fromUtf8(v));
            }
            sheet.setCell(row, col, c);
        }
    }
    return true;
}

} // namespace Sylk
