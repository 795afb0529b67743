#include <QApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWidget>
#include <QtTest>

#include "app/footprint.h"
#include "app/scenegraph.h"

namespace {
const char *document = R"(import QtQuick
Rectangle { width: 200; height: 100; color: "#203040" })";

class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A top-level window holding a Quick view, as the program's main window does.
struct Window
{
    Window()
    {
        view = new QQuickWidget(&top);
        view->setResizeMode(QQuickWidget::SizeRootObjectToView);
        QQmlComponent component(view->engine());
        component.setData(document, QUrl());
        view->setContent(QUrl(), &component, component.create());
        view->resize(200, 100);
        top.resize(200, 100);
    }
    QWidget top;
    QQuickWidget *view = nullptr;
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
};

void tst_Footprint::firstFrameWorkRunsAfterThePaint()
{
    Window window;
    PaintCounter counter;
    window.view->installEventFilter(&counter);
    int paintsSeen = -1;
    SceneGraph::afterFirstFrame(window.view, [&] { paintsSeen = counter.paints; });
    QCoreApplication::processEvents();
    QCOMPARE(paintsSeen, -1);
    window.top.show();
    QTRY_VERIFY(paintsSeen >= 1);
    // Once only.
    const int after = paintsSeen;
    window.view->update();
    QTRY_VERIFY(counter.paints > after);
    QCoreApplication::processEvents();
    QCOMPARE(paintsSeen, after);
}

void tst_Footprint::firstFrameWorkRunsWithoutAPaintLater()
{
    Window window;
    PaintCounter counter;
    window.view->installEventFilter(&counter);
    int calls = 0;
    SceneGraph::afterFirstFrame(
        window.view, [&] { ++calls; }, 200);
    QTRY_COMPARE(calls, 1);
    window.top.show();
    QTRY_VERIFY(counter.paints > 0);
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
    Footprint footprint(&window.top, window.view);
    for (const QString &step : steps.split(' ')) {
        if (step == "show")
            window.top.showNormal();
        else if (step == "hide")
            window.top.setVisible(false);
        else if (step == "minimise")
            window.top.showMinimized();
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE(footprint.trimCount(), trims);
    QCoreApplication::processEvents();
    QCOMPARE(footprint.trimCount(), trims);
    // The view draws again after a trim.
    window.top.showNormal();
    QTRY_VERIFY(!window.view->grabFramebuffer().isNull());
    QCOMPARE(window.view->grabFramebuffer().pixelColor(100, 50), QColor("#203040"));
}

QTEST_MAIN(tst_Footprint)
#include "tst_footprint.moc"
