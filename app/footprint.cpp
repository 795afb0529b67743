#include "app/footprint.h"

#include <QEvent>
#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickView>
#include <QTimer>

Footprint::Footprint(QQuickView *view)
    : view(view)
{
    // The scene graph goes when the window goes to the tray; it is rebuilt from the items.
    view->setPersistentSceneGraph(false);
    view->installEventFilter(this);
}

bool Footprint::eventFilter(QObject *watched, QEvent *event)
{
    // Minimising hides nothing that a trim would free; only the tray counts.
    if (watched == view && event->type() == QEvent::Hide
        && !view->windowStates().testFlag(Qt::WindowMinimized))
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
