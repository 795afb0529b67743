#include <QSettings>
#include <QtTest>

#include "programundertest.h"

// Assigns buttons in the real program on the virtual mouse with the pointer and the keyboard of
// a private X server, then reads the key matrix from the HID trace and from the profile file.
class tst_ButtonAssignment : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuAndSingleKeyReachDeviceAndProfile();

private:
    // The last key matrix block written after the 12H command frame, or empty.
    QByteArray lastKeyMatrix() const
    {
        return app.trace.lastBlock(QByteArray::fromHex("12 01 40 08"), 64);
    }
    QVariantList storedButton(int button) const;

    ProgramUnderTest app;
};

void tst_ButtonAssignment::initTestCase()
{
    const QString error = app.prepare();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(app.start("buttons.trace"));
    QVERIFY(app.waitForWindow());
}

QVariantList tst_ButtonAssignment::storedButton(int button) const
{
    QSettings config(app.modulesFile("setting/apConfig.bin"), QSettings::IniFormat);
    const int profile = config.value("Z5/profileNo", 0).toInt();
    QSettings settings(
        app.modulesFile(QStringLiteral("setting/p%1.bin").arg(profile + 1)), QSettings::IniFormat);
    return settings.value(QStringLiteral("keydefine_Z5/%1").arg(button)).toList();
}

void tst_ButtonAssignment::menuAndSingleKeyReachDeviceAndProfile()
{
    const QVariantList dpiLoop {"7", "0", "3", "0"};
    const QByteArray dpiLoopBytes("\x07\x00\x03\x00", 4);
    // The panels appear once the busy lock of the start ends; until then clicks do nothing.
    for (int attempt = 0; attempt < 8; ++attempt) {
        // Button 3's row, "DPI Setting +" in the menu beside it, "DPI LOOP" in its sub-menu.
        app.click({180, 181});
        app.moveTo({300, 396});
        app.click({440, 441});
        if (QTest::qWaitFor([&] { return lastKeyMatrix().mid(8, 4) == dpiLoopBytes; }, 3000))
            break;
    }
    QByteArray block = lastKeyMatrix();
    QCOMPARE(block.mid(8, 4).toHex(' '), QByteArray("07 00 03 00"));
    QCOMPARE(block.mid(0, 4).toHex(' '), QByteArray("01 00 f0 00"));
    QCOMPARE(block.mid(28, 4).toHex(' '), QByteArray("08 00 02 00"));
    QCOMPARE(storedButton(2), dpiLoop);

    // Button 4's row, "Assign Keyboard Key", then F5 typed and confirmed.
    const QByteArray f5("\x00\x00\x3e\x00", 4);
    for (int attempt = 0; attempt < 5; ++attempt) {
        app.click({180, 202});
        app.click({300, 459});
        app.keys({"F5"});
        app.click({444, 377});
        if (QTest::qWaitFor([&] { return lastKeyMatrix().mid(12, 4) == f5; }, 3000))
            break;
    }
    block = lastKeyMatrix();
    QCOMPARE(block.mid(12, 4).toHex(' '), QByteArray("00 00 3e 00"));
    QCOMPARE(block.mid(8, 4).toHex(' '), QByteArray("07 00 03 00"));
    QCOMPARE(storedButton(3), (QVariantList {"0", "0", "62", "0"}));
    QCOMPARE(storedButton(2), dpiLoop);
    QVERIFY(app.isRunning());
}

QTEST_GUILESS_MAIN(tst_ButtonAssignment)
#include "tst_buttonassignment_linux.moc"
