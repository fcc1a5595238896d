#pragma once
// The photo winners window: every recorded photo winner sorted by class, the
// selected winner's photo beside the list, removing a winner, the workbook
// export and the printed list.
#include "ui/common/TableNavigator.h"

#include <QDialog>
#include <QModelIndex>

class PhotoView;
class QAction;
class QFrame;
class QPushButton;
class QScrollBar;
class QSplitter;
class QSqlTableModel;
class QTableView;
class SkinData;

class PhotoWinnersDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the list; throws DatabaseError when it cannot be read, and then
    // the window is not made.
    explicit PhotoWinnersDialog(QWidget* parent = nullptr);

    // Creates the window and shows it modally; a failure to create it goes to
    // the default error report. What the main window's winners command calls.
    static int ShowModal(QWidget* parent);

    QFrame* Panel1 = nullptr;
    QFrame* Panel3 = nullptr;
    QPushButton* bsSkinButton1 = nullptr;
    QPushButton* bsSkinButton2 = nullptr;
    QFrame* Panel4 = nullptr;
    TableNavigator* bsSkinDBNavigator1 = nullptr;
    QTableView* bsSkinDBGrid1 = nullptr;
    QScrollBar* bsSkinScrollBar1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QFrame* Panel2 = nullptr;
    PhotoView* Image1 = nullptr;
    QSqlTableModel* ADOQuery1 = nullptr;
    QObject* ActionList1 = nullptr;
    QAction* ActionExport = nullptr;
    QAction* ActionPrint = nullptr;
    SkinData* bsSkinData1 = nullptr;

    // Loads the photo of the current row into Image1; a missing file leaves
    // the preview as it is, an unreadable one raises KalvoroError.
    void ShowSelectedPhoto();
    // The `filename` of the current row; empty when there are no rows.
    QString CurrentFileName() const;

public slots:
    void bsSkinDBGrid1CellClick(const QModelIndex& index);
    void bsSkinDBGrid1ColumnMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void bsSkinDBNavigator1Click(TableNavigator::Button button);
    void ActionExportExecute();
    void ActionPrintExecute();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void ShowSelectedPhotoReported();

    int m_filenameColumn = 0;
    // The last photo that could not be read, so that one bad file is reported
    // once rather than at every key press on its row.
    QString m_failedPhoto;
};
