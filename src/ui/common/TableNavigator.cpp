#include "ui/common/TableNavigator.h"

#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPainterPath>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTableView>
#include <QToolButton>

namespace {

struct ButtonInfo {
    TableNavigator::Button which;
    const char* name;
    const char* hint;
};

const ButtonInfo kButtons[] = {
    {TableNavigator::First, "firstButton", QT_TRANSLATE_NOOP("TableNavigator", "First record")},
    {TableNavigator::Prior, "priorButton", QT_TRANSLATE_NOOP("TableNavigator", "Prior record")},
    {TableNavigator::Next, "nextButton", QT_TRANSLATE_NOOP("TableNavigator", "Next record")},
    {TableNavigator::Last, "lastButton", QT_TRANSLATE_NOOP("TableNavigator", "Last record")},
    {TableNavigator::Insert, "insertButton", QT_TRANSLATE_NOOP("TableNavigator", "Insert record")},
    {TableNavigator::Delete, "deleteButton", QT_TRANSLATE_NOOP("TableNavigator", "Delete record")},
    {TableNavigator::Edit, "editButton", QT_TRANSLATE_NOOP("TableNavigator", "Edit record")},
    {TableNavigator::Post, "postButton", QT_TRANSLATE_NOOP("TableNavigator", "Post edit")},
    {TableNavigator::Cancel, "cancelButton", QT_TRANSLATE_NOOP("TableNavigator", "Cancel edit")},
    {TableNavigator::Refresh, "refreshButton", QT_TRANSLATE_NOOP("TableNavigator", "Refresh data")},
};

// Small glyphs drawn here, so they look the same under every skin and style.
QIcon Glyph(TableNavigator::Button which, const QColor& ink) {
    const int s = 16;
    const qreal dpr = 2;
    QPixmap pm(int(s * dpr), int(s * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ink);
    auto triangle = [&](qreal x, bool left) {
        QPainterPath path;
        if (left) {
            path.moveTo(x + 5, 3.5);
            path.lineTo(x, 8);
            path.lineTo(x + 5, 12.5);
        } else {
            path.moveTo(x, 3.5);
            path.lineTo(x + 5, 8);
            path.lineTo(x, 12.5);
        }
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (which) {
    case TableNavigator::First:
        p.drawLine(QPointF(4.5, 3.5), QPointF(4.5, 12.5));
        triangle(6.5, true);
        break;
    case TableNavigator::Prior:
        triangle(5.5, true);
        break;
    case TableNavigator::Next:
        triangle(5.5, false);
        break;
    case TableNavigator::Last:
        triangle(4.5, false);
        p.drawLine(QPointF(11.5, 3.5), QPointF(11.5, 12.5));
        break;
    case TableNavigator::Insert:
        p.drawLine(QPointF(8, 3.5), QPointF(8, 12.5));
        p.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
        break;
    case TableNavigator::Delete:
        p.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
        break;
    case TableNavigator::Edit: {
        QPainterPath path;
        path.moveTo(3.5, 11);
        path.lineTo(8, 5);
        path.lineTo(12.5, 11);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case TableNavigator::Post:
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3.5, 8.5), QPointF(6.5, 11.5), QPointF(12.5, 4.5)}));
        break;
    case TableNavigator::Cancel:
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case TableNavigator::Refresh:
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3.5, 3.5, 9, 9), 60 * 16, 280 * 16);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(10.5, 2), QPointF(13.5, 4.5), QPointF(10, 6)}));
        break;
    }
    p.end();
    return QIcon(pm);
}

// Fetches the next batch of rows; false when there was none to fetch.
bool FetchMoreRows(QAbstractItemModel* model) {
    if (!model || !model->canFetchMore(QModelIndex()))
        return false;
    const int before = model->rowCount();
    model->fetchMore(QModelIndex());
    return model->rowCount() > before;
}

} // namespace

TableNavigator::TableNavigator(QWidget* parent)
    : QWidget(parent), m_confirmText(tr("Delete record?")) {
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(1);
    const QColor ink = palette().color(QPalette::ButtonText);
    for (const ButtonInfo& info : kButtons) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(info.name));
        b->setIcon(Glyph(info.which, ink));
        b->setToolTip(tr(info.hint));
        b->setAccessibleName(tr(info.hint));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        const Button which = info.which;
        connect(b, &QToolButton::clicked, this, [this, which] { click(which); });
        m_layout->addWidget(b);
        m_buttons.insert(info.which, b);
    }
    setVisibleButtons(m_visible);
}

void TableNavigator::setView(QTableView* view) {
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_view = view;
    if (view && view->model()) {
        QAbstractItemModel* model = view->model();
        auto update = [this] { updateButtons(); };
        m_connections << connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
                                 update);
        m_connections << connect(model, &QAbstractItemModel::modelReset, this, update);
        m_connections << connect(model, &QAbstractItemModel::rowsInserted, this, update);
        m_connections << connect(model, &QAbstractItemModel::rowsRemoved, this, update);
        m_connections << connect(model, &QAbstractItemModel::dataChanged, this, update);
        m_connections << connect(model, &QAbstractItemModel::headerDataChanged, this, update);
    }
    updateButtons();
}

void TableNavigator::setVisibleButtons(Buttons buttons) {
    m_visible = buttons;
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setVisible(buttons.testFlag(Button(it.key())));
}

void TableNavigator::setShowHints(bool show) {
    for (const ButtonInfo& info : kButtons)
        m_buttons.value(info.which)->setToolTip(show ? tr(info.hint) : QString());
}

QSqlQueryModel* TableNavigator::queryModel() const {
    return m_view ? qobject_cast<QSqlQueryModel*>(m_view->model()) : nullptr;
}

QSqlTableModel* TableNavigator::tableModel() const {
    return m_view ? qobject_cast<QSqlTableModel*>(m_view->model()) : nullptr;
}

int TableNavigator::currentRow() const {
    if (!m_view || !m_view->model())
        return -1;
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QWidget* TableNavigator::openEditor() const {
    if (!m_view)
        return nullptr;
    QWidget* viewport = m_view->viewport();
    QWidget* w = QApplication::focusWidget();
    while (w && w->parentWidget() != viewport)
        w = w->parentWidget();
    if (w)
        return w;
    // The window may not have the focus: an open editor is a child of the viewport.
    const auto children = viewport->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children)
        if (!child->isHidden())
            return child;
    return nullptr;
}

void TableNavigator::finishEditor(bool commit) {
    QWidget* editor = openEditor();
    if (!editor)
        return;
    if (commit)
        QMetaObject::invokeMethod(m_view, "commitData", Qt::DirectConnection,
                                  Q_ARG(QWidget*, editor));
    QMetaObject::invokeMethod(
        m_view, "closeEditor", Qt::DirectConnection, Q_ARG(QWidget*, editor),
        Q_ARG(QAbstractItemDelegate::EndEditHint,
              commit ? QAbstractItemDelegate::NoHint : QAbstractItemDelegate::RevertModelCache));
}

void TableNavigator::fetchAll() {
    QAbstractItemModel* model = m_view ? m_view->model() : nullptr;
    while (FetchMoreRows(model)) {
    }
}

void TableNavigator::moveTo(int row) {
    QAbstractItemModel* model = m_view ? m_view->model() : nullptr;
    if (!model)
        return;
    while (row >= model->rowCount() && FetchMoreRows(model)) {
    }
    row = std::min(row, model->rowCount() - 1);
    if (row < 0)
        return;
    int column = m_view->currentIndex().isValid() ? m_view->currentIndex().column() : m_column;
    if (column < 0 || column >= model->columnCount() || m_view->isColumnHidden(column)) {
        column = 0;
        while (column < model->columnCount() - 1 && m_view->isColumnHidden(column))
            ++column;
    }
    const QModelIndex target = model->index(row, column);
    m_view->setCurrentIndex(target);
    m_view->scrollTo(target);
}

void TableNavigator::deleteCurrent() {
    const int row = currentRow();
    if (row < 0)
        return;
    if (!m_confirmText.isEmpty() && !UserPrompts::instance().confirm(window(), m_confirmText))
        return;
    if (QSqlTableModel* table = tableModel()) {
        finishEditor(false);
        const bool manual = table->editStrategy() == QSqlTableModel::OnManualSubmit;
        bool ok = table->removeRow(row);
        if (ok && manual)
            ok = table->submitAll();
        if (!ok) {
            const QString why = table->lastError().text();
            if (manual)
                table->revertAll();
            moveTo(row);
            throw DatabaseError(why.trimmed().isEmpty() ? tr("The record was not deleted") : why);
        }
    } else if (m_deleteHandler) {
        if (!m_deleteHandler(row))
            return;
    } else {
        return;
    }
    moveTo(row);
}

void TableNavigator::refresh() {
    const int row = currentRow();
    if (QSqlTableModel* table = tableModel()) {
        finishEditor(false);
        if (!table->select())
            throw DatabaseError(table->lastError().text());
    } else if (QSqlQueryModel* query = queryModel()) {
        // Runs the model's statement again on its own connection.
        QSqlQuery again = query->query();
        const QString sql = again.lastQuery();
        if (!again.exec(sql))
            throw DatabaseError(again.lastError().text());
        query->setQuery(std::move(again));
    }
    moveTo(std::max(row, 0));
}

void TableNavigator::run(Button which) {
    if (!m_view || !m_view->model())
        return;
    QAbstractItemModel* model = m_view->model();
    const int row = currentRow();
    // A reselect loses the current cell; the row comes back in the same column.
    m_column = m_view->currentIndex().isValid() ? m_view->currentIndex().column() : -1;
    switch (which) {
    case First:
        moveTo(0);
        break;
    case Prior:
        moveTo(std::max(row - 1, 0));
        break;
    case Next:
        moveTo(row + 1);
        break;
    case Last:
        fetchAll();
        moveTo(model->rowCount() - 1);
        break;
    case Insert:
        if (QSqlTableModel* table = tableModel()) {
            finishEditor(true);
            const int at = std::max(row, 0);
            if (!table->insertRow(at))
                throw DatabaseError(table->lastError().text());
            moveTo(at);
            m_view->edit(m_view->currentIndex());
        }
        break;
    case Delete:
        deleteCurrent();
        break;
    case Edit:
        if (tableModel() && m_view->currentIndex().isValid())
            m_view->edit(m_view->currentIndex());
        break;
    case Post:
        if (QSqlTableModel* table = tableModel()) {
            finishEditor(true);
            const bool ok = table->editStrategy() == QSqlTableModel::OnManualSubmit
                                ? table->submitAll()
                                : table->submit();
            if (!ok)
                throw DatabaseError(table->lastError().text());
            moveTo(std::max(row, 0));
        }
        break;
    case Cancel:
        if (QSqlTableModel* table = tableModel()) {
            finishEditor(false);
            if (table->editStrategy() == QSqlTableModel::OnManualSubmit)
                table->revertAll();
            else if (row >= 0)
                table->revertRow(row);
            moveTo(std::max(row, 0));
        }
        break;
    case Refresh:
        refresh();
        break;
    }
}

void TableNavigator::click(Button which) {
    const bool done = guarded(this, [&] { run(which); });
    updateButtons();
    if (done)
        emit clicked(which);
}

void TableNavigator::updateButtons() {
    QAbstractItemModel* model = m_view ? m_view->model() : nullptr;
    const int rows = model ? model->rowCount() : 0;
    const bool more = model && model->canFetchMore(QModelIndex());
    const int row = currentRow();
    QSqlTableModel* table = tableModel();
    const bool editing = table && (table->isDirty() || openEditor());
    auto set = [this](Button b, bool on) { m_buttons.value(b)->setEnabled(on); };
    set(First, rows > 0 && row != 0);
    set(Prior, rows > 0 && row > 0);
    set(Next, rows > 0 && (row < rows - 1 || more));
    set(Last, rows > 0 && (row != rows - 1 || more));
    set(Insert, table != nullptr);
    set(Delete, rows > 0 && row >= 0 && (table || m_deleteHandler));
    set(Edit, table && rows > 0);
    set(Post, editing);
    set(Cancel, editing);
    set(Refresh, model != nullptr);
}
