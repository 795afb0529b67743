#include "app/ui_controler.h"

#include <QMetaObject>
#include <QQmlContext>
#include <QQuickItem>
#include <QSurfaceFormat>
#include <QSystemTrayIcon>

#include "bridge/myqquickview.h"
#include "store/appsettings.h"
#include "store/profileset.h"

Ui_Controler::Ui_Controler(QObject *parent)
    : QObject(parent)
{
}

Ui_Controler::~Ui_Controler()
{
    // The view's document calls this controller.
    delete quickView;
}

myQQuickView *Ui_Controler::view() const
{
    return quickView;
}

namespace {
void load(QQuickView *view, const char *document)
{
    view->setSource(QUrl(QString::fromLatin1(document)));
    for (const QQmlError &error : view->errors())
        qWarning("%s", qPrintable(error.toString()));
}
} // namespace

void Ui_Controler::setupUi(QObject *owner, bool startDocumentFirst)
{
    if (owner->objectName().isEmpty())
        owner->setObjectName("Widget");
    quickView = new myQQuickView(new AppSettings(owner), new ProfileSet(owner));
    quickView->setObjectName("ui_View");
    quickView->setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    // Rounded corners: the window has an alpha channel and no background of its own.
    QSurfaceFormat format = quickView->format();
    format.setAlphaBufferSize(8);
    quickView->setFormat(format);
    quickView->setColor(Qt::transparent);
    quickView->setResizeMode(QQuickView::SizeViewToRootObject);
    QQmlContext *context = quickView->rootContext();
    context->setContextProperty("ui_View", quickView);
    context->setContextProperty("ui_Ctl", this);
    if (startDocumentFirst)
        load(quickView, "qrc:modules/qml/start.qml");
    else
        loadMainDocument();
    quickView->setTitle(quickView->applicationSettings()->windowTitle());
}

void Ui_Controler::loadMainDocument()
{
    if (mainLoaded || !quickView)
        return;
    mainLoaded = true;
    load(quickView, "qrc:modules/qml/main.qml");
}

void Ui_Controler::onMinimize()
{
    if (quickView)
        quickView->showMinimized();
}

void Ui_Controler::onClose()
{
    if (!quickView)
        return;
    if (isTrayAvailable())
        quickView->setVisible(false);
    else
        quickView->showMinimized();
}

// Closing the window ends the program, the way the tray menu's quit does.
void Ui_Controler::onQuit()
{
    if (quickView)
        quickView->close();
}

bool Ui_Controler::isTrayAvailable()
{
    return trayCheck ? trayCheck() : QSystemTrayIcon::isSystemTrayAvailable();
}

void Ui_Controler::onXChanged(int x)
{
    if (quickView)
        quickView->setX(quickView->x() + x);
}

void Ui_Controler::onYChanged(int y)
{
    if (quickView)
        quickView->setY(quickView->y() + y);
}

void Ui_Controler::setBusy(int busyTime)
{
    if (!quickView || !quickView->rootObject())
        return;
    QMetaObject::invokeMethod(quickView->rootObject(), "setProtectUI", Qt::DirectConnection,
        Q_ARG(QVariant, QVariant(busyTime)));
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}
