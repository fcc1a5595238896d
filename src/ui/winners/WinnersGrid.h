#pragma once
// What the two winners lists share: a read-only, whole-row grid, the way
// dates and column widths are shown, the buttons' actions and printing.
#include <QStyledItemDelegate>

class QAbstractItemModel;
class QAction;
class QPushButton;
class QTableView;

// Reads every row of a lazily fetching model. The lists are snapshots (and a
// finished statement holds no lock on the database); a party has a few
// hundred winners at most.
void FetchAllRows(QAbstractItemModel* model);

// Read-only, one whole row selected, movable and resizable columns, the row
// indicator, Tab leaving the grid; rows at least `rowHeight` pixels high.
void SetUpWinnersGrid(QTableView* grid, int rowHeight);

// A column as wide as `chars` average characters of the grid's font.
void SetColumnWidthInChars(QTableView* grid, int column, int chars);

// An action of `window`, named `name`, that `button` shows as `text` and triggers.
QAction* AddButtonAction(QObject* window, QPushButton* button, const QString& name,
                         const QString& text);

// Prints the winners `statement` lists through the report library; a report
// that fails is told to the operator. Throws DatabaseError when the database
// is not open.
void PrintWinners(QWidget* window, const QString& statement);

// Shows a stored date-time text ("2024-05-01 19:30:00") in the locale's short
// date-and-time form; an empty value stays empty.
class DateTimeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override;
};
