#include "core/settings/ProgramSettings.h"

#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "formats/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

namespace {
const QString Section = QStringLiteral("prize");
}

QString ProgramSettings::defaultPath() {
    return ProgramFolder::path() + QStringLiteral("prize.ini");
}

ProgramSettings ProgramSettings::read(const QString& path) {
    ProgramSettings s;
    s.m_path = path;
    if (!QFileInfo::exists(path))
        return s;
    s.m_exists = true;
    const IniFile ini(path);
    auto get = [&](const char* key, QString& field) {
        field = ini.ReadString(Section, QLatin1String(key), field);
    };
    get("caption", s.m_caption);
    get("background", s.m_background);
    get("PhotoPath", s.m_photoPath);
    get("Skin", s.m_skin);
    get("mode", s.m_mode);
    get("BackGroundSound1", s.m_rollSound);
    get("BackGroundSound2", s.m_winSound);
    get("bgs1", s.m_rollSoundIndex);
    get("bgs2", s.m_winSoundIndex);
    get("bg", s.m_backgroundIndex);
    get("FontColor", s.m_fontColor);
    get("FontSize", s.m_fontSize);
    get("FontName", s.m_fontName);
    get("PhotoFullScreen", s.m_photoFullScreen);
    get("ShowWinner", s.m_showWinner);
    get("AudienceScreen", s.m_audienceScreen);
    return s;
}

void ProgramSettings::write(const QString& path) const {
    IniFile ini(path);
    auto put = [&](const char* key, const QString& value) {
        ini.WriteString(Section, QLatin1String(key), value);
    };
    put("caption", m_caption);
    put("background", m_background);
    put("PhotoPath", m_photoPath);
    put("Skin", m_skin);
    put("Mode", m_mode);
    put("BackGroundSound1", m_rollSound);
    put("BackGroundSound2", m_winSound);
    put("bgs1", m_rollSoundIndex);
    put("bgs2", m_winSoundIndex);
    put("bg", m_backgroundIndex);
    put("FontColor", m_fontColor);
    put("FontSize", m_fontSize);
    put("FontName", m_fontName);
    put("PhotoFullScreen", m_photoFullScreen);
    put("ShowWinner", m_showWinner);
    // Only an event that has chosen an audience screen carries the key; a file
    // that has it gets it cleared rather than left naming the old screen.
    if (!m_audienceScreen.isEmpty() || ini.ValueExists(Section, QStringLiteral("AudienceScreen")))
        put("AudienceScreen", m_audienceScreen);
}

int ProgramSettings::modeNumber() const {
    int mode = 0;
    return TryStrToInt(m_mode, mode) ? mode : 0;
}

void ProgramSettings::setDrawMode(DrawMode mode) {
    m_mode = mode == DrawMode::Word ? QStringLiteral("1") : QStringLiteral("0");
}

int ProgramSettings::skin() const {
    int skin = 0;
    return TryStrToInt(m_skin, skin) ? skin : 0;
}

QString ProgramSettings::resolvePhotoFolder(const QString& text) {
    if (text.isEmpty())
        return QString();
    QString given = text;
    // A file written on Windows may say ".\photos".
    if (given.startsWith(QStringLiteral(".\\")))
        given = QStringLiteral("./") + given.mid(2);
    // "./photos" and "photos" alike live in the program folder.
    const QString folder = QDir::isAbsolutePath(given) ? given : ProgramFolder::path() + given;
    return ProgramFolder::withTrailingSeparator(
        QDir::cleanPath(QDir::fromNativeSeparators(folder)));
}

QString ProgramSettings::programFile(const QString& file) {
    if (file.isEmpty() || QDir::isAbsolutePath(file))
        return file;
    return QDir::cleanPath(ProgramFolder::path() + file);
}

void ProgramSettings::setBackground(int index, const QString& file) {
    m_backgroundIndex = QString::number(index);
    m_background = file;
}

void ProgramSettings::setRollSound(int index, const QString& file) {
    m_rollSoundIndex = QString::number(index);
    m_rollSound = file;
}

void ProgramSettings::setWinSound(int index, const QString& file) {
    m_winSoundIndex = QString::number(index);
    m_winSound = file;
}

int ProgramSettings::convert(const QString& key, const QString& text) const {
    try {
        return StrToInt(text);
    } catch (const ConvertError& e) {
        // Say where the bad value is, so the operator can mend it.
        throw ConvertError(QCoreApplication::translate("ProgramSettings", "%1 in %2: %3")
                               .arg(key, QDir::toNativeSeparators(m_path), e.message()));
    }
}

int ProgramSettings::backgroundIndex() const {
    return convert(QStringLiteral("bg"), m_backgroundIndex);
}

int ProgramSettings::rollSoundIndex() const {
    return convert(QStringLiteral("bgs1"), m_rollSoundIndex);
}

int ProgramSettings::winSoundIndex() const {
    return convert(QStringLiteral("bgs2"), m_winSoundIndex);
}

std::optional<int> ProgramSettings::fontColor() const {
    int colour = 0;
    if (TryStrToInt(m_fontColor, colour))
        return colour;
    return std::nullopt;
}

int ProgramSettings::fontSize() const {
    return convert(QStringLiteral("FontSize"), m_fontSize);
}

void ProgramSettings::setFont(const QString& name, int points, int colour) {
    m_fontName = name;
    m_fontSize = QString::number(points);
    m_fontColor = QString::number(colour);
}

QString ProgramSettings::skinFile(int index) {
    static const char* const folders[] = {"Orange", "Autumn", "Clouds"};
    const char* folder = (index >= 0 && index <= 2) ? folders[index] : folders[0];
    return ProgramFolder::path() + QStringLiteral("skins/") + QLatin1String(folder) +
           QStringLiteral("/skin.ini");
}

QColor ColorFromSetting(int value) {
    const quint32 v = static_cast<quint32>(value);
    if ((v >> 24) == 0xFF) {
        // A system colour: the low byte is the Windows colour index.
        const QPalette palette = QGuiApplication::palette();
        switch (v & 0xFF) {
        case 5: // window background
            return palette.color(QPalette::Base);
        case 13: // selection
            return palette.color(QPalette::Highlight);
        case 15: // button face
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::WindowText);
        }
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int ColorToSetting(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}
