#include <QProcess>
#include <QtTest>

#include "device/hidbackend.h"
#include "device/virtualhidbackend.h"

// Run by hand or by CTest, with any environment: the link's default backend in a
// test process is the virtual device.
class tst_HardwareGuard : public QObject
{
    Q_OBJECT

private slots:
    void testProcessNeverUsesHidapi_data();
    void testProcessNeverUsesHidapi();
};

void tst_HardwareGuard::testProcessNeverUsesHidapi_data()
{
    QTest::addColumn<QString>("setting"); // "<unset>" removes the variable
    QTest::addColumn<QString>("expected");
    QTest::newRow("unset") << "<unset>"
                           << "none";
    QTest::newRow("empty") << ""
                           << "none";
    QTest::newRow("misspelt") << "mousse"
                              << "none";
    QTest::newRow("virtual mouse kept") << "mouse"
                                        << "mouse";
    QTest::newRow("none kept") << "none"
                               << "none";
}

void tst_HardwareGuard::testProcessNeverUsesHidapi()
{
    QFETCH(QString, setting);
    QFETCH(QString, expected);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (setting == "<unset>")
        env.remove("SKELDA_VIRTUAL_DEVICE");
    else
        env.insert("SKELDA_VIRTUAL_DEVICE", setting);
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--report-backend"});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), expected);
}

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--report-backend") == 0) {
        const auto backend = HidBackend::processDefault();
        const auto *device = dynamic_cast<VirtualHidBackend *>(backend.get());
        const char *answer = "hidapi";
        if (device)
            answer = device->attached() == VirtualHidBackend::Attached::None ? "none" : "mouse";
        printf("%s\n", answer);
        return 0;
    }
    QCoreApplication app(argc, argv);
    tst_HardwareGuard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hardwareguard.moc"
