#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <QtTest>

#include <algorithm>
#include <functional>

#ifdef Q_OS_LINUX
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include "bridge/view_deviceblocks.h"
#include "tst_deviceops_rig.h"

using Operation = VirtualHidBackend::Operation;

namespace {
QVariantList listOf(int length, int seed)
{
    QVariantList values;
    for (int i = 0; i < length; ++i)
        values << ((i * 13 + seed) & 0x7F);
    return values;
}

// One command as issued: the frame it must put on the wire, and a kind that only a write
// replacing the same device state shares.
struct Issued
{
    QByteArray frame;
    QString kind;
};

// Empty when wire is calls in order, where only a write directly followed by one of its own
// kind may be missing (the newer one took its place while both waited). Writes of one kind
// share their frame, so every way of matching is tried.
QString compareOrder(const QList<Issued> &calls, const QList<QByteArray> &wire)
{
    QSet<QPair<int, int>> dead;
    int furthest = 0;
    std::function<bool(int, int)> matches = [&](int i, int w) {
        furthest = qMax(furthest, i);
        if (i == calls.size())
            return w == wire.size();
        if (dead.contains({i, w}))
            return false;
        const bool replaced = !calls.at(i).kind.isEmpty() && i + 1 < calls.size()
            && calls.at(i + 1).kind == calls.at(i).kind;
        if ((w < wire.size() && wire.at(w) == calls.at(i).frame && matches(i + 1, w + 1))
            || (replaced && matches(i + 1, w)))
            return true;
        dead.insert({i, w});
        return false;
    };
    if (matches(0, 0))
        return {};
    return QStringLiteral("the wire leaves the call order at call %1 (%2)")
        .arg(furthest)
        .arg(furthest < calls.size() ? QString(calls.at(furthest).frame.toHex(' ')) : QString());
}

// Nanoseconds this thread has spent runnable but waiting for a CPU. Time taken by other
// programs on a busy machine is not time the window was blocked by the link.
qint64 runQueueWaitNs()
{
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/self/task/%1/schedstat").arg(syscall(SYS_gettid)));
    if (stat.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = stat.readAll().split(' ');
        if (fields.size() >= 2)
            return fields.at(1).toLongLong();
    }
#endif
    return 0;
}

// Temporary folders made while it lives go to memory where the system has a memory disk:
// the bridge writes the profile before it sends, and the disk is not what is measured.
class TempFoldersInMemory
{
public:
    TempFoldersInMemory()
        : previous(qgetenv("TMPDIR"))
    {
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    ~TempFoldersInMemory()
    {
        if (previous.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", previous);
    }

private:
    const QByteArray previous;
};

// One moment the GUI thread ran its event loop.
struct Tick
{
    qint64 deviceNs;
    qint64 waitedNs;
};
} // namespace

class tst_DeviceOrder : public QObject
{
    Q_OBJECT

private slots:
    void windowKeepsRunningWhileWritesAreInFlight_data();
    void windowKeepsRunningWhileWritesAreInFlight();
    void wireOrderIsCallOrder();
};

void tst_DeviceOrder::windowKeepsRunningWhileWritesAreInFlight_data()
{
    QTest::addColumn<bool>("macroFirst");
    QTest::newRow("macro, then DPI") << true;
    QTest::newRow("DPI, then macro") << false;
}

void tst_DeviceOrder::windowKeepsRunningWhileWritesAreInFlight()
{
    QFETCH(bool, macroFirst);
    TempFoldersInMemory inMemory;
    DeviceOpsRig rig;
    const QVariantList macro = listOf(128, 3);
    const QVariantList dpiBytes {1, 0x31, 0x59, 0x5E, 15, 0x5A, 0x80, 0x80};
    const QVariantList dpiValues {400, 3900, 4500, 4700, 1600, 4600, 12800, 12800};

    // The GUI thread notes the device's clock as often as its event loop lets it.
    QList<Tick> ticks;
    auto tick = [&] { ticks.append({rig.device->elapsedNs(), runQueueWaitNs()}); };
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    connect(&ticker, &QTimer::timeout, this, tick);
    ticker.start();

    // Both as the documents send them: through the bridge, which stores before it sends.
    tick();
    const qint64 issuedNs = ticks.last().deviceNs;
    if (macroFirst)
        rig.view->sendMacroData(macro, 4);
    tick();
    rig.view->ui_11H_SetDPISet(6, dpiBytes, dpiValues);
    tick();
    if (!macroFirst)
        rig.view->sendMacroData(macro, 4);
    tick();
    // A plain event loop: the test's own waiting must not sleep between events.
    QEventLoop loop;
    QTimer watch;
    connect(&watch, &QTimer::timeout, &loop, [&] {
        if (rig.link.isLinkFree())
            loop.quit();
    });
    watch.start(5);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    ticker.stop();
    QVERIFY(rig.link.isLinkFree());

    const auto calls = rig.device->calls();
    QVERIFY(!calls.isEmpty());
    const qint64 lastNs = calls.last().endNs;
    const QList<QByteArray> frames = rig.commands();
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames.at(macroFirst ? 0 : 1), frame(QByteArray::fromHex("13058000")));
    QCOMPARE(frames.at(macroFirst ? 1 : 0), frame(QByteArray::fromHex("110608")));
    QCOMPARE(rig.device->mouse().dpiSet, QByteArray::fromHex("0131595e0f5a8080"));
    QByteArray expectedMacro;
    for (const QVariant &value : macro)
        expectedMacro.append(char(value.toInt()));
    QCOMPARE(rig.device->mouse().macros.value(5), expectedMacro);

    // From the first call until the device has both, no stretch between two ticks, less
    // the time the thread stood ready while other programs ran, exceeds 20 ms.
    qint64 longest = 0;
    qint64 longestWall = 0;
    const Tick *previous = nullptr;
    for (const Tick &current : std::as_const(ticks)) {
        if (current.deviceNs < issuedNs)
            continue;
        if (previous) {
            const qint64 wall = current.deviceNs - previous->deviceNs;
            const qint64 blocked = wall - (current.waitedNs - previous->waitedNs);
            if (blocked > longest) {
                longest = blocked;
                longestWall = wall;
            }
        }
        previous = &current;
        if (current.deviceNs > lastNs)
            break;
    }
    QVERIFY2(previous && previous->deviceNs > lastNs, "the ticks stopped before the writes ended");
    QVERIFY2(longest <= 20'000'000,
        qPrintable(QStringLiteral("blocked %1 ms (%2 ms between ticks)")
                       .arg(double(longest) / 1e6)
                       .arg(double(longestWall) / 1e6)));
    // The writes really were in flight while the window ran: hundreds of ms.
    QVERIFY(double(lastNs - issuedNs) / 1e6 > 2 * 128.0 + 2 * 128.0);
}

void tst_DeviceOrder::wireOrderIsCallOrder()
{
    DeviceOpsRig rig;
    Hid_Thread &link = rig.link;
    myQQuickView &view = *rig.view;
    QRandomGenerator random(20261207);
    QList<Issued> issued;
    int fromPool = 0;

    // What the documents call on the GUI thread, and what runs from pool threads.
    const QList<std::function<Issued(int)>> documents = {
        [&](int n) {
            view.ui_11H_SetDPISet(6, listOf(8, n), listOf(8, n + 1));
            return Issued {frame(QByteArray::fromHex("110608")), "11/6"};
        },
        [&](int n) {
            view.ui_0DH_SetRGBLedEffect(uchar(n % 4), uchar(n), 2, {n % 4, n, 2});
            return Issued {
                frame(QByteArray::fromHex("0d") + char(n % 4) + char(n) + char(2)), "0D"};
        },
        [&](int n) {
            view.ui_01H_SetReportRate(uchar(1 << (n % 4)));
            return Issued {frame(QByteArray::fromHex("01") + char(1 << (n % 4))), "01"};
        },
        [&](int n) {
            view.ui_10H_SetLED8StageColor(1, listOf(24, n));
            return Issued {frame(QByteArray::fromHex("100118")), "10/1"};
        },
        [&](int n) {
            view.ui_12H_SetKeyMatrix(listOf(64, n));
            return Issued {frame(QByteArray::fromHex("12014008")), "12/1"};
        },
        [&](int n) {
            view.ui_0EH_SetXYSensitive(n % 200, 40);
            return Issued {frame(QByteArray::fromHex("0e") + char(n % 200) + char(40)), "0E"};
        },
        [&](int n) {
            view.sendMacroData(listOf(128, n), n % 3);
            return Issued {frame(QByteArray::fromHex("13") + char(n % 3 + 1) + char(0x80)),
                QStringLiteral("13/%1").arg(n % 3 + 1)};
        },
        [&](int) {
            view.ui_91H_SyncDPI();
            return Issued {frame(QByteArray::fromHex("91")), {}};
        },
        [&](int) {
            view.ui_92H_GetKeyMatrix();
            return Issued {frame(QByteArray::fromHex("9201")), {}};
        },
        [&](int) {
            view.getSensorType();
            return Issued {frame(QByteArray::fromHex("83")), {}};
        },
    };
    const QList<std::function<Issued(int)>> pool = {
        [&](int n) {
            link.hid_0BH_SetCurrentDPIStage(uchar(n % 6));
            return Issued {frame(QByteArray::fromHex("0b") + char(n % 6)), "0B"};
        },
        [&](int n) {
            link.hid_03H_SetFunctionOption(1, uchar(n % 5), 0x40, 0);
            return Issued {
                frame(QByteArray::fromHex("0301") + char(n % 5) + QByteArray::fromHex("40")),
                "03/1"};
        },
        [&](int n) {
            link.hid_07H_SetLEDInstructFunction(0, uchar(n % 3), 0, 0);
            return Issued {frame(QByteArray::fromHex("0700") + char(n % 3)), "07/0"};
        },
        [&](int) {
            uchar stage = 0;
            link.hid_8BH_GetCurrentDPIStage(stage);
            return Issued {frame(QByteArray::fromHex("8b")), {}};
        },
    };

    for (int n = 0; n < 200; ++n) {
        if (random.bounded(3) == 0) {
            const auto &command = pool.at(random.bounded(int(pool.size())));
            // The next call waits until this one was made, so the call order is defined.
            issued << QtConcurrent::run([&command, n] { return command(n); }).result();
            ++fromPool;
        } else {
            issued << documents.at(random.bounded(int(documents.size())))(n);
        }
    }
    QVERIFY(fromPool > 40);
    link.waitForPoolTransfer();

    const QList<QByteArray> wire = rig.commands();
    if (qEnvironmentVariableIsSet("ORDER_DUMP")) {
        for (int i = 0; i < issued.size(); ++i)
            qInfo() << "call" << i << issued.at(i).frame.toHex(' ') << issued.at(i).kind;
        for (int i = 0; i < wire.size(); ++i)
            qInfo() << "wire" << i << wire.at(i).toHex(' ');
    }
    QCOMPARE(compareOrder(issued, wire), QString());
    QCOMPARE(wire.size() + link.mergedWrites(), issued.size());
    // The device ends as the last write of each kind left it.
    QCOMPARE(rig.device->mouseCounters().badChecksums, 0);
    QCOMPARE(rig.device->mouseCounters().strayReports, 0);
}

QTEST_MAIN(tst_DeviceOrder)
#include "tst_deviceorder.moc"
