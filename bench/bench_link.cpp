// Time of every mouse command against the virtual device, next to the fixed
// sleeps the protocol itself asks for.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTextStream>

#include <algorithm>
#include <functional>

#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "device/linkowner.h"
#include "device/virtualhidbackend.h"

namespace {
constexpr int repetitions = 5;
constexpr double pauseMs = 128.0;
constexpr double gapMs = 8.0;

// The records of the device table built into the program.
QList<DeviceRecord> shippedRecords()
{
    QSettings table(DeviceTable::resourcePath, QSettings::IniFormat);
    return DeviceTable::readRecords(table, {});
}

class QuietOwner : public LinkOwner
{
public:
    explicit QuietOwner(Hid_Thread &link)
        : link(link)
    {
    }
    void startUI() override { }
    void enableView() override { }
    void clearHidBusy() override { link.releaseLink(); }
    QVariant secrecyCodeSetting(int) const override { return {}; }
    void deviceDetected() override { }
    void hideWindow() override { }

private:
    Hid_Thread &link;
};

struct Case
{
    const char *name;
    double floorMs;
    std::function<void(Hid_Thread &)> run;
};

// Milliseconds from the call until the link is free again (pool transfers included).
double timeOnce(Hid_Thread &link, const std::function<void(Hid_Thread &)> &run)
{
    QElapsedTimer clock;
    clock.start();
    run(link);
    while (!link.isLinkFree())
        QThread::usleep(100);
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    Hid_Thread link;
    QuietOwner owner(link);
    link.setOwner(&owner);
    auto device = VirtualHidBackend::installInto(link, VirtualHidBackend::Attached::Mouse);
    link.enumerateDevices(shippedRecords());

    uchar block[128] = {};
    uchar a = 0, b = 0, c = 0;
    QString version;
    const double twoPauses = 2 * pauseMs;
    const QList<Case> cases = {
        {"handshake (00H + start 03H)", gapMs, [](Hid_Thread &l) { l.chkDeviceIsEnCode(); }},
        {"00H GetSecrecyCode", 0, [&](Hid_Thread &l) { l.hid_00H_GetSecrecyCode(a, b, c, a); }},
        {"01H SetReportRate", pauseMs, [](Hid_Thread &l) { l.hid_01H_SetReportRate(1); }},
        {"03H SetKeyboardoption", gapMs,
            [](Hid_Thread &l) { l.hid_03H_SetKeyboardoption(1, 0x0F, 0x8A, 0x4D); }},
        {"03H SetFunctionOption (pool)", pauseMs,
            [](Hid_Thread &l) { l.hid_03H_SetFunctionOption(1, 1, 0, 0); }},
        {"04H SetGunData", pauseMs, [](Hid_Thread &l) { l.hid_04H_SetGunData(1, 2, 3, 4, 5); }},
        {"07H SetLEDInstructFunction (pool)", 0,
            [](Hid_Thread &l) { l.hid_07H_SetLEDInstructFunction(1, 2, 3, 4); }},
        {"0BH SetCurrentDPIStage (pool)", pauseMs,
            [](Hid_Thread &l) { l.hid_0BH_SetCurrentDPIStage(2); }},
        {"0DH SetRGBLedEffect", pauseMs, [](Hid_Thread &l) { l.hid_0DH_SetRGBLedEffect(1, 2, 3); }},
        {"0EH SetXYSensitive", pauseMs, [](Hid_Thread &l) { l.hid_0EH_SetXYSensitive(5, 5); }},
        {"10H SetLED8StageColor type 2", twoPauses + gapMs,
            [&](Hid_Thread &l) { l.hid_10H_SetLED8StageColor(2, block); }},
        {"10H SetLED8StageColor type 1", twoPauses + gapMs,
            [&](Hid_Thread &l) { l.hid_10H_SetLED8StageColor(1, block); }},
        {"11H SetDPISet", twoPauses + gapMs, [&](Hid_Thread &l) { l.hid_11H_SetDPISet(6, block); }},
        {"12H SetKeyMatrix", twoPauses + 2 * gapMs,
            [&](Hid_Thread &l) { l.hid_12H_SetKeyMatrix(block, 1); }},
        {"13H SetMacroKey", twoPauses + 4 * gapMs,
            [&](Hid_Thread &l) { l.hid_13H_SetMacroKey(1, block); }},
        {"80H GetFWVersion", 0, [&](Hid_Thread &l) { l.hid_80H_GetFWVersion(version); }},
        {"81H GetReportRate", 0, [&](Hid_Thread &l) { l.hid_81H_GetReportRate(a); }},
        {"83H GetFunctionOption", 0, [&](Hid_Thread &l) { l.hid_83H_GetFunctionOption(a, b, c); }},
        {"87H GetLEDInstructFunction", 0,
            [&](Hid_Thread &l) { l.hid_87H_GetLEDInstructFunction(1, a, b, c); }},
        {"8BH GetCurrentDPIStage", 0, [&](Hid_Thread &l) { l.hid_8BH_GetCurrentDPIStage(a); }},
        {"8DH GetRGBLedEffect", 0, [&](Hid_Thread &l) { l.hid_8DH_GetRGBLedEffect(a, b, c); }},
        {"90H GetLED8StageColor type 1", 0,
            [&](Hid_Thread &l) { l.hid_90H_GetLED8StageColor(1, block); }},
        {"91H GetDPISet", 0, [&](Hid_Thread &l) { l.hid_91H_GetDPISet(a, block); }},
        {"92H GetKeyMatrix", 0, [&](Hid_Thread &l) { l.hid_92H_GetKeyMatrix(block); }},
        {"93H GetMacroKey", 0, [&](Hid_Thread &l) { l.hid_93H_GetMacroKey(1, block); }},
    };

    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg("command", -36)
               .arg("measured ms", 12)
               .arg("floor ms", 10)
               .arg("overhead ms", 12);
    double worstOverhead = 0;
    for (const Case &benchCase : cases) {
        QList<double> times;
        for (int i = 0; i < repetitions; ++i)
            times << timeOnce(link, benchCase.run);
        const double measured = median(times);
        worstOverhead = std::max(worstOverhead, measured - benchCase.floorMs);
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(benchCase.name, -36)
                   .arg(measured, 12, 'f', 3)
                   .arg(benchCase.floorMs, 10, 'f', 3)
                   .arg(measured - benchCase.floorMs, 12, 'f', 3);
        out.flush();
    }

    // One profile as the bridge sends it when the user applies a profile.
    const double profileFloor = (twoPauses + 2 * gapMs) + pauseMs + pauseMs + (twoPauses + gapMs)
        + 2 * (twoPauses + gapMs) + pauseMs + pauseMs;
    QList<double> profileTimes;
    for (int i = 0; i < repetitions; ++i) {
        profileTimes << timeOnce(link, [&](Hid_Thread &l) {
            l.hid_12H_SetKeyMatrix(block, 1);
            l.hid_0EH_SetXYSensitive(5, 5);
            l.hid_0BH_SetCurrentDPIStage(2);
            l.hid_11H_SetDPISet(6, block);
            l.hid_10H_SetLED8StageColor(1, block);
            l.hid_10H_SetLED8StageColor(2, block);
            l.hid_0DH_SetRGBLedEffect(1, 2, 3);
            l.hid_01H_SetReportRate(1);
        });
    }
    const double profile = median(profileTimes);
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg("whole profile", -36)
               .arg(profile, 12, 'f', 3)
               .arg(profileFloor, 10, 'f', 3)
               .arg(profile - profileFloor, 12, 'f', 3);
    out << QStringLiteral(
        "worst command overhead %1 ms; whole profile overhead %2 % of its floor\n")
               .arg(worstOverhead, 0, 'f', 3)
               .arg(100.0 * (profile - profileFloor) / profileFloor, 0, 'f', 2);
    out << QStringLiteral("median of %1 runs; %2 backend calls seen by the virtual device\n")
               .arg(repetitions)
               .arg(device->calls().size());
    return 0;
}
