#include "ui/presets/PresetDialog.h"

#include "core/data/Database.h"
#include "core/data/PrizeClassStore.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/SkinData.h"
#include "ui/common/TableNavigator.h"
#include "ui/common/UserPrompts.h"
#include "ui/winners/WinnersGrid.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSqlError>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

class MiddleElideDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideMiddle;
    }
};

QLabel* MakeLabel(QWidget* panel, const char* name, const QString& text) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

PresetDialog::PresetDialog(QWidget* parent, const Setup& setup) : QDialog(parent) {
    setObjectName(setup.objectName);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(setup.caption);
    resize(setup.clientSize);
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    entryPanel = new QFrame(this);
    entryPanel->setObjectName(QStringLiteral("entryPanel"));
    entryPanel->setFrameShape(QFrame::StyledPanel);
    fieldsLayout = new QGridLayout(entryPanel);
    fieldsLayout->setContentsMargins(12, 10, 12, 10);
    fieldsLayout->setHorizontalSpacing(8);
    fieldsLayout->setVerticalSpacing(8);

    noteLabel = MakeLabel(entryPanel, "noteLabel", setup.note);
    noteLabel->setWordWrap(true);
    // A widget's own sheet wins over the skin's label colour.
    noteLabel->setStyleSheet(QStringLiteral("color: palette(highlight); font-weight: bold;"));
    // Nothing to note: an empty line would only push the fields down.
    noteLabel->setVisible(!setup.note.isEmpty());
    entryLabel = MakeLabel(entryPanel, "entryLabel", setup.entryLabel);
    entryEdit = new QLineEdit(entryPanel);
    entryEdit->setObjectName(QStringLiteral("entryEdit"));
    entryEdit->setClearButtonEnabled(true);
    entryLabel->setBuddy(entryEdit);
    classLabel = MakeLabel(entryPanel, "classLabel", tr("class"));
    classBox = new QComboBox(entryPanel);
    classBox->setObjectName(QStringLiteral("classBox"));
    classBox->setEditable(false);
    classBox->setMinimumWidth(220);
    classBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    classLabel->setBuddy(classBox);
    addButton = new QPushButton(tr("cheat"), entryPanel);
    addButton->setObjectName(QStringLiteral("addButton"));
    // Enter in the entry fields stores the preset.
    addButton->setDefault(true);
    closeButton = new QPushButton(tr("exit"), entryPanel);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setAutoDefault(false);

    // Column 2 of the entry row is left for an editor's own button.
    fieldsLayout->addWidget(noteLabel, 0, 0, 1, 4);
    fieldsLayout->addWidget(entryLabel, 1, 0);
    fieldsLayout->addWidget(entryEdit, 1, 1);
    fieldsLayout->addWidget(addButton, 1, 3);
    fieldsLayout->addWidget(classLabel, 2, 0);
    fieldsLayout->addWidget(classBox, 2, 1, Qt::AlignLeft);
    fieldsLayout->addWidget(closeButton, 2, 3);
    fieldsLayout->setColumnStretch(1, 1);
    outer->addWidget(entryPanel);

    listPanel = new QFrame(this);
    listPanel->setObjectName(QStringLiteral("listPanel"));
    auto* list = new QVBoxLayout(listPanel);
    list->setContentsMargins(12, 8, 12, 12);
    list->setSpacing(4);
    listTitle = MakeLabel(listPanel, "listTitle", setup.listTitle);
    QFont title = listTitle->font();
    title.setBold(true);
    listTitle->setFont(title);
    auto* bar = new QHBoxLayout;
    bar->addWidget(listTitle);
    bar->addStretch(1);
    presetNavigator = new TableNavigator(listPanel);
    presetNavigator->setObjectName(QStringLiteral("presetNavigator"));
    presetNavigator->setFixedSize(200, 28);
    bar->addWidget(presetNavigator);
    list->addLayout(bar);
    presetTable = new QTableView(listPanel);
    presetTable->setObjectName(QStringLiteral("presetTable"));
    list->addWidget(presetTable, 1);
    outer->addWidget(listPanel, 1);

    presetModel = new QSqlQueryModel(this);
    presetModel->setObjectName(QStringLiteral("presetModel"));

    connect(addButton, &QPushButton::clicked, this, &PresetDialog::addPreset);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    skin = new SkinData(this);
}

QString PresetDialog::enteredText() const {
    return entryEdit->text();
}

void PresetDialog::setEnteredText(const QString& text) {
    entryEdit->setText(text);
    entryEdit->setFocus();
}

void PresetDialog::addEntryButton(QWidget* button) {
    fieldsLayout->addWidget(button, 1, 2);
    // Tab reaches it after the panel's other fields, not after the list.
    setTabOrder(closeButton, button);
}

void PresetDialog::openPresetList(const QList<Column>& shown) {
    skin->loadFromFile(SkinData::activeFile());
    const QStringList classes = PrizeClassStore(Db()).names();
    classBox->clear();
    classBox->addItems(classes);
    if (classBox->count() > 0)
        classBox->setCurrentIndex(0);

    m_columns = shown;
    try {
        reloadList();
    } catch (const DatabaseError& e) {
        throw DatabaseError(tr("The cheat list cannot be opened: %1").arg(e.message()));
    }
    presetTable->setModel(presetModel);
    SetUpWinnersGrid(presetTable, 17);
    for (int c = 0; c < shown.size(); ++c) {
        SetColumnWidthInChars(presetTable, c, shown.at(c).chars);
        if (shown.at(c).date)
            presetTable->setItemDelegateForColumn(c, new DateTimeDelegate(presetTable));
    }
    // The rowid, which tells equal rows apart, stays out of sight.
    presetTable->setColumnHidden(int(shown.size()), true);
    // The last column takes what is left, so the list fills the window.
    presetTable->horizontalHeader()->setStretchLastSection(true);
    // A long path keeps its file name in sight.
    presetTable->setItemDelegateForColumn(0, new MiddleElideDelegate(presetTable));
    if (presetModel->rowCount() > 0)
        presetTable->setCurrentIndex(presetModel->index(0, 0));

    presetNavigator->setVisibleButtons(TableNavigator::MoveButtons | TableNavigator::Delete |
                                       TableNavigator::Refresh);
    presetNavigator->setDeleteConfirmation(tr("Delete record?"));
    presetNavigator->setDeleteHandler([this](int row) { return removeListedRow(row); });
    presetNavigator->setView(presetTable);
    entryEdit->setFocus();
}

void PresetDialog::reloadList() {
    presetModel->setQuery(listRows());
    if (presetModel->lastError().isValid())
        throw DatabaseError(presetModel->lastError().text());
    FetchAllRows(presetModel);
    for (int c = 0; c < m_columns.size(); ++c)
        presetModel->setHeaderData(c, Qt::Horizontal, tr(m_columns.at(c).title));
}

bool PresetDialog::removeListedRow(int row) {
    const qlonglong rowId = presetModel->record(row).value(int(m_columns.size())).toLongLong();
    removeRow(rowId);
    reloadList();
    return true;
}

void PresetDialog::showStoredRow() {
    reloadList();
    if (presetModel->rowCount() == 0)
        return;
    const QModelIndex last = presetModel->index(presetModel->rowCount() - 1, 0);
    presetTable->setCurrentIndex(last);
    presetTable->scrollTo(last);
}

void PresetDialog::storePreset(const QString& value, const QString& shown) {
    UserPrompts& prompts = UserPrompts::instance();
    if (classBox->count() == 0) {
        prompts.message(this,
                        tr("There is no prize class yet. Add the classes in the options first."));
        return;
    }
    if (classBox->currentIndex() < 0 || classBox->currentText().isEmpty()) {
        prompts.message(this, tr("Please choose a class."));
        return;
    }
    const QString prizeClass = classBox->currentText();
    if (isListed(value, prizeClass)) {
        prompts.message(this, tr("%1 is already on the cheat list of %2.").arg(shown, prizeClass));
        return;
    }
    // A winner never wins twice, so a preset that has won already waits for a
    // reset; the operator decides whether to keep it anyway.
    if (hasWon(value) &&
        !prompts.askYesNo(this,
                          tr("%1 has already won and cannot win again until the draw is reset.\n"
                             "Put it on the cheat list anyway?")
                              .arg(shown),
                          windowTitle()))
        return;
    insert(value, prizeClass);
    entryEdit->clear();
    showStoredRow();
    entryEdit->setFocus();
}
