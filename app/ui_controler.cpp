#include "app/ui_controler.h"

#include <QMetaObject>
#include <QQmlContext>
#include <QQuickItem>
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
void load(QQuickWidget *view, const char *document)
{
    view->setSource(QUrl(QString::fromLatin1(document)));
    for (const QQmlError &error : view->errors())
        qWarning("%s", qPrintable(error.toString()));
}
} // namespace

void Ui_Controler::setupUi(QWidget *mainWindow, bool startDocumentFirst)
{
    if (mainWindow->objectName().isEmpty())
        mainWindow->setObjectName("Widget");
    mainWidget = mainWindow;
    mainWindow->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    mainWindow->setWindowOpacity(1.0);
    mainWindow->setAttribute(Qt::WA_TranslucentBackground, true);
    mainWindow->setStyleSheet("background:transparent;");

    quickView
        = new myQQuickView(new AppSettings(mainWindow), new ProfileSet(mainWindow), mainWindow);
    quickView->setObjectName("ui_View");
    if (startDocumentFirst)
        load(quickView, "qrc:modules/qml/start.qml");
    else
        loadMainDocument();
    QQmlContext *context = quickView->rootContext();
    context->setContextProperty("ui_View", quickView);
    context->setContextProperty("ui_Ctl", this);
    mainWindow->resize(quickView->size());
    mainWindow->setWindowTitle(quickView->applicationSettings()->windowTitle());
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
    if (mainWidget)
        mainWidget->showMinimized();
}

void Ui_Controler::onClose()
{
    if (!mainWidget)
        return;
    if (isTrayAvailable())
        mainWidget->setVisible(false);
    else
        mainWidget->showMinimized();
}

// Closing the window ends the program, the way the tray menu's quit does.
void Ui_Controler::onQuit()
{
    if (mainWidget)
        mainWidget->close();
}

bool Ui_Controler::isTrayAvailable()
{
    return trayCheck ? trayCheck() : QSystemTrayIcon::isSystemTrayAvailable();
}

void Ui_Controler::onXChanged(int x)
{
    if (mainWidget)
        mainWidget->move(mainWidget->x() + x, mainWidget->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (mainWidget)
        mainWidget->move(mainWidget->x(), mainWidget->y() + y);
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
