#include "app/cli.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace Cli {

namespace {

struct VerbName
{
    Verb verb;
    const char *name;
};

const VerbName verbNames[] = {
    {Verb::List, "list"},
    {Verb::Show, "show"},
    {Verb::Profile, "profile"},
    {Verb::Dpi, "dpi"},
    {Verb::DpiEnable, "dpi-enable"},
    {Verb::Rate, "rate"},
    {Verb::Light, "light"},
    {Verb::Button, "button"},
    {Verb::Apply, "apply"},
    {Verb::Export, "export"},
    {Verb::Import, "import"},
    {Verb::Names, "names"},
    {Verb::Help, "help"},
};

std::optional<Verb> verbOf(const QString &word)
{
    for (const VerbName &entry : verbNames)
        if (word == QLatin1String(entry.name))
            return entry.verb;
    return std::nullopt;
}

QString nameOf(Verb verb)
{
    for (const VerbName &entry : verbNames)
        if (entry.verb == verb)
            return QString::fromLatin1(entry.name);
    return QString();
}

std::optional<int> integer(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

bool isInteger(const QString &text)
{
    return integer(text).has_value();
}

Parsed refuse(const QString &message)
{
    return {std::nullopt, message};
}

QString usageLine(Verb verb)
{
    switch (verb) {
    case Verb::List:
        return QStringLiteral("skelda list [--json]");
    case Verb::Show:
        return QStringLiteral("skelda show [--json]");
    case Verb::Profile:
        return QStringLiteral("skelda profile [N|NAME] [--json]");
    case Verb::Dpi:
        return QStringLiteral("skelda dpi [STAGE VALUE] [--json]");
    case Verb::DpiEnable:
        return QStringLiteral("skelda dpi-enable STAGE on|off");
    case Verb::Rate:
        return QStringLiteral("skelda rate [HZ] [--json]");
    case Verb::Light:
        return QStringLiteral("skelda light [EFFECT [LEVEL]] [--json]");
    case Verb::Button:
        return QStringLiteral("skelda button [N ACTION] [--json]");
    case Verb::Apply:
        return QStringLiteral("skelda apply");
    case Verb::Export:
        return QStringLiteral("skelda export N|NAME FILE");
    case Verb::Import:
        return QStringLiteral("skelda import N|NAME FILE");
    case Verb::Names:
        return QStringLiteral("skelda names profiles|functions|keys [--json]");
    case Verb::Help:
    case Verb::Version:
        break;
    }
    return QStringLiteral("skelda help [COMMAND]");
}

Parsed wrongCount(Verb verb)
{
    return refuse(QStringLiteral("usage: %1").arg(usageLine(verb)));
}

QString stageRange()
{
    return QStringLiteral("stage must be 1 to %1").arg(stageCount);
}

QString dpiRange()
{
    return QStringLiteral("DPI must be %1 to %2: steps of 100 up to 5000, of 200 above")
        .arg(minDpi)
        .arg(maxDpi);
}

QString rateRange()
{
    return QStringLiteral("report rate must be 125, 250, 500 or 1000 (Hz)");
}

QString effectRange()
{
    return QStringLiteral("effect must be %1").arg(effectNames().join(QStringLiteral(", ")));
}

QString levelRange()
{
    return QStringLiteral("level must be 0 to %1").arg(lightLevels - 1);
}

QString profileRange()
{
    return QStringLiteral("profile must be 1 to %1 or a profile name").arg(profileFiles);
}

std::optional<int> stageArgument(const QString &text)
{
    const std::optional<int> stage = integer(text);
    if (!stage || *stage < 1 || *stage > stageCount)
        return std::nullopt;
    return stage;
}

// A profile is a number from 1 or a name; the name is looked up in the list later.
bool profileArgument(const QString &text, Command &command)
{
    if (const std::optional<int> number = integer(text)) {
        if (*number < 1 || *number > profileFiles)
            return false;
        command.number = *number;
        return true;
    }
    command.name = text;
    return !text.trimmed().isEmpty();
}

Parsed parseVerb(Command command, const QStringList &rest)
{
    auto done = [&command] { return Parsed {command, QString()}; };
    command.isChange = !rest.isEmpty();
    switch (command.verb) {
    case Verb::Help:
        if (rest.size() > 1)
            return wrongCount(Verb::Help);
        command.isChange = false;
        command.topic = rest.value(0);
        if (!command.topic.isEmpty() && !verbOf(command.topic))
            return refuse(QStringLiteral("unknown command '%1'; commands: %2")
                              .arg(command.topic, commandNames()));
        return done();
    case Verb::Version:
    case Verb::List:
    case Verb::Show:
    case Verb::Apply:
        if (!rest.isEmpty())
            return wrongCount(command.verb);
        command.isChange = command.verb == Verb::Apply;
        return done();
    case Verb::Profile:
        if (rest.size() > 1)
            return wrongCount(command.verb);
        if (!rest.isEmpty() && !profileArgument(rest.at(0), command))
            return refuse(profileRange());
        return done();
    case Verb::Dpi: {
        if (rest.isEmpty())
            return done();
        if (rest.size() != 2)
            return wrongCount(command.verb);
        const std::optional<int> stage = stageArgument(rest.at(0));
        if (!stage)
            return refuse(stageRange());
        const std::optional<int> value = integer(rest.at(1));
        if (!value || !isDeviceDpi(*value))
            return refuse(dpiRange());
        command.number = *stage;
        command.value = *value;
        return done();
    }
    case Verb::DpiEnable: {
        if (rest.size() != 2)
            return wrongCount(command.verb);
        const std::optional<int> stage = stageArgument(rest.at(0));
        if (!stage)
            return refuse(stageRange());
        const QString state = rest.at(1).toLower();
        if (state != QLatin1String("on") && state != QLatin1String("off"))
            return refuse(QStringLiteral("state must be on or off"));
        command.number = *stage;
        command.name = state;
        return done();
    }
    case Verb::Rate: {
        if (rest.isEmpty())
            return done();
        if (rest.size() != 1)
            return wrongCount(command.verb);
        const std::optional<int> hz = integer(rest.at(0));
        if (!hz || reportValueForHz(*hz) == 0)
            return refuse(rateRange());
        command.value = *hz;
        return done();
    }
    case Verb::Light: {
        if (rest.isEmpty())
            return done();
        if (rest.size() > 2)
            return wrongCount(command.verb);
        if (effectNumber(rest.at(0)) == 0)
            return refuse(effectRange());
        command.name = effectNames().at(effectNumber(rest.at(0)) - 1);
        command.value = -1;
        if (rest.size() == 2) {
            const std::optional<int> level = integer(rest.at(1));
            if (!level || *level < 0 || *level >= lightLevels)
                return refuse(levelRange());
            command.value = *level;
        }
        return done();
    }
    case Verb::Button: {
        if (rest.isEmpty())
            return done();
        if (rest.size() < 2)
            return wrongCount(command.verb);
        const std::optional<int> button = integer(rest.at(0));
        if (!button || *button < 1 || *button > buttonCount)
            return refuse(QStringLiteral("button must be 1 to %1").arg(buttonCount));
        command.number = *button;
        command.name = rest.mid(1).join(QLatin1Char(' '));
        return done();
    }
    case Verb::Names:
        command.isChange = false;
        if (rest.size() != 1
            || !QStringList {QStringLiteral("profiles"), QStringLiteral("functions"),
                QStringLiteral("keys")}
                    .contains(rest.at(0)))
            return wrongCount(command.verb);
        command.name = rest.at(0);
        return done();
    case Verb::Export:
    case Verb::Import:
        if (rest.size() != 2)
            return wrongCount(command.verb);
        if (!profileArgument(rest.at(0), command))
            return refuse(profileRange());
        if (rest.at(1).isEmpty())
            return wrongCount(command.verb);
        command.file = rest.at(1);
        command.isChange = command.verb == Verb::Import;
        return done();
    }
    return wrongCount(command.verb);
}

QJsonValue nullable(const QString &text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonValue dpiValue(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? QJsonValue(value) : nullable(text);
}

} // namespace

QStringList Command::arguments() const
{
    QStringList words {nameOf(verb)};
    switch (verb) {
    case Verb::Help:
        if (!topic.isEmpty())
            words << topic;
        break;
    case Verb::Version:
        words = {QStringLiteral("--version")};
        break;
    case Verb::List:
    case Verb::Show:
    case Verb::Apply:
        break;
    case Verb::Profile:
        if (isChange)
            words << (name.isEmpty() ? QString::number(number) : name);
        break;
    case Verb::Dpi:
        if (isChange)
            words << QString::number(number) << QString::number(value);
        break;
    case Verb::DpiEnable:
        words << QString::number(number) << name;
        break;
    case Verb::Rate:
        if (isChange)
            words << QString::number(value);
        break;
    case Verb::Light:
        if (isChange) {
            words << name;
            if (value >= 0)
                words << QString::number(value);
        }
        break;
    case Verb::Button:
        if (isChange)
            words << QString::number(number) << name;
        break;
    case Verb::Export:
    case Verb::Import:
        words << (name.isEmpty() ? QString::number(number) : name) << file;
        break;
    case Verb::Names:
        words << name;
        break;
    }
    if (json)
        words << QStringLiteral("--json");
    return words;
}

bool isCommandLine(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return false;
    const QString &first = arguments.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")
        || first == QLatin1String("--version") || first == QLatin1String("--json"))
        return true;
    return !first.startsWith(QLatin1Char('-'));
}

Parsed parse(const QStringList &arguments)
{
    Command command;
    QStringList words;
    bool help = false;
    bool version = false;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--json"))
            command.json = true;
        else if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            help = true;
        else if (argument == QLatin1String("--version"))
            version = true;
        else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1
            && !isInteger(argument))
            return refuse(QStringLiteral("unknown option '%1'; see skelda --help").arg(argument));
        else
            words << argument;
    }
    if (version && words.isEmpty() && !help) {
        command.verb = Verb::Version;
        return {command, QString()};
    }
    if (words.isEmpty()) {
        if (!help)
            return refuse(QStringLiteral("no command given; see skelda --help"));
        command.verb = Verb::Help;
        return {command, QString()};
    }
    const std::optional<Verb> verb = verbOf(words.first());
    if (!verb)
        return refuse(QStringLiteral("unknown command '%1'; commands: %2")
                          .arg(words.first(), commandNames()));
    if (help) {
        command.verb = Verb::Help;
        command.topic = *verb == Verb::Help ? QString() : words.first();
        return {command, QString()};
    }
    command.verb = *verb;
    return parseVerb(command, words.mid(1));
}

QString commandNames()
{
    QStringList names;
    for (const VerbName &entry : verbNames)
        names << QString::fromLatin1(entry.name);
    return names.join(QStringLiteral(", "));
}

QString helpText(const QString &topic)
{
    const std::optional<Verb> verb = verbOf(topic);
    const QString rates = QStringLiteral("125, 250, 500, 1000");
    QString details;
    if (verb) {
        switch (*verb) {
        case Verb::List:
            details = QStringLiteral("Lists the supported devices found, their command and event\n"
                                     "interfaces, and whether the mouse answered the handshake.\n");
            break;
        case Verb::Show:
            details = QStringLiteral("Shows the current profile: DPI stages, report rate, "
                                     "lighting,\naxis sensitivity and the eight buttons.\n");
            break;
        case Verb::Profile:
            details = QStringLiteral("Without an argument shows the current profile's number and "
                                     "name.\nWith one, switches to that profile (a number from "
                                     "1 or a name from the\nwindow's profile list) and sends it "
                                     "to the mouse.\n");
            break;
        case Verb::Dpi:
            details = QStringLiteral("Sets the DPI of a stage (1 to 6): 200 to 6000, steps of 100 "
                                     "up to 5000,\nof 200 above.\n");
            break;
        case Verb::DpiEnable:
            details = QStringLiteral("Puts a stage in or out of the mouse's DPI cycle. One stage "
                                     "always stays on.\n");
            break;
        case Verb::Rate:
            details = QStringLiteral("Sets the report rate in Hz: %1.\n").arg(rates);
            break;
        case Verb::Light:
            details = QStringLiteral("Sets the lighting effect (%1) and its level,\n0 to 4 "
                                     "(static level 0 is off). Without a level the effect keeps "
                                     "its\nown.\n")
                          .arg(effectNames().join(QStringLiteral(", ")));
            break;
        case Verb::Button:
            details = QStringLiteral("Gives button N (1 to 8) an action: a function by its "
                                     "English name\n(\"Left Click\", \"DPI Loop\", ...), a key "
                                     "name (\"F5\", \"Key-Space\") or\n\"Macro:NAME\". "
                                     "Without arguments lists the buttons.\n");
            break;
        case Verb::Apply:
            details = QStringLiteral("Sends the whole current profile to the mouse again.\n");
            break;
        case Verb::Export:
            details = QStringLiteral("Writes profile N to FILE (an exported profile, *.pf).\n");
            break;
        case Verb::Import:
            details = QStringLiteral("Replaces profile N by FILE; when N is the current profile "
                                     "it is sent\nto the mouse.\n");
            break;
        case Verb::Names:
            details = QStringLiteral("Lists, one a line, the profile names, the button "
                                     "functions or the key\nnames that the other commands "
                                     "take.\n");
            break;
        case Verb::Help:
        case Verb::Version:
            break;
        }
        if (!details.isEmpty())
            return QStringLiteral("usage: %1\n\n%2").arg(usageLine(*verb), details);
    }
    return QStringLiteral(
        "usage: skelda [COMMAND [ARGUMENTS]] [--json]\n"
        "\n"
        "Without a command the window starts. With one, the command is carried\n"
        "out by the running window if there is one, otherwise without a window.\n"
        "\n"
        "Commands:\n"
        "  list                    devices found and whether the mouse answered\n"
        "  show                    the current profile\n"
        "  profile [N|NAME]        show or switch the current profile\n"
        "  dpi [STAGE VALUE]       show the DPI stages, or set one (200-6000)\n"
        "  dpi-enable STAGE on|off put a stage in or out of the DPI cycle\n"
        "  rate [HZ]               show or set the report rate (125, 250, 500, 1000)\n"
        "  light [EFFECT [LEVEL]]  show or set the lighting (static, breath, neon,\n"
        "                          finger-tapping; level 0-4)\n"
        "  button [N ACTION]       show the buttons, or give button N (1-8) an action\n"
        "  apply                   send the whole current profile to the mouse again\n"
        "  export N|NAME FILE      write a profile to a file\n"
        "  import N|NAME FILE      replace a profile by a file\n"
        "  names profiles|functions|keys  the names the commands above take\n"
        "  help [COMMAND]          this text, or more on one command\n"
        "\n"
        "Options:\n"
        "  --json                  answer in JSON (stable field names, see README)\n"
        "  -h, --help              this text\n"
        "  --version               the program's version\n"
        "\n"
        "Exit codes: 0 done, 1 failed (no mouse, transfer failed, file refused),\n"
        "2 usage error.\n");
}

QList<int> reportRatesHz()
{
    return {125, 250, 500, 1000};
}

int reportValueForHz(int hz)
{
    switch (hz) {
    case 1000:
        return 1;
    case 500:
        return 2;
    case 250:
        return 4;
    case 125:
        return 8;
    default:
        return 0;
    }
}

int hzForReportValue(int value)
{
    switch (value) {
    case 1:
        return 1000;
    case 2:
        return 500;
    case 4:
        return 250;
    default:
        return 125;
    }
}

QStringList effectNames()
{
    return {QStringLiteral("static"), QStringLiteral("breath"), QStringLiteral("neon"),
        QStringLiteral("finger-tapping")};
}

int effectNumber(const QString &name)
{
    const int index = int(effectNames().indexOf(name.toLower()));
    return index + 1;
}

bool isDeviceDpi(int value)
{
    if (value < minDpi || value > maxDpi)
        return false;
    return value <= 5000 ? value % 100 == 0 : value % 200 == 0;
}

int deviceDpi(int value)
{
    const int v = qBound(minDpi, value, maxDpi);
    return v <= 5000 ? v / 100 * 100 : v / 200 * 200;
}

int dpiCode(int value, bool enabled)
{
    if (!enabled)
        return 0x80;
    return value <= 5000 ? value / 100 - 1 : (value / 200) | 0x40;
}

namespace {
// A stage whose stored text is no number is sent as a stage that is off, text kept.
std::optional<int> stageDpi(const ProfileState::Stage &stage)
{
    bool ok = false;
    const int value = stage.dpi.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

QVariantList dpiBlock(const QList<ProfileState::Stage> &stages)
{
    QVariantList block;
    for (int i = 0; i < 8; ++i) {
        const std::optional<int> value = i < stages.size() ? stageDpi(stages.at(i)) : std::nullopt;
        block << (value ? dpiCode(*value, stages.at(i).enabled) : 0x80);
    }
    return block;
}

QVariantList dpiStoredValues(const QList<ProfileState::Stage> &stages)
{
    QVariantList values;
    for (const ProfileState::Stage &stage : stages) {
        const std::optional<int> value = stageDpi(stage);
        values << (value ? QVariant(*value) : QVariant(stage.dpi));
    }
    return values << 250 << 250;
}

QVariantList dpiSelectValues(const QList<ProfileState::Stage> &stages)
{
    QVariantList values;
    for (const ProfileState::Stage &stage : stages)
        values << (stage.enabled ? 1 : 0);
    return values << 0 << 0;
}

LedCommand ledCommand(int effect, int level, int option2)
{
    const bool known = level >= 0 && level <= 4;
    int option1 = 1;
    if (effect == 1 && known) {
        // Static level 0 is sent as "off".
        if (level == 0)
            return {0, 0, 0};
        option1 = QList<int> {0xFF, 2, 4, 6, 10}.at(level);
    } else if (effect == 2 && known) {
        option1 = 5 - level;
    } else if ((effect == 3 || effect == 4) && known) {
        option1 = QList<int> {6, 12, 18, 24, 30}.at(level);
    }
    return {effect, option1, option2};
}

QJsonObject dpiJson(const ProfileState &state)
{
    QJsonArray stages;
    for (int i = 0; i < state.stages.size(); ++i) {
        const ProfileState::Stage &stage = state.stages.at(i);
        stages.append(QJsonObject {{QStringLiteral("stage"), i + 1},
            {QStringLiteral("dpi"), dpiValue(stage.dpi)},
            {QStringLiteral("enabled"), stage.enabled},
            {QStringLiteral("color"), nullable(stage.color)}});
    }
    return {{QStringLiteral("currentStage"), state.currentStage + 1},
        {QStringLiteral("stages"), stages}};
}

QJsonObject lightJson(const ProfileState &state)
{
    return {{QStringLiteral("effect"), effectNames().value(state.effect - 1)},
        {QStringLiteral("level"), state.level}};
}

QJsonObject buttonsJson(const ProfileState &state)
{
    QJsonArray buttons;
    for (int i = 0; i < state.buttons.size(); ++i)
        buttons.append(QJsonObject {{QStringLiteral("button"), i + 1},
            {QStringLiteral("action"), state.buttons.at(i).action},
            {QStringLiteral("code"), state.buttons.at(i).code}});
    return {{QStringLiteral("buttons"), buttons}};
}

QJsonObject profileJson(const ProfileState &state)
{
    return {{QStringLiteral("profile"),
                QJsonObject {{QStringLiteral("number"), state.number},
                    {QStringLiteral("name"), state.name}}},
        {QStringLiteral("dpi"), dpiJson(state)}, {QStringLiteral("reportRate"), state.reportRateHz},
        {QStringLiteral("lighting"), lightJson(state)},
        {QStringLiteral("axisSensitivity"),
            QJsonObject {{QStringLiteral("x"), state.axisX}, {QStringLiteral("y"), state.axisY}}},
        {QStringLiteral("buttons"), buttonsJson(state).value(QStringLiteral("buttons"))}};
}

QString dpiText(const ProfileState &state)
{
    QString text = QStringLiteral("DPI stages (current %1):\n").arg(state.currentStage + 1);
    for (int i = 0; i < state.stages.size(); ++i) {
        const ProfileState::Stage &stage = state.stages.at(i);
        text += QStringLiteral("  %1  %2  %3  %4\n")
                    .arg(i + 1)
                    .arg(stage.dpi, 4)
                    .arg(stage.enabled ? QStringLiteral("on ") : QStringLiteral("off"),
                        stage.color.isEmpty() ? QStringLiteral("-") : stage.color);
    }
    return text;
}

QString lightText(const ProfileState &state)
{
    return QStringLiteral("Lighting: %1, level %2\n")
        .arg(effectNames().value(state.effect - 1))
        .arg(state.level);
}

QString buttonsText(const ProfileState &state)
{
    QString text = QStringLiteral("Buttons:\n");
    for (int i = 0; i < state.buttons.size(); ++i)
        text += QStringLiteral("  %1  %2\n").arg(i + 1).arg(state.buttons.at(i).action);
    return text;
}

QString showText(const ProfileState &state)
{
    return QStringLiteral("Profile %1: %2\n").arg(state.number).arg(state.name) + dpiText(state)
        + QStringLiteral("Report rate: %1 Hz\n").arg(state.reportRateHz) + lightText(state)
        + QStringLiteral("Axis sensitivity: x %1, y %2\n").arg(state.axisX).arg(state.axisY)
        + buttonsText(state);
}

QJsonObject listJson(const QList<DeviceState> &devices)
{
    QJsonArray list;
    for (const DeviceState &device : devices)
        list.append(QJsonObject {{QStringLiteral("id"), device.id},
            {QStringLiteral("name"), device.name}, {QStringLiteral("usbId"), device.vidPid},
            {QStringLiteral("commandInterface"), device.commandInterface},
            {QStringLiteral("eventInterface"), device.eventInterface},
            {QStringLiteral("current"), device.current},
            {QStringLiteral("handshake"), device.handshake}});
    return {{QStringLiteral("devices"), list}};
}

QString listText(const QList<DeviceState> &devices)
{
    QString text;
    for (const DeviceState &device : devices)
        text += QStringLiteral("%1 %2 [%3]%4\n  command interface: %5\n  event interface: "
                               "%6\n  handshake: %7\n")
                    .arg(device.id)
                    .arg(device.name, device.vidPid,
                        device.current ? QStringLiteral(" current") : QString(),
                        device.commandInterface, device.eventInterface, device.handshake);
    return text;
}

QString jsonLine(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + '\n';
}

} // namespace Cli
