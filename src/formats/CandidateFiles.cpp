#include "formats/CandidateFiles.h"

#include "formats/Errors.h"
#include "formats/TextDecoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <freexl.h>
#include <zip.h>

namespace {

constexpr char CtrlZ = 0x1A;
constexpr QChar CtrlZChar = QChar(char16_t(0x1A));
// Limits against crafted files. A guest list of a few thousand names is a few
// hundred kilobytes, so each sits orders of magnitude above any real list while
// keeping memory well inside what a party laptop has.
constexpr qint64 MaxTextFileSize = 512ll * 1024 * 1024;
constexpr qsizetype MaxEntries = 5'000'000;
constexpr int MaxColumns = 16384; // column XFD, the last a spreadsheet has

QString fileError(const QString& path, const QString& reason) {
    return QCoreApplication::translate("CandidateFiles", "Cannot read %1: %2").arg(path, reason);
}

QString damaged(const QString& path, const QString& what, const QString& detail = {}) {
    QString text =
        QCoreApplication::translate("CandidateFiles", "%1 is not a readable %2").arg(path, what);
    if (!detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(detail);
    return text;
}

[[noreturn]] void tooManyEntries(const QString& path) {
    throw KalvoroError(fileError(
        path, QCoreApplication::translate("CandidateFiles", "it has more than %L1 entries")
                  .arg(MaxEntries)));
}

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        throw KalvoroError(fileError(
            path, QCoreApplication::translate("CandidateFiles", "the file does not exist")));
    if (QFileInfo(path).isDir())
        throw KalvoroError(
            fileError(path, QCoreApplication::translate("CandidateFiles", "it is a folder")));
    if (!file.open(QIODevice::ReadOnly))
        throw KalvoroError(fileError(path, file.errorString()));
    if (file.size() > MaxTextFileSize)
        throw KalvoroError(
            fileError(path, QCoreApplication::translate(
                                "CandidateFiles", "it is larger than %1 MB, too large for a list")
                                .arg(MaxTextFileSize / (1024 * 1024))));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw KalvoroError(fileError(path, file.errorString()));
    return bytes;
}

// Text of a text-like file: cut at Ctrl-Z, decoded, without NUL characters.
QString decodeTextFile(const QByteArray& bytes) {
    QByteArray head = bytes;
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16) {
        // Cut before decoding so that junk after the end mark cannot make a
        // UTF-8 file look like GB18030 (0x1A is never part of a multi-byte
        // character in either).
        const qsizetype end = head.indexOf(CtrlZ);
        if (end >= 0)
            head.truncate(end);
    }
    QString text = DecodeLegacyText(head);
    const qsizetype end = text.indexOf(CtrlZChar);
    if (end >= 0)
        text.truncate(end);
    text.remove(QChar(0));
    return text;
}

QString numberText(double d) {
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
        return QString::number(static_cast<qlonglong>(d));
    return QString::number(d, 'g', 15);
}

// ---- xlsx ------------------------------------------------------------------

// Checked from the central directory before anything is inflated. Real sheet
// XML compresses 10 to 30 times; a zip bomb's entries compress about 1000 times.
constexpr zip_uint64_t MaxPartSize = 256ull * 1024 * 1024;
constexpr zip_uint64_t MaxRatio = 200;
constexpr zip_uint64_t RatioCheckedFrom = 4ull * 1024 * 1024;

class ZipArchive {
public:
    explicit ZipArchive(const QString& path) : m_path(path) {
        int error = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
        if (!m_zip) {
            zip_error_t ze;
            zip_error_init_with_code(&ze, error);
            const QString reason = QString::fromUtf8(zip_error_strerror(&ze));
            zip_error_fini(&ze);
            throw KalvoroError(damaged(
                path, QCoreApplication::translate("CandidateFiles", ".xlsx workbook"), reason));
        }
    }
    ~ZipArchive() {
        if (m_zip)
            zip_discard(m_zip);
    }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const QString& name) const {
        return zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0;
    }

    QByteArray read(const QString& name) const {
        const QByteArray n = name.toUtf8();
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat(m_zip, n.constData(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
            fail(QCoreApplication::translate("CandidateFiles", "%1 is missing").arg(name));
        if (st.size > MaxPartSize)
            fail(QCoreApplication::translate("CandidateFiles", "%1 would unpack to more than %2 MB")
                     .arg(name)
                     .arg(MaxPartSize / (1024 * 1024)));
        if (st.size > RatioCheckedFrom && (st.valid & ZIP_STAT_COMP_SIZE) &&
            st.size / std::max<zip_uint64_t>(st.comp_size, 1) > MaxRatio)
            fail(QCoreApplication::translate("CandidateFiles", "%1 is compressed more than %2 to 1")
                     .arg(name)
                     .arg(MaxRatio));
        zip_file_t* f = zip_fopen(m_zip, n.constData(), 0);
        if (!f)
            fail(QString::fromUtf8(zip_strerror(m_zip)));
        QByteArray data(static_cast<qsizetype>(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(f, data.data(), st.size);
        const QString reason = QString::fromUtf8(zip_file_strerror(f));
        zip_fclose(f);
        if (got < 0 || static_cast<zip_uint64_t>(got) != st.size)
            fail(reason);
        return data;
    }

    [[noreturn]] void fail(const QString& detail) const {
        throw KalvoroError(damaged(
            m_path, QCoreApplication::translate("CandidateFiles", ".xlsx workbook"), detail));
    }

private:
    QString m_path;
    zip_t* m_zip = nullptr;
};

// "xl/" + "worksheets/sheet1.xml", or an absolute target "/xl/..." from the
// package root. A target that climbs out of the package names no part in it.
QString resolvePart(const ZipArchive& zip, const QString& base, const QString& target) {
    const auto bad = [&] {
        zip.fail(QCoreApplication::translate("CandidateFiles",
                                             "a relationship points outside the workbook: %1")
                     .arg(target));
    };
    if (target.isEmpty() || target.contains(QLatin1Char('\\')) || target.contains(QLatin1Char(':')))
        bad();
    QStringList parts;
    if (!target.startsWith(QLatin1Char('/')))
        parts = base.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& p : target.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (p == QLatin1String("..")) {
            if (parts.isEmpty())
                bad();
            parts.removeLast();
        } else if (p != QLatin1String(".")) {
            parts.append(p);
        }
    }
    if (parts.isEmpty())
        bad();
    return parts.join(QLatin1Char('/'));
}

// One list entry per table row: a table cell may hold line breaks, and a
// candidate is shown as one line.
QString oneLine(QString entry) {
    entry.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    entry.replace(QLatin1Char('\r'), QLatin1Char(' '));
    entry.replace(QLatin1Char('\n'), QLatin1Char(' '));
    entry.remove(QChar(0));
    return entry;
}

bool isNameHeader(const QString& cell) {
    const QString t = cell.trimmed();
    return t.compare(QLatin1String("name"), Qt::CaseInsensitive) == 0 ||
           t == QString::fromUtf8("姓名");
}

// Reads an element's text runs (<t>), leaving out phonetic guides (<rPh>); the
// reader is on the start of the element and ends on its end.
QString collectText(QXmlStreamReader& xml) {
    QString text;
    int phonetic = 0;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (xml.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (xml.name() == QLatin1String("t") && phonetic == 0) {
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
            if (xml.name() == QLatin1String("rPh"))
                --phonetic;
        }
    }
    return text;
}

// Column index of a cell reference such as "AB12" (0 for "A").
int columnOf(QStringView ref) {
    int col = 0;
    int letters = 0;
    for (QChar c : ref) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        col = col * 26 + (u - u'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters == 0 ? -1 : col - 1;
}

QStringList readXlsx(const QString& path) {
    ZipArchive zip(path);

    // The first sheet in workbook order, through the workbook's relationships.
    QString sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    QString stringsPart = QStringLiteral("xl/sharedStrings.xml");
    if (!zip.contains(QStringLiteral("xl/workbook.xml")))
        zip.fail(QCoreApplication::translate("CandidateFiles", "xl/workbook.xml is missing"));
    QString firstSheetId;
    {
        QXmlStreamReader xml(zip.read(QStringLiteral("xl/workbook.xml")));
        while (!xml.atEnd() && firstSheetId.isEmpty()) {
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                xml.name() == QLatin1String("sheet")) {
                for (const QXmlStreamAttribute& a : xml.attributes()) {
                    if (a.name() == QLatin1String("id") && !a.prefix().isEmpty())
                        firstSheetId = a.value().toString();
                }
            }
        }
        if (xml.hasError())
            zip.fail(xml.errorString());
    }
    const QString rels = QStringLiteral("xl/_rels/workbook.xml.rels");
    if (zip.contains(rels)) {
        QXmlStreamReader xml(zip.read(rels));
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement ||
                xml.name() != QLatin1String("Relationship"))
                continue;
            const auto attrs = xml.attributes();
            const QString target = attrs.value(QLatin1String("Target")).toString();
            if (!firstSheetId.isEmpty() && attrs.value(QLatin1String("Id")) == firstSheetId)
                sheetPart = resolvePart(zip, QStringLiteral("xl"), target);
            if (attrs.value(QLatin1String("Type")).endsWith(QLatin1String("/sharedStrings")))
                stringsPart = resolvePart(zip, QStringLiteral("xl"), target);
        }
        if (xml.hasError())
            zip.fail(xml.errorString());
    }

    QStringList shared;
    if (zip.contains(stringsPart)) {
        QXmlStreamReader xml(zip.read(stringsPart));
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                xml.name() == QLatin1String("si")) {
                if (shared.size() >= MaxEntries)
                    tooManyEntries(path);
                shared.append(collectText(xml));
            }
        }
        if (xml.hasError())
            zip.fail(xml.errorString());
    }

    // Only the name column is kept, so a cell in column XFD cannot make every
    // row 16384 cells wide; the first non-empty row (kept sparsely) tells which.
    QStringList entries;
    QMap<int, QString> firstRow;
    QString rowEntry;
    int nameColumn = -1;
    QXmlStreamReader xml(zip.read(sheetPart));
    bool inRow = false;
    int nextColumn = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("row")) {
            firstRow.clear();
            rowEntry.clear();
            inRow = true;
            nextColumn = 0;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("row")) {
            inRow = false;
            if (nameColumn < 0) {
                if (std::all_of(firstRow.cbegin(), firstRow.cend(),
                                [](const QString& cell) { return cell.trimmed().isEmpty(); }))
                    continue;
                const auto header = std::find_if(firstRow.cbegin(), firstRow.cend(), isNameHeader);
                nameColumn = header == firstRow.cend() ? 0 : header.key();
                if (header != firstRow.cend())
                    continue;
                rowEntry = firstRow.value(0);
            }
            if (entries.size() >= MaxEntries)
                tooManyEntries(path);
            entries.append(oneLine(rowEntry));
        } else if (inRow && xml.isStartElement() && xml.name() == QLatin1String("c")) {
            const auto attrs = xml.attributes();
            int col = columnOf(attrs.value(QLatin1String("r")));
            if (col < 0)
                col = nextColumn;
            nextColumn = col + 1;
            const QString type = attrs.value(QLatin1String("t")).toString();
            QString value;
            bool haveValue = false;
            QString inlineText;
            int depth = 1;
            while (depth > 0 && !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement()) {
                    if (xml.name() == QLatin1String("v")) {
                        value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                        haveValue = true;
                    } else if (xml.name() == QLatin1String("is")) {
                        inlineText = collectText(xml);
                    } else {
                        ++depth;
                    }
                } else if (xml.isEndElement()) {
                    --depth;
                }
            }
            QString cell;
            if (type == QLatin1String("s")) {
                bool ok = false;
                const int index = value.trimmed().toInt(&ok);
                if (haveValue && (!ok || index < 0 || index >= shared.size()))
                    zip.fail(QCoreApplication::translate("CandidateFiles",
                                                         "a cell names a missing shared string"));
                if (haveValue)
                    cell = shared.at(index);
            } else if (type == QLatin1String("inlineStr")) {
                cell = inlineText;
            } else if (type == QLatin1String("b")) {
                cell = value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE")
                                                             : QStringLiteral("FALSE");
            } else if (type == QLatin1String("str") || type == QLatin1String("e") ||
                       type == QLatin1String("d")) {
                cell = value;
            } else if (haveValue) {
                bool ok = false;
                const double d = value.trimmed().toDouble(&ok);
                cell = ok ? numberText(d) : value;
            }
            if (col >= MaxColumns)
                zip.fail(QCoreApplication::translate("CandidateFiles",
                                                     "a cell lies beyond the last column"));
            if (nameColumn < 0)
                firstRow[col] = cell;
            else if (col == nameColumn)
                rowEntry = cell;
        }
    }
    if (xml.hasError())
        zip.fail(xml.errorString());
    return entries;
}

// ---- xls -------------------------------------------------------------------

QString freexlReason(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QCoreApplication::translate("CandidateFiles", "the file cannot be opened");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QCoreApplication::translate("CandidateFiles", "not enough memory");
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
        return QCoreApplication::translate("CandidateFiles", "unsupported text encoding");
    default:
        return QCoreApplication::translate("CandidateFiles", "error %1").arg(code);
    }
}

QStringList readXls(const QString& path) {
    const QString what = QCoreApplication::translate("CandidateFiles", "Excel 97-2003 workbook");
    const void* handle = nullptr;
    struct Closer {
        const void*& h;
        ~Closer() {
            if (h)
                freexl_close(h);
        }
    } closer{handle};
    int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (rc != FREEXL_OK)
        throw KalvoroError(damaged(path, what, freexlReason(rc)));
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED)
        throw KalvoroError(damaged(
            path, what, QCoreApplication::translate("CandidateFiles", "it is password-protected")));
    rc = freexl_select_active_worksheet(handle, 0);
    unsigned int rowCount = 0;
    unsigned short columnCount = 0;
    if (rc == FREEXL_OK)
        rc = freexl_worksheet_dimensions(handle, &rowCount, &columnCount);
    if (rc != FREEXL_OK)
        throw KalvoroError(damaged(path, what, freexlReason(rc)));

    if (rowCount > MaxEntries)
        tooManyEntries(path);
    QList<QStringList> rows;
    rows.reserve(rowCount);
    for (unsigned int r = 0; r < rowCount; ++r) {
        QStringList row;
        for (unsigned short c = 0; c < columnCount; ++c) {
            FreeXL_CellValue v;
            rc = freexl_get_cell_value(handle, r, c, &v);
            if (rc != FREEXL_OK)
                throw KalvoroError(damaged(path, what, freexlReason(rc)));
            QString cell;
            switch (v.type) {
            case FREEXL_CELL_INT:
                cell = QString::number(v.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                cell = numberText(v.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                cell = QString::fromUtf8(v.value.text_value);
                break;
            default:
                break;
            }
            row.append(cell);
        }
        rows.append(row);
    }
    return CandidateColumn(rows);
}

} // namespace

QStringList ParseCandidateText(const QByteArray& bytes) {
    const QString text = decodeTextFile(bytes);
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line feed ends the last line; it does not start an empty one.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        line.remove(QLatin1Char('\r'));
    return lines;
}

QList<QStringList> ParseCsv(const QString& text) {
    // Separator: the most frequent candidate outside quotes in the first record.
    QChar sep = QLatin1Char(',');
    {
        int counts[3] = {0, 0, 0};
        const QChar seps[3] = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
        bool quoted = false;
        for (QChar c : text) {
            if (c == QLatin1Char('"'))
                quoted = !quoted;
            else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
                break;
            else if (!quoted)
                for (int i = 0; i < 3; ++i)
                    counts[i] += c == seps[i];
        }
        int best = 0;
        for (int i = 1; i < 3; ++i)
            if (counts[i] > counts[best])
                best = i;
        if (counts[best] > 0)
            sep = seps[best];
    }

    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false; // anything seen in this record
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && field.isEmpty()) {
            inQuotes = true;
            fieldStarted = true;
        } else if (c == sep) {
            row.append(field);
            field.clear();
            fieldStarted = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            row.append(field);
            rows.append(row);
            row.clear();
            field.clear();
            fieldStarted = false;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty() || !row.isEmpty()) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

QStringList CandidateColumn(const QList<QStringList>& rows) {
    QStringList entries;
    entries.reserve(rows.size());
    int column = 0;
    bool decided = false;
    for (const QStringList& row : rows) {
        if (!decided) {
            bool empty = true;
            for (const QString& cell : row)
                empty = empty && cell.trimmed().isEmpty();
            if (empty)
                continue;
            decided = true;
            const auto header = std::find_if(row.begin(), row.end(), isNameHeader);
            if (header != row.end()) {
                column = static_cast<int>(header - row.begin());
                continue;
            }
        }
        entries.append(oneLine(row.value(column)));
    }
    return entries;
}

QStringList ReadCandidateFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("xls")) {
        if (!QFileInfo::exists(path))
            throw KalvoroError(fileError(
                path, QCoreApplication::translate("CandidateFiles", "the file does not exist")));
        if (!QFileInfo(path).isReadable())
            throw KalvoroError(fileError(
                path, QCoreApplication::translate("CandidateFiles", "permission denied")));
        return suffix == QLatin1String("xlsx") ? readXlsx(path) : readXls(path);
    }
    const QByteArray bytes = readWholeFile(path);
    // Counted before splitting: each line becomes a string of its own.
    if (bytes.count('\n') > MaxEntries)
        tooManyEntries(path);
    if (suffix == QLatin1String("csv"))
        return CandidateColumn(ParseCsv(decodeTextFile(bytes)));
    return ParseCandidateText(bytes);
}
