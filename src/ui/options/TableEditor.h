#pragma once
// A database table edited in place on an options page: a navigator above a
// grid of whole rows, on a table model that writes a row back when the cursor
// leaves it, so that insert, delete and post reach the database at once.
#include <QString>
#include <QWidget>

class QSqlTableModel;
class QTableView;
class TableNavigator;

class TableEditor : public QWidget {
    Q_OBJECT
public:
    // `name` starts the object names of the navigator, grid and model
    // ("class": classNavigator, classTable, classModel).
    TableEditor(const QString& name, QWidget* parent = nullptr);

    QSqlTableModel* model() const { return m_model; }
    QTableView* view() const { return m_view; }

    // Lists the table; throws DatabaseError and stays closed when it cannot.
    void open(const QString& table);
    bool isOpen() const;
    // Closes the table; a row still being edited is dropped.
    void close();
    // Lists the table again, dropping an edit, when it is open.
    void reload();
    // Writes a row being edited or inserted, with what an open cell editor
    // holds; throws DatabaseError.
    void post();
    // A column's title, or hides it.
    void setColumnTitle(const QString& column, const QString& title);
    void hideColumn(const QString& column);

private:
    void dropEdits();

    TableNavigator* m_navigator;
    QTableView* m_view;
    QSqlTableModel* m_model;
};
