#include <QDir>
#include <QStringList>
#include <QTimer>

#include "app/cliprocess.h"
#include "app/footprint.h"
#include "app/inputhookcallbacks.h"
#include "app/inputhookmanager.h"
#include "app/qtsinglecoreapplication.h"
#include "app/scenegraph.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/hidtrace.h"
#include "device/virtualcontrol.h"
#include "store/datatree.h"
#include "store/leftovers.h"

int main(int argc, char *argv[])
{
    if (CliProcess::wanted(argc, argv))
        return CliProcess::run(argc, argv);
    QtSingleCoreApplication app(argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QString(), 5000);
        return 1;
    }

    SceneGraph::chooseBackend();
    // Before the working directory moves, so that a relative trace name means the start folder.
    HidTrace::begin();
    // Every data path is relative to the data tree's folder.
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const DataTree::Choice tree = DataTree::choose(executableFolder,
        DataTree::installedFactoryRoot(executableFolder), DataTree::userDataRoot());
    if (!tree.problem.isEmpty())
        qWarning("data tree: %s", qPrintable(tree.problem));
    QDir::setCurrent(tree.root.isEmpty() ? executableFolder : tree.root);
    // One copy runs per data tree, so whatever a killed run left there is nobody's now.
    Leftovers::cleanSettingsFolders();

    // Started at login: the program waits in the tray until it is called.
    const bool hidden = app.arguments().contains(QStringLiteral("--hidden"));
    // Shown: the logo is drawn first and the main screen is built behind it.
    Widget window(
        nullptr, hidden ? Widget::FirstDocument::MainScreen : Widget::FirstDocument::Logo);
    VirtualDeviceControl::startFromEnvironment(&window);
    QObject::connect(
        &app, &QtSingleCoreApplication::messageReceived, &window, &Widget::receiveMessage);
    CliProcess::serve(app, window);

    InputHookManager hooks(false);
    InputHookCallbacks::registerAll(&window);

    Footprint footprint(window.bridge());
    // What start-up needed only once is given back when the pages are filled.
    const auto checkDevice = [&window, &footprint] {
        window.checkDevice();
        QTimer::singleShot(0, &footprint, &Footprint::trim);
    };
    if (hidden) {
        checkDevice();
    } else {
        window.showNormal();
        // The check builds the main screen and fills its pages; the logo shows before that.
        SceneGraph::afterFirstFrame(window.bridge(), checkDevice);
    }
    const int result = app.exec();
    // The callbacks point at the window: the hooks go before it does.
    hooks.remove();
    return result;
}
