#pragma once
// The main draw window: display, control strip, timers, the draw controller,
// and the state the rolls work on.
#include "ui/main/DisplayWidgets.h"

#include <QAction>
#include <QMenu>
#include <QSlider>
#include <QSpinBox>
#include <QSqlQuery>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class SkinData;
class SoundPlayer;
class PhotoCache;
class WordPicker;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Display area and strip.
    DisplayPanel* bsSkinPanel1;
    PictureView* Image1;
    PictureView* Image2;
    BannerLabel* LabelWZ;
    QWidget* bsSkinPanel2;
    QWidget* bsSkinToolBar1;
    QToolButton* bsSkinSpeedButton1;
    QToolButton* bsSkinMenuSpeedButton1;
    QToolButton* bsSkinSpeedButton2;
    QToolButton* bsSkinMenuSpeedButton2;
    QToolButton* bsSkinSpeedButton4;
    QLabel* Label1;
    WordCountBox* RxSpinEdit1;
    QSlider* bsSkinTrackBar1;
    PrizeClassBox* bsSkinComboBox1;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    SkinData* bsSkinData1;
    QMenu* bsSkinPopupMenu1;
    QMenu* bsSkinPopupMenu2;
    QMenu* bsSkinPopupMenu3;
    QAction* ActionExit;
    QAction* ActionCJ;
    QAction* ActionInit;
    QAction* ActionMD;
    QAction* ActionOption;
    QAction* ActionAbout;
    QAction* ActionFullScreen;
    QAction* ActionShowToolbar;
    QAction* ActionHelp;
    QAction* ActionPhotoPresets;
    QAction* ActionWordPresets;

    // State of the window.
    QStringList PhotoList;
    int PhotoCount = 0;
    int RollCursor = 0;
    bool DrawArmed = false;
    QString CurrentPhoto;
    QString LotteryTitle;
    QString PhotoFolder;
    QString RollSoundFile;
    QString WinSoundFile;
    QString SavedPrompt;
    int WordFontColor = 0;
    QString WordFontName;
    int WordFontSize = 0;
    bool PhotoStretch = false;
    std::vector<int> RollOrder;
    bool SavedLabelVisible = false;
    QString SavedLabelText;
    int SavedLabelSize = 0;

    // Milliseconds between announcement steps (tests make it 0).
    int AnnounceStepMs = 10;
    // The colour of the prompt line, in the settings file's colour form.
    int PromptColor() const { return m_promptColor; }
    // Every window of this program has a sound player; the main one is here.
    SoundPlayer* player() const { return m_player.get(); }
    PhotoCache* photoCache() const { return m_photoCache.get(); }

    // Start-up and settings.
    void FormCreate();
    void LoadSettings(const QString& FileName);
    static int ListPhotoFiles(QStringList& List, const QString& Pattern);
    void LoadPrizeClasses();
    // The photo folder as the scan uses it: a leading "./" is the program folder.
    QString ResolvedPhotoFolder() const;
    void RescanPhotos();

    // Draw controller.
    void FormKeyPress(QChar Key);
    void ShuffleRollOrder();
    void RollPhotoTick();
    bool SavePhotoWinner();
    void RollWordsTick(unsigned N);
    bool SaveWordWinners();
    void ApplyPhotoPreset();
    void ApplyWordPreset();
    void WinnerCountText(QString& Text);
    void PlaySound(const QString& SoundFile, bool Looping);
    void StopSound();
    void AnnounceWinner();
    void NextAnnounceColour();
    // The font size of the large text for N words at once.
    static int WordFontSizeFor(int base, unsigned N);

public slots:
    void ActionCJExecute();
    void ActionExitExecute();
    void ActionInitExecute();
    void ActionMDExecute();
    void ActionOptionExecute();
    void ActionAboutExecute();
    void ActionFullScreenExecute();
    void ActionShowToolbarExecute();
    void ActionHelpExecute();
    void ActionPhotoPresetsExecute();
    void ActionWordPresetsExecute();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void DXAudioOut1Done();
    void bsSkinComboBox1MouseEnter();
    void bsSkinComboBox1MouseLeave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void setPrompt(const QString& text);
    void setPromptColor(int colour);
    void startRoll();
    void stopRoll();
    void showPhoto(const QString& path, bool fullQuality);
    bool isActiveForKeys() const;
    void applyStripVisible(bool visible);
    void replaceRolledCopiesOfPresets(QStringList& lines, const QList<bool>& preset);
    // The photo roll shows one winner at a time: its count is 1 and locked.
    void applyModeToCount();

    std::unique_ptr<SoundPlayer> m_player;
    std::unique_ptr<PhotoCache> m_photoCache;
    std::unique_ptr<WordPicker> m_wordPicker;
    int m_promptColor = 255;
    bool m_shownOnce = false;
    bool m_wordDisplayIsError = false;
    int m_announceGeneration = 0;
    QTimer* m_resizeSettle = nullptr;
    QSqlQuery m_countQuery; // reused by every roll step
    bool m_countQueryReady = false;
};

// The prompt texts of the draw.
namespace Prompt {
inline const QString Begin = QStringLiteral("PRESS ENTER KEY TO BEGIN");
inline const QString Armed = QStringLiteral("After Set Lottery Class,Press Space Bar");
inline const QString Rolling = QStringLiteral("Press Space Bar to Draw");
inline const QString Stopped = QStringLiteral("Press Enter Key to Begin Next");
} // namespace Prompt

inline const QString FocusWarningText = QStringLiteral(
    "This window is not avtive window now,click this window please, otherwise can not work!");
