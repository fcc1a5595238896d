// Sample candidate photos: stylised portraits named after made-up people, so
// that a fresh install can run a photo draw at once.
#include "AssetGen.h"
#include "Paint.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace paint;

namespace {

constexpr int W = 600;
constexpr int H = 800;

struct Person {
    const char* name;
    int hair; // style, see drawHair
    QColor skin;
    QColor hairColour;
    QColor shirt;
    bool glasses;
    bool beard;
};

const Person kPeople[] = {
    {"Alice Martin", 1, QColor(246, 214, 190), QColor(150, 90, 40), QColor(70, 110, 190), false,
     false},
    {"Chen Wei", 0, QColor(238, 205, 170), QColor(25, 22, 22), QColor(40, 40, 50), true, false},
    {"Zo\u00eb Laurent", 2, QColor(250, 222, 200), QColor(200, 150, 70), QColor(190, 60, 80), false,
     false},
    {"Rahul Mehta", 0, QColor(180, 130, 95), QColor(20, 18, 18), QColor(230, 230, 235), false,
     true},
    {"Sofia Rossi", 1, QColor(235, 195, 160), QColor(60, 35, 25), QColor(40, 140, 120), false,
     false},
    {"Kwame Mensah", 3, QColor(110, 72, 50), QColor(20, 16, 16), QColor(230, 150, 40), false,
     false},
    {"Hannah Schmidt", 4, QColor(248, 220, 200), QColor(230, 200, 120), QColor(120, 80, 170), true,
     false},
    {"Lucas Oliveira", 3, QColor(200, 150, 110), QColor(40, 28, 20), QColor(30, 120, 70), false,
     true},
    {"Yuki Tanaka", 5, QColor(245, 215, 185), QColor(30, 25, 30), QColor(230, 120, 140), false,
     false},
    {"Omar Haddad", 6, QColor(200, 160, 120), QColor(30, 25, 20), QColor(60, 70, 90), true, true},
    {"Emma O'Brien", 4, QColor(252, 225, 210), QColor(180, 70, 30), QColor(40, 90, 60), false,
     false},
    {"Mikael Lindqvist", 0, QColor(240, 210, 190), QColor(210, 190, 150), QColor(150, 40, 40),
     false, false},
};

const QPointF kHead(W / 2.0, 330);
constexpr double kHeadW = 150, kHeadH = 185;

void drawHairBack(QPainter& p, const Person& who) {
    p.setPen(Qt::NoPen);
    p.setBrush(who.hairColour);
    switch (who.hair) {
    case 1: // long
        p.drawRoundedRect(QRectF(kHead.x() - kHeadW - 25, kHead.y() - 120, 2 * kHeadW + 50, 330),
                          120, 120);
        break;
    case 4: // shoulder length
        p.drawRoundedRect(QRectF(kHead.x() - kHeadW - 20, kHead.y() - 130, 2 * kHeadW + 40, 250),
                          110, 110);
        break;
    case 5: // ponytail
        p.drawEllipse(QPointF(kHead.x() + kHeadW + 10, kHead.y() - 40), 50, 90);
        break;
    default:
        break;
    }
}

void drawHairFront(QPainter& p, const Person& who) {
    p.setPen(Qt::NoPen);
    p.setBrush(who.hairColour);
    const QRectF crown(kHead.x() - kHeadW - 8, kHead.y() - kHeadH - 14, 2 * kHeadW + 16,
                       kHeadH * 1.1);
    switch (who.hair) {
    case 0: { // short
        QPainterPath path;
        path.moveTo(crown.left(), kHead.y() - 20);
        path.arcTo(crown, 180, -180);
        path.lineTo(crown.right(), kHead.y() - 20);
        path.cubicTo(kHead.x() + 60, kHead.y() - 150, kHead.x() - 60, kHead.y() - 150, crown.left(),
                     kHead.y() - 20);
        p.drawPath(path);
        break;
    }
    case 2: { // bun
        p.drawEllipse(QPointF(kHead.x(), kHead.y() - kHeadH - 30), 62, 55);
        QPainterPath path;
        path.moveTo(crown.left(), kHead.y() - 10);
        path.arcTo(crown, 180, -180);
        path.lineTo(crown.right(), kHead.y() - 10);
        path.cubicTo(kHead.x() + 80, kHead.y() - 130, kHead.x() - 80, kHead.y() - 130, crown.left(),
                     kHead.y() - 10);
        p.drawPath(path);
        break;
    }
    case 3: { // curls
        for (int row = 0; row < 3; ++row)
            for (int k = -5; k <= 5; ++k) {
                const double a = 3.14159 * (0.5 + k * 0.09);
                const QPointF c = kHead + QPointF(std::cos(a) * (kHeadW - row * 18) * -1.0,
                                                  -std::sin(a) * (kHeadH - 10 - row * 26));
                if (row == 2 && std::abs(k) > 3)
                    continue;
                p.drawEllipse(c, 34, 34);
            }
        break;
    }
    case 6: { // receding
        p.drawEllipse(QRectF(kHead.x() - kHeadW - 6, kHead.y() - 90, 40, 110));
        p.drawEllipse(QRectF(kHead.x() + kHeadW - 34, kHead.y() - 90, 40, 110));
        break;
    }
    default: { // fringe over the forehead
        QPainterPath path;
        path.moveTo(crown.left(), kHead.y());
        path.arcTo(crown, 180, -180);
        path.lineTo(crown.right(), kHead.y());
        path.cubicTo(kHead.x() + 100, kHead.y() - 110, kHead.x() - 30, kHead.y() - 150,
                     crown.left(), kHead.y());
        p.drawPath(path);
        break;
    }
    }
}

void drawFace(QPainter& p, const Person& who) {
    const QColor line = who.skin.darker(170);
    // Ears and neck.
    p.setPen(Qt::NoPen);
    p.setBrush(who.skin.darker(108));
    p.drawEllipse(kHead + QPointF(-kHeadW + 2, 10), 26, 40);
    p.drawEllipse(kHead + QPointF(kHeadW - 2, 10), 26, 40);
    p.drawRect(QRectF(kHead.x() - 55, kHead.y() + 120, 110, 120));
    // The head itself.
    QRadialGradient g(kHead - QPointF(40, 60), kHeadH * 1.4);
    g.setColorAt(0, who.skin.lighter(108));
    g.setColorAt(1, who.skin.darker(112));
    p.setBrush(g);
    p.drawEllipse(kHead, kHeadW, kHeadH);
    // Eyes.
    for (double side : {-1.0, 1.0}) {
        const QPointF eye = kHead + QPointF(side * 55, -10);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(eye, 24, 15);
        p.setBrush(QColor(60, 40, 30));
        p.drawEllipse(eye + QPointF(0, 1), 11, 11);
        p.setBrush(Qt::white);
        p.drawEllipse(eye + QPointF(4, -3), 3.5, 3.5);
        p.setPen(QPen(who.hairColour.darker(120), 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(eye + QPointF(-26, -34 - side * 2), eye + QPointF(24, -38 + side * 2));
    }
    // Nose and smile.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, 5, Qt::SolidLine, Qt::RoundCap));
    QPainterPath nose;
    nose.moveTo(kHead + QPointF(-4, 10));
    nose.quadTo(kHead + QPointF(-18, 55), kHead + QPointF(6, 58));
    p.drawPath(nose);
    p.setPen(QPen(QColor(170, 60, 60), 7, Qt::SolidLine, Qt::RoundCap));
    QPainterPath smile;
    smile.moveTo(kHead + QPointF(-52, 92));
    smile.quadTo(kHead + QPointF(0, 132), kHead + QPointF(52, 92));
    p.drawPath(smile);
    // Rosy cheeks.
    for (double side : {-1.0, 1.0})
        glow(p, kHead + QPointF(side * 85, 60), 36, QColor(240, 120, 120, 60));
    if (who.beard) {
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(who.hairColour, 230));
        QPainterPath beard;
        beard.moveTo(kHead + QPointF(-kHeadW + 8, 30));
        beard.cubicTo(kHead + QPointF(-kHeadW + 20, kHeadH + 40),
                      kHead + QPointF(kHeadW - 20, kHeadH + 40), kHead + QPointF(kHeadW - 8, 30));
        beard.cubicTo(kHead + QPointF(kHeadW - 40, 110), kHead + QPointF(60, 80),
                      kHead + QPointF(0, 80));
        beard.cubicTo(kHead + QPointF(-60, 80), kHead + QPointF(-kHeadW + 40, 110),
                      kHead + QPointF(-kHeadW + 8, 30));
        p.drawPath(beard);
        p.setPen(QPen(QColor(170, 60, 60), 7, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(smile);
    }
    if (who.glasses) {
        p.setBrush(QColor(255, 255, 255, 30));
        p.setPen(QPen(QColor(30, 30, 35), 6));
        p.drawRoundedRect(QRectF(kHead.x() - 100, kHead.y() - 42, 90, 64), 18, 18);
        p.drawRoundedRect(QRectF(kHead.x() + 10, kHead.y() - 42, 90, 64), 18, 18);
        p.drawLine(QPointF(kHead.x() - 10, kHead.y() - 18),
                   QPointF(kHead.x() + 10, kHead.y() - 18));
    }
}

void drawPortrait(QPainter& p, const Person& who, int index) {
    const QColor bg = QColor::fromHsv((index * 360 / 12 + 200) % 360, 110, 170);
    QRadialGradient back(QPointF(W / 2.0, 280), 520);
    back.setColorAt(0, bg.lighter(125));
    back.setColorAt(1, bg.darker(160));
    p.fillRect(QRectF(0, 0, W, H), back);
    // Shoulders.
    QPainterPath body;
    body.moveTo(40, H);
    body.cubicTo(50, 560, 170, 545, W / 2.0, 540);
    body.cubicTo(W - 170, 545, W - 50, 560, W - 40, H);
    body.closeSubpath();
    drawHairBack(p, who);
    p.setPen(Qt::NoPen);
    p.setBrush(who.shirt);
    p.drawPath(body);
    drawFace(p, who);
    // A collar in front of the neck.
    p.setBrush(who.shirt.darker(115));
    p.drawPolygon(
        QPolygonF({QPointF(W / 2.0 - 70, 548), QPointF(W / 2.0, 630), QPointF(W / 2.0 + 70, 548),
                   QPointF(W / 2.0 + 40, 600), QPointF(W / 2.0, 650), QPointF(W / 2.0 - 40, 600)}));
    drawHairFront(p, who);
    // The name, as on a badge.
    const QRectF band(0, H - 120, W, 120);
    p.fillRect(band, QColor(0, 0, 0, 150));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(46);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(band, Qt::AlignCenter, QString::fromUtf8(who.name));
}

} // namespace

void generatePortraits(const QString& programDir) {
    const QString dir = ensureFolder(programDir, QStringLiteral("photos"));
    int index = 0;
    for (const Person& who : kPeople) {
        QImage img(W, H, QImage::Format_RGB32);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            drawPortrait(p, who, index++);
        }
        save(img, dir + QString::fromUtf8(who.name) + QStringLiteral(".jpg"), 88);
    }
}
