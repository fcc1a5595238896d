#pragma once
// The word winners window: the candidates that have won, sorted by class,
// printed through the report library and exported as a SYLK spreadsheet.
#include <QDialog>

class QAction;
class QFrame;
class QPushButton;
class QSqlQueryModel;
class QTableView;
class SkinData;
class TableNavigator;

class WordWinnersDialog : public QDialog {
    Q_OBJECT
public:
    // A list that cannot be read goes to the default error report and the
    // window opens with an empty list.
    explicit WordWinnersDialog(QWidget* parent = nullptr);

    // Creates the window and shows it modally.
    static int showModal(QWidget* parent);

private:
    void openList();
    void printWinners();
    void exportWinners();

    QFrame* buttonBar = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* exportButton = nullptr;
    QFrame* listPanel = nullptr;
    TableNavigator* winnersNavigator = nullptr;
    QTableView* winnersTable = nullptr;
    // The export's source: the same rows with the export's columns, shown only
    // while an export runs.
    QTableView* exportTable = nullptr;
    QSqlQueryModel* winnersModel = nullptr;
    QAction* printAction = nullptr;
    QAction* exportAction = nullptr;
    SkinData* skin = nullptr;
};
