#pragma once
// The "Set Prize Class " page: the prize classes the main window offers,
// edited row by row; a posted row goes to the database at once.
#include <QWidget>

class TableEditor;

class PrizeClassPage : public QWidget {
    Q_OBJECT
public:
    explicit PrizeClassPage(QWidget* parent = nullptr);

    // Lists the classes; throws DatabaseError.
    void openTable();
    bool tableOpen() const;
    // Writes a row being edited or inserted, when the table is listed; throws DatabaseError.
    void postEdits();

private:
    TableEditor* m_classEditor;
};
