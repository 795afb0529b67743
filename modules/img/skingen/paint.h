#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace Paint {

enum class State { Normal, Hover, Active };

QImage canvas(int width, int height);
QImage blurred(const QImage &image, int radius);
void glow(QPainter &p, const QPainterPath &path, const QColor &color, qreal width, int radius);
void innerGlow(QPainter &p, const QPainterPath &path, const QColor &color, int radius);
void dropShadow(
    QPainter &p, const QPainterPath &path, const QPointF &offset, int radius, qreal alpha);

QFont font(const QString &family, qreal pixelSize, int weight = 400, qreal spacing = 0);
void text(QPainter &p, const QRectF &rect, int flags, const QString &value, const QFont &font,
    const QColor &color);

void plate(QPainter &p, const QRectF &rect, qreal radius, State state);
void panel(QPainter &p, const QRectF &rect, qreal radius, int titleHeight);
void inset(QPainter &p, const QRectF &rect, qreal radius);
void radio(QPainter &p, const QRectF &rect, bool on);
void check(QPainter &p, const QRectF &rect, bool on);
void knob(QPainter &p, const QPointF &centre, qreal radius);

void glyphCross(QPainter &p, const QRectF &rect, const QColor &color, qreal pen);
void glyphMinus(QPainter &p, const QRectF &rect, const QColor &color, qreal pen);
void glyphPlus(QPainter &p, const QRectF &rect, const QColor &color, qreal pen);
void glyphQuestion(QPainter &p, const QRectF &rect, const QColor &color);
void glyphClock(QPainter &p, const QRectF &rect, const QColor &color);
void glyphArrow(QPainter &p, const QRectF &rect, const QColor &color, bool down);
void glyphCrosshair(QPainter &p, const QRectF &rect, const QColor &color);
void glyphMacro(QPainter &p, const QRectF &rect, const QColor &color);

QPainterPath emblem(const QRectF &rect);
void drawEmblem(QPainter &p, const QRectF &rect);

} // namespace Paint
