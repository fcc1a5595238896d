#pragma once
// Drawing helpers shared by the backgrounds, portraits and icons.
#include "Rng.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QString>

class QPainter;

namespace paint {

QColor mix(const QColor& a, const QColor& b, double t);
QColor withAlpha(QColor c, int alpha);
// Fills the whole device with a vertical gradient.
void verticalGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom);
// A soft round light: full colour in the middle, transparent at the radius.
void glow(QPainter& p, QPointF centre, double radius, const QColor& colour);
// Out-of-focus lights.
void bokeh(QPainter& p, Rng& rng, const QRectF& area, int count, const QColor& colour,
           double minRadius, double maxRadius);
void stars(QPainter& p, Rng& rng, const QRectF& area, int count, double maxSize, int alpha = 220);
QPainterPath starShape(QPointF centre, double outer, double inner, int points, double rotation = 0);
QPainterPath heartShape(QPointF centre, double size);
void sparkle(QPainter& p, QPointF centre, double size, const QColor& colour);
void snowflake(QPainter& p, QPointF centre, double radius, const QColor& colour, double width);
// Darkens towards the edges.
void vignette(QImage& img, double strength);
// Scales the picture down until its mean luminance is at most maxMean (0..1), so
// that large bright text on it stays readable.
void capBrightness(QImage& img, double maxMean);
// A little noise so that gradients do not band on a projector.
void grain(QImage& img, Rng& rng, int amount);
void save(const QImage& img, const QString& path, int quality = -1);

} // namespace paint
