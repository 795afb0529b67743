#include <QRandomGenerator>
#include <QSet>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <QtTest>

#include <algorithm>
#include <functional>

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
} // namespace

class tst_DeviceOrder : public QObject
{
    Q_OBJECT

private slots:
    void wireOrderIsCallOrder();
};

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
