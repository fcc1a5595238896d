#include "Paint.h"

#include <QFile>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace paint {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

void verticalGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void glow(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    g.setColorAt(0.4, withAlpha(colour, colour.alpha() / 2));
    g.setColorAt(1, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

void bokeh(QPainter& p, Rng& rng, const QRectF& area, int count, const QColor& colour,
           double minRadius, double maxRadius) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c(rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom()));
        const double r = rng.range(minRadius, maxRadius);
        QColor col = colour;
        col.setAlpha(int(colour.alpha() * rng.range(0.35, 1.0)));
        QRadialGradient g(c, r);
        g.setColorAt(0, withAlpha(col, col.alpha() * 6 / 10));
        g.setColorAt(0.85, col);
        g.setColorAt(1, withAlpha(col, 0));
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    }
}

void stars(QPainter& p, Rng& rng, const QRectF& area, int count, double maxSize, int alpha) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c(rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom()));
        const double s = maxSize * std::pow(rng.uniform(), 3.0) + 0.6;
        p.setBrush(QColor(255, 250, 235, int(alpha * rng.range(0.3, 1.0))));
        p.drawEllipse(c, s, s);
    }
}

QPainterPath starShape(QPointF centre, double outer, double inner, int points, double rotation) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double a = rotation - kPi / 2 + i * kPi / points;
        const double r = (i % 2) ? inner : outer;
        const QPointF pt = centre + QPointF(std::cos(a) * r, std::sin(a) * r);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath heartShape(QPointF c, double s) {
    QPainterPath path;
    path.moveTo(c + QPointF(0, s * 0.35));
    path.cubicTo(c + QPointF(-s * 0.1, s * 0.25), c + QPointF(-s * 0.55, s * 0.05),
                 c + QPointF(-s * 0.5, -s * 0.2));
    path.cubicTo(c + QPointF(-s * 0.45, -s * 0.5), c + QPointF(-s * 0.05, -s * 0.5),
                 c + QPointF(0, -s * 0.25));
    path.cubicTo(c + QPointF(s * 0.05, -s * 0.5), c + QPointF(s * 0.45, -s * 0.5),
                 c + QPointF(s * 0.5, -s * 0.2));
    path.cubicTo(c + QPointF(s * 0.55, s * 0.05), c + QPointF(s * 0.1, s * 0.25),
                 c + QPointF(0, s * 0.35));
    return path;
}

void sparkle(QPainter& p, QPointF centre, double size, const QColor& colour) {
    glow(p, centre, size * 0.8, withAlpha(colour, colour.alpha() / 3));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(starShape(centre, size, size * 0.12, 4));
}

void snowflake(QPainter& p, QPointF c, double r, const QColor& colour, double width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    for (int arm = 0; arm < 6; ++arm) {
        const double a = arm * kPi / 3;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c, c + dir * r);
        for (double at : {0.45, 0.7}) {
            const QPointF base = c + dir * (r * at);
            for (double side : {-1.0, 1.0}) {
                const double b = a + side * kPi / 4;
                p.drawLine(base, base + QPointF(std::cos(b), std::sin(b)) * (r * 0.3));
            }
        }
    }
}

void vignette(QImage& img, double strength) {
    const double cx = img.width() / 2.0, cy = img.height() / 2.0;
    const double norm = std::sqrt(cx * cx + cy * cy);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double d = std::hypot(x - cx, y - cy) / norm;
            const double f = 1.0 - strength * d * d;
            const QRgb c = line[x];
            line[x] = qRgb(int(qRed(c) * f), int(qGreen(c) * f), int(qBlue(c) * f));
        }
    }
}

void capBrightness(QImage& img, double maxMean) {
    double sum = 0;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            sum += 0.2126 * qRed(line[x]) + 0.7152 * qGreen(line[x]) + 0.0722 * qBlue(line[x]);
    }
    const double mean = sum / (double(img.width()) * img.height() * 255.0);
    if (mean <= maxMean)
        return;
    const double f = maxMean / mean;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] =
                qRgb(int(qRed(line[x]) * f), int(qGreen(line[x]) * f), int(qBlue(line[x]) * f));
    }
}

void grain(QImage& img, Rng& rng, int amount) {
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng.next() % unsigned(2 * amount + 1)) - amount;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
}

void save(const QImage& img, const QString& path, int quality) {
    if (!img.save(path, nullptr, quality))
        throw std::runtime_error("cannot write " + QFile::encodeName(path).toStdString());
}

} // namespace paint
