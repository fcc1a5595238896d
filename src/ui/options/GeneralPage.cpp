#include "ui/options/GeneralPage.h"

#include "core/media/SoundPlayer.h"
#include "core/settings/Catalogues.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/ProgramSettings.h"
#include "ui/common/UserPrompts.h"
#include "ui/options/RadioGroup.h"
#include "ui/options/SmallButton.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

GeneralPage::GeneralPage(QWidget* parent)
    : QWidget(parent),
      m_modeGroup(new RadioGroup(tr("Lottery Mode"), {tr("Photo"), tr("Word")}, 2, this)),
      m_skinGroup(new RadioGroup(tr("Skin"), {tr("orange"), tr("green"), tr("blue")}, 3, this)),
      m_titleEdit(new QLineEdit(this)), m_audienceScreenBox(new QComboBox(this)),
      m_backgroundFileEdit(new QLineEdit),
      m_chooseBackgroundButton(
          smallButton(QStringLiteral("chooseBackgroundButton"), tr("Choose a picture"), nullptr)),
      m_rollMusicFileEdit(new QLineEdit),
      m_chooseRollMusicButton(
          smallButton(QStringLiteral("chooseRollMusicButton"), tr("Choose a sound file"), nullptr)),
      m_playRollMusicButton(
          smallButton(QStringLiteral("playRollMusicButton"), tr("Play this file"), nullptr)),
      m_winMusicFileEdit(new QLineEdit),
      m_chooseWinMusicButton(
          smallButton(QStringLiteral("chooseWinMusicButton"), tr("Choose a sound file"), nullptr)),
      m_playWinMusicButton(
          smallButton(QStringLiteral("playWinMusicButton"), tr("Play this file"), nullptr)),
      m_previewPlayer(new SoundPlayer(this)) {
    setObjectName(QStringLiteral("generalPage"));
    m_modeGroup->setObjectName(QStringLiteral("modeGroup"));
    m_skinGroup->setObjectName(QStringLiteral("skinGroup"));
    m_titleEdit->setObjectName(QStringLiteral("titleEdit"));
    m_audienceScreenBox->setObjectName(QStringLiteral("audienceScreenBox"));
    m_backgroundFileEdit->setObjectName(QStringLiteral("backgroundFileEdit"));
    m_rollMusicFileEdit->setObjectName(QStringLiteral("rollMusicFileEdit"));
    m_winMusicFileEdit->setObjectName(QStringLiteral("winMusicFileEdit"));
    m_playRollMusicButton->setText(QStringLiteral("\u25B6"));
    m_playWinMusicButton->setText(QStringLiteral("\u25B6"));
    m_previewPlayer->setObjectName(QStringLiteral("previewPlayer"));

    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(m_modeGroup, 1);
    top->addWidget(m_skinGroup, 2);
    v->addLayout(top);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(tr("Lottery Title"), this));
    titleRow->addWidget(m_titleEdit, 1);
    v->addLayout(titleRow);
    auto* screenRow = new QHBoxLayout;
    auto* screenLabel = new QLabel(tr("Audience screen"), this);
    screenLabel->setBuddy(m_audienceScreenBox);
    screenRow->addWidget(screenLabel);
    screenRow->addWidget(m_audienceScreenBox);
    screenRow->addStretch(1);
    v->addLayout(screenRow);
    fillAudienceScreens(QString());

    m_backgroundGroup = addCatalogue(QStringLiteral("backgroundGroup"), tr("Background Picture"),
                                     BackgroundCaptions(), 6, m_backgroundFileEdit,
                                     tr("User Defined "), {m_chooseBackgroundButton});
    m_rollMusicGroup = addCatalogue(QStringLiteral("rollMusicGroup"), tr("Roll Background Music"),
                                    RollMusicCaptions(), 6, m_rollMusicFileEdit, tr("User defined"),
                                    {m_chooseRollMusicButton, m_playRollMusicButton});
    m_winMusicGroup = addCatalogue(QStringLiteral("winMusicGroup"), tr("Winner Background Music"),
                                   WinnerMusicCaptions(), 7, m_winMusicFileEdit, tr("User defined"),
                                   {m_chooseWinMusicButton, m_playWinMusicButton});
    v->addStretch(1);

    // A file that turns out not to decode ends its run at once; say why.
    connect(m_previewPlayer, &SoundPlayer::finished, this, [this] {
        if (!m_previewPlayer->lastError().isEmpty())
            UserPrompts::instance().message(this, m_previewPlayer->lastError());
    });
    connect(m_rollMusicGroup, &RadioGroup::selectionChanged, this, &GeneralPage::previewRollMusic);
    connect(m_winMusicGroup, &RadioGroup::selectionChanged, this, &GeneralPage::previewWinMusic);
    connect(m_chooseBackgroundButton, &QToolButton::clicked, this,
            &GeneralPage::chooseBackgroundFile);
    connect(m_chooseRollMusicButton, &QToolButton::clicked, this,
            [this] { chooseSoundFile(m_rollMusicFileEdit); });
    connect(m_chooseWinMusicButton, &QToolButton::clicked, this,
            [this] { chooseSoundFile(m_winMusicFileEdit); });
    connect(m_playRollMusicButton, &QToolButton::clicked, this,
            [this] { previewSound(m_rollMusicFileEdit->text()); });
    connect(m_playWinMusicButton, &QToolButton::clicked, this,
            [this] { previewSound(m_winMusicFileEdit->text()); });
}

// A catalogue group with the user-defined file's edit and buttons below its entries.
RadioGroup* GeneralPage::addCatalogue(const QString& name, const QString& title,
                                      const QStringList& captions, int columns, QLineEdit* edit,
                                      const QString& label, const QList<QToolButton*>& buttons) {
    auto* group = new RadioGroup(title, captions, columns, this);
    group->setObjectName(name);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(label, group));
    edit->setParent(group);
    row->addWidget(edit, 1);
    for (QToolButton* b : buttons) {
        b->setParent(group);
        row->addWidget(b);
    }
    static_cast<QGridLayout*>(group->layout())
        ->addLayout(row, static_cast<int>((captions.size() + columns - 1) / columns), 0, 1,
                    columns);
    static_cast<QVBoxLayout*>(layout())->addWidget(group);
    return group;
}

void GeneralPage::load(const ProgramSettings& settings) {
    m_titleEdit->setText(settings.caption());
    // Selecting a music entry previews it, exactly as a click would; the
    // user-defined edits are still empty here, so that entry plays nothing.
    m_rollMusicGroup->setIndex(settings.rollSoundIndex());
    m_winMusicGroup->setIndex(settings.winSoundIndex());
    m_backgroundGroup->setIndex(settings.backgroundIndex());
    // The user-defined entries are recognised by their text, not their number:
    // "015" selects the entry but leaves its edit empty.
    if (settings.backgroundIndexText() == QString::number(BackgroundUserDefinedIndex))
        m_backgroundFileEdit->setText(settings.backgroundText());
    if (settings.winSoundIndexText() == QString::number(WinnerMusicUserDefinedIndex))
        m_winMusicFileEdit->setText(settings.winSoundText());
    if (settings.rollSoundIndexText() == QString::number(RollMusicUserDefinedIndex))
        m_rollMusicFileEdit->setText(settings.rollSoundText());
    // A skin number the program does not know wears Orange, so it shows as Orange.
    const int skin = settings.skin();
    m_skinGroup->setIndex(skin >= 0 && skin <= 2 ? skin : 0);
    // Any number the file holds, limited by the group: 5 shows "Word".
    // A hand-edited mode other than 1 draws photos, so it shows as Photo too.
    m_modeGroup->setIndex(settings.drawMode() == DrawMode::Word ? 1 : 0);
    fillAudienceScreens(settings.audienceScreen());
}

void GeneralPage::fillAudienceScreens(const QString& chosen) {
    m_audienceScreenBox->clear();
    m_audienceScreenBox->addItem(tr("Main window"), QString());
    auto addScreen = [this](const QScreen* screen) {
        const QSize size = screen->size();
        m_audienceScreenBox->addItem(
            tr("%1 (%2 x %3)").arg(screen->name()).arg(size.width()).arg(size.height()),
            screen->name());
    };
    // One screen is the operator's own: the show stays in the main window.
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() > 1)
        for (const QScreen* screen : screens)
            addScreen(screen);
    if (chosen.isEmpty())
        return;
    // A projector unplugged while the options are open keeps its place for when
    // it comes back, rather than being lost by OK.
    if (m_audienceScreenBox->findData(chosen) < 0) {
        const auto named = std::find_if(screens.begin(), screens.end(),
                                        [&](const QScreen* s) { return s->name() == chosen; });
        if (named != screens.end())
            addScreen(*named);
        else
            m_audienceScreenBox->addItem(tr("%1 (not connected)").arg(chosen), chosen);
    }
    m_audienceScreenBox->setCurrentIndex(m_audienceScreenBox->findData(chosen));
}

void GeneralPage::store(ProgramSettings& settings) const {
    const int background = m_backgroundGroup->index();
    const int roll = m_rollMusicGroup->index();
    const int win = m_winMusicGroup->index();
    settings.setCaption(m_titleEdit->text());
    settings.setBackground(background,
                           BackgroundFileForChoice(background, m_backgroundFileEdit->text()));
    settings.setSkin(m_skinGroup->index());
    settings.setDrawMode(m_modeGroup->index() == 1 ? DrawMode::Word : DrawMode::Photo);
    settings.setRollSound(roll, RollMusicFileForChoice(roll, m_rollMusicFileEdit->text()));
    settings.setWinSound(win, WinnerMusicFileForChoice(win, m_winMusicFileEdit->text()));
    settings.setAudienceScreen(m_audienceScreenBox->currentData().toString());
}

void GeneralPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // The catalogues show plain titles once the dialog is up.
    for (RadioGroup* g : {m_backgroundGroup, m_rollMusicGroup, m_winMusicGroup})
        g->setCaptionMode(false);
}

void GeneralPage::stopPreview() {
    m_previewPlayer->stop();
}

void GeneralPage::previewRollMusic() {
    previewSound(RollMusicFileForChoice(m_rollMusicGroup->index(), m_rollMusicFileEdit->text()));
}

void GeneralPage::previewWinMusic() {
    previewSound(WinnerMusicFileForChoice(m_winMusicGroup->index(), m_winMusicFileEdit->text()));
}

void GeneralPage::previewSound(const QString& file) {
    if (file.trimmed().isEmpty())
        return;
    const QFileInfo info(file);
    if (!info.exists() || info.isDir())
        return;
    try {
        m_previewPlayer->stop();
        m_previewPlayer->play(file, false);
    } catch (const std::exception& e) {
        UserPrompts::instance().message(this, QString::fromUtf8(e.what()));
    }
}

void GeneralPage::chooseBackgroundFile() {
    const QString file = UserPrompts::instance().openFile(
        this, tr("Open picture"), QString(),
        tr("All (*.jpg *.jpeg *.png *.bmp);;JPG (*.jpg *.jpeg);;PNG (*.png);;Bitmaps (*.bmp)"));
    // The group stays where it is: the file counts only with "User-defined" chosen.
    if (!file.isEmpty())
        m_backgroundFileEdit->setText(QDir::toNativeSeparators(file));
}

void GeneralPage::chooseSoundFile(QLineEdit* edit) {
    const QString file = UserPrompts::instance().openFile(
        this, tr("Open file"), ProgramFolder::desktop(), tr("All files (*)"));
    if (!file.isEmpty())
        edit->setText(QDir::toNativeSeparators(file));
}
