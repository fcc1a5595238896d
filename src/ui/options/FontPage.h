#pragma once
// The "Font Options" page: a sample of the font word mode shows its candidates
// in, and the button that chooses it.
#include "ui/common/UserPrompts.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class ProgramSettings;
class QLabel;
class QPushButton;

class FontPage : public QWidget {
    Q_OBJECT
public:
    explicit FontPage(QWidget* parent = nullptr);

    // Gives the sample and the font dialog the saved name, size and colour;
    // without a settings file, black in the default size. A FontSize that is
    // not a number throws ConvertError and leaves both as they are.
    void load(const ProgramSettings& settings);
    // The sample's name, size and colour; its style is not saved.
    void store(ProgramSettings& settings) const;

    QFont sampleFont() const { return m_sampleFont; }
    QColor sampleColour() const;
    // What the font dialog starts from.
    FontChoice fontDialogChoice() const { return m_fontDialogChoice; }

private:
    void chooseFont();
    void setSampleFont(const QFont& font);

    QLabel* m_fontSampleLabel;
    QPushButton* m_chooseFontButton;
    FontChoice m_fontDialogChoice;
    QFont m_sampleFont;
    // The colour as the settings file holds it, so that a system colour read
    // from the file is written back unchanged.
    int m_sampleColourValue = 0;
};
