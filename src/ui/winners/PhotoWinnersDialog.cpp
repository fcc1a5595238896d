#include "ui/winners/PhotoWinnersDialog.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/common/UserPrompts.h"
#include "ui/winners/PhotoView.h"
#include "ui/winners/ReportLibrary.h"
#include "ui/winners/WinnersGrid.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

PhotoWinnersDialog::PhotoWinnersDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PhotoWinnersDialog"));
    setWindowTitle(QStringLiteral("Winners"));
    resize(688, 453);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    outer->addWidget(Splitter1);

    Panel1 = new QFrame(Splitter1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* left = new QVBoxLayout(Panel1);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);

    Panel3 = new QFrame(Panel1);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(32);
    auto* bar = new QHBoxLayout(Panel3);
    bar->setContentsMargins(2, 2, 2, 2);
    bsSkinButton1 = new QPushButton(Panel3);
    bsSkinButton1->setObjectName(QStringLiteral("bsSkinButton1"));
    bsSkinButton2 = new QPushButton(Panel3);
    bsSkinButton2->setObjectName(QStringLiteral("bsSkinButton2"));
    bar->addWidget(bsSkinButton1);
    bar->addWidget(bsSkinButton2);
    bar->addStretch();
    left->addWidget(Panel3);

    Panel4 = new QFrame(Panel1);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    auto* list = new QVBoxLayout(Panel4);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(0);
    bsSkinDBNavigator1 = new TableNavigator(Panel4);
    bsSkinDBNavigator1->setObjectName(QStringLiteral("bsSkinDBNavigator1"));
    bsSkinDBNavigator1->setVisibleButtons(TableNavigator::MoveButtons | TableNavigator::Delete);
    bsSkinDBNavigator1->setDeleteConfirmation(QStringLiteral("Delete record?"));
    bsSkinDBNavigator1->setFixedHeight(28);
    list->addWidget(bsSkinDBNavigator1);
    bsSkinDBGrid1 = new QTableView(Panel4);
    bsSkinDBGrid1->setObjectName(QStringLiteral("bsSkinDBGrid1"));
    list->addWidget(bsSkinDBGrid1);
    left->addWidget(Panel4, 1);

    Panel2 = new QFrame(Splitter1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* right = new QVBoxLayout(Panel2);
    right->setContentsMargins(4, 4, 4, 4);
    Image1 = new PhotoView(Panel2);
    right->addWidget(Image1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({344, 344});

    ActionList1 = new QObject(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    ActionExport = AddButtonAction(ActionList1, bsSkinButton1, QStringLiteral("ActionExport"),
                                   QStringLiteral("&Export"));
    ActionPrint = AddButtonAction(ActionList1, bsSkinButton2, QStringLiteral("ActionPrint"),
                                  QStringLiteral("&Print"));
    connect(ActionExport, &QAction::triggered, this, &PhotoWinnersDialog::ActionExportExecute);
    connect(ActionPrint, &QAction::triggered, this, &PhotoWinnersDialog::ActionPrintExecute);

    bsSkinData1 = new SkinData(this);
    FormCreate();
}

void PhotoWinnersDialog::FormCreate() {
    ADOQuery1 = new QSqlTableModel(this, Db());
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
    ADOQuery1->setTable(QStringLiteral("prize"));
    // Rows are removed one at a time through the navigator, at once.
    ADOQuery1->setEditStrategy(QSqlTableModel::OnManualSubmit);
    const QSqlRecord fields = ADOQuery1->record();
    const int classColumn = fields.indexOf(QStringLiteral("class"));
    const int nameColumn = fields.indexOf(QStringLiteral("name"));
    const int dateColumn = fields.indexOf(QStringLiteral("rq"));
    m_filenameColumn = fields.indexOf(QStringLiteral("filename"));
    if (classColumn < 0 || nameColumn < 0 || dateColumn < 0 || m_filenameColumn < 0)
        throw DatabaseError(QStringLiteral("The winners list cannot be opened: %1")
                                 .arg(ADOQuery1->lastError().text().trimmed().isEmpty()
                                          ? QStringLiteral("table prize is missing")
                                          : ADOQuery1->lastError().text()));
    // The store's text order, which ignores letter case.
    ADOQuery1->setSort(classColumn, Qt::AscendingOrder);
    if (!ADOQuery1->select())
        throw DatabaseError(QStringLiteral("The winners list cannot be opened: %1")
                                 .arg(ADOQuery1->lastError().text()));
    FetchAllRows(ADOQuery1);
    ADOQuery1->setHeaderData(m_filenameColumn, Qt::Horizontal, QStringLiteral("FileName"));
    ADOQuery1->setHeaderData(classColumn, Qt::Horizontal, QStringLiteral("Class"));
    ADOQuery1->setHeaderData(nameColumn, Qt::Horizontal, QStringLiteral("Name"));
    ADOQuery1->setHeaderData(dateColumn, Qt::Horizontal, QStringLiteral("Date"));

    bsSkinDBGrid1->setModel(ADOQuery1);
    SetUpWinnersGrid(bsSkinDBGrid1, 17);
    bsSkinDBGrid1->setItemDelegateForColumn(dateColumn, new DateTimeDelegate(bsSkinDBGrid1));
    bsSkinDBGrid1->setColumnHidden(m_filenameColumn, true);
    // Shown as Class, Name, Date.
    QHeaderView* header = bsSkinDBGrid1->horizontalHeader();
    header->moveSection(header->visualIndex(classColumn), 0);
    header->moveSection(header->visualIndex(nameColumn), 1);
    header->moveSection(header->visualIndex(dateColumn), 2);
    SetColumnWidthInChars(bsSkinDBGrid1, classColumn, 9);
    SetColumnWidthInChars(bsSkinDBGrid1, nameColumn, 39);
    SetColumnWidthInChars(bsSkinDBGrid1, dateColumn, 22);
    bsSkinScrollBar1 = bsSkinDBGrid1->verticalScrollBar();
    bsSkinScrollBar1->setObjectName(QStringLiteral("bsSkinScrollBar1"));
    bsSkinScrollBar1->setFocusPolicy(Qt::NoFocus);
    if (ADOQuery1->rowCount() > 0)
        bsSkinDBGrid1->setCurrentIndex(ADOQuery1->index(0, classColumn));

    bsSkinDBNavigator1->setView(bsSkinDBGrid1);
    connect(bsSkinDBGrid1, &QTableView::clicked, this, &PhotoWinnersDialog::bsSkinDBGrid1CellClick);
    connect(header, &QHeaderView::sectionMoved, this,
            &PhotoWinnersDialog::bsSkinDBGrid1ColumnMoved);
    connect(bsSkinDBNavigator1, &TableNavigator::clicked, this,
            &PhotoWinnersDialog::bsSkinDBNavigator1Click);
    bsSkinDBGrid1->installEventFilter(this);

    bsSkinData1->LoadFromFile(SkinFile);
}

int PhotoWinnersDialog::ShowModal(QWidget* parent) {
    std::unique_ptr<PhotoWinnersDialog> window;
    if (!guarded(parent, [&] { window = std::make_unique<PhotoWinnersDialog>(parent); }))
        return QDialog::Rejected;
    return window->exec();
}

QString PhotoWinnersDialog::CurrentFileName() const {
    if (!ADOQuery1 || ADOQuery1->rowCount() == 0)
        return {};
    QModelIndex current = bsSkinDBGrid1->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    return ADOQuery1->data(ADOQuery1->index(row, m_filenameColumn)).toString();
}

void PhotoWinnersDialog::ShowSelectedPhoto() {
    if (!ADOQuery1 || ADOQuery1->rowCount() == 0)
        return;
    const QString path = CurrentFileName();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    try {
        Image1->LoadFromFile(path);
        m_failedPhoto.clear();
    } catch (const KalvoroError&) {
        if (path == m_failedPhoto)
            return;
        m_failedPhoto = path;
        throw;
    }
}

void PhotoWinnersDialog::ShowSelectedPhotoReported() {
    guarded(this, [&] { ShowSelectedPhoto(); });
}

void PhotoWinnersDialog::FormShow() {
    ShowSelectedPhotoReported();
}

void PhotoWinnersDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

bool PhotoWinnersDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bsSkinDBGrid1 &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        // Key down shows the row being left, key up the row reached.
        ShowSelectedPhotoReported();
    }
    return QDialog::eventFilter(watched, event);
}

void PhotoWinnersDialog::bsSkinDBGrid1CellClick(const QModelIndex&) {
    ShowSelectedPhotoReported();
}

void PhotoWinnersDialog::bsSkinDBGrid1ColumnMoved(int, int, int) {
    ShowSelectedPhotoReported();
}

void PhotoWinnersDialog::bsSkinDBNavigator1Click(TableNavigator::Button) {
    ShowSelectedPhotoReported();
}

void PhotoWinnersDialog::ActionExportExecute() {
    guarded(this, [&] {
        UserPrompts& prompts = UserPrompts::instance();
        const QString Template = AppDir + QStringLiteral("md.xls");
        if (!QFileInfo(Template).isFile()) {
            prompts.message(this, QStringLiteral("failure!"));
            return;
        }
        const QString Output =
            prompts.saveFile(this, QStringLiteral("Save file"), GetDesktopFolder(),
                             QStringLiteral("Winner.xls"), QStringLiteral("All files (*)"));
        if (Output.isEmpty())
            return;
        Database* data = Database::instance();
        if (!data)
            throw DatabaseError(QStringLiteral("The database is not open"));
        // Thumbnails of a few hundred photos take a moment.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const ReportLibrary::Outcome done = ReportLibrary::ExcelReport(
            data->ConnectionString(), Sql::ExportPhotoWinners, Template, QStringLiteral("Sheet1"),
            Output, QStringLiteral("Sheet1"), 0, 0, 0, 1, 0, 0);
        QApplication::restoreOverrideCursor();
        // Opening a file that was not written would only show a second error.
        if (!done.ok) {
            prompts.message(
                this, QStringLiteral("The winners could not be exported.\n%1").arg(done.error));
            return;
        }
        prompts.shellOpen(Output);
    });
}

void PhotoWinnersDialog::ActionPrintExecute() {
    guarded(this, [&] { PrintWinners(this, Sql::PrintPhotoWinners); });
}
