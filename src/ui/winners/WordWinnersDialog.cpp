#include "ui/winners/WordWinnersDialog.h"

#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/common/TableNavigator.h"
#include "ui/common/UserPrompts.h"
#include "ui/winners/GridExport.h"
#include "ui/winners/WinnersGrid.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlError>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

WordWinnersDialog::WordWinnersDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WordWinnersDialog"));
    setWindowTitle(tr("Winner"));
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);
    resize(847, 558);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    buttonBar = new QFrame(this);
    buttonBar->setObjectName(QStringLiteral("buttonBar"));
    buttonBar->setFrameShape(QFrame::StyledPanel);
    buttonBar->setFixedHeight(41);
    auto* bar = new QHBoxLayout(buttonBar);
    bar->setContentsMargins(4, 4, 4, 4);
    printButton = new QPushButton(buttonBar);
    printButton->setObjectName(QStringLiteral("printButton"));
    printButton->setFixedWidth(128);
    exportButton = new QPushButton(buttonBar);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setFixedWidth(124);
    bar->addWidget(printButton);
    bar->addWidget(exportButton);
    bar->addStretch();
    outer->addWidget(buttonBar);

    listPanel = new QFrame(this);
    listPanel->setObjectName(QStringLiteral("listPanel"));
    listPanel->setFrameShape(QFrame::StyledPanel);
    auto* body = new QVBoxLayout(listPanel);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    winnersNavigator = new TableNavigator(listPanel);
    winnersNavigator->setObjectName(QStringLiteral("winnersNavigator"));
    winnersNavigator->setVisibleButtons(TableNavigator::MoveButtons);
    winnersNavigator->setFixedHeight(31);
    body->addWidget(winnersNavigator);
    winnersTable = new QTableView(listPanel);
    winnersTable->setObjectName(QStringLiteral("winnersTable"));
    body->addWidget(winnersTable, 1);
    exportTable = new QTableView(listPanel);
    exportTable->setObjectName(QStringLiteral("exportTable"));
    exportTable->setVisible(false);
    body->addWidget(exportTable, 1);
    outer->addWidget(listPanel, 1);

    printAction = AddButtonAction(this, printButton, QStringLiteral("printAction"), tr("&Print"));
    exportAction =
        AddButtonAction(this, exportButton, QStringLiteral("exportAction"), tr("&Export"));
    connect(printAction, &QAction::triggered, this, &WordWinnersDialog::printWinners);
    connect(exportAction, &QAction::triggered, this, &WordWinnersDialog::exportWinners);

    skin = new SkinData(this);
    winnersModel = new QSqlQueryModel(this);
    winnersModel->setObjectName(QStringLiteral("winnersModel"));
    openList();
}

void WordWinnersDialog::openList() {
    skin->loadFromFile(SkinData::activeFile());
    const bool opened = guarded(this, [&] {
        winnersModel->setQuery(CandidateStore(Db()).winnerRows());
        if (winnersModel->lastError().isValid())
            throw DatabaseError(winnersModel->lastError().text());
        FetchAllRows(winnersModel);
    });
    // A model that never had a query still claims rows to fetch.
    if (!opened)
        winnersModel->clear();
    const QSqlRecord fields = winnersModel->record();
    const int idColumn = fields.indexOf(QStringLiteral("id"));
    const int wordColumn = fields.indexOf(QStringLiteral("wz"));
    const int classColumn = fields.indexOf(QStringLiteral("prize"));
    if (wordColumn >= 0) {
        winnersModel->setHeaderData(wordColumn, Qt::Horizontal, tr("Name"));
        winnersModel->setHeaderData(wordColumn, Qt::Horizontal, 77, DisplayWidthRole);
    }
    if (classColumn >= 0) {
        winnersModel->setHeaderData(classColumn, Qt::Horizontal, tr("Class"));
        winnersModel->setHeaderData(classColumn, Qt::Horizontal, 15, DisplayWidthRole);
    }

    for (QTableView* grid : {winnersTable, exportTable}) {
        grid->setModel(winnersModel);
        SetUpWinnersGrid(grid, 20);
        if (idColumn >= 0)
            grid->setColumnHidden(idColumn, true);
        if (wordColumn >= 0)
            SetColumnWidthInChars(grid, wordColumn, 77);
        if (classColumn >= 0)
            SetColumnWidthInChars(grid, classColumn, 15);
    }
    // The export grid shares the list's rows and current row.
    exportTable->setSelectionModel(winnersTable->selectionModel());
    QScrollBar* scrollBar = winnersTable->verticalScrollBar();
    scrollBar->setObjectName(QStringLiteral("winnersScrollBar"));
    scrollBar->setFocusPolicy(Qt::NoFocus);
    if (winnersModel->rowCount() > 0)
        winnersTable->setCurrentIndex(winnersModel->index(0, wordColumn >= 0 ? wordColumn : 0));
    winnersNavigator->setView(winnersTable);
}

int WordWinnersDialog::showModal(QWidget* parent) {
    WordWinnersDialog window(parent);
    return window.exec();
}

void WordWinnersDialog::printWinners() {
    guarded(this, [&] { PrintWinners(this, CandidateStore::PrintStatement); });
}

void WordWinnersDialog::exportWinners() {
    exportTable->setVisible(true);
    guarded(this, [&] {
        const QString chosen = UserPrompts::instance().saveFile(
            this, tr("Save file"), ProgramFolder::desktop(), QString(), tr("Excel files (*.xls)"));
        if (chosen.isEmpty())
            return;
        ExportGridToSpreadsheet(exportTable, tr("Winner"), XlsDialogFileName(chosen));
    });
    exportTable->setVisible(false);
}
