// Candidate lists from text, CSV, xlsx and xls files, and their bulk insert.
#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "formats/CandidateFiles.h"
#include "formats/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <xlsxwriter.h>
#include <zip.h>

namespace {
QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}
QByteArray gb18030(const QString& text) {
    return QStringEncoder("GB18030").encode(text);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// An xlsx put together part by part, for what a spreadsheet writer may produce
// that libxlsxwriter does not (inline strings, rich text, odd part names).
bool writeZip(const QString& path, const QList<QPair<QString, QByteArray>>& parts) {
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        return false;
    for (const auto& [name, data] : parts) {
        zip_source_t* src = zip_source_buffer(z, data.constData(), data.size(), 0);
        if (!src || zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(src);
            zip_discard(z);
            return false;
        }
    }
    return zip_close(z) == 0;
}

const QByteArray kWorkbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"Guests\" sheetId=\"2\" r:id=\"rId7\"/>"
    "<sheet name=\"Other\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const QByteArray kRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId7\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/worksheet\" Target=\"/xl/worksheets/guests.xml\"/>"
    "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/sharedStrings\" Target=\"strings.xml\"/></Relationships>";
const QByteArray kStrings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"3\" "
    "uniqueCount=\"3\"><si><t>Ann</t></si>"
    "<si><r><rPr><b/></rPr><t>Bo</t></r><r><t xml:space=\"preserve\">b </t></r></si>"
    "<si><t>\xE5\xBC\xA0\xE4\xB8\x89</t><rPh sb=\"0\" eb=\"2\"><t>zhang san</t></rPh></si></sst>";
// Workbook relationships whose first sheet (rId7) and shared strings lie at
// the given targets.
QByteArray relsTo(const QByteArray& sheet, const QByteArray& strings = "strings.xml") {
    return "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
           "relationships\"><Relationship Id=\"rId7\" Type=\"http://schemas.openxmlformats.org/"
           "officeDocument/2006/relationships/worksheet\" Target=\"" +
           sheet +
           "\"/><Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/"
           "officeDocument/2006/relationships/sharedStrings\" Target=\"" +
           strings + "\"/></Relationships>";
}

// Sets the uncompressed size the central directory gives for one entry, as a
// crafted archive may claim.
bool claimSize(QByteArray& zip, const QByteArray& name, quint32 size) {
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0;
         at = zip.indexOf("PK\x01\x02", at + 4)) {
        const quint16 nameLength = qFromLittleEndian<quint16>(zip.constData() + at + 28);
        if (zip.mid(at + 46, nameLength) == name) {
            qToLittleEndian<quint32>(size, zip.data() + at + 24);
            return true;
        }
    }
    return false;
}

QByteArray sheetXml(const QByteArray& rows) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<sheetData>" +
           rows + "</sheetData></worksheet>";
}

// ---- a minimal Excel 97-2003 file: BIFF8 records in a compound file ----------
QByteArray le16(quint16 v) {
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray le32(quint32 v) {
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray record(quint16 type, const QByteArray& body) {
    return le16(type) + le16(quint16(body.size())) + body;
}
QByteArray bof(quint16 kind) {
    return record(0x0809,
                  le16(0x0600) + le16(kind) + le16(0x0DBB) + le16(0x07CC) + le32(0) + le32(0x06));
}
QByteArray xlString16(const QString& s) { // XLUnicodeString, stored as UTF-16
    QByteArray b = le16(quint16(s.size())) + QByteArray(1, 1);
    for (QChar c : s)
        b += le16(c.unicode());
    return b;
}

// Column A holds the strings (shared string table), column B numbers.
QByteArray makeXls(const QStringList& columnA, const QList<double>& columnB) {
    QByteArray sst = le32(quint32(columnA.size())) + le32(quint32(columnA.size()));
    for (const QString& s : columnA)
        sst += xlString16(s);
    const QByteArray sheetName = QByteArray(1, 6) + QByteArray(1, 0) + "Sheet1";
    QByteArray globalsHead = bof(0x0005) + record(0x0042, le16(0x04B0));
    const QByteArray filler = record(0x00EB, QByteArray(4000, 0)); // keeps the stream >= 4096
    QByteArray globalsTail = record(0x00FC, sst) + filler + record(0x000A, {});
    const int boundSheetSize = 4 + 4 + 2 + sheetName.size();
    const quint32 sheetOffset = quint32(globalsHead.size() + boundSheetSize + globalsTail.size());
    QByteArray stream =
        globalsHead + record(0x0085, le32(sheetOffset) + le16(0) + sheetName) + globalsTail;
    const int rows = int(qMax(columnA.size(), columnB.size()));
    stream += bof(0x0010);
    stream += record(0x0200, le32(0) + le32(quint32(rows)) + le16(0) + le16(2) + le16(0));
    for (int r = 0; r < rows; ++r) {
        if (r < columnA.size())
            stream += record(0x00FD, le16(quint16(r)) + le16(0) + le16(0) + le32(quint32(r)));
        if (r < columnB.size()) {
            QByteArray d(8, 0);
            qToLittleEndian(columnB[r], d.data());
            stream += record(0x0203, le16(quint16(r)) + le16(1) + le16(0) + d);
        }
    }
    stream += record(0x000A, {});

    const quint32 endOfChain = 0xFFFFFFFE, freeSect = 0xFFFFFFFF, noStream = 0xFFFFFFFF;
    const int streamSectors = int((stream.size() + 511) / 512);
    QByteArray header = QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(16, 0) +
                        le16(0x3E) + le16(3) + le16(0xFFFE) + le16(9) + le16(6) + QByteArray(6, 0) +
                        le32(0) + le32(1) + le32(1) + le32(0) + le32(4096) + le32(endOfChain) +
                        le32(0) + le32(endOfChain) + le32(0) + le32(0);
    while (header.size() < 512)
        header += le32(freeSect);
    QByteArray fat = le32(0xFFFFFFFD) + le32(endOfChain);
    for (int i = 0; i < streamSectors; ++i)
        fat += le32(i + 1 < streamSectors ? quint32(3 + i) : endOfChain);
    while (fat.size() < 512)
        fat += le32(freeSect);
    auto entry = [&](const QString& name, quint8 type, quint32 child, quint32 start, quint32 size) {
        QByteArray e;
        for (QChar c : name)
            e += le16(c.unicode());
        e += le16(0);
        e.resize(64, 0);
        e += le16(quint16((name.size() + 1) * 2)) + QByteArray(1, char(type)) + QByteArray(1, 1) +
             le32(noStream) + le32(noStream) + le32(child) + QByteArray(16 + 4 + 16, 0) +
             le32(start) + le32(size) + le32(0);
        return e;
    };
    QByteArray dir = entry(u("Root Entry"), 5, 1, endOfChain, 0) +
                     entry(u("Workbook"), 2, noStream, 2, quint32(stream.size()));
    while (dir.size() < 512) {
        QByteArray empty(64 + 2 + 2, 0);
        empty += le32(noStream) + le32(noStream) + le32(noStream) + QByteArray(16 + 4 + 16 + 12, 0);
        dir += empty;
    }
    stream.resize(streamSectors * 512, 0);
    return header + fat + dir + stream;
}
} // namespace

class TestCandidateImport : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QStringList wordsInTable() {
        QSqlQuery q(Db());
        q.exec(QStringLiteral("select wz from wz order by id"));
        QStringList words;
        while (q.next())
            words << q.value(0).toString();
        return words;
    }

private slots:
    void text_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("last line without line feed")
            << QByteArray("a\nb") << QStringList{u("a"), u("b")};
        QTest::newRow("final line feed adds no entry")
            << QByteArray("a\nb\n") << QStringList{u("a"), u("b")};
        QTest::newRow("one empty line") << QByteArray("\n") << QStringList{QString()};
        QTest::newRow("crlf") << QByteArray("Ann\r\nBob\r\n") << QStringList{u("Ann"), u("Bob")};
        QTest::newRow("empty line and trailing blanks kept")
            << QByteArray("Ann\n\nBob  \n") << QStringList{u("Ann"), QString(), u("Bob  ")};
        QTest::newRow("leading blanks and tabs kept")
            << QByteArray("  Ann\t\n") << QStringList{u("  Ann\t")};
        QTest::newRow("lone carriage return dropped")
            << QByteArray("An\rn\r\r\n") << QStringList{u("Ann")};
        QTest::newRow("ctrl-z ends the file") << QByteArray("Ann\nBob\x1A"
                                                            "Carl\nDan\n")
                                              << QStringList{u("Ann"), u("Bob")};
        QTest::newRow("ctrl-z at the start") << QByteArray("\x1A"
                                                           "Ann\n")
                                             << QStringList();
        QTest::newRow("junk after ctrl-z does not change the encoding")
            << u("张三\n").toUtf8() + QByteArray("\x1A\xFF\xC0\x80") << QStringList{u("张三")};
        QTest::newRow("utf8") << u("张三\n李四\n").toUtf8() << QStringList{u("张三"), u("李四")};
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF") + u("张三\r\n").toUtf8()
                                  << QStringList{u("张三")};
        QTest::newRow("gb18030") << gb18030(u("张三\r\n王芳\r\n李娜"))
                                 << QStringList{u("张三"), u("王芳"), u("李娜")};
        QTest::newRow("utf16 with bom")
            << QByteArray("\xFF\xFE") +
                   QByteArray(reinterpret_cast<const char*>(u"Ann\r\n张三"), 14)
            << QStringList{u("Ann"), u("张三")};
        QTest::newRow("nul bytes dropped")
            << QByteArray("A\0nn\nB\0\n", 9) << QStringList{u("Ann"), u("B")};
    }
    void text() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QCOMPARE(ParseCandidateText(bytes), expected);
        const QString file = path(u("list.txt"));
        writeFile(file, bytes);
        QCOMPARE(ReadCandidateFile(file), expected);
    }

    void binaryJunkDoesNotCrash() {
        QRandomGenerator gen(42);
        for (int round = 0; round < 20; ++round) {
            QByteArray junk(8192, 0);
            for (char& c : junk)
                c = char(gen.bounded(256));
            const QStringList lines = ParseCandidateText(junk);
            for (const QString& line : lines) {
                QVERIFY(!line.contains(QChar(0)));
                QVERIFY(!line.contains(QLatin1Char('\r')));
            }
            // The same junk as a table does not crash either.
            writeFile(path(u("junk.csv")), junk);
            (void)ReadCandidateFile(path(u("junk.csv")));
        }
    }

    void csv_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first column")
            << QByteArray("Ann,1\nBob,2\n") << QStringList{u("Ann"), u("Bob")};
        QTest::newRow("single column, last line open")
            << QByteArray("Ann\nBob") << QStringList{u("Ann"), u("Bob")};
        QTest::newRow("crlf") << QByteArray("Ann,1\r\nBob,2\r\n")
                              << QStringList{u("Ann"), u("Bob")};
        QTest::newRow("quoted separator and quotes")
            << QByteArray("\"Smith, Ann\",1\n\"Bob \"\"the\"\" Builder\",2\n")
            << QStringList{u("Smith, Ann"), u("Bob \"the\" Builder")};
        QTest::newRow("line break inside quotes becomes a blank")
            << QByteArray("\"Ann\r\nLee\",1\nBob,2\n") << QStringList{u("Ann Lee"), u("Bob")};
        QTest::newRow("姓名 header picks its column")
            << u("工号,姓名,部门\n1,张三,IT\n2,\"Li, Si\",HR\n3,,HR\n").toUtf8()
            << QStringList{u("张三"), u("Li, Si"), QString()};
        QTest::newRow("name header, any case, semicolons")
            << QByteArray("ID;  NAME \n7;Ann\n8;Bob\n") << QStringList{u("Ann"), u("Bob")};
        QTest::newRow("tabs") << QByteArray("No\tName\n1\tAnn\n") << QStringList{u("Ann")};
        QTest::newRow("empty rows before the header skipped")
            << QByteArray("\n,\nName\nAnn\n") << QStringList{u("Ann")};
        QTest::newRow("no header: first row is a candidate")
            << QByteArray("Names of guests,x\nAnn,y\n")
            << QStringList{u("Names of guests"), u("Ann")};
        QTest::newRow("short rows give empty entries")
            << QByteArray("a,Name\nx\ny,Bob\n") << QStringList{QString(), u("Bob")};
        QTest::newRow("gb18030 with header")
            << gb18030(u("序号,姓名\r\n1,王芳\r\n2,李娜\r\n")) << QStringList{u("王芳"), u("李娜")};
        QTest::newRow("unterminated quote takes the rest")
            << QByteArray("\"Ann\nBob") << QStringList{u("Ann Bob")};
    }
    void csv() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        const QString file = path(u("list.CSV"));
        writeFile(file, bytes);
        QCOMPARE(ReadCandidateFile(file), expected);
    }

    void xlsxFromLibxlsxwriter() {
        const QString file = path(u("guests.xlsx"));
        lxw_workbook* wb = workbook_new(QFile::encodeName(file).constData());
        QVERIFY(wb);
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Guests");
        workbook_add_worksheet(wb, "Second");
        worksheet_write_string(ws, 0, 0, "No", nullptr);
        worksheet_write_string(ws, 0, 1, "姓名", nullptr);
        worksheet_write_number(ws, 1, 0, 1, nullptr);
        worksheet_write_string(ws, 1, 1, "Ann O'Neil", nullptr);
        worksheet_write_number(ws, 2, 0, 2, nullptr);
        worksheet_write_string(ws, 2, 1, "张三", nullptr);
        worksheet_write_number(ws, 3, 1, 13800138000.0, nullptr);
        worksheet_write_number(ws, 4, 1, 2.5, nullptr);
        worksheet_write_string(ws, 6, 1, "Ann O'Neil", nullptr); // repeated shared string
        QCOMPARE(workbook_close(wb), LXW_NO_ERROR);
        QCOMPARE(ReadCandidateFile(file), (QStringList{u("Ann O'Neil"), u("张三"), u("13800138000"),
                                                       u("2.5"), u("Ann O'Neil")}));
    }

    void xlsxByHand_data() {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("shared strings, rich text, phonetic guide left out")
            << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
                          "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c></row>"
                          "<row r=\"3\"><c r=\"A3\" t=\"s\"><v>2</v></c></row>")
            << QStringList{u("Ann"), u("Bob "), u("张三")};
        QTest::newRow("inline strings, numbers, booleans, formulas")
            << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Dan</t></is></c></row>"
                          "<row r=\"2\"><c r=\"A2\"><v>42</v></c><c r=\"B2\"><v>7</v></c></row>"
                          "<row r=\"3\"><c r=\"A3\" t=\"n\"><v>1.3800138E10</v></c></row>"
                          "<row r=\"4\"><c r=\"A4\" t=\"b\"><v>1</v></c></row>"
                          "<row r=\"5\"><c r=\"A5\" t=\"str\"><f>B1</f><v>Eve</v></c></row>")
            << QStringList{u("Dan"), u("42"), u("13800138000"), u("TRUE"), u("Eve")};
        QTest::newRow("header in column C, cells without references")
            << QByteArray("<row><c t=\"inlineStr\"><is><t>id</t></is></c><c/>"
                          "<c t=\"inlineStr\"><is><t>Name</t></is></c></row>"
                          "<row><c><v>1</v></c><c/><c t=\"s\"><v>0</v></c></row>"
                          "<row><c r=\"C3\" t=\"s\"><v>2</v></c></row>")
            << QStringList{u("Ann"), u("张三")};
        QTest::newRow("empty first column cell")
            << QByteArray("<row r=\"1\"><c r=\"B1\" t=\"s\"><v>0</v></c></row>")
            << QStringList{QString()};
        QTest::newRow("no rows") << QByteArray() << QStringList();
    }
    void xlsxByHand() {
        QFETCH(QByteArray, rows);
        QFETCH(QStringList, expected);
        const QString file = path(u("hand.xlsx"));
        QVERIFY(writeZip(
            file, {{u("xl/workbook.xml"), kWorkbook},
                   {u("xl/_rels/workbook.xml.rels"), kRels},
                   {u("xl/strings.xml"), kStrings},
                   {u("xl/worksheets/sheet1.xml"),
                    sheetXml("<row><c t=\"inlineStr\"><is><t>WRONG SHEET</t></is></c></row>")},
                   {u("xl/worksheets/guests.xml"), sheetXml(rows)}}));
        QCOMPARE(ReadCandidateFile(file), expected);
    }

    void damagedXlsxRaises_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("not a zip") << 0;
        QTest::newRow("cut in half") << 1;
        QTest::newRow("no workbook part") << 2;
        QTest::newRow("broken sheet xml") << 3;
        QTest::newRow("missing shared string") << 4;
        QTest::newRow("sheet part missing") << 5;
    }
    void damagedXlsxRaises() {
        QFETCH(int, kind);
        const QString file = path(u("bad.xlsx"));
        const QByteArray good = sheetXml("<row><c t=\"s\"><v>0</v></c></row>");
        switch (kind) {
        case 0:
            writeFile(file, QByteArray("PK\x03\x04 this is not really a zip archive"));
            break;
        case 1: {
            QVERIFY(writeZip(file, {{u("xl/workbook.xml"), kWorkbook},
                                    {u("xl/_rels/workbook.xml.rels"), kRels},
                                    {u("xl/strings.xml"), kStrings},
                                    {u("xl/worksheets/guests.xml"), good}}));
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(f.size() / 2));
            break;
        }
        case 2:
            QVERIFY(writeZip(file, {{u("xl/worksheets/sheet1.xml"), good}}));
            break;
        case 3:
            QVERIFY(
                writeZip(file, {{u("xl/workbook.xml"), kWorkbook},
                                {u("xl/_rels/workbook.xml.rels"), kRels},
                                {u("xl/worksheets/guests.xml"), "<worksheet><sheetData><row>"}}));
            break;
        case 4:
            QVERIFY(writeZip(file, {{u("xl/workbook.xml"), kWorkbook},
                                    {u("xl/_rels/workbook.xml.rels"), kRels},
                                    {u("xl/worksheets/guests.xml"),
                                     sheetXml("<row><c t=\"s\"><v>9</v></c></row>")}}));
            break;
        case 5:
            QVERIFY(writeZip(file, {{u("xl/workbook.xml"), kWorkbook},
                                    {u("xl/_rels/workbook.xml.rels"), kRels}}));
            break;
        }
        try {
            (void)ReadCandidateFile(file);
            QFAIL("no error for a damaged workbook");
        } catch (const KalvoroError& e) {
            QVERIFY2(e.message().contains(file), qPrintable(e.message()));
        }
    }

    // A relationship target is a path inside the package; one that climbs out
    // of it, or names no part, is a damaged workbook and never a crash.
    void xlsxTargetsStayInsideThePackage_data() {
        QTest::addColumn<QByteArray>("sheet");
        QTest::addColumn<QByteArray>("strings");
        QTest::addColumn<QString>("reason");
        const QByteArray inside = "worksheets/guests.xml";
        const QString outside = u("a relationship points outside the workbook");
        QTest::newRow("sheet three levels up")
            << QByteArray("../../../x.xml") << QByteArray("strings.xml") << outside;
        QTest::newRow("absolute sheet climbing out")
            << QByteArray("/../x.xml") << QByteArray("strings.xml") << outside;
        QTest::newRow("up and down past the root")
            << QByteArray("worksheets/../../../etc/passwd") << QByteArray("strings.xml") << outside;
        QTest::newRow("the package root itself")
            << QByteArray("..") << QByteArray("strings.xml") << outside;
        QTest::newRow("empty target") << QByteArray() << QByteArray("strings.xml") << outside;
        QTest::newRow("Windows path")
            << QByteArray("C:\\x.xml") << QByteArray("strings.xml") << outside;
        QTest::newRow("shared strings climbing out")
            << inside << QByteArray("../../s.xml") << outside;
        QTest::newRow("absolute part not in the package")
            << QByteArray("/x.xml") << QByteArray("strings.xml") << u("x.xml is missing");
    }
    void xlsxTargetsStayInsideThePackage() {
        QFETCH(QByteArray, sheet);
        QFETCH(QByteArray, strings);
        QFETCH(QString, reason);
        const QString file = path(u("escape.xlsx"));
        QVERIFY(writeZip(file, {{u("xl/workbook.xml"), kWorkbook},
                                {u("xl/_rels/workbook.xml.rels"), relsTo(sheet, strings)},
                                {u("xl/strings.xml"), kStrings},
                                {u("xl/worksheets/guests.xml"),
                                 sheetXml("<row><c t=\"s\"><v>0</v></c></row>")}}));
        try {
            (void)ReadCandidateFile(file);
            QFAIL("no error for a target outside the package");
        } catch (const KalvoroError& e) {
            QVERIFY2(e.message().contains(file + u(" is not a readable .xlsx workbook")),
                     qPrintable(e.message()));
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
        }
    }
    void xlsxTargetsMayClimbWithinThePackage() {
        const QString file = path(u("climb.xlsx"));
        QVERIFY(writeZip(file, {{u("xl/workbook.xml"), kWorkbook},
                                {u("xl/_rels/workbook.xml.rels"),
                                 relsTo("../xl/./worksheets/guests.xml", "/xl/strings.xml")},
                                {u("xl/strings.xml"), kStrings},
                                {u("xl/worksheets/guests.xml"),
                                 sheetXml("<row><c t=\"s\"><v>0</v></c></row>")}}));
        QCOMPARE(ReadCandidateFile(file), QStringList{u("Ann")});
    }

    // Crafted files are turned away with the limit they break, before the
    // memory is spent.
    void readerLimits_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("xlsx part claiming 300 MB")
            << 0 << u("xl/worksheets/guests.xml would unpack to more than 256 MB");
        QTest::newRow("xlsx part compressed 1000 to 1")
            << 1 << u("xl/worksheets/guests.xml is compressed more than 200 to 1");
        QTest::newRow("xlsx cell past column XFD") << 2 << u("a cell lies beyond the last column");
        QTest::newRow("text file over 512 MB") << 3 << u("it is larger than 512 MB");
        QTest::newRow("csv file over 512 MB") << 4 << u("it is larger than 512 MB");
        QTest::newRow("text file with 5,000,001 lines")
            << 5 << u("it has more than 5,000,000 entries");
    }
    void readerLimits() {
        QFETCH(int, kind);
        QFETCH(QString, reason);
        const QString suffixes[] = {u("xlsx"), u("xlsx"), u("xlsx"), u("txt"), u("csv"), u("txt")};
        const QString file = path(u("limit.") + suffixes[kind]);
        const QByteArray oneName = sheetXml("<row><c t=\"s\"><v>0</v></c></row>");
        QList<QPair<QString, QByteArray>> parts{{u("xl/workbook.xml"), kWorkbook},
                                                {u("xl/_rels/workbook.xml.rels"), kRels},
                                                {u("xl/strings.xml"), kStrings}};
        switch (kind) {
        case 0: {
            QVERIFY(
                writeZip(file, parts + decltype(parts){{u("xl/worksheets/guests.xml"), oneName}}));
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QByteArray bytes = f.readAll();
            f.close();
            QVERIFY(claimSize(bytes, "xl/worksheets/guests.xml", 300u * 1024 * 1024));
            writeFile(file, bytes);
            break;
        }
        case 1:
            QVERIFY(writeZip(
                file, parts + decltype(parts){{u("xl/worksheets/guests.xml"),
                                               sheetXml(QByteArray(8 * 1024 * 1024, ' '))}}));
            QVERIFY(QFileInfo(file).size() < 100 * 1024);
            break;
        case 2:
            QVERIFY(writeZip(
                file,
                parts + decltype(parts){{u("xl/worksheets/guests.xml"),
                                         sheetXml("<row><c r=\"XFE1\"><v>1</v></c></row>")}}));
            break;
        case 3:
        case 4: {
            // Sparse: the size is what is checked, so nothing need be written.
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(f.resize(512ll * 1024 * 1024 + 1));
            break;
        }
        case 5:
            writeFile(file, QByteArray(5'000'001, '\n'));
            break;
        }
        try {
            (void)ReadCandidateFile(file);
            QFAIL("no error for a file over the limit");
        } catch (const KalvoroError& e) {
            QVERIFY2(e.message().contains(file), qPrintable(e.message()));
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
        }
        QFile::remove(file);
    }

    // Only the name column is kept: a cell in column XFD on every row must not
    // make each row 16384 strings wide, and the name may itself be in XFD.
    void xlsxLastColumnCellsAreReadSparsely_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("first");
        QTest::newRow("names in column A") << QByteArray() << u("row1");
        QTest::newRow("header and names in column XFD")
            << QByteArray("<row><c r=\"XFD1\" t=\"inlineStr\"><is><t>Name</t></is></c></row>")
            << u("far1");
    }
    void xlsxLastColumnCellsAreReadSparsely() {
        QFETCH(QByteArray, header);
        QFETCH(QString, first);
        constexpr int rowCount = 20000;
        QByteArray rows = header;
        for (int r = 1; r <= rowCount; ++r) {
            const QByteArray n = QByteArray::number(r);
            rows += "<row><c r=\"A" + n + "\" t=\"inlineStr\"><is><t>row" + n +
                    "</t></is></c><c r=\"XFD" + n + "\" t=\"inlineStr\"><is><t>far" + n +
                    "</t></is></c></row>";
        }
        const QString file = path(u("wide.xlsx"));
        QVERIFY(writeZip(file, {{u("xl/workbook.xml"), kWorkbook},
                                {u("xl/_rels/workbook.xml.rels"), kRels},
                                {u("xl/worksheets/guests.xml"), sheetXml(rows)}}));
        const QStringList entries = ReadCandidateFile(file);
        QCOMPARE(entries.size(), rowCount);
        QCOMPARE(entries.first(), first);
        QCOMPARE(entries.last(), QString(first).replace(u("1"), QString::number(rowCount)));
    }

    void xls() {
        const QString file = path(u("old.xls"));
        writeFile(file,
                  makeXls({u("Name"), u("Ann"), u("张三"), u("Bob")}, {0, 1, 13800138000.0, 2.5}));
        QCOMPARE(ReadCandidateFile(file), (QStringList{u("Ann"), u("张三"), u("Bob")}));
        writeFile(file, makeXls({u("Ann"), u("Bob")}, {}));
        QCOMPARE(ReadCandidateFile(file), (QStringList{u("Ann"), u("Bob")}));
    }

    void damagedXlsRaises() {
        const QString file = path(u("bad.xls"));
        QByteArray bytes = makeXls({u("Ann")}, {});
        bytes.truncate(700);
        writeFile(file, bytes);
        QVERIFY_THROWS_EXCEPTION(KalvoroError, ReadCandidateFile(file));
        writeFile(file, "ID;P\nC;Y1;X1;K\"Ann\"\nE\n"); // a SYLK file named .xls
        QVERIFY_THROWS_EXCEPTION(KalvoroError, ReadCandidateFile(file));
    }

    void unreadableFilesRaise_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing text") << u("missing.txt");
        QTest::newRow("missing xlsx") << u("missing.xlsx");
        QTest::newRow("missing xls") << u("missing.xls");
        QTest::newRow("a folder") << u("folder.txt");
    }
    void unreadableFilesRaise() {
        QFETCH(QString, name);
        QDir(m_dir.path()).mkdir(u("folder.txt"));
        try {
            (void)ReadCandidateFile(path(name));
            QFAIL("no error");
        } catch (const KalvoroError& e) {
            QVERIFY2(e.message().contains(path(name)), qPrintable(e.message()));
        }
    }

    void insert() {
        QTemporaryDir dir;
        Database data(nullptr, dir.filePath(u("db.sqlite")));
        QVERIFY(data.isUsable());
        QSqlQuery(Db()).exec(QStringLiteral("delete from wz"));
        const QStringList entries{u("Ann"),   QString(), u("   "), u("O'Neil; drop table wz;--"),
                                  u("Bob  "), u("张三"), u("Ann")};
        QList<QPair<int, int>> calls;
        const int n = CandidateStore(Db()).insert(entries, [&](int done, int total) {
            calls.append({done, total});
            return true;
        });
        QCOMPARE(n, 5);
        QCOMPARE(wordsInTable(), (QStringList{u("Ann"), u("O'Neil; drop table wz;--"), u("Bob  "),
                                              u("张三"), u("Ann")}));
        QCOMPARE(calls.front(), qMakePair(0, 7));
        QCOMPARE(calls.back(), qMakePair(7, 7));
        // Won state stays empty for a new candidate.
        QSqlQuery q(Db());
        QVERIFY(q.exec(QStringLiteral("select count(*) from wz where prize is not null")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 0);
    }

    void cancelKeepsWhatWentIn() {
        QTemporaryDir dir;
        const QString dbFile = dir.filePath(u("db.sqlite"));
        Database data(nullptr, dbFile);
        QSqlQuery(Db()).exec(QStringLiteral("delete from wz"));
        QStringList entries;
        for (int i = 0; i < 1000; ++i)
            entries << QStringLiteral("W%1").arg(i);
        int calls = 0;
        const int n = CandidateStore(Db()).insert(entries, [&](int, int) { return ++calls < 3; });
        QCOMPARE(n, 512); // two blocks of 256 before the third report cancelled
        QCOMPARE(wordsInTable().size(), 512);
        QCOMPARE(wordsInTable().back(), u("W511"));
        {
            // Committed: another connection sees the rows.
            QSqlDatabase other = QSqlDatabase::addDatabase(u("QSQLITE"), u("other"));
            other.setDatabaseName(dbFile);
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec(QStringLiteral("select count(*) from wz")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 512);
        }
        QSqlDatabase::removeDatabase(u("other"));
        QVERIFY(Db().transaction()); // no transaction left open
        Db().rollback();
    }

    void insertWithoutDatabaseRaises() {
        QVERIFY_THROWS_EXCEPTION(DatabaseError, CandidateStore(Db()).insert({u("Ann")}));
    }
};

QTEST_GUILESS_MAIN(TestCandidateImport)
#include "tst_candidatefiles.moc"
