#pragma once
// Preset winners: photo files per class (table zb) and words per class (table zb1).
#include "core/data/Stores.h"

class PresetStore : public Store {
public:
    using Store::Store;
    static const QString PhotoTable;
    static const QString WordTable;

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
};
