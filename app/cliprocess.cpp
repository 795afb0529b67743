#include "app/cliprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <cstdio>

#include "app/cli.h"
#include "app/clirunner.h"
#include "app/qtsinglecoreapplication.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "device/hidtrace.h"
#include "device/linkowner.h"
#include "store/appsettings.h"
#include "store/datatree.h"
#include "store/profileset.h"

namespace {

// How long a command waits for the running copy, or for the copy before it to end.
constexpr int answerTimeoutMs = 30000;
constexpr int retryMs = 100;

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void print(FILE *stream, const QString &text)
{
    if (text.isEmpty())
        return;
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
    std::fflush(stream);
}

int finish(const Cli::Outcome &outcome)
{
    print(stdout, outcome.out);
    if (!outcome.err.isEmpty())
        print(stderr, QStringLiteral("skelda: ") + outcome.err);
    return outcome.code;
}

// The link's debug lines and the toolkit's notes are for the window's log; a command
// tells its own failures on standard error.
void quietDebug(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
        return;
    print(stderr, message);
}

QByteArray requestOf(const Cli::Command &command)
{
    return QJsonDocument(QJsonObject {{QStringLiteral("arguments"),
                             QJsonArray::fromStringList(command.arguments())}})
        .toJson(QJsonDocument::Compact);
}

QByteArray answerOf(const Cli::Outcome &outcome)
{
    return QJsonDocument(
        QJsonObject {{QStringLiteral("code"), outcome.code}, {QStringLiteral("out"), outcome.out},
            {QStringLiteral("err"), outcome.err}})
        .toJson(QJsonDocument::Compact);
}

std::optional<Cli::Outcome> outcomeOf(const QByteArray &answer)
{
    const QJsonObject object = QJsonDocument::fromJson(answer).object();
    if (!object.contains(QStringLiteral("code")))
        return std::nullopt;
    return Cli::Outcome {object.value(QStringLiteral("code")).toInt(Cli::exitFailed),
        object.value(QStringLiteral("out")).toString(),
        object.value(QStringLiteral("err")).toString()};
}

// What the handshake asks of the program when no window is there.
class HeadlessOwner : public LinkOwner
{
public:
    explicit HeadlessOwner(myQQuickView &bridge)
        : bridge(bridge)
    {
    }
    void startUI() override { }
    void enableView() override { }
    void clearHidBusy() override { bridge.clearHidBusy(); }
    QVariant secrecyCodeSetting(int did) const override
    {
        return bridge.applicationSettings()->secrecyCode(did);
    }
    void deviceDetected() override { }
    void hideWindow() override { }

private:
    myQQuickView &bridge;
};

bool needsMouse(const Cli::Command &command)
{
    return command.verb == Cli::Verb::List || command.isChange;
}

// The bridge without a document: its slots store and send, and nothing is shown.
int runHeadless(const Cli::Command &command)
{
    AppSettings settings;
    ProfileSet profiles;
    myQQuickView bridge(&settings, &profiles);
    Hid_Thread link;
    HeadlessOwner owner(bridge);
    link.setOwner(&owner);
    bridge.hid = &link;
    CliRunner runner(bridge, link);
    if (needsMouse(command)) {
        link.enumerateDevices(DeviceTable::shippedRecords(settings.productNames()));
        link.setEncode(DeviceTable::shippedIsEncode());
        link.swichCurDevice(uint(link.currentDeviceId()));
    }
    // As the window at its start: the mouse holds the profile the changes go to.
    if (command.verb != Cli::Verb::Profile)
        runner.setBeforeChange(
            [&bridge, &runner] { bridge.ui_02H_SetCurrentProfile(runner.currentProfile()); });
    const Cli::Outcome outcome = runner.run(command);
    link.waitForPoolTransfer();
    link.stopLink();
    return finish(outcome);
}

} // namespace

namespace CliProcess {

bool wanted(int argc, char **argv)
{
    return Cli::isCommandLine(argumentsOf(argc, argv));
}

int run(int &argc, char **argv)
{
    const Cli::Parsed parsed = Cli::parse(argumentsOf(argc, argv));
    if (!parsed.command)
        return finish(Cli::Outcome::usage(parsed.error));
    Cli::Command command = *parsed.command;
    if (command.verb == Cli::Verb::Help)
        return finish(Cli::Outcome::done(Cli::helpText(command.topic)));
    if (command.verb == Cli::Verb::Version)
        return finish(Cli::Outcome::done(QStringLiteral(SKELDA_VERSION)));
    // Relative to where the command was given, not to where it is carried out.
    if (!command.file.isEmpty())
        command.file = QDir::current().absoluteFilePath(command.file);

    // Nothing is shown, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietDebug);
    QtSingleCoreApplication app(argc, argv);
    QElapsedTimer waited;
    waited.start();
    while (app.isRunning()) {
        const QByteArray answer = app.sendRequest(requestOf(command), answerTimeoutMs);
        if (const std::optional<Cli::Outcome> outcome = outcomeOf(answer))
            return finish(*outcome);
        // A copy without a window is busy with its own command, or the copy has just ended.
        if (app.takeOver())
            break;
        if (waited.elapsed() > answerTimeoutMs)
            return finish(Cli::Outcome::failed(
                QStringLiteral("the running copy of the program does not answer")));
        QThread::msleep(retryMs);
    }

    // Before the working directory moves, so that a relative trace name means the start folder.
    HidTrace::begin();
    // The same data tree as the window's.
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const DataTree::Choice tree = DataTree::choose(executableFolder,
        DataTree::installedFactoryRoot(executableFolder), DataTree::userDataRoot());
    if (tree.root.isEmpty() && !tree.problem.isEmpty())
        return finish(Cli::Outcome::failed(QStringLiteral("data tree: ") + tree.problem));
    QDir::setCurrent(tree.root.isEmpty() ? executableFolder : tree.root);
    return runHeadless(command);
}

void serve(QtSingleCoreApplication &app, Widget &window)
{
    app.setRequestHandler([&window](const QByteArray &request) {
        const QJsonArray words = QJsonDocument::fromJson(request)
                                     .object()
                                     .value(QStringLiteral("arguments"))
                                     .toArray();
        QStringList arguments;
        for (const QJsonValue &word : words)
            arguments << word.toString();
        const Cli::Parsed parsed = Cli::parse(arguments);
        if (!parsed.command)
            return answerOf(Cli::Outcome::usage(parsed.error));
        CliRunner runner(*window.bridge(), window.link());
        runner.setChangeListener(
            [&window](const QString &part) { window.bridge()->showStoredSettings(part); });
        return answerOf(runner.run(*parsed.command));
    });
}

} // namespace CliProcess
