#pragma once
// The "General Options" page: the title, the mode, the skin, and the background
// picture, roll music and winner music, each chosen from its catalogue or a
// file of the operator's; choosing a music entry previews it. Also where the
// show goes: the main window or a screen of its own.
#include <QWidget>

class ProgramSettings;
class QComboBox;
class QLineEdit;
class QToolButton;
class RadioGroup;
class SoundPlayer;

class GeneralPage : public QWidget {
    Q_OBJECT
public:
    explicit GeneralPage(QWidget* parent = nullptr);

    // Fills the controls in the order the file is read. A catalogue index that
    // is not a number throws ConvertError: the groups before it are set,
    // everything after it keeps its first state.
    void load(const ProgramSettings& settings);
    void store(ProgramSettings& settings) const;
    // Silences a preview that is still playing.
    void stopPreview();

protected:
    void showEvent(QShowEvent* event) override;

private:
    RadioGroup* addCatalogue(const QString& name, const QString& title, const QStringList& captions,
                             int columns, QLineEdit* edit, const QString& label,
                             const QList<QToolButton*>& buttons);
    // Plays a sound once; an empty path or a missing file does nothing, and a
    // preview already playing goes on.
    void previewSound(const QString& file);
    void previewRollMusic();
    void previewWinMusic();
    void chooseBackgroundFile();
    void chooseSoundFile(QLineEdit* edit);
    // "Main window", every screen when there are several, and the chosen one.
    void fillAudienceScreens(const QString& chosen);

    RadioGroup* m_modeGroup;
    RadioGroup* m_skinGroup;
    QLineEdit* m_titleEdit;
    QComboBox* m_audienceScreenBox;
    QLineEdit* m_backgroundFileEdit;
    QToolButton* m_chooseBackgroundButton;
    RadioGroup* m_backgroundGroup;
    QLineEdit* m_rollMusicFileEdit;
    QToolButton* m_chooseRollMusicButton;
    QToolButton* m_playRollMusicButton;
    RadioGroup* m_rollMusicGroup;
    QLineEdit* m_winMusicFileEdit;
    QToolButton* m_chooseWinMusicButton;
    QToolButton* m_playWinMusicButton;
    RadioGroup* m_winMusicGroup;
    SoundPlayer* m_previewPlayer;
    bool m_shownOnce = false;
};
