// The photo winners window: list, preview, delete, export and print.
#include "WinnersFixture.h"

#include "formats/Sylk.h"
#include "ui/common/TableNavigator.h"
#include "ui/winners/PhotoView.h"
#include "ui/winners/PhotoWinnersDialog.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {

// The colour in the middle of the preview's picture.
QColor Shown(const PhotoWinnersDialog& w) {
    const QImage img = w.Image1->picture();
    return img.isNull() ? QColor() : img.pixelColor(img.width() / 2, img.height() / 2);
}

bool Near(const QColor& a, const QColor& b) {
    return a.isValid() && qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 &&
           qAbs(a.blue() - b.blue()) < 40;
}

// The texts of one column as the grid shows them, top to bottom.
QStringList Column(const PhotoWinnersDialog& w, const QString& field) {
    QStringList out;
    const int c = w.ADOQuery1->record().indexOf(field);
    for (int r = 0; r < w.ADOQuery1->rowCount(); ++r)
        out << w.ADOQuery1->data(w.ADOQuery1->index(r, c)).toString();
    return out;
}

void ClickRow(PhotoWinnersDialog& w, int row) {
    QTableView* grid = w.bsSkinDBGrid1;
    const int col = grid->horizontalHeader()->logicalIndex(1);
    const QRect r = grid->visualRect(w.ADOQuery1->index(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class TestPhotoWinners : public QObject {
    Q_OBJECT
private slots:
    void windowHasItsControls();
    void listIsSortedByClassIgnoringCase();
    void previewFollowsTheCurrentRow();
    void keyDownShowsTheRowLeftKeyUpTheRowReached();
    void deleteAsksAndRemovesTheWinner();
    void deletingTheLastRowKeepsThePhoto();
    void missingAndUnreadablePhotos();
    void exportNeedsTheTemplate();
    void exportCancelledWritesNothing();
    void exportWritesAndOpensTheWorkbook();
    void exportFailureIsToldAndKeepsTheOldFile();
    void printShowsThePreview();
    void listThatCannotBeOpened();
};

void TestPhotoWinners::windowHasItsControls() {
    WinnersFixture fx;
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("a.jpg"), Qt::red), QStringLiteral("A"));
    PhotoWinnersDialog w;
    QCOMPARE(w.objectName(), QStringLiteral("PhotoWinnersDialog"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Winners"));
    for (const char* name :
         {"Panel1", "Panel2", "Panel3", "Panel4", "bsSkinButton1", "bsSkinButton2",
          "bsSkinDBNavigator1", "bsSkinDBGrid1", "bsSkinScrollBar1", "Splitter1", "Image1",
          "ADOQuery1", "ActionList1", "ActionExport", "ActionPrint", "bsSkinData1"})
        QVERIFY2(w.findChild<QObject*>(QLatin1String(name)), name);
    QCOMPARE(w.bsSkinButton1->text(), QStringLiteral("&Export"));
    QCOMPARE(w.bsSkinButton2->text(), QStringLiteral("&Print"));
    // The navigator: first, prior, next, last and delete only.
    const QStringList shown{QStringLiteral("nbFirst"), QStringLiteral("nbPrior"),
                            QStringLiteral("nbNext"), QStringLiteral("nbLast"),
                            QStringLiteral("nbDelete")};
    for (QToolButton* b : w.bsSkinDBNavigator1->findChildren<QToolButton*>())
        QCOMPARE(!b->isHidden(), shown.contains(b->objectName()));
    // Class, Name, Date; the path hidden.
    QHeaderView* h = w.bsSkinDBGrid1->horizontalHeader();
    QStringList titles;
    for (int v = 0; v < h->count(); ++v)
        if (!h->isSectionHidden(h->logicalIndex(v)))
            titles << w.ADOQuery1->headerData(h->logicalIndex(v), Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{QStringLiteral("Class"), QStringLiteral("Name"),
                                  QStringLiteral("Date")}));
    QCOMPARE(w.bsSkinDBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(w.bsSkinDBGrid1->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(w.Splitter1->indexOf(w.Panel1) == 0 && w.Splitter1->indexOf(w.Panel2) == 1);
    if (!qEnvironmentVariableIsEmpty("KALVORO_SHOTS")) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.grab().save(qEnvironmentVariable("KALVORO_SHOTS") +
                      QStringLiteral("/PhotoWinnersDialog.png"));
    }
}

void TestPhotoWinners::listIsSortedByClassIgnoringCase() {
    WinnersFixture fx;
    const QStringList classes{QStringLiteral("b prize"), QStringLiteral("A Prize"),
                              QStringLiteral("Z"),       QStringLiteral("a prize"),
                              QStringLiteral("B Prize"), QStringLiteral("特等奖")};
    for (int i = 0; i < classes.size(); ++i)
        fx.addPhotoWinner(QStringLiteral("/p/%1.jpg").arg(i), classes.at(i));
    PhotoWinnersDialog w;
    const QStringList shown = Column(w, QStringLiteral("class"));
    QCOMPARE(shown.size(), classes.size());
    QStringList lower;
    for (const QString& c : shown)
        lower << c.toLower();
    QCOMPARE(lower, (QStringList{QStringLiteral("a prize"), QStringLiteral("a prize"),
                                 QStringLiteral("b prize"), QStringLiteral("b prize"),
                                 QStringLiteral("z"), QStringLiteral("特等奖")}));
    // The name column holds the file name with its extension.
    QVERIFY(Column(w, QStringLiteral("name")).contains(QStringLiteral("2.jpg")));
}

void TestPhotoWinners::previewFollowsTheCurrentRow() {
    WinnersFixture fx;
    const QList<QColor> colours{Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int i = 0; i < colours.size(); ++i)
        fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p%1.jpg").arg(i), colours.at(i)),
                          QStringLiteral("Class %1").arg(i));
    PhotoWinnersDialog w;
    QVERIFY(w.Image1->picture().isNull());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(Near(Shown(w), Qt::red)); // shown: the first row

    ClickRow(w, 2);
    QCOMPARE(w.bsSkinDBGrid1->currentIndex().row(), 2);
    QVERIFY(Near(Shown(w), Qt::blue));

    TableNavigator* nav = w.bsSkinDBNavigator1;
    const QList<std::pair<TableNavigator::Button, QColor>> steps{{TableNavigator::First, Qt::red},
                                                                 {TableNavigator::Next, Qt::green},
                                                                 {TableNavigator::Last, Qt::yellow},
                                                                 {TableNavigator::Prior, Qt::blue}};
    for (const auto& [button, colour] : steps) {
        nav->button(button)->click();
        QVERIFY2(Near(Shown(w), colour), qPrintable(nav->button(button)->objectName()));
    }

    // Moving the row by program is none of the events the preview follows...
    w.bsSkinDBGrid1->setCurrentIndex(w.ADOQuery1->index(0, 1));
    QVERIFY(Near(Shown(w), Qt::blue));
    // ...until a column is dragged to another place.
    w.bsSkinDBGrid1->horizontalHeader()->moveSection(0, 1);
    QVERIFY(Near(Shown(w), Qt::red));
    QCOMPARE(w.Image1->fileName(), w.CurrentFileName());
}

void TestPhotoWinners::keyDownShowsTheRowLeftKeyUpTheRowReached() {
    WinnersFixture fx;
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p0.jpg"), Qt::red), QStringLiteral("A"));
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p1.jpg"), Qt::green), QStringLiteral("B"));
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p2.jpg"), Qt::blue), QStringLiteral("C"));
    PhotoWinnersDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.bsSkinDBGrid1->setFocus();
    w.bsSkinDBGrid1->setCurrentIndex(w.ADOQuery1->index(1, 1)); // no event: still red
    QVERIFY(Near(Shown(w), Qt::red));
    QTest::keyPress(w.bsSkinDBGrid1, Qt::Key_Down);
    QVERIFY(Near(Shown(w), Qt::green)); // the row left behind
    QCOMPARE(w.bsSkinDBGrid1->currentIndex().row(), 2);
    QTest::keyRelease(w.bsSkinDBGrid1, Qt::Key_Down);
    QVERIFY(Near(Shown(w), Qt::blue)); // the row reached
    QTest::keyClick(w.bsSkinDBGrid1, Qt::Key_Home, Qt::ControlModifier);
    QVERIFY(Near(Shown(w), Qt::red));
    QCOMPARE(fx.prompts->messages, QStringList());
}

void TestPhotoWinners::deleteAsksAndRemovesTheWinner() {
    WinnersFixture fx;
    const QString p0 = fx.makePhoto(QStringLiteral("p0.jpg"), Qt::red);
    const QString p1 = fx.makePhoto(QStringLiteral("p1.jpg"), Qt::green);
    const QString p2 = fx.makePhoto(QStringLiteral("p2.jpg"), Qt::blue);
    fx.addPhotoWinner(p0, QStringLiteral("A"));
    fx.addPhotoWinner(p1, QStringLiteral("B"));
    fx.addPhotoWinner(p2, QStringLiteral("C"));
    PhotoWinnersDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ClickRow(w, 1);
    QToolButton* del = w.bsSkinDBNavigator1->button(TableNavigator::Delete);

    fx.prompts->confirmAnswers.enqueue(false);
    del->click();
    QCOMPARE(fx.prompts->questions, QStringList{QStringLiteral("Delete record?")});
    QCOMPARE(WinnersFixture::count(QStringLiteral("select count(*) from prize")), 3);
    QCOMPARE(w.ADOQuery1->rowCount(), 3);
    QCOMPARE(w.bsSkinDBGrid1->currentIndex().row(), 1);

    fx.prompts->confirmAnswers.enqueue(true);
    del->click();
    QCOMPARE(fx.prompts->questions.size(), 2);
    // The photo may win again: its row is gone from the table.
    QCOMPARE(
        WinnersFixture::count(QStringLiteral("select count(*) from prize where filename=?"), {p1}),
        0);
    QCOMPARE(WinnersFixture::count(QStringLiteral("select count(*) from prize")), 2);
    QCOMPARE(Column(w, QStringLiteral("filename")), (QStringList{p0, p2}));
    // The neighbouring row is current and its photo shown.
    QCOMPARE(w.bsSkinDBGrid1->currentIndex().row(), 1);
    QVERIFY(Near(Shown(w), Qt::blue));
    QCOMPARE(fx.prompts->messages, QStringList());
}

void TestPhotoWinners::deletingTheLastRowKeepsThePhoto() {
    WinnersFixture fx;
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("only.jpg"), Qt::magenta), QStringLiteral("A"));
    PhotoWinnersDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fx.prompts->confirmAnswers.enqueue(true);
    w.bsSkinDBNavigator1->button(TableNavigator::Delete)->click();
    QCOMPARE(w.ADOQuery1->rowCount(), 0);
    QCOMPARE(WinnersFixture::count(QStringLiteral("select count(*) from prize")), 0);
    QVERIFY(Near(Shown(w), Qt::magenta));
    QVERIFY(!w.bsSkinDBNavigator1->button(TableNavigator::Delete)->isEnabled());
}

void TestPhotoWinners::missingAndUnreadablePhotos() {
    WinnersFixture fx;
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p0.jpg"), Qt::red), QStringLiteral("A"));
    fx.addPhotoWinner(QDir(fx.photoDir()).filePath(QStringLiteral("gone.jpg")),
                      QStringLiteral("B"));
    const QString broken = QDir(fx.photoDir()).filePath(QStringLiteral("broken.jpg"));
    {
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is no JPEG at all");
    }
    fx.addPhotoWinner(broken, QStringLiteral("C"));
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p3.jpg"), Qt::blue), QStringLiteral("D"));
    PhotoWinnersDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(Near(Shown(w), Qt::red));

    // Missing: the preview stays on the last photo, nothing is said.
    ClickRow(w, 1);
    QVERIFY(Near(Shown(w), Qt::red));
    QCOMPARE(fx.prompts->messages, QStringList());

    // Unreadable: said once, the preview kept, the window goes on.
    ClickRow(w, 2);
    QCOMPARE(fx.prompts->messages.size(), 1);
    QVERIFY2(fx.prompts->messages.first().contains(QStringLiteral("broken.jpg")),
             qPrintable(fx.prompts->messages.first()));
    QVERIFY(Near(Shown(w), Qt::red));
    ClickRow(w, 2);
    QTest::keyClick(w.bsSkinDBGrid1, Qt::Key_Shift);
    QCOMPARE(fx.prompts->messages.size(), 1);
    ClickRow(w, 3);
    QVERIFY(Near(Shown(w), Qt::blue));
    QCOMPARE(fx.prompts->messages.size(), 1);
}

void TestPhotoWinners::exportNeedsTheTemplate() {
    WinnersFixture fx(false);
    fx.addPhotoWinner(QStringLiteral("/p/a.jpg"), QStringLiteral("A"));
    PhotoWinnersDialog w;
    fx.prompts->fileAnswers.enqueue(fx.path(QStringLiteral("out/Winner.xls")));
    w.ActionExport->trigger();
    QCOMPARE(fx.prompts->messages, QStringList{QStringLiteral("failure!")});
    QCOMPARE(fx.prompts->fileAnswers.size(), 1); // no dialog was shown
    QVERIFY(fx.prompts->opened.isEmpty());
    QVERIFY(QDir(fx.outDir()).isEmpty());
}

void TestPhotoWinners::exportCancelledWritesNothing() {
    WinnersFixture fx;
    PhotoWinnersDialog w;
    w.bsSkinButton1->click();
    QCOMPARE(fx.prompts->lastSaveFolder, GetDesktopFolder());
    QCOMPARE(fx.prompts->lastSaveName, QStringLiteral("Winner.xls"));
    QCOMPARE(fx.prompts->messages, QStringList());
    QVERIFY(fx.prompts->opened.isEmpty());
    QVERIFY(QDir(fx.outDir()).isEmpty());
}

void TestPhotoWinners::exportWritesAndOpensTheWorkbook() {
    WinnersFixture fx;
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("李娜.jpg"), Qt::red),
                      QStringLiteral("Second Prize"));
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("Chloé.jpg"), Qt::blue),
                      QStringLiteral("First Prize"));
    PhotoWinnersDialog w;
    // A name typed without an extension is written as it is.
    for (const QString& name : {QStringLiteral("list"), QStringLiteral("Winner.xls")}) {
        const QString out = QDir(fx.outDir()).filePath(name);
        fx.prompts->fileAnswers.enqueue(out);
        w.ActionExport->trigger();
        QCOMPARE(fx.prompts->messages, QStringList());
        QCOMPARE(fx.prompts->opened.last(), out);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        Sylk::Sheet s;
        QVERIFY(Sylk::Read(f.readAll(), s));
        QCOMPARE(s.cell(5, 3).text(), QStringLiteral("Chloé.jpg"));
        QCOMPARE(s.cell(6, 3).text(), QStringLiteral("李娜.jpg"));
    }
    QStringList files = QDir(fx.outDir()).entryList(QDir::Files);
    files.sort();
    QCOMPARE(files, (QStringList{QStringLiteral("Winner.xls"), QStringLiteral("list")}));
}

void TestPhotoWinners::exportFailureIsToldAndKeepsTheOldFile() {
    WinnersFixture fx;
    fx.addPhotoWinner(QStringLiteral("/p/a.jpg"), QStringLiteral("A"));
    PhotoWinnersDialog w;
    const QString out = QDir(fx.outDir()).filePath(QStringLiteral("Winner.xls"));
    {
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("last year's winners");
    }
    // Open in LibreOffice (its lock file beside it), then a folder without write access.
    QFile lock(QDir(fx.outDir()).filePath(QStringLiteral(".~lock.Winner.xls#")));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.close();
    fx.prompts->fileAnswers.enqueue(out);
    w.ActionExport->trigger();
    QCOMPARE(fx.prompts->messages.size(), 1);
    QVERIFY2(fx.prompts->messages.last().contains(QStringLiteral("open in LibreOffice")),
             qPrintable(fx.prompts->messages.last()));
    QVERIFY(lock.remove());

    fx.prompts->fileAnswers.enqueue(out);
    WithoutWriteAccess(fx.outDir(), [&] { w.ActionExport->trigger(); });
    QCOMPARE(fx.prompts->messages.size(), 2);
    QVERIFY2(fx.prompts->messages.last().startsWith(
                 QStringLiteral("The winners could not be exported.")),
             qPrintable(fx.prompts->messages.last()));
    QVERIFY(fx.prompts->opened.isEmpty());
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("last year's winners"));
    QCOMPARE(QDir(fx.outDir()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Winner.xls")});
}

void TestPhotoWinners::printShowsThePreview() {
    WinnersFixture fx;
    fx.addPhotoWinner(QStringLiteral("/p/a.jpg"), QStringLiteral("A"));
    PhotoWinnersDialog w;
    w.show();
    QCOMPARE(WinnersFixture::PrintPreviewTitle(w.bsSkinButton2),
             QStringLiteral("Winner - Print preview"));
    QCOMPARE(fx.prompts->messages, QStringList());
}

void TestPhotoWinners::listThatCannotBeOpened() {
    WinnersFixture fx;
    WinnersFixture::exec(QStringLiteral("drop table prize"));
    QCOMPARE(PhotoWinnersDialog::ShowModal(nullptr), int(QDialog::Rejected));
    QCOMPARE(fx.prompts->messages.size(), 1);
    QVERIFY2(fx.prompts->messages.first().contains(QStringLiteral("winners list cannot be opened")),
             qPrintable(fx.prompts->messages.first()));
}

QTEST_MAIN(TestPhotoWinners)
#include "tst_photo_winners.moc"
