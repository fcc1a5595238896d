#pragma once
// The thin strip under the display: the tool bar, the prompt line, the number
// of words per draw, the roll speed and the prize class.
#include <QColor>
#include <QWidget>

class PrizeClassBox;
class QLabel;
class QMenu;
class QSlider;
class QToolButton;
class WordCountBox;

class ControlStrip : public QWidget {
    Q_OBJECT
public:
    explicit ControlStrip(QWidget* parent = nullptr);

    QToolButton* beginButton() const { return m_begin; }
    QToolButton* setupButton() const { return m_setup; }
    QToolButton* winnersButton() const { return m_winners; }
    QToolButton* helpButton() const { return m_help; }
    QToolButton* exitButton() const { return m_exit; }
    QLabel* promptLabel() const { return m_prompt; }
    WordCountBox* wordCountBox() const { return m_wordCount; }
    QSlider* rollSpeedSlider() const { return m_rollSpeed; }
    PrizeClassBox* prizeClassBox() const { return m_prizeClass; }

    // The colour of the prompt line, in the settings file's colour form. The
    // colour keeps its hue; the backing behind it turns dark or light to match.
    int promptColor() const { return m_promptColor; }
    void setPromptColor(int colour);
    // The prompt line's text size follows the window's height, and the strip
    // grows with it, so the line reads from the hall.
    void fitToWindowHeight(int windowHeight);
    // Keeps the buttons that open the program's windows off while a roll runs.
    void setWindowButtonsEnabled(bool enabled);

    // WCAG 2 relative luminance and contrast ratio (1 to 21).
    static double relativeLuminance(const QColor& colour);
    static double contrastRatio(const QColor& a, const QColor& b);
    // The backing that gives prompt text of this colour the higher contrast.
    static QColor promptBacking(const QColor& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyPromptStyle();

    QToolButton* m_begin;
    QToolButton* m_setup;
    QToolButton* m_winners;
    QToolButton* m_help;
    QToolButton* m_exit;
    QLabel* m_prompt;
    WordCountBox* m_wordCount;
    QSlider* m_rollSpeed;
    PrizeClassBox* m_prizeClass;
    int m_promptColor = 255;
    int m_promptPixels = 16;
};
