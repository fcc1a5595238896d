#pragma once
// The photo winners window: every recorded photo winner sorted by class, the
// selected winner's photo beside the list, removing a winner, the workbook
// export and the printed list.
#include <QDialog>

class PhotoView;
class QAction;
class QFrame;
class QPushButton;
class QSplitter;
class QSqlQueryModel;
class QTableView;
class SkinData;
class TableNavigator;

class PhotoWinnersDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the list; throws DatabaseError when it cannot be read, and then
    // the window is not made.
    explicit PhotoWinnersDialog(QWidget* parent = nullptr);

    // Creates the window and shows it modally; a failure to create it goes to
    // the default error report. What the main window's winners command calls.
    static int showModal(QWidget* parent);

    // The `filename` of the current row; empty when there are no rows.
    QString currentFileName() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openList();
    void reloadList();
    // Removes the winner of a row from the table, so the photo may win again.
    bool removeWinner(int row);
    // Loads the photo of the current row into the preview; a missing file
    // leaves the preview as it is, an unreadable one raises KalvoroError.
    void showSelectedPhoto();
    // The same, with a failure told to the operator.
    void followCurrentRow();
    void exportWinners();
    void printWinners();

    QSplitter* splitter = nullptr;
    QFrame* listPanel = nullptr;
    QFrame* buttonBar = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* printButton = nullptr;
    QFrame* tablePanel = nullptr;
    TableNavigator* winnersNavigator = nullptr;
    QTableView* winnersTable = nullptr;
    QFrame* previewPanel = nullptr;
    PhotoView* photoPreview = nullptr;
    QSqlQueryModel* winnersModel = nullptr;
    QAction* exportAction = nullptr;
    QAction* printAction = nullptr;
    SkinData* skin = nullptr;

    int m_filenameColumn = -1;
    int m_classColumn = -1;
    // The last photo that could not be read, so that one bad file is reported
    // once rather than at every key press on its row.
    QString m_failedPhoto;
};
