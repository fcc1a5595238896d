#pragma once
// SYLK (symbolic link) spreadsheet files: the word winners export and the
// template of the photo winners workbook. Text is written as UTF-8, which
// LibreOffice Calc reads as such; Excel reads SYLK in the ANSI code page, so
// names outside it only survive there in the .xlsx export.
//
// Also compiled into the report library, so it depends on Qt Core alone.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

#include <utility>

namespace Sylk {

// One cell: text (QString) or number (double), with an optional number format
// (index into Sheet::formats(), -1 for none).
struct Cell {
    QVariant value;
    int format = -1;

    bool isText() const { return value.typeId() == QMetaType::QString; }
    QString text() const { return value.toString(); }
    double number() const { return value.toDouble(); }
};

// One sheet, rows and columns counted from 1 as the format does.
class Sheet {
public:
    void setText(int row, int col, const QString& text, int format = -1);
    void setNumber(int row, int col, double value, int format = -1);
    void setCell(int row, int col, const Cell& cell);
    void clearCell(int row, int col);
    bool hasCell(int row, int col) const { return m_cells.contains({row, col}); }
    Cell cell(int row, int col) const { return m_cells.value({row, col}); }
    // Cells by (row, column), in row order.
    const QMap<std::pair<int, int>, Cell>& cells() const { return m_cells; }

    // Width of a column in characters; 0 when the file does not say.
    void setColumnWidth(int col, int chars);
    int columnWidth(int col) const { return m_widths.value(col); }
    const QMap<int, int>& columnWidths() const { return m_widths; }

    // Number formats in the spreadsheet's notation ("yyyy\-mm\-dd"); returns
    // the index of the format, reusing an equal one.
    int addFormat(const QString& code);
    const QStringList& formats() const { return m_formats; }

    int rowCount() const;
    int columnCount() const;

private:
    QMap<std::pair<int, int>, Cell> m_cells;
    QMap<int, int> m_widths;
    QStringList m_formats;
};

// The bytes of a SYLK file holding the sheet.
QByteArray Write(const Sheet& sheet);

// Reads a SYLK file (the records this writer uses and what Calc and Excel
// write: ID, P, F, C, B, E; others are skipped). False with a reason when the
// data is not SYLK.
bool Read(const QByteArray& data, Sheet& sheet, QString* error = nullptr);

// A text as it stands between the quotes of a K field: ";" doubled, line
// breaks as ESC " :", other control characters dropped.
QByteArray EscapeText(const QString& text);
QString UnescapeText(const QByteArray& field);

} // namespace Sylk
