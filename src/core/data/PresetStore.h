#pragma once
// Preset winners: photo files per class (table zb) and words per class (table zb1).
#include "core/data/Stores.h"

class PresetStore : public Store {
public:
    using Store::Store;
    static const QString PhotoTable;
    static const QString WordTable;
    // What the preset editors list, in the order entered: the shown columns,
    // then the rowid that tells two equal rows apart (the tables have no key).
    static const QString PhotoListStatement;
    static const QString WordListStatement;
    static constexpr int PhotoListKeyColumn = 3;
    static constexpr int WordListKeyColumn = 2;

    // In the order they were entered: the first free one wins first.
    QStringList photoPresetsOfClass(const QString& prizeClass) const;
    QStringList wordPresetsOfClass(const QString& prizeClass) const;
    QStringList allWordPresets() const;

    bool hasPhotoPreset(const QString& file, const QString& prizeClass) const;
    bool hasWordPreset(const QString& word, const QString& prizeClass) const;
    void addPhotoPreset(const QString& file, const QString& prizeClass);
    void addWordPreset(const QString& word, const QString& prizeClass);
    // The file of the photo preset entered last; empty when there is none.
    QString lastPhotoPresetFile() const;

    QSqlQuery photoListRows() const;
    QSqlQuery wordListRows() const;
    // Deletes the one row of that rowid, leaving an equal twin in place.
    void removePhotoPreset(qlonglong rowId);
    void removeWordPreset(qlonglong rowId);
};
