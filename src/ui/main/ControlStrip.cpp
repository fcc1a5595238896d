#include "ui/main/ControlStrip.h"

#include "core/settings/ProgramFolder.h"
#include "core/settings/ProgramSettings.h"
#include "ui/main/DisplayWidgets.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <cmath>

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

    if (window() != this)
        window()->installEventFilter(this);
}

namespace {
// At least 2.5% of the window's height, never below the size of a small window.
constexpr int PromptPermille = 25;
constexpr int SmallestPromptPixels = 16;
constexpr int SmallestStripHeight = 44;
// Warm near-black and near-white: dark behind red and yellow, light behind blue.
const QColor DarkBacking(0x0a, 0x08, 0x06);
const QColor LightBacking(0xfa, 0xf8, 0xf4);

double LinearChannel(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

double ControlStrip::relativeLuminance(const QColor& colour) {
    const QColor c = colour.toRgb();
    return 0.2126 * LinearChannel(c.redF()) + 0.7152 * LinearChannel(c.greenF()) +
           0.0722 * LinearChannel(c.blueF());
}

double ControlStrip::contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ControlStrip::promptBacking(const QColor& text) {
    return contrastRatio(text, DarkBacking) >= contrastRatio(text, LightBacking) ? DarkBacking
                                                                                 : LightBacking;
}

void ControlStrip::setPromptColor(int colour) {
    m_promptColor = colour;
    applyPromptStyle();
}

void ControlStrip::applyPromptStyle() {
    // The label's own sheet wins over the skin's, so the backing always matches the colour.
    const QColor text = ColorFromSetting(m_promptColor);
    m_prompt->setStyleSheet(
        QStringLiteral("color: %1; background: %2; font-weight: bold; font-size: %3px;")
            .arg(text.name(), promptBacking(text).name(), QString::number(m_promptPixels)));
}

void ControlStrip::fitToWindowHeight(int windowHeight) {
    const int pixels = std::max(SmallestPromptPixels, (windowHeight * PromptPermille + 999) / 1000);
    if (pixels == m_promptPixels)
        return;
    m_promptPixels = pixels;
    applyPromptStyle();
    // Room for the line's height, the skin's padding and the strip's margins.
    setFixedHeight(std::max(SmallestStripHeight, pixels * 5 / 4 + 14));
}

void ControlStrip::setWindowButtonsEnabled(bool enabled) {
    for (QToolButton* b : {m_setup, m_winners, m_help})
        b->setEnabled(enabled);
}

bool ControlStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::Resize)
        fitToWindowHeight(window()->height());
    return QWidget::eventFilter(watched, event);
}
