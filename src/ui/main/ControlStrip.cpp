#include "ui/main/ControlStrip.h"

#include "core/settings/ProgramFolder.h"
#include "core/settings/ProgramSettings.h"
#include "ui/main/DisplayWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

ControlStrip::ControlStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("controlStrip"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(44);
    auto* strip = new QHBoxLayout(this);
    strip->setContentsMargins(4, 2, 4, 2);
    strip->setSpacing(6);

    auto* toolBar = new QWidget(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setFixedWidth(218);
    auto* bar = new QHBoxLayout(toolBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    const QString icons = ProgramFolder::path() + QStringLiteral("icons/");
    auto button = [&](const char* name, const QString& hint, const char* iconFile) {
        auto* b = new QToolButton(toolBar);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setIcon(QIcon(icons + QLatin1String(iconFile)));
        b->setIconSize(QSize(30, 30));
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        // Tool buttons never take the focus, so Space never clicks one.
        b->setFocusPolicy(Qt::NoFocus);
        bar->addWidget(b);
        return b;
    };
    m_begin = button("beginButton", tr("begin"), "begin.png");
    m_setup = button("setupButton", tr("options"), "options.png");
    m_winners = button("winnersButton", tr("winner"), "winner.png");
    m_help = button("helpButton", tr("help"), "help.png");
    m_exit = button("exitButton", tr("exit"), "exit.png");
    m_setup->setPopupMode(QToolButton::InstantPopup);
    m_help->setPopupMode(QToolButton::InstantPopup);
    strip->addWidget(toolBar);

    m_prompt = new QLabel(tr("PRESS ENTER KEY TO BEGIN"), this);
    m_prompt->setObjectName(QStringLiteral("promptLabel"));
    m_prompt->setAlignment(Qt::AlignCenter);
    strip->addWidget(m_prompt, 1);
    setPromptColor(255);

    m_wordCount = new WordCountBox(this);
    m_wordCount->setObjectName(QStringLiteral("wordCountBox"));
    m_wordCount->setRange(1, 10);
    m_wordCount->setValue(1);
    m_wordCount->setFixedWidth(56);
    m_wordCount->setToolTip(tr("roll number at same time(only word lottery)"));
    strip->addWidget(m_wordCount);

    m_rollSpeed = new QSlider(Qt::Horizontal, this);
    m_rollSpeed->setObjectName(QStringLiteral("rollSpeedSlider"));
    m_rollSpeed->setRange(10, 1000);
    m_rollSpeed->setValue(10);
    m_rollSpeed->setFixedWidth(89);
    m_rollSpeed->setFocusPolicy(Qt::NoFocus);
    m_rollSpeed->setToolTip(tr("roll speed"));
    strip->addWidget(m_rollSpeed);

    m_prizeClass = new PrizeClassBox(this);
    m_prizeClass->setObjectName(QStringLiteral("prizeClassBox"));
    m_prizeClass->setEditable(false);
    m_prizeClass->setMaxVisibleItems(8);
    m_prizeClass->setMinimumWidth(118);
    m_prizeClass->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_prizeClass->setToolTip(tr("Prize Class"));
    strip->addWidget(m_prizeClass);
}

void ControlStrip::setPromptColor(int colour) {
    m_promptColor = colour;
    m_prompt->setStyleSheet(QStringLiteral("color: %1; font-weight: bold; font-size: 16px;")
                                .arg(ColorFromSetting(colour).name()));
}
