#pragma once
// Profile-file (INI) access with the rules prize.ini has always had:
// - section and key names compare without regard to case;
// - a key present with an empty value is not absent;
// - a read returns at most 2047 characters;
// - a write updates a key where it stands, adds a new key at the end of its
//   section, and creates the file and the section when missing;
// - files are written as UTF-8; a file that is not valid UTF-8 is read as GB18030;
// - comments and blank lines survive a rewrite.
// Each write goes to disk at once (atomically), like the profile functions.
#include <QString>
#include <QStringList>

class IniFile {
public:
    explicit IniFile(const QString& fileName);

    QString FileName() const { return m_fileName; }
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Throws SettingsFileError naming the file when it cannot be written.
    void WriteString(const QString& section, const QString& key, const QString& value);
    bool ValueExists(const QString& section, const QString& key) const;
    bool SectionExists(const QString& section) const;
    QStringList ReadSection(const QString& section) const; // key names in file order

    static constexpr int MaxValueLength = 2047;

private:
    // Every call reads the file afresh: nothing is cached between calls, so a
    // reader always sees what another writer has just put there.
    void load() const;
    void save();

    QString m_fileName;
    mutable QStringList m_lines; // the file as lines, without line ends
    mutable bool m_crlf = false;
    mutable bool m_readable = true;
};
