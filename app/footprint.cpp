#include "app/footprint.h"

#include <QEvent>
#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickView>
#include <QTimer>

Footprint::Footprint(QQuickView *view)
    : view(view)
    , watchedWindow(view)
{
    // The scene graph goes when the window goes to the tray; it is rebuilt from the items.
    view->setPersistentSceneGraph(false);
    view->installEventFilter(this);
}

bool Footprint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Hide || watched != watchedWindow)
        return false;
    // Minimising hides nothing that a trim would free; only the tray counts.
    if (!static_cast<QWindow *>(watched)->windowStates().testFlag(Qt::WindowMinimized))
        QTimer::singleShot(0, this, [this] {
            if (view && !view->isVisible())
                trim();
        });
    return false;
}

void Footprint::trim()
{
    ++trims;
    if (view) {
        view->engine()->collectGarbage();
        view->engine()->trimComponentCache();
        view->releaseResources();
    }
    QPixmapCache::clear();
    returnFreeHeap();
}
