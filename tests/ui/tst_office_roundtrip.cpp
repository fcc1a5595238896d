// The exported workbooks as LibreOffice Calc reads them: each is converted to
// CSV by soffice and compared cell by cell with what was exported.
#include "WinnersFixture.h"

#include "support/TestSql.h"
#include "ui/winners/ReportLibrary.h"
#include "ui/winners/WordWinnersDialog.h"

#include <QAction>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

using Grid = QList<QStringList>;

// RFC 4180 CSV as Calc writes it: "," between fields, '"' around fields that
// need it, doubled quotes inside, line breaks allowed inside quotes.
Grid ParseCsv(const QString& text) {
    Grid rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows << (row << field);
    return rows;
}

QString Cell(const Grid& g, int row, int col) {
    return g.value(row - 1).value(col - 1);
}

QString ReadText(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestOfficeRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void calcReadsTheExports();
};

void TestOfficeRoundTrip::calcReadsTheExports() {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: install libreoffice-calc-nogui "
              "(scripts/setup.sh test) to check the exports as Calc reads them");
    WinnersFixture fx;
    const QStringList names{QStringLiteral("李娜"),    QStringLiteral("Chloé Dubois"),
                            QStringLiteral("🎉 Party"), QStringLiteral("O'Neil; \"Jr\""),
                            QStringLiteral("007"),     QStringLiteral("two\nlines")};
    for (int i = 0; i < names.size(); ++i) {
        fx.addWordWinner(names.at(i),
                         i % 2 ? QStringLiteral("特等奖") : QStringLiteral("First Prize"));
        const QString photo = i < 3 ? fx.makePhoto(QStringLiteral("%1.jpg").arg(i), Qt::darkCyan)
                                    : QStringLiteral("/gone/%1.jpg").arg(i);
        fx.exec(QStringLiteral("insert into prize(filename,name,class,rq) values(?,?,?,?)"),
                {photo, QString(names.at(i) + QStringLiteral(".jpg")),
                 QStringLiteral("Class %1").arg(i % 3),
                 QStringLiteral("2024-05-0%1 19:30:0%1").arg(i + 1)});
    }

    // The word list through its window, the photo list through the library.
    const QString words = QDir(fx.outDir()).filePath(QStringLiteral("words.xls"));
    {
        WordWinnersDialog w;
        fx.prompts->fileAnswers.enqueue(words);
        Control<QAction>(&w, "exportAction")->trigger();
        QVERIFY(QFileInfo::exists(words));
    }
    const QString sylk = QDir(fx.outDir()).filePath(QStringLiteral("photos-sylk.xls"));
    const QString book = QDir(fx.outDir()).filePath(QStringLiteral("photos-book.xlsx"));
    for (const QString& out : {sylk, book}) {
        const auto done = ReportLibrary::ExcelReport(
            fx.data->filePath(), TestSql::ExportPhotoWinners,
            ProgramFolder::path() + QStringLiteral("md.xls"), QStringLiteral("Sheet1"), out,
            QStringLiteral("Sheet1"), 0, 0, 0, 1, 0, 0);
        QVERIFY2(done.ok, qPrintable(done.error));
    }

    // A profile of its own, so a running office or a first-start dialog does not interfere.
    const QString profile = QUrl::fromLocalFile(fx.path(QStringLiteral("lo-profile"))).toString();
    const QString csvDir = fx.path(QStringLiteral("csv"));
    auto convert = [&](const QString& to, const QStringList& files) {
        QProcess lo;
        lo.setProcessChannelMode(QProcess::MergedChannels);
        lo.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=") + profile,
                                      QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                      QStringLiteral("--convert-to"), to,
                                      QStringLiteral("--outdir"), csvDir} +
                              files);
        const bool finished = lo.waitForFinished(50000);
        if (!finished)
            lo.kill();
        return finished ? QString::fromUtf8(lo.readAll()) : QStringLiteral("<soffice timed out>");
    };
    const QString log =
        convert(QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), {words, sylk, book});

    // The word list: header, then number, word and class per row, in the window's order.
    const Grid w = ParseCsv(ReadText(QDir(csvDir).filePath(QStringLiteral("words.csv"))));
    QVERIFY2(!w.isEmpty(), qPrintable(log));
    QCOMPARE(w.first(),
             (QStringList{QStringLiteral("#"), QStringLiteral("Name"), QStringLiteral("Class")}));
    QCOMPARE(w.size(), names.size() + 1);
    QStringList exported;
    for (int r = 2; r <= w.size(); ++r) {
        QCOMPARE(Cell(w, r, 1), QString::number(r - 1));
        exported << Cell(w, r, 2);
        QVERIFY(Cell(w, r, 3) == QStringLiteral("First Prize") ||
                Cell(w, r, 3) == QStringLiteral("特等奖"));
    }
    QStringList sortedNames = names, sortedExported = exported;
    sortedNames.sort();
    sortedExported.sort();
    QCOMPARE(sortedExported, sortedNames);
    // Sorted by class: the first prizes first.
    QCOMPARE(Cell(w, 2, 3), QStringLiteral("First Prize"));
    QCOMPARE(Cell(w, w.size(), 3), QStringLiteral("特等奖"));

    // The photo workbook, both forms: same cells, the .xlsx with a photo column.
    for (const QString& name :
         {QStringLiteral("photos-sylk.csv"), QStringLiteral("photos-book.csv")}) {
        const Grid p = ParseCsv(ReadText(QDir(csvDir).filePath(name)));
        QVERIFY2(p.size() >= 4 + names.size(), qPrintable(name + QLatin1Char('\n') + log));
        QCOMPARE(Cell(p, 1, 1), QStringLiteral("Winners"));
        QVERIFY2(Cell(p, 2, 1).endsWith(QStringLiteral(", 6 winners")), qPrintable(Cell(p, 2, 1)));
        QCOMPARE(Cell(p, 4, 3), QStringLiteral("Name"));
        QCOMPARE(Cell(p, 4, 6),
                 name.contains(QStringLiteral("book")) ? QStringLiteral("Photo") : QString());
        for (int i = 0; i < names.size(); ++i) {
            const int r = 5 + i;
            QCOMPARE(Cell(p, r, 1), QString::number(i + 1));
            // Classes 0, 0, 1, 1, 2, 2 in the store's order within a class.
            QCOMPARE(Cell(p, r, 2), QStringLiteral("Class %1").arg(i / 2));
            const int source = (i / 2) + (i % 2) * 3;
            QCOMPARE(Cell(p, r, 3), names.at(source) + QStringLiteral(".jpg"));
            QCOMPARE(Cell(p, r, 4), QStringLiteral("2024-05-0%1 19:30:0%1").arg(source + 1));
        }
    }

    // Column widths as Calc sees them in the .xlsx: Name (36) far wider than # (6).
    convert(QStringLiteral("fods"), {book});
    const QString fods = ReadText(QDir(csvDir).filePath(QStringLiteral("photos-book.fods")));
    QMap<QString, double> styleWidth;
    static const QRegularExpression style(
        QStringLiteral("<style:style "
                       "style:name=\"(co\\d+)\"[^>]*>\\s*<style:table-column-properties[^>]*style:"
                       "column-width=\"([0-9.]+)in\""));
    for (auto m = style.globalMatch(fods); m.hasNext();) {
        const auto hit = m.next();
        styleWidth.insert(hit.captured(1), hit.captured(2).toDouble());
    }
    QList<double> widths;
    static const QRegularExpression column(
        QStringLiteral("<table:table-column table:style-name=\"(co\\d+)\"(?: "
                       "table:number-columns-repeated=\"(\\d+)\")?"));
    for (auto m = column.globalMatch(fods); m.hasNext() && widths.size() < 6;) {
        const auto hit = m.next();
        for (int n = 0; n < std::max(1, hit.captured(2).toInt()); ++n)
            widths << styleWidth.value(hit.captured(1));
    }
    QVERIFY2(widths.size() >= 5, qPrintable(fods.left(300)));
    QVERIFY2(widths.at(2) > 4 * widths.at(0),
             qPrintable(QStringLiteral("%1 %2").arg(widths.at(0)).arg(widths.at(2))));
    QVERIFY2(widths.at(4) > widths.at(2), "the photo file column is the widest");
}

QTEST_MAIN(TestOfficeRoundTrip)
#include "tst_office_roundtrip.moc"
