#include "ui/options/TableEditor.h"

#include "core/data/Database.h"
#include "formats/Errors.h"
#include "ui/common/TableNavigator.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QSqlError>
#include <QSqlTableModel>
#include <QTableView>
#include <QVBoxLayout>

TableEditor::TableEditor(const QString& name, QWidget* parent)
    : QWidget(parent), m_navigator(new TableNavigator(this)), m_view(new QTableView(this)),
      m_model(new QSqlTableModel(this, Db())) {
    setObjectName(name + QStringLiteral("Editor"));
    m_navigator->setObjectName(name + QStringLiteral("Navigator"));
    m_view->setObjectName(name + QStringLiteral("Table"));
    m_model->setObjectName(name + QStringLiteral("Model"));
    m_model->setEditStrategy(QSqlTableModel::OnRowChange);
    m_view->setModel(m_model);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_navigator->setView(m_view);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_navigator);
    layout->addWidget(m_view, 1);
}

void TableEditor::open(const QString& table) {
    m_model->setTable(table);
    if (!m_model->select()) {
        const QString error = m_model->lastError().text();
        m_model->clear();
        throw DatabaseError(error);
    }
}

bool TableEditor::isOpen() const {
    return !m_model->tableName().isEmpty();
}

void TableEditor::close() {
    if (!isOpen())
        return;
    dropEdits();
    m_model->clear();
}

void TableEditor::reload() {
    if (!isOpen())
        return;
    dropEdits();
    m_model->select();
}

void TableEditor::post() {
    if (!isOpen())
        return;
    // The text in an open cell editor is part of the row being edited.
    if (QWidget* editor = m_view->indexWidget(m_view->currentIndex()))
        QMetaObject::invokeMethod(m_view, "commitData", Q_ARG(QWidget*, editor));
    if (m_model->isDirty() && !m_model->submitAll())
        throw DatabaseError(m_model->lastError().text());
}

void TableEditor::setColumnTitle(const QString& column, const QString& title) {
    m_model->setHeaderData(m_model->fieldIndex(column), Qt::Horizontal, title);
}

void TableEditor::hideColumn(const QString& column) {
    m_view->setColumnHidden(m_model->fieldIndex(column), true);
}

void TableEditor::dropEdits() {
    if (QWidget* editor = m_view->indexWidget(m_view->currentIndex()))
        QMetaObject::invokeMethod(
            m_view, "closeEditor", Q_ARG(QWidget*, editor),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::RevertModelCache));
    m_model->revertAll();
}
