#include <QTest>

#include "device/scrambling.h"
#include "support/device_testing.h"

using Attached = VirtualHidBackend::Attached;
using Fault = VirtualHidBackend::Fault;
using Op = VirtualHidBackend::Operation;

namespace {
const QByteArray startFrame = QByteArray::fromHex("0003010f8a4d000015");

int startFramesSent(const VirtualHidBackend &device)
{
    int count = 0;
    for (const auto &call : device.calls(Op::FeatureOut))
        count += call.bytes == startFrame ? 1 : 0;
    return count;
}
} // namespace

class tst_Handshake : public QObject
{
    Q_OBJECT

private slots:
    void successPath()
    {
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        QVERIFY(!link.isDeviceReady());

        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.swichCurDevice(uint(link.currentDeviceId()));
        QCOMPARE(owner.events,
            (QStringList {"startUI", "enableView", "clearHidBusy", "deviceDetected"}));
        QVERIFY(link.isDeviceReady());
        QVERIFY(link.isLinkStarted());
        link.waitForPoolTransfer();
        QVERIFY(link.isLinkFree());
        QCOMPARE(owner.askedSecrecyFor, QList<int> {1});

        const auto features = device->calls(Op::FeatureOut);
        QCOMPARE(features.size(), 2);
        const QByteArray hello = features.at(0).bytes;
        QCOMPARE(hello.left(2), QByteArray::fromHex("0000"));
        QCOMPARE(hello.mid(6, 2), QByteArray::fromHex("0000"));
        QCOMPARE(uchar(hello.at(8)),
            Scrambling::checksum(reinterpret_cast<const uchar *>(hello.constData()) + 1));
        QCOMPARE(device->calls(Op::FeatureIn).at(0).bytes.mid(2, 4), hello.mid(2, 4));
        QCOMPARE(features.at(1).bytes, startFrame);
        QCOMPARE(device->mouseCounters().startCommands, 1);
        // The handshake and the start command run on the link's worker, never on the caller's.
        QCOMPARE(features.at(1).thread, features.at(0).thread);
        QVERIFY(features.at(1).thread != QThread::currentThreadId());
        QCOMPARE(device->calls().last().operation, Op::Close);
    }

    void randomBytesVary()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        QSet<QByteArray> sent;
        for (int i = 0; i < 6; ++i) {
            QTest::ignoreMessage(QtDebugMsg, "Device Connect");
            link.chkDeviceIsEnCode();
        }
        for (const auto &call : device->calls(Op::FeatureOut))
            if (call.bytes.at(1) == 0)
                sent.insert(call.bytes.mid(2, 4));
        QVERIFY(sent.size() >= 5);
    }

    void failurePath_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("unplugged") << int(Fault::Unplugged);
        QTest::newRow("wrong echo") << int(Fault::WrongEcho);
        QTest::newRow("feature report in fails") << int(Fault::FeatureInFails);
        QTest::newRow("open fails") << int(Fault::OpenFails);
    }
    void failurePath()
    {
        QFETCH(int, fault);
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.chkDeviceIsEnCode();
        link.waitForPoolTransfer();
        link.stopLink();
        QVERIFY(link.isDeviceReady());
        owner.events.clear();
        device->clearCalls();
        device->setFault(Fault(fault));
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        link.swichCurDevice(1);
        QCOMPARE(owner.events, QStringList {"hideWindow"});
        QVERIFY(!link.isDeviceReady());
        QVERIFY(!link.isLinkStarted());
        QVERIFY(link.isLinkFree());
        QCOMPARE(startFramesSent(*device), 0);
    }

    void zeroBytesDoNotPassForAnEchoOfAnAbsentDevice()
    {
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        link.setRandomSource([] { return quint32(0x100); });
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setFault(Fault::FeatureInFails);
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        link.chkDeviceIsEnCode();
        QVERIFY(!link.isDeviceReady());
        QCOMPARE(owner.events, QStringList {"hideWindow"});
        QCOMPARE(
            device->calls(Op::FeatureOut).at(0).bytes, QByteArray::fromHex("0000000000000000ff"));

        // A device that really echoes four zero bytes is accepted.
        device->clearFaults();
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.chkDeviceIsEnCode();
        QVERIFY(link.isDeviceReady());
    }

    void noDeviceFails()
    {
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        DeviceTesting::attachVirtual(link, Attached::None);
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        link.swichCurDevice(uint(link.currentDeviceId()));
        QCOMPARE(owner.events, QStringList {"hideWindow"});
        QVERIFY(!link.isDeviceReady());
    }

    void secondCheckRunsHandshakeAndStartAgain()
    {
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.swichCurDevice(1);
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.enumerateDevices(DeviceTesting::shippedRecords());
        link.swichCurDevice(uint(link.currentDeviceId()));
        link.waitForPoolTransfer();
        QCOMPARE(startFramesSent(*device), 2);
        QCOMPARE(device->calls(Op::FeatureOut).size(), 4);
        link.stopLink();
        QVERIFY(!link.isLinkStarted());
    }

    void indexChangeStartsTheLinkWhateverTheOutcome()
    {
        // Mouse found first, then a switch to the keyboard entry, whose path is empty.
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        QCOMPARE(link.currentDeviceId(), 1);
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        link.swichCurDevice(0);
        QCOMPARE(link.currentDeviceId(), 0);
        QVERIFY(link.isLinkStarted());
        QVERIFY(!link.isDeviceReady());
        QCOMPARE(owner.events, QStringList {"hideWindow"});
        QCOMPARE(owner.askedSecrecyFor, QList<int> {0});
        QVERIFY(device->calls().isEmpty());
    }

    void keyboardRecordStartsTwiceOnAnIndexChange()
    {
        // The keyboard found at entry 1 while another entry is current: the switch sends the
        // start command, the successful handshake sends it again.
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        auto device = VirtualHidBackend::installInto(link, Attached::Both);
        DeviceRecord absent = DeviceTesting::keyboardRecord();
        absent.pid = 0x0001;
        link.enumerateDevices({absent, DeviceTesting::keyboardRecord()});
        QCOMPARE(link.currentDeviceId(), 1);
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        link.swichCurDevice(0);
        link.waitForPoolTransfer();
        QCOMPARE(startFramesSent(*device), 0);
        device->clearCalls();
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.swichCurDevice(1);
        link.waitForPoolTransfer();
        QCOMPARE(startFramesSent(*device), 2);
        QCOMPARE(device->keyboardCounters().startCommands, 2);
        QVERIFY(link.isDeviceReady());
        QCOMPARE(owner.askedSecrecyFor, (QList<int> {0, 1}));
    }

    void secrecyCodeSetting_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("default") << QVariant() << QByteArray::fromHex("0034313832363300");
        QTest::newRow("own code") << QVariant("ABCDEF") << QByteArray::fromHex("0041424344454600");
        // An earlier code stays in use; "prev12" stands for it.
        const QByteArray earlier = QByteArray::fromHex("0070726576313200");
        QTest::newRow("too short is ignored") << QVariant("12345") << earlier;
        QTest::newRow("too long is ignored") << QVariant("1234567") << earlier;
        QTest::newRow("empty is ignored") << QVariant("") << earlier;
    }
    void secrecyCodeSetting()
    {
        QFETCH(QVariant, setting);
        QFETCH(QByteArray, code);
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        owner.secrecyValue = QStringLiteral("prev12");
        link.setOwner(&owner);
        DeviceTesting::attachVirtual(link, Attached::Mouse);
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.chkDeviceIsEnCode();
        owner.secrecyValue = setting;
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.chkDeviceIsEnCode();
        QCOMPARE(link.secrecyCode().toHex(), code.toHex());
    }

    void scrambledHandshakeNeedsTheSameCode()
    {
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        link.setEncode(true);
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setScrambling(true);
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.chkDeviceIsEnCode();
        link.waitForPoolTransfer();
        QVERIFY(link.isDeviceReady());
        QCOMPARE(device->mouseCounters().startCommands, 1);
        QVERIFY(device->calls(Op::FeatureOut).at(1).bytes != startFrame);

        owner.secrecyValue = "999999";
        owner.events.clear();
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        link.chkDeviceIsEnCode();
        QVERIFY(!link.isDeviceReady());
        QCOMPARE(owner.events, QStringList {"hideWindow"});
    }

    void linksKeepTheirOwnState()
    {
        Hid_Thread scrambled;
        RecordingLinkOwner owner(&scrambled);
        owner.secrecyValue = QStringLiteral("ABCDEF");
        scrambled.setOwner(&owner);
        scrambled.setEncode(true);
        auto device = DeviceTesting::attachVirtual(scrambled, Attached::Mouse);
        device->setScrambling(true);
        device->setSecrecyCode("ABCDEF");
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        scrambled.chkDeviceIsEnCode();
        QVERIFY(scrambled.isDeviceReady());

        // A second link, plain and never answered, neither sees nor changes the first one's state.
        Hid_Thread plain;
        auto other = DeviceTesting::attachVirtual(plain, Attached::Mouse);
        QVERIFY(!plain.isDeviceReady());
        QVERIFY(!plain.isEncoding());
        QCOMPARE(plain.secrecyCode(), QByteArray(8, '\0'));
        plain.hid_01H_SetReportRate(2);
        plain.waitForPoolTransfer();
        QCOMPARE(
            other->calls(Op::FeatureOut).at(0).bytes.toHex(), QByteArray("0001020000000000fc"));
        QVERIFY(scrambled.isDeviceReady());
        QCOMPARE(scrambled.secrecyCode().toHex(), QByteArray("0041424344454600"));
    }
};

QTEST_GUILESS_MAIN(tst_Handshake)
#include "tst_handshake.moc"
