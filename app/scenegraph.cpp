#include "app/scenegraph.h"

#include <QEvent>
#include <QPointer>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>

#include <cstdio>

namespace {
// Paint events of the view reach the window only after its scene was rendered once;
// the work runs from the event loop, after that paint was flushed.
class FirstFrameWatch : public QObject
{
public:
    FirstFrameWatch(QQuickWidget *view, std::function<void()> then, int latestMs)
        : QObject(view)
        , view(view)
        , then(std::move(then))
    {
        connect(
            view->quickWindow(), &QQuickWindow::afterRendering, this, [this] { rendered = true; },
            Qt::DirectConnection);
        view->installEventFilter(this);
        QTimer::singleShot(latestMs, this, [this] { finish(false); });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == view && event->type() == QEvent::Paint && rendered && !painted) {
            painted = true;
            QTimer::singleShot(0, this, [this] { finish(true); });
        }
        return false;
    }

private:
    void finish(bool shown)
    {
        if (done || !view)
            return;
        done = true;
        view->removeEventFilter(this);
        if (shown && qEnvironmentVariableIsSet("SKELDA_REPORT_FIRST_FRAME")) {
            std::printf("first frame %s\n", SceneGraph::backendName(view));
            std::fflush(stdout);
        }
        if (then)
            then();
        deleteLater();
    }

    QPointer<QQuickWidget> view;
    std::function<void()> then;
    bool rendered = false;
    bool painted = false;
    bool done = false;
};
} // namespace

void SceneGraph::chooseBackend()
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")
        && qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

const char *SceneGraph::backendName(const QQuickWidget *view)
{
    const QSGRendererInterface *renderer = view->quickWindow()->rendererInterface();
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

void SceneGraph::afterFirstFrame(QQuickWidget *view, std::function<void()> then, int latestMs)
{
    if (view)
        new FirstFrameWatch(view, std::move(then), latestMs);
    else if (then)
        then();
}
