#pragma once
// The window the operator projects: the display and the control strip. It turns
// Enter and Space into calls on the draw session and shows what the session
// emits; the draw itself lives in DrawSession. With an audience screen chosen and
// connected, the display moves to a window of its own there, and the main window
// stays on the operator's screen with a copy of it.
#include <QList>
#include <QString>
#include <QWidget>

class AudienceConsole;
class AudienceWindow;
class ControlStrip;
class DisplayPanel;
class DrawSession;
class ProgramSettings;
class QAction;
class QMenu;
class QScreen;
class QTimer;
class SkinData;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    DrawSession* session() const { return m_session; }

    // The large text's font from the settings; its size is the base the word
    // draw grows from.
    struct WordFont {
        QString name;
        int size = 0;
        int colour = 0;
    };
    const WordFont& wordFont() const { return m_wordFont; }
    void setWordFont(const WordFont& font) { m_wordFont = font; }
    // The window caption between draws.
    QString caption() const { return m_caption; }
    int promptColor() const;
    // The font size of the large text for N words at once.
    static int wordFontSizeFor(int base, int n);
    // What the focus guard shows while another window has the keys.
    static QString focusWarningText();
    // Milliseconds between announcement steps (tests make it 0).
    void setAnnounceStepMs(int msecs) { m_announceStepMs = msecs; }

    // Reads prize.ini again and applies it, as after the options dialog.
    void reloadSettings();
    // Fills the prize class box from the store.
    void loadPrizeClasses();

public slots:
    void armDraw();
    void resetWinners();
    void showWinners();
    void showOptions();
    void showAbout();
    void showHelp();
    void enterFullScreen();
    void leaveFullScreen();
    void toggleFullScreen();
    // The clicker's key: arms a draw when none is armed, otherwise what Space does.
    void nextStep();
    void showPhotoPresets();
    void showWordPresets();
    // The prompt line's colour step, and the focus guard's check.
    void blinkPrompt();
    void guardFocus();
    // The winner count of the class while the mouse rests on the class box.
    void showWinnerCount();
    void restorePrompt();
    // The audience screen coming and going: the show follows it, and falls back
    // into the main window, as it is, when it goes.
    void audienceScreenAdded(QScreen* screen);
    void audienceScreenRemoved(QScreen* screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildActions();
    void connectSession();
    void applySettings(const ProgramSettings& settings);
    void loadBackground(const QString& file);
    void keyPressed(int key);
    void applyModeToCount();
    void applyStripVisible(bool visible);
    void showLines(const QStringList& lines);
    void showNothingLeft();
    // Off while a roll runs, so that the draw keys never land in another window.
    void setWindowsOpenable(bool openable);
    void showError(const QString& text);
    void announceWinner(const QString& name, const QString& prizeClass);
    void nextAnnounceColour();
    bool announcementCancelled(int generation) const;
    // The main window and the audience window are the program's own to the keys
    // and the focus guard.
    bool isOwnWindow(const QWidget* window) const;
    // Puts the show where the setting and the connected screens say.
    void placeShow();
    QScreen* chosenAudienceScreen() const;
    void showOnAudienceScreen(QScreen* screen);
    void showInMainWindow();
    void connectAudience();
    void refreshAudienceStatus();
    // Takes the focus warning off the display, putting back what it covered.
    void dropFocusWarning();

    DrawSession* m_session;
    DisplayPanel* m_display;
    ControlStrip* m_strip;
    AudienceWindow* m_audience;
    AudienceConsole* m_console;
    QString m_audienceScreenName;
    SkinData* m_skin;
    QTimer* m_promptBlinkTimer;
    QTimer* m_focusGuardTimer;
    QTimer* m_resizeSettle;
    QMenu* m_setupMenu;
    QMenu* m_helpMenu;
    QMenu* m_displayMenu;
    QAction* m_armAction;
    QAction* m_exitAction;
    QList<QAction*> m_windowActions;

    QString m_caption;
    WordFont m_wordFont;
    QString m_savedPrompt;
    bool m_shownOnce = false;
    int m_announceStepMs = 10;
    int m_announceGeneration = 0;
    // The display says that nothing is left to draw.
    bool m_nothingLeftShown = false;
    // The focus guard's own record of what its warning covers.
    bool m_focusWarningShown = false;
    bool m_savedBannerVisible = false;
    QString m_savedBannerText;
    int m_savedBannerSize = 0;
};
