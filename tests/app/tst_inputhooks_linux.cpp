#include <QtTest>

#include <QApplication>
#include <QProcess>
#include <QQuickItem>
#include <QSpontaneKeyEvent>
#include <QWidget>
#include <QWindow>

#include "app/inputhook_linux.h"
#include "app/inputhookcallbacks.h"
#include "app/inputhookmanager.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "hookrecorder.h"
#include "privatexserver.h"
#include "support/workfolder.h"

// One binary, three roles chosen by SKELDA_XVFB_ROLE: the default role runs
// the fallback tests and starts an X server for the "capture" role, which
// drives the real window with xdotool while a "focus" process holds the focus.
namespace {
const char *const roleVariable = "SKELDA_XVFB_ROLE";
const char *const focusTitle = "skelda focus target";

using hookrecorder::recordKey;
using hookrecorder::recordMouse;
using hookrecorder::reports;

void deliverSpontaneous(QObject *receiver, QEvent *event)
{
    QSpontaneKeyEvent::setSpontaneous(event);
    QCoreApplication::instance()->notify(receiver, event);
}

QKeyEvent keyEvent(QEvent::Type type, quint32 xKeycode)
{
    return QKeyEvent(type, Qt::Key_unknown, Qt::NoModifier, xKeycode, 0, 0);
}

QMouseEvent mouseEvent(QEvent::Type type, Qt::MouseButton button, QPointF global)
{
    return QMouseEvent(type, QPointF(1, 1), global, button, button, Qt::NoModifier);
}

QString runTool(const QString &program, const QStringList &arguments, int timeoutMs = 20000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitCode() != 0) {
        qWarning("%s %s failed: %s", qPrintable(program), qPrintable(arguments.join(' ')),
            process.readAllStandardError().constData());
        process.kill();
        process.waitForFinished();
        return QString();
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}
} // namespace

class TestFallbackCapture : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void offscreenUsesApplicationFilter();
    void keysOfOwnWindows();
    void onlyNativeWindowsCount();
    void buttonsOfOwnWindows();
    void doubleClickThroughTheWindowSystem();
    void removedCaptureReportsNothing();

private:
    InputHookManager *manager = nullptr;
};

void TestFallbackCapture::init()
{
    reports.clear();
    manager = new InputHookManager(false);
    InputHookManager::clearKeyStates();
    InputHookManager::registerKeyboardCallback(recordKey, nullptr);
    InputHookManager::registerMouseCallback(recordMouse, nullptr);
}

void TestFallbackCapture::cleanup()
{
    delete manager;
    manager = nullptr;
    InputHookManager::registerKeyboardCallback(nullptr, nullptr);
    InputHookManager::registerMouseCallback(nullptr, nullptr);
}

void TestFallbackCapture::offscreenUsesApplicationFilter()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    QCOMPARE(InputHookLinux::activeCapture(), InputHookLinux::Capture::ApplicationFilter);
    QVERIFY(InputHookManager::isInstalled());
}

void TestFallbackCapture::keysOfOwnWindows()
{
    QWindow window;
    // X key codes: 38 is A, 104 keypad Enter, 36 Enter, 108 right Alt.
    for (quint32 code : {38U, 38U, 104U, 36U, 108U}) {
        QKeyEvent press = keyEvent(QEvent::KeyPress, code);
        deliverSpontaneous(&window, &press);
    }
    for (quint32 code : {38U, 104U, 36U, 108U}) {
        QKeyEvent release = keyEvent(QEvent::KeyRelease, code);
        deliverSpontaneous(&window, &release);
    }
    QCOMPARE(reports.join(' '), QStringLiteral("04+ 58+ 28+ E6+ 04- 58- 28- E6-"));
}

void TestFallbackCapture::onlyNativeWindowsCount()
{
    QWindow window;
    QWidget widget;
    QKeyEvent toWidget = keyEvent(QEvent::KeyPress, 38);
    deliverSpontaneous(&widget, &toWidget);
    // Handed on by the program itself, not by the window system.
    QKeyEvent sent = keyEvent(QEvent::KeyPress, 38);
    QCoreApplication::sendEvent(&window, &sent);
    QKeyEvent withoutCode = keyEvent(QEvent::KeyPress, 0);
    deliverSpontaneous(&window, &withoutCode);
    QVERIFY(reports.isEmpty());
}

void TestFallbackCapture::buttonsOfOwnWindows()
{
    QWindow window;
    const QPointF at(100, 200);
    const struct
    {
        QEvent::Type type;
        Qt::MouseButton button;
    } events[] = {
        {QEvent::MouseButtonPress, Qt::LeftButton},
        {QEvent::MouseButtonRelease, Qt::LeftButton},
        {QEvent::MouseButtonDblClick, Qt::LeftButton},
        {QEvent::MouseButtonPress, Qt::RightButton},
        {QEvent::MouseButtonRelease, Qt::RightButton},
        {QEvent::MouseButtonPress, Qt::MiddleButton},
        {QEvent::MouseButtonRelease, Qt::MiddleButton},
        {QEvent::MouseButtonPress, Qt::BackButton},
        {QEvent::MouseMove, Qt::NoButton},
    };
    for (const auto &e : events) {
        QMouseEvent event = mouseEvent(e.type, e.button, at);
        deliverSpontaneous(&window, &event);
    }
    QCOMPARE(reports.join(' '),
        QStringLiteral("F0+@100,200 F0-@100,200 F1+@100,200 F1-@100,200 F2+@100,200 F2-@100,200"));
}

void TestFallbackCapture::doubleClickThroughTheWindowSystem()
{
    QWidget widget;
    widget.setGeometry(40, 50, 200, 100);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QWindow *window = widget.windowHandle();
    QVERIFY(window);
    // The window hands each event on to the widget; it must still count once.
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    const QPoint global = window->mapToGlobal(QPoint(10, 20));
    const QString at = QStringLiteral("@%1,%2").arg(global.x()).arg(global.y());
    QCOMPARE(reports, QStringList({"F0+" + at, "F0-" + at, "F0+" + at, "F0-" + at}));
}

void TestFallbackCapture::removedCaptureReportsNothing()
{
    manager->remove();
    QCOMPARE(InputHookLinux::activeCapture(), InputHookLinux::Capture::Off);
    QVERIFY(!InputHookManager::isInstalled());
    QWindow window;
    QKeyEvent press = keyEvent(QEvent::KeyPress, 38);
    deliverSpontaneous(&window, &press);
    QMouseEvent click = mouseEvent(QEvent::MouseButtonPress, Qt::LeftButton, QPointF(1, 1));
    deliverSpontaneous(&window, &click);
    QVERIFY(reports.isEmpty());
    QVERIFY(manager->install());
    QCOMPARE(InputHookLinux::activeCapture(), InputHookLinux::Capture::ApplicationFilter);
    deliverSpontaneous(&window, &press);
    QCOMPARE(reports, QStringList {"04+"});
}

// Starts a private X server for the capture role and checks its outcome.
class TestXvfbCapture : public QObject
{
    Q_OBJECT

private slots:
    void globalCaptureUnderXvfb();
};

void TestXvfbCapture::globalCaptureUnderXvfb()
{
    PrivateXServer x;
    const QString error = x.start();
    if (!error.isEmpty())
        QFAIL(qPrintable(error));

    QProcess capture;
    QProcessEnvironment environment = x.environment();
    environment.insert(roleVariable, "capture");
    capture.setProcessEnvironment(environment);
    capture.setProcessChannelMode(QProcess::MergedChannels);
    capture.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(capture.waitForStarted());
    const bool finished = capture.waitForFinished(240000);
    if (!finished) {
        capture.kill();
        capture.waitForFinished();
    }
    const QByteArray output = capture.readAll();
    const bool passed
        = finished && capture.exitStatus() == QProcess::NormalExit && capture.exitCode() == 0;
    if (!passed)
        qWarning("%s", output.constData());
    QVERIFY2(finished, "the capture run did not end in time");
    QCOMPARE(capture.exitStatus(), QProcess::NormalExit);
    QCOMPARE(capture.exitCode(), 0);
}

// Runs inside the private X server: the real window, the real hooks, xdotool input.
class TestXvfbCaptureRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void captureIsGlobal();
    void heldKeyReportsOnce();
    void enterKeys();
    void buttons();
    void doubleClick();
    void hotKeyBringsBackHiddenWindow();

private:
    QString log() const { return window->bridge()->rootObject()->property("log").toString(); }
    void clearLog() { window->bridge()->rootObject()->setProperty("log", QString()); }
    bool xdotool(const QStringList &arguments)
    {
        QProcess process;
        process.start("xdotool", arguments);
        return process.waitForFinished(20000) && process.exitCode() == 0;
    }

    skelda::test::WorkFolder *folder = nullptr;
    Widget *window = nullptr;
    InputHookManager *hooks = nullptr;
    QProcess focusHolder;
    QString focusWindowId;
};

void TestXvfbCaptureRun::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    folder = new skelda::test::WorkFolder;
    folder->writeFile("recorder.qml", hookrecorder::recorderDocument);

    window = new Widget;
    window->bridge()->setSource(QUrl::fromLocalFile(folder->filePath("recorder.qml")));
    QVERIFY(window->bridge()->rootObject());
    window->move(QPoint(0, 0));
    window->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(window->bridge()));

    hooks = new InputHookManager(false);
    QCOMPARE(InputHookLinux::activeCapture(), InputHookLinux::Capture::XRecord);
    QVERIFY(InputHookManager::isInstalled());
    InputHookCallbacks::registerAll(window);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(roleVariable, "focus");
    focusHolder.setProcessEnvironment(environment);
    focusHolder.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(focusHolder.waitForStarted());
    focusWindowId = runTool("xdotool", {"search", "--sync", "--name", focusTitle});
    QVERIFY2(!focusWindowId.isEmpty(), "the focus window did not appear");
    focusWindowId = focusWindowId.section('\n', 0, 0);
    QVERIFY(xdotool({"windowfocus", "--sync", focusWindowId}));
}

void TestXvfbCaptureRun::cleanupTestCase()
{
    delete hooks;
    QCOMPARE(InputHookLinux::activeCapture(), InputHookLinux::Capture::Off);
    delete window;
    focusHolder.kill();
    focusHolder.waitForFinished();
    delete folder;
}

void TestXvfbCaptureRun::captureIsGlobal()
{
    QCOMPARE(runTool("xdotool", {"getwindowfocus"}), focusWindowId);
    QTRY_VERIFY(!window->bridge()->isActive());
    QVERIFY(QGuiApplication::focusWindow() != window->bridge());
    clearLog();
    QVERIFY(xdotool({"key", "b"}));
    QTRY_COMPARE(log(), QStringLiteral("K1:5 K0:5 "));
}

void TestXvfbCaptureRun::heldKeyReportsOnce()
{
    clearLog();
    // Longer than the server's auto-repeat delay, so repeats do arrive.
    QVERIFY(xdotool({"keydown", "a", "sleep", "1.2", "keyup", "a"}));
    QTRY_COMPARE(log(), QStringLiteral("K1:4 K0:4 "));
    // Events arrive in order: a late repeat would come before the next key.
    QVERIFY(xdotool({"key", "b"}));
    QTRY_COMPARE(log(), QStringLiteral("K1:4 K0:4 K1:5 K0:5 "));
}

void TestXvfbCaptureRun::enterKeys()
{
    clearLog();
    QVERIFY(xdotool({"key", "Return", "KP_Enter"}));
    QTRY_COMPARE(log(), QStringLiteral("K1:40 K0:40 K1:88 K0:88 "));
}

void TestXvfbCaptureRun::buttons()
{
    clearLog();
    QVERIFY(xdotool({"mousemove", "400", "380", "click", "1", "click", "3", "click", "2"}));
    QTRY_COMPARE(log(),
        QStringLiteral("M1:240@400,380 M0:240@400,380 M1:241@400,380 M0:241@400,380 "
                       "M1:242@400,380 M0:242@400,380 "));
    QCOMPARE(runTool("xdotool", {"getwindowfocus"}), focusWindowId);
}

void TestXvfbCaptureRun::doubleClick()
{
    clearLog();
    QVERIFY(xdotool({"mousemove", "420", "390", "click", "--repeat", "2", "--delay", "80", "1"}));
    QTRY_COMPARE(
        log(), QStringLiteral("M1:240@420,390 M0:240@420,390 M1:240@420,390 M0:240@420,390 "));
}

void TestXvfbCaptureRun::hotKeyBringsBackHiddenWindow()
{
    window->hide();
    QTRY_VERIFY(!window->isVisible());
    clearLog();
    QVERIFY(xdotool({"key", "shift+alt+F12"}));
    QTRY_VERIFY(window->isVisible());
    QTRY_COMPARE(log(), QStringLiteral("K1:225 K1:226 K1:69 K0:225 K0:226 K0:69 "));
}

int main(int argc, char *argv[])
{
    const QByteArray role = qgetenv(roleVariable);
    QApplication app(argc, argv);
    if (role == "focus") {
        QWidget target;
        target.setWindowTitle(focusTitle);
        target.setGeometry(300, 300, 300, 200);
        target.show();
        return app.exec();
    }
    if (role == "capture") {
        TestXvfbCaptureRun run;
        return QTest::qExec(&run, argc, argv);
    }
    TestFallbackCapture fallback;
    int result = QTest::qExec(&fallback, argc, argv);
    TestXvfbCapture xvfb;
    result |= QTest::qExec(&xvfb, argc, argv);
    return result;
}

#include "tst_inputhooks_linux.moc"
