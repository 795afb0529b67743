#pragma once

class QQuickWidget;

namespace SceneGraph {
// The window is pictures and text: Qt Quick's software renderer draws it without the
// memory of a GL driver. A backend named in QT_QUICK_BACKEND or QSG_RHI_BACKEND wins.
// Call before the first Qt Quick object exists.
void chooseBackend();

// The renderer's name ("software", "opengl", ...) as the view reports it.
const char *backendName(const QQuickWidget *view);

// With SKELDA_REPORT_FIRST_FRAME set, prints "first frame <renderer>" on standard output
// once the first picture of the scene has been painted into the window and flushed.
void reportFirstFrameIfAsked(QQuickWidget *view);
} // namespace SceneGraph
