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
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {

QTableView* Table(const PhotoWinnersDialog& w) {
    return Control<QTableView>(&w, "winnersTable");
}
QSqlQueryModel* Model(const PhotoWinnersDialog& w) {
    return Control<QSqlQueryModel>(&w, "winnersModel");
}
TableNavigator* Navigator(const PhotoWinnersDialog& w) {
    return Control<TableNavigator>(&w, "winnersNavigator");
}
PhotoView* Preview(const PhotoWinnersDialog& w) {
    return Control<PhotoView>(&w, "photoPreview");
}
QAction* ExportAction(const PhotoWinnersDialog& w) {
    return Control<QAction>(&w, "exportAction");
}

// The colour in the middle of the preview's picture.
QColor Shown(const PhotoWinnersDialog& w) {
    const QImage img = Preview(w)->picture();
    return img.isNull() ? QColor() : img.pixelColor(img.width() / 2, img.height() / 2);
}

bool Near(const QColor& a, const QColor& b) {
    return a.isValid() && qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 &&
           qAbs(a.blue() - b.blue()) < 40;
}

// The texts of one column as the grid shows them, top to bottom.
QStringList Column(const PhotoWinnersDialog& w, const QString& field) {
    QStringList out;
    QSqlQueryModel* model = Model(w);
    const int c = model->record().indexOf(field);
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->data(model->index(r, c)).toString();
    return out;
}

void ClickRow(PhotoWinnersDialog& w, int row) {
    QTableView* grid = Table(w);
    const int col = grid->horizontalHeader()->logicalIndex(1);
    const QRect r = grid->visualRect(Model(w)->index(row, col));
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
    void refusedDeleteIsReportedAndKeepsTheRow();
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
         {"listPanel", "previewPanel", "buttonBar", "tablePanel", "exportButton", "printButton",
          "winnersNavigator", "winnersTable", "winnersScrollBar", "splitter", "photoPreview",
          "winnersModel", "exportAction", "printAction", "skinData"})
        QVERIFY2(w.findChild<QObject*>(QLatin1String(name)), name);
    QCOMPARE(Control<QPushButton>(&w, "exportButton")->text(), QStringLiteral("&Export"));
    QCOMPARE(Control<QPushButton>(&w, "printButton")->text(), QStringLiteral("&Print"));
    // The navigator: first, prior, next, last and delete only.
    const QStringList shown{QStringLiteral("firstButton"), QStringLiteral("priorButton"),
                            QStringLiteral("nextButton"), QStringLiteral("lastButton"),
                            QStringLiteral("deleteButton")};
    for (QToolButton* b : Navigator(w)->findChildren<QToolButton*>())
        QCOMPARE(!b->isHidden(), shown.contains(b->objectName()));
    // Class, Name, Date; the path hidden.
    QHeaderView* h = Table(w)->horizontalHeader();
    QStringList titles;
    for (int v = 0; v < h->count(); ++v)
        if (!h->isSectionHidden(h->logicalIndex(v)))
            titles << Model(w)->headerData(h->logicalIndex(v), Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{QStringLiteral("Class"), QStringLiteral("Name"),
                                  QStringLiteral("Date")}));
    QCOMPARE(Table(w)->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(Table(w)->selectionBehavior(), QAbstractItemView::SelectRows);
    QSplitter* splitter = Control<QSplitter>(&w, "splitter");
    QVERIFY(splitter->indexOf(Control<QWidget>(&w, "listPanel")) == 0 &&
            splitter->indexOf(Control<QWidget>(&w, "previewPanel")) == 1);
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
    QVERIFY(Preview(w)->picture().isNull());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(Near(Shown(w), Qt::red)); // shown: the first row

    ClickRow(w, 2);
    QCOMPARE(Table(w)->currentIndex().row(), 2);
    QVERIFY(Near(Shown(w), Qt::blue));

    TableNavigator* nav = Navigator(w);
    const QList<std::pair<TableNavigator::Button, QColor>> steps{{TableNavigator::First, Qt::red},
                                                                 {TableNavigator::Next, Qt::green},
                                                                 {TableNavigator::Last, Qt::yellow},
                                                                 {TableNavigator::Prior, Qt::blue}};
    for (const auto& [button, colour] : steps) {
        nav->button(button)->click();
        QVERIFY2(Near(Shown(w), colour), qPrintable(nav->button(button)->objectName()));
    }

    // Moving the row by program is none of the events the preview follows...
    Table(w)->setCurrentIndex(Model(w)->index(0, 1));
    QVERIFY(Near(Shown(w), Qt::blue));
    // ...until a column is dragged to another place.
    Table(w)->horizontalHeader()->moveSection(0, 1);
    QVERIFY(Near(Shown(w), Qt::red));
    QCOMPARE(Preview(w)->fileName(), w.currentFileName());
}

void TestPhotoWinners::keyDownShowsTheRowLeftKeyUpTheRowReached() {
    WinnersFixture fx;
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p0.jpg"), Qt::red), QStringLiteral("A"));
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p1.jpg"), Qt::green), QStringLiteral("B"));
    fx.addPhotoWinner(fx.makePhoto(QStringLiteral("p2.jpg"), Qt::blue), QStringLiteral("C"));
    PhotoWinnersDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTableView* grid = Table(w);
    grid->setFocus();
    grid->setCurrentIndex(Model(w)->index(1, 1)); // no event: still red
    QVERIFY(Near(Shown(w), Qt::red));
    QTest::keyPress(grid, Qt::Key_Down);
    QVERIFY(Near(Shown(w), Qt::green)); // the row left behind
    QCOMPARE(grid->currentIndex().row(), 2);
    QTest::keyRelease(grid, Qt::Key_Down);
    QVERIFY(Near(Shown(w), Qt::blue)); // the row reached
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
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
    QToolButton* del = Control<QToolButton>(&w, "deleteButton");
    QCOMPARE(del, Navigator(w)->button(TableNavigator::Delete));

    fx.prompts->confirmAnswers.enqueue(false);
    del->click();
    QCOMPARE(fx.prompts->questions, QStringList{QStringLiteral("Delete record?")});
    QCOMPARE(WinnersFixture::count(QStringLiteral("select count(*) from prize")), 3);
    QCOMPARE(Model(w)->rowCount(), 3);
    QCOMPARE(Table(w)->currentIndex().row(), 1);

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
    QCOMPARE(Table(w)->currentIndex().row(), 1);
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
    Navigator(w)->button(TableNavigator::Delete)->click();
    QCOMPARE(Model(w)->rowCount(), 0);
    QCOMPARE(WinnersFixture::count(QStringLiteral("select count(*) from prize")), 0);
    QVERIFY(Near(Shown(w), Qt::magenta));
    QVERIFY(!Navigator(w)->button(TableNavigator::Delete)->isEnabled());
}

void TestPhotoWinners::refusedDeleteIsReportedAndKeepsTheRow() {
    WinnersFixture fx;
    const QString p0 = fx.makePhoto(QStringLiteral("p0.jpg"), Qt::red);
    const QString p1 = fx.makePhoto(QStringLiteral("p1.jpg"), Qt::green);
    fx.addPhotoWinner(p0, QStringLiteral("A"));
    fx.addPhotoWinner(p1, QStringLiteral("B"));
    WinnersFixture::exec(QStringLiteral("create trigger keep before delete on prize "
                                        "begin select raise(abort, 'kept by rule'); end"));
    PhotoWinnersDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ClickRow(w, 1);
    fx.prompts->confirmAnswers.enqueue(true);
    Navigator(w)->button(TableNavigator::Delete)->click();
    QCOMPARE(fx.prompts->messages.size(), 1);
    QVERIFY2(fx.prompts->messages.first().contains(QStringLiteral("kept by rule")),
             qPrintable(fx.prompts->messages.first()));
    QCOMPARE(WinnersFixture::count(QStringLiteral("select count(*) from prize")), 2);
    QCOMPARE(Column(w, QStringLiteral("filename")), (QStringList{p0, p1}));
    QCOMPARE(Table(w)->currentIndex().row(), 1);
    QVERIFY(Near(Shown(w), Qt::green));
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
    QTest::keyClick(Table(w), Qt::Key_Shift);
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
    ExportAction(w)->trigger();
    QCOMPARE(fx.prompts->messages, QStringList{QStringLiteral("failure!")});
    QCOMPARE(fx.prompts->fileAnswers.size(), 1); // no dialog was shown
    QVERIFY(fx.prompts->opened.isEmpty());
    QVERIFY(QDir(fx.outDir()).isEmpty());
}

void TestPhotoWinners::exportCancelledWritesNothing() {
    WinnersFixture fx;
    PhotoWinnersDialog w;
    Control<QPushButton>(&w, "exportButton")->click();
    QCOMPARE(fx.prompts->lastSaveFolder, ProgramFolder::desktop());
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
        ExportAction(w)->trigger();
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
    ExportAction(w)->trigger();
    QCOMPARE(fx.prompts->messages.size(), 1);
    QVERIFY2(fx.prompts->messages.last().contains(QStringLiteral("open in LibreOffice")),
             qPrintable(fx.prompts->messages.last()));
    QVERIFY(lock.remove());

    fx.prompts->fileAnswers.enqueue(out);
    WithoutWriteAccess(fx.outDir(), [&] { ExportAction(w)->trigger(); });
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
    QCOMPARE(WinnersFixture::PrintPreviewTitle(Control<QPushButton>(&w, "printButton")),
             QStringLiteral("Winner - Print preview"));
    QCOMPARE(fx.prompts->messages, QStringList());
}

void TestPhotoWinners::listThatCannotBeOpened() {
    WinnersFixture fx;
    WinnersFixture::exec(QStringLiteral("drop table prize"));
    QCOMPARE(PhotoWinnersDialog::showModal(nullptr), int(QDialog::Rejected));
    QCOMPARE(fx.prompts->messages.size(), 1);
    QVERIFY2(fx.prompts->messages.first().contains(QStringLiteral("winners list cannot be opened")),
             qPrintable(fx.prompts->messages.first()));
}

QTEST_MAIN(TestPhotoWinners)
#include "tst_photo_winners.moc"
