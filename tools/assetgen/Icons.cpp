// Tool bar icons, the picture button's folder and the application icon.
#include "AssetGen.h"
#include "Paint.h"

#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <stdexcept>

using namespace paint;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Icons are drawn on a 48-unit grid and rendered at the requested size.
QImage icon(int size, const std::function<void(QPainter&)>& draw) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    draw(p);
    return img;
}

void disc(QPainter& p, const QColor& colour) {
    QLinearGradient g(0, 2, 0, 46);
    g.setColorAt(0, colour.lighter(115));
    g.setColorAt(1, colour.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(24, 24), 22, 22);
}

void begin(QPainter& p) {
    disc(p, QColor(46, 160, 90));
    p.setBrush(Qt::white);
    QPainterPath tri;
    tri.moveTo(19, 13);
    tri.lineTo(36, 24);
    tri.lineTo(19, 35);
    tri.closeSubpath();
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tri);
}

void options(QPainter& p) {
    disc(p, QColor(70, 110, 170));
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = i * 2 * kPi / (teeth * 4);
        const double r = (i % 4 < 2) ? 15.5 : 11.5;
        const QPointF pt(24 + std::cos(a) * r, 24 + std::sin(a) * r);
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(24, 24), 5, 5);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(gear);
}

void winner(QPainter& p) {
    disc(p, QColor(210, 150, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPainterPath cup;
    cup.moveTo(15, 12);
    cup.lineTo(33, 12);
    cup.cubicTo(33, 24, 29, 29, 24, 29);
    cup.cubicTo(19, 29, 15, 24, 15, 12);
    p.drawPath(cup);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 2.5));
    p.drawArc(QRectF(9, 13, 10, 10), 90 * 16, 180 * 16);
    p.drawArc(QRectF(29, 13, 10, 10), -90 * 16, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(22, 28, 4, 6));
    p.drawRoundedRect(QRectF(16, 33, 16, 4), 1.5, 1.5);
    p.setBrush(QColor(210, 150, 30));
    p.drawPath(starShape(QPointF(24, 19), 4.5, 2, 5));
}

void help(QPainter& p) {
    disc(p, QColor(50, 130, 200));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 1, 48, 48), Qt::AlignCenter, QStringLiteral("?"));
}

void exitIcon(QPainter& p) {
    disc(p, QColor(200, 60, 60));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(13, 14, 22, 22), 120 * 16, 300 * 16);
    p.drawLine(QPointF(24, 11), QPointF(24, 24));
}

void folder(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 160, 40));
    QPainterPath back;
    back.moveTo(4, 12);
    back.lineTo(18, 12);
    back.lineTo(22, 16);
    back.lineTo(44, 16);
    back.lineTo(44, 40);
    back.lineTo(4, 40);
    back.closeSubpath();
    p.drawPath(back);
    QLinearGradient g(0, 18, 0, 40);
    g.setColorAt(0, QColor(255, 210, 90));
    g.setColorAt(1, QColor(240, 180, 50));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(4, 19, 40, 21), 2, 2);
}

// The application icon: a red lottery ball with a lucky number, on a ticket.
void appIcon(QPainter& p) {
    p.save();
    p.translate(24, 24);
    p.rotate(-14);
    QPainterPath ticket;
    ticket.addRoundedRect(QRectF(-22, -13, 44, 26), 3, 3);
    QPainterPath notches;
    notches.addEllipse(QPointF(-22, 0), 4, 4);
    notches.addEllipse(QPointF(22, 0), 4, 4);
    ticket = ticket.subtracted(notches);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 60));
    p.drawPath(ticket);
    p.setPen(QPen(QColor(200, 140, 30), 0.8, Qt::DashLine));
    p.drawLine(QPointF(8, -12), QPointF(8, 12));
    p.restore();
    const QPointF c(21, 22);
    QRadialGradient g(c - QPointF(5, 6), 22);
    g.setColorAt(0, QColor(255, 150, 140));
    g.setColorAt(0.35, QColor(225, 40, 50));
    g.setColorAt(1, QColor(120, 10, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, 15, 15);
    p.setBrush(Qt::white);
    p.drawEllipse(c, 7.5, 7.5);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(150, 20, 30));
    p.drawText(QRectF(c.x() - 8, c.y() - 8, 16, 16), Qt::AlignCenter, QStringLiteral("7"));
    p.setBrush(QColor(255, 255, 255, 140));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c + QPointF(-7, -8), 3.5, 2.2);
}

// The same picture as a scalable file for desktop entries.
const char* const kAppSvg = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 48 48">
  <defs>
    <radialGradient id="ball" cx="0.33" cy="0.3" r="0.75">
      <stop offset="0" stop-color="#ff968c"/>
      <stop offset="0.35" stop-color="#e12832"/>
      <stop offset="1" stop-color="#780a14"/>
    </radialGradient>
  </defs>
  <g transform="translate(24 24) rotate(-14)">
    <path fill="#fac83c" stroke="none" d="M-19,-13 H19 A3,3 0 0 1 22,-10 V-4 A4,4 0 0 0 22,4 V10 A3,3 0 0 1 19,13 H-19 A3,3 0 0 1 -22,10 V4 A4,4 0 0 0 -22,-4 V-10 A3,3 0 0 1 -19,-13 Z"/>
    <line x1="8" y1="-12" x2="8" y2="12" stroke="#c88c1e" stroke-width="0.8" stroke-dasharray="2 1"/>
  </g>
  <circle cx="21" cy="22" r="15" fill="url(#ball)" stroke="none"/>
  <circle cx="21" cy="22" r="7.5" fill="#ffffff" stroke="none"/>
  <text x="21" y="25.6" font-family="DejaVu Sans, sans-serif" font-weight="bold" font-size="10" fill="#96141e" stroke="none" text-anchor="middle">7</text>
  <ellipse cx="14" cy="14" rx="3.5" ry="2.2" fill="#ffffff" fill-opacity="0.55" stroke="none"/>
</svg>
)svg";

} // namespace

void generateIcons(const QString& programDir) {
    const QString dir = ensureFolder(programDir, QStringLiteral("icons"));
    save(icon(48, begin), dir + QStringLiteral("begin.png"));
    save(icon(48, options), dir + QStringLiteral("options.png"));
    save(icon(48, winner), dir + QStringLiteral("winner.png"));
    save(icon(48, help), dir + QStringLiteral("help.png"));
    save(icon(48, exitIcon), dir + QStringLiteral("exit.png"));
    save(icon(48, folder), dir + QStringLiteral("folder.png"));
    save(icon(256, appIcon), dir + QStringLiteral("kalvoro.png"));
    QFile svg(dir + QStringLiteral("kalvoro.svg"));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(kAppSvg) < 0)
        throw std::runtime_error("cannot write " + QFile::encodeName(svg.fileName()).toStdString());
}
