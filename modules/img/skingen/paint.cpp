#include "paint.h"
#include "style.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>

#include <vector>

namespace Paint {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

static void boxPass(std::vector<int> &channel, int width, int height, int radius, bool horizontal)
{
    std::vector<int> out(channel.size());
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const int window = 2 * radius + 1;
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> int & {
            i = qBound(0, i, length - 1);
            return horizontal ? channel[line * width + i] : channel[i * width + line];
        };
        int sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += at(i);
        for (int i = 0; i < length; ++i) {
            const int index = horizontal ? line * width + i : i * width + line;
            out[index] = sum / window;
            sum += at(i + radius + 1) - at(i - radius);
        }
    }
    channel.swap(out);
}

QImage blurred(const QImage &source, int radius)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius < 1)
        return image;
    const int w = image.width();
    const int h = image.height();
    std::vector<int> channels[4];
    for (auto &c : channels)
        c.resize(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            channels[0][y * w + x] = qAlpha(line[x]);
            channels[1][y * w + x] = qRed(line[x]);
            channels[2][y * w + x] = qGreen(line[x]);
            channels[3][y * w + x] = qBlue(line[x]);
        }
    }
    // Three box passes come close enough to a gaussian for soft light.
    const int r = qMax(1, radius / 2);
    for (auto &c : channels) {
        for (int pass = 0; pass < 3; ++pass) {
            boxPass(c, w, h, r, true);
            boxPass(c, w, h, r, false);
        }
    }
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = channels[0][y * w + x];
            line[x] = qRgba(qMin(a, channels[1][y * w + x]), qMin(a, channels[2][y * w + x]),
                qMin(a, channels[3][y * w + x]), a);
        }
    }
    return image;
}

static QImage layerFor(const QPainter &p)
{
    const QPaintDevice *device = p.device();
    return canvas(device->width(), device->height());
}

void glow(QPainter &p, const QPainterPath &path, const QColor &color, qreal width, int radius)
{
    QImage layer = layerFor(p);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setTransform(p.transform());
        if (width > 0) {
            lp.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            lp.setBrush(Qt::NoBrush);
        } else {
            lp.setPen(Qt::NoPen);
            lp.setBrush(color);
        }
        lp.drawPath(path);
    }
    p.save();
    p.resetTransform();
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.drawImage(0, 0, blurred(layer, radius));
    p.restore();
}

void innerGlow(QPainter &p, const QPainterPath &path, const QColor &color, int radius)
{
    QImage layer = layerFor(p);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setTransform(p.transform());
        lp.setPen(QPen(color, radius * 1.2));
        lp.setBrush(Qt::NoBrush);
        lp.drawPath(path);
    }
    layer = blurred(layer, radius);
    QImage mask = layerFor(p);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.setTransform(p.transform());
        mp.fillPath(path, Qt::white);
        mp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        mp.resetTransform();
        mp.drawImage(0, 0, layer);
    }
    p.save();
    p.resetTransform();
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.drawImage(0, 0, mask);
    p.restore();
}

void dropShadow(
    QPainter &p, const QPainterPath &path, const QPointF &offset, int radius, qreal alpha)
{
    QImage layer = layerFor(p);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setTransform(p.transform());
        lp.translate(offset);
        lp.fillPath(path, QColor(0, 0, 0, int(255 * alpha)));
    }
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, blurred(layer, radius));
    p.restore();
}

QFont font(const QString &family, qreal pixelSize, int weight, qreal spacing)
{
    QFont f(family);
    f.setPixelSize(qRound(pixelSize));
    f.setWeight(QFont::Weight(weight));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    if (spacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return f;
}

void text(QPainter &p, const QRectF &rect, int flags, const QString &value, const QFont &f,
    const QColor &color)
{
    p.save();
    p.setFont(f);
    p.setPen(color);
    p.drawText(rect, flags, value);
    p.restore();
}

void plate(QPainter &p, const QRectF &r, qreal radius, State state)
{
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(body, radius, radius);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    switch (state) {
    case State::Normal:
        fill.setColorAt(0, QColor("#2c2c2e"));
        fill.setColorAt(1, QColor("#161617"));
        break;
    case State::Hover:
        fill.setColorAt(0, QColor("#4a1c1c"));
        fill.setColorAt(1, QColor("#2a1010"));
        break;
    case State::Active:
        fill.setColorAt(0, Style::accentBright.darker(115));
        fill.setColorAt(1, Style::accent.darker(130));
        break;
    }
    p.fillPath(shape, fill);
    if (state != State::Normal)
        innerGlow(p, shape, QColor(255, 70, 60, state == State::Active ? 110 : 70), 4);
    // A one pixel light line along the top edge gives the plate its bevel.
    p.save();
    p.setClipPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, state == State::Normal ? 28 : 45), 1));
    p.drawLine(QPointF(body.left() + radius, body.top() + 1),
        QPointF(body.right() - radius, body.top() + 1));
    p.restore();
    const QColor border = state == State::Normal ? Style::edge : Style::accentBright;
    p.setPen(QPen(border, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    if (state == State::Normal && r.width() > 40) {
        // A short red tick at the lower edge keeps idle plates in the accent family.
        const qreal w = qMin<qreal>(r.width() * 0.3, 40);
        p.setPen(QPen(Style::accent, 1.2));
        p.drawLine(QPointF(r.center().x() - w / 2, body.bottom() - 0.6),
            QPointF(r.center().x() + w / 2, body.bottom() - 0.6));
    }
}

void inset(QPainter &p, const QRectF &r, qreal radius)
{
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(body, radius, radius);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor("#0a0a0a"));
    fill.setColorAt(1, QColor("#141414"));
    p.fillPath(shape, fill);
    p.save();
    p.setClipPath(shape);
    p.setPen(QPen(QColor(0, 0, 0, 150), 2));
    p.drawLine(body.topLeft() + QPointF(0, 1), body.topRight() + QPointF(0, 1));
    p.restore();
    p.setPen(QPen(QColor("#2b2b2b"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

void panel(QPainter &p, const QRectF &r, qreal radius, int titleHeight)
{
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(body, radius, radius);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor("#1f1f20"));
    fill.setColorAt(1, QColor("#131314"));
    p.fillPath(shape, fill);

    p.save();
    p.setClipPath(shape);
    // Fine diagonal hatching, barely visible, keeps large surfaces from looking flat.
    p.setPen(QPen(QColor(255, 255, 255, 6), 1));
    for (qreal x = body.left() - body.height(); x < body.right(); x += 6)
        p.drawLine(QPointF(x, body.bottom()), QPointF(x + body.height(), body.top()));
    if (titleHeight > 0) {
        const QRectF band(body.left(), body.top(), body.width(), titleHeight);
        QLinearGradient bandFill(band.topLeft(), band.bottomLeft());
        bandFill.setColorAt(0, QColor("#262627"));
        bandFill.setColorAt(1, QColor("#1b1b1c"));
        p.fillRect(band, bandFill);
        QLinearGradient line(band.bottomLeft(), band.bottomRight());
        line.setColorAt(0,
            QColor(Style::accentBright.red(), Style::accentBright.green(),
                Style::accentBright.blue(), 0));
        line.setColorAt(0.15, Style::accentBright);
        line.setColorAt(0.6, Style::accent);
        line.setColorAt(
            1, QColor(Style::accent.red(), Style::accent.green(), Style::accent.blue(), 0));
        p.fillRect(QRectF(band.left(), band.bottom() - 1, band.width(), 1.5), line);
        // Angled red tab at the left of the title band.
        QPainterPath tab;
        tab.moveTo(body.left(), body.top() + 6);
        tab.lineTo(body.left() + 4, body.top() + 6);
        tab.lineTo(body.left() + 4, band.bottom() - 8);
        tab.lineTo(body.left(), band.bottom() - 4);
        tab.closeSubpath();
        p.fillPath(tab, Style::accentBright);
    }
    p.restore();
    p.setPen(QPen(QColor("#3a3a3c"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}

void radio(QPainter &p, const QRectF &r, bool on)
{
    const QRectF ring = r.adjusted(1, 1, -1, -1);
    QRadialGradient fill(ring.center() - QPointF(0, 2), ring.width() * 0.7);
    fill.setColorAt(0, QColor("#2a2a2a"));
    fill.setColorAt(1, QColor("#0e0e0e"));
    p.setBrush(fill);
    p.setPen(QPen(on ? Style::accentBright : QColor("#5a5a5a"), 1.2));
    p.drawEllipse(ring);
    if (on) {
        QPainterPath dot;
        dot.addEllipse(ring.center(), ring.width() * 0.24, ring.height() * 0.24);
        glow(p, dot, QColor(255, 60, 50, 200), 0, 3);
        QRadialGradient core(ring.center() - QPointF(0.6, 0.8), ring.width() * 0.3);
        core.setColorAt(0, QColor("#ff8a80"));
        core.setColorAt(1, Style::glowSoft);
        p.setPen(Qt::NoPen);
        p.setBrush(core);
        p.drawPath(dot);
    }
}

void check(QPainter &p, const QRectF &r, bool on)
{
    const QRectF box = r.adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.addRoundedRect(box, 2, 2);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    if (on) {
        fill.setColorAt(0, Style::accentBright);
        fill.setColorAt(1, Style::accent);
    } else {
        fill.setColorAt(0, QColor("#0c0c0c"));
        fill.setColorAt(1, QColor("#1c1c1c"));
    }
    p.fillPath(shape, fill);
    p.setPen(QPen(on ? QColor("#d05050") : QColor("#5a5a5a"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    if (on) {
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.74);
        tick.lineTo(box.left() + box.width() * 0.80, box.top() + box.height() * 0.28);
        p.setPen(QPen(Qt::white, qMax<qreal>(1.2, box.width() * 0.15), Qt::SolidLine, Qt::RoundCap,
            Qt::RoundJoin));
        p.drawPath(tick);
    }
}

void knob(QPainter &p, const QPointF &c, qreal radius)
{
    QPainterPath body;
    body.addEllipse(c, radius, radius);
    glow(p, body, QColor(255, 50, 40, 90), 0, 3);
    QLinearGradient fill(c - QPointF(0, radius), c + QPointF(0, radius));
    fill.setColorAt(0, QColor("#5a5a5d"));
    fill.setColorAt(0.5, QColor("#2a2a2c"));
    fill.setColorAt(1, QColor("#161617"));
    p.setPen(QPen(QColor("#0a0a0a"), 1));
    p.setBrush(fill);
    p.drawPath(body);
    p.setPen(QPen(Style::accentBright, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius * 0.52, radius * 0.52);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPointF(c.x(), c.y() - radius * 0.55), radius * 0.45, radius * 0.18);
}

void glyphCross(QPainter &p, const QRectF &r, const QColor &color, qreal pen)
{
    p.setPen(QPen(color, pen, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void glyphMinus(QPainter &p, const QRectF &r, const QColor &color, qreal pen)
{
    p.setPen(QPen(color, pen, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

void glyphPlus(QPainter &p, const QRectF &r, const QColor &color, qreal pen)
{
    glyphMinus(p, r, color, pen);
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

void glyphQuestion(QPainter &p, const QRectF &r, const QColor &color)
{
    const qreal s = r.width();
    QPainterPath hook;
    hook.moveTo(r.left() + s * 0.18, r.top() + s * 0.3);
    hook.cubicTo(r.left() + s * 0.18, r.top() - s * 0.05, r.left() + s * 0.86, r.top() - s * 0.02,
        r.left() + s * 0.8, r.top() + s * 0.34);
    hook.cubicTo(r.left() + s * 0.76, r.top() + s * 0.52, r.left() + s * 0.5, r.top() + s * 0.5,
        r.left() + s * 0.5, r.top() + s * 0.7);
    p.setPen(QPen(color, s * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(r.left() + s * 0.5, r.bottom() - s * 0.02), s * 0.1, s * 0.1);
}

void glyphClock(QPainter &p, const QRectF &r, const QColor &color)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, 1.3));
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(color, 1.3, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = r.center();
    p.drawLine(c, c - QPointF(0, r.height() * 0.32));
    p.drawLine(c, c + QPointF(r.width() * 0.25, 0));
}

void glyphArrow(QPainter &p, const QRectF &r, const QColor &color, bool down)
{
    const qreal cx = r.center().x();
    QPainterPath arrow;
    if (down) {
        arrow.moveTo(cx - r.width() * 0.18, r.top());
        arrow.lineTo(cx + r.width() * 0.18, r.top());
        arrow.lineTo(cx + r.width() * 0.18, r.top() + r.height() * 0.45);
        arrow.lineTo(r.right(), r.top() + r.height() * 0.45);
        arrow.lineTo(cx, r.bottom());
        arrow.lineTo(r.left(), r.top() + r.height() * 0.45);
        arrow.lineTo(cx - r.width() * 0.18, r.top() + r.height() * 0.45);
    } else {
        arrow.moveTo(cx - r.width() * 0.18, r.bottom());
        arrow.lineTo(cx + r.width() * 0.18, r.bottom());
        arrow.lineTo(cx + r.width() * 0.18, r.bottom() - r.height() * 0.45);
        arrow.lineTo(r.right(), r.bottom() - r.height() * 0.45);
        arrow.lineTo(cx, r.top());
        arrow.lineTo(r.left(), r.bottom() - r.height() * 0.45);
        arrow.lineTo(cx - r.width() * 0.18, r.bottom() - r.height() * 0.45);
    }
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(arrow);
}

void glyphCrosshair(QPainter &p, const QRectF &r, const QColor &color)
{
    const QPointF c = r.center();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, 1.2));
    p.drawEllipse(c, r.width() * 0.32, r.height() * 0.32);
    p.setPen(QPen(color, 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x(), r.top()), QPointF(c.x(), r.top() + r.height() * 0.3));
    p.drawLine(QPointF(c.x(), r.bottom()), QPointF(c.x(), r.bottom() - r.height() * 0.3));
    p.drawLine(QPointF(r.left(), c.y()), QPointF(r.left() + r.width() * 0.3, c.y()));
    p.drawLine(QPointF(r.right(), c.y()), QPointF(r.right() - r.width() * 0.3, c.y()));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(c, 1.1, 1.1);
}

void glyphMacro(QPainter &p, const QRectF &r, const QColor &color)
{
    // Two stacked key caps with a play mark: a recorded key sequence.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, 1.3));
    const qreal s = r.width();
    p.drawRoundedRect(QRectF(r.left() + s * 0.05, r.top() + s * 0.3, s * 0.5, s * 0.55), 2, 2);
    p.drawRoundedRect(QRectF(r.left() + s * 0.2, r.top() + s * 0.1, s * 0.5, s * 0.55), 2, 2);
    QPainterPath play;
    play.moveTo(r.left() + s * 0.66, r.top() + s * 0.52);
    play.lineTo(r.right(), r.top() + s * 0.74);
    play.lineTo(r.left() + s * 0.66, r.bottom());
    play.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(play);
}

QPainterPath emblem(const QRectF &r)
{
    auto at = [&](qreal x, qreal y) {
        return QPointF(r.left() + x * r.width(), r.top() + y * r.height());
    };
    QPainterPath hexagon;
    hexagon.moveTo(at(0.5, 0.0));
    hexagon.lineTo(at(0.95, 0.25));
    hexagon.lineTo(at(0.95, 0.75));
    hexagon.lineTo(at(0.5, 1.0));
    hexagon.lineTo(at(0.05, 0.75));
    hexagon.lineTo(at(0.05, 0.25));
    hexagon.closeSubpath();
    QPainterPathStroker ring;
    ring.setWidth(r.width() * 0.07);
    ring.setJoinStyle(Qt::MiterJoin);
    QPainterPath result = ring.createStroke(hexagon);

    QPainterPath letter;
    letter.moveTo(at(0.73, 0.29));
    letter.lineTo(at(0.37, 0.29));
    letter.lineTo(at(0.27, 0.42));
    letter.lineTo(at(0.70, 0.57));
    letter.lineTo(at(0.61, 0.71));
    letter.lineTo(at(0.26, 0.71));
    QPainterPathStroker stroke;
    stroke.setWidth(r.width() * 0.12);
    stroke.setJoinStyle(Qt::MiterJoin);
    stroke.setCapStyle(Qt::FlatCap);
    stroke.setMiterLimit(4);
    result.addPath(stroke.createStroke(letter));
    result.setFillRule(Qt::WindingFill);
    return result.simplified();
}

void drawEmblem(QPainter &p, const QRectF &r)
{
    const QPainterPath shape = emblem(r);
    glow(p, shape, QColor(255, 40, 30, 150), 0, qMax(2, int(r.width() / 10)));
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, QColor("#ff6a5c"));
    fill.setColorAt(0.45, Style::glowSoft);
    fill.setColorAt(1, Style::accent);
    p.fillPath(shape, fill);
}

} // namespace Paint
