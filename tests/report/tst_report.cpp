// The report library: the printed list (read back from its PDF), the print
// preview, and the workbook filled from the template, as SYLK and as .xlsx.
#include "ui/WinnersFixture.h"

#include "formats/Sylk.h"
#include "support/TestSql.h"
#include "ui/winners/ReportLibrary.h"

#include <KalvoroReport.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>")
            .arg(QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray ReadAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList L(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

bool WriteAll(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void pdfHoldsEveryWinner();
    void pdfRunsOverPages();
    void pdfOfNoWinners();
    void pdfOfWordWinners();
    void reportFailuresAreTold_data();
    void reportFailuresAreTold();
    void previewOpensAndCloses();
    void sylkWorkbookFromShippedTemplate();
    void xlsxWorkbookCarriesThumbnails();
    void templateFilling_data();
    void templateFilling();
    void templateProblems_data();
    void templateProblems();
    void workbookNeverOverwritesItsTemplate();
    void workbookWriteFailureKeepsOldFile();

private:
    static void needPdfToText() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; scripts/setup.sh test installs it");
    }
};

void TestReport::pdfHoldsEveryWinner() {
    needPdfToText();
    WinnersFixture fx;
    fx.addPhotoWinner(QStringLiteral("/p/李娜.jpg"), QStringLiteral("Second Prize"));
    fx.addPhotoWinner(QStringLiteral("/p/Chloé Dubois.jpg"), QStringLiteral("first prize"));
    fx.addPhotoWinner(QStringLiteral("/p/Ana Petrović.jpg"), QStringLiteral("First Prize"));
    fx.addPhotoWinner(QStringLiteral("/p/Erik O'Neil; Jr.jpg"), QStringLiteral("特等奖"));
    const QString pdf = fx.path(QStringLiteral("out/winners.pdf"));
    const auto done = ReportLibrary::AnyReportToPdf(fx.data->filePath(), TestSql::PrintPhotoWinners,
                                                    QStringLiteral("Winner"), pdf);
    QVERIFY2(done.ok, qPrintable(done.error));
    QVERIFY(ReadAll(pdf).startsWith("%PDF"));
    const QString text = PdfText(pdf);
    for (const char* s :
         {"Winner", "Class", "Name", "李娜.jpg", "Chloé Dubois.jpg", "Ana Petrović.jpg",
          "Erik O'Neil; Jr.jpg", "特等奖", "Second Prize", "Page 1 of 1"})
        QVERIFY2(text.contains(QString::fromUtf8(s)),
                 qPrintable(QString::fromUtf8(s) + QStringLiteral(" missing from:\n") + text));
    QVERIFY(text.contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    // Sorted by class ignoring letter case: both first prizes before the second.
    QVERIFY(text.indexOf(QStringLiteral("Chloé")) < text.indexOf(QStringLiteral("李娜")));
    QVERIFY(text.indexOf(QStringLiteral("Petrović")) < text.indexOf(QStringLiteral("李娜")));
}

void TestReport::pdfRunsOverPages() {
    needPdfToText();
    WinnersFixture fx;
    {
        WinnersFixture::Batch batch;
        for (int i = 0; i < 150; ++i)
            fx.addPhotoWinner(QStringLiteral("/p/Person%1.jpg").arg(i, 3, 10, QLatin1Char('0')),
                              QStringLiteral("Class %1").arg(i / 50));
    }
    const QString pdf = fx.path(QStringLiteral("out/long.pdf"));
    const auto done = ReportLibrary::AnyReportToPdf(fx.data->filePath(), TestSql::PrintPhotoWinners,
                                                    QStringLiteral("Winner"), pdf);
    QVERIFY2(done.ok, qPrintable(done.error));
    const QString text = PdfText(pdf);
    static const QRegularExpression pageOf(QStringLiteral("Page (\\d+) of (\\d+)"));
    QList<int> pages;
    int total = 0;
    for (auto m = pageOf.globalMatch(text); m.hasNext();) {
        const auto hit = m.next();
        pages << hit.captured(1).toInt();
        total = hit.captured(2).toInt();
    }
    QVERIFY2(total >= 3, qPrintable(text.left(400)));
    QCOMPARE(pages.size(), total);
    QCOMPARE(pages.last(), total);
    // The title heads every page and signs its foot.
    QCOMPARE(text.count(QStringLiteral("Winner")), 2 * total);
    for (int i = 0; i < 150; ++i)
        QVERIFY2(text.contains(QStringLiteral("Person%1.jpg").arg(i, 3, 10, QLatin1Char('0'))),
                 qPrintable(QString::number(i)));
}

void TestReport::pdfOfNoWinners() {
    needPdfToText();
    WinnersFixture fx;
    const QString pdf = fx.path(QStringLiteral("out/none.pdf"));
    QVERIFY(ReportLibrary::AnyReportToPdf(fx.data->filePath(), TestSql::PrintPhotoWinners,
                                          QStringLiteral("Winner"), pdf)
                .ok);
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("No winners")));
    QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
}

void TestReport::pdfOfWordWinners() {
    needPdfToText();
    WinnersFixture fx;
    fx.addWordWinner(QStringLiteral("王芳"), QStringLiteral("Third Prize"));
    fx.addWordWinner(QStringLiteral("13800138000"), QStringLiteral("First Prize"));
    fx.exec(QStringLiteral("insert into wz(wz) values('Not drawn')"));
    const QString pdf = fx.path(QStringLiteral("out/words.pdf"));
    QVERIFY(ReportLibrary::AnyReportToPdf(fx.data->filePath(), TestSql::PrintWordWinners,
                                          QStringLiteral("Winner"), pdf)
                .ok);
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("王芳")));
    QVERIFY(text.contains(QStringLiteral("13800138000")));
    QVERIFY(text.contains(QStringLiteral("Third Prize")));
    QVERIFY(!text.contains(QStringLiteral("Not drawn")));
    QVERIFY(text.indexOf(QStringLiteral("13800138000")) < text.indexOf(QStringLiteral("王芳")));
}

void TestReport::reportFailuresAreTold_data() {
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing database") << "/no/such/db.sqlite" << TestSql::PrintPhotoWinners
                                      << int(KalvoroReportDatabaseError) << "does not exist";
    QTest::newRow("bad statement")
        << ""
        << "select nothing from nowhere" << int(KalvoroReportDatabaseError) << "statement failed";
    QTest::newRow("no database named")
        << "  " << TestSql::PrintPhotoWinners << int(KalvoroReportDatabaseError) << "No database";
    QTest::newRow("writing refused")
        << ""
        << "delete from prize" << int(KalvoroReportDatabaseError) << "statement failed";
}

void TestReport::reportFailuresAreTold() {
    QFETCH(QString, connection);
    QFETCH(QString, sql);
    QFETCH(int, code);
    QFETCH(QString, says);
    WinnersFixture fx;
    fx.addPhotoWinner(QStringLiteral("/p/a.jpg"), QStringLiteral("A"));
    if (connection.isEmpty())
        connection = fx.data->filePath();
    const QString pdf = fx.path(QStringLiteral("out/x.pdf"));
    QCOMPARE(AnyReportToPdf(connection.toUtf8().constData(), sql.toUtf8().constData(), "Winner",
                            pdf.toUtf8().constData()),
             code);
    QVERIFY2(QString::fromUtf8(ReportLastError()).contains(says), ReportLastError());
    QVERIFY(!QFileInfo::exists(pdf));
    // The report's connection only reads: the winner is still there.
    QCOMPARE(WinnersFixture::count(QStringLiteral("select count(*) from prize")), 1);

    QCOMPARE(AnyReportToPdf(nullptr, "select 1", "T", "x.pdf"), int(KalvoroReportBadArgument));
    QCOMPARE(ExcelReport(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, 0),
             int(KalvoroReportBadArgument));
    // A success clears the reason.
    QCOMPARE(AnyReportToPdf(fx.data->filePath().toUtf8().constData(),
                            TestSql::PrintPhotoWinners.toUtf8().constData(), "Winner",
                            pdf.toUtf8().constData()),
             0);
    QCOMPARE(QByteArray(ReportLastError()), QByteArray());
}

void TestReport::previewOpensAndCloses() {
    WinnersFixture fx;
    {
        WinnersFixture::Batch batch;
        for (int i = 0; i < 70; ++i)
            fx.addPhotoWinner(QStringLiteral("/p/N%1.jpg").arg(i), QStringLiteral("Prize"));
    }
    QString title;
    int pages = -1;
    bool seen = false;
    // The preview is modal: look at it from a timer and close it.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        seen = true;
        title = dlg->windowTitle();
        if (auto* w = dlg->findChild<QPrintPreviewWidget*>())
            pages = w->pageCount();
        if (!qEnvironmentVariableIsEmpty("KALVORO_SHOTS"))
            dlg->grab().save(qEnvironmentVariable("KALVORO_SHOTS") +
                             QStringLiteral("/preview.png"));
        dlg->reject();
    });
    poll.start();
    const auto done = ReportLibrary::AnyReport(fx.data->filePath(), TestSql::PrintPhotoWinners,
                                               QStringLiteral("Winner"));
    poll.stop();
    QVERIFY2(done.ok, qPrintable(done.error));
    QVERIFY(seen);
    QVERIFY(title.contains(QStringLiteral("Winner")));
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
}

void TestReport::sylkWorkbookFromShippedTemplate() {
    WinnersFixture fx;
    const QString red = fx.makePhoto(QStringLiteral("李娜.jpg"), Qt::red);
    fx.addPhotoWinner(red, QStringLiteral("Second Prize"), QStringLiteral("2024-05-01 19:30:00"));
    fx.addPhotoWinner(QStringLiteral("/gone/Zoë; \"Z\".jpg"), QStringLiteral("first prize"),
                      QStringLiteral("2024-05-01 20:00:15"));
    fx.addPhotoWinner(QStringLiteral("/gone/🎉 Party.jpg"), QStringLiteral("First Prize"),
                      QStringLiteral("2024-05-02 08:05:00"));
    const QString out = fx.path(QStringLiteral("out/Winner.xls"));
    const auto done = ReportLibrary::ExcelReport(fx.data->filePath(), TestSql::ExportPhotoWinners,
                                                 ProgramFolder::path() + QStringLiteral("md.xls"),
                                                 QStringLiteral("Sheet1"), out,
                                                 QStringLiteral("Sheet1"), 0, 0, 0, 1, 0, 0);
    QVERIFY2(done.ok, qPrintable(done.error));
    Sylk::Sheet s;
    QString why;
    QVERIFY2(Sylk::Read(ReadAll(out), s, &why), qPrintable(why));

    QCOMPARE(s.cell(1, 1).text(), QStringLiteral("Winners"));
    QVERIFY2(s.cell(2, 1).text().endsWith(QStringLiteral(", 3 winners")),
             qPrintable(s.cell(2, 1).text()));
    const QStringList headings{QStringLiteral("#"), QStringLiteral("Class"), QStringLiteral("Name"),
                               QStringLiteral("Date"), QStringLiteral("Photo file")};
    for (int c = 0; c < headings.size(); ++c)
        QCOMPARE(s.cell(4, c + 1).text(), headings.at(c));
    // SYLK cannot hold pictures: the photo column is left out.
    QCOMPARE(s.columnCount(), 5);
    QCOMPARE(s.rowCount(), 7);

    struct Row {
        QString cls, name, file;
        QDateTime when;
    };
    // The two first prizes (one in lower case) come first; within a class the store's order.
    const QList<Row> expected{
        {QStringLiteral("first prize"), QStringLiteral("Zoë; \"Z\".jpg"),
         QStringLiteral("/gone/Zoë; \"Z\".jpg"), QDateTime(QDate(2024, 5, 1), QTime(20, 0, 15))},
        {QStringLiteral("First Prize"), QStringLiteral("🎉 Party.jpg"),
         QStringLiteral("/gone/🎉 Party.jpg"), QDateTime(QDate(2024, 5, 2), QTime(8, 5))},
        {QStringLiteral("Second Prize"), QStringLiteral("李娜.jpg"), red,
         QDateTime(QDate(2024, 5, 1), QTime(19, 30))},
    };
    const QDate epoch(1899, 12, 30);
    for (int i = 0; i < expected.size(); ++i) {
        const int row = 5 + i;
        QCOMPARE(s.cell(row, 1).number(), double(i + 1));
        QVERIFY(!s.cell(row, 1).isText());
        QCOMPARE(s.cell(row, 2).text(), expected.at(i).cls);
        QCOMPARE(s.cell(row, 3).text(), expected.at(i).name);
        const Sylk::Cell date = s.cell(row, 4);
        QVERIFY(!date.isText());
        const double serial = epoch.daysTo(expected.at(i).when.date()) +
                              expected.at(i).when.time().msecsSinceStartOfDay() / 86400000.0;
        QVERIFY2(qAbs(date.number() - serial) < 1e-6,
                 qPrintable(QString::number(date.number(), 'f', 8)));
        QVERIFY(date.format >= 0);
        QCOMPARE(s.formats().at(date.format), QStringLiteral("yyyy\\-mm\\-dd\\ hh:mm:ss"));
        QCOMPARE(s.cell(row, 5).text(), expected.at(i).file);
    }
    QCOMPARE(s.columnWidth(3), 36);
}

void TestReport::xlsxWorkbookCarriesThumbnails() {
    WinnersFixture fx;
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("one.jpg"), Qt::red, {800, 600}),
                      QStringLiteral("A"));
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("two.jpg"), Qt::blue, {300, 900}),
                      QStringLiteral("B"));
    fx.addPhotoWinner(QStringLiteral("/gone/three.jpg"), QStringLiteral("C"));
    const QString broken = QDir(fx.photoDir()).filePath(QStringLiteral("broken.jpg"));
    QVERIFY(WriteAll(broken, "not a picture"));
    fx.addPhotoWinner(broken, QStringLiteral("D"));

    for (const int photos : {1, 0}) {
        const QString out = fx.path(QStringLiteral("out/Winner%1.XLSX").arg(photos));
        const auto done = ReportLibrary::ExcelReport(
            fx.data->filePath(), TestSql::ExportPhotoWinners,
            ProgramFolder::path() + QStringLiteral("md.xls"), QStringLiteral("Sheet1"), out,
            QStringLiteral("Winners: May"), 0, 0, 0, photos, 0, 0);
        QVERIFY2(done.ok, qPrintable(done.error));
        const QByteArray zip = ReadAll(out);
        QVERIFY(zip.startsWith("PK\x03\x04"));
        // Names of the zip's members are stored as they are.
        QCOMPARE(zip.contains("xl/media/image1.png"), photos == 1);
        QCOMPARE(zip.contains("xl/media/image2.png"), photos == 1);
        QVERIFY(!zip.contains("xl/media/image3.png"));
        QVERIFY(zip.contains("xl/worksheets/sheet1.xml"));
    }
}

void TestReport::templateFilling_data() {
    QTest::addColumn<QByteArray>("templ");
    QTest::addColumn<int>("winners");
    QTest::addColumn<QStringList>("cells"); // "row,col=text" or "row,col#number"
    QTest::addColumn<int>("rows");

    const QByteArray footer = "ID;P\r\nC;Y1;X1;K\"Top\"\r\nC;Y2;X1;K\"{name}\"\r\nC;X2;K\"{#}\"\r\n"
                              "C;Y3;X1;K\"Total\"\r\nC;X2;K\"{count}\"\r\nE\r\n";
    QTest::newRow("footer moves down")
        << footer << 3
        << L({"1,1=Top", "2,1=w0.jpg", "2,2#1", "4,1=w2.jpg", "4,2#3", "5,1=Total", "5,2#3"}) << 5;
    QTest::newRow("no winners: footer takes the data row's place")
        << footer << 0 << L({"1,1=Top", "2,1=Total", "2,2#0"}) << 2;
    QTest::newRow("fields inside text")
        << QByteArray("ID;P\r\nC;Y1;X1;K\"{#}. {name} ({class}) {unknown}\"\r\nE\r\n") << 2
        << L({"1,1=1. w0.jpg (C0) {unknown}", "2,1=2. w1.jpg (C1) {unknown}"}) << 2;
    QTest::newRow("column names ignore case, numbers as text stay text")
        << QByteArray("ID;P\r\nC;Y1;X1;K\"{NAME}\"\r\nC;X2;K\"{Class}\"\r\nC;X3;K\"007\"\r\nE\r\n")
        << 1 << L({"1,1=w0.jpg", "1,2=C0", "1,3=007"}) << 1;
}

void TestReport::templateFilling() {
    QFETCH(QByteArray, templ);
    QFETCH(int, winners);
    QFETCH(QStringList, cells);
    QFETCH(int, rows);
    WinnersFixture fx;
    for (int i = 0; i < winners; ++i)
        fx.addPhotoWinner(QStringLiteral("/p/w%1.jpg").arg(i), QStringLiteral("C%1").arg(i));
    const QString t = fx.path(QStringLiteral("program/t.xls"));
    QVERIFY(WriteAll(t, templ));
    const QString out = fx.path(QStringLiteral("out/o.xls"));
    const auto done = ReportLibrary::ExcelReport(fx.data->filePath(), TestSql::ExportPhotoWinners,
                                                 t, QStringLiteral("Sheet1"), out,
                                                 QStringLiteral("Sheet1"), 0, 0, 0, 1, 0, 0);
    QVERIFY2(done.ok, qPrintable(done.error));
    Sylk::Sheet s;
    QVERIFY(Sylk::Read(ReadAll(out), s));
    QCOMPARE(s.rowCount(), rows);
    for (const QString& c : cells) {
        static const QRegularExpression form(QStringLiteral("^(\\d+),(\\d+)([=#])(.*)$"));
        const auto m = form.match(c);
        QVERIFY(m.hasMatch());
        const Sylk::Cell cell = s.cell(m.captured(1).toInt(), m.captured(2).toInt());
        if (m.captured(3) == QLatin1String("=")) {
            QVERIFY2(cell.isText(), qPrintable(c));
            QCOMPARE(cell.text(), m.captured(4));
        } else {
            QVERIFY2(!cell.isText(), qPrintable(c));
            QCOMPARE(cell.number(), m.captured(4).toDouble());
        }
    }
}

void TestReport::templateProblems_data() {
    QTest::addColumn<QByteArray>("templ"); // empty: no template file at all
    QTest::addColumn<QString>("says");
    QTest::newRow("no template") << QByteArray() << "cannot be read";
    QTest::newRow("not SYLK") << QByteArray("PK\x03\x04...") << "not a SYLK file";
    QTest::newRow("no data row") << QByteArray("ID;P\r\nC;Y1;X1;K\"{count} only\"\r\nE\r\n")
                                 << "no row with a field";
}

void TestReport::templateProblems() {
    QFETCH(QByteArray, templ);
    QFETCH(QString, says);
    WinnersFixture fx;
    const QString t = fx.path(QStringLiteral("program/t.xls"));
    if (!templ.isEmpty())
        QVERIFY(WriteAll(t, templ));
    const QString out = fx.path(QStringLiteral("out/o.xls"));
    QCOMPARE(ExcelReport(fx.data->filePath().toUtf8().constData(),
                         TestSql::ExportPhotoWinners.toUtf8().constData(), t.toUtf8().constData(),
                         "Sheet1", out.toUtf8().constData(), "Sheet1", 0, 0, 0, 1, 0, 0),
             int(KalvoroReportTemplateError));
    QVERIFY2(QString::fromUtf8(ReportLastError()).contains(says), ReportLastError());
    QVERIFY(!QFileInfo::exists(out));
}

void TestReport::workbookNeverOverwritesItsTemplate() {
    WinnersFixture fx;
    const QString t = ProgramFolder::path() + QStringLiteral("md.xls");
    const QByteArray before = ReadAll(t);
    const auto done = ReportLibrary::ExcelReport(fx.data->filePath(), TestSql::ExportPhotoWinners,
                                                 t, QStringLiteral("Sheet1"), t,
                                                 QStringLiteral("Sheet1"), 0, 0, 0, 1, 0, 0);
    QVERIFY(!done.ok);
    QVERIFY2(done.error.contains(QStringLiteral("its own template")), qPrintable(done.error));
    QCOMPARE(ReadAll(t), before);
}

void TestReport::workbookWriteFailureKeepsOldFile() {
    WinnersFixture fx;
    fx.addPhotoWinner(QStringLiteral("/p/a.jpg"), QStringLiteral("A"));
    for (const QString& name : {QStringLiteral("old.xls"), QStringLiteral("old.xlsx")}) {
        const QString out = QDir(fx.outDir()).filePath(name);
        QVERIFY(WriteAll(out, "the old workbook"));
        ReportLibrary::Outcome done;
        WithoutWriteAccess(fx.outDir(), [&] {
            done = ReportLibrary::ExcelReport(fx.data->filePath(), TestSql::ExportPhotoWinners,
                                              ProgramFolder::path() + QStringLiteral("md.xls"),
                                              QStringLiteral("Sheet1"), out,
                                              QStringLiteral("Sheet1"), 0, 0, 0, 1, 0, 0);
        });
        QVERIFY(!done.ok);
        QVERIFY2(done.error.contains(QStringLiteral("cannot be written")) ||
                     done.error.contains(QStringLiteral("read-only")),
                 qPrintable(done.error));
        QCOMPARE(ReadAll(out), QByteArray("the old workbook"));
        QCOMPARE(QDir(fx.outDir()).entryList(QDir::Files | QDir::Hidden).size(),
                 name == QLatin1String("old.xls") ? 1 : 2);
    }
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
