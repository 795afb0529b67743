#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QtTest>

#include "hidtracefile.h"
#include "privatexserver.h"
#include "programcopy.h"

// Runs the real program's command line: without a window on the virtual mouse, and handed
// to a window copy that runs. What counts is the exit code, the answer, the bytes on the
// wire and the settings files as the next run reads them.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void changeReachesWireAndFile_data();
    void changeReachesWireAndFile();
    void showAnswersWhatIsStored();
    void listFindsTheMouse();
    void helpAndVersion();
    void refusedChangesNothing_data();
    void refusedChangesNothing();
    void lastStageStaysOn();
    void withoutMouseNothingIsStored();
    void exportAndImport();
    void namesForScriptsAndCompletion();
    void handedToTheRunningWindow();

private:
    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };
    Run run(const QStringList &arguments, const QString &device = "mouse",
        const QString &traceName = "hid.trace");
    QStringList trace(const QString &traceName = "hid.trace") const;
    int find(const QString &text, int from = 0, const QString &traceName = "hid.trace") const;
    // The colour of a point of the window, in the window's own coordinates.
    QRgb pixel(const PrivateXServer &x, const QPoint &origin, int px, int py) const;
    QString stored(const QString &file, const QString &key) const;
    QByteArray settingsBytes() const;
    static QString frame(const QList<int> &bytes);

    QTemporaryDir *scratch = nullptr;
};

QString tst_CommandLine::frame(const QList<int> &bytes)
{
    return HidTraceFile::featureLine(bytes);
}

void tst_CommandLine::init()
{
    scratch = new QTemporaryDir;
    QVERIFY(scratch->isValid());
    const QString copyError = copyProgramTo(scratch->filePath("app"));
    QVERIFY2(copyError.isEmpty(), qPrintable(copyError));
}

void tst_CommandLine::cleanup()
{
    delete scratch;
    scratch = nullptr;
}

tst_CommandLine::Run tst_CommandLine::run(
    const QStringList &arguments, const QString &device, const QString &traceName)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SKELDA_VIRTUAL_DEVICE", device);
    env.insert("SKELDA_HID_TRACE", scratch->filePath(traceName));
    // A terminal without a display.
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(scratch->path());
    program.start(scratch->filePath("app/skelda"), arguments);
    Run result;
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return result;
    }
    result.code = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    result.out = QString::fromUtf8(program.readAllStandardOutput());
    result.err = QString::fromUtf8(program.readAllStandardError());
    return result;
}

QStringList tst_CommandLine::trace(const QString &traceName) const
{
    QFile file(scratch->filePath(traceName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

int tst_CommandLine::find(const QString &text, int from, const QString &traceName) const
{
    const QStringList lines = trace(traceName);
    for (int i = qMax(0, from); i < lines.size(); ++i)
        if (lines.at(i).section(' ', 1).startsWith(text))
            return i;
    return -1;
}

QString tst_CommandLine::stored(const QString &file, const QString &key) const
{
    QSettings settings(scratch->filePath("app/modules/setting/" + file), QSettings::IniFormat);
    const QVariant value = settings.value(key);
    return value.metaType().id() == QMetaType::QStringList ? value.toStringList().join(", ")
                                                           : value.toString();
}

QByteArray tst_CommandLine::settingsBytes() const
{
    QByteArray all;
    const QDir folder(scratch->filePath("app/modules/setting"));
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            all += name.toUtf8() + '\n' + file.readAll();
    }
    return all;
}

void tst_CommandLine::changeReachesWireAndFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("dpi") << QStringList {"dpi", "1", "800"} << frame({0x11, 6, 8})
                         << "out 00 07 07 0f 17 1f 31 80 80"
                         << "p1.bin"
                         << "sensor/dpi_Z5"
                         << "800, 800, 1600, 2400, 3200, 5000, 250, 250";
    QTest::newRow("dpi above 5000") << QStringList {"dpi", "6", "6000"} << frame({0x11, 6, 8})
                                    << "out 00 03 07 0f 17 1f 5e 80 80"
                                    << "p1.bin"
                                    << "sensor/dpi_Z5"
                                    << "400, 800, 1600, 2400, 3200, 6000, 250, 250";
    QTest::newRow("stage off") << QStringList {"dpi-enable", "2", "off"} << frame({0x11, 6, 8})
                               << "out 00 03 80 0f 17 1f 31 80 80"
                               << "p1.bin"
                               << "sensor/dpi_Select"
                               << "1, 0, 1, 1, 1, 1, 0, 0";
    QTest::newRow("rate") << QStringList {"rate", "500"} << frame({0x01, 2}) << QString()
                          << "p1.bin"
                          << "sensor/reportRate_Z5"
                          << "2";
    QTest::newRow("light") << QStringList {"light", "breath", "3"} << frame({0x0d, 2, 2, 2})
                           << QString() << "p1.bin"
                           << "color_Z5/ledEffect"
                           << "2, 3, 2";
    QTest::newRow("light off") << QStringList {"light", "static", "0"} << frame({0x0d, 0, 0, 0})
                               << QString() << "p1.bin"
                               << "color_Z5/ledEffect"
                               << "1, 0, 2";
    QTest::newRow("button function")
        << QStringList {"button", "6", "dpi loop"} << "feature-out 00 12" << QString() << "p1.bin"
        << "keydefine_Z5/5"
        << "7, 0, 3, 0";
    QTest::newRow("button key") << QStringList {"button", "2", "F5"} << "feature-out 00 12"
                                << QString() << "p1.bin"
                                << "keydefine_Z5/1"
                                << "0, 0, 62, 0";
    QTest::newRow("apply") << QStringList {"apply"} << frame({0x02, 0}) << QString() << "p1.bin"
                           << "sensor/dpi_Z5"
                           << "400, 800, 1600, 2400, 3200, 5000, 250, 250";
    QTest::newRow("profile by name")
        << QStringList {"profile", "standard"} << frame({0x02, 1}) << QString() << "apConfig.bin"
        << "Z5/profileNo"
        << "1";
    QTest::newRow("profile by number")
        << QStringList {"profile", "2"} << frame({0x02, 1}) << QString() << "apConfig.bin"
        << "Z5/profileNo"
        << "1";
}

void tst_CommandLine::changeReachesWireAndFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, command);
    QFETCH(QString, block);
    QFETCH(QString, file);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const Run result = run(arguments);
    QVERIFY2(result.code == 0, qPrintable(result.err));
    QCOMPARE(result.err, QString());
    QVERIFY(!result.out.isEmpty());
    // Greeted first, as the window does.
    const int started = find("feature-out 00 03 01 0f 8a 4d 00 00 15");
    QVERIFY2(started > 0, qPrintable(trace().join('\n')));
    const int sent = find(command, started);
    QVERIFY2(sent > started, qPrintable(trace().join('\n')));
    if (!block.isEmpty())
        QVERIFY2(find(block, sent) > sent, qPrintable(trace().join('\n')));
    QCOMPARE(stored(file, key), value);
    if (arguments == QStringList {"apply"}) {
        for (const QString &part : {QString("feature-out 00 12"), QString("feature-out 00 0e"),
                 frame({0x11, 6, 8}), QString("out 00 03 07 0f 17 1f 31 80 80"),
                 QString("feature-out 00 10"), QString("feature-out 00 0b"),
                 QString("feature-out 00 0d"), QString("feature-out 00 01")})
            QVERIFY2(find(part, sent) > sent, qPrintable(part));
    }
}

void tst_CommandLine::namesForScriptsAndCompletion()
{
    const Run profiles = run({"names", "profiles"}, "none");
    QCOMPARE(profiles.code, 0);
    QCOMPARE(profiles.out, QString("PUBG\nStandard\n"));
    const Run functions = run({"names", "functions", "--json"}, "none");
    QCOMPARE(functions.code, 0);
    const QJsonArray names = QJsonDocument::fromJson(functions.out.toUtf8())["names"].toArray();
    QVERIFY(names.contains(QJsonValue("DPI LOOP")));
    QVERIFY(names.contains(QJsonValue("Left Button")));
    QVERIFY(names.contains(QJsonValue("Deactivated")));
    QVERIFY(!names.contains(QJsonValue("Gun Management")));
    const Run keys = run({"names", "keys"}, "none");
    QVERIFY(keys.out.split('\n').contains("F5"));
    QVERIFY(keys.out.split('\n').contains("Space"));
}

void tst_CommandLine::showAnswersWhatIsStored()
{
    QCOMPARE(run({"dpi", "3", "5200"}).code, 0);
    QCOMPARE(run({"light", "neon", "1"}).code, 0);
    QFile::remove(scratch->filePath("hid.trace"));

    const Run result = run({"show", "--json"}, "none");
    QCOMPARE(result.code, 0);
    // Reading needs no mouse and sends nothing.
    QCOMPARE(find("feature-out"), -1);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(result.out));
    QCOMPARE(json["profile"].toObject()["number"].toInt(), 1);
    QCOMPARE(json["profile"].toObject()["name"].toString(), QString("PUBG"));
    const QJsonArray stages = json["dpi"].toObject()["stages"].toArray();
    QCOMPARE(stages.size(), 6);
    QCOMPARE(stages[2].toObject()["dpi"].toInt(), 5200);
    QCOMPARE(stages[0].toObject()["dpi"].toInt(), 400);
    QCOMPARE(json["lighting"].toObject()["effect"].toString(), QString("neon"));
    QCOMPARE(json["lighting"].toObject()["level"].toInt(), 1);
    QCOMPARE(json["buttons"].toArray().size(), 8);

    const Run text = run({"show"}, "none");
    QCOMPARE(text.code, 0);
    QVERIFY2(text.out.startsWith("Profile 1: PUBG\n"), qPrintable(text.out));
    QVERIFY2(text.out.contains("  3  5200  on "), qPrintable(text.out));
    QVERIFY2(text.out.contains("Lighting: neon, level 1\n"), qPrintable(text.out));
}

void tst_CommandLine::listFindsTheMouse()
{
    const Run found = run({"list", "--json"});
    QCOMPARE(found.code, 0);
    const QJsonArray devices = QJsonDocument::fromJson(found.out.toUtf8())["devices"].toArray();
    QCOMPARE(devices.size(), 1);
    const QJsonObject mouse = devices[0].toObject();
    QCOMPARE(mouse["handshake"].toString(), QString("ok"));
    QCOMPARE(mouse["current"].toBool(), true);
    QVERIFY(!mouse["commandInterface"].toString().isEmpty());
    QVERIFY(!mouse["eventInterface"].toString().isEmpty());
    QCOMPARE(mouse["name"].toString(), QString("DORNAK SKELDA MOUSE R740"));

    const Run missing = run({"list"}, "none");
    QCOMPARE(missing.code, 1);
    QVERIFY2(missing.err.contains("no mouse found"), qPrintable(missing.err));
}

void tst_CommandLine::helpAndVersion()
{
    const Run help = run({"--help"});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.startsWith("usage: skelda"));
    QVERIFY(help.out.contains("dpi-enable STAGE on|off"));
    QCOMPARE(help.err, QString());
    QVERIFY(!QFile::exists(scratch->filePath("hid.trace")));

    const Run topic = run({"help", "rate"});
    QCOMPARE(topic.code, 0);
    QVERIFY(topic.out.contains("125, 250, 500, 1000"));

    const Run version = run({"--version"});
    QCOMPARE(version.code, 0);
    QCOMPARE(version.out, QString(SKELDA_PROJECT_VERSION "\n"));
}

void tst_CommandLine::refusedChangesNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    QTest::newRow("stage") << QStringList {"dpi", "7", "800"} << 2 << "stage must be 1 to 6";
    QTest::newRow("dpi range") << QStringList {"dpi", "1", "6400"} << 2
                               << "DPI must be 200 to 6000";
    QTest::newRow("dpi step") << QStringList {"dpi", "1", "5100"} << 2 << "of 200 above";
    QTest::newRow("rate") << QStringList {"rate", "2000"} << 2
                          << "report rate must be 125, 250, 500 or 1000";
    QTest::newRow("effect") << QStringList {"light", "rainbow"} << 2 << "effect must be";
    QTest::newRow("level") << QStringList {"light", "neon", "9"} << 2 << "level must be 0 to 4";
    QTest::newRow("profile not listed") << QStringList {"profile", "4"} << 2
                                        << "profile 4 is not in the profile list (1 PUBG, "
                                           "2 Standard)";
    QTest::newRow("profile name") << QStringList {"profile", "Work"} << 2
                                  << "profile 'Work' is not in the profile list";
    QTest::newRow("last left button")
        << QStringList {"button", "1", "F5"} << 1 << "button 1 is the only Left Button";
    QTest::newRow("gun button") << QStringList {"button", "8", "F5"} << 2
                                << "button 8 plays the gun chosen in the window";
    QTest::newRow("unknown action")
        << QStringList {"button", "3", "Teleport"} << 2 << "unknown action 'Teleport'";
    QTest::newRow("unknown command") << QStringList {"reboot"} << 2 << "unknown command 'reboot'";
    QTest::newRow("missing value")
        << QStringList {"rate", "500", "1000"} << 2 << "usage: skelda rate";
    QTest::newRow("missing file") << QStringList {"import", "1", "nothing-here.pf"} << 1
                                  << "cannot read";
    QTest::newRow("file no profile") << QStringList {"import", "1", "notes.pf"} << 1
                                     << "is not a profile file; profile 1 is unchanged";
    QTest::newRow("export to no folder")
        << QStringList {"export", "1", "no/such/folder/a.pf"} << 1 << "cannot write";
}

void tst_CommandLine::refusedChangesNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, message);

    QFile notes(scratch->filePath("notes.pf"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("shopping list\nmilk\n");
    notes.close();
    const QByteArray before = settingsBytes();
    const Run result = run(arguments);
    QCOMPARE(result.code, code);
    QVERIFY2(
        result.err.startsWith("skelda: ") && result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.out, QString());
    QCOMPARE(settingsBytes(), before);
    for (const int code : {0x01, 0x02, 0x0b, 0x0d, 0x10, 0x11, 0x12})
        QCOMPARE(find(QStringLiteral("feature-out 00 %1").arg(code, 2, 16, QLatin1Char('0'))), -1);
}

void tst_CommandLine::lastStageStaysOn()
{
    for (const QString &stage : {"1", "2", "3", "4", "5"})
        QCOMPARE(run({"dpi-enable", stage, "off"}).code, 0);
    QCOMPARE(stored("p1.bin", "sensor/dpi_Select"), QString("0, 0, 0, 0, 0, 1, 0, 0"));
    // The mouse moved off each stage as it left the cycle.
    QCOMPARE(stored("p1.bin", "sensor/stage_Z5"), QString("5"));
    const QByteArray before = settingsBytes();
    const Run refused = run({"dpi-enable", "6", "off"});
    QCOMPARE(refused.code, 1);
    QVERIFY2(
        refused.err.contains("stage 6 is the only stage in the cycle"), qPrintable(refused.err));
    QCOMPARE(settingsBytes(), before);
}

void tst_CommandLine::withoutMouseNothingIsStored()
{
    const QByteArray before = settingsBytes();
    for (const QStringList &arguments : QList<QStringList> {{"dpi", "1", "800"}, {"rate", "125"},
             {"light", "neon"}, {"profile", "2"}, {"apply"}, {"dpi-enable", "1", "off"}}) {
        const Run result = run(arguments, "none");
        QCOMPARE(result.code, 1);
        QVERIFY2(result.err.contains("no mouse found"), qPrintable(result.err));
        QCOMPARE(result.out, QString());
    }
    QCOMPARE(settingsBytes(), before);
}

void tst_CommandLine::exportAndImport()
{
    QCOMPARE(run({"dpi", "2", "1200"}).code, 0);
    const Run exported = run({"export", "PUBG", "saved.pf"}, "none");
    QVERIFY2(exported.code == 0, qPrintable(exported.err));
    QSettings copy(scratch->filePath("saved.pf"), QSettings::IniFormat);
    QCOMPARE(copy.value("sensor/dpi_Z5").toStringList().value(1), QString("1200"));

    // Into the profile that is not current: no mouse needed, nothing sent.
    QFile::remove(scratch->filePath("hid.trace"));
    const Run other = run({"import", "2", "saved.pf"}, "none");
    QVERIFY2(other.code == 0, qPrintable(other.err));
    QCOMPARE(stored("p2.bin", "sensor/dpi_Z5").section(", ", 1, 1), QString("1200"));
    QCOMPARE(find("feature-out 00 11"), -1);

    // Into the current profile: stored and sent.
    QCOMPARE(run({"dpi", "2", "3000"}).code, 0);
    QFile::remove(scratch->filePath("hid.trace"));
    const Run current = run({"import", "1", "saved.pf"});
    QVERIFY2(current.code == 0, qPrintable(current.err));
    QCOMPARE(stored("p1.bin", "sensor/dpi_Z5").section(", ", 1, 1), QString("1200"));
    const int dpi = find(frame({0x11, 6, 8}));
    QVERIFY2(dpi > 0, qPrintable(trace().join('\n')));
    QVERIFY(find("out 00 03 0b 0f 17 1f 31 80 80", dpi) > dpi);
    QVERIFY(find("feature-out 00 12", 0) > 0);
}

QRgb tst_CommandLine::pixel(const PrivateXServer &x, const QPoint &origin, int px, int py) const
{
    QProcess grab;
    grab.setProcessEnvironment(x.environment());
    grab.start("import", {"-window", "root", "png:-"});
    if (!grab.waitForFinished(20000) || grab.exitCode() != 0)
        return 0;
    const QImage image = QImage::fromData(grab.readAllStandardOutput(), "PNG");
    const QPoint at = origin + QPoint(px, py);
    return image.valid(at) ? image.pixel(at) : 0;
}

void tst_CommandLine::handedToTheRunningWindow()
{
    PrivateXServer x;
    const QString error = x.start();
    if (error.contains("not installed"))
        QSKIP(qPrintable(error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QProcess window;
    QProcessEnvironment env = x.environment();
    env.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
    env.insert("SKELDA_HID_TRACE", scratch->filePath("window.trace"));
    window.setProcessEnvironment(env);
    window.setProcessChannelMode(QProcess::ForwardedChannels);
    window.setWorkingDirectory(scratch->path());
    window.start(scratch->filePath("app/skelda"), {});
    QVERIFY(window.waitForStarted());
    const auto stopWindow = qScopeGuard([&window] {
        window.terminate();
        if (!window.waitForFinished(10000)) {
            window.kill();
            window.waitForFinished(5000);
        }
    });
    QTRY_VERIFY_WITH_TIMEOUT(
        find("feature-out 00 03 01 0f 8a 4d 00 00 15", 0, "window.trace") >= 0, 30000);
    QPoint origin;
    const auto locate = [&] {
        const QString id
            = x.xdotool({"search", "--onlyvisible", "--pid", QString::number(window.processId())});
        if (id.isEmpty())
            return false;
        QMap<QString, int> values;
        const QString shell = x.xdotool({"getwindowgeometry", "--shell", id.section('\n', 0, 0)});
        for (const QString &line : shell.split('\n'))
            values.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
        origin = QPoint(values.value("X"), values.value("Y"));
        return values.value("WIDTH") == 1000;
    };
    QTRY_VERIFY_WITH_TIMEOUT(locate(), 20000);
    const bool canLook = !QStandardPaths::findExecutable("import").isEmpty();
    // The first DPI slider is filled up to its top at 6000 and nearly empty at 400.
    const auto stageOneFilled = [&] {
        const QRgb at = pixel(x, origin, 755, 148);
        return qRed(at) > 200 && qBlue(at) < 80;
    };
    if (canLook)
        QTRY_VERIFY_WITH_TIMEOUT(!stageOneFilled(), 20000);

    const int mark = trace("window.trace").size();
    const Run changed = run({"dpi", "1", "6000"}, "mouse", "client.trace");
    QVERIFY2(changed.code == 0, qPrintable(changed.err));
    QCOMPARE(changed.out, QString("DPI stage 1: 6000\n"));
    // One process holds the device: the command line never opened it.
    QCOMPARE(trace("client.trace"), QStringList());
    const int sent = find("feature-out 00 11 06 08", mark, "window.trace");
    QVERIFY2(sent >= mark, qPrintable(trace("window.trace").mid(mark).join('\n')));
    QVERIFY(find("out 00 5e 07 0f 17 1f 31 80 80", sent, "window.trace") > sent);
    QCOMPARE(
        stored("p1.bin", "sensor/dpi_Z5"), QString("6000, 800, 1600, 2400, 3200, 5000, 250, 250"));
    if (canLook)
        QTRY_VERIFY_WITH_TIMEOUT(stageOneFilled(), 20000);

    const Run shown = run({"show", "--json"}, "mouse", "client.trace");
    QCOMPARE(shown.code, 0);
    const QJsonObject json = QJsonDocument::fromJson(shown.out.toUtf8()).object();
    QCOMPARE(json["dpi"].toObject()["stages"].toArray()[0].toObject()["dpi"].toInt(), 6000);

    const Run rate = run({"rate", "250"}, "mouse", "client.trace");
    QCOMPARE(rate.code, 0);
    QVERIFY(find("feature-out 00 01 04", sent, "window.trace") > sent);
    QCOMPARE(stored("p1.bin", "sensor/reportRate_Z5"), QString("4"));

    // Refused by the running copy, with nothing stored.
    const QByteArray before = settingsBytes();
    const Run refused = run({"profile", "5"}, "mouse", "client.trace");
    QCOMPARE(refused.code, 2);
    QVERIFY2(refused.err.contains("profile 5 is not in the profile list"), qPrintable(refused.err));
    QCOMPARE(settingsBytes(), before);
    QCOMPARE(trace("client.trace"), QStringList());
    QCOMPARE(window.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline_linux.moc"
