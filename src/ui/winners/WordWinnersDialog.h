#pragma once
// The word winners window: the candidates that have won, sorted by class,
// printed through the report library and exported as a SYLK spreadsheet.
#include <QDialog>

class TableNavigator;
class QAction;
class QFrame;
class QPushButton;
class QScrollBar;
class QSqlQueryModel;
class QTableView;
class SkinData;

class WordWinnersDialog : public QDialog {
    Q_OBJECT
public:
    // A list that cannot be read goes to the default error report and the
    // window opens with an empty list.
    explicit WordWinnersDialog(QWidget* parent = nullptr);

    // Creates the window and shows it modally.
    static int ShowModal(QWidget* parent);

    QFrame* bsSkinPanel1 = nullptr;
    QPushButton* bsSkinButton1 = nullptr;
    QPushButton* bsSkinButton2 = nullptr;
    QFrame* bsSkinPanel2 = nullptr;
    TableNavigator* bsSkinDBNavigator1 = nullptr;
    QTableView* bsSkinDBGrid1 = nullptr;
    QScrollBar* bsSkinScrollBar1 = nullptr;
    QTableView* wwDBGrid1 = nullptr;
    QSqlQueryModel* ADOQuery1 = nullptr;
    QObject* ActionList1 = nullptr;
    QAction* ActionPrint = nullptr;
    QAction* ActionExp = nullptr;
    SkinData* bsSkinData1 = nullptr;

public slots:
    void ActionPrintExecute();
    void ActionExpExecute();

private:
    void FormCreate();
};
