#pragma once
// The word preset editor: words that win a prize class ahead of the roll (table zb1).
#include "ui/presets/PresetDialog.h"

class WordPresetDialog : public PresetDialog {
    Q_OBJECT
public:
    // Throws DatabaseError when the classes or the preset list cannot be read;
    // the window is then not made.
    explicit WordPresetDialog(QWidget* parent = nullptr);

protected:
    QSqlQuery listRows() const override;
    void removeRow(qlonglong rowId) override;
    bool isListed(const QString& value, const QString& prizeClass) const override;
    bool hasWon(const QString& value) const override;
    void insert(const QString& value, const QString& prizeClass) override;
    void addPreset() override;
};
