#pragma once
// The main window's display pieces: the large text label, the display that
// stacks it over the pictures, and the class and word count boxes of the strip.
#include "ui/common/PictureView.h"

#include <QComboBox>
#include <QSpinBox>
#include <QWidget>

// The large text over the display: lines separated by a carriage return,
// centred horizontally, centred or bottom-aligned vertically, word-wrapped.
class BannerLabel : public QWidget {
    Q_OBJECT
public:
    explicit BannerLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    // Colour in the settings file's form (red in the low byte).
    int fontColor() const { return m_colour; }
    void setFontColor(int colour);
    int fontSize() const { return m_pointSize; }
    void setFontSize(int points);
    QString fontName() const { return m_family; }
    void setFontName(const QString& family);
    bool layoutBottom() const { return m_bottom; }
    void setLayoutBottom(bool bottom);
    QFont displayFont() const;

signals:
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString m_text;
    int m_colour = 0;
    int m_pointSize = 60;
    QString m_family = QStringLiteral("Arial");
    bool m_bottom = false;
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
