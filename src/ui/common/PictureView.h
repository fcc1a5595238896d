#pragma once
// A picture, drawn the way the display and the winners preview need it.
#include <QImage>
#include <QPixmap>
#include <QWidget>

// Stretched, proportional and centred as a photo or background needs.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    void setPicture(const QImage& image);
    void clearPicture();
    const QImage& picture() const { return m_image; }
    bool hasPicture() const { return !m_image.isNull(); }

    // stretch with proportional keeps the aspect ratio; without it the picture fills the rect.
    bool stretch = true;
    bool proportional = true;
    bool center = true;
    // Client alignment fills the display; custom keeps left, top and height
    // and leaves the width to the caller (the announcement widens the photo).
    bool alignClient = true;
    // Keep the scaled picture between paints: right for a background that stays,
    // wasted on a roll that shows a new photo every tick.
    bool cacheScaled = false;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect targetRect() const;

    QImage m_image;
    // The picture scaled for the last paint: a roll repaints far more often
    // than the picture or the size changes.
    QPixmap m_scaled;
    QSize m_scaledSize;
};
