#pragma once
// The main window's display pieces: the large text label, the display that
// stacks it over the pictures, and the class and word count boxes of the strip.
#include "ui/common/PictureView.h"

#include <QComboBox>
#include <QHash>
#include <QSpinBox>
#include <QWidget>

#include <optional>

// The large text over the display: lines separated by a carriage return,
// centred horizontally, centred or bottom-aligned vertically. The font size is
// a maximum: the text shrinks, one size for all its lines, until every line is
// whole inside the label.
class BannerLabel : public QWidget {
    Q_OBJECT
public:
    explicit BannerLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    // A message: a line too wide for the label may wrap at its spaces.
    void setText(const QString& text);
    // Drawn lines: each one stays a single line, however long.
    void setLines(const QStringList& lines);
    // Colour in the settings file's form (red in the low byte).
    int fontColor() const { return m_colour; }
    void setFontColor(int colour);
    // The size asked for, the largest the text may have.
    int fontSize() const { return m_pointSize; }
    void setFontSize(int points);
    QString fontName() const { return m_family; }
    void setFontName(const QString& family);
    bool layoutBottom() const { return m_bottom; }
    void setLayoutBottom(bool bottom);
    // A dark translucent backing behind the text, so it reads over a light photo.
    bool backed() const { return m_backed; }
    void setBacked(bool backed);
    QFont displayFont() const;

    // The size and font the text is painted with: fontSize() or what fits.
    int shownFontSize() const;
    QFont shownFont() const;
    // Where the text may go: the label less a small margin.
    QRect textArea() const;
    // Where each line is painted, ink included; one rectangle for a wrapped message.
    QList<QRect> lineRects() const;

signals:
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Worked out again when the text, font, size or resolution changes.
    struct Layout {
        QRect area;
        int dpi = 0;
        int pointSize = 0;
        QList<QRect> rects;
        QList<QPoint> baselines;
    };
    const Layout& layout() const;
    QFont fontAt(int points) const;
    int maxPointSize() const;
    int fittingPointSize() const;
    QSize blockSizeAt(int points) const;
    bool fitsAt(int points) const;
    void invalidate();

    QString m_text;
    bool m_wrap = false;
    int m_colour = 0;
    int m_pointSize = 60;
    QString m_family = QStringLiteral("Arial");
    bool m_bottom = false;
    bool m_backed = false;
    // The lines last given by setLines(): put back with setText(), as the focus
    // guard does after its warning, they stay one line each.
    QString m_lastLines;
    mutable std::optional<Layout> m_layout;
    // The size that fits, by text, size asked for, font, area and resolution:
    // a repaint or a repeated text does not measure again.
    mutable QHash<QString, int> m_fitCache;
};

// The display area: background, photo and large text stacked over each other.
class DisplayPanel : public QWidget {
    Q_OBJECT
public:
    explicit DisplayPanel(QWidget* parent = nullptr);
    PictureView* background() const { return m_background; }
    PictureView* photo() const { return m_photo; }
    BannerLabel* banner() const { return m_banner; }
    void layoutChildren();
    // Empties the photo and puts the text back in the middle, unbacked: the
    // display as a draw starts it.
    void clearPhoto();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    PictureView* m_background;
    PictureView* m_photo;
    BannerLabel* m_banner;
};

// The prize class box. It reports the mouse entering and leaving, and leaves
// Space and Enter to the window's draw keys instead of opening its list.
class PrizeClassBox : public QComboBox {
    Q_OBJECT
public:
    explicit PrizeClassBox(QWidget* parent = nullptr);

signals:
    void mouseEntered();
    void mouseLeft();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The number of words per draw; Space and Enter are the window's draw keys,
// not text for the box.
class WordCountBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
