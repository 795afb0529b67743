#include <QQuickItem>
#include <QSettings>
#include <QtTest>

#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"
#include "device/virtualhidbackend.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;
using Operation = VirtualHidBackend::Operation;

namespace {
QStringList failLines;

void collectFailLines(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg && text.startsWith(QLatin1String("cmd Failed")))
        failLines << text;
}
} // namespace

// The shipped documents on the real bridge and link, the virtual mouse attached, driven by
// clicks whose press and release arrive together, as from a touchpad tap.
class tst_QuickClicks : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void quickClicksReachTheMouse_data();
    void quickClicksReachTheMouse();

private:
    QQuickItem *part(const char *name) const;
    QPoint centreOf(QQuickItem *item, qreal y) const;
    // Queues press and release at once for each click, then lets the window run them.
    void tap(const QList<QPair<QQuickItem *, qreal>> &clicks);
    void settle();
    QVariantList storedDpiValues() const;
    QByteArray lastDpiBlockOnTheWire() const;
    QByteArray documentBytes() const;

    std::unique_ptr<WorkFolder> folder;
    std::unique_ptr<Widget> window;
    std::shared_ptr<VirtualHidBackend> device;
};

void tst_QuickClicks::init()
{
    folder = std::make_unique<WorkFolder>(WorkFolder::ShippedSettings);
    window = std::make_unique<Widget>();
    device = VirtualHidBackend::installInto(window->link(), VirtualHidBackend::Attached::Mouse);
    QTest::ignoreMessage(QtDebugMsg, "Device Connect");
    window->checkDevice();
    window->show();
    QQuickItem *root = window->bridge()->rootObject();
    QVERIFY(root);
    QTRY_VERIFY_WITH_TIMEOUT(part("panelRightItem")->isVisible(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!part("protectUIItem")->isVisible(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(window->link().isLinkFree(), 10000);
    device->clearCalls();
}

void tst_QuickClicks::cleanup()
{
    window.reset();
    device.reset();
    folder.reset();
}

QQuickItem *tst_QuickClicks::part(const char *name) const
{
    auto *item = window->bridge()->rootObject()->findChild<QQuickItem *>(name);
    if (!item)
        qFatal("no %s in the main document", name);
    return item;
}

QPoint tst_QuickClicks::centreOf(QQuickItem *item, qreal y) const
{
    return item->mapToScene(QPointF(item->width() / 2, y)).toPoint();
}

void tst_QuickClicks::tap(const QList<QPair<QQuickItem *, qreal>> &clicks)
{
    // Through the window system, as the X server's clicks come, one right after the other.
    myQQuickView *view = window->bridge();
    for (const auto &click : clicks) {
        const QPoint at = centreOf(click.first, click.second);
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at);
    }
    settle();
}

void tst_QuickClicks::settle()
{
    QCoreApplication::processEvents();
    QTRY_VERIFY_WITH_TIMEOUT(window->link().isLinkFree(), 20000);
    QCoreApplication::processEvents();
}

QVariantList tst_QuickClicks::storedDpiValues() const
{
    QSettings config("./modules/setting/apConfig.bin", QSettings::IniFormat);
    const int profile = config.value("Z5/profileNo", 0).toInt();
    QSettings stored(
        QStringLiteral("./modules/setting/p%1.bin").arg(profile + 1), QSettings::IniFormat);
    return stored.value("sensor/dpi_Z5").toList();
}

QByteArray tst_QuickClicks::lastDpiBlockOnTheWire() const
{
    const auto calls = device->calls();
    for (int i = calls.size() - 1; i >= 0; --i) {
        const auto &call = calls.at(i);
        if (call.operation == Operation::FeatureOut && call.bytes.at(1) == 0x11) {
            for (int j = i + 1; j < calls.size(); ++j)
                if (calls.at(j).operation == Operation::Out)
                    return calls.at(j).bytes.mid(1, 8);
            return {};
        }
    }
    return {};
}

// The eight bytes the DPI page computes from what its sliders show now.
QByteArray tst_QuickClicks::documentBytes() const
{
    QVariant bytes;
    QMetaObject::invokeMethod(
        part("dpiSettingMain"), "dpiValueToDpiSet", Q_RETURN_ARG(QVariant, bytes));
    QByteArray block;
    for (const QVariant &value : bytes.toList())
        block.append(char(value.toInt()));
    return block;
}

void tst_QuickClicks::quickClicksReachTheMouse_data()
{
    QTest::addColumn<QList<int>>("sliders");
    QTest::addColumn<QList<int>>("heights");
    QTest::newRow("three sliders") << QList<int> {0, 1, 2} << QList<int> {30, 60, 90};
    QTest::newRow("one slider ten times")
        << QList<int>(10, 3) << QList<int> {20, 150, 40, 130, 60, 110, 80, 90, 100, 70};
}

void tst_QuickClicks::quickClicksReachTheMouse()
{
    QFETCH(QList<int>, sliders);
    QFETCH(QList<int>, heights);
    QList<QPair<QQuickItem *, qreal>> clicks;
    for (int i = 0; i < sliders.size(); ++i)
        clicks.append({part(QByteArray("dpiSlider") + QByteArray::number(sliders.at(i))),
            qreal(heights.at(i))});
    failLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectFailLines);
    tap(clicks);
    qInstallMessageHandler(previous);
    QCOMPARE(failLines, QStringList());

    // What each slider shows is what the profile holds and what the mouse got last.
    QVariantList shown;
    for (int i = 0; i < 6; ++i)
        shown
            << part(QByteArray("dpiSlider") + QByteArray::number(i))->property("dpiValue").toInt();
    const QVariantList stored = storedDpiValues();
    QCOMPARE(stored.size(), 8);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(stored.at(i).toInt(), shown.at(i).toInt());
    const QByteArray lastSent = lastDpiBlockOnTheWire();
    QCOMPARE(lastSent.toHex(), documentBytes().toHex());
    QCOMPARE(device->mouse().dpiSet.toHex(), lastSent.toHex());
    QCOMPARE(device->mouse().dpiSet.toHex(), documentBytes().toHex());
    // The last click decides its slider's value.
    QQuickItem *last = clicks.last().first;
    QVariant lastValue;
    QMetaObject::invokeMethod(last, "valueForHeight", Q_RETURN_ARG(QVariant, lastValue),
        Q_ARG(QVariant, 162 - clicks.last().second));
    QCOMPARE(last->property("dpiValue").toInt(), lastValue.toInt());

    // Every slider still answers a click of its own.
    for (int i = 0; i < 6; ++i) {
        QQuickItem *slider = part(QByteArray("dpiSlider") + QByteArray::number(i));
        const int before = slider->property("dpiValue").toInt();
        const qreal y = before >= 3000 ? 150 : 15;
        tap({{slider, y}});
        const int after = slider->property("dpiValue").toInt();
        QVERIFY2(
            after != before, qPrintable(QStringLiteral("slider %1 kept %2").arg(i).arg(before)));
        QCOMPARE(storedDpiValues().at(i).toInt(), after);
        QCOMPARE(device->mouse().dpiSet.toHex(), documentBytes().toHex());
    }
    QVERIFY(!part("dpiSettingMain")->property("isHolding").toBool());

    // The right column still scrolls with the wheel.
    QQuickItem *flick = part("rightFlick");
    QVERIFY(flick->property("interactive").toBool());
    const qreal top = flick->property("contentY").toReal();
    myQQuickView *view = window->bridge();
    const QPoint over = centreOf(part("lightControlMain"), 20);
    QWheelEvent wheel(over, view->mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    QTRY_VERIFY(flick->property("contentY").toReal() > top);
}

QTEST_MAIN(tst_QuickClicks)
#include "tst_quickclicks.moc"
