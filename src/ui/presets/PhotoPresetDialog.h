#pragma once
// The photo preset editor: photos that win a prize class ahead of the roll
// (table zb). It stores only photos the display can show.
#include "ui/presets/PresetDialog.h"

class QToolButton;

class PhotoPresetDialog : public PresetDialog {
    Q_OBJECT
public:
    // Throws DatabaseError when the classes or the preset list cannot be read;
    // the window is then not made.
    explicit PhotoPresetDialog(QWidget* parent = nullptr);

    // The picture dialog's file types: what the photo display can load.
    static QString pictureFilter();

protected:
    QSqlQuery listRows() const override;
    void removeRow(qlonglong rowId) override;
    bool isListed(const QString& value, const QString& prizeClass) const override;
    bool hasWon(const QString& value) const override;
    void insert(const QString& value, const QString& prizeClass) override;
    void addPreset() override;

private:
    void choosePicture();
    // Where the picture dialog starts: the folder of the photo in the edit box,
    // else that of the last stored preset, else the home folder.
    QString pictureFolder() const;

    QToolButton* pictureButton = nullptr;
};
