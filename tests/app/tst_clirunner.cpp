#include <QSettings>
#include <QtTest>

#include "app/cli.h"
#include "app/clirunner.h"
#include "bridge/myqquickview.h"
#include "support/device_testing.h"
#include "support/workfolder.h"

// A command against a mouse that fails its transfers: the command says so and exits 1.
class tst_CliRunner : public QObject
{
    Q_OBJECT

private slots:
    void transferFailureIsReported_data();
    void transferFailureIsReported();
};

void tst_CliRunner::transferFailureIsReported_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("fault"); // -1: none

    const QList<QPair<const char *, QStringList>> commands {{"dpi", {"dpi", "1", "800"}},
        {"rate", {"rate", "500"}}, {"button", {"button", "3", "F5"}}, {"apply", {"apply"}}};
    for (const auto &command : commands) {
        QTest::addRow("%s answered", command.first) << command.second << -1;
        QTest::addRow("%s unplugged", command.first)
            << command.second << int(VirtualHidBackend::Fault::Unplugged);
        QTest::addRow("%s feature out fails", command.first)
            << command.second << int(VirtualHidBackend::Fault::FeatureOutFails);
    }
    QTest::addRow("dpi block fails")
        << QStringList {"dpi", "2", "1200"} << int(VirtualHidBackend::Fault::BulkWriteFails);
}

void tst_CliRunner::transferFailureIsReported()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, fault);

    skelda::test::WorkFolder folder(skelda::test::WorkFolder::ShippedSettings);
    QVERIFY(folder.isValid());
    myQQuickView bridge;
    Hid_Thread link;
    bridge.hid = &link;
    const std::shared_ptr<VirtualHidBackend> device = DeviceTesting::attachVirtual(link);
    link.chkDeviceIsEnCode();
    QVERIFY(link.isDeviceReady());
    bridge.ui_02H_SetCurrentProfile(0);
    link.waitForPoolTransfer();
    if (fault >= 0)
        device->setFault(VirtualHidBackend::Fault(fault));

    const Cli::Parsed parsed = Cli::parse(arguments);
    QVERIFY(parsed.command);
    CliRunner runner(bridge, link);
    QStringList changed;
    runner.setChangeListener([&changed](const QString &part) { changed << part; });
    const Cli::Outcome outcome = runner.run(*parsed.command);

    QCOMPARE(changed.size(), 1);
    if (fault < 0) {
        QCOMPARE(outcome.code, Cli::exitDone);
        QCOMPARE(outcome.err, QString());
        return;
    }
    QCOMPARE(outcome.code, Cli::exitFailed);
    QVERIFY2(outcome.err.contains("the mouse did not take the change (transfer failed)"),
        qPrintable(outcome.err));
    QCOMPARE(outcome.out, QString());
}

QTEST_MAIN(tst_CliRunner)
#include "tst_clirunner.moc"
