#pragma once
// The two preset editors: PhotoPresetDialog keeps the photos, WordPresetDialog the words that win
// a prize class ahead of the roll. Each stores only rows the draw can use and
// lists the table with a navigator for browsing and deleting.
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class TableNavigator;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlTableModel;
class QTableView;
class QToolButton;
class SkinData;

// What both editors are made of: an upper panel with a note, the entry box, the
// class box and the store and exit buttons, and a lower one with the list's
// title, its navigator and the list. An editor adds its texts, its table and
// the checks a preset of its kind must pass.
class PresetDialog : public QDialog {
    Q_OBJECT
public:
    QFrame* Panel1 = nullptr;
    QLabel* bsSkinStdLabel1 = nullptr;
    QLabel* bsSkinStdLabel2 = nullptr;
    QLineEdit* bsSkinEdit1 = nullptr;
    QLabel* bsSkinStdLabel3 = nullptr;
    QComboBox* bsSkinComboBox1 = nullptr;
    QPushButton* bsSkinButton1 = nullptr;
    QPushButton* bsSkinButton2 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* bsSkinStdLabel4 = nullptr;
    TableNavigator* bsSkinDBNavigator1 = nullptr;
    QTableView* bsSkinDBGrid1 = nullptr;
    QSqlTableModel* ADOTable1 = nullptr;
    SkinData* bsSkinData1 = nullptr;

public slots:
    // Stores what is typed for the chosen class.
    virtual void bsSkinButton1Click() = 0;
    void bsSkinButton2Click();

protected:
    // A column of the list: its heading, its width in average characters and
    // whether it holds a stored date.
    struct Column {
        const char* title;
        int chars;
        bool date;
    };

    // No caption buttons, a client area of `width` x `height` centred on the
    // screen the program is on.
    PresetDialog(QWidget* parent, const QString& name, const QString& caption, int width,
                 int height);

    // Loads the skin and the classes and lists `columns` of `table` under the
    // grid and the navigator; throws DatabaseError when either cannot be read.
    void OpenPresetList(const QString& table, const QStringList& columns,
                        const QList<Column>& shown);
    // Stores `value` for the chosen class, named `shown` to the operator, unless
    // no class is chosen or the class has it already; one that has won already
    // is stored only if the operator says so. The statements count the presets
    // of a value and class, count the value's wins and insert value and class.
    void AddPreset(const QString& value, const QString& shown, const QString& countPresets,
                   const QString& countWins, const QString& insert);

    QGridLayout* m_fields = nullptr;
};

class PhotoPresetDialog : public PresetDialog {
    Q_OBJECT
public:
    // Throws DatabaseError when the classes or the preset list cannot be read;
    // the window is then not made.
    explicit PhotoPresetDialog(QWidget* parent = nullptr);

    QToolButton* bsSkinSpeedButton1 = nullptr;

    // The picture dialog's file types: what the photo display can load.
    static QString PictureFilter();

    void bsSkinButton1Click() override;

public slots:
    void bsSkinSpeedButton1Click();

private:
    void FormCreate();
    // Where the picture dialog starts: the folder of the photo in the edit box,
    // else that of the last stored preset, else the home folder.
    QString PictureFolder() const;
};

class WordPresetDialog : public PresetDialog {
    Q_OBJECT
public:
    // Throws DatabaseError when the classes or the preset list cannot be read;
    // the window is then not made.
    explicit WordPresetDialog(QWidget* parent = nullptr);

    void bsSkinButton1Click() override;

private:
    void FormCreate();
};
