#include <QtTest>

#include "bridge/pointermappings.h"

using namespace PointerMappings;

// Each system's table both ways: a step given to the system comes back as the same step,
// and the system's own default lies on the middle of the dial.
class tst_PointerMappings : public QObject
{
    Q_OBJECT

private slots:
    void speedTablesRoundTrip_data();
    void speedTablesRoundTrip();
    void speedTablesSpanTheRange_data();
    void speedTablesSpanTheRange();
    void speedBeyondTheDialTakesTheEnd();
    void nearestStepOfForeignValues_data();
    void nearestStepOfForeignValues();
    void windowsUnitsRoundTrip();
    void accelerationRoundTrips();
    void kdeRefusesZeroLines();
};

void tst_PointerMappings::speedTablesRoundTrip_data()
{
    QTest::addColumn<const SpeedTable *>("table");
    QTest::addColumn<bool>("asFloat");
    QTest::newRow("gsettings") << &GSettings::speed << false;
    QTest::newRow("kde") << &Kde::speed << false;
    // The X property holds a 32-bit float.
    QTest::newRow("xinput") << &XInput::speed << true;
}

void tst_PointerMappings::speedTablesRoundTrip()
{
    QFETCH(const SpeedTable *, table);
    QFETCH(bool, asFloat);
    for (uint step = 0; step < speedSteps; ++step) {
        // Profile step -> Windows units -> system value -> step shown at the next start.
        const double value = table->value(Windows::speedStep(Windows::speed(step)));
        const double stored = asFloat ? double(float(value)) : value;
        QCOMPARE(table->step(stored), step);
        // As text, the way configuration files and gsettings print it.
        QCOMPARE(table->step(QString::number(stored).toDouble()), step);
    }
}

void tst_PointerMappings::speedTablesSpanTheRange_data()
{
    speedTablesRoundTrip_data();
}

void tst_PointerMappings::speedTablesSpanTheRange()
{
    QFETCH(const SpeedTable *, table);
    QCOMPARE(table->value(0), -1.0);
    QCOMPARE(table->value(speedSteps - 1), 1.0);
    // The dial's middle step is the desktops' default speed.
    QCOMPARE(table->value(5), 0.0);
    for (uint step = 1; step < speedSteps; ++step)
        QVERIFY2(table->value(step) > table->value(step - 1), qPrintable(QString::number(step)));
}

void tst_PointerMappings::speedBeyondTheDialTakesTheEnd()
{
    QCOMPARE(GSettings::speed.value(12), 1.0);
    QCOMPARE(XInput::speed.value(40), 1.0);
}

void tst_PointerMappings::nearestStepOfForeignValues_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<uint>("step");
    QTest::newRow("below range") << -3.0 << 0u;
    QTest::newRow("desktop slider -0.05") << -0.05 << 5u;
    QTest::newRow("desktop slider 0.3") << 0.3 << 7u;
    QTest::newRow("0.9") << 0.9 << 10u;
    QTest::newRow("above range") << 2.0 << 11u;
}

void tst_PointerMappings::nearestStepOfForeignValues()
{
    QFETCH(double, value);
    QFETCH(uint, step);
    QCOMPARE(GSettings::speed.step(value), step);
    QCOMPARE(Kde::speed.step(value), step);
    QCOMPARE(XInput::speed.step(value), step);
}

void tst_PointerMappings::windowsUnitsRoundTrip()
{
    for (uint step = 0; step <= speedSteps; ++step) {
        QCOMPARE(Windows::speedStep(Windows::speed(step)), step);
        QCOMPARE(Windows::doubleClickStep(Windows::doubleClickTime(step)), step);
    }
    // A time set in the desktop's own settings shows as the nearest step.
    QCOMPARE(Windows::doubleClickStep(400), 7u);
    QCOMPARE(Windows::doubleClickStep(1200), 0u);
    QCOMPARE(Windows::doubleClickStep(20), 12u);
}

void tst_PointerMappings::accelerationRoundTrips()
{
    for (bool on : {false, true}) {
        QCOMPARE(GSettings::accelerates(GSettings::accelProfile(on)), on);
        const std::array<quint8, 2> bytes = XInput::accelProfile(on);
        QCOMPARE(XInput::accelerates(bytes[0], bytes[1]), on);
        QCOMPARE(Kde::accelProfileFlags(on) == 1, !on);
    }
    QCOMPARE(GSettings::accelerates("default"), true);
}

void tst_PointerMappings::kdeRefusesZeroLines()
{
    QCOMPARE(Kde::validWheelLines(0), false);
    QCOMPARE(Kde::validWheelLines(1), true);
    QCOMPARE(Kde::validWheelLines(1000), true);
}

QTEST_APPLESS_MAIN(tst_PointerMappings)
#include "tst_pointermappings.moc"
