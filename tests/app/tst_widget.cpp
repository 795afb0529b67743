#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QQmlContext>
#include <QQuickItem>
#include <QtTest>

#include "app/ui_controler.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/virtualhidbackend.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

namespace {
const char *recordingDocument = R"(import QtQuick
Item {
    width: 1000; height: 640
    property string log: ""
    function initUI() { log += "initUI;" }
    function run() { log += "run;" }
    function setProtectUI(busyTime) { log += "busy:" + busyTime + ";" }
    function detectKeyboard(isDown, usage) { log += "kb:" + isDown + ":" + usage + ";" }
    function detectMouse(isDown, code, x, y) { log += "ms:" + isDown + ":" + code + ":" + x + ":" + y + ";" }
}
)";

const char *inputDocument = R"(import QtQuick
Item {
    width: 1000; height: 640
    focus: true
    property int clicks: 0
    property int keys: 0
    Keys.onPressed: keys += 1
    MouseArea { anchors.fill: parent; onClicked: parent.clicks += 1 }
}
)";

struct KeyStep
{
    bool isDown;
    quint8 usage;
};
} // namespace

Q_DECLARE_METATYPE(QList<KeyStep>)

class tst_Widget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void constructionSetsUpTheWindow();
    void trayHasQuitMenuAndToolTip();
    void trayMenuIsStyledWhenItPopsUp();
    void trayIconComesFromTheDataFolder();
    void startUIRunsInitBeforeRun();
    void controllerMovesHidesAndLocks();
    void controllerWithoutWindowDoesNothing();
    void lockedWindowTakesNoInput();
    void hotKeyShowsHiddenWindow_data();
    void hotKeyShowsHiddenWindow();
    void restorePaths();
    void closeMinimisesWithoutTray();
    void quitFromTheWindowEndsTheLoop();
    void deviceChangesAreDebounced();
    void documentCallsAreQueued();
    void checkWithoutDeviceHidesTheWindow();
    void checkWithMouseStartsTheLinkAndTheDocument();
    void logoFirstThenTheMainScreen();
    void skinFoldersAreCounted_data();
    void skinFoldersAreCounted();
    void quitEndsTheLoopWithZero();
    void closingTheWindowEndsTheLoop();
    void closingABoxWhileHiddenKeepsRunning();

private:
    QString documentLog() const;
    void loadRecordingDocument();

    WorkFolder *folder = nullptr;
    Widget *window = nullptr;
};

void tst_Widget::init()
{
    folder = new WorkFolder(WorkFolder::ShippedSettings);
    folder->writeFile("recording.qml", recordingDocument);
    window = new Widget;
}

void tst_Widget::cleanup()
{
    delete window;
    window = nullptr;
    delete folder;
    folder = nullptr;
}

void tst_Widget::loadRecordingDocument()
{
    window->bridge()->setSource(QUrl::fromLocalFile(folder->filePath("recording.qml")));
    QVERIFY(window->bridge()->rootObject());
}

QString tst_Widget::documentLog() const
{
    return window->bridge()->rootObject()->property("log").toString();
}

void tst_Widget::constructionSetsUpTheWindow()
{
    QCOMPARE(window->objectName(), QString("Widget"));
    // The view is the window: frameless, and see-through where the document draws nothing.
    myQQuickView *view = window->bridge();
    QCOMPARE(view->flags(),
        Qt::WindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint));
    QCOMPARE(view->opacity(), 1.0);
    QCOMPARE(view->format().alphaBufferSize(), 8);
    QCOMPARE(view->color(), QColor(Qt::transparent));
    QCOMPARE(view->objectName(), QString("ui_View"));
    QCOMPARE(window->bridge()->hid, &window->link());
    QCOMPARE(window->windowTitle(), QString("DORNAK SKELDA MOUSE R740"));
    QQmlContext *context = window->bridge()->rootContext();
    QCOMPARE(context->contextProperty("ui_View").value<QObject *>(), window->bridge());
    QCOMPARE(context->contextProperty("ui_Ctl").value<QObject *>(), window->controller());
    QVERIFY(!context->contextProperty("hid").isValid());
    QVERIFY(!window->deviceCheckTimer().isActive());
    QCOMPARE(window->size(), QSize(1000, 640));
    // The view goes with the window.
    QPointer<myQQuickView> gone = view;
    delete window;
    window = nullptr;
    QVERIFY(gone.isNull());
}

void tst_Widget::trayHasQuitMenuAndToolTip()
{
    QSystemTrayIcon *tray = window->tray();
    QCOMPARE(tray->toolTip(), QString("DORNAK SKELDA MOUSE R740"));
    QMenu *menu = tray->contextMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 3);
    QCOMPARE(menu->actions().first()->text(), QString("Start at login"));
    QVERIFY(menu->actions().at(1)->isSeparator());
    QCOMPARE(menu->actions().last()->text(), QString("Quit (&Q)"));
    // Nothing of the menu's look is made at start, not even after the queued polish.
    QCoreApplication::sendPostedEvents(menu);
    QVERIFY(!menu->testAttribute(Qt::WA_WState_Polished));
    // What the menu looks like: dark with a grey frame and 22 pixel rows.
    menu->ensurePolished();
    const QImage look = menu->grab().toImage();
    QCOMPARE(QColor(look.pixel(0, 0)), QColor(100, 100, 100));
    QCOMPARE(QColor(look.pixel(2, 10)), QColor(68, 69, 73));
    QCOMPARE(menu->actionGeometry(menu->actions().first()).height(), 22);
    QVERIFY(tray->isVisible());
    // No icon file in the work folder: the icon stays empty, nothing breaks.
    QVERIFY(tray->icon().pixmap(16, 16).isNull());
    // Icon and menu go with the window.
    QPointer<QMenu> heldMenu = menu;
    QPointer<QSystemTrayIcon> heldTray = tray;
    delete window;
    window = nullptr;
    QVERIFY(heldMenu.isNull() && heldTray.isNull());
}

// The menu's first polish happens on the way to the screen: the first popup already has
// the dark rows of 22 pixels, with nothing done to it beforehand.
void tst_Widget::trayMenuIsStyledWhenItPopsUp()
{
    QMenu *menu = window->tray()->contextMenu();
    QCoreApplication::sendPostedEvents(menu);
    menu->popup(QPoint(20, 20));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->actionGeometry(menu->actions().first()).height(), 22);
    const QImage look = menu->grab().toImage();
    QCOMPARE(QColor(look.pixel(0, 0)), QColor(100, 100, 100));
    QCOMPARE(QColor(look.pixel(2, 10)), QColor(68, 69, 73));
    menu->hide();
}

void tst_Widget::trayIconComesFromTheDataFolder()
{
    delete window;
    QVERIFY(folder->copyShipped("img/trayIcon.ico"));
    window = new Widget;
    QVERIFY(!window->tray()->icon().pixmap(16, 16).isNull());
}

void tst_Widget::startUIRunsInitBeforeRun()
{
    loadRecordingDocument();
    window->startUI();
    QCOMPARE(documentLog(), QString());
    QTRY_COMPARE(documentLog(), QString("initUI;run;"));
}

void tst_Widget::controllerMovesHidesAndLocks()
{
    loadRecordingDocument();
    window->move(QPoint(100, 200));
    const QPoint start = window->pos();
    Ui_Controler *controller = window->controller();
    controller->onXChanged(-10);
    QCOMPARE(window->pos(), start + QPoint(-10, 0));
    controller->onYChanged(25);
    QCOMPARE(window->pos(), start + QPoint(-10, 25));
    controller->onXChanged(-500);
    QCOMPARE(window->pos().x(), start.x() - 510);

    window->show();
    controller->setTrayCheck([] { return true; });
    controller->onClose();
    QVERIFY(window->isHidden());

    controller->setBusy(500);
    QCOMPARE(documentLog(), QString("busy:500;"));
    controller->setBusy();
    QCOMPARE(documentLog(), QString("busy:500;busy:0;"));
}

void tst_Widget::controllerWithoutWindowDoesNothing()
{
    Ui_Controler controller;
    controller.onMinimize();
    controller.onClose();
    controller.onXChanged(5);
    controller.onYChanged(5);
    controller.setBusy(10);
    QVERIFY(!controller.view());
}

void tst_Widget::hotKeyShowsHiddenWindow_data()
{
    QTest::addColumn<QList<KeyStep>>("steps");
    QTest::addColumn<bool>("shown");
    QTest::newRow("shift alt f12")
        << QList<KeyStep> {{true, 0xE1}, {true, 0xE2}, {true, 0x45}} << true;
    QTest::newRow("right shift right alt")
        << QList<KeyStep> {{true, 0xE5}, {true, 0xE6}, {true, 0x45}} << true;
    QTest::newRow("alt first") << QList<KeyStep> {{true, 0xE6}, {true, 0xE1}, {true, 0x45}} << true;
    QTest::newRow("only shift") << QList<KeyStep> {{true, 0xE1}, {true, 0x45}} << false;
    QTest::newRow("only alt") << QList<KeyStep> {{true, 0xE2}, {true, 0x45}} << false;
    QTest::newRow("shift released")
        << QList<KeyStep> {{true, 0xE1}, {true, 0xE2}, {false, 0xE1}, {true, 0x45}} << false;
    QTest::newRow("alt released") << QList<KeyStep> {{true, 0xE1}, {true, 0xE2}, {false, 0xE2},
        {true, 0x45}} << false;
    QTest::newRow("control does not count")
        << QList<KeyStep> {{true, 0xE0}, {true, 0xE2}, {true, 0x45}} << false;
    QTest::newRow("f12 release") << QList<KeyStep> {{true, 0xE1}, {true, 0xE2}, {false, 0x45}}
                                 << false;
    QTest::newRow("other key") << QList<KeyStep> {{true, 0xE1}, {true, 0xE2}, {true, 0x44}}
                               << false;
}

void tst_Widget::hotKeyShowsHiddenWindow()
{
    QFETCH(QList<KeyStep>, steps);
    QFETCH(bool, shown);
    window->hide();
    for (const KeyStep &step : steps)
        window->trackHotKey(step.isDown, step.usage);
    QCOMPARE(window->isVisible(), shown);
}

void tst_Widget::restorePaths()
{
    window->hide();
    window->trayIconActivated(QSystemTrayIcon::DoubleClick);
    // A restore would be a posted event.
    QCoreApplication::sendPostedEvents();
    QVERIFY(window->isHidden());
    // A second start is the way back where no tray icon is: it needs no device.
    window->receiveMessage("anything");
    QTRY_VERIFY(window->isVisible());
    window->showMinimized();
    window->receiveMessage(QString());
    QTRY_VERIFY(!window->isMinimized());
    window->hide();

    VirtualHidBackend::installInto(window->link(), VirtualHidBackend::Attached::Mouse);
    loadRecordingDocument();
    window->checkDevice();
    QVERIFY(window->link().isDeviceReady());
    window->trayIconActivated(QSystemTrayIcon::Trigger);
    window->trayIconActivated(QSystemTrayIcon::MiddleClick);
    window->trayIconActivated(QSystemTrayIcon::Context);
    QCoreApplication::sendPostedEvents();
    QVERIFY(window->isHidden());

    window->trayIconActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(window->isHidden());
    QTRY_VERIFY(window->isVisible());

    window->hide();
    window->receiveMessage(QString());
    QVERIFY(window->isHidden());
    QTRY_VERIFY(window->isVisible());
}

void tst_Widget::closeMinimisesWithoutTray()
{
    Ui_Controler *controller = window->controller();
    controller->setTrayCheck([] { return false; });
    QVERIFY(!controller->isTrayAvailable());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window->bridge()));
    controller->onClose();
    QTRY_VERIFY(window->isMinimized());
    QVERIFY(!window->isHidden());
    window->receiveMessage(QString());
    QTRY_VERIFY(!window->isMinimized());
    QVERIFY(window->isVisible());
}

void tst_Widget::quitFromTheWindowEndsTheLoop()
{
    window->show();
    QTimer::singleShot(0, window->controller(), &Ui_Controler::onQuit);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    watchdog.start(3000);
    QCOMPARE(QCoreApplication::exec(), 0);
}

void tst_Widget::deviceChangesAreDebounced()
{
    QSignalSpy checks(&window->deviceCheckTimer(), &QTimer::timeout);
    QElapsedTimer sinceLast;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            QTest::qWait(1000);
        window->deviceChanged();
        sinceLast.start();
    }
    QVERIFY(checks.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(checks.size(), 1, 4000);
    const qint64 elapsed = sinceLast.elapsed();
    // A coarse timer may fire up to 5 % early; the interval itself is checked exactly.
    QCOMPARE(window->deviceCheckTimer().interval(), 2048);
    QVERIFY2(elapsed >= 1945 && elapsed < 2400, qPrintable(QString::number(elapsed)));
    // Single shot: a stopped timer fires no second check.
    QVERIFY(!window->deviceCheckTimer().isActive());
    QVERIFY(window->deviceCheckTimer().isSingleShot());
    QCOMPARE(checks.size(), 1);
}

void tst_Widget::documentCallsAreQueued()
{
    loadRecordingDocument();
    window->bridge()->detectKeyboard(true, 0x04);
    window->bridge()->detectKeyboard(false, 0x04);
    window->bridge()->detectMouse(true, 0xF1, 12, uint(-3));
    QCOMPARE(documentLog(), QString());
    QTRY_COMPARE(documentLog(), QString("kb:true:4;kb:false:4;ms:true:241:12:4294967293;"));
}

void tst_Widget::checkWithoutDeviceHidesTheWindow()
{
    auto device = VirtualHidBackend::installInto(window->link(), VirtualHidBackend::Attached::None);
    loadRecordingDocument();
    window->show();
    window->checkDevice();
    QVERIFY(!window->link().isDeviceReady());
    QVERIFY(window->isHidden());
    QVERIFY(!window->link().isLinkStarted());
    // Document calls are queued.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(documentLog(), QString());

    // Still watching: a device change schedules another check.
    window->deviceChanged();
    QVERIFY(window->deviceCheckTimer().isActive());
}

void tst_Widget::checkWithMouseStartsTheLinkAndTheDocument()
{
    auto device
        = VirtualHidBackend::installInto(window->link(), VirtualHidBackend::Attached::Mouse);
    loadRecordingDocument();
    window->bridge()->setEnabled(false);
    window->checkDevice();
    QVERIFY(window->link().isDeviceReady());
    QVERIFY(window->link().isLinkStarted());
    QVERIFY(window->bridge()->isEnabled());
    QCOMPARE(window->link().currentDeviceId(), 1);
    QTRY_COMPARE(documentLog(), QString("initUI;run;"));

    // Once the link is started, device changes lead to no further check.
    QSignalSpy checks(&window->deviceCheckTimer(), &QTimer::timeout);
    for (int i = 0; i < 3; ++i)
        window->deviceChanged();
    // The presence checks run on the link's worker; a mouse taken for gone would stop the
    // link and start the timer once its notice is delivered.
    window->link().waitForPoolTransfer();
    QCoreApplication::sendPostedEvents();
    QVERIFY(window->link().isLinkStarted());
    QVERIFY(!window->deviceCheckTimer().isActive());
    QVERIFY(checks.isEmpty());
}

// Shown at start, the window draws the light start document first; the device check builds
// the main screen in its place, once, and fills it.
void tst_Widget::logoFirstThenTheMainScreen()
{
    delete window;
    window = new Widget(nullptr, Widget::FirstDocument::Logo);
    QPointer<QQuickItem> start = window->bridge()->rootObject();
    QVERIFY(start);
    QVERIFY(start->findChild<QQuickItem *>("powerOnLogo"));
    QVERIFY(!start->findChild<QQuickItem *>("panelRightItem"));
    // Nothing the first frame does not need: the tray icon comes with the main screen.
    QVERIFY(!window->tray());
    QCOMPARE(window->size(), QSize(1000, 640));
    QCOMPARE(window->bridge()->rootContext()->contextProperty("ui_View").value<QObject *>(),
        window->bridge());

    auto device
        = VirtualHidBackend::installInto(window->link(), VirtualHidBackend::Attached::Mouse);
    window->checkDevice();
    QQuickItem *root = window->bridge()->rootObject();
    QVERIFY(root);
    QVERIFY(root->findChild<QQuickItem *>("panelRightItem"));
    QVERIFY(window->tray() && window->tray()->isVisible());
    QTRY_VERIFY(root->property("isPowerOn").toBool());
    QTRY_VERIFY(start.isNull());
    QCOMPARE(window->size(), QSize(1000, 640));

    window->buildMainScreen();
    QCOMPARE(window->bridge()->rootObject(), root);
}

// The start-up lock keeps clicks and keys off the pages, and nothing else: items stay as they are.
void tst_Widget::lockedWindowTakesNoInput()
{
    folder->writeFile("input.qml", inputDocument);
    myQQuickView *view = window->bridge();
    view->setSource(QUrl::fromLocalFile(folder->filePath("input.qml")));
    QQuickItem *root = view->rootObject();
    QVERIFY(root);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    view->requestActivate();
    QTRY_VERIFY(view->isActive());

    view->setEnabled(false);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(500, 300));
    QTest::keyClick(view, Qt::Key_A);
    QCOMPARE(root->property("clicks").toInt(), 0);
    QCOMPARE(root->property("keys").toInt(), 0);
    QVERIFY(root->isEnabled());

    window->enableView();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(500, 300));
    QTest::keyClick(view, Qt::Key_A);
    QCOMPARE(root->property("clicks").toInt(), 1);
    QCOMPARE(root->property("keys").toInt(), 1);
}

void tst_Widget::skinFoldersAreCounted_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("shown");
    QTest::newRow("none") << QStringList() << QStringList() << false;
    QTest::newRow("one") << QStringList {"skin1"} << QStringList {"a.png", "b.ico"} << false;
    QTest::newRow("two") << QStringList {"skin1", "skin2"} << QStringList() << true;
    QTest::newRow("three") << QStringList {"skin1", "skin2", "x"} << QStringList {"c"} << true;
}

void tst_Widget::skinFoldersAreCounted()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(bool, shown);
    for (const QString &name : folders)
        QDir().mkpath("modules/img/" + name);
    for (const QString &name : files)
        folder->writeFile("modules/img/" + name, "x");
    QCOMPARE(window->bridge()->getIsSkinShow(), shown);
}

void tst_Widget::quitEndsTheLoopWithZero()
{
    QTimer::singleShot(0, window, &Widget::exitSYS);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!window->link().isLinkStarted());
}

void tst_Widget::closingTheWindowEndsTheLoop()
{
    window->show();
    QTimer::singleShot(0, window->bridge(), &QWindow::close);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    watchdog.start(3000);
    QCOMPARE(QCoreApplication::exec(), 0);
}

void tst_Widget::closingABoxWhileHiddenKeepsRunning()
{
    window->hide();
    auto *box = new QMessageBox(QMessageBox::Warning, "title", "text");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    QTimer::singleShot(50, box, &QWidget::close);
    QTimer::singleShot(400, [] { QCoreApplication::exit(3); });
    QCOMPARE(QCoreApplication::exec(), 3);
}

QTEST_MAIN(tst_Widget)
#include "tst_widget.moc"
