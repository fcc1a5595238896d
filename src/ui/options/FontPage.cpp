#include "ui/options/FontPage.h"

#include "core/settings/ProgramSettings.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Font size in points, also for a font given in pixels.
int pointsOf(const QFont& font, const QWidget* widget) {
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pixelSize() > 0)
        return qRound(font.pixelSize() * 72.0 / qMax(1, widget->logicalDpiY()));
    return QApplication::font().pointSize();
}

QString sampleStyleSheet(const QFont& font, const QColor& colour) {
    // The skins set fonts for every widget; the sample's own sheet wins over them.
    QString family = font.family();
    family.replace(QLatin1Char('"'), QString());
    const QString size = font.pointSize() > 0 ? QStringLiteral("%1pt").arg(font.pointSize())
                         : font.pixelSize() > 0
                             ? QStringLiteral("%1px").arg(font.pixelSize())
                             : QStringLiteral("%1pt").arg(QApplication::font().pointSize());
    return QStringLiteral("QLabel { color: %1; font-family: \"%2\"; font-size: %3;"
                          " font-weight: %4; font-style: %5; }")
        .arg(colour.name(), family, size,
             font.bold() ? QStringLiteral("bold") : QStringLiteral("normal"),
             font.italic() ? QStringLiteral("italic") : QStringLiteral("normal"));
}

} // namespace

FontPage::FontPage(QWidget* parent)
    : QWidget(parent), m_fontSampleLabel(new QLabel(tr("KALVORO WORD"), this)),
      m_chooseFontButton(new QPushButton(tr("&FONT"), this)) {
    setObjectName(QStringLiteral("fontPage"));
    m_fontSampleLabel->setObjectName(QStringLiteral("fontSampleLabel"));
    m_fontSampleLabel->setAlignment(Qt::AlignCenter);
    m_chooseFontButton->setObjectName(QStringLiteral("chooseFontButton"));

    // Lime and regular until the settings say otherwise; the font dialog starts bold.
    QFont design = m_fontSampleLabel->font();
    design.setPixelSize(49);
    design.setBold(false);
    m_fontSampleLabel->setFont(design);
    m_sampleColourValue = ColorToSetting(QColor(0, 255, 0));
    setSampleFont(design);
    m_fontDialogChoice.font = design;
    m_fontDialogChoice.font.setBold(true);
    m_fontDialogChoice.colour = QColor(0, 255, 0);

    auto* v = new QVBoxLayout(this);
    v->addWidget(m_fontSampleLabel, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_chooseFontButton);
    v->addLayout(row);

    connect(m_chooseFontButton, &QPushButton::clicked, this, &FontPage::chooseFont);
}

QColor FontPage::sampleColour() const {
    return ColorFromSetting(m_sampleColourValue);
}

void FontPage::load(const ProgramSettings& settings) {
    int colour = 0;
    QString name;
    int points = 0;
    if (settings.exists()) {
        colour = settings.fontColor().value_or(0); // not a number: black
        name = settings.fontName();
        points = settings.fontSize();
    }
    QFont font = m_sampleFont;
    QFont dialogFont = m_fontDialogChoice.font;
    // An empty name keeps the design family.
    if (!name.isEmpty()) {
        font.setFamily(name);
        dialogFont.setFamily(name);
    }
    // Size 0 (no settings file) means the font system's default size.
    if (points <= 0)
        points = QApplication::font().pointSize();
    font.setPointSize(points);
    dialogFont.setPointSize(points);
    m_sampleColourValue = colour;
    setSampleFont(font);
    m_fontDialogChoice.font = dialogFont;
    m_fontDialogChoice.colour = sampleColour();
}

void FontPage::store(ProgramSettings& settings) const {
    settings.setFont(m_sampleFont.family(), pointsOf(m_sampleFont, this), m_sampleColourValue);
}

void FontPage::chooseFont() {
    FontChoice choice = m_fontDialogChoice;
    if (!UserPrompts::instance().chooseFont(this, choice))
        return;
    m_fontDialogChoice = choice;
    m_sampleColourValue = ColorToSetting(choice.colour);
    setSampleFont(choice.font);
}

void FontPage::setSampleFont(const QFont& font) {
    m_sampleFont = font;
    m_fontSampleLabel->setFont(font);
    m_fontSampleLabel->setStyleSheet(sampleStyleSheet(font, sampleColour()));
}
