#pragma once
// The winners window's photo preview: the picture scaled to fit, aspect ratio
// kept, centred (larger or smaller than it is).
#include "ui/common/PictureView.h"

#include <QImage>
#include <QString>

class PhotoView : public PictureView {
    Q_OBJECT
public:
    explicit PhotoView(QWidget* parent = nullptr);

    // Loads a picture file; throws KalvoroError when it exists but cannot be
    // read as a picture, leaving the shown picture as it was.
    void loadFromFile(const QString& path);
    void setPicture(const QImage& image, const QString& fromFile = QString());

    // The file the shown picture came from; empty for none.
    QString fileName() const { return m_file; }

    QSize sizeHint() const override { return {320, 320}; }

private:
    QString m_file;
    qint64 m_fileStamp = 0;
};
