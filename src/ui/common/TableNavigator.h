#pragma once
// A record navigator for a table view over an SQL model: first, prior, next,
// last, insert, delete, edit, post, cancel and refresh buttons, each of which
// can be shown or hidden.
//
// With a QSqlTableModel every button works on the table; with a read-only
// QSqlQueryModel only moving and refreshing do, unless a delete handler is set.
// Delete asks for confirmation through UserPrompts first. clicked() is
// emitted after a button has done its work (also when a delete was declined),
// so a window can follow the current row. Database failures are raised as
// DatabaseError and reach the default error report.
#include <QFlags>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QTableView>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QHBoxLayout;
class QSqlQueryModel;
class QSqlTableModel;
class QToolButton;

class TableNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button {
        First = 0x001,
        Prior = 0x002,
        Next = 0x004,
        Last = 0x008,
        Insert = 0x010,
        Delete = 0x020,
        Edit = 0x040,
        Post = 0x080,
        Cancel = 0x100,
        Refresh = 0x200,
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    Q_FLAG(Buttons)

    static constexpr Buttons MoveButtons = Buttons(First | Prior | Next | Last);
    static constexpr Buttons AllButtons = Buttons(0x3ff);

    explicit TableNavigator(QWidget* parent = nullptr);

    // The view whose current row the navigator moves; its model must be a
    // QSqlQueryModel or a QSqlTableModel.
    void setView(QTableView* view);
    QTableView* view() const { return m_view; }

    void setVisibleButtons(Buttons buttons);
    Buttons visibleButtons() const { return m_visible; }
    QToolButton* button(Button which) const { return m_buttons.value(which); }

    // The question asked before a delete; empty asks nothing.
    void setDeleteConfirmation(const QString& text) { m_confirmText = text; }
    QString deleteConfirmation() const { return m_confirmText; }

    // Tooltips on the buttons.
    void setShowHints(bool show);

    // Deletes a row of a read-only model (for example by key through a
    // statement) and brings the model up to date; false leaves the row.
    void setDeleteHandler(std::function<bool(int row)> handler) {
        m_deleteHandler = std::move(handler);
    }

    // The current row, -1 when there is none.
    int currentRow() const;

public slots:
    // Does what the button does and emits clicked(), as a click on it would.
    void click(TableNavigator::Button which);
    void updateButtons();

signals:
    void clicked(TableNavigator::Button button);

private:
    void run(Button which);
    void moveTo(int row);
    void fetchAll();
    void deleteCurrent();
    void refresh();
    QSqlQueryModel* queryModel() const;
    QSqlTableModel* tableModel() const;
    QWidget* openEditor() const;
    void finishEditor(bool commit);

    QHBoxLayout* m_layout = nullptr;
    QHash<int, QToolButton*> m_buttons;
    QPointer<QTableView> m_view;
    Buttons m_visible = AllButtons;
    int m_column = -1;
    QString m_confirmText;
    std::function<bool(int)> m_deleteHandler;
    QList<QMetaObject::Connection> m_connections;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TableNavigator::Buttons)
