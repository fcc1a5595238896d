#include "ui/winners/WordWinnersDialog.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
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
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

WordWinnersDialog::WordWinnersDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WordWinnersDialog"));
    setWindowTitle(QStringLiteral("Winner"));
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);
    resize(847, 558);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    bsSkinPanel1 = new QFrame(this);
    bsSkinPanel1->setObjectName(QStringLiteral("bsSkinPanel1"));
    bsSkinPanel1->setFrameShape(QFrame::StyledPanel);
    bsSkinPanel1->setFixedHeight(41);
    auto* bar = new QHBoxLayout(bsSkinPanel1);
    bar->setContentsMargins(4, 4, 4, 4);
    bsSkinButton1 = new QPushButton(bsSkinPanel1);
    bsSkinButton1->setObjectName(QStringLiteral("bsSkinButton1"));
    bsSkinButton1->setFixedWidth(128);
    bsSkinButton2 = new QPushButton(bsSkinPanel1);
    bsSkinButton2->setObjectName(QStringLiteral("bsSkinButton2"));
    bsSkinButton2->setFixedWidth(124);
    bar->addWidget(bsSkinButton1);
    bar->addWidget(bsSkinButton2);
    bar->addStretch();
    outer->addWidget(bsSkinPanel1);

    bsSkinPanel2 = new QFrame(this);
    bsSkinPanel2->setObjectName(QStringLiteral("bsSkinPanel2"));
    bsSkinPanel2->setFrameShape(QFrame::StyledPanel);
    auto* body = new QVBoxLayout(bsSkinPanel2);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    bsSkinDBNavigator1 = new TableNavigator(bsSkinPanel2);
    bsSkinDBNavigator1->setObjectName(QStringLiteral("bsSkinDBNavigator1"));
    bsSkinDBNavigator1->setVisibleButtons(TableNavigator::MoveButtons);
    bsSkinDBNavigator1->setFixedHeight(31);
    body->addWidget(bsSkinDBNavigator1);
    bsSkinDBGrid1 = new QTableView(bsSkinPanel2);
    bsSkinDBGrid1->setObjectName(QStringLiteral("bsSkinDBGrid1"));
    body->addWidget(bsSkinDBGrid1, 1);
    // The export's source: the same rows with the export's columns, shown only
    // while an export runs.
    wwDBGrid1 = new QTableView(bsSkinPanel2);
    wwDBGrid1->setObjectName(QStringLiteral("wwDBGrid1"));
    wwDBGrid1->setVisible(false);
    body->addWidget(wwDBGrid1, 1);
    outer->addWidget(bsSkinPanel2, 1);

    ActionList1 = new QObject(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    ActionPrint = AddButtonAction(ActionList1, bsSkinButton1, QStringLiteral("ActionPrint"),
                                  QStringLiteral("&Print"));
    ActionExp = AddButtonAction(ActionList1, bsSkinButton2, QStringLiteral("ActionExp"),
                                QStringLiteral("&Export"));
    connect(ActionPrint, &QAction::triggered, this, &WordWinnersDialog::ActionPrintExecute);
    connect(ActionExp, &QAction::triggered, this, &WordWinnersDialog::ActionExpExecute);

    bsSkinData1 = new SkinData(this);
    ADOQuery1 = new QSqlQueryModel(this);
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
    FormCreate();
}

void WordWinnersDialog::FormCreate() {
    bsSkinData1->LoadFromFile(SkinFile);
    const bool opened = guarded(this, [&] {
        QSqlQuery q = NewQuery();
        RunOrThrow(q, Sql::ListWordWinners);
        ADOQuery1->setQuery(std::move(q));
        if (ADOQuery1->lastError().isValid())
            throw DatabaseError(ADOQuery1->lastError().text());
        FetchAllRows(ADOQuery1);
    });
    // A model that never had a query still claims rows to fetch.
    if (!opened)
        ADOQuery1->clear();
    const QSqlRecord fields = ADOQuery1->record();
    const int idColumn = fields.indexOf(QStringLiteral("id"));
    const int wordColumn = fields.indexOf(QStringLiteral("wz"));
    const int classColumn = fields.indexOf(QStringLiteral("prize"));
    if (wordColumn >= 0) {
        ADOQuery1->setHeaderData(wordColumn, Qt::Horizontal, QStringLiteral("Name"));
        ADOQuery1->setHeaderData(wordColumn, Qt::Horizontal, 77, DisplayWidthRole);
    }
    if (classColumn >= 0) {
        ADOQuery1->setHeaderData(classColumn, Qt::Horizontal, QStringLiteral("Class"));
        ADOQuery1->setHeaderData(classColumn, Qt::Horizontal, 15, DisplayWidthRole);
    }

    for (QTableView* grid : {bsSkinDBGrid1, wwDBGrid1}) {
        grid->setModel(ADOQuery1);
        SetUpWinnersGrid(grid, 20);
        if (idColumn >= 0)
            grid->setColumnHidden(idColumn, true);
        if (wordColumn >= 0)
            SetColumnWidthInChars(grid, wordColumn, 77);
        if (classColumn >= 0)
            SetColumnWidthInChars(grid, classColumn, 15);
    }
    // The export grid shares the list's rows and current row.
    wwDBGrid1->setSelectionModel(bsSkinDBGrid1->selectionModel());
    bsSkinScrollBar1 = bsSkinDBGrid1->verticalScrollBar();
    bsSkinScrollBar1->setObjectName(QStringLiteral("bsSkinScrollBar1"));
    bsSkinScrollBar1->setFocusPolicy(Qt::NoFocus);
    if (ADOQuery1->rowCount() > 0)
        bsSkinDBGrid1->setCurrentIndex(ADOQuery1->index(0, wordColumn >= 0 ? wordColumn : 0));
    bsSkinDBNavigator1->setView(bsSkinDBGrid1);
}

int WordWinnersDialog::ShowModal(QWidget* parent) {
    WordWinnersDialog window(parent);
    return window.exec();
}

void WordWinnersDialog::ActionPrintExecute() {
    guarded(this, [&] { PrintWinners(this, Sql::PrintWordWinners); });
}

void WordWinnersDialog::ActionExpExecute() {
    wwDBGrid1->setVisible(true);
    guarded(this, [&] {
        const QString chosen =
            UserPrompts::instance().saveFile(this, QStringLiteral("Save file"), GetDesktopFolder(),
                                             QString(), QStringLiteral("Excel files (*.xls)"));
        if (chosen.isEmpty())
            return;
        ExportGridToSpreadsheet(wwDBGrid1, QStringLiteral("Winner"), XlsDialogFileName(chosen));
    });
    wwDBGrid1->setVisible(false);
}
