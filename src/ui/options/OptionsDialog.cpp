#include "ui/options/OptionsDialog.h"

#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/options/FontPage.h"
#include "ui/options/GeneralPage.h"
#include "ui/options/PhotoPage.h"
#include "ui/options/PrizeClassPage.h"
#include "ui/options/WordPage.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Tabs whose showing or leaving does something.
constexpr int PhotoTab = 1;
constexpr int WordTab = 2;
} // namespace

OptionsDialog::OptionsDialog(QWidget* parent)
    : QDialog(parent), m_settings(ProgramSettings::read()), m_skinData(new SkinData(this)),
      m_tabs(new QTabWidget(this)), m_generalPage(new GeneralPage), m_photoPage(new PhotoPage),
      m_wordPage(new WordPage), m_fontPage(new FontPage), m_prizeClassPage(new PrizeClassPage),
      m_applyButton(new QPushButton(tr("&Apply"), this)),
      m_cancelButton(new QPushButton(tr("&Cancel"), this)) {
    setObjectName(QStringLiteral("optionsDialog"));
    setWindowTitle(tr("OPTIONS"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A title bar without buttons: the dialog is left through Apply or Cancel.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(905, 606);
    m_skinData->setObjectName(QStringLiteral("skinData"));
    // The skin the main window shows; without a settings file, the plain look.
    m_skinData->loadFromFile(m_settings.exists() ? ProgramSettings::skinFile(m_settings.skin())
                                                 : QString());

    m_tabs->setObjectName(QStringLiteral("optionsTabs"));
    m_tabs->addTab(m_generalPage, tr("General Options"));
    m_tabs->addTab(m_photoPage, tr("Photo Options"));
    m_tabs->addTab(m_wordPage, tr("Word Options"));
    m_tabs->addTab(m_fontPage, tr("Font Options"));
    m_tabs->addTab(m_prizeClassPage, tr("Set Prize Class "));

    m_applyButton->setObjectName(QStringLiteral("applyButton"));
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    for (QPushButton* b : {m_applyButton, m_cancelButton}) {
        // Neither takes the focus, so they stay usable while the photo folder
        // edit holds it after a failed check.
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumWidth(100);
        bar->addWidget(b);
    }
    layout->addLayout(bar);

    connect(m_applyButton, &QPushButton::clicked, this, &OptionsDialog::applyOptions);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &OptionsDialog::tabChanged);

    // A value that is not a number stops the rest of the creation: the error
    // is reported and the dialog still opens.
    guarded(this, [&] {
        loadSettings();
        m_prizeClassPage->openTable();
        m_fontPage->load(m_settings);
    });
}

OptionsDialog::~OptionsDialog() {
    m_generalPage->stopPreview();
}

void OptionsDialog::loadSettings() {
    if (!m_settings.exists())
        return; // every control keeps its first state
    // A catalogue index that is not a number stops the reading there: after
    // the title and the photo folder, before the skin, the mode and the photo
    // boxes, which keep their first state.
    m_photoPage->loadFolder(m_settings);
    m_generalPage->load(m_settings);
    m_photoPage->load(m_settings);
}

void OptionsDialog::applyOptions() {
    guarded(this, [&] {
        m_generalPage->store(m_settings);
        m_photoPage->store(m_settings);
        m_fontPage->store(m_settings);
        m_settings.write();
        emit settingsApplied();
        m_prizeClassPage->postEdits();
        m_wordPage->postEdits();
        m_skinData->loadFromFile(ProgramSettings::skinFile(m_settings.skin()));
        accept();
    });
}

void OptionsDialog::tabChanged(int index) {
    if (m_currentTab == WordTab && index != WordTab)
        m_wordPage->pageLeft();
    m_currentTab = index;
    if (index == PhotoTab)
        m_photoPage->pageShown();
    else if (index == WordTab)
        m_wordPage->pageShown();
}

void OptionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void OptionsDialog::done(int result) {
    m_generalPage->stopPreview();
    QDialog::done(result);
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    m_generalPage->stopPreview();
    QDialog::closeEvent(event);
}
