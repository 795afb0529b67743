#include "pictures.h"
#include "mouse.h"
#include "paint.h"
#include "style.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

using Paint::State;

namespace {

using Draw = std::function<void(QPainter &, const QSize &)>;

QImage paintWith(const QSize &size, const Draw &draw)
{
    QImage image = Paint::canvas(size.width(), size.height());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(p, size);
    return image;
}

QRectF full(const QSize &s)
{
    return QRectF(0, 0, s.width(), s.height());
}

QColor alpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}

void hexGrid(QPainter &p, const QRectF &area, qreal size, const QColor &color)
{
    const qreal w = size * qSqrt(3.0);
    const qreal h = size * 1.5;
    p.setPen(QPen(color, 1));
    p.setBrush(Qt::NoBrush);
    int row = 0;
    for (qreal y = area.top() - size; y < area.bottom() + size; y += h, ++row) {
        const qreal shift = (row % 2) ? w / 2 : 0;
        for (qreal x = area.left() - w + shift; x < area.right() + w; x += w) {
            QPolygonF hex;
            for (int i = 0; i < 6; ++i) {
                const qreal a = qDegreesToRadians(60.0 * i - 30);
                hex << QPointF(x + size * qCos(a), y + size * qSin(a));
            }
            p.drawPolygon(hex);
        }
    }
}

void background(QPainter &p, const QSize &s)
{
    const QRectF r = full(s).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath frame;
    frame.addRoundedRect(r, 10, 10);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, Style::windowTop);
    fill.setColorAt(1, Style::windowBottom);
    p.fillPath(frame, fill);

    p.save();
    p.setClipPath(frame);
    // Stage light behind the mouse.
    QRadialGradient stage(QPointF(527, 350), 300);
    stage.setColorAt(0, alpha(Style::accent, 95));
    stage.setColorAt(0.45, alpha(Style::accentDeep, 55));
    stage.setColorAt(1, alpha(Style::accentDeep, 0));
    p.fillRect(r, stage);

    QImage grid = Paint::canvas(s.width(), s.height());
    {
        QPainter gp(&grid);
        gp.setRenderHint(QPainter::Antialiasing);
        hexGrid(gp, r, 14, QColor(255, 255, 255, 255));
        gp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QRadialGradient fade(QPointF(527, 350), 330);
        fade.setColorAt(0, QColor(0, 0, 0, 22));
        fade.setColorAt(0.7, QColor(0, 0, 0, 8));
        fade.setColorAt(1, QColor(0, 0, 0, 4));
        gp.fillRect(r, fade);
    }
    p.drawImage(0, 0, grid);

    // Floor line under the mouse stage.
    QRadialGradient floor(QPointF(527, 600), 240);
    floor.setColorAt(0, QColor(255, 60, 50, 40));
    floor.setColorAt(1, QColor(255, 60, 50, 0));
    p.save();
    p.translate(527, 600);
    p.scale(1, 0.12);
    p.translate(-527, -600);
    p.fillRect(QRectF(260, 400, 534, 400), floor);
    p.restore();

    // Title strip and bottom strip.
    QLinearGradient top(QPointF(0, 0), QPointF(0, 30));
    top.setColorAt(0, QColor("#232325"));
    top.setColorAt(1, QColor("#161617"));
    p.fillRect(QRectF(0, 0, s.width(), 30), top);
    QLinearGradient topLine(QPointF(0, 0), QPointF(s.width(), 0));
    topLine.setColorAt(0, alpha(Style::accentBright, 0));
    topLine.setColorAt(0.2, Style::accentBright);
    topLine.setColorAt(0.5, alpha(Style::accent, 160));
    topLine.setColorAt(1, alpha(Style::accent, 0));
    p.fillRect(QRectF(0, 30, s.width(), 1), topLine);
    p.fillRect(QRectF(0, 31, s.width(), 1), QColor(0, 0, 0, 120));

    QPainterPath tab;
    tab.moveTo(0, 0);
    tab.lineTo(300, 0);
    tab.lineTo(284, 16);
    tab.lineTo(0, 16);
    tab.closeSubpath();
    QLinearGradient tabFill(QPointF(0, 0), QPointF(300, 0));
    tabFill.setColorAt(0, alpha(Style::accent, 170));
    tabFill.setColorAt(1, alpha(Style::accentDeep, 40));
    p.fillPath(tab, tabFill);

    QLinearGradient bottom(QPointF(0, 598), QPointF(0, 640));
    bottom.setColorAt(0, QColor(0, 0, 0, 0));
    bottom.setColorAt(1, QColor(0, 0, 0, 110));
    p.fillRect(QRectF(0, 598, s.width(), 42), bottom);
    p.fillRect(QRectF(0, 598, s.width(), 1), QColor(255, 255, 255, 10));

    // Angular brackets in the lower corners.
    p.setPen(QPen(Style::accentBright, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(6, 600), QPointF(6, 632), QPointF(18, 632)}));
    p.drawPolyline(QPolygonF({QPointF(994, 600), QPointF(994, 632), QPointF(982, 632)}));
    p.setPen(QPen(alpha(Style::accentBright, 120), 1));
    p.drawLine(QPointF(320, 612), QPointF(360, 612));
    p.drawLine(QPointF(695, 612), QPointF(735, 612));
    p.restore();

    p.setPen(QPen(QColor("#2f2f31"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 9, 9);
}

void wordmark(QPainter &p, const QRectF &r, qreal size, Qt::Alignment align)
{
    Paint::text(p, r.translated(0, 1.5), align, Style::brand,
        Paint::font(Style::latinFamily, size, 800, size * 0.28), QColor(0, 0, 0, 200));
    QLinearGradient metal(r.topLeft(), r.bottomLeft());
    metal.setColorAt(0, QColor("#ffffff"));
    metal.setColorAt(0.55, QColor("#d8d8d8"));
    metal.setColorAt(1, QColor("#8f8f8f"));
    p.save();
    QPainterPath textPath;
    const QFont f = Paint::font(Style::latinFamily, size, 800, size * 0.28);
    QFontMetricsF fm(f);
    const qreal width = fm.horizontalAdvance(Style::brand);
    qreal x = r.left();
    if (align & Qt::AlignHCenter)
        x = r.center().x() - width / 2;
    const qreal baseline = r.center().y() + (fm.ascent() - fm.descent()) / 2;
    textPath.addText(QPointF(x, baseline), f, Style::brand);
    p.fillPath(textPath, metal);
    p.restore();
}

void powerOn(QPainter &p, const QSize &s)
{
    const qreal cx = s.width() / 2.0;
    Paint::drawEmblem(p, QRectF(cx - 27, 6, 54, 62));
    wordmark(p, QRectF(0, 74, s.width(), 44), 38, Qt::AlignHCenter);
    const QFont tag = Paint::font(Style::condensedFamily, 12, 700, 4);
    Paint::text(p, QRectF(0, 122, s.width(), 20), Qt::AlignCenter, Style::model, tag,
        Style::accentBright.lighter(130));
    QLinearGradient left(QPointF(40, 0), QPointF(cx - 110, 0));
    left.setColorAt(0, alpha(Style::accentBright, 0));
    left.setColorAt(1, Style::accentBright);
    p.fillRect(QRectF(40, 131.5, cx - 110 - 40, 1.2), left);
    QLinearGradient right(QPointF(cx + 110, 0), QPointF(s.width() - 40, 0));
    right.setColorAt(0, Style::accentBright);
    right.setColorAt(1, alpha(Style::accentBright, 0));
    p.fillRect(QRectF(cx + 110, 131.5, s.width() - 40 - cx - 110, 1.2), right);
}

void mainLogo(QPainter &p, const QSize &s)
{
    Paint::drawEmblem(p, QRectF(4, 4, 38, 44));
    wordmark(p, QRectF(52, 2, s.width() - 52, 30), 24, Qt::AlignLeft | Qt::AlignVCenter);
    Paint::text(p, QRectF(53, 31, s.width() - 53, 16), Qt::AlignLeft | Qt::AlignVCenter,
        Style::model, Paint::font(Style::condensedFamily, 10, 700, 2.2),
        Style::accentBright.lighter(125));
}

Draw windowButton(int glyph, bool hover)
{
    return [glyph, hover](QPainter &p, const QSize &s) {
        const QRectF r = full(s).adjusted(1, 1, -1, -1);
        if (hover) {
            QPainterPath disc;
            disc.addEllipse(r);
            QLinearGradient fill(r.topLeft(), r.bottomLeft());
            fill.setColorAt(0, Style::accentBright);
            fill.setColorAt(1, Style::accent);
            p.fillPath(disc, fill);
            p.setPen(QPen(QColor("#d75a52"), 1));
            p.setBrush(Qt::NoBrush);
            p.drawPath(disc);
        } else {
            p.setPen(QPen(QColor(255, 255, 255, 30), 1));
            p.setBrush(QColor(255, 255, 255, 8));
            p.drawEllipse(r);
        }
        const QColor ink = hover ? Style::text : QColor("#c8c8c8");
        const QRectF g = r.adjusted(5.5, 5.5, -5.5, -5.5);
        if (glyph == 0)
            Paint::glyphQuestion(p, g.adjusted(0.5, -0.5, -0.5, -1.5), ink);
        else if (glyph == 1)
            Paint::glyphMinus(p, g, ink, 1.8);
        else
            Paint::glyphCross(p, g.adjusted(0.5, 0.5, -0.5, -0.5), ink, 1.6);
    };
}

Draw plate(State state, qreal radius = 4)
{
    return
        [state, radius](QPainter &p, const QSize &s) { Paint::plate(p, full(s), radius, state); };
}

Draw iconPlate(State state, bool gun)
{
    return [state, gun](QPainter &p, const QSize &s) {
        Paint::plate(p, full(s), 4, state);
        const QRectF well(4, 4, s.height() - 8, s.height() - 8);
        Paint::inset(p, well, 3);
        const QColor ink = state == State::Normal ? Style::accentBright.lighter(120) : Style::text;
        const QRectF g = well.adjusted(5, 5, -5, -5);
        if (gun)
            Paint::glyphCrosshair(p, g, ink);
        else
            Paint::glyphMacro(p, g, ink);
    };
}

Draw recordPlate(State state, bool recording)
{
    return [state, recording](QPainter &p, const QSize &s) {
        Paint::plate(p, full(s), 4, recording ? State::Active : state);
        const QPointF c(12, s.height() / 2.0);
        QPainterPath dot;
        dot.addEllipse(c, 4, 4);
        if (recording) {
            Paint::glow(p, dot, QColor(255, 60, 50, 230), 0, 5);
            p.fillPath(dot, QColor("#ff5a4d"));
        } else {
            p.fillPath(dot, state == State::Hover ? QColor("#e0453c") : QColor("#a23030"));
        }
        p.setPen(QPen(QColor(0, 0, 0, 140), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(dot);
    };
}

void dialog(QPainter &p, const QSize &s)
{
    Paint::panel(p, full(s), 6, 30);
    // Emblem watermark in the lower right corner.
    QPainterPath mark = Paint::emblem(QRectF(s.width() - 64, s.height() - 70, 52, 60));
    p.fillPath(mark, QColor(255, 255, 255, 7));
}

void editorDialog(QPainter &p, const QSize &s)
{
    dialog(p, s);
    Paint::inset(p, QRectF(15, 58, 122, 330), 4);
    Paint::inset(p, QRectF(147, 58, 122, 330), 4);
    Paint::inset(p, QRectF(279, 58, s.width() - 294, 330), 4);
    for (qreal x : {15.0, 147.0, 279.0})
        p.fillRect(QRectF(x, 52, 22, 2), Style::accentBright);
    p.fillRect(QRectF(15, 398, s.width() - 30, 1), QColor(255, 255, 255, 14));
}

void profileBackground(QPainter &p, const QSize &s)
{
    Paint::panel(p, full(s), 6, 31);
    QPainterPath list;
    list.addRoundedRect(QRectF(3, 33, s.width() - 6, 540), 3, 3);
    p.fillPath(list, QColor(0, 0, 0, 70));
    p.fillRect(QRectF(10, 575, s.width() - 20, 1), QColor(255, 255, 255, 16));
    p.fillRect(QRectF(10, 576, s.width() - 20, 1), QColor(0, 0, 0, 90));
}

Draw closeGlyph(bool hover)
{
    return [hover](QPainter &p, const QSize &s) {
        Paint::glyphCross(p, full(s).adjusted(1.5, 1.5, -1.5, -1.5),
            hover ? Style::glow : QColor("#bdbdbd"), 1.6);
    };
}

Draw roundIcon(bool plus, bool hover)
{
    return [plus, hover](QPainter &p, const QSize &s) {
        const QRectF r = full(s).adjusted(1, 1, -1, -1);
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, hover ? Style::accentBright : QColor("#3a3a3c"));
        fill.setColorAt(1, hover ? Style::accent : QColor("#1c1c1e"));
        p.setBrush(fill);
        p.setPen(QPen(hover ? QColor("#d75a52") : Style::edgeLight, 1));
        p.drawEllipse(r);
        const QRectF g = r.adjusted(4, 4, -4, -4);
        if (plus)
            Paint::glyphPlus(p, g, Style::text, 1.6);
        else
            Paint::glyphMinus(p, g, Style::text, 1.6);
    };
}

Draw actionIcon(int kind)
{
    return [kind](QPainter &p, const QSize &s) {
        const QRectF r = full(s).adjusted(1.5, 1.5, -1.5, -1.5);
        switch (kind) {
        case 0:
            Paint::glyphClock(p, r, QColor("#d0d0d0"));
            break;
        case 1:
            Paint::glyphArrow(p, r.adjusted(1, 0, -1, 0), Style::glowSoft, true);
            break;
        case 2:
            Paint::glyphArrow(p, r.adjusted(1, 0, -1, 0), QColor("#d0d0d0"), false);
            break;
        default:
            Paint::glyphCrosshair(p, r, Style::glowSoft);
        }
    };
}

void inputField(QPainter &p, const QSize &s)
{
    Paint::inset(p, full(s), 3);
}

void combo(QPainter &p, const QSize &s)
{
    Paint::inset(p, full(s), 3);
    const qreal x = s.width() - s.height();
    p.fillRect(QRectF(x, 3, 1, s.height() - 6), QColor(255, 255, 255, 20));
    QPainterPath arrow;
    const QPointF c(x + s.height() / 2.0, s.height() / 2.0 + 1);
    arrow.moveTo(c + QPointF(-4, -2.5));
    arrow.lineTo(c + QPointF(4, -2.5));
    arrow.lineTo(c + QPointF(0, 2.5));
    arrow.closeSubpath();
    p.fillPath(arrow, Style::accentBright.lighter(120));
}

void scrollTrack(QPainter &p, const QSize &s)
{
    QPainterPath groove;
    groove.addRoundedRect(full(s).adjusted(1, 0.5, -1, -0.5), 3, 3);
    p.fillPath(groove, QColor(0, 0, 0, 110));
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(groove);
}

void dpiTrack(QPainter &p, const QSize &s)
{
    QPainterPath groove;
    groove.addRoundedRect(full(s).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    QLinearGradient fill(QPointF(0, 0), QPointF(s.width(), 0));
    fill.setColorAt(0, QColor("#050505"));
    fill.setColorAt(0.5, QColor("#161616"));
    fill.setColorAt(1, QColor("#050505"));
    p.fillPath(groove, fill);
    p.setPen(QPen(QColor("#2e2e2e"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(groove);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    for (int i = 0; i <= 4; ++i) {
        const qreal y = 8 + i * 154 / 4.0;
        p.drawLine(QPointF(2, y), QPointF(s.width() - 2, y));
    }
}

void dpiHandle(QPainter &p, const QSize &s)
{
    QPainterPath body;
    body.addRoundedRect(full(s).adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    QLinearGradient fill(QPointF(0, 0), QPointF(0, s.height()));
    fill.setColorAt(0, QColor("#f0f0f0"));
    fill.setColorAt(1, QColor("#9a9a9a"));
    p.fillPath(body, fill);
    p.setPen(QPen(QColor("#1a1a1a"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.fillRect(QRectF(3, s.height() / 2.0 - 0.6, s.width() - 6, 1.2), Style::accent);
}

Draw tinyCheck(bool on)
{
    return [on](QPainter &p, const QSize &s) {
        const QRectF box = full(s).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath shape;
        shape.addRoundedRect(box, 1.5, 1.5);
        if (on) {
            QLinearGradient fill(box.topLeft(), box.bottomLeft());
            fill.setColorAt(0, QColor("#d84a40"));
            fill.setColorAt(1, Style::accent);
            p.fillPath(shape, fill);
            QPainterPath tick;
            tick.moveTo(2.2, 4.6);
            tick.lineTo(4.1, 6.5);
            tick.lineTo(7.9, 2.3);
            p.setPen(QPen(Qt::white, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        } else {
            p.fillPath(shape, QColor("#0c0c0c"));
            p.setPen(QPen(QColor("#6a6a6a"), 1));
            p.setBrush(Qt::NoBrush);
            p.drawPath(shape);
        }
    };
}

void hueBar(QPainter &p, const QSize &s)
{
    QLinearGradient hue(QPointF(0, 0), QPointF(s.width(), 0));
    const QColor stops[]
        = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::red};
    for (int i = 0; i <= 6; ++i)
        hue.setColorAt(i / 6.0, stops[i]);
    QPainterPath bar;
    bar.addRoundedRect(full(s).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.fillPath(bar, hue);
    QLinearGradient gloss(QPointF(0, 0), QPointF(0, s.height()));
    gloss.setColorAt(0, QColor(255, 255, 255, 60));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
    gloss.setColorAt(1, QColor(0, 0, 0, 50));
    p.fillPath(bar, gloss);
    p.setPen(QPen(QColor(0, 0, 0, 180), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bar);
}

void hueSlider(QPainter &p, const QSize &s)
{
    QPainterPath body;
    body.addRoundedRect(full(s).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    QLinearGradient fill(QPointF(0, 0), QPointF(s.width(), 0));
    fill.setColorAt(0, QColor("#dcdcdc"));
    fill.setColorAt(0.5, QColor("#ffffff"));
    fill.setColorAt(1, QColor("#bcbcbc"));
    p.fillPath(body, fill);
    p.setPen(QPen(QColor("#111111"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
}

void groove(QPainter &p, const QRectF &r)
{
    QPainterPath g;
    g.addRoundedRect(r, r.height() / 2, r.height() / 2);
    p.fillPath(g, QColor("#070707"));
    p.setPen(QPen(QColor("#333333"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(g);
}

void fill(QPainter &p, const QRectF &r)
{
    if (r.width() <= 0)
        return;
    QPainterPath f;
    f.addRoundedRect(r, r.height() / 2, r.height() / 2);
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, Style::accent);
    g.setColorAt(1, Style::glowSoft);
    p.fillPath(f, g);
    p.fillRect(QRectF(r.left() + 2, r.top() + 0.6, r.width() - 4, 0.8), QColor(255, 255, 255, 70));
}

Draw stepSlider(const QList<qreal> &stops, int level)
{
    return [stops, level](QPainter &p, const QSize &s) {
        const qreal mid = s.height() / 2.0;
        groove(p, QRectF(0.5, mid - 2.5, s.width() - 1, 5));
        fill(p, QRectF(1, mid - 2, stops.at(level) - 0.5, 4));
        for (int i = 0; i < stops.size(); ++i) {
            const bool lit = i <= level;
            p.setPen(QPen(QColor(0, 0, 0, 200), 1));
            p.setBrush(lit ? QColor("#ff8a7c") : QColor("#555555"));
            p.drawEllipse(QPointF(stops.at(i), mid), 1.7, 1.7);
        }
    };
}

void lightHandle(QPainter &p, const QSize &s)
{
    QPainterPath body;
    body.addRoundedRect(full(s).adjusted(1, 0.5, -1, -0.5), 3, 3);
    Paint::dropShadow(p, body, QPointF(0, 1), 2, 0.9);
    QLinearGradient g(QPointF(0, 0), QPointF(s.width(), 0));
    g.setColorAt(0, QColor("#9a9a9a"));
    g.setColorAt(0.45, QColor("#f2f2f2"));
    g.setColorAt(1, QColor("#8a8a8a"));
    p.fillPath(body, g);
    p.setPen(QPen(QColor("#141414"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.fillRect(QRectF(s.width() / 2.0 - 0.7, 3.5, 1.4, s.height() - 7), Style::accent);
}

Draw scale(const QStringList &labels, const QList<qreal> &centres)
{
    return [labels, centres](QPainter &p, const QSize &s) {
        const QFont f = Paint::font(Style::condensedFamily, 9);
        QFontMetricsF fm(f);
        for (int i = 0; i < labels.size(); ++i) {
            const qreal w = fm.horizontalAdvance(labels.at(i));
            qreal x = centres.at(i) - w / 2;
            x = qBound<qreal>(0, x, s.width() - w);
            Paint::text(p, QRectF(x, 0, w + 1, s.height()), Qt::AlignLeft | Qt::AlignVCenter,
                labels.at(i), f, Style::textDim);
        }
    };
}

Draw reportDial(int picture, bool chinese)
{
    return [picture, chinese](QPainter &p, const QSize &s) {
        const QPointF c(s.width() / 2.0, s.height() / 2.0);
        const qreal outer = s.width() / 2.0 - 3;
        const qreal inner = outer - 17;
        // Quadrants by picture: 0 left top 125, 1 left bottom 250, 2 right bottom 500, 3 right top
        // 1000.
        const int startAngles[] = {90, 180, 270, 0};
        const char *labels[] = {"125", "250", "500", "1000"};
        QPainterPath face;
        face.addEllipse(c, outer + 2, outer + 2);
        Paint::dropShadow(p, face, QPointF(0, 1.5), 4, 0.8);
        QRadialGradient faceFill(c - QPointF(0, 20), outer * 1.3);
        faceFill.setColorAt(0, QColor("#2a2a2c"));
        faceFill.setColorAt(1, QColor("#0d0d0e"));
        p.fillPath(face, faceFill);
        p.setPen(QPen(QColor("#3a3a3c"), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(face);

        for (int q = 0; q < 4; ++q) {
            const bool on = q == picture;
            QPainterPath segment;
            const qreal a0 = startAngles[q] + 3;
            const qreal span = 84;
            segment.arcMoveTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), a0);
            segment.arcTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), a0, span);
            segment.arcTo(
                QRectF(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner), a0 + span, -span);
            segment.closeSubpath();
            if (on) {
                Paint::glow(p, segment, QColor(255, 50, 40, 170), 0, 6);
                QConicalGradient g(c, a0);
                g.setColorAt(0, Style::glowSoft);
                g.setColorAt(span / 360.0, Style::accent);
                p.fillPath(segment, g);
                Paint::innerGlow(p, segment, QColor(255, 160, 140, 120), 3);
            } else {
                QRadialGradient g(c, outer);
                g.setColorAt(qreal(inner) / outer, QColor("#1e1e20"));
                g.setColorAt(1, QColor("#2c2c2e"));
                p.fillPath(segment, g);
            }
            p.setPen(QPen(on ? QColor("#ff7a6a") : QColor("#3c3c3e"), 1));
            p.setBrush(Qt::NoBrush);
            p.drawPath(segment);
            const qreal mid = qDegreesToRadians(startAngles[q] + 45.0);
            const qreal rr = (outer + inner) / 2;
            const QPointF at(c.x() + rr * qCos(mid), c.y() - rr * qSin(mid));
            Paint::text(p, QRectF(at.x() - 16, at.y() - 6, 32, 12), Qt::AlignCenter, labels[q],
                Paint::font(Style::condensedFamily, 9, 700), on ? Style::text : QColor("#8a8a8a"));
        }

        QPainterPath hub;
        hub.addEllipse(c, inner - 7, inner - 7);
        QRadialGradient hubFill(c - QPointF(0, 12), inner);
        hubFill.setColorAt(0, QColor("#1d1d1f"));
        hubFill.setColorAt(1, QColor("#070707"));
        p.fillPath(hub, hubFill);
        p.setPen(QPen(alpha(Style::accentBright, 170), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(hub);

        // Pointer on the hub towards the chosen quadrant.
        const qreal mid = qDegreesToRadians(startAngles[picture] + 45.0);
        const QPointF dir(qCos(mid), -qSin(mid));
        const QPointF normal(-dir.y(), dir.x());
        const qreal tip = inner - 8;
        QPainterPath pointer;
        pointer.moveTo(c + dir * tip);
        pointer.lineTo(c + dir * (tip - 7) + normal * 4);
        pointer.lineTo(c + dir * (tip - 7) - normal * 4);
        pointer.closeSubpath();
        p.fillPath(pointer, Style::glowSoft);

        const int rates[] = {125, 250, 500, 1000};
        Paint::text(p, QRectF(c.x() - 30, c.y() - 14, 60, 20), Qt::AlignCenter,
            QString::number(rates[picture]), Paint::font(Style::latinFamily, 17, 700), Style::text);
        if (chinese)
            Paint::text(p, QRectF(c.x() - 30, c.y() + 5, 60, 14), Qt::AlignCenter,
                QString::fromUtf8("\u6b21/\u79d2"), Paint::font(Style::cjkFamily, 10),
                Style::textDim);
        else
            Paint::text(p, QRectF(c.x() - 30, c.y() + 5, 60, 14), Qt::AlignCenter, "Hz",
                Paint::font(Style::latinFamily, 10, 600, 1), Style::textDim);
    };
}

Draw speedDial(int value)
{
    return [value](QPainter &p, const QSize &s) {
        const QPointF c(71.5, 70);
        const qreal outer = 66;
        const qreal inner = 53;
        const QRectF ro(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer);
        const QRectF ri(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner);
        for (int k = 1; k <= 10; ++k) {
            const qreal a0 = 180 - 18 * k + 1.2;
            const qreal span = 18 - 2.4;
            QPainterPath segment;
            segment.arcMoveTo(ro, a0);
            segment.arcTo(ro, a0, span);
            segment.arcTo(ri, a0 + span, -span);
            segment.closeSubpath();
            const bool lit = k <= value;
            if (lit) {
                const qreal t = (k - 1) / 9.0;
                QColor from = Style::accent;
                QColor to = Style::glow;
                QColor mix = QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * t,
                    from.greenF() + (to.greenF() - from.greenF()) * t,
                    from.blueF() + (to.blueF() - from.blueF()) * t);
                if (k == value)
                    Paint::glow(p, segment, QColor(255, 50, 40, 170), 0, 5);
                QRadialGradient g(c, outer);
                g.setColorAt(inner / outer, mix.darker(125));
                g.setColorAt(1, mix);
                p.fillPath(segment, g);
            } else {
                QRadialGradient g(c, outer);
                g.setColorAt(inner / outer, QColor("#1b1b1d"));
                g.setColorAt(1, QColor("#2a2a2c"));
                p.fillPath(segment, g);
            }
            p.setPen(QPen(lit ? QColor(255, 140, 120, 160) : QColor("#38383a"), 0.8));
            p.setBrush(Qt::NoBrush);
            p.drawPath(segment);
        }
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        for (int k = 0; k <= 20; ++k) {
            const qreal a = qDegreesToRadians(180.0 - 9.0 * k);
            const qreal r0 = k % 2 ? 47 : 44;
            p.drawLine(
                c + QPointF(qCos(a) * r0, -qSin(a) * r0), c + QPointF(qCos(a) * 50, -qSin(a) * 50));
        }
        const qreal needleAngle
            = qDegreesToRadians(value <= 0 ? 180.0 : 180.0 - (qMin(value, 10) * 18 - 9));
        const QPointF dir(qCos(needleAngle), -qSin(needleAngle));
        const QPointF normal(-dir.y(), dir.x());
        QPainterPath needle;
        needle.moveTo(c + dir * 46);
        needle.lineTo(c + normal * 3.2);
        needle.lineTo(c - dir * 6);
        needle.lineTo(c - normal * 3.2);
        needle.closeSubpath();
        Paint::glow(p, needle, QColor(255, 60, 50, 120), 0, 3);
        QLinearGradient ng(c - normal * 3, c + normal * 3);
        ng.setColorAt(0, QColor("#ff7a6a"));
        ng.setColorAt(1, QColor("#b02a24"));
        p.fillPath(needle, ng);
        Paint::knob(p, c, 7);
        Q_UNUSED(s);
    };
}

Draw scrollArrow(bool up, bool hover)
{
    return [up, hover](QPainter &p, const QSize &s) {
        QPainterPath base;
        base.addRoundedRect(full(s).adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
        p.fillPath(base, hover ? Style::accent : QColor("#222224"));
        p.setPen(QPen(hover ? Style::accentBright : QColor("#3e3e40"), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(base);
        QPainterPath tri;
        const qreal cx = s.width() / 2.0;
        if (up) {
            tri.moveTo(cx, 1.6);
            tri.lineTo(cx + 2.6, 4.4);
            tri.lineTo(cx - 2.6, 4.4);
        } else {
            tri.moveTo(cx - 2.6, 1.6);
            tri.lineTo(cx + 2.6, 1.6);
            tri.lineTo(cx, 4.4);
        }
        tri.closeSubpath();
        p.fillPath(tri, hover ? Style::text : QColor("#bdbdbd"));
    };
}

const QList<qreal> xyCentres {10, 30, 52, 74, 95, 116, 137, 159, 180, 200};
const QList<qreal> lightStops {4, 34, 63, 93, 122};

void xyNumbers(QPainter &p, const QSize &s)
{
    const QFont f = Paint::font(Style::condensedFamily, 9);
    for (int i = 0; i < xyCentres.size(); ++i)
        Paint::text(p, QRectF(xyCentres.at(i) - 10, 0, 20, s.height()), Qt::AlignCenter,
            QString::number(i + 1), f, Style::textDim);
}

void padArea(QPainter &p, const QSize &s)
{
    Paint::inset(p, full(s), 4);
    const QPointF c(s.width() / 2.0, s.height() / 2.0);
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    for (int x = 10; x < s.width(); x += 10) {
        p.drawLine(QPointF(x + 0.5, 3), QPointF(x + 0.5, s.height() - 3));
        p.drawLine(QPointF(3, x + 0.5), QPointF(s.width() - 3, x + 0.5));
    }
    p.setPen(QPen(alpha(Style::accentBright, 130), 1));
    p.drawLine(QPointF(c.x(), 4), QPointF(c.x(), s.height() - 4));
    p.drawLine(QPointF(4, c.y()), QPointF(s.width() - 4, c.y()));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 24), 1));
    p.drawEllipse(c, 25, 25);
    p.drawEllipse(c, 50, 50);
}

void padDot(QPainter &p, const QSize &s)
{
    QPainterPath dot;
    const QPointF c(s.width() / 2.0, s.height() / 2.0);
    dot.addEllipse(c, 3.2, 3.2);
    Paint::glow(p, dot, QColor(255, 60, 50, 220), 0, 4);
    QRadialGradient g(c - QPointF(1, 1), 4);
    g.setColorAt(0, QColor("#ffb0a4"));
    g.setColorAt(1, Style::glowSoft);
    p.fillPath(dot, g);
}

Draw mouseButton(Mouse::View view, int button, bool selected)
{
    return [view, button, selected](QPainter &p, const QSize &s) {
        p.drawImage(0, 0, Mouse::cutButton(view, button, selected, s));
    };
}

} // namespace

QHash<QString, std::function<QImage(const QSize &)>> pictures()
{
    QHash<QString, Draw> d;
    d["-/background"] = background;
    d["index/powerOn"] = powerOn;
    d["index/mainLogo"] = mainLogo;
    d["index/btnAsk"] = windowButton(0, false);
    d["index/btnAskHover"] = windowButton(0, true);
    d["index/btnMinimize"] = windowButton(1, false);
    d["index/btnMinimizeHover"] = windowButton(1, true);
    d["index/btnClose"] = windowButton(2, false);
    d["index/btnCloseHover"] = windowButton(2, true);
    d["index/resetBtn"] = plate(State::Normal);
    d["index/resetBtnHover"] = plate(State::Hover);
    d["index/sureBg"] = dialog;
    d["index/profileBtn"] = plate(State::Normal);
    d["index/profileBtnHover"] = plate(State::Hover);
    d["index/macroBtn"] = iconPlate(State::Normal, false);
    d["index/macroBtnHover"] = iconPlate(State::Hover, false);
    d["index/gunBtn"] = iconPlate(State::Normal, true);
    d["index/gunBtnHover"] = iconPlate(State::Hover, true);
    d["index/scrollTrack"] = scrollTrack;

    d["dpiSetting/dpiSliderBg"] = dpiTrack;
    d["dpiSetting/dpiSliderBtn"] = dpiHandle;
    d["dpiSetting/dpiSelect0"] = tinyCheck(false);
    d["dpiSetting/dpiSelect1"] = tinyCheck(true);
    d["dpiSetting/hueBar"] = hueBar;
    d["dpiSetting/hueSlider"] = hueSlider;

    d["lightControl/radio0"] = [](QPainter &p, const QSize &s) { Paint::radio(p, full(s), false); };
    d["lightControl/radio1"] = [](QPainter &p, const QSize &s) { Paint::radio(p, full(s), true); };
    for (int level = 0; level < 5; ++level)
        d[QString("lightControl/lightSlider%1").arg(level)] = stepSlider(lightStops, level);
    d["lightControl/lightSliderBtn"] = lightHandle;
    d["lightControl/lightScale0"] = scale({"0%", "25%", "50%", "75%", "100%"}, lightStops);
    d["lightControl/lightScale1"] = scale({"4s", "5s", "6s", "7s", "8s"}, lightStops);
    d["lightControl/lightScale2"] = scale({"3s", "6s", "9s", "12s", "15s"}, lightStops);

    for (int i = 0; i < 4; ++i) {
        d[QString("reportRate/reportRate%1").arg(i)] = reportDial(i, true);
        d[QString("reportRate/reportRateEn%1").arg(i)] = reportDial(i, false);
    }
    for (int v = 0; v <= 10; ++v)
        d[QString("mouseRate/mouseRate%1").arg(v)] = speedDial(v);

    d["scrollRate/scrollRate0"]
        = [](QPainter &p, const QSize &s) { Paint::radio(p, full(s), false); };
    d["scrollRate/scrollRate1"]
        = [](QPainter &p, const QSize &s) { Paint::radio(p, full(s), true); };
    d["scrollRate/scrollRate2"] = inputField;
    d["scrollRate/scrollRate3"] = scrollArrow(true, false);
    d["scrollRate/scrollRate4"] = scrollArrow(true, true);
    d["scrollRate/scrollRate5"] = scrollArrow(false, false);
    d["scrollRate/scrollRate6"] = scrollArrow(false, true);

    for (int step = 0; step < 10; ++step)
        d[QString("xySetting/xy%1").arg(step)] = stepSlider(xyCentres, step);
    d["xySetting/xyBtn"] = [](QPainter &p, const QSize &s) {
        Paint::knob(p, QPointF(s.width() / 2.0, s.height() / 2.0), s.width() / 2.0 - 1.5);
    };
    d["xySetting/xyNumber"] = xyNumbers;

    const QPoint frontBody(328, 70);
    const QPoint sideBody(295, 180);
    d["mouse/mouseFront"] = [frontBody](QPainter &p, const QSize &s) {
        p.drawImage(0, 0, Mouse::cutBody(Mouse::View::Front, frontBody, s));
    };
    d["mouse/mouseSide"] = [sideBody](QPainter &p, const QSize &s) {
        p.drawImage(0, 0, Mouse::cutBody(Mouse::View::Side, sideBody, s));
    };
    for (int b = 0; b < Mouse::buttonCount; ++b) {
        d[QString("mouse/frontKey%1").arg(b)] = mouseButton(Mouse::View::Front, b, false);
        d[QString("mouse/frontKey%1Sel").arg(b)] = mouseButton(Mouse::View::Front, b, true);
        d[QString("mouse/sideKey%1").arg(b)] = mouseButton(Mouse::View::Side, b, false);
        d[QString("mouse/sideKey%1Sel").arg(b)] = mouseButton(Mouse::View::Side, b, true);
    }
    d["mouse/viewBtn"] = plate(State::Normal, 12);
    d["mouse/viewBtnHover"] = plate(State::Hover, 12);
    d["mouse/viewBtnSel"] = plate(State::Active, 12);

    d["profile/profileBG"] = profileBackground;
    d["profile/profileClose"] = closeGlyph(false);
    d["profile/profileCloseHover"] = closeGlyph(true);
    d["profile/profileNew"] = roundIcon(true, false);
    d["profile/profileNewHover"] = roundIcon(true, true);
    d["profile/profileDelete"] = roundIcon(false, false);
    d["profile/profileDeleteHover"] = roundIcon(false, true);

    for (const QString area : {"macros", "gun"}) {
        const QString pre = area == "macros" ? "macro" : "gun";
        d[area + "/" + pre + "Close"] = closeGlyph(false);
        d[area + "/" + pre + "CloseHover"] = closeGlyph(true);
        d[area + "/" + pre + "Delay"] = actionIcon(0);
        d[area + "/" + pre + "Down"] = actionIcon(1);
        d[area + "/" + pre + "Up"] = actionIcon(2);
        d[area + "/" + pre + "Check0"]
            = [](QPainter &p, const QSize &s) { Paint::check(p, full(s), false); };
        d[area + "/" + pre + "Check1"]
            = [](QPainter &p, const QSize &s) { Paint::check(p, full(s), true); };
        d[area + "/" + pre + "Radio0"]
            = [](QPainter &p, const QSize &s) { Paint::radio(p, full(s), false); };
        d[area + "/" + pre + "Radio1"]
            = [](QPainter &p, const QSize &s) { Paint::radio(p, full(s), true); };
        d[area + "/" + pre + "Record"] = recordPlate(State::Normal, false);
        d[area + "/" + pre + "RecordHover"] = recordPlate(State::Hover, false);
        d[area + "/" + pre + "Recording"] = recordPlate(State::Normal, true);
        d[area + "/" + pre + "Button"] = plate(State::Normal);
        d[area + "/" + pre + "ButtonHover"] = plate(State::Hover);
        d[area + "/" + pre + "Input"] = inputField;
    }
    d["macros/macroEditorBg"] = editorDialog;
    d["macros/macroKeyBg"] = dialog;
    d["macros/singleKeyBg"] = dialog;
    d["macros/macroCombo"] = combo;
    d["gun/gunControlBg"] = editorDialog;
    d["gun/gunDialogBg"] = dialog;
    d["gun/gunCursor"] = actionIcon(3);
    d["gun/gunPad"] = padArea;
    d["gun/gunPadDot"] = padDot;

    QHash<QString, std::function<QImage(const QSize &)>> result;
    for (auto it = d.cbegin(); it != d.cend(); ++it) {
        const Draw draw = it.value();
        result.insert(it.key(), [draw](const QSize &size) { return paintWith(size, draw); });
    }
    return result;
}

QImage trayIconImage(int size)
{
    return paintWith(QSize(size, size), [](QPainter &p, const QSize &s) {
        const qreal m = s.width() / 16.0;
        QPainterPath tile;
        tile.addRoundedRect(full(s).adjusted(0.5, 0.5, -0.5, -0.5), 3 * m, 3 * m);
        QLinearGradient g(QPointF(0, 0), QPointF(0, s.height()));
        g.setColorAt(0, QColor("#2a2a2c"));
        g.setColorAt(1, QColor("#0e0e0f"));
        p.fillPath(tile, g);
        if (s.width() >= 32) {
            p.setPen(QPen(Style::accent, qMax<qreal>(1, m * 0.6)));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tile);
        }
        const qreal inset = s.width() * 0.12;
        const QRectF r(inset + m * 0.3, inset * 0.8, s.width() - 2 * inset - m * 0.6,
            s.height() - 1.6 * inset);
        if (s.width() >= 32) {
            Paint::drawEmblem(p, r);
        } else {
            // At the smallest sizes the glow only muddies the shape.
            QLinearGradient f(r.topLeft(), r.bottomRight());
            f.setColorAt(0, QColor("#ff6a5c"));
            f.setColorAt(1, Style::glowSoft);
            p.fillPath(Paint::emblem(r), f);
        }
    });
}
