// The SYLK writer and reader, the export's file-name rules and the safe writer.
#include "formats/SafeWrite.h"
#include "formats/Sylk.h"
#include "ui/winners/GridExport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSylk : public QObject {
    Q_OBJECT
private slots:
    void escapesText_data();
    void escapesText();
    void writesTheRecordsCalcAndExcelRead();
    void readsWhatOthersWrite();
    void rejectsWhatIsNotSylk();
    void fileNameRules_data();
    void fileNameRules();
    void safeWriteReplacesWholeFiles();
    void safeWriteRefusesAFileOpenInAnOfficeProgram();
};

void TestSylk::escapesText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("escaped");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("plain") << QStringLiteral("Alice") << QByteArray("Alice")
                           << QStringLiteral("Alice");
    QTest::newRow("semicolon") << QStringLiteral("a;b") << QByteArray("a;;b")
                               << QStringLiteral("a;b");
    QTest::newRow("two semicolons")
        << QStringLiteral(";;") << QByteArray(";;;;") << QStringLiteral(";;");
    QTest::newRow("quote and semicolon")
        << QStringLiteral("x\";y") << QByteArray("x\";;y") << QStringLiteral("x\";y");
    QTest::newRow("ends in quote")
        << QStringLiteral("say \"hi\"") << QByteArray("say \"hi\"") << QStringLiteral("say \"hi\"");
    QTest::newRow("line feed") << QStringLiteral("one\ntwo") << QByteArray("one\x1b :two")
                               << QStringLiteral("one\ntwo");
    QTest::newRow("crlf") << QStringLiteral("one\r\ntwo") << QByteArray("one\x1b :two")
                          << QStringLiteral("one\ntwo");
    QTest::newRow("lone cr") << QStringLiteral("one\rtwo") << QByteArray("one\x1b :two")
                             << QStringLiteral("one\ntwo");
    QTest::newRow("controls dropped") << QStringLiteral("a\x1b"
                                                        "b\x01"
                                                        "c\x7f")
                                      << QByteArray("abc") << QStringLiteral("abc");
    QTest::newRow("tab kept") << QStringLiteral("a\tb") << QByteArray("a\tb")
                              << QStringLiteral("a\tb");
    QTest::newRow("chinese") << QStringLiteral("李娜") << QStringLiteral("李娜").toUtf8()
                             << QStringLiteral("李娜");
    QTest::newRow("accents and emoji")
        << QStringLiteral("Chloé 🎉") << QStringLiteral("Chloé 🎉").toUtf8()
        << QStringLiteral("Chloé 🎉");
    QTest::newRow("formula-like") << QStringLiteral("=1+1") << QByteArray("=1+1")
                                  << QStringLiteral("=1+1");
}

void TestSylk::escapesText() {
    QFETCH(QString, text);
    QFETCH(QByteArray, escaped);
    QFETCH(QString, readBack);
    QCOMPARE(Sylk::EscapeText(text), escaped);

    // Through a whole file and back, in the middle of other cells.
    Sylk::Sheet sheet;
    sheet.setText(1, 1, QStringLiteral("before"));
    sheet.setText(1, 2, text);
    sheet.setNumber(1, 3, 7);
    const QByteArray file = Sylk::Write(sheet);
    for (const QByteArray& line : file.split('\n'))
        QVERIFY2(line.isEmpty() || line.endsWith('\r'), "every record ends in CR LF");
    QCOMPARE(file.count('\r'), file.count('\n'));
    Sylk::Sheet back;
    QVERIFY(Sylk::Read(file, back));
    QCOMPARE(back.cell(1, 2).text(), readBack);
    QVERIFY(back.cell(1, 2).isText());
    QCOMPARE(back.cell(1, 1).text(), QStringLiteral("before"));
    QCOMPARE(back.cell(1, 3).number(), 7.0);
}

void TestSylk::writesTheRecordsCalcAndExcelRead() {
    Sylk::Sheet sheet;
    const int date = sheet.addFormat(QStringLiteral("yyyy\\-mm\\-dd;@"));
    sheet.setColumnWidth(1, 10);
    sheet.setColumnWidth(2, 77);
    sheet.setText(1, 1, QStringLiteral("#"));
    sheet.setText(1, 2, QStringLiteral("Name"));
    sheet.setNumber(2, 1, 1);
    sheet.setText(2, 2, QStringLiteral("007"));
    sheet.setNumber(2, 3, 45000.25, date);
    const QByteArray expected = "ID;PKalvoro\r\n"
                                "P;PGeneral\r\n"
                                "P;Pyyyy\\-mm\\-dd;;@\r\n"
                                "F;W1 1 10\r\n"
                                "F;W2 2 77\r\n"
                                "B;Y2;X3\r\n"
                                "C;Y1;X1;K\"#\"\r\n"
                                "C;Y1;X2;K\"Name\"\r\n"
                                "C;Y2;X1;K1\r\n"
                                "C;Y2;X2;K\"007\"\r\n"
                                "F;P1;Y2;X3\r\n"
                                "C;Y2;X3;K45000.25\r\n"
                                "E\r\n";
    QCOMPARE(Sylk::Write(sheet), expected);

    Sylk::Sheet back;
    QVERIFY(Sylk::Read(expected, back));
    QCOMPARE(back.formats(), QStringList{QStringLiteral("yyyy\\-mm\\-dd;@")});
    QCOMPARE(back.cell(2, 3).format, 0);
    QCOMPARE(back.cell(2, 2).text(), QStringLiteral("007"));
    QVERIFY(back.cell(2, 2).isText());
    QCOMPARE(back.columnWidth(2), 77);
    QCOMPARE(back.rowCount(), 2);
    QCOMPARE(back.columnCount(), 3);
}

void TestSylk::readsWhatOthersWrite() {
    // Calc's own SYLK: no widths, positions carried over from the record before,
    // LF line ends; Excel's: fonts, ranges of widths, booleans.
    const QByteArray calc =
        "ID;PCALCOOO32\nC;X1;Y1;K\"a;;b\"\nC;X2;K2.5\nC;Y2;X1;K\"x\x1b :y\"\nE\n";
    Sylk::Sheet s;
    QVERIFY(Sylk::Read(calc, s));
    QCOMPARE(s.cell(1, 1).text(), QStringLiteral("a;b"));
    QCOMPARE(s.cell(1, 2).number(), 2.5);
    QCOMPARE(s.cell(2, 1).text(), QStringLiteral("x\ny"));

    const QByteArray excel = "ID;PWXL;N;E\r\nP;PGeneral\r\nP;P0.00\r\nP;FCalibri;M220\r\n"
                             "F;P0;DG0G8;M300\r\nF;W1 3 12\r\nB;Y1;X2;D0 0 0 1\r\n"
                             "C;Y1;X1;K\"Top\"\r\nF;P1;X2\r\nC;K3.5\r\nE\r\n";
    QVERIFY(Sylk::Read(excel, s));
    QCOMPARE(s.columnWidth(1), 12);
    QCOMPARE(s.columnWidth(3), 12);
    QCOMPARE(s.cell(1, 1).text(), QStringLiteral("Top"));
    QCOMPARE(s.cell(1, 2).number(), 3.5);
    QCOMPARE(s.formats(), QStringList{QStringLiteral("0.00")});
    QCOMPARE(s.cell(1, 2).format, 0);
}

void TestSylk::rejectsWhatIsNotSylk() {
    Sylk::Sheet s;
    QString why;
    QVERIFY(!Sylk::Read(QByteArray("PK\x03\x04 not sylk"), s, &why));
    QVERIFY(why.contains(QStringLiteral("SYLK")));
    QVERIFY(!Sylk::Read(QByteArray(), s, &why));
}

void TestSylk::fileNameRules_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fromDialog");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "winners"
                                  << "winners.xls"
                                  << "winners.xls";
    QTest::newRow("xls") << "a.xls"
                         << "a.xls"
                         << "a.xls";
    QTest::newRow("upper-case XLS") << "LIST.XLS"
                                    << "LIST.XLS"
                                    << "LIST.XLS.xls";
    QTest::newRow("mixed-case Xls") << "b.Xls"
                                    << "b.Xls"
                                    << "b.Xls.xls";
    QTest::newRow("xlsx") << "a.xlsx"
                          << "a.xlsx.xls"
                          << "a.xlsx.xls";
    QTest::newRow("other extension") << "list.txt"
                                     << "list.txt.xls"
                                     << "list.txt.xls";
    QTest::newRow(".xls inside the name") << "my.xls.txt"
                                          << "my.xls.txt.xls"
                                          << "my.xls.txt.xls";
    QTest::newRow("folder with .xls") << "/d.xls/name"
                                      << "/d.xls/name.xls"
                                      << "/d.xls/name.xls";
    QTest::newRow("folder with .XLS") << "/D.XLS/name.XLS"
                                      << "/D.XLS/name.XLS"
                                      << "/D.XLS/name.XLS.xls";
    QTest::newRow("chinese") << "中奖名单"
                             << "中奖名单.xls"
                             << "中奖名单.xls";
}

void TestSylk::fileNameRules() {
    QFETCH(QString, typed);
    QFETCH(QString, fromDialog);
    QFETCH(QString, written);
    QCOMPARE(XlsDialogFileName(typed), fromDialog);
    QCOMPARE(SpreadsheetExportFileName(fromDialog), written);
}

void TestSylk::safeWriteReplacesWholeFiles() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("w.xls"));
    QString why;
    QVERIFY(SafeWrite::WriteFile(file, "first", &why));
    QVERIFY(SafeWrite::WriteFile(file, "second", &why));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("second"));
    // No temporary file stays behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("w.xls")});

    QVERIFY(!SafeWrite::WriteFile(dir.filePath(QStringLiteral("missing/w.xls")), "x", &why));
    QVERIFY2(why.contains(QStringLiteral("does not exist")), qPrintable(why));
    QVERIFY(!SafeWrite::WriteFile(dir.path(), "x", &why));
    QVERIFY2(why.contains(QStringLiteral("is a folder")), qPrintable(why));
}

void TestSylk::safeWriteRefusesAFileOpenInAnOfficeProgram() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("w.xls"));
    QString why;
    QVERIFY(SafeWrite::WriteFile(file, "kept", &why));
    for (const QString& lock : {QStringLiteral(".~lock.w.xls#"), QStringLiteral("~$w.xls")}) {
        QFile l(dir.filePath(lock));
        QVERIFY(l.open(QIODevice::WriteOnly));
        l.close();
        QVERIFY(!SafeWrite::HeldOpenBy(file).isEmpty());
        QVERIFY(!SafeWrite::WriteFile(file, "lost", &why));
        QVERIFY2(why.contains(QStringLiteral("is open in")), qPrintable(why));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("kept"));
        QVERIFY(QFile::remove(dir.filePath(lock)));
    }
    QVERIFY(SafeWrite::HeldOpenBy(file).isEmpty());
}

QTEST_GUILESS_MAIN(TestSylk)
#include "tst_sylk.moc"
