#include "app/scenegraph.h"

#include <QPointer>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>

#include <cstdio>

namespace {
// The first frame counts once the software renderer has flushed it to the window, or the
// GL renderer has swapped it; the work runs from the event loop after that.
class FirstFrameWatch : public QObject
{
public:
    FirstFrameWatch(QQuickWindow *view, std::function<void()> then, int latestMs)
        : QObject(view)
        , view(view)
        , then(std::move(then))
    {
        connect(view, &QQuickWindow::frameSwapped, this,
            [this] { QTimer::singleShot(0, this, [this] { finish(true); }); });
        QTimer::singleShot(latestMs, this, [this] { finish(false); });
    }

private:
    void finish(bool shown)
    {
        if (done || !view)
            return;
        done = true;
        if (shown && qEnvironmentVariableIsSet("SKELDA_REPORT_FIRST_FRAME")) {
            std::printf("first frame %s\n", SceneGraph::backendName(view));
            std::fflush(stdout);
        }
        if (then)
            then();
        deleteLater();
    }

    QPointer<QQuickWindow> view;
    std::function<void()> then;
    bool done = false;
};
} // namespace

void SceneGraph::chooseBackend()
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")
        && qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

const char *SceneGraph::backendName(const QQuickWindow *view)
{
    const QSGRendererInterface *renderer = view->rendererInterface();
    switch (renderer ? renderer->graphicsApi() : QSGRendererInterface::Unknown) {
    case QSGRendererInterface::Software:
        return "software";
    case QSGRendererInterface::OpenVG:
        return "openvg";
    case QSGRendererInterface::OpenGL:
        return "opengl";
    case QSGRendererInterface::Direct3D11:
        return "d3d11";
    case QSGRendererInterface::Vulkan:
        return "vulkan";
    case QSGRendererInterface::Metal:
        return "metal";
    case QSGRendererInterface::Null:
        return "null";
    default:
        return "unknown";
    }
}

void SceneGraph::afterFirstFrame(QQuickWindow *view, std::function<void()> then, int latestMs)
{
    if (view)
        new FirstFrameWatch(view, std::move(then), latestMs);
    else if (then)
        then();
}
