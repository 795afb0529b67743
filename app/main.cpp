#include <QDir>

#include "app/inputhookcallbacks.h"
#include "app/inputhookmanager.h"
#include "app/qtsinglecoreapplication.h"
#include "app/widget.h"
#include "device/hidtrace.h"

int main(int argc, char *argv[])
{
    QtSingleCoreApplication app(argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QString(), 5000);
        return 1;
    }

    // Before the working directory moves, so that a relative trace name means the start folder.
    HidTrace::begin();
    // Every data path is relative to the executable's folder.
    QString folder = QCoreApplication::applicationFilePath();
    folder.truncate(folder.lastIndexOf('/'));
    QDir::setCurrent(folder);

    Widget window;
    QObject::connect(
        &app, &QtSingleCoreApplication::messageReceived, &window, &Widget::receiveMessage);

    InputHookManager hooks(false);
    InputHookCallbacks::registerAll(&window);

    window.showNormal();
    window.checkDevice();
    const int result = app.exec();
    // The callbacks point at the window: the hooks go before it does.
    hooks.remove();
    return result;
}
