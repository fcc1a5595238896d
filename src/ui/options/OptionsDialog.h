#pragma once
// The options dialog: one page per tab over the settings of prize.ini, which
// it reads when created and writes only on Apply; the candidate and prize
// class pages write to the database at once. The dialog deletes itself when
// closed.
#include "core/settings/ProgramSettings.h"

#include <QDialog>

class FontPage;
class GeneralPage;
class PhotoPage;
class PrizeClassPage;
class QPushButton;
class QTabWidget;
class SkinData;
class WordPage;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(QWidget* parent = nullptr);
    ~OptionsDialog() override;

signals:
    // prize.ini has been written: whoever shows the settings reads them again.
    void settingsApplied();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void loadSettings();
    void applyOptions();
    void tabChanged(int index);

    ProgramSettings m_settings;
    SkinData* m_skinData;
    QTabWidget* m_tabs;
    GeneralPage* m_generalPage;
    PhotoPage* m_photoPage;
    WordPage* m_wordPage;
    FontPage* m_fontPage;
    PrizeClassPage* m_prizeClassPage;
    QPushButton* m_applyButton;
    QPushButton* m_cancelButton;
    int m_currentTab = 0;
    bool m_shownOnce = false;
};
