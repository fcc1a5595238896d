// The fifteen catalogue pictures: dark enough for large bright text, themed by caption.
#include "AssetGen.h"
#include "Paint.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace paint;

namespace {

constexpr int W = 1920;
constexpr int H = 1080;
constexpr double kPi = 3.14159265358979323846;
const QRectF kAll(0, 0, W, H);

void tiger(QPainter& p, Rng& rng) {
    QRadialGradient fur(QPointF(W * 0.5, H * 0.45), W * 0.7);
    fur.setColorAt(0, QColor(150, 72, 14));
    fur.setColorAt(0.6, QColor(110, 48, 8));
    fur.setColorAt(1, QColor(45, 18, 3));
    p.fillRect(kAll, fur);
    // Pale fur along the bottom, as on the tiger's belly.
    QLinearGradient belly(0, H * 0.75, 0, H);
    belly.setColorAt(0, QColor(230, 200, 160, 0));
    belly.setColorAt(1, QColor(230, 200, 160, 50));
    p.fillRect(kAll, belly);
    // Fine hair strokes.
    for (int i = 0; i < 9000; ++i) {
        const QPointF a(rng.range(0, W), rng.range(0, H));
        const double len = rng.range(6, 16);
        p.setPen(QPen(rng.chance(0.5) ? QColor(255, 190, 110, 18) : QColor(30, 10, 0, 22), 1.2));
        p.drawLine(a, a + QPointF(rng.range(-1.5, 1.5), len));
    }
    // Stripes: tapered, wavering bands that sometimes fork.
    p.setPen(Qt::NoPen);
    const int stripes = 26;
    for (int s = 0; s < stripes; ++s) {
        const double x0 = (s + rng.range(0.1, 0.9)) * W / stripes;
        const double phase = rng.range(0, 2 * kPi);
        const double tilt = rng.range(-0.25, 0.25);
        const int segs = 2 + rng.below(3);
        for (int seg = 0; seg < segs; ++seg) {
            const double y0 = rng.range(-80, H * 0.8), y1 = y0 + rng.range(220, 520);
            const double w0 = rng.range(14, 34);
            QPolygonF left, right;
            for (int k = 0; k <= 40; ++k) {
                const double t = k / 40.0;
                const double y = y0 + (y1 - y0) * t;
                const double x = x0 + tilt * (y - H / 2.0) + 38 * std::sin(y * 0.006 + phase) +
                                 12 * std::sin(y * 0.021 + phase * 2);
                const double w = w0 * std::sin(kPi * t) * (0.7 + 0.3 * std::sin(t * 9 + phase));
                left << QPointF(x - w, y);
                right.prepend(QPointF(x + w, y));
            }
            p.setBrush(QColor(14, 6, 2, 235));
            p.drawPolygon(left + right);
        }
    }
}

void abstractArt(QPainter& p, Rng& rng) {
    verticalGradient(p, kAll, QColor(22, 10, 44), QColor(8, 4, 20));
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    const QColor palette[] = {QColor(150, 40, 160), QColor(40, 90, 200), QColor(220, 60, 110),
                              QColor(30, 160, 170), QColor(120, 60, 220)};
    for (int i = 0; i < 18; ++i) {
        const QColor c = withAlpha(palette[i % 5], int(rng.range(30, 70)));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const QPointF centre(rng.range(-100, W + 100), rng.range(-100, H + 100));
        const double r = rng.range(120, 420);
        if (i % 3 == 0) {
            p.drawEllipse(centre, r, r);
        } else {
            QPolygonF poly;
            const int n = 3 + rng.below(3);
            const double rot = rng.range(0, 2 * kPi);
            for (int k = 0; k < n; ++k)
                poly << centre + QPointF(std::cos(rot + 2 * kPi * k / n),
                                         std::sin(rot + 2 * kPi * k / n)) *
                                     r;
            p.drawPolygon(poly);
        }
    }
    // Flowing ribbons of thin lines.
    for (int ribbon = 0; ribbon < 3; ++ribbon) {
        const QColor c = palette[(ribbon * 2 + 1) % 5];
        const double base = H * (0.25 + 0.25 * ribbon), phase = rng.range(0, 6);
        for (int line = 0; line < 40; ++line) {
            QPainterPath path;
            for (int x = -20; x <= W + 20; x += 20) {
                const double y = base + 120 * std::sin(x * 0.003 + phase + line * 0.02) +
                                 60 * std::sin(x * 0.007 + phase * 2) + line * 3;
                if (x == -20)
                    path.moveTo(x, y);
                else
                    path.lineTo(x, y);
            }
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(withAlpha(c, 22), 1.5));
            p.drawPath(path);
        }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void naivete(QPainter& p, Rng& rng) {
    // A child's picture of a village at dusk: flat colours and thick outlines.
    verticalGradient(p, kAll, QColor(18, 24, 64), QColor(46, 40, 90));
    const QColor ink(20, 16, 30);
    auto wobble = [&](QPolygonF poly) {
        for (QPointF& pt : poly)
            pt += QPointF(rng.range(-3, 3), rng.range(-3, 3));
        return poly;
    };
    // Moon with rays like a child draws them.
    const QPointF moon(W * 0.85, H * 0.18);
    p.setPen(QPen(QColor(230, 190, 80), 8, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        p.drawLine(moon + QPointF(std::cos(a), std::sin(a)) * 105,
                   moon + QPointF(std::cos(a), std::sin(a)) * 150);
    }
    p.setPen(QPen(ink, 7));
    p.setBrush(QColor(230, 195, 90));
    p.drawEllipse(moon, 85, 85);
    for (int i = 0; i < 26; ++i) {
        const QPointF c(rng.range(40, W - 40), rng.range(30, H * 0.45));
        if (std::hypot(c.x() - moon.x(), c.y() - moon.y()) < 200)
            continue;
        p.setPen(QPen(ink, 3));
        p.setBrush(QColor(220, 210, 120));
        p.drawPath(starShape(c, rng.range(12, 22), 7, 5, rng.range(-0.3, 0.3)));
    }
    // Rolling hills.
    const QColor hills[] = {QColor(40, 92, 60), QColor(30, 74, 48), QColor(24, 60, 40)};
    for (int h = 0; h < 3; ++h) {
        QPainterPath path;
        const double base = H * (0.66 + 0.1 * h);
        path.moveTo(0, H);
        path.lineTo(0, base);
        for (int x = 0; x <= W; x += 40)
            path.lineTo(x,
                        base - 60 * std::sin(x * 0.004 + h * 1.7) - 25 * std::sin(x * 0.011 + h));
        path.lineTo(W, H);
        path.closeSubpath();
        p.setPen(QPen(ink, 6));
        p.setBrush(hills[h]);
        p.drawPath(path);
    }
    // Little houses with lit windows.
    const QColor walls[] = {QColor(150, 70, 60), QColor(200, 150, 70), QColor(90, 110, 170),
                            QColor(170, 90, 140)};
    for (int i = 0; i < 4; ++i) {
        const double x = (i < 2) ? 110 + i * 230 : W - 560 + (i - 2) * 240;
        const double y = H * 0.70 + (i % 2) * 30;
        const double w = 150, h = 120;
        p.setPen(QPen(ink, 6));
        p.setBrush(walls[i]);
        p.drawPolygon(wobble(QPolygonF(QRectF(x, y, w, h))));
        p.setBrush(QColor(120, 40, 40));
        p.drawPolygon(wobble(
            QPolygonF({QPointF(x - 20, y), QPointF(x + w / 2, y - 90), QPointF(x + w + 20, y)})));
        p.setBrush(QColor(250, 215, 110));
        p.drawRect(QRectF(x + 22, y + 25, 38, 38));
        p.setBrush(QColor(70, 40, 30));
        p.drawRect(QRectF(x + 90, y + 50, 36, 70));
    }
    // Lollipop trees and flowers.
    for (int i = 0; i < 7; ++i) {
        const double x =
            rng.range(0, 1) < 0.5 ? rng.range(40, W * 0.35) : rng.range(W * 0.65, W - 40);
        const double y = H * rng.range(0.8, 0.92);
        p.setPen(QPen(ink, 6));
        p.setBrush(QColor(90, 60, 40));
        p.drawRect(QRectF(x - 8, y - 80, 16, 80));
        p.setBrush(QColor(50, 120, 60));
        p.drawEllipse(QPointF(x, y - 110), 50, 50);
    }
    for (int i = 0; i < 30; ++i) {
        const QPointF c(rng.range(20, W - 20), H * rng.range(0.9, 0.98));
        p.setPen(QPen(ink, 2));
        p.setBrush(i % 2 ? QColor(210, 90, 110) : QColor(220, 200, 90));
        for (int k = 0; k < 5; ++k)
            p.drawEllipse(c + QPointF(std::cos(k * 1.2566), std::sin(k * 1.2566)) * 9, 7, 7);
    }
}

QPainterPath cloverLeaf(QPointF c, double size, double rotation) {
    QPainterPath path;
    for (int k = 0; k < 4; ++k) {
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(rotation + k * 90);
        path.addPath(t.map(heartShape(QPointF(0, -size * 0.32), size * 0.7)));
    }
    return path;
}

void coin(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.4);
    g.setColorAt(0, QColor(255, 225, 120));
    g.setColorAt(0.6, QColor(200, 150, 40));
    g.setColorAt(1, QColor(120, 80, 10));
    p.setPen(QPen(QColor(110, 70, 10), r * 0.08));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(140, 95, 20), r * 0.06));
    p.drawEllipse(c, r * 0.78, r * 0.78);
    // The square hole of an old coin.
    p.setBrush(QColor(90, 20, 15));
    p.drawRect(QRectF(c.x() - r * 0.2, c.y() - r * 0.2, r * 0.4, r * 0.4));
}

void lucky(QPainter& p, Rng& rng) {
    QRadialGradient bg(QPointF(W / 2.0, H / 2.0), W * 0.65);
    bg.setColorAt(0, QColor(16, 70, 42));
    bg.setColorAt(1, QColor(4, 24, 14));
    p.fillRect(kAll, bg);
    bokeh(p, rng, kAll, 40, QColor(200, 220, 120, 40), 20, 70);
    for (int i = 0; i < 34; ++i) {
        QPointF c(rng.range(0, W), rng.range(0, H));
        // Keep the middle calm for the winner's name.
        if (std::abs(c.x() - W / 2.0) < W * 0.28 && std::abs(c.y() - H / 2.0) < H * 0.28)
            c.setX(c.x() < W / 2.0 ? c.x() - W * 0.3 : c.x() + W * 0.3);
        const double size = rng.range(40, 110);
        const double rot = rng.range(0, 90);
        if (i % 3 == 0) {
            coin(p, c, size * 0.45);
        } else {
            p.setPen(QPen(QColor(20, 60, 30), 3));
            p.setBrush(QColor(60, 150, 70, 200));
            p.drawPath(cloverLeaf(c, size, rot));
            p.setPen(QPen(QColor(50, 120, 50), 5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c, c + QPointF(size * 0.15, size * 0.6));
        }
    }
    for (int i = 0; i < 30; ++i)
        sparkle(p, QPointF(rng.range(0, W), rng.range(0, H)), rng.range(8, 22),
                QColor(255, 230, 140, 200));
}

void red(QPainter& p, Rng& rng) {
    QRadialGradient bg(QPointF(W / 2.0, H * 0.4), W * 0.75);
    bg.setColorAt(0, QColor(120, 12, 22));
    bg.setColorAt(0.55, QColor(70, 6, 14));
    bg.setColorAt(1, QColor(22, 2, 5));
    p.fillRect(kAll, bg);
    // A faint diamond lattice.
    p.setPen(QPen(QColor(255, 120, 120, 16), 2));
    for (int k = -H; k < W + H; k += 80) {
        p.drawLine(QPointF(k, 0), QPointF(k + H, H));
        p.drawLine(QPointF(k, 0), QPointF(k - H, H));
    }
    // Light falling from above.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        const double x = rng.range(0, W);
        QLinearGradient g(x, 0, x, H);
        g.setColorAt(0, QColor(255, 140, 120, 36));
        g.setColorAt(1, QColor(255, 140, 120, 0));
        p.setBrush(g);
        const double spread = rng.range(80, 220);
        p.drawPolygon(QPolygonF({QPointF(x - 30, 0), QPointF(x + 30, 0),
                                 QPointF(x + spread + 200, H), QPointF(x - spread + 200, H)}));
    }
    bokeh(p, rng, kAll, 30, QColor(255, 90, 80, 45), 15, 60);
}

void gorgeous(QPainter& p, Rng& rng) {
    QRadialGradient bg(QPointF(W / 2.0, H / 2.0), W * 0.7);
    bg.setColorAt(0, QColor(60, 14, 70));
    bg.setColorAt(1, QColor(10, 2, 16));
    p.fillRect(kAll, bg);
    // A sunburst of thin gold rays.
    p.setPen(Qt::NoPen);
    const QPointF c(W / 2.0, H / 2.0);
    for (int i = 0; i < 48; ++i) {
        const double a0 = i * 2 * kPi / 48, a1 = a0 + kPi / 96;
        p.setBrush(QColor(240, 200, 110, 14));
        p.drawPolygon(QPolygonF({c, c + QPointF(std::cos(a0), std::sin(a0)) * 2000,
                                 c + QPointF(std::cos(a1), std::sin(a1)) * 2000}));
    }
    // Gold scrollwork in the corners.
    for (int corner = 0; corner < 4; ++corner) {
        const double sx = corner % 2 ? -1 : 1, sy = corner / 2 ? -1 : 1;
        const QPointF o(corner % 2 ? W : 0, corner / 2 ? H : 0);
        for (int k = 0; k < 5; ++k) {
            QPainterPath path;
            const double r = 60 + k * 45;
            path.moveTo(o + QPointF(sx * r * 2.2, sy * 20));
            path.cubicTo(o + QPointF(sx * r * 1.6, sy * r * 1.2),
                         o + QPointF(sx * r * 0.6, sy * r * 1.6),
                         o + QPointF(sx * 20, sy * r * 2.0));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(220, 175, 80, 120 - k * 18), 5 - k * 0.6));
            p.drawPath(path);
            const QPointF curl = o + QPointF(sx * r * 1.05, sy * r * 1.05);
            p.drawEllipse(curl, 12 + k * 2, 12 + k * 2);
        }
    }
    // A thin double frame.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(210, 170, 80, 120), 3));
    p.drawRect(QRectF(40, 40, W - 80, H - 80));
    p.setPen(QPen(QColor(210, 170, 80, 70), 1.5));
    p.drawRect(QRectF(55, 55, W - 110, H - 110));
    bokeh(p, rng, kAll, 50, QColor(255, 200, 110, 40), 10, 45);
    for (int i = 0; i < 40; ++i)
        sparkle(p, QPointF(rng.range(0, W), rng.range(0, H)), rng.range(6, 20),
                QColor(255, 230, 170, 210));
}

void blue(QPainter& p, Rng& rng) {
    QLinearGradient bg(0, 0, W, H);
    bg.setColorAt(0, QColor(10, 40, 100));
    bg.setColorAt(0.5, QColor(6, 22, 66));
    bg.setColorAt(1, QColor(2, 8, 30));
    p.fillRect(kAll, bg);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const double x = rng.range(-200, W * 0.7);
        QLinearGradient g(x, 0, x + 600, H);
        g.setColorAt(0, QColor(120, 180, 255, 40));
        g.setColorAt(1, QColor(120, 180, 255, 0));
        p.setBrush(g);
        const double w = rng.range(40, 140);
        p.drawPolygon(QPolygonF(
            {QPointF(x, 0), QPointF(x + w, 0), QPointF(x + w + 900, H), QPointF(x + 700, H)}));
    }
    bokeh(p, rng, kAll, 60, QColor(90, 170, 255, 45), 12, 80);
    // Waves along the bottom.
    for (int k = 0; k < 12; ++k) {
        QPainterPath path;
        for (int x = 0; x <= W; x += 16) {
            const double y = H * 0.82 + k * 14 + 30 * std::sin(x * 0.004 + k * 0.5);
            if (x == 0)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(110, 190, 255, 40 - k * 2), 2));
        p.drawPath(path);
    }
}

QPainterPath leaf(QPointF base, double length, double angle) {
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(length * 0.3, -length * 0.28, length * 0.75, -length * 0.2, length, 0);
    path.cubicTo(length * 0.75, length * 0.2, length * 0.3, length * 0.28, 0, 0);
    QTransform t;
    t.translate(base.x(), base.y());
    t.rotate(angle);
    return t.map(path);
}

void green(QPainter& p, Rng& rng) {
    QRadialGradient bg(QPointF(W * 0.5, H * 0.3), W * 0.8);
    bg.setColorAt(0, QColor(24, 90, 50));
    bg.setColorAt(1, QColor(4, 24, 12));
    p.fillRect(kAll, bg);
    // Leaves reaching in from the edges.
    for (int i = 0; i < 60; ++i) {
        const int edge = i % 4;
        QPointF base;
        double angle;
        switch (edge) {
        case 0:
            base = QPointF(rng.range(0, W), -20);
            angle = rng.range(40, 140);
            break;
        case 1:
            base = QPointF(rng.range(0, W), H + 20);
            angle = rng.range(-140, -40);
            break;
        case 2:
            base = QPointF(-20, rng.range(0, H));
            angle = rng.range(-50, 50);
            break;
        default:
            base = QPointF(W + 20, rng.range(0, H));
            angle = rng.range(130, 230);
            break;
        }
        const double len = rng.range(140, 320);
        const QColor c = mix(QColor(30, 110, 50), QColor(90, 160, 60), rng.uniform());
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(c, int(rng.range(80, 160))));
        p.drawPath(leaf(base, len, angle));
        p.setPen(QPen(QColor(150, 210, 120, 60), 2));
        const double a = angle * kPi / 180;
        p.drawLine(base, base + QPointF(std::cos(a), std::sin(a)) * len * 0.95);
    }
    bokeh(p, rng, kAll, 35, QColor(190, 240, 150, 35), 15, 60);
}

void deep(QPainter& p, Rng& rng) {
    // The deep sea: light from the far surface, drifting specks, rising bubbles.
    verticalGradient(p, kAll, QColor(6, 46, 80), QColor(0, 4, 12));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        const double x = rng.range(W * 0.1, W * 0.9);
        QLinearGradient g(0, 0, 0, H * 0.9);
        g.setColorAt(0, QColor(120, 200, 230, 40));
        g.setColorAt(1, QColor(120, 200, 230, 0));
        p.setBrush(g);
        const double w = rng.range(20, 70), lean = rng.range(-300, 300);
        p.drawPolygon(QPolygonF({QPointF(x - w, 0), QPointF(x + w, 0), QPointF(x + lean + w * 4, H),
                                 QPointF(x + lean - w * 4, H)}));
    }
    for (int i = 0; i < 400; ++i) {
        const QPointF c(rng.range(0, W), rng.range(0, H));
        p.setBrush(QColor(160, 220, 230, int(rng.range(20, 90))));
        const double r = rng.range(0.8, 2.5);
        p.drawEllipse(c, r, r);
    }
    for (int i = 0; i < 40; ++i) {
        const QPointF c(rng.chance(0.5) ? rng.range(40, W * 0.25) : rng.range(W * 0.75, W - 40),
                        rng.range(0, H));
        const double r = rng.range(4, 18);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(170, 230, 255, 90), 1.6));
        p.drawEllipse(c, r, r);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 250, 255, 110));
        p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.35), r * 0.22, r * 0.22);
    }
}

void modern(QPainter& p, Rng& rng) {
    p.fillRect(kAll, QColor(22, 24, 30));
    p.setPen(Qt::NoPen);
    // Bold diagonal bands in muted colours.
    const QColor bands[] = {QColor(20, 90, 100), QColor(150, 70, 30), QColor(40, 44, 60),
                            QColor(150, 120, 30)};
    const double offsets[] = {-300, 700, 1150, 1700};
    for (int i = 0; i < 4; ++i) {
        const double x = offsets[i], w = 160 + 70 * i;
        p.setBrush(withAlpha(bands[i], 200));
        p.drawPolygon(QPolygonF(
            {QPointF(x, H), QPointF(x + w, H), QPointF(x + w + 700, 0), QPointF(x + 700, 0)}));
    }
    // Outlined circles and a dot grid.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 230, 230, 60), 6));
    p.drawEllipse(QPointF(W * 0.82, H * 0.25), 170, 170);
    p.setPen(QPen(QColor(230, 160, 60, 80), 3));
    p.drawEllipse(QPointF(W * 0.14, H * 0.78), 110, 110);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    for (int gx = 0; gx < 8; ++gx)
        for (int gy = 0; gy < 6; ++gy)
            p.drawEllipse(QPointF(80 + gx * 28, 80 + gy * 28), 4, 4);
    for (int gx = 0; gx < 8; ++gx)
        for (int gy = 0; gy < 6; ++gy)
            p.drawEllipse(QPointF(W - 300 + gx * 28, H - 230 + gy * 28), 4, 4);
    // Thin accent lines.
    p.setPen(QPen(QColor(240, 240, 240, 50), 2));
    for (int i = 0; i < 5; ++i) {
        const double y = rng.range(80, H - 80);
        p.drawLine(QPointF(0, y), QPointF(rng.range(120, 380), y));
    }
    // A dark veil keeps the bands from fighting the text.
    p.fillRect(kAll, QColor(10, 10, 14, 90));
}

QPolygonF ridge(Rng& rng, double base, double amplitude, double roughness) {
    // Midpoint displacement: a believable mountain line.
    std::vector<double> h(257, 0.0);
    h[0] = rng.range(-1, 1);
    h[256] = rng.range(-1, 1);
    for (int step = 128; step >= 1; step /= 2) {
        const double scale = std::pow(double(step) / 128.0, roughness);
        for (int i = step; i < 256; i += 2 * step)
            h[std::size_t(i)] = 0.5 * (h[std::size_t(i - step)] + h[std::size_t(i + step)]) +
                                rng.range(-1, 1) * scale;
    }
    QPolygonF poly;
    poly << QPointF(0, H);
    for (int i = 0; i <= 256; ++i)
        poly << QPointF(W * i / 256.0, base - amplitude * h[std::size_t(i)]);
    poly << QPointF(W, H);
    return poly;
}

void pine(QPainter& p, QPointF foot, double height, const QColor& c) {
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 4; ++k) {
        const double top = foot.y() - height + k * height * 0.18;
        const double w = height * (0.18 + 0.08 * k);
        p.drawPolygon(QPolygonF({QPointF(foot.x(), top), QPointF(foot.x() + w, top + height * 0.35),
                                 QPointF(foot.x() - w, top + height * 0.35)}));
    }
    p.drawRect(
        QRectF(foot.x() - height * 0.03, foot.y() - height * 0.1, height * 0.06, height * 0.1));
}

void nature(QPainter& p, Rng& rng) {
    QLinearGradient sky(0, 0, 0, H);
    sky.setColorAt(0, QColor(10, 12, 40));
    sky.setColorAt(0.45, QColor(40, 30, 80));
    sky.setColorAt(0.62, QColor(130, 70, 70));
    sky.setColorAt(0.7, QColor(90, 50, 60));
    p.fillRect(kAll, sky);
    stars(p, rng, QRectF(0, 0, W, H * 0.4), 260, 2.2);
    glow(p, QPointF(W * 0.72, H * 0.6), 260, QColor(255, 160, 90, 70));
    const QColor layers[] = {QColor(70, 60, 100), QColor(46, 42, 74), QColor(28, 30, 50),
                             QColor(14, 18, 28)};
    for (int l = 0; l < 4; ++l) {
        p.setPen(Qt::NoPen);
        p.setBrush(layers[l]);
        p.drawPolygon(ridge(rng, H * (0.6 + 0.08 * l), 120 - 20 * l, 0.9));
    }
    for (int i = 0; i < 26; ++i) {
        const double x = rng.chance(0.5) ? rng.range(0, W * 0.3) : rng.range(W * 0.7, W);
        pine(p, QPointF(x, H + 10), rng.range(160, 320), QColor(8, 12, 16));
    }
    // Mist in the valley.
    QLinearGradient mist(0, H * 0.7, 0, H * 0.85);
    mist.setColorAt(0, QColor(180, 170, 200, 0));
    mist.setColorAt(0.5, QColor(180, 170, 200, 28));
    mist.setColorAt(1, QColor(180, 170, 200, 0));
    p.fillRect(kAll, mist);
}

void rings(QPainter& p, QPointF c, double r) {
    for (int k = 0; k < 2; ++k) {
        const QPointF centre = c + QPointF(k * r * 0.95, k * r * 0.25);
        QLinearGradient g(centre - QPointF(r, r), centre + QPointF(r, r));
        g.setColorAt(0, QColor(255, 230, 150));
        g.setColorAt(0.5, QColor(190, 140, 50));
        g.setColorAt(1, QColor(255, 215, 120));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QBrush(g), r * 0.16));
        p.drawEllipse(centre, r, r * 0.95);
    }
    // The diamond.
    const QPointF d = c + QPointF(0, -r * 1.1);
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.setBrush(QColor(210, 235, 255, 200));
    p.drawPolygon(QPolygonF({d + QPointF(-r * 0.22, 0), d + QPointF(0, -r * 0.22),
                             d + QPointF(r * 0.22, 0), d + QPointF(0, r * 0.18)}));
    sparkle(p, d + QPointF(r * 0.15, -r * 0.2), r * 0.3, QColor(255, 255, 255, 230));
}

void wedding(QPainter& p, Rng& rng) {
    QRadialGradient bg(QPointF(W / 2.0, H / 2.0), W * 0.7);
    bg.setColorAt(0, QColor(96, 30, 50));
    bg.setColorAt(1, QColor(26, 6, 14));
    p.fillRect(kAll, bg);
    bokeh(p, rng, kAll, 70, QColor(255, 170, 190, 40), 12, 70);
    for (int i = 0; i < 40; ++i) {
        QPointF c(rng.range(0, W), rng.range(0, H));
        if (std::abs(c.x() - W / 2.0) < W * 0.3 && std::abs(c.y() - H / 2.0) < H * 0.3)
            continue;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 130, 160, int(rng.range(40, 110))));
        p.drawPath(heartShape(c, rng.range(30, 80)));
    }
    // Rose petals falling in the corners.
    for (int i = 0; i < 40; ++i) {
        const QPointF c(rng.chance(0.5) ? rng.range(0, 400) : rng.range(W - 400, W),
                        rng.range(0, H));
        p.setBrush(QColor(200, 60, 90, int(rng.range(80, 160))));
        p.drawPath(leaf(c, rng.range(24, 40), rng.range(0, 360)));
    }
    rings(p, QPointF(W * 0.84, H * 0.78), 70);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(240, 200, 150, 90), 2));
    p.drawRoundedRect(QRectF(50, 50, W - 100, H - 100), 30, 30);
}

void lantern(QPainter& p, QPointF top, double size) {
    p.setPen(QPen(QColor(200, 150, 60), 3));
    p.drawLine(QPointF(top.x(), 0), top);
    const QRectF body(top.x() - size * 0.6, top.y() + size * 0.12, size * 1.2, size * 0.95);
    QRadialGradient g(body.center(), size * 0.7);
    g.setColorAt(0, QColor(255, 90, 50));
    g.setColorAt(0.7, QColor(200, 20, 20));
    g.setColorAt(1, QColor(120, 10, 10));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawEllipse(body);
    p.setPen(QPen(QColor(150, 20, 10), 2));
    p.setBrush(Qt::NoBrush);
    for (int k = 1; k < 4; ++k) {
        const double w = body.width() * (0.25 * k);
        p.drawEllipse(QRectF(body.center().x() - w / 2, body.top(), w, body.height()));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 170, 60));
    p.drawRect(QRectF(top.x() - size * 0.3, top.y(), size * 0.6, size * 0.15));
    p.drawRect(QRectF(top.x() - size * 0.3, body.bottom() - size * 0.04, size * 0.6, size * 0.15));
    p.setPen(QPen(QColor(230, 60, 40), 2));
    for (int k = -4; k <= 4; ++k)
        p.drawLine(QPointF(top.x() + k * size * 0.04, body.bottom() + size * 0.1),
                   QPointF(top.x() + k * size * 0.05, body.bottom() + size * 0.55));
}

void cloudCurl(QPainter& p, QPointF c, double r, const QColor& colour) {
    // The auspicious cloud: a spiral with a tail.
    QPainterPath path;
    for (int i = 0; i <= 60; ++i) {
        const double t = i / 60.0;
        const double a = t * 2.2 * kPi;
        const double rr = r * (1.0 - 0.75 * t);
        const QPointF pt = c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
        if (i == 0)
            path.moveTo(c + QPointF(r * 2.2, 0));
        path.lineTo(pt);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, r * 0.16, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
}

void gxfc(QPainter& p, Rng& rng) {
    QRadialGradient bg(QPointF(W / 2.0, H / 2.0), W * 0.7);
    bg.setColorAt(0, QColor(140, 14, 14));
    bg.setColorAt(1, QColor(50, 2, 4));
    p.fillRect(kAll, bg);
    for (int i = 0; i < 26; ++i) {
        const QPointF c(rng.range(0, W), rng.range(0, H));
        cloudCurl(p, c, rng.range(30, 70), QColor(240, 170, 60, int(rng.range(18, 40))));
    }
    // A gold fretwork border.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 170, 60, 150), 6));
    p.drawRect(QRectF(30, 30, W - 60, H - 60));
    p.setPen(QPen(QColor(220, 170, 60, 90), 2));
    p.drawRect(QRectF(48, 48, W - 96, H - 96));
    for (double x : {170.0, 420.0, W - 420.0, W - 170.0})
        lantern(p, QPointF(x, x < W / 2 ? (x < 300 ? 90.0 : 60.0) : (x > W - 300 ? 90.0 : 60.0)),
                x < 300 || x > W - 300 ? 150 : 115);
    // The "fortune" character on a diamond, hung upside down as the custom is.
    const QPointF fu(W * 0.12, H * 0.72);
    p.save();
    p.translate(fu);
    p.rotate(45);
    p.setPen(QPen(QColor(230, 180, 70), 6));
    p.setBrush(QColor(190, 20, 20));
    p.drawRect(QRectF(-95, -95, 190, 190));
    p.rotate(135);
    QFont f(QStringLiteral("Noto Serif CJK SC"));
    f.setPixelSize(150);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(240, 195, 80));
    p.drawText(QRectF(-95, -100, 190, 190), Qt::AlignCenter, QString::fromUtf8("\u798f"));
    p.restore();
    for (int i = 0; i < 9; ++i)
        coin(p, QPointF(rng.range(W * 0.78, W - 80), rng.range(H * 0.7, H - 80)),
             rng.range(28, 46));
    // Plum blossom branch along the bottom.
    p.setPen(QPen(QColor(60, 20, 15), 9, Qt::SolidLine, Qt::RoundCap));
    QPainterPath branch;
    branch.moveTo(W * 0.3, H);
    branch.cubicTo(W * 0.38, H * 0.9, W * 0.45, H * 0.95, W * 0.58, H * 0.86);
    p.drawPath(branch);
    for (int i = 0; i < 12; ++i) {
        const QPointF c =
            branch.pointAtPercent(0.15 + 0.07 * i) + QPointF(rng.range(-20, 20), rng.range(-25, 5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 170, 190, 200));
        for (int k = 0; k < 5; ++k)
            p.drawEllipse(c + QPointF(std::cos(k * 1.2566), std::sin(k * 1.2566)) * 9, 8, 8);
        p.setBrush(QColor(250, 220, 90));
        p.drawEllipse(c, 4, 4);
    }
}

void christmasTree(QPainter& p, Rng& rng, QPointF foot, double height) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 40, 20));
    p.drawRect(
        QRectF(foot.x() - height * 0.05, foot.y() - height * 0.1, height * 0.1, height * 0.1));
    const QColor greens[] = {QColor(16, 80, 40), QColor(20, 96, 48), QColor(24, 110, 56)};
    QVector<QPointF> baubleSpots;
    for (int k = 0; k < 3; ++k) {
        const double top = foot.y() - height + k * height * 0.22;
        const double bottom = foot.y() - height * 0.08 - (2 - k) * height * 0.2;
        const double w = height * (0.2 + 0.09 * k) + height * 0.06;
        p.setBrush(greens[k]);
        p.drawPolygon(QPolygonF({QPointF(foot.x(), top), QPointF(foot.x() + w, bottom),
                                 QPointF(foot.x() - w, bottom)}));
        for (int b = 0; b < 4 + k; ++b)
            baubleSpots << QPointF(foot.x() +
                                       rng.range(-w * 0.7, w * 0.7) * (0.4 + 0.6 * b / (4.0 + k)),
                                   bottom - rng.range(10, height * 0.1));
    }
    // A garland of little lights.
    for (int i = 0; i < 40; ++i) {
        const double t = i / 40.0;
        const double y = foot.y() - height * 0.85 + t * height * 0.72;
        const double half = (y - (foot.y() - height)) * 0.5;
        const double x = foot.x() + std::sin(t * 5 * kPi) * half * 0.9;
        glow(p, QPointF(x, y), 10, QColor(255, 220, 120, 160));
    }
    const QColor baubles[] = {QColor(200, 30, 40), QColor(230, 180, 50), QColor(60, 120, 220),
                              QColor(220, 220, 230)};
    int n = 0;
    for (const QPointF& s : baubleSpots) {
        QRadialGradient g(s - QPointF(4, 4), 16);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(0.3, baubles[n % 4]);
        g.setColorAt(1, baubles[n % 4].darker(200));
        p.setBrush(g);
        p.drawEllipse(s, 12, 12);
        ++n;
    }
    const QPointF star(foot.x(), foot.y() - height - 10);
    glow(p, star, 70, QColor(255, 230, 120, 120));
    p.setBrush(QColor(255, 215, 90));
    p.drawPath(starShape(star, 38, 16, 5));
}

void happyHoliday(QPainter& p, Rng& rng) {
    verticalGradient(p, kAll, QColor(8, 20, 50), QColor(12, 40, 60));
    stars(p, rng, QRectF(0, 0, W, H * 0.6), 150, 1.8);
    // Snowy ground.
    QPainterPath ground;
    ground.moveTo(0, H);
    for (int x = 0; x <= W; x += 30)
        ground.lineTo(x, H * 0.86 - 25 * std::sin(x * 0.003) - 15 * std::sin(x * 0.011));
    ground.lineTo(W, H);
    ground.closeSubpath();
    QLinearGradient snowG(0, H * 0.8, 0, H);
    snowG.setColorAt(0, QColor(200, 215, 235));
    snowG.setColorAt(1, QColor(120, 140, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(snowG);
    p.drawPath(ground);
    christmasTree(p, rng, QPointF(W * 0.13, H * 0.9), 560);
    christmasTree(p, rng, QPointF(W * 0.9, H * 0.92), 380);
    // Gifts under the tree.
    const QColor gifts[] = {QColor(180, 30, 40), QColor(40, 110, 60), QColor(200, 160, 40)};
    for (int i = 0; i < 3; ++i) {
        const QRectF box(W * 0.2 + i * 75, H * 0.86 - 50 - i * 6, 66, 56 + i * 6);
        p.setBrush(gifts[i]);
        p.drawRect(box);
        p.setBrush(QColor(240, 220, 150));
        p.drawRect(QRectF(box.center().x() - 5, box.top(), 10, box.height()));
        p.drawRect(QRectF(box.left(), box.center().y() - 5, box.width(), 10));
    }
    // Holly in the top corner.
    for (int k = 0; k < 3; ++k) {
        p.setBrush(QColor(30, 100, 50));
        p.drawPath(leaf(QPointF(W - 90, 80), 120, 150 + k * 35));
    }
    p.setBrush(QColor(200, 20, 30));
    for (const QPointF& b : {QPointF(W - 95, 78), QPointF(W - 72, 92), QPointF(W - 104, 100)})
        p.drawEllipse(b, 13, 13);
    for (int i = 0; i < 18; ++i)
        snowflake(p, QPointF(rng.range(0, W), rng.range(0, H * 0.8)), rng.range(12, 34),
                  QColor(230, 240, 255, int(rng.range(60, 150))), 2.5);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 700; ++i) {
        const double r = rng.range(1, 4.5);
        p.setBrush(QColor(255, 255, 255, int(rng.range(60, 200))));
        p.drawEllipse(QPointF(rng.range(0, W), rng.range(0, H)), r, r);
    }
}

void firework(QPainter& p, Rng& rng, QPointF c, double radius, const QColor& colour) {
    glow(p, c, radius * 0.6, withAlpha(colour, 40));
    const int rays = 48 + rng.below(30);
    for (int i = 0; i < rays; ++i) {
        const double a = i * 2 * kPi / rays + rng.range(-0.03, 0.03);
        const double r = radius * rng.range(0.75, 1.05);
        const QPointF dir(std::cos(a), std::sin(a));
        // Each spark trails dots that fade towards the centre and droop a little.
        for (int k = 0; k < 14; ++k) {
            const double t = k / 13.0;
            const QPointF pt = c + dir * (r * (0.2 + 0.8 * t)) + QPointF(0, t * t * radius * 0.12);
            const double s = 1.2 + 2.4 * t;
            p.setPen(Qt::NoPen);
            p.setBrush(withAlpha(mix(colour, QColor(255, 255, 255), 0.3 * t), int(40 + 190 * t)));
            p.drawEllipse(pt, s, s);
        }
    }
}

void newYear(QPainter& p, Rng& rng) {
    verticalGradient(p, kAll, QColor(2, 4, 18), QColor(20, 16, 50));
    stars(p, rng, kAll, 200, 1.6, 160);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    const struct {
        double x, y, r;
        QColor c;
    } bursts[] = {{0.14, 0.22, 230, QColor(230, 60, 90)},   {0.86, 0.2, 260, QColor(250, 200, 70)},
                  {0.3, 0.08, 140, QColor(90, 200, 250)},   {0.7, 0.42, 150, QColor(150, 240, 120)},
                  {0.08, 0.55, 130, QColor(200, 110, 250)}, {0.93, 0.58, 120, QColor(250, 130, 60)},
                  {0.55, 0.1, 110, QColor(250, 240, 200)}};
    for (const auto& b : bursts)
        firework(p, rng, QPointF(W * b.x, H * b.y), b.r, b.c);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // The city skyline with lit windows.
    double x = 0;
    while (x < W) {
        const double w = rng.range(60, 150), h = rng.range(90, 300);
        const QRectF b(x, H - h, w, h);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(8, 8, 16));
        p.drawRect(b);
        for (double wy = b.top() + 14; wy < H - 14; wy += 22)
            for (double wx = b.left() + 10; wx < b.right() - 12; wx += 18)
                if (rng.chance(0.35)) {
                    p.setBrush(QColor(250, 210, 120, int(rng.range(80, 200))));
                    p.drawRect(QRectF(wx, wy, 7, 10));
                }
        x += w + rng.range(0, 10);
    }
    // Glow of the city on the low sky.
    QLinearGradient haze(0, H * 0.6, 0, H);
    haze.setColorAt(0, QColor(120, 60, 120, 0));
    haze.setColorAt(1, QColor(120, 60, 120, 40));
    p.fillRect(QRectF(0, H * 0.6, W, H * 0.4), haze);
}

struct Picture {
    const char* file;
    void (*draw)(QPainter&, Rng&);
    double vignette;
    double maxMean; // mean luminance; red-heavy pictures need more room for red text
};

const Picture kPictures[] = {
    {"tiger.jpg", tiger, 0.5, 0.11},      {"abstract.jpg", abstractArt, 0.4, 0.18},
    {"naivete.jpg", naivete, 0.3, 0.18},  {"lucky.jpg", lucky, 0.4, 0.16},
    {"red.jpg", red, 0.4, 0.1},           {"gorgeous.jpg", gorgeous, 0.4, 0.16},
    {"blue.jpg", blue, 0.35, 0.16},       {"green.jpg", green, 0.4, 0.16},
    {"deep.jpg", deep, 0.3, 0.16},        {"morden.jpg", modern, 0.3, 0.16},
    {"nature.jpg", nature, 0.25, 0.16},   {"wedding.jpg", wedding, 0.4, 0.13},
    {"gxfc.jpg", gxfc, 0.35, 0.11},       {"happyholiday.jpg", happyHoliday, 0.3, 0.18},
    {"newyear.jpg", newYear, 0.25, 0.16},
};

} // namespace

void generateBackgrounds(const QString& programDir) {
    const QString dir = ensureFolder(programDir, QStringLiteral("background"));
    std::uint64_t seed = 1;
    for (const Picture& pic : kPictures) {
        QImage img(W, H, QImage::Format_RGB32);
        Rng rng(seed++ * 7919);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            pic.draw(p, rng);
        }
        vignette(img, pic.vignette);
        capBrightness(img, pic.maxMean);
        grain(img, rng, 2);
        save(img, dir + QString::fromUtf8(pic.file), 88);
    }
}
