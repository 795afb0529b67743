#include <QApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QtTest>

#include "app/footprint.h"
#include "app/scenegraph.h"

namespace {
const char *document = R"(import QtQuick
Rectangle { width: 200; height: 100; color: "#203040" })";

class FrameCounter : public QObject
{
public:
    explicit FrameCounter(QQuickWindow *window)
    {
        connect(window, &QQuickWindow::frameSwapped, this, [this] { ++frames; });
    }
    int frames = 0;
};

// A Quick window as the program's main window is.
struct Window
{
    Window()
    {
        QQmlComponent component(view.engine());
        component.setData(document, QUrl());
        view.setContent(QUrl(), &component, component.create());
    }
    QQuickView view;
};
} // namespace

class tst_Footprint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SceneGraph::chooseBackend(); }
    void firstFrameWorkRunsAfterThePaint();
    void firstFrameWorkRunsWithoutAPaintLater();
    void hidingInTheTrayTrims_data();
    void hidingInTheTrayTrims();
    void windowGoingAwayWhileWatched();
};

void tst_Footprint::firstFrameWorkRunsAfterThePaint()
{
    Window window;
    FrameCounter counter(&window.view);
    int framesSeen = -1;
    SceneGraph::afterFirstFrame(&window.view, [&] { framesSeen = counter.frames; });
    QCoreApplication::processEvents();
    QCOMPARE(framesSeen, -1);
    window.view.show();
    QTRY_VERIFY(framesSeen >= 1);
    // Once only.
    const int after = framesSeen;
    window.view.update();
    QTRY_VERIFY(counter.frames > after);
    QCoreApplication::processEvents();
    QCOMPARE(framesSeen, after);
}

void tst_Footprint::firstFrameWorkRunsWithoutAPaintLater()
{
    Window window;
    FrameCounter counter(&window.view);
    int calls = 0;
    SceneGraph::afterFirstFrame(
        &window.view, [&] { ++calls; }, 200);
    QTRY_COMPARE(calls, 1);
    window.view.show();
    QTRY_VERIFY(counter.frames > 0);
    QCoreApplication::processEvents();
    QCOMPARE(calls, 1);
}

void tst_Footprint::hidingInTheTrayTrims_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("trims");
    QTest::newRow("shown") << "show" << 0;
    QTest::newRow("hidden") << "show hide" << 1;
    QTest::newRow("minimised") << "show minimise" << 0;
    QTest::newRow("hidden twice") << "show hide show hide" << 2;
    QTest::newRow("hidden and brought back") << "show hide show" << 1;
}

void tst_Footprint::hidingInTheTrayTrims()
{
    QFETCH(QString, steps);
    QFETCH(int, trims);
    Window window;
    Footprint footprint(&window.view);
    for (const QString &step : steps.split(' ')) {
        if (step == "show")
            window.view.showNormal();
        else if (step == "hide")
            window.view.setVisible(false);
        else if (step == "minimise")
            window.view.showMinimized();
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE(footprint.trimCount(), trims);
    QCoreApplication::processEvents();
    QCOMPARE(footprint.trimCount(), trims);
    // The view draws again after a trim.
    window.view.showNormal();
    QTRY_VERIFY(!window.view.grabWindow().isNull());
    QCOMPARE(window.view.grabWindow().pixelColor(100, 50), QColor("#203040"));
}

// A window being destroyed still sends events (its children leave, it hides); the watch
// must take them without treating what is left of the window as a view.
void tst_Footprint::windowGoingAwayWhileWatched()
{
    auto *view = new QQuickView;
    Footprint footprint(view);
    new QObject(view);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    delete view;
    QCoreApplication::processEvents();
    QCOMPARE(footprint.trimCount(), 0);
    // Without a window a trim still gives back the heap.
    footprint.trim();
    QCOMPARE(footprint.trimCount(), 1);
}

QTEST_MAIN(tst_Footprint)
#include "tst_footprint.moc"
