#include "formats/IniFile.h"

#include "formats/Errors.h"
#include "formats/TextDecoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool isBlankOrComment(const QString& line) {
    const QString t = line.trimmed();
    return t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

// "[name]" (blanks allowed around the name and the brackets) gives name.
bool sectionName(const QString& line, QString& name) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    qsizetype end = t.indexOf(QLatin1Char(']'));
    if (end < 0)
        end = t.size();
    name = t.mid(1, end - 1).trimmed();
    return true;
}

// "key = value" gives key and the raw value text; comments and headers are not keys.
bool keyLine(const QString& line, QString& key, QString& value) {
    if (isBlankOrComment(line) || line.trimmed().startsWith(QLatin1Char('[')))
        return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isQuote(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// The profile reader drops one pair of matching quotes around a value.
QString unquote(const QString& raw) {
    if (raw.size() >= 2 && isQuote(raw.front()) && raw.back() == raw.front())
        return raw.mid(1, raw.size() - 2);
    return raw;
}

// The inverse of unquote() plus trimming: quotes a value that would not read
// back the same bare. A line break cannot be stored in a line-based file and
// would split the value into a new key, so it becomes a blank.
QString encodeValue(QString value) {
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool needsQuotes =
        !value.isEmpty() &&
        (value.front().isSpace() || value.back().isSpace() ||
         (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()));
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

QString truncated(const QString& value) {
    if (value.size() <= IniFile::MaxValueLength)
        return value;
    qsizetype n = IniFile::MaxValueLength;
    if (value.at(n - 1).isHighSurrogate())
        --n; // never leave half a character
    return value.left(n);
}

// Lines [begin, end) of the first section with that name; begin is the header.
bool findSection(const QStringList& lines, const QString& section, qsizetype& begin,
                 qsizetype& end) {
    QString name;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (sectionName(lines.at(i), name) && sameName(name, section)) {
            begin = i;
            end = i + 1;
            while (end < lines.size() && !sectionName(lines.at(end), name))
                ++end;
            return true;
        }
    }
    return false;
}

qsizetype findKey(const QStringList& lines, qsizetype begin, qsizetype end, const QString& key,
                  QString* rawValue = nullptr) {
    QString k, v;
    for (qsizetype i = begin + 1; i < end; ++i) {
        if (keyLine(lines.at(i), k, v) && sameName(k, key)) {
            if (rawValue)
                *rawValue = v;
            return i;
        }
    }
    return -1;
}

QString writeError(const QString& fileName, const QString& reason) {
    return QCoreApplication::translate("IniFile", "Unable to write to %1 (%2)")
        .arg(fileName, reason);
}

} // namespace

IniFile::IniFile(const QString& fileName) : m_fileName(fileName) {}

void IniFile::load() const {
    m_lines.clear();
    m_crlf = false;
    m_readable = true;
    QFile file(m_fileName);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_readable = false;
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    const QString text = DecodeLegacyText(bytes);
    const qsizetype firstLf = text.indexOf(QLatin1Char('\n'));
    m_crlf = firstLf > 0 && text.at(firstLf - 1) == QLatin1Char('\r');
    m_lines = text.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.back().isEmpty())
        m_lines.removeLast(); // the final line end, not an empty line
    for (QString& line : m_lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
}

void IniFile::save() {
    const QString eol = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text = m_lines.join(eol);
    text += eol;
    const QByteArray bytes = text.toUtf8();

    QFileInfo info(m_fileName);
    // A file with no write permission at all is read-only even for root, as the
    // read-only attribute is for an administrator.
    const auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (info.exists() && (!info.isWritable() || !(info.permissions() & anyWrite)))
        throw SettingsFileError(writeError(
            m_fileName, QCoreApplication::translate("IniFile", "the file is read-only")));
    QSaveFile file(m_fileName);
    // A writable file in a folder we may not create files in is still saved,
    // just not atomically: losing the settings would be worse.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw SettingsFileError(writeError(m_fileName, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw SettingsFileError(writeError(m_fileName, file.errorString()));
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    load();
    qsizetype begin = 0, end = 0;
    if (!findSection(m_lines, section, begin, end))
        return def;
    QString raw;
    if (findKey(m_lines, begin, end, key, &raw) < 0)
        return def;
    return truncated(unquote(raw));
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    load();
    qsizetype begin = 0, end = 0;
    return findSection(m_lines, section, begin, end) && findKey(m_lines, begin, end, key) >= 0;
}

bool IniFile::SectionExists(const QString& section) const {
    load();
    qsizetype begin = 0, end = 0;
    return findSection(m_lines, section, begin, end);
}

QStringList IniFile::ReadSection(const QString& section) const {
    load();
    QStringList keys;
    qsizetype begin = 0, end = 0;
    if (!findSection(m_lines, section, begin, end))
        return keys;
    QString k, v;
    for (qsizetype i = begin + 1; i < end; ++i) {
        // A repeated key is shadowed by its first occurrence, as reads see it.
        if (keyLine(m_lines.at(i), k, v) && !keys.contains(k, Qt::CaseInsensitive))
            keys.append(k);
    }
    return keys;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString sec = section.trimmed();
    const QString k = key.trimmed();
    auto bad = [](const QString& s) {
        return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
    };
    if (sec.isEmpty() || k.isEmpty() || bad(sec) || bad(k) || sec.contains(QLatin1Char(']')) ||
        k.contains(QLatin1Char('=')) || k.startsWith(QLatin1Char('[')) ||
        k.startsWith(QLatin1Char(';')) || k.startsWith(QLatin1Char('#')))
        throw SettingsFileError(writeError(
            m_fileName, QCoreApplication::translate("IniFile", "invalid section or key name")));

    load();
    if (!m_readable) // rewriting a file we cannot read would wipe it
        throw SettingsFileError(writeError(
            m_fileName, QCoreApplication::translate("IniFile", "the file cannot be read")));

    const QString encoded = encodeValue(value);
    qsizetype begin = 0, end = 0;
    if (!findSection(m_lines, sec, begin, end)) {
        if (!m_lines.isEmpty() && !m_lines.back().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + sec + QLatin1Char(']'));
        m_lines.append(k + QLatin1Char('=') + encoded);
    } else if (const qsizetype at = findKey(m_lines, begin, end, k); at >= 0) {
        // Keep the key's spelling and indentation as they stand in the file.
        const QString line = m_lines.at(at);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        qsizetype lead = 0;
        while (lead < eq && line.at(lead).isSpace())
            ++lead;
        m_lines[at] =
            line.left(lead) + line.mid(lead, eq - lead).trimmed() + QLatin1Char('=') + encoded;
    } else {
        // After the section's last entry: comments and blanks that follow it
        // usually introduce the next section and stay with that one.
        qsizetype insertAt = begin + 1;
        for (qsizetype i = begin + 1; i < end; ++i) {
            if (!isBlankOrComment(m_lines.at(i)))
                insertAt = i + 1;
        }
        m_lines.insert(insertAt, k + QLatin1Char('=') + encoded);
    }
    save();
}
