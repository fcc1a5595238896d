#pragma once
// A throw-away program folder (prize.ini, skins, photos) and a current folder for
// db.sqlite, so a test runs the real windows on its own files.
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class Database;

class TempProgram {
public:
    // Lays the folders, copies the shipped skins, points the program at them and
    // makes the current folder the one db.sqlite goes to.
    TempProgram();
    ~TempProgram();

    QString programDir() const; // with a trailing separator
    QString currentDir() const;
    QString path(const QString& relative) const { return programDir() + relative; }

    // Writes prize.ini in the program folder with these lines.
    void writeIni(const QStringList& lines) const;
    // Creates the data module (and so db.sqlite) in the current folder.
    Database* openDatabase();
    void closeDatabase();
    // Runs a statement and fails the test on error; returns the first value of the first row.
    QVariant sql(const QString& statement, const QVariantList& values = {}) const;
    qlonglong count(const QString& statement, const QVariantList& values = {}) const;
    // Writes small JPEG photos named after people into a folder of the program folder.
    QStringList makePhotos(const QString& folder, const QStringList& names,
                           QSize size = QSize(64, 48)) const;

private:
    QTemporaryDir m_dir;
    QString m_oldCurrent;
    std::unique_ptr<Database> m_db;
};

// "Person 00.jpg", "Person 01.jpg", ...: n photo file names.
QStringList PersonPhotoNames(int n);

// Writes a JPEG of one colour; returns false when it could not.
bool WriteJpeg(const QString& file, QSize size, quint32 rgb);
