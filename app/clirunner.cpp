#include "app/clirunner.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QQmlEngine>

#include "bridge/dialogs.h"
#include "bridge/myqquickview.h"
#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "store/appsettings.h"
#include "store/profiles.h"
#include "store/profileset.h"

namespace {

const char *const noMouse = "no mouse found (is it plugged in? see skelda list)";

// The bridge asks these while a command runs: the file comes from the command line and
// a warning goes to standard error instead of a message box.
class CommandLineDialogs : public Dialogs
{
public:
    explicit CommandLineDialogs(const QString &file)
        : file(file)
        , previous(&Dialogs::current())
    {
        Dialogs::install(this);
    }
    ~CommandLineDialogs() override { Dialogs::install(previous); }

    QString openFileName(QWindow *, const QString &, const QString &, const QString &) override
    {
        return file;
    }
    QString saveFileName(QWindow *, const QString &, const QString &, const QString &) override
    {
        return file;
    }
    void warning(const QString &title, const QString &text) override
    {
        warnings << title + QStringLiteral(": ") + text;
    }
    bool confirm(const QString &, const QString &) override { return false; }

    QStringList warnings;

private:
    QString file;
    Dialogs *previous;
};

int intOf(const QVariant &value, int fallback)
{
    bool ok = false;
    const int n = value.toString().trimmed().toInt(&ok);
    return ok ? n : fallback;
}

QString hexColor(const QVariantList &colors, int stage)
{
    if (3 * stage + 2 >= colors.size())
        return QString();
    QString text = QStringLiteral("#");
    for (int k = 0; k < 3; ++k)
        text += QStringLiteral("%1").arg(
            colors.at(3 * stage + k).toUInt() & 0xFF, 2, 16, QLatin1Char('0'));
    return text;
}

// An axis step as the slider places it: 0 to 8 as stored, anything else the last step.
int axisStep(const QVariant &stored)
{
    const QString text = stored.toString();
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('8')
        ? text.toInt()
        : 9;
}

} // namespace

CliRunner::CliRunner(myQQuickView &bridge, Hid_Thread &link)
    : bridge(bridge)
    , link(link)
{
}

int CliRunner::currentProfile() const
{
    const int stored = intOf(bridge.getProfile(), 0);
    return Profiles::isValidNumber(stored) ? stored : 0;
}

QList<CliRunner::ProfileRow> CliRunner::profileRows() const
{
    constexpr int maxRows = 6;
    QVariantList entries = bridge.getNameList(2);
    if (entries.size() == 2 && entries.at(1).toString() == QLatin1String("loadertovrim"))
        entries = {entries.at(0)};
    const bool english = bridge.getLang().toString() != QLatin1String("ChineseSimplified");
    const QStringList fixedNames {QStringLiteral("PUBG"), QStringLiteral("Standard")};
    QList<ProfileRow> rows;
    for (const QVariant &entry : entries) {
        if (rows.size() >= maxRows)
            break;
        const QString text = entry.toString();
        if (text.isEmpty() || !text.back().isDigit())
            continue;
        QString name = text.chopped(1);
        if (english && rows.size() < fixedNames.size())
            name = fixedNames.at(rows.size());
        rows.append({text.back().digitValue(), name});
    }
    return rows;
}

int CliRunner::resolveProfile(const Cli::Command &command, Cli::Outcome &error) const
{
    const QList<ProfileRow> rows = profileRows();
    QStringList known;
    for (const ProfileRow &row : rows)
        known << QStringLiteral("%1 %2").arg(row.number + 1).arg(row.name);
    for (const ProfileRow &row : rows) {
        if (command.name.isEmpty() ? row.number == command.number - 1 : row.name == command.name)
            return row.number;
    }
    for (const ProfileRow &row : rows)
        if (!command.name.isEmpty() && row.name.compare(command.name, Qt::CaseInsensitive) == 0)
            return row.number;
    const QString asked = command.name.isEmpty() ? QString::number(command.number)
                                                 : QStringLiteral("'%1'").arg(command.name);
    error = Cli::Outcome::usage(QStringLiteral("profile %1 is not in the profile list (%2)")
                                    .arg(asked, known.join(QStringLiteral(", "))));
    return -1;
}

Cli::ProfileState CliRunner::readProfile(int profile) const
{
    Cli::ProfileState state;
    state.number = profile + 1;
    for (const ProfileRow &row : profileRows())
        if (row.number == profile && state.name.isEmpty())
            state.name = row.name;
    if (!Profiles::isValidNumber(profile))
        return state;
    const ProfileSet &settings = *bridge.profiles();

    const QVariantList values = settings.list(profile, Profiles::Key::dpiValues);
    const QVariantList selects = settings.list(profile, Profiles::Key::dpiSelect);
    const QVariantList colors = settings.list(profile, Profiles::Key::stageColors(1));
    for (int i = 0; i < Cli::stageCount; ++i) {
        Cli::ProfileState::Stage stage;
        // A stage the file does not name shows the slider's own value.
        QString text = i < values.size() ? values.at(i).toString() : QStringLiteral("6000");
        bool ok = false;
        const double number = text.trimmed().toDouble(&ok);
        if (ok)
            text = QString::number(Cli::deviceDpi(int(number)));
        stage.dpi = text;
        stage.enabled = i >= selects.size() || intOf(selects.at(i), 1) != 0;
        stage.color = hexColor(colors, i);
        state.stages.append(stage);
    }
    state.stageColors = colors;
    const int stage = intOf(settings.dpiStage(profile), 0);
    state.currentStage = stage >= 0 && stage < Cli::stageCount ? stage : 0;
    // As the page: a profile with every stage off keeps the current one on, and the mouse
    // never sits on a stage that is off.
    bool anyEnabled = false;
    for (const Cli::ProfileState::Stage &s : state.stages)
        anyEnabled = anyEnabled || s.enabled;
    if (!anyEnabled)
        state.stages[state.currentStage].enabled = true;
    for (int step = 0; step < Cli::stageCount && !state.stages.at(state.currentStage).enabled;
         ++step)
        state.currentStage = (state.currentStage + 1) % Cli::stageCount;

    state.storedReportValue = intOf(settings.value(profile, Profiles::Key::reportRate, 0), 0);
    state.reportRateHz = Cli::hzForReportValue(state.storedReportValue);

    const QVariantList led = settings.list(profile, Profiles::Key::ledEffect);
    state.storedLight = {intOf(led.value(0), 0), intOf(led.value(1), 0), intOf(led.value(2), 0)};
    const int effect = state.storedLight.at(0);
    state.effect = effect >= 1 && effect <= 3 ? effect : 4;
    const int level = state.storedLight.at(1);
    state.level = led.size() > 1 && level >= 0 && level <= 3 ? level : 4;

    state.axisX = axisStep(settings.xySensitive(profile, 0)) + 1;
    state.axisY = axisStep(settings.xySensitive(profile, 1)) + 1;

    const QVariantList factory
        = Profiles::defaultPageValues(QString::fromLatin1(Profiles::defaultProfile), 0);
    for (int i = 0; i < Profiles::buttonCount; ++i) {
        const QVariantList stored = settings.list(profile, Profiles::Key::buttonAssignment(i));
        QByteArray code(4, '\0');
        bool sound = stored.size() >= 4;
        for (int k = 0; k < 4 && sound; ++k) {
            bool ok = false;
            const int byte = stored.at(k).toString().toInt(&ok);
            sound = ok && byte >= 0 && byte <= 255;
            code[k] = char(byte);
        }
        // A damaged entry takes the factory one, as the page does.
        if (!sound)
            for (int k = 0; k < 4; ++k)
                code[k] = char(factory.value(4 * i + k).toUInt());
        state.keyCodes.append(code);
    }
    for (int i = 0; i < Cli::buttonCount; ++i)
        state.buttons.append({QString(), QString::fromLatin1(state.keyCodes.at(i).toHex())});
    return state;
}

// Only the commands that show buttons need the names, and with them the QML engine.
void CliRunner::nameButtons(Cli::ProfileState &state) const
{
    const ButtonNames *actions = buttonNames();
    const int profile = state.number - 1;
    for (int i = 0; i < state.buttons.size() && actions; ++i) {
        const QByteArray &code = state.keyCodes.at(i);
        state.buttons[i].action = code.startsWith('\x08')
            ? QStringLiteral("Fn ( %1 )").arg(gunName(profile))
            : actions->displayName(
                code, [this, profile](int slot) { return macroInSlot(profile, slot); });
    }
}

// The gun the gun button plays, as the gun page chooses it.
QString CliRunner::gunName(int profile) const
{
    QString name = bridge.profiles()->value(profile, Profiles::Key::selectGun(0)).toString();
    if (name.isEmpty())
        name = QStringLiteral("Standard");
    QStringList guns;
    for (const QVariant &gun : bridge.getNameList(1))
        guns << gun.toString();
    if (!guns.contains(name) && guns.size() > 1)
        name = guns.at(1);
    return name;
}

const ButtonNames *CliRunner::buttonNames() const
{
    if (!namesTried) {
        namesTried = true;
        if (QQmlEngine *engine = bridge.engine())
            actionNames = ButtonNames::load(*engine);
    }
    return actionNames ? &*actionNames : nullptr;
}

// A slot without a stored name reads back as the number 0, which is no macro name.
QString CliRunner::macroInSlot(int profile, int slot) const
{
    if (slot < 1)
        return QString();
    const QVariant name = bridge.profiles()->value(profile, Profiles::Key::macroSlot(slot - 1));
    return name.typeId() == QMetaType::QString && name.toString() != QLatin1String("0")
        ? name.toString()
        : QString();
}

bool CliRunner::mouseReady() const
{
    return link.isDeviceReady() && link.isLinkStarted();
}

Cli::Outcome CliRunner::change(
    const std::function<void()> &run, const QString &part, const Cli::Outcome &answer)
{
    const int failuresBefore = link.failedTransfers();
    if (beforeChange)
        beforeChange();
    run();
    link.waitForPoolTransfer();
    if (changed)
        changed(part);
    if (link.failedTransfers() != failuresBefore)
        return Cli::Outcome::failed(QStringLiteral(
            "the mouse did not take the change (transfer failed); it is stored and will be sent "
            "again by skelda apply"));
    return answer;
}

Cli::Outcome CliRunner::run(const Cli::Command &command)
{
    switch (command.verb) {
    case Cli::Verb::Help:
        return Cli::Outcome::done(Cli::helpText(command.topic));
    case Cli::Verb::Version:
        return Cli::Outcome::done(bridge.getVersion() + '\n');
    case Cli::Verb::List:
        return list(command);
    case Cli::Verb::Show:
        return show(command);
    case Cli::Verb::Profile:
        return profile(command);
    case Cli::Verb::Dpi:
        return dpi(command);
    case Cli::Verb::DpiEnable:
        return dpiEnable(command);
    case Cli::Verb::Rate:
        return rate(command);
    case Cli::Verb::Light:
        return light(command);
    case Cli::Verb::Apply:
        return apply(command);
    case Cli::Verb::Export:
        return exportProfile(command);
    case Cli::Verb::Import:
        return importProfile(command);
    case Cli::Verb::Button:
        return button(command);
    case Cli::Verb::Names:
        return names(command);
    }
    return Cli::Outcome::usage(Cli::helpText());
}

Cli::Outcome CliRunner::list(const Cli::Command &command)
{
    const QList<DeviceRecord> records
        = DeviceTable::shippedRecords(bridge.applicationSettings()->productNames());
    QList<Cli::DeviceState> devices;
    for (const DeviceEntry &entry : link.devices()) {
        if (entry.commandPath.isEmpty())
            continue;
        Cli::DeviceState device;
        device.id = entry.did;
        device.name = entry.productName;
        if (entry.did >= 0 && entry.did < records.size())
            device.vidPid = QStringLiteral("%1:%2")
                                .arg(records.at(entry.did).vid, 4, 16, QLatin1Char('0'))
                                .arg(records.at(entry.did).pid, 4, 16, QLatin1Char('0'));
        device.commandInterface = entry.commandPath;
        device.eventInterface = entry.eventPath;
        device.current = entry.did == link.currentDeviceId();
        device.handshake = !device.current ? QStringLiteral("not tried")
            : link.isDeviceReady()         ? QStringLiteral("ok")
                                           : QStringLiteral("failed");
        devices.append(device);
    }
    Cli::Outcome outcome = Cli::Outcome::done(
        command.json ? Cli::jsonLine(Cli::listJson(devices)) : Cli::listText(devices));
    if (devices.isEmpty()) {
        outcome.code = Cli::exitFailed;
        outcome.err = QString::fromLatin1(noMouse);
    }
    return outcome;
}

Cli::Outcome CliRunner::show(const Cli::Command &command)
{
    Cli::ProfileState state = readProfile(currentProfile());
    nameButtons(state);
    return Cli::Outcome::done(
        command.json ? Cli::jsonLine(Cli::profileJson(state)) : Cli::showText(state));
}

Cli::Outcome CliRunner::profile(const Cli::Command &command)
{
    if (!command.isChange) {
        const Cli::ProfileState state = readProfile(currentProfile());
        return Cli::Outcome::done(
            command.json ? Cli::jsonLine(
                {{QStringLiteral("number"), state.number}, {QStringLiteral("name"), state.name}})
                         : QStringLiteral("Profile %1: %2\n").arg(state.number).arg(state.name));
    }
    Cli::Outcome refused;
    const int number = resolveProfile(command, refused);
    if (number < 0)
        return refused;
    if (!mouseReady())
        return Cli::Outcome::failed(QString::fromLatin1(noMouse));
    const Cli::ProfileState state = readProfile(number);
    return change(
        [this, number] {
            bridge.ui_02H_SetCurrentProfile(number);
            sendProfile();
        },
        QStringLiteral("profile"),
        Cli::Outcome::done(
            command.json ? Cli::jsonLine(
                {{QStringLiteral("number"), state.number}, {QStringLiteral("name"), state.name}})
                         : QStringLiteral("Profile %1: %2\n").arg(state.number).arg(state.name)));
}

void CliRunner::sendDpi(const Cli::ProfileState &state, const QVariantList &storedValues)
{
    bridge.ui_11H_SetDPISet(6, Cli::dpiBlock(state.stages), storedValues);
}

Cli::Outcome CliRunner::dpi(const Cli::Command &command)
{
    Cli::ProfileState state = readProfile(currentProfile());
    if (!command.isChange)
        return Cli::Outcome::done(
            command.json ? Cli::jsonLine(Cli::dpiJson(state)) : Cli::dpiText(state));
    if (!mouseReady())
        return Cli::Outcome::failed(QString::fromLatin1(noMouse));
    state.stages[command.number - 1].dpi = QString::number(command.value);
    return change([this, state] { sendDpi(state, Cli::dpiStoredValues(state.stages)); },
        QStringLiteral("dpi"),
        Cli::Outcome::done(command.json
                ? Cli::jsonLine(Cli::dpiJson(state))
                : QStringLiteral("DPI stage %1: %2\n").arg(command.number).arg(command.value)));
}

Cli::Outcome CliRunner::dpiEnable(const Cli::Command &command)
{
    Cli::ProfileState state = readProfile(currentProfile());
    const int index = command.number - 1;
    const bool on = command.name == QLatin1String("on");
    int enabled = 0;
    for (const Cli::ProfileState::Stage &stage : state.stages)
        enabled += stage.enabled ? 1 : 0;
    if (!on && state.stages.at(index).enabled && enabled == 1)
        return Cli::Outcome::failed(
            QStringLiteral("stage %1 is the only stage in the cycle; one stage stays on")
                .arg(command.number));
    if (!mouseReady())
        return Cli::Outcome::failed(QString::fromLatin1(noMouse));
    state.stages[index].enabled = on;
    const bool leaves = !on && state.currentStage == index;
    if (leaves) {
        do
            state.currentStage = (state.currentStage + 1) % Cli::stageCount;
        while (!state.stages.at(state.currentStage).enabled);
    }
    return change(
        [this, state, leaves] {
            bridge.ui_11H_SetDPISelect(Cli::dpiSelectValues(state.stages));
            sendDpi(state, Cli::dpiStoredValues(state.stages));
            // The mouse leaves a stage that goes out of the cycle.
            if (leaves)
                bridge.ui_0BH_SetCurrentDPIStage(uchar(state.currentStage));
        },
        QStringLiteral("dpi"),
        Cli::Outcome::done(command.json
                ? Cli::jsonLine(Cli::dpiJson(state))
                : QStringLiteral("DPI stage %1: %2\n").arg(command.number).arg(command.name)));
}

Cli::Outcome CliRunner::rate(const Cli::Command &command)
{
    const Cli::ProfileState state = readProfile(currentProfile());
    const int hz = command.isChange ? command.value : state.reportRateHz;
    const Cli::Outcome answer
        = Cli::Outcome::done(command.json ? Cli::jsonLine({{QStringLiteral("reportRate"), hz}})
                                          : QStringLiteral("Report rate: %1 Hz\n").arg(hz));
    if (!command.isChange)
        return answer;
    if (!mouseReady())
        return Cli::Outcome::failed(QString::fromLatin1(noMouse));
    return change([this, hz] { bridge.ui_01H_SetReportRate(uchar(Cli::reportValueForHz(hz))); },
        QStringLiteral("rate"), answer);
}

Cli::Outcome CliRunner::light(const Cli::Command &command)
{
    Cli::ProfileState state = readProfile(currentProfile());
    if (command.isChange) {
        const int effect = Cli::effectNumber(command.name);
        // Without a level the effect keeps the one its slider shows: its stored one when it
        // is the stored effect, the slider's own otherwise.
        state.level = command.value >= 0 ? command.value : effect == state.effect ? state.level : 4;
        state.effect = effect;
    }
    const Cli::Outcome answer = Cli::Outcome::done(
        command.json ? Cli::jsonLine(Cli::lightJson(state)) : Cli::lightText(state));
    if (!command.isChange)
        return answer;
    if (!mouseReady())
        return Cli::Outcome::failed(QString::fromLatin1(noMouse));
    return change(
        [this, state] {
            const Cli::LedCommand sent = Cli::ledCommand(state.effect, state.level, 2);
            bridge.ui_0DH_SetRGBLedEffect(uchar(sent.effect), uchar(sent.option1),
                uchar(sent.option2), {state.effect, state.level, 2});
        },
        QStringLiteral("light"), answer);
}

void CliRunner::sendProfile()
{
    const Cli::ProfileState state = readProfile(bridge.currentProfileIndex());
    QVariantList keys;
    for (const QByteArray &code : state.keyCodes)
        for (char byte : code)
            keys << uint(uchar(byte));
    bridge.ui_12H_SetKeyMatrix(keys);
    bridge.ui_0EH_SetXYSensitive((state.axisX) * 20, (state.axisY) * 20);
    bridge.ui_11H_SetDPISelect(Cli::dpiSelectValues(state.stages));
    sendDpi(state, Cli::dpiStoredValues(state.stages));
    bridge.ui_10H_SetLED8StageColor(1, state.stageColors);
    bridge.ui_0BH_SetCurrentDPIStage(uchar(state.currentStage));
    const QList<int> &led = state.storedLight;
    const Cli::LedCommand sent = Cli::ledCommand(led.at(0), led.at(1), led.at(2));
    bridge.ui_0DH_SetRGBLedEffect(uchar(sent.effect), uchar(sent.option1), uchar(sent.option2),
        {led.at(0), led.at(1), led.at(2)});
    bridge.ui_01H_SetReportRate(uchar(Cli::reportValueForHz(state.reportRateHz)));
}

Cli::Outcome CliRunner::apply(const Cli::Command &command)
{
    Q_UNUSED(command);
    if (!mouseReady())
        return Cli::Outcome::failed(QString::fromLatin1(noMouse));
    const Cli::ProfileState state = readProfile(currentProfile());
    return change([this] { sendProfile(); }, QStringLiteral("profile"),
        Cli::Outcome::done(QStringLiteral("Profile %1 (%2) sent to the mouse\n")
                               .arg(state.number)
                               .arg(state.name)));
}

Cli::Outcome CliRunner::exportProfile(const Cli::Command &command)
{
    Cli::Outcome refused;
    const int number = resolveProfile(command, refused);
    if (number < 0)
        return refused;
    CommandLineDialogs dialogs(command.file);
    bridge.saveProfile(number);
    QFile written(command.file);
    QFile source(bridge.profiles()->fileName(number));
    const bool same = written.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly)
        && written.readAll() == source.readAll();
    if (!same)
        return Cli::Outcome::failed(QStringLiteral("cannot write %1").arg(command.file));
    return Cli::Outcome::done(QStringLiteral("Profile %1 written to %2\n")
                                  .arg(number + 1)
                                  .arg(QFileInfo(command.file).filePath()));
}

Cli::Outcome CliRunner::importProfile(const Cli::Command &command)
{
    Cli::Outcome refused;
    const int number = resolveProfile(command, refused);
    if (number < 0)
        return refused;
    const QFileInfo file(command.file);
    if (!file.isFile() || !file.isReadable())
        return Cli::Outcome::failed(QStringLiteral("cannot read %1").arg(command.file));
    const bool current = number == currentProfile();
    if (current && !mouseReady())
        return Cli::Outcome::failed(QString::fromLatin1(noMouse));
    CommandLineDialogs dialogs(command.file);
    if (!bridge.loadProfile(number))
        return Cli::Outcome::failed(
            QStringLiteral("%1 is not a profile file; profile %2 is unchanged")
                .arg(command.file)
                .arg(number + 1));
    const Cli::Outcome answer = Cli::Outcome::done(
        QStringLiteral("Profile %1 replaced by %2\n").arg(number + 1).arg(command.file));
    if (!current)
        return answer;
    return change([this] { sendProfile(); }, QStringLiteral("profile"), answer);
}

Cli::Outcome CliRunner::button(const Cli::Command &command)
{
    Cli::ProfileState state = readProfile(currentProfile());
    nameButtons(state);
    if (!command.isChange)
        return Cli::Outcome::done(
            command.json ? Cli::jsonLine(Cli::buttonsJson(state)) : Cli::buttonsText(state));
    const ButtonNames *actions = buttonNames();
    if (!actions)
        return Cli::Outcome::failed(QStringLiteral("the button names cannot be read"));
    const int index = command.number - 1;
    // Button 8 plays the gun chosen in the window and takes no other action.
    if (index == Cli::gunButton)
        return Cli::Outcome::usage(
            QStringLiteral("button 8 plays the gun chosen in the window; buttons 1 to 7 take "
                           "an action here"));
    const std::optional<QByteArray> code = actions->codeFor(command.name);
    if (!code)
        return Cli::Outcome::usage(
            QStringLiteral("unknown action '%1'; an action is a function (%2), or a key name "
                           "(%3)")
                .arg(command.name, actions->functionNames().join(QStringLiteral(", ")),
                    actions->keyNames().join(QStringLiteral(", "))));
    const QByteArray leftButton = QByteArray::fromHex("0100f000");
    const int leftButtons = int(state.keyCodes.count(leftButton));
    if (state.keyCodes.at(index) == leftButton && *code != leftButton && leftButtons < 2)
        return Cli::Outcome::failed(
            QStringLiteral("button %1 is the only Left Button; one button keeps it")
                .arg(command.number));
    if (!mouseReady())
        return Cli::Outcome::failed(QString::fromLatin1(noMouse));
    state.keyCodes[index] = *code;
    state.buttons[index] = {actions->displayName(*code, {}), QString::fromLatin1(code->toHex())};
    QVariantList values;
    for (int i = 0; i < state.keyCodes.size(); ++i) {
        // As the panel sends it: entry 8 always switches the gun.
        const QByteArray entry
            = i == Cli::gunButton ? QByteArray::fromHex("08000200") : state.keyCodes.at(i);
        for (char byte : entry)
            values << uint(uchar(byte));
    }
    return change([this, values] { bridge.ui_12H_SetKeyMatrix(values); }, QStringLiteral("buttons"),
        Cli::Outcome::done(command.json ? Cli::jsonLine(Cli::buttonsJson(state))
                                        : QStringLiteral("Button %1: %2\n")
                                              .arg(command.number)
                                              .arg(state.buttons.at(index).action)));
}

Cli::Outcome CliRunner::names(const Cli::Command &command)
{
    QStringList list;
    if (command.name == QLatin1String("profiles")) {
        for (const ProfileRow &row : profileRows())
            list << row.name;
    } else {
        const ButtonNames *actions = buttonNames();
        if (!actions)
            return Cli::Outcome::failed(QStringLiteral("the button names cannot be read"));
        list = command.name == QLatin1String("functions") ? actions->functionNames()
                                                          : actions->keyNames();
    }
    if (command.json)
        return Cli::Outcome::done(
            Cli::jsonLine({{QStringLiteral("names"), QJsonArray::fromStringList(list)}}));
    return Cli::Outcome::done(list.isEmpty() ? QString() : list.join(QLatin1Char('\n')) + '\n');
}
