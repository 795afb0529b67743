#include <QTest>
#include <QThread>

#include <atomic>

#include "support/device_testing.h"

using Attached = VirtualHidBackend::Attached;

namespace {
// The virtual device, watched for two implementation calls running at the same time.
class WatchedDevice : public VirtualHidBackend
{
public:
    using VirtualHidBackend::VirtualHidBackend;

    std::atomic<int> inFlight {0};
    std::atomic<int> mostInFlight {0};
    std::atomic<int> enumerations {0};

protected:
    QList<HidInterfaceInfo> doEnumerate(quint16 vid, quint16 pid) override
    {
        return watched([&] {
            const auto found = VirtualHidBackend::doEnumerate(vid, pid);
            ++enumerations;
            return found;
        });
    }
    HidHandle doOpen(const QByteArray &path) override
    {
        return watched([&] { return VirtualHidBackend::doOpen(path); });
    }
    int doSendFeatureReport(HidHandle handle, const uchar *data, int length) override
    {
        return watched(
            [&] { return VirtualHidBackend::doSendFeatureReport(handle, data, length); });
    }
    int doGetFeatureReport(HidHandle handle, uchar *data, int length) override
    {
        return watched([&] { return VirtualHidBackend::doGetFeatureReport(handle, data, length); });
    }
    int doWrite(HidHandle handle, const uchar *data, int length) override
    {
        return watched([&] { return VirtualHidBackend::doWrite(handle, data, length); });
    }
    int doRead(HidHandle handle, uchar *data, int length, int timeoutMs) override
    {
        return watched([&] { return VirtualHidBackend::doRead(handle, data, length, timeoutMs); });
    }
    void doClose(HidHandle handle) override
    {
        watched([&] { VirtualHidBackend::doClose(handle); });
    }

private:
    // Counts the call as in flight while it runs, held a little so that calls
    // from two threads would meet if nothing kept them apart.
    template<typename Call>
    auto watched(Call call) -> decltype(call())
    {
        const int now = ++inFlight;
        int most = mostInFlight;
        while (now > most && !mostInFlight.compare_exchange_weak(most, now)) { }
        QThread::usleep(300);
        struct Leave
        {
            std::atomic<int> &count;
            ~Leave() { --count; }
        } leave {inFlight};
        return call();
    }
};
} // namespace

class tst_HidBackend : public QObject
{
    Q_OBJECT

private slots:
    void callsFromSeveralThreadsNeverMeet()
    {
        auto device = std::make_shared<WatchedDevice>(Attached::Mouse);
        const QByteArray path = VirtualHidBackend::mouseCommandPath;
        constexpr int rounds = 40;
        QList<QThread *> threads;
        for (int t = 0; t < 4; ++t) {
            threads << QThread::create([device, path] {
                const uchar command[9] = {0x00, 0x81, 0, 0, 0, 0, 0, 0, 0x7E};
                for (int i = 0; i < rounds; ++i) {
                    device->enumerate(
                        VirtualHidBackend::vendorId, VirtualHidBackend::mouseProductId);
                    HidHandle handle = device->open(path);
                    device->sendFeatureReport(handle, command, 9);
                    uchar answer[9] = {};
                    device->getFeatureReport(handle, answer, 9);
                    device->close(handle);
                }
            });
        }
        for (QThread *thread : threads)
            thread->start();
        for (QThread *thread : threads)
            QVERIFY(thread->wait(60000));
        qDeleteAll(threads);
        QCOMPARE(device->enumerations.load(), 4 * rounds);
        QCOMPARE(device->calls().size(), 4 * rounds * 5);
        QCOMPARE(device->mostInFlight.load(), 1);
    }

    void discoveryWhileAPoolTransferRuns()
    {
        // A pool write opens and closes on a pool thread; enumerating meanwhile must wait its turn.
        Hid_Thread link;
        auto device = std::make_shared<WatchedDevice>(Attached::Keyboard);
        link.setBackend(device);
        link.enumerateDevices(DeviceTesting::shippedRecords());
        QByteArray matrix = DeviceTesting::pattern(512, 5);
        link.hid_0DH_SetKeyMatrix(DeviceTesting::bytes(matrix));
        QThread *other = QThread::create([device] {
            for (int i = 0; i < 100; ++i)
                device->enumerate(VirtualHidBackend::vendorId, VirtualHidBackend::mouseProductId);
        });
        other->start();
        while (!link.isLinkFree())
            device->enumerate(VirtualHidBackend::vendorId, VirtualHidBackend::keyboardProductId);
        QVERIFY(other->wait(60000));
        delete other;
        link.waitForPoolTransfer();

        using Op = VirtualHidBackend::Operation;
        const auto writes = device->calls(Op::Out);
        QCOMPARE(writes.size(), 8);
        int enumeratedBetween = 0;
        for (const auto &call : device->calls(Op::Enumerate))
            if (call.startNs > writes.first().endNs && call.endNs < writes.last().startNs)
                ++enumeratedBetween;
        QVERIFY2(enumeratedBetween > 0, "no enumeration met the transfer");
        QCOMPARE(device->mostInFlight.load(), 1);
        QCOMPARE(device->keyboard().keyMatrix, matrix);
        QCOMPARE(device->keyboardCounters().strayReports, 0);
    }
};

QTEST_GUILESS_MAIN(tst_HidBackend)
#include "tst_hidbackend.moc"
