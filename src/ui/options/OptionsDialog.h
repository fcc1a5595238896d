#pragma once
// The options dialog: title, mode, skin, pictures and music, photo folder,
// word font, the candidate list and the prize classes. It writes prize.ini
// only on Apply; its table editors write to the database at once.
#include "ui/common/UserPrompts.h"

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <QString>

class TableNavigator;
class QCheckBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSpinBox;
class QSqlTableModel;
class QTabWidget;
class QTableView;
class QToolButton;
class RadioGroup;
class SkinData;
class SoundPlayer;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // mainWindow: the window whose photo image Apply adjusts at once (its child
    // named "Image2"); may be null. The dialog deletes itself when closed.
    explicit OptionsDialog(QWidget* mainWindow = nullptr);
    ~OptionsDialog() override;

    // Readers of prize.ini in the program folder (the settings file rules).
    // LoadOptions converts bgs1, bgs2 and bg without a guard: ConvertError.
    void LoadOptions(const QString& FileName);
    void LoadFontOptions(const QString& FileName);

    // Plays a sound once in the preview player; an empty path or a missing file
    // does nothing, a file that cannot be played is reported in a message box.
    void PreviewSound(const QString& File);
    // Checks the photo folder edit and shows the folder in the file list; the
    // message is shown when no folder exists there. Returns whether it does.
    bool CheckPhotoFolder(const QString& Message);
    // The folder the photo folder text names: a relative text is taken from the
    // program folder, as the draw does when it runs in the program folder.
    static QString ResolvePhotoFolder(const QString& text);

    // Fields
    QString OptionsDir;
    QString SampleFontName;
    int SampleFontColor = 0;
    int SampleFontSize = 0;

    // Controls (named as in the form; each also carries its name as objectName)
    SkinData* bsSkinData1 = nullptr;
    SoundPlayer* MediaPlayer3 = nullptr;
    QTabWidget* bsSkinPageControl1 = nullptr;
    QWidget* bsSkinTabSheet1 = nullptr;        // General Options
    QWidget* bsSkinTabSheet2 = nullptr;        // Photo Options
    QWidget* bsSkinTabSheet3 = nullptr;        // Word Options
    QWidget* bsSkinTabSheet4 = nullptr;        // Font Options
    QWidget* bsSkinTabSheet5 = nullptr;        // Set Prize Class
    QPushButton* bsSkinXFormButton1 = nullptr; // Apply
    QPushButton* bsSkinXFormButton2 = nullptr; // Cancel
    // General
    RadioGroup* bsSkinRadioGroup1 = nullptr; // mode
    RadioGroup* bsSkinRadioGroup2 = nullptr; // skin
    QLineEdit* bsSkinEditTitle = nullptr;
    RadioGroup* bsSkinRadioGroup4 = nullptr; // background picture
    QLineEdit* bsSkinEditBGP = nullptr;
    QToolButton* bsSkinSpeedButton1 = nullptr;
    RadioGroup* bsSkinRadioGroup3 = nullptr; // roll music
    QLineEdit* bsSkinEdit1 = nullptr;
    QToolButton* bsSkinSpeedButton4 = nullptr;
    QToolButton* bsSkinSpeedButton5 = nullptr;
    RadioGroup* bsSkinRadioGroup5 = nullptr; // winner music
    QLineEdit* bsSkinEdit2 = nullptr;
    QToolButton* bsSkinSpeedButton6 = nullptr;
    QToolButton* bsSkinSpeedButton7 = nullptr;
    // Photo
    QLineEdit* bsSkinEditPhotoPath = nullptr;
    QToolButton* bsSkinSpeedButton2 = nullptr;
    QCheckBox* bsSkinCheckRadioBoxFullScreen = nullptr;
    QCheckBox* bsSkinCheckRadioBoxShowWinner = nullptr;
    QListView* bsSkinFileListView1 = nullptr;
    QFileSystemModel* FileListModel = nullptr;
    // Word
    QLineEdit* bsSkinEditQz = nullptr;
    QSpinBox* bsSkinNumericEdit1 = nullptr;
    QSpinBox* bsSkinNumericEdit2 = nullptr;
    QPushButton* bsSkinButton2 = nullptr; // Generate
    QPushButton* bsSkinButton4 = nullptr; // Empty
    QLineEdit* bsSkinEditMd = nullptr;
    QToolButton* bsSkinSpeedButton3 = nullptr;
    QPushButton* bsSkinButton3 = nullptr; // Load
    TableNavigator* bsSkinDBNavigator2 = nullptr;
    QTableView* bsSkinDBGrid2 = nullptr;
    QSqlTableModel* ADOTable2 = nullptr; // wz
    // Font
    QLabel* bsSkinStdLabel12 = nullptr;
    QPushButton* bsSkinButton6 = nullptr;
    FontChoice bsSkinFontDialog1;
    // Prize classes
    TableNavigator* bsSkinDBNavigator1 = nullptr;
    QTableView* bsSkinDBGrid1 = nullptr;
    QSqlTableModel* ADOTable1 = nullptr; // jxmc

    // Handlers
    void FormCreate();
    void FormShow();
    void bsSkinXFormButton1Click(); // Apply
    void bsSkinXFormButton2Click(); // Cancel
    void bsSkinRadioGroup3Click();
    void bsSkinRadioGroup5Click();
    void bsSkinSpeedButton1Click();
    void bsSkinSpeedButton4Click();
    void bsSkinSpeedButton5Click();
    void bsSkinSpeedButton6Click();
    void bsSkinSpeedButton7Click();
    void bsSkinSpeedButton2Click();
    void bsSkinEditPhotoPathExit();
    void bsSkinTabSheet2Show();
    void bsSkinButton6Click();
    void bsSkinButton2Click(); // Generate
    void bsSkinButton4Click(); // Empty
    void bsSkinButton3Click(); // Load
    void bsSkinSpeedButton3Click();
    void bsSkinTabSheet3Show();
    void bsSkinTabSheet3Hide();

    // How long an insert runs before its progress window with Cancel appears (ms).
    int ProgressMinimumDuration = 400;

    // The sample label's font as Apply saves it (the label shows it through its
    // own style sheet, which wins over the skin's fonts).
    QFont SampleFont() const { return m_sampleFont; }
    QColor SampleColor() const { return ColorFromSetting(m_sampleColourValue); }

    bool WordTableOpen() const;
    bool ClassTableOpen() const;

    // The colour value of the settings file (0x00BBGGRR, negative for a system
    // colour) and back.
    static QColor ColorFromSetting(int value);
    static int ColorToSetting(const QColor& colour);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGeneralTab();
    void buildPhotoTab();
    void buildWordTab();
    void buildFontTab();
    void buildClassTab();
    void OpenClassTable();
    void WriteOptions();
    void PostTable(QTableView* grid, QSqlTableModel* table);
    void DropEdits(QTableView* grid, QSqlTableModel* table);
    void ReopenWordTable();
    void ApplySampleFont();
    void setSampleFont(const QFont& font);
    int InsertWithProgress(const QStringList& entries, bool& cancelled);
    // Adds the candidates and lists them; what the operator is told: `success`,
    // or how many were added before a cancel.
    QString AddCandidates(const QStringList& entries, const QString& success);
    void StopPreview();

    QPointer<QWidget> m_mainWindow;
    int m_currentTab = 0;
    bool m_shownOnce = false;
    bool m_checkingFolder = false;
    // The colour as the settings file holds it, so that a system colour read
    // from the file is written back unchanged.
    int m_sampleColourValue = 0;
    QFont m_sampleFont;
};
