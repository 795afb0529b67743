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
// the line is printed from the event loop, after that paint was flushed.
class FirstFrameWatch : public QObject
{
public:
    explicit FirstFrameWatch(QQuickWidget *view)
        : QObject(view)
        , view(view)
    {
        connect(
            view->quickWindow(), &QQuickWindow::afterRendering, this, [this] { rendered = true; },
            Qt::DirectConnection);
        view->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == view && event->type() == QEvent::Paint && rendered && !reported) {
            reported = true;
            QTimer::singleShot(0, this, &FirstFrameWatch::report);
        }
        return false;
    }

private:
    void report()
    {
        if (!view)
            return;
        view->removeEventFilter(this);
        std::printf("first frame %s\n", SceneGraph::backendName(view));
        std::fflush(stdout);
    }

    QPointer<QQuickWidget> view;
    bool rendered = false;
    bool reported = false;
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

void SceneGraph::reportFirstFrameIfAsked(QQuickWidget *view)
{
    if (view && qEnvironmentVariableIsSet("SKELDA_REPORT_FIRST_FRAME"))
        new FirstFrameWatch(view);
}
