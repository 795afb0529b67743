#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

// The command line: parsing, the checks that need no settings or device, the values the
// window would send, and the text and JSON answers. Nothing here touches a file or the mouse.
namespace Cli {

enum class Verb {
    Help,
    Version,
    List,
    Show,
    Profile,
    Dpi,
    DpiEnable,
    Rate,
    Light,
    Button,
    Apply,
    Export,
    Import,
    Names,
};

inline constexpr int exitDone = 0;
inline constexpr int exitFailed = 1;
inline constexpr int exitUsage = 2;

inline constexpr int stageCount = 6;
inline constexpr int minDpi = 200;
inline constexpr int maxDpi = 6000;
inline constexpr int lightLevels = 5;
inline constexpr int buttonCount = 8;
// Index of the button that plays the gun.
inline constexpr int gunButton = 7;
inline constexpr int profileFiles = 10;

// A parsed command line. Numbers are as the user typed them (stages, buttons and profiles
// count from 1); reads have no arguments.
struct Command
{
    Verb verb = Verb::Help;
    bool json = false;
    // Read or change: a change carries its arguments.
    bool isChange = false;
    QString topic; // help COMMAND
    int number = 0; // stage, button or profile number
    int value = 0; // dpi value, report rate in Hz, light level (-1: keep)
    QString name; // profile name, light effect, button action, on/off
    QString file; // export and import; absolute once the caller resolved it

    // The arguments that reproduce this command, as sent to a running copy.
    QStringList arguments() const;
};

// What a command produced: exit code, standard output and standard error texts.
struct Outcome
{
    int code = exitDone;
    QString out;
    QString err;

    static Outcome done(const QString &out = QString()) { return {exitDone, out, QString()}; }
    static Outcome failed(const QString &err) { return {exitFailed, QString(), err}; }
    static Outcome usage(const QString &err) { return {exitUsage, QString(), err}; }
};

struct Parsed
{
    std::optional<Command> command;
    // Set when the line is refused: the message for standard error, exit code 2.
    QString error;
};

// True when these arguments ask for the command line rather than the window: a first
// argument that is a word or one of --help, -h, --version, --json. Options of the toolkit
// itself (such as -platform) still start the window.
bool isCommandLine(const QStringList &arguments);
Parsed parse(const QStringList &arguments);
QString helpText(const QString &topic = QString());
QString commandNames();

// Report rate: the document's report value is the interval in milliseconds.
QList<int> reportRatesHz();
int reportValueForHz(int hz);
// The Hz the window shows for a stored report value.
int hzForReportValue(int value);

// Lighting effects by their English names, 1 to 4 as the profile stores them.
QStringList effectNames();
// 0 when the name is none of them.
int effectNumber(const QString &name);

// The DPI a stage can hold: hundreds up to 5000, then steps of 200.
bool isDeviceDpi(int value);
// The value the window shows for a stored one: clamped and snapped down.
int deviceDpi(int value);
// The byte of one stage in the 11H block; 0x80 for a stage that is off.
int dpiCode(int value, bool enabled);

// One profile as the window shows it.
struct ProfileState
{
    struct Stage
    {
        QString dpi; // as stored, normalised when it is a number
        bool enabled = true;
        QString color; // "#rrggbb", empty when none is stored
    };
    struct ButtonState
    {
        QString action; // display name
        QString code; // eight hex digits
    };

    int number = 0; // from 1
    QString name;
    QList<Stage> stages;
    int currentStage = 0; // from 0
    int reportRateHz = 1000;
    int effect = 4; // 1 to 4
    int level = 4; // 0 to 4
    int axisX = 5; // steps 1 to 10
    int axisY = 5;
    QList<ButtonState> buttons;

    // As stored, for sending the profile again the way the pages do.
    int storedReportValue = 0;
    QList<int> storedLight; // effect, option 1, option 2
    QVariantList stageColors; // 24 values
    QList<QByteArray> keyCodes; // 16 entries of 4 bytes, damaged ones as their defaults
};

// The eight DPI bytes of the 11H block and the values stored with them.
QVariantList dpiBlock(const QList<ProfileState::Stage> &stages);
QVariantList dpiStoredValues(const QList<ProfileState::Stage> &stages);
QVariantList dpiSelectValues(const QList<ProfileState::Stage> &stages);

// What the lighting page sends for an effect (1 to 4) and level (0 to 4).
struct LedCommand
{
    int effect = 0;
    int option1 = 0;
    int option2 = 0;
};
LedCommand ledCommand(int effect, int level, int option2);

struct DeviceState
{
    int id = 0;
    QString name;
    QString vidPid; // "vvvv:pppp"
    QString commandInterface;
    QString eventInterface;
    bool current = false;
    // Only the current device is greeted: "ok", "failed" or "not tried".
    QString handshake;
};

QJsonObject profileJson(const ProfileState &state);
QString showText(const ProfileState &state);
QString dpiText(const ProfileState &state);
QJsonObject dpiJson(const ProfileState &state);
QString lightText(const ProfileState &state);
QJsonObject lightJson(const ProfileState &state);
QString buttonsText(const ProfileState &state);
QJsonObject buttonsJson(const ProfileState &state);
QString listText(const QList<DeviceState> &devices);
QJsonObject listJson(const QList<DeviceState> &devices);
// Compact JSON with a final line break.
QString jsonLine(const QJsonObject &object);

} // namespace Cli
