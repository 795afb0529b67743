#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "app/cli.h"

// The command line without a device or a file: what is refused and why, what a change
// sends, and the fields of the JSON answers.
class tst_Cli : public QObject
{
    Q_OBJECT

private slots:
    void commandLineOrWindow_data();
    void commandLineOrWindow();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void dpiBytes_data();
    void dpiBytes();
    void lighting_data();
    void lighting();
    void profileJson();
    void listJson();
};

void tst_Cli::commandLineOrWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("commandLine");
    QTest::newRow("nothing") << QStringList() << false;
    QTest::newRow("toolkit option") << QStringList {"-platform", "xcb"} << false;
    QTest::newRow("word") << QStringList {"show"} << true;
    QTest::newRow("unknown word") << QStringList {"frobnicate"} << true;
    QTest::newRow("--help") << QStringList {"--help"} << true;
    QTest::newRow("-h") << QStringList {"-h"} << true;
    QTest::newRow("--version") << QStringList {"--version"} << true;
    QTest::newRow("--json first") << QStringList {"--json", "show"} << true;
}

void tst_Cli::commandLineOrWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, commandLine);
    QCOMPARE(Cli::isCommandLine(arguments), commandLine);
}

void tst_Cli::accepted_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("verb");
    QTest::addColumn<bool>("isChange");
    QTest::addColumn<bool>("json");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("name");

    using V = Cli::Verb;
    QTest::newRow("help") << QStringList {"--help"} << int(V::Help) << false << false << 0 << 0
                          << QString();
    QTest::newRow("show json") << QStringList {"show", "--json"} << int(V::Show) << false << true
                               << 0 << 0 << QString();
    QTest::newRow("json before") << QStringList {"--json", "list"} << int(V::List) << false << true
                                 << 0 << 0 << QString();
    QTest::newRow("profile read") << QStringList {"profile"} << int(V::Profile) << false << false
                                  << 0 << 0 << QString();
    QTest::newRow("profile 10") << QStringList {"profile", "10"} << int(V::Profile) << true << false
                                << 10 << 0 << QString();
    QTest::newRow("profile name") << QStringList {"profile", "Standard"} << int(V::Profile) << true
                                  << false << 0 << 0 << QString("Standard");
    QTest::newRow("dpi lowest") << QStringList {"dpi", "1", "200"} << int(V::Dpi) << true << false
                                << 1 << 200 << QString();
    QTest::newRow("dpi 5000") << QStringList {"dpi", "6", "5000"} << int(V::Dpi) << true << false
                              << 6 << 5000 << QString();
    QTest::newRow("dpi 5200") << QStringList {"dpi", "3", "5200"} << int(V::Dpi) << true << false
                              << 3 << 5200 << QString();
    QTest::newRow("dpi highest") << QStringList {"dpi", "2", "6000"} << int(V::Dpi) << true << false
                                 << 2 << 6000 << QString();
    QTest::newRow("dpi-enable off") << QStringList {"dpi-enable", "4", "OFF"} << int(V::DpiEnable)
                                    << true << false << 4 << 0 << QString("off");
    QTest::newRow("rate 125") << QStringList {"rate", "125"} << int(V::Rate) << true << false << 0
                              << 125 << QString();
    QTest::newRow("rate 1000") << QStringList {"rate", "1000"} << int(V::Rate) << true << false << 0
                               << 1000 << QString();
    QTest::newRow("light keeps level") << QStringList {"light", "Neon"} << int(V::Light) << true
                                       << false << 0 << -1 << QString("neon");
    QTest::newRow("light level 0") << QStringList {"light", "static", "0"} << int(V::Light) << true
                                   << false << 0 << 0 << QString("static");
    QTest::newRow("button words") << QStringList {"button", "3", "Middle", "Click"}
                                  << int(V::Button) << true << false << 3 << 0
                                  << QString("Middle Click");
    QTest::newRow("apply") << QStringList {"apply"} << int(V::Apply) << true << false << 0 << 0
                           << QString();
    QTest::newRow("export") << QStringList {"export", "2", "a.pf"} << int(V::Export) << false
                            << false << 2 << 0 << QString();
    QTest::newRow("import") << QStringList {"import", "1", "a.pf"} << int(V::Import) << true
                            << false << 1 << 0 << QString();
}

void tst_Cli::accepted()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, verb);
    QFETCH(bool, isChange);
    QFETCH(bool, json);
    QFETCH(int, number);
    QFETCH(int, value);
    QFETCH(QString, name);

    const Cli::Parsed parsed = Cli::parse(arguments);
    QVERIFY2(parsed.command, qPrintable(parsed.error));
    QCOMPARE(int(parsed.command->verb), verb);
    QCOMPARE(parsed.command->isChange, isChange);
    QCOMPARE(parsed.command->json, json);
    QCOMPARE(parsed.command->number, number);
    QCOMPARE(parsed.command->value, value);
    QCOMPARE(parsed.command->name, name);
    // What a running copy is sent reads back as the same command.
    const Cli::Parsed again = Cli::parse(parsed.command->arguments());
    QVERIFY2(again.command, qPrintable(again.error));
    QCOMPARE(again.command->arguments(), parsed.command->arguments());
}

void tst_Cli::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("no command") << QStringList {"--json"} << "no command given";
    QTest::newRow("unknown command")
        << QStringList {"frobnicate"} << "unknown command 'frobnicate'";
    QTest::newRow("unknown option") << QStringList {"show", "--jsn"} << "unknown option '--jsn'";
    QTest::newRow("show with argument") << QStringList {"show", "1"} << "usage: skelda show";
    QTest::newRow("dpi one argument") << QStringList {"dpi", "1"} << "usage: skelda dpi";
    QTest::newRow("stage 0") << QStringList {"dpi", "0", "800"} << "stage must be 1 to 6";
    QTest::newRow("stage 7") << QStringList {"dpi", "7", "800"} << "stage must be 1 to 6";
    QTest::newRow("dpi 100") << QStringList {"dpi", "1", "100"} << "DPI must be 200 to 6000";
    QTest::newRow("dpi 6200") << QStringList {"dpi", "1", "6200"} << "DPI must be 200 to 6000";
    QTest::newRow("dpi between hundreds")
        << QStringList {"dpi", "1", "850"} << "steps of 100 up to 5000";
    QTest::newRow("dpi odd hundred above 5000")
        << QStringList {"dpi", "1", "5100"} << "of 200 above";
    QTest::newRow("dpi negative") << QStringList {"dpi", "1", "-400"} << "DPI must be";
    QTest::newRow("dpi text") << QStringList {"dpi", "1", "fast"} << "DPI must be";
    QTest::newRow("enable maybe") << QStringList {"dpi-enable", "1", "maybe"}
                                  << "state must be on or off";
    QTest::newRow("rate 300") << QStringList {"rate", "300"}
                              << "report rate must be 125, 250, 500 or 1000";
    QTest::newRow("effect") << QStringList {"light", "disco"}
                            << "effect must be static, breath, neon, finger-tapping";
    QTest::newRow("level 5") << QStringList {"light", "breath", "5"} << "level must be 0 to 4";
    QTest::newRow("profile 0") << QStringList {"profile", "0"} << "profile must be 1 to 10";
    QTest::newRow("profile 11") << QStringList {"profile", "11"} << "profile must be 1 to 10";
    QTest::newRow("button 9") << QStringList {"button", "9", "Left Click"}
                              << "button must be 1 to 8";
    QTest::newRow("button no action") << QStringList {"button", "2"} << "usage: skelda button";
    QTest::newRow("export no file") << QStringList {"export", "1"} << "usage: skelda export";
    QTest::newRow("help unknown") << QStringList {"help", "nothing"} << "unknown command 'nothing'";
}

void tst_Cli::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Cli::Parsed parsed = Cli::parse(arguments);
    QVERIFY(!parsed.command);
    QVERIFY2(parsed.error.contains(message), qPrintable(parsed.error));
}

void tst_Cli::dpiBytes_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("stored");

    const QList<bool> allOn {true, true, true, true, true, true};
    QTest::newRow("factory") << QStringList {"400", "800", "1600", "2400", "3200", "5000"} << allOn
                             << QByteArray::fromHex("03070f171f318080")
                             << "400,800,1600,2400,3200,5000,250,250";
    QTest::newRow("above 5000") << QStringList {"6000", "5200", "200", "5000", "5400", "1000"}
                                << allOn << QByteArray::fromHex("5e5a01315b098080")
                                << "6000,5200,200,5000,5400,1000,250,250";
    QTest::newRow("stages off") << QStringList {"400", "800", "1600", "2400", "3200", "5000"}
                                << QList<bool> {true, false, true, true, true, false}
                                << QByteArray::fromHex("03800f171f808080")
                                << "400,800,1600,2400,3200,5000,250,250";
    QTest::newRow("text kept, sent as off")
        << QStringList {"400", "abc", "1600", "2400", "3200", "5000"} << allOn
        << QByteArray::fromHex("03800f171f318080") << "400,abc,1600,2400,3200,5000,250,250";
}

void tst_Cli::dpiBytes()
{
    QFETCH(QStringList, values);
    QFETCH(QList<bool>, enabled);
    QFETCH(QByteArray, block);
    QFETCH(QString, stored);

    QList<Cli::ProfileState::Stage> stages;
    for (int i = 0; i < values.size(); ++i)
        stages.append({values.at(i), enabled.at(i), QString()});
    QByteArray bytes;
    for (const QVariant &byte : Cli::dpiBlock(stages))
        bytes.append(char(byte.toInt()));
    QCOMPARE(bytes.toHex(), block.toHex());
    QStringList texts;
    for (const QVariant &value : Cli::dpiStoredValues(stages))
        texts << value.toString();
    QCOMPARE(texts.join(','), stored);
}

void tst_Cli::lighting_data()
{
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("sent");

    QTest::newRow("static 0 is off") << 1 << 0 << QList<int> {0, 0, 0};
    QTest::newRow("static 1") << 1 << 1 << QList<int> {1, 2, 2};
    QTest::newRow("static 4") << 1 << 4 << QList<int> {1, 10, 2};
    QTest::newRow("breath 0") << 2 << 0 << QList<int> {2, 5, 2};
    QTest::newRow("breath 4") << 2 << 4 << QList<int> {2, 1, 2};
    QTest::newRow("neon 0") << 3 << 0 << QList<int> {3, 6, 2};
    QTest::newRow("finger tapping 4") << 4 << 4 << QList<int> {4, 30, 2};
}

void tst_Cli::lighting()
{
    QFETCH(int, effect);
    QFETCH(int, level);
    QFETCH(QList<int>, sent);
    const Cli::LedCommand command = Cli::ledCommand(effect, level, 2);
    QCOMPARE((QList<int> {command.effect, command.option1, command.option2}), sent);
}

void tst_Cli::profileJson()
{
    Cli::ProfileState state;
    state.number = 2;
    state.name = "Standard";
    for (int i = 0; i < 6; ++i)
        state.stages.append({QString::number(400 * (i + 1)), i != 3, "#102030"});
    state.stages[5].dpi = "abc";
    state.currentStage = 4;
    state.reportRateHz = 500;
    state.effect = 3;
    state.level = 1;
    state.axisX = 2;
    state.axisY = 10;
    state.buttons.append(Cli::ProfileState::ButtonState {"Left Click", "010000f0"});

    const QJsonObject json
        = QJsonDocument::fromJson(Cli::jsonLine(Cli::profileJson(state)).toUtf8()).object();
    QCOMPARE(json["profile"].toObject()["number"].toInt(), 2);
    QCOMPARE(json["profile"].toObject()["name"].toString(), QString("Standard"));
    const QJsonObject dpi = json["dpi"].toObject();
    QCOMPARE(dpi["currentStage"].toInt(), 5);
    const QJsonArray stages = dpi["stages"].toArray();
    QCOMPARE(stages.size(), 6);
    QCOMPARE(stages[1].toObject()["dpi"].toInt(), 800);
    QCOMPARE(stages[3].toObject()["enabled"].toBool(), false);
    QCOMPARE(stages[0].toObject()["color"].toString(), QString("#102030"));
    QCOMPARE(stages[5].toObject()["dpi"].toString(), QString("abc"));
    QCOMPARE(json["reportRate"].toInt(), 500);
    QCOMPARE(json["lighting"].toObject()["effect"].toString(), QString("neon"));
    QCOMPARE(json["lighting"].toObject()["level"].toInt(), 1);
    QCOMPARE(json["axisSensitivity"].toObject()["x"].toInt(), 2);
    QCOMPARE(json["axisSensitivity"].toObject()["y"].toInt(), 10);
    QCOMPARE(json["buttons"].toArray()[0].toObject()["action"].toString(), QString("Left Click"));
    QCOMPARE(json["buttons"].toArray()[0].toObject()["code"].toString(), QString("010000f0"));
    QVERIFY(Cli::showText(state).contains("  4  1600  off  #102030\n"));
}

void tst_Cli::listJson()
{
    Cli::DeviceState device;
    device.id = 1;
    device.name = "Mouse";
    device.vidPid = "1234:abcd";
    device.commandInterface = "virtual:mouse:command";
    device.eventInterface = "virtual:mouse:event";
    device.current = true;
    device.handshake = "ok";
    const QJsonObject json
        = QJsonDocument::fromJson(Cli::jsonLine(Cli::listJson({device})).toUtf8()).object();
    const QJsonObject first = json["devices"].toArray()[0].toObject();
    QCOMPARE(first["id"].toInt(), 1);
    QCOMPARE(first["usbId"].toString(), QString("1234:abcd"));
    QCOMPARE(first["commandInterface"].toString(), QString("virtual:mouse:command"));
    QCOMPARE(first["handshake"].toString(), QString("ok"));
    QCOMPARE(first["current"].toBool(), true);
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
