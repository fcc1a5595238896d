#pragma once
// What both preset editors are made of: an upper panel with a note, the entry
// box, the class box and the add and close buttons, and a lower one with the
// list's title, its navigator and the list. An editor adds its texts, its
// table and the checks a preset of its kind must pass.
#include <QDialog>
#include <QList>
#include <QSize>
#include <QSqlQuery>
#include <QString>

class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;
class QTableView;
class QWidget;
class SkinData;
class TableNavigator;

class PresetDialog : public QDialog {
    Q_OBJECT
protected:
    // The editor's own texts and size; the note may be empty.
    struct Setup {
        QString objectName;
        QString caption;
        QSize clientSize;
        QString note;
        QString entryLabel;
        QString listTitle;
    };

    // A column of the list: its heading, its width in average characters and
    // whether it holds a stored date.
    struct Column {
        const char* title;
        int chars;
        bool date;
    };

    // No caption buttons, the client area centred on the screen the program is on.
    PresetDialog(QWidget* parent, const Setup& setup);

    // Loads the skin and the classes and lists the editor's rows under the
    // grid and the navigator; `shown` are the list's leading columns, the
    // rowid follows them. Throws DatabaseError when either cannot be read.
    void openPresetList(const QList<Column>& shown);

    // Stores `value` for the chosen class, named `shown` to the operator, unless
    // no class is chosen or the class has it already; one that has won already
    // is stored only if the operator says so.
    void storePreset(const QString& value, const QString& shown);

    // What the operator typed or chose.
    QString enteredText() const;
    void setEnteredText(const QString& text);
    // Puts an editor's own button beside the entry box, reached by Tab after the close button.
    void addEntryButton(QWidget* button);

    // The editor's table, through its store.
    virtual QSqlQuery listRows() const = 0;
    virtual void removeRow(qlonglong rowId) = 0;
    virtual bool isListed(const QString& value, const QString& prizeClass) const = 0;
    virtual bool hasWon(const QString& value) const = 0;
    virtual void insert(const QString& value, const QString& prizeClass) = 0;

    // The add button: checks what was entered and stores it.
    virtual void addPreset() = 0;

private:
    // Reads the list again; the titles go back on since a new reading may drop them.
    void reloadList();
    // Puts the cursor on the row just stored, the last one.
    void showStoredRow();
    bool removeListedRow(int row);

    QFrame* entryPanel = nullptr;
    QGridLayout* fieldsLayout = nullptr;
    QLabel* noteLabel = nullptr;
    QLabel* entryLabel = nullptr;
    QLineEdit* entryEdit = nullptr;
    QLabel* classLabel = nullptr;
    QComboBox* classBox = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* closeButton = nullptr;
    QFrame* listPanel = nullptr;
    QLabel* listTitle = nullptr;
    TableNavigator* presetNavigator = nullptr;
    QTableView* presetTable = nullptr;
    QSqlQueryModel* presetModel = nullptr;
    SkinData* skin = nullptr;
    QList<Column> m_columns;
};
