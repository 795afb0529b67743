#include "store/library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "store/settingsfiles.h"

namespace Library {

namespace {

// A corrupt file may claim any line count; nothing the editor writes comes close.
constexpr int maxLines = 10000;
// Leaves room for ".bin", ".new" and ".old" within a 255-byte file name.
constexpr int maxNameBytes = 240;

QString linesGroup(Kind kind)
{
    return kind == Kind::Macro ? QStringLiteral("macro") : QStringLiteral("gun");
}

bool existingFile(Kind kind, const QString &name, QString *path)
{
    *path = filePath(kind, name);
    return !path->isEmpty() && QFileInfo(*path).isFile();
}

// A value of an existing library file; the integer 0 when the file or key is missing.
QVariant readConfig(Kind kind, const QString &name, const QString &key)
{
    QString path;
    if (!existingFile(kind, name, &path))
        return 0;
    QSettings file(path, QSettings::IniFormat);
    return file.value(key, 0);
}

void writeConfig(Kind kind, const QString &name, const QString &key, const QVariant &value)
{
    QString path;
    if (!existingFile(kind, name, &path))
        return;
    QSettings file(path, QSettings::IniFormat);
    file.setValue(key, value);
    SettingsFiles::flush(file);
}

// Calls visit(profile, key) for every key of `group` in profiles 0 to 5 whose
// value reads as the text `name`; the profile is inside the group meanwhile.
template<typename Visit>
void forEachSlotNaming(
    const QList<QSettings *> &profiles, const QString &group, const QString &name, Visit visit)
{
    for (int p = 0; p < profilesInUse; ++p) {
        QSettings *profile = profiles.value(p);
        if (!profile)
            continue;
        profile->beginGroup(group);
        const QStringList keys = profile->childKeys();
        for (const QString &key : keys) {
            if (profile->value(key, QString()).toString() == name)
                visit(*profile, key);
        }
        profile->endGroup();
    }
}

QString buttonKey(int button)
{
    return QStringLiteral("keydefine_Z5/%1").arg(button);
}

QList<uint> assignmentBytes(const QVariant &value)
{
    const QVariantList list = SettingsFiles::asList(value);
    QList<uint> bytes;
    for (int i = 0; i < 4; ++i)
        bytes.append(list.value(i).toUInt() & 0xFF);
    return bytes;
}

QVariantList toVariantList(const QList<uint> &bytes)
{
    QVariantList list;
    for (uint byte : bytes)
        list.append(int(byte));
    return list;
}

template<typename Change>
void updateAssignments(
    const QList<QSettings *> &profiles, int currentProfile, uint function, Change change)
{
    for (int p = 0; p < profilesInUse; ++p) {
        QSettings *profile = profiles.value(p);
        if (!profile || p == currentProfile)
            continue;
        for (int b = 0; b < buttonsWithMacros; ++b) {
            const QString key = buttonKey(b);
            if (!profile->contains(key))
                continue;
            QList<uint> bytes = assignmentBytes(profile->value(key));
            if (bytes.at(0) != function)
                continue;
            change(b, bytes);
            profile->setValue(key, toVariantList(bytes));
        }
        SettingsFiles::flush(*profile);
    }
}

} // namespace

bool isSafeName(Kind kind, const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.toUtf8().size() > maxNameBytes)
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    }
    // Windows drops trailing dots and spaces, which would alias another name.
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    // The gun data file shares the gun folder.
    if (kind == Kind::Gun && name.compare(QLatin1String("gunData"), Qt::CaseInsensitive) == 0)
        return false;
    return true;
}

QString folder(Kind kind)
{
    return kind == Kind::Macro ? QStringLiteral("./modules/macro/")
                               : QStringLiteral("./modules/gun/");
}

QString filePath(Kind kind, const QString &name)
{
    if (!isSafeName(kind, name))
        return QString();
    return folder(kind) + name + QStringLiteral(".bin");
}

bool exists(Kind kind, const QString &name)
{
    QString path;
    return existingFile(kind, name, &path);
}

bool create(Kind kind, const QString &name, uint index)
{
    const QString path = filePath(kind, name);
    if (path.isEmpty())
        return false;
    QDir().mkpath(folder(kind));
    QSettings file(path, QSettings::IniFormat);
    file.setValue(QStringLiteral("config/index"), index);
    file.setValue(QStringLiteral("config/total"), 0);
    file.setValue(QStringLiteral("config/repeat"), 1);
    file.setValue(QStringLiteral("config/did"), -1);
    return SettingsFiles::flush(file);
}

bool save(Kind kind, const QString &name, const QStringList &lines, const QVariant &repeat)
{
    QString path;
    if (!existingFile(kind, name, &path))
        return false;
    QSettings file(path, QSettings::IniFormat);
    const QString group = linesGroup(kind);
    file.remove(group);
    file.setValue(QStringLiteral("config/total"), int(lines.size()));
    file.setValue(QStringLiteral("config/repeat"), repeat);
    for (int i = 0; i < lines.size(); ++i)
        file.setValue(group + QLatin1Char('/') + QString::number(i), lines.at(i));
    return SettingsFiles::flush(file);
}

QStringList load(Kind kind, const QString &name)
{
    QString path;
    if (!existingFile(kind, name, &path))
        return QStringList();
    QSettings file(path, QSettings::IniFormat);
    const QString group = linesGroup(kind);
    const int total = qBound(0, file.value(QStringLiteral("config/total"), 0).toInt(), maxLines);
    QStringList result;
    for (int i = 0; i < total; ++i)
        result.append(file.value(group + QLatin1Char('/') + QString::number(i), 0).toString());
    result.append(file.value(QStringLiteral("config/repeat"), 0).toString());
    return result;
}

QVariant index(Kind kind, const QString &name)
{
    return readConfig(kind, name, QStringLiteral("config/index"));
}

QVariant deviceType(Kind kind, const QString &name)
{
    return readConfig(kind, name, QStringLiteral("config/did"));
}

void setIndex(Kind kind, const QString &name, const QVariant &index)
{
    writeConfig(kind, name, QStringLiteral("config/index"), index);
}

void setDeviceType(Kind kind, const QString &name, const QVariant &type)
{
    writeConfig(kind, name, QStringLiteral("config/did"), type);
}

bool remove(Kind kind, const QString &name)
{
    QString path;
    if (!existingFile(kind, name, &path))
        return false;
    return QFile::remove(path);
}

bool rename(Kind kind, const QString &oldName, const QString &newName)
{
    QString oldPath;
    const QString newPath = filePath(kind, newName);
    if (!existingFile(kind, oldName, &oldPath) || newPath.isEmpty())
        return false;
    return QFile::rename(oldPath, newPath);
}

QVariantList macroConfig(const QString &name, int deviceId)
{
    QString path;
    if (!existingFile(Kind::Macro, name, &path))
        return QVariantList();
    QSettings file(path, QSettings::IniFormat);
    const int repeat = file.value(QStringLiteral("config/repeat"), 1).toInt();
    const int did = file.value(QStringLiteral("config/did"), -1).toInt();
    // Without a link no device is connected, so no stored position applies.
    const int index = deviceId >= 0 && did == deviceId
        ? file.value(QStringLiteral("config/index"), -1).toInt()
        : -1;
    return {index, repeat};
}

void setMacroConfig(const QString &name, const QVariantList &config, int deviceId)
{
    QString path;
    if (!existingFile(Kind::Macro, name, &path))
        return;
    QSettings file(path, QSettings::IniFormat);
    if (config.size() > 0)
        file.setValue(QStringLiteral("config/index"), config.at(0));
    if (config.size() > 1)
        file.setValue(QStringLiteral("config/repeat"), config.at(1));
    // Without a link there is no device; -1 keeps the "none" meaning instead of wrapping.
    if (deviceId < 0)
        file.setValue(QStringLiteral("config/did"), -1);
    else
        file.setValue(QStringLiteral("config/did"), uint(deviceId));
    SettingsFiles::flush(file);
}

uint macroRepeat(const QString &name)
{
    QString path;
    if (!existingFile(Kind::Macro, name, &path))
        return 1;
    QSettings file(path, QSettings::IniFormat);
    return file.value(QStringLiteral("config/repeat"), 1).toUInt();
}

QStringList slotsHolding(
    const QList<QSettings *> &profiles, const QString &group, const QString &name)
{
    QStringList result {QStringLiteral("Name")};
    forEachSlotNaming(
        profiles, group, name, [&result](QSettings &, const QString &key) { result.append(key); });
    return result;
}

void renameInProfiles(
    const QList<QSettings *> &profiles, const QString &oldName, const QVariant &newName)
{
    QSet<QSettings *> changed;
    forEachSlotNaming(
        profiles, QStringLiteral("macro"), oldName, [&](QSettings &profile, const QString &key) {
            profile.setValue(key, newName);
            changed.insert(&profile);
        });
    for (QSettings *profile : std::as_const(changed))
        SettingsFiles::flush(*profile);
}

QVariantList factoryAssignment(int button)
{
    static const uint table[buttonsWithMacros][4] = {
        {1, 0, 0xF0, 0},
        {1, 0, 0xF1, 0},
        {1, 0, 0xF2, 0},
        {1, 0, 0xF4, 0},
        {1, 0, 0xF3, 0},
        {7, 0, 1, 0},
        {7, 0, 2, 0},
    };
    if (button < 0 || button >= buttonsWithMacros)
        return QVariantList();
    const uint *row = table[button];
    return {int(row[0]), int(row[1]), int(row[2]), int(row[3])};
}

namespace {

void removeSlot(const QList<QSettings *> &profiles, int currentProfile, uint function, uint slot)
{
    updateAssignments(profiles, currentProfile, function, [slot](int button, QList<uint> &bytes) {
        if (bytes.at(2) == slot) {
            const QVariantList factory = factoryAssignment(button);
            for (int i = 0; i < 4; ++i)
                bytes[i] = factory.at(i).toUInt();
        } else if (bytes.at(2) > slot) {
            bytes[2] -= 1;
        }
    });
}

} // namespace

void removeMacroSlot(const QList<QSettings *> &profiles, int currentProfile, uint slot)
{
    removeSlot(profiles, currentProfile, macroFunction, slot);
}

void removeGunSlot(const QList<QSettings *> &profiles, int currentProfile, uint slot)
{
    removeSlot(profiles, currentProfile, gunFunction, slot);
}

void setMacroSlotType(
    const QList<QSettings *> &profiles, int currentProfile, uint slot, uint macroType)
{
    updateAssignments(
        profiles, currentProfile, macroFunction, [slot, macroType](int, QList<uint> &bytes) {
            if (bytes.at(2) == slot)
                bytes[1] = macroType == 1 ? 2 : 0;
        });
}

} // namespace Library
