#pragma once
// The two preset editors: TFormZB keeps the photos, TFormZB1 the words that win
// a prize class ahead of the roll. Each stores only rows the draw can use and
// lists the table with a navigator for browsing and deleting.
#include <QDialog>
#include <QString>

class DBNavigator;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlTableModel;
class QTableView;
class QToolButton;
class SkinData;

class TFormZB : public QDialog {
    Q_OBJECT
public:
    // Throws EDatabaseError when the classes or the preset list cannot be read;
    // the window is then not made.
    explicit TFormZB(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* bsSkinStdLabel1 = nullptr;
    QLabel* bsSkinStdLabel2 = nullptr;
    QLineEdit* bsSkinEdit1 = nullptr;
    QToolButton* bsSkinSpeedButton1 = nullptr;
    QLabel* bsSkinStdLabel3 = nullptr;
    QComboBox* bsSkinComboBox1 = nullptr;
    QPushButton* bsSkinButton1 = nullptr;
    QPushButton* bsSkinButton2 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* bsSkinStdLabel4 = nullptr;
    DBNavigator* bsSkinDBNavigator1 = nullptr;
    QTableView* bsSkinDBGrid1 = nullptr;
    QSqlTableModel* ADOTable1 = nullptr;
    SkinData* bsSkinData1 = nullptr;

    // The picture dialog's file types: what the photo display can load.
    static QString PictureFilter();

public slots:
    void bsSkinSpeedButton1Click();
    void bsSkinButton1Click();
    void bsSkinButton2Click();

private:
    void FormCreate();
    // Where the picture dialog starts: the folder of the photo in the edit box,
    // else that of the last stored preset, else the home folder.
    QString PictureFolder() const;
};

class TFormZB1 : public QDialog {
    Q_OBJECT
public:
    // Throws EDatabaseError when the classes or the preset list cannot be read;
    // the window is then not made.
    explicit TFormZB1(QWidget* parent = nullptr);

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
    DBNavigator* bsSkinDBNavigator1 = nullptr;
    QTableView* bsSkinDBGrid1 = nullptr;
    QSqlTableModel* ADOTable1 = nullptr;
    SkinData* bsSkinData1 = nullptr;

public slots:
    void bsSkinButton1Click();
    void bsSkinButton2Click();

private:
    void FormCreate();
};
