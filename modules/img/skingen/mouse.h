#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPoint>

// The mouse is drawn once per view on a window-sized canvas, so every button
// picture cut from it lines up exactly with the body picture.
namespace Mouse {

enum class View { Front, Side };

constexpr int buttonCount = 8;

QPoint buttonOrigin(View view, int button);
QPainterPath buttonShape(View view, int button);
QImage render(View view, int highlighted);
QImage cutButton(View view, int button, bool highlighted, const QSize &size);
QImage cutBody(View view, const QPoint &origin, const QSize &size);

} // namespace Mouse
