#pragma once

#include <functional>

class QQuickWindow;

namespace SceneGraph {
// The window is pictures and text: Qt Quick's software renderer draws it without the
// memory of a GL driver. A backend named in QT_QUICK_BACKEND or QSG_RHI_BACKEND wins.
// Call before the first Qt Quick object exists.
void chooseBackend();

// The renderer's name ("software", "opengl", ...) as the view reports it.
const char *backendName(const QQuickWindow *view);

// Runs `then` from the event loop once the first picture of the scene has reached the
// window, or after `latestMs` when the window paints nothing by then.
// With SKELDA_REPORT_FIRST_FRAME set, also prints "first frame <renderer>" on standard
// output at that first picture.
void afterFirstFrame(QQuickWindow *view, std::function<void()> then, int latestMs = 3000);
} // namespace SceneGraph
