#include "mouse.h"
#include "paint.h"
#include "style.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include <array>
#include <functional>
#include <vector>

namespace Mouse {

namespace {

constexpr int canvasWidth = 1000;
constexpr int canvasHeight = 640;
constexpr qreal axis = 527.5;

// Top-left corners of the button pictures in window coordinates, by button entry.
constexpr std::array<QPoint, buttonCount> frontOrigins {QPoint(370, 100), QPoint(550, 100),
    QPoint(505, 182), QPoint(354, 258), QPoint(354, 318), QPoint(505, 231), QPoint(505, 290),
    QPoint(357, 182)};
constexpr std::array<QPoint, buttonCount> sideOrigins {QPoint(384, 188), QPoint(327, 190),
    QPoint(420, 303), QPoint(504, 310), QPoint(558, 303), QPoint(468, 190), QPoint(496, 190),
    QPoint(462, 348)};

QPainterPath mirrored(const QPainterPath &path)
{
    return QTransform(-1, 0, 0, 1, 2 * axis, 0).map(path);
}

QPainterPath pill(const QPointF &from, const QPointF &to, qreal width)
{
    const QLineF line(from, to);
    QPainterPath shape;
    shape.addRoundedRect(
        QRectF(-line.length() / 2 - width / 2, -width / 2, line.length() + width, width), width / 2,
        width / 2);
    QTransform t;
    t.translate(line.center().x(), line.center().y());
    t.rotate(-line.angle());
    return t.map(shape);
}

// ---- top view ----

QPainterPath frontBody()
{
    QPainterPath p;
    p.moveTo(axis, 90);
    p.cubicTo(598, 88, 668, 100, 686, 134);
    p.cubicTo(700, 165, 701, 260, 690, 320);
    p.cubicTo(686, 370, 712, 430, 708, 490);
    p.cubicTo(704, 560, 620, 598, axis, 598);
    p.cubicTo(435, 598, 351, 560, 347, 490);
    p.cubicTo(343, 430, 369, 370, 365, 320);
    p.cubicTo(354, 260, 355, 165, 369, 134);
    p.cubicTo(387, 100, 457, 88, axis, 90);
    p.closeSubpath();
    return p;
}

QPainterPath frontLeftButton()
{
    QPainterPath p;
    p.moveTo(505, 101);
    p.cubicTo(468, 98, 414, 103, 390, 124);
    p.cubicTo(376, 138, 371, 172, 372, 230);
    p.lineTo(373, 318);
    p.cubicTo(374, 336, 378, 344, 390, 346);
    p.cubicTo(430, 348, 480, 343, 499, 340);
    p.cubicTo(503, 339, 505, 337, 505, 333);
    p.closeSubpath();
    return p;
}

QPainterPath frontPalm()
{
    QPainterPath p;
    p.moveTo(382, 354);
    p.cubicTo(440, 358, 615, 358, 673, 354);
    p.cubicTo(688, 382, 697, 440, 693, 490);
    p.cubicTo(689, 546, 612, 583, axis, 584);
    p.cubicTo(443, 583, 366, 546, 362, 490);
    p.cubicTo(358, 440, 367, 382, 382, 354);
    p.closeSubpath();
    return p;
}

QPainterPath roundRect(qreal x, qreal y, qreal w, qreal h, qreal r)
{
    QPainterPath p;
    p.addRoundedRect(QRectF(x, y, w, h), r, r);
    return p;
}

QPainterPath frontButton(int button)
{
    switch (button) {
    case 0:
        return frontLeftButton();
    case 1:
        return mirrored(frontLeftButton());
    case 2:
        return roundRect(509.5, 184, 36, 44, 8);
    case 3:
        return roundRect(354.5, 262, 14, 50, 7);
    case 4:
        return roundRect(354.5, 322, 14, 50, 7);
    case 5:
        return roundRect(511.5, 234, 32, 45, 7);
    case 6:
        return roundRect(511.5, 293, 32, 45, 7);
    case 7:
        return roundRect(357.5, 186, 14, 58, 7);
    }
    return {};
}

// ---- side view: a left-side view, nose to the left, seen slightly from above ----

struct Curve
{
    std::vector<QPointF> points;
    qreal at(qreal x) const
    {
        if (x <= points.front().x())
            return points.front().y();
        for (size_t i = 1; i < points.size(); ++i) {
            if (points[i].x() >= x) {
                const QPointF a = points[i - 1];
                const QPointF b = points[i];
                const qreal t = b.x() == a.x() ? 0 : (x - a.x()) / (b.x() - a.x());
                return a.y() + t * (b.y() - a.y());
            }
        }
        return points.back().y();
    }
};

Curve sampled(const QPainterPath &path)
{
    Curve c;
    for (int i = 0; i <= 800; ++i)
        c.points.push_back(path.pointAtPercent(i / 800.0));
    return c;
}

QPainterPath farEdgePath()
{
    QPainterPath p;
    p.moveTo(384, 334);
    p.cubicTo(430, 306, 520, 256, 596, 250);
    p.cubicTo(676, 244, 722, 296, 724, 350);
    return p;
}

QPainterPath nearEdgePath()
{
    QPainterPath p;
    p.moveTo(386, 339);
    p.cubicTo(432, 320, 522, 268, 598, 263);
    p.cubicTo(676, 259, 716, 306, 721, 352);
    return p;
}

const Curve &farEdge()
{
    static const Curve c = sampled(farEdgePath());
    return c;
}

const Curve &nearEdge()
{
    static const Curve c = sampled(nearEdgePath());
    return c;
}

qreal centreLine(qreal x)
{
    return (farEdge().at(x) + nearEdge().at(x)) / 2;
}

QPainterPath band(const std::function<qreal(qreal)> &top, const std::function<qreal(qreal)> &bottom,
    qreal from, qreal to)
{
    QPainterPath p;
    p.moveTo(from, top(from));
    for (qreal x = from + 1; x <= to; x += 1)
        p.lineTo(x, top(x));
    for (qreal x = to; x >= from; x -= 1)
        p.lineTo(x, bottom(x));
    p.closeSubpath();
    return p;
}

QPainterPath sideBody()
{
    QPainterPath p;
    p.moveTo(392, 404);
    p.cubicTo(377, 396, 374, 352, 384, 334);
    p.cubicTo(430, 306, 520, 256, 596, 250);
    p.cubicTo(676, 244, 722, 296, 724, 350);
    p.cubicTo(726, 388, 716, 408, 698, 412);
    p.lineTo(410, 412);
    p.cubicTo(400, 412, 395, 409, 392, 404);
    p.closeSubpath();
    return p;
}

QPainterPath sideTopBand()
{
    return band([](qreal x) { return farEdge().at(x) - 0.5; },
        [](qreal x) { return nearEdge().at(x); }, 385, 722);
}

QPainterPath slopePill(qreal x, qreal length, qreal width, qreal lift)
{
    const qreal half = length / 2;
    return pill(QPointF(x - half, centreLine(x - half) - lift),
        QPointF(x + half, centreLine(x + half) - lift), width);
}

QPainterPath sideButton(int button)
{
    switch (button) {
    case 0: {
        auto lip = [](qreal x) { return 9 - 4 * (x - 388) / 144; };
        QPainterPath p = band([](qreal x) { return centreLine(x) + 0.4; },
            [lip](qreal x) { return nearEdge().at(x) + lip(x); }, 389, 532);
        return p.intersected(sideBody());
    }
    case 1:
        return band([](qreal x) { return farEdge().at(x) + 0.2; },
            [](qreal x) { return centreLine(x) - 0.4; }, 389, 532)
            .intersected(sideBody());
    case 2: {
        QPainterPath wheel;
        wheel.addEllipse(QPointF(447, 328), 22, 22);
        const QPainterPath above = band(
            [](qreal) { return 290.0; }, [](qreal x) { return nearEdge().at(x) + 0.5; }, 420, 475);
        return wheel.intersected(above);
    }
    case 3:
        return pill(QPointF(511, 325), QPointF(553, 319), 11);
    case 4:
        return pill(QPointF(570, 316), QPointF(614, 312), 11);
    case 5:
        return slopePill(490, 14, 7, 1.5);
    case 6:
        return slopePill(517, 14, 7, 1.5);
    case 7: {
        QPainterPath p;
        p.moveTo(470, 353);
        p.lineTo(494, 351);
        p.quadTo(500, 351, 499, 357);
        p.lineTo(497, 365);
        p.quadTo(496, 369, 490, 369);
        p.lineTo(472, 370);
        p.quadTo(466, 370, 466, 364);
        p.lineTo(466, 358);
        p.quadTo(466, 353, 470, 353);
        p.closeSubpath();
        return p;
    }
    }
    return {};
}

// ---- shared surface treatment ----

void shell(QPainter &p, const QPainterPath &shape, const QRectF &light, bool selected,
    qreal specular = 1.0)
{
    const QRectF box = shape.boundingRect();
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    if (selected) {
        fill.setColorAt(0, QColor("#c0403a"));
        fill.setColorAt(0.55, QColor("#8a1c1a"));
        fill.setColorAt(1, QColor("#4f1717"));
    } else {
        fill.setColorAt(0, Style::shellTop);
        fill.setColorAt(0.6, QColor("#242427"));
        fill.setColorAt(1, Style::shellBottom);
    }
    p.fillPath(shape, fill);
    p.save();
    p.setClipPath(shape);
    QRadialGradient sheen(light.center(), qMax(light.width(), light.height()) / 2);
    sheen.setColorAt(0, QColor(255, 255, 255, int((selected ? 70 : 38) * specular)));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(box, sheen);
    p.restore();
    if (selected)
        Paint::innerGlow(p, shape, QColor(255, 80, 60, 200), 5);
}

void groove(QPainter &p, const QPainterPath &shape, bool selected)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 230), 2.2));
    p.drawPath(shape);
    p.setPen(QPen(selected ? QColor("#ff6a5a") : QColor(255, 255, 255, 30), selected ? 1.3 : 0.8));
    p.drawPath(shape);
}

void led(QPainter &p, const QPainterPath &path, qreal width, int strength)
{
    Paint::glow(p, path, QColor(255, 40, 30, strength), width * 3, int(width * 3 + 3));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor("#ff4a3d"), width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 200, 190, 190), width * 0.35, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
}

void wheelTreads(QPainter &p, const QRectF &r, bool selected)
{
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r, 4, 4);
    p.setClipPath(clip);
    QLinearGradient rubber(r.topLeft(), r.topRight());
    rubber.setColorAt(0, QColor("#0c0c0c"));
    rubber.setColorAt(0.5, selected ? QColor("#6a2420") : QColor("#3a3a3c"));
    rubber.setColorAt(1, QColor("#0c0c0c"));
    p.fillRect(r, rubber);
    for (qreal y = r.top() + 2; y < r.bottom(); y += 3.2) {
        p.setPen(QPen(QColor(0, 0, 0, 170), 1.2));
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        p.setPen(QPen(QColor(255, 255, 255, 22), 0.8));
        p.drawLine(QPointF(r.left(), y + 1.2), QPointF(r.right(), y + 1.2));
    }
    p.restore();
}

void castShadow(QPainter &p, const QPainterPath &body, const QPointF &offset, int radius)
{
    Paint::dropShadow(p, body, offset, radius, 0.85);
}

void renderFront(QPainter &p, int highlighted)
{
    const QPainterPath body = frontBody();
    castShadow(p, body, QPointF(0, 8), 14);

    QLinearGradient base(QPointF(345, 0), QPointF(710, 0));
    base.setColorAt(0, QColor("#0b0b0c"));
    base.setColorAt(0.18, Style::baseTop);
    base.setColorAt(0.82, Style::baseTop);
    base.setColorAt(1, QColor("#0b0b0c"));
    p.fillPath(body, base);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    p.drawPath(body);

    // Light pipe running round the rear skirt.
    QPainterPath pipe;
    pipe.moveTo(356, 420);
    pipe.cubicTo(352, 470, 360, 545, axis - 80, 586);
    pipe.quadTo(axis, 596, axis + 80, 586);
    pipe.cubicTo(695, 545, 703, 470, 699, 420);
    led(p, pipe, 1.6, 150);

    const QPainterPath palm = frontPalm();
    shell(p, palm, QRectF(430, 360, 190, 150), false);
    groove(p, palm, false);
    // Vents in the palm rest: short angled slots either side of the emblem.
    p.save();
    p.setClipPath(palm);
    for (int i = 0; i < 5; ++i) {
        const qreal y = 392 + i * 9;
        for (int side = -1; side <= 1; side += 2) {
            const QPointF a(axis + side * 34, y);
            const QPointF b(axis + side * (58 - i * 2), y + 6);
            p.setPen(QPen(QColor(0, 0, 0, 200), 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a, b);
            p.setPen(QPen(QColor(255, 255, 255, 20), 1, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a + QPointF(0, 1.5), b + QPointF(0, 1.5));
        }
    }
    p.restore();
    Paint::drawEmblem(p, QRectF(axis - 17, 470, 34, 38));

    QPainterPath channel;
    channel.addRoundedRect(QRectF(505, 96, 45, 250), 10, 10);
    QLinearGradient recess(QPointF(505, 0), QPointF(550, 0));
    recess.setColorAt(0, QColor("#050505"));
    recess.setColorAt(0.5, QColor("#121213"));
    recess.setColorAt(1, QColor("#050505"));
    p.fillPath(channel, recess);

    QPainterPath strip;
    strip.moveTo(axis, 108);
    strip.lineTo(axis, 170);
    led(p, strip, 3.5, 170);

    for (int button : {0, 1}) {
        const QPainterPath shape = frontButton(button);
        const QRectF b = shape.boundingRect();
        const QRectF light(b.left() + b.width() * (button == 0 ? 0.3 : 0.1), b.top() + 10,
            b.width() * 0.6, b.height() * 0.55);
        shell(p, shape, light, highlighted == button);
        groove(p, shape, highlighted == button);
    }

    {
        const QPainterPath shape = frontButton(2);
        const bool on = highlighted == 2;
        p.fillPath(shape, QColor("#070707"));
        const QRectF r = shape.boundingRect().adjusted(11, 3, -11, -3);
        wheelTreads(p, r, on);
        QPainterPath rims;
        rims.moveTo(r.left() - 2.5, r.top() + 4);
        rims.lineTo(r.left() - 2.5, r.bottom() - 4);
        rims.moveTo(r.right() + 2.5, r.top() + 4);
        rims.lineTo(r.right() + 2.5, r.bottom() - 4);
        led(p, rims, on ? 2.0 : 1.3, on ? 230 : 120);
        if (on)
            Paint::innerGlow(p, shape, QColor(255, 80, 60, 220), 5);
        groove(p, shape, on);
    }

    for (int button : {5, 6}) {
        const QPainterPath shape = frontButton(button);
        const bool on = highlighted == button;
        const QRectF b = shape.boundingRect();
        shell(p, shape, QRectF(b.left(), b.top(), b.width(), b.height() * 0.6), on);
        groove(p, shape, on);
        const QRectF g(b.center().x() - 5, b.center().y() - 5, 10, 10);
        const QColor mark = on ? QColor("#ffffff") : QColor("#8c8c8c");
        if (button == 5)
            Paint::glyphPlus(p, g, mark, 2);
        else
            Paint::glyphMinus(p, g, mark, 2);
    }

    for (int button : {3, 4, 7}) {
        const QPainterPath shape = frontButton(button);
        const bool on = highlighted == button;
        const QRectF b = shape.boundingRect();
        shell(p, shape, QRectF(b.left(), b.top(), b.width() * 0.7, b.height()), on, 1.4);
        groove(p, shape, on);
        if (button == 7) {
            QPainterPath ring;
            ring.addEllipse(QPointF(b.center().x(), b.top() + 10), 2.4, 2.4);
            led(p, ring, 1.0, on ? 220 : 140);
        }
    }
}

void renderSide(QPainter &p, int highlighted)
{
    const QPainterPath body = sideBody();
    QPainterPath floor;
    floor.addEllipse(QPointF(555, 416), 175, 9);
    Paint::dropShadow(p, floor, QPointF(0, 2), 10, 0.95);

    QLinearGradient flank(QPointF(0, 250), QPointF(0, 412));
    flank.setColorAt(0, QColor("#2b2b2e"));
    flank.setColorAt(0.35, QColor("#1c1c1f"));
    flank.setColorAt(1, QColor("#09090a"));
    p.fillPath(body, flank);

    p.save();
    p.setClipPath(body);
    // Soft light from above falling off towards the thumb rest.
    QRadialGradient sheen(QPointF(560, 280), 170);
    sheen.setColorAt(0, QColor(255, 255, 255, 26));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(body.boundingRect(), sheen);

    // Textured grip panel on the flank.
    QPainterPath grip;
    grip.moveTo(506, 340);
    grip.cubicTo(560, 334, 640, 330, 690, 334);
    grip.cubicTo(700, 350, 700, 370, 692, 382);
    grip.cubicTo(640, 386, 560, 388, 520, 386);
    grip.cubicTo(508, 372, 504, 354, 506, 340);
    grip.closeSubpath();
    p.fillPath(grip, QColor("#121214"));
    p.setClipPath(grip, Qt::IntersectClip);
    for (qreal x = 480; x < 720; x += 4.5) {
        p.setPen(QPen(QColor(0, 0, 0, 190), 1.6));
        p.drawLine(QPointF(x, 390), QPointF(x + 30, 328));
        p.setPen(QPen(QColor(255, 255, 255, 16), 0.8));
        p.drawLine(QPointF(x + 1.6, 390), QPointF(x + 31.6, 328));
    }
    p.restore();

    // Skirt with its light pipe along the base.
    QPainterPath skirt = band([](qreal) { return 392.0; }, [](qreal) { return 412.0; }, 380, 726)
                             .intersected(body);
    p.fillPath(skirt, QColor("#0a0a0b"));
    QPainterPath pipe;
    pipe.moveTo(404, 394);
    pipe.cubicTo(500, 392, 640, 392, 712, 390);
    led(p, pipe, 1.8, 160);

    QPainterPath crease;
    crease.moveTo(392, 372);
    crease.cubicTo(470, 384, 620, 324, 716, 330);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(crease);
    p.setPen(QPen(QColor(255, 255, 255, 18), 0.8));
    p.drawPath(crease.translated(0, 1.4));

    const QPainterPath top = sideTopBand();
    shell(p, top, QRectF(520, 240, 180, 40), false);

    // Specular streak just below the ridge catches the light along the whole length.
    p.save();
    p.setClipPath(body);
    QLinearGradient streak(QPointF(400, 0), QPointF(720, 0));
    streak.setColorAt(0, QColor(255, 255, 255, 0));
    streak.setColorAt(0.45, QColor(255, 255, 255, 46));
    streak.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(streak), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(nearEdgePath().translated(0, 4));
    p.restore();

    for (int button : {1, 0}) {
        const QPainterPath shape = sideButton(button);
        const bool on = highlighted == button;
        const QRectF b = shape.boundingRect();
        shell(p, shape, QRectF(b.left() + b.width() * 0.3, b.top() - 6, b.width() * 0.6, 20), on);
        groove(p, shape, on);
    }

    {
        const QPainterPath shape = sideButton(2);
        const bool on = highlighted == 2;
        QRadialGradient disc(QPointF(447, 328), 22);
        disc.setColorAt(0.0, QColor("#0c0c0c"));
        disc.setColorAt(0.82, on ? QColor("#7a2622") : QColor("#3a3a3c"));
        disc.setColorAt(1.0, QColor("#101010"));
        p.fillPath(shape, disc);
        p.save();
        p.setClipPath(shape);
        for (int a = 200; a <= 340; a += 9) {
            const qreal r = qDegreesToRadians(qreal(a));
            const QPointF c(447, 328);
            p.setPen(QPen(QColor(0, 0, 0, 200), 1.4));
            p.drawLine(
                c + QPointF(qCos(r) * 17, qSin(r) * 17), c + QPointF(qCos(r) * 23, qSin(r) * 23));
        }
        QPainterPath rim;
        rim.addEllipse(QPointF(447, 328), 15.5, 15.5);
        led(p, rim, on ? 1.8 : 1.2, on ? 230 : 120);
        p.restore();
        if (on)
            Paint::innerGlow(p, shape, QColor(255, 80, 60, 220), 4);
        groove(p, shape, on);
    }

    for (int button : {5, 6, 3, 4, 7}) {
        const QPainterPath shape = sideButton(button);
        const bool on = highlighted == button;
        const QRectF b = shape.boundingRect();
        Paint::dropShadow(p, shape, QPointF(0, 1.5), 2, 0.8);
        shell(p, shape, QRectF(b.left(), b.top() - 3, b.width(), b.height() * 0.7), on, 1.5);
        groove(p, shape, on);
        if (button == 7) {
            QPainterPath dot;
            dot.addEllipse(QPointF(b.left() + 7, b.center().y()), 2.0, 2.0);
            led(p, dot, 1.0, on ? 220 : 140);
        }
    }

    Paint::drawEmblem(p, QRectF(636, 296, 22, 25));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 34), 1));
    p.drawPath(farEdgePath());
}

QImage renderCached(View view, int highlighted)
{
    static QHash<int, QImage> cache;
    const int key = (view == View::Front ? 0 : 100) + highlighted + 1;
    auto it = cache.find(key);
    if (it != cache.end())
        return *it;
    QImage image = Paint::canvas(canvasWidth, canvasHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (view == View::Front)
        renderFront(p, highlighted);
    else
        renderSide(p, highlighted);
    p.end();
    cache.insert(key, image);
    return image;
}

} // namespace

QPoint buttonOrigin(View view, int button)
{
    return view == View::Front ? frontOrigins.at(button) : sideOrigins.at(button);
}

QPainterPath buttonShape(View view, int button)
{
    return view == View::Front ? frontButton(button) : sideButton(button);
}

QImage render(View view, int highlighted)
{
    return renderCached(view, highlighted);
}

QImage cutButton(View view, int button, bool highlighted, const QSize &size)
{
    const QPoint origin = buttonOrigin(view, button);
    const QImage full = render(view, highlighted ? button : -1);
    QImage out = Paint::canvas(size.width(), size.height());
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-origin);
    // The button's own outline plus its groove: a slightly grown shape as the mask.
    QPainterPathStroker grow;
    grow.setWidth(2.4);
    QPainterPath mask = buttonShape(view, button);
    mask = mask.united(grow.createStroke(mask));
    p.fillPath(mask, Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.drawImage(0, 0, full);
    return out;
}

QImage cutBody(View view, const QPoint &origin, const QSize &size)
{
    return render(view, -1).copy(QRect(origin, size));
}

} // namespace Mouse
