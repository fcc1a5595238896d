#include "ui/winners/PhotoWinnersDialog.h"

#include "core/data/Database.h"
#include "core/data/PhotoWinnerStore.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/common/TableNavigator.h"
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
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

PhotoWinnersDialog::PhotoWinnersDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PhotoWinnersDialog"));
    setWindowTitle(tr("Winners"));
    resize(688, 453);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    outer->addWidget(splitter);

    listPanel = new QFrame(splitter);
    listPanel->setObjectName(QStringLiteral("listPanel"));
    auto* left = new QVBoxLayout(listPanel);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);

    buttonBar = new QFrame(listPanel);
    buttonBar->setObjectName(QStringLiteral("buttonBar"));
    buttonBar->setFixedHeight(32);
    auto* bar = new QHBoxLayout(buttonBar);
    bar->setContentsMargins(2, 2, 2, 2);
    exportButton = new QPushButton(buttonBar);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    printButton = new QPushButton(buttonBar);
    printButton->setObjectName(QStringLiteral("printButton"));
    bar->addWidget(exportButton);
    bar->addWidget(printButton);
    bar->addStretch();
    left->addWidget(buttonBar);

    tablePanel = new QFrame(listPanel);
    tablePanel->setObjectName(QStringLiteral("tablePanel"));
    auto* list = new QVBoxLayout(tablePanel);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(0);
    winnersNavigator = new TableNavigator(tablePanel);
    winnersNavigator->setObjectName(QStringLiteral("winnersNavigator"));
    winnersNavigator->setVisibleButtons(TableNavigator::MoveButtons | TableNavigator::Delete);
    winnersNavigator->setDeleteConfirmation(tr("Delete record?"));
    winnersNavigator->setFixedHeight(28);
    list->addWidget(winnersNavigator);
    winnersTable = new QTableView(tablePanel);
    winnersTable->setObjectName(QStringLiteral("winnersTable"));
    list->addWidget(winnersTable);
    left->addWidget(tablePanel, 1);

    previewPanel = new QFrame(splitter);
    previewPanel->setObjectName(QStringLiteral("previewPanel"));
    auto* right = new QVBoxLayout(previewPanel);
    right->setContentsMargins(4, 4, 4, 4);
    photoPreview = new PhotoView(previewPanel);
    right->addWidget(photoPreview);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({344, 344});

    exportAction =
        AddButtonAction(this, exportButton, QStringLiteral("exportAction"), tr("&Export"));
    printAction = AddButtonAction(this, printButton, QStringLiteral("printAction"), tr("&Print"));
    connect(exportAction, &QAction::triggered, this, &PhotoWinnersDialog::exportWinners);
    connect(printAction, &QAction::triggered, this, &PhotoWinnersDialog::printWinners);

    skin = new SkinData(this);
    openList();
}

void PhotoWinnersDialog::openList() {
    winnersModel = new QSqlQueryModel(this);
    winnersModel->setObjectName(QStringLiteral("winnersModel"));
    try {
        reloadList();
    } catch (const DatabaseError& e) {
        throw DatabaseError(tr("The winners list cannot be opened: %1").arg(e.message()));
    }
    const QSqlRecord fields = winnersModel->record();
    const int nameColumn = fields.indexOf(QStringLiteral("name"));
    const int dateColumn = fields.indexOf(QStringLiteral("rq"));

    winnersTable->setModel(winnersModel);
    SetUpWinnersGrid(winnersTable, 17);
    winnersTable->setItemDelegateForColumn(dateColumn, new DateTimeDelegate(winnersTable));
    winnersTable->setColumnHidden(m_filenameColumn, true);
    // Shown as Class, Name, Date.
    QHeaderView* header = winnersTable->horizontalHeader();
    header->moveSection(header->visualIndex(m_classColumn), 0);
    header->moveSection(header->visualIndex(nameColumn), 1);
    header->moveSection(header->visualIndex(dateColumn), 2);
    SetColumnWidthInChars(winnersTable, m_classColumn, 9);
    SetColumnWidthInChars(winnersTable, nameColumn, 39);
    SetColumnWidthInChars(winnersTable, dateColumn, 22);
    QScrollBar* scrollBar = winnersTable->verticalScrollBar();
    scrollBar->setObjectName(QStringLiteral("winnersScrollBar"));
    scrollBar->setFocusPolicy(Qt::NoFocus);
    if (winnersModel->rowCount() > 0)
        winnersTable->setCurrentIndex(winnersModel->index(0, m_classColumn));

    winnersNavigator->setDeleteHandler([this](int row) { return removeWinner(row); });
    winnersNavigator->setView(winnersTable);
    connect(winnersTable, &QTableView::clicked, this, &PhotoWinnersDialog::followCurrentRow);
    connect(header, &QHeaderView::sectionMoved, this, &PhotoWinnersDialog::followCurrentRow);
    connect(winnersNavigator, &TableNavigator::clicked, this,
            &PhotoWinnersDialog::followCurrentRow);
    winnersTable->installEventFilter(this);

    skin->loadFromFile(SkinData::activeFile());
}

void PhotoWinnersDialog::reloadList() {
    winnersModel->setQuery(PhotoWinnerStore(Db()).listRows());
    if (winnersModel->lastError().isValid())
        throw DatabaseError(winnersModel->lastError().text());
    FetchAllRows(winnersModel);
    const QSqlRecord fields = winnersModel->record();
    m_filenameColumn = fields.indexOf(QStringLiteral("filename"));
    m_classColumn = fields.indexOf(QStringLiteral("class"));
    winnersModel->setHeaderData(m_filenameColumn, Qt::Horizontal, tr("FileName"));
    winnersModel->setHeaderData(m_classColumn, Qt::Horizontal, tr("Class"));
    winnersModel->setHeaderData(fields.indexOf(QStringLiteral("name")), Qt::Horizontal, tr("Name"));
    winnersModel->setHeaderData(fields.indexOf(QStringLiteral("rq")), Qt::Horizontal, tr("Date"));
}

bool PhotoWinnersDialog::removeWinner(int row) {
    const QSqlRecord winner = winnersModel->record(row);
    PhotoWinnerStore(Db()).remove(winner.value(m_filenameColumn).toString(),
                                  winner.value(m_classColumn).toString());
    reloadList();
    return true;
}

int PhotoWinnersDialog::showModal(QWidget* parent) {
    std::unique_ptr<PhotoWinnersDialog> window;
    if (!guarded(parent, [&] { window = std::make_unique<PhotoWinnersDialog>(parent); }))
        return QDialog::Rejected;
    return window->exec();
}

QString PhotoWinnersDialog::currentFileName() const {
    if (winnersModel->rowCount() == 0)
        return {};
    const QModelIndex current = winnersTable->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    return winnersModel->data(winnersModel->index(row, m_filenameColumn)).toString();
}

void PhotoWinnersDialog::showSelectedPhoto() {
    if (winnersModel->rowCount() == 0)
        return;
    const QString path = currentFileName();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    try {
        photoPreview->loadFromFile(path);
        m_failedPhoto.clear();
    } catch (const KalvoroError&) {
        if (path == m_failedPhoto)
            return;
        m_failedPhoto = path;
        throw;
    }
}

void PhotoWinnersDialog::followCurrentRow() {
    guarded(this, [&] { showSelectedPhoto(); });
}

void PhotoWinnersDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    followCurrentRow();
}

bool PhotoWinnersDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == winnersTable &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        // Key down shows the row being left, key up the row reached.
        followCurrentRow();
    }
    return QDialog::eventFilter(watched, event);
}

void PhotoWinnersDialog::exportWinners() {
    guarded(this, [&] {
        UserPrompts& prompts = UserPrompts::instance();
        const QString templateFile = ProgramFolder::path() + QStringLiteral("md.xls");
        if (!QFileInfo(templateFile).isFile()) {
            prompts.message(this, tr("failure!"));
            return;
        }
        const QString output = prompts.saveFile(this, tr("Save file"), ProgramFolder::desktop(),
                                                QStringLiteral("Winner.xls"), tr("All files (*)"));
        if (output.isEmpty())
            return;
        Database* data = Database::instance();
        if (!data)
            throw DatabaseError(tr("The database is not open"));
        // Thumbnails of a few hundred photos take a moment.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const ReportLibrary::Outcome done = ReportLibrary::ExcelReport(
            data->filePath(), PhotoWinnerStore::ExportStatement, templateFile,
            QStringLiteral("Sheet1"), output, QStringLiteral("Sheet1"), 0, 0, 0, 1, 0, 0);
        QApplication::restoreOverrideCursor();
        // Opening a file that was not written would only show a second error.
        if (!done.ok) {
            prompts.message(this, tr("The winners could not be exported.\n%1").arg(done.error));
            return;
        }
        prompts.shellOpen(output);
    });
}

void PhotoWinnersDialog::printWinners() {
    guarded(this, [&] { PrintWinners(this, PhotoWinnerStore::PrintStatement); });
}
