#pragma once
// prize.ini, the program's one settings file: the only code that knows its keys.
// Values are kept as the file holds them, so that a value that is not a number
// is reported where it is used, and a value the program does not understand is
// written back unchanged.
#include <QColor>
#include <QString>

#include <optional>

// What a draw rolls. Any mode number but 1 (a hand-edited file may hold 2 or 7)
// is photo mode, everywhere.
enum class DrawMode { Photo, Word };

class ProgramSettings {
public:
    // prize.ini in the program folder.
    static QString defaultPath();

    // Reads every key of the file; a missing file gives the defaults and exists() false.
    static ProgramSettings read(const QString& path = defaultPath());
    // Writes every key, in the order the file has always had them. Throws
    // SettingsFileError when the file cannot be written.
    void write(const QString& path) const;
    void write() const { write(m_path); }

    bool exists() const { return m_exists; }
    const QString& path() const { return m_path; }

    // Window caption between draws ("caption").
    QString caption() const { return m_caption; }
    void setCaption(const QString& text) { m_caption = text; }

    // The mode number as stored ("Mode"); 0 when it is not a number.
    int modeNumber() const;
    DrawMode drawMode() const { return modeNumber() == 1 ? DrawMode::Word : DrawMode::Photo; }
    void setDrawMode(DrawMode mode);
    // Any number, as a mode choice gives it (-1 when nothing is chosen).
    // Skin index ("Skin"); 0 when it is not a number.
    int skin() const;
    void setSkin(int index) { m_skin = QString::number(index); }

    // The photo folder as typed ("PhotoPath"), and the folder it names: a relative
    // text is taken from the program folder. With a trailing separator.
    QString photoPathText() const { return m_photoPath; }
    void setPhotoPathText(const QString& text) { m_photoPath = text; }
    QString photoFolder() const { return resolvePhotoFolder(m_photoPath); }
    static QString resolvePhotoFolder(const QString& text);

    // Background picture, roll music and winner music as stored, and as files:
    // a relative path is taken from the program folder.
    QString backgroundText() const { return m_background; }
    QString rollSoundText() const { return m_rollSound; }
    QString winSoundText() const { return m_winSound; }
    QString backgroundFile() const { return programFile(m_background); }
    QString rollSoundFile() const { return programFile(m_rollSound); }
    QString winSoundFile() const { return programFile(m_winSound); }
    void setBackground(int index, const QString& file);
    void setRollSound(int index, const QString& file);
    void setWinSound(int index, const QString& file);

    // The catalogue choices behind those files ("bg", "bgs1", "bgs2"), as text
    // and as numbers; a number that is not one throws ConvertError naming the
    // key and the file.
    QString backgroundIndexText() const { return m_backgroundIndex; }
    QString rollSoundIndexText() const { return m_rollSoundIndex; }
    QString winSoundIndexText() const { return m_winSoundIndex; }
    int backgroundIndex() const;
    int rollSoundIndex() const;
    int winSoundIndex() const;

    // The large text's font. The colour is 0x00BBGGRR, negative for a system
    // colour; nullopt when the file's value is not a number. fontSize() throws
    // ConvertError naming the key and the file.
    std::optional<int> fontColor() const;
    int fontSize() const;
    QString fontName() const { return m_fontName; }
    void setFont(const QString& name, int points, int colour);

    // Photos fill the display instead of keeping their proportions ("PhotoFullScreen").
    bool photoStretch() const { return m_photoFullScreen != QStringLiteral("0"); }
    void setPhotoStretch(bool on) {
        m_photoFullScreen = on ? QStringLiteral("1") : QStringLiteral("0");
    }
    // Announce a photo winner ("ShowWinner").
    bool showWinner() const { return m_showWinner != QStringLiteral("0"); }
    void setShowWinner(bool on) { m_showWinner = on ? QStringLiteral("1") : QStringLiteral("0"); }

    // Where the show goes ("AudienceScreen"): empty for the main window, else the
    // name of the screen (QScreen::name()) the show fills on its own.
    QString audienceScreen() const { return m_audienceScreen; }
    void setAudienceScreen(const QString& name) { m_audienceScreen = name; }

    // The skin description file for the skin index: 0 Orange, 1 Autumn, 2 Clouds,
    // any other the first.
    static QString skinFile(int index);

private:
    static QString programFile(const QString& file);
    int convert(const QString& key, const QString& text) const;

    bool m_exists = false;
    QString m_path;
    QString m_caption = QStringLiteral("None");
    QString m_background = QStringLiteral("None");
    QString m_photoPath = QStringLiteral("None");
    QString m_skin = QStringLiteral("None");
    QString m_mode = QStringLiteral("None");
    QString m_rollSound = QStringLiteral("None");
    QString m_winSound = QStringLiteral("None");
    QString m_rollSoundIndex = QStringLiteral("None");
    QString m_winSoundIndex = QStringLiteral("None");
    QString m_backgroundIndex = QStringLiteral("None");
    QString m_fontColor = QStringLiteral("0");
    QString m_fontSize = QStringLiteral("60");
    QString m_fontName = QStringLiteral("Arial");
    QString m_photoFullScreen = QStringLiteral("0");
    QString m_showWinner = QStringLiteral("1");
    QString m_audienceScreen;
};

// A colour as prize.ini stores it (0x00BBGGRR; a top byte of 0xFF names a system
// colour, shown as the palette's colour of that role) and back.
QColor ColorFromSetting(int value);
int ColorToSetting(const QColor& colour);
