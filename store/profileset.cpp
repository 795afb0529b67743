#include "store/profileset.h"

#include <QFile>
#include <QSettings>

#include "store/importexport.h"
#include "store/library.h"
#include "store/profiles.h"
#include "store/settingsfiles.h"

ProfileSet::ProfileSet(QObject *parent)
    : QObject(parent)
{
    for (int n = 0; n < Profiles::count; ++n) {
        files.append(SettingsFiles::openIni(SettingsFiles::profilePath(n)));
        files.last()->setParent(this);
    }
}

ProfileSet::~ProfileSet() = default;

QSettings *ProfileSet::file(int profile) const
{
    return files.value(profile, nullptr);
}

QString ProfileSet::fileName(int profile) const
{
    const QSettings *settings = file(profile);
    return settings ? settings->fileName() : QString();
}

QVariant ProfileSet::value(int profile, const QString &key, const QVariant &fallback) const
{
    const QSettings *settings = file(profile);
    return settings ? settings->value(key, fallback) : fallback;
}

QVariantList ProfileSet::list(int profile, const QString &key) const
{
    const QSettings *settings = file(profile);
    return settings ? Profiles::readList(*settings, key) : QVariantList();
}

bool ProfileSet::contains(int profile, const QString &key) const
{
    const QSettings *settings = file(profile);
    return settings && settings->contains(key);
}

bool ProfileSet::write(int profile, const QString &key, const QVariant &value)
{
    QSettings *settings = file(profile);
    return settings && Profiles::write(*settings, key, value);
}

bool ProfileSet::writeAll(int profile, const QList<QPair<QString, QVariant>> &values)
{
    QSettings *settings = file(profile);
    return settings && Profiles::writeAll(*settings, values);
}

QVariant ProfileSet::xySensitive(int profile, const QVariant &index) const
{
    return value(profile, Profiles::Key::xySensitive(index), 4);
}

QVariant ProfileSet::dpiStage(int profile) const
{
    return value(profile, Profiles::Key::dpiStage, 0);
}

QVariant ProfileSet::selectedGun(int profile, const QVariant &index) const
{
    return value(profile, Profiles::Key::selectGun(index), QString());
}

QVariant ProfileSet::macroSlot(int profile, int slot) const
{
    return value(profile, Profiles::Key::macroSlot(slot), 0);
}

int ProfileSet::reportRate(int profile) const
{
    return value(profile, Profiles::Key::reportRate, 0).toInt();
}

bool ProfileSet::scrollSwap(int profile) const
{
    return value(profile, Profiles::Key::scrollSwap, false).toBool();
}

uint ProfileSet::pointerStep(int profile, const char *key) const
{
    return value(profile, QString::fromLatin1(key), 0).toUInt();
}

bool ProfileSet::replace(int profile, const QString &source)
{
    QSettings *current = file(profile);
    if (!current)
        return false;
    QSettings *replacement = Profiles::replace(current, source);
    if (replacement == current)
        return false;
    replacement->setParent(this);
    files[profile] = replacement;
    return true;
}

bool ProfileSet::reset(int profile)
{
    return Profiles::isValidNumber(profile) && replace(profile, Profiles::resetSource(profile));
}

bool ProfileSet::copy(int destination, int source)
{
    // Equal numbers would copy a file onto itself.
    QSettings *from = file(source);
    if (destination == source || !from || !file(destination))
        return false;
    SettingsFiles::flush(*from);
    // A profile never written has no file yet; an empty one reads the same and can be copied.
    QFile empty(from->fileName());
    if (!empty.exists() && empty.open(QIODevice::WriteOnly))
        empty.close();
    return replace(destination, from->fileName());
}

bool ProfileSet::importFrom(int profile, const QString &path)
{
    return file(profile) && ImportExport::isImportable(path) && Profiles::holdsProfileKeys(path)
        && replace(profile, path);
}

bool ProfileSet::exportTo(int profile, const QString &target)
{
    QSettings *settings = file(profile);
    if (!settings)
        return false;
    SettingsFiles::flush(*settings);
    return ImportExport::exportFile(settings->fileName(), target);
}

QList<QSettings *> ProfileSet::inUse() const
{
    return files.mid(0, Library::profilesInUse);
}

QStringList ProfileSet::slotsHolding(const QString &group, const QString &name) const
{
    return Library::slotsHolding(inUse(), group, name);
}

void ProfileSet::renameMacro(const QString &oldName, const QVariant &newName)
{
    Library::renameInProfiles(inUse(), oldName, newName);
}

void ProfileSet::removeMacroSlot(int currentProfile, uint slot)
{
    Library::removeMacroSlot(inUse(), currentProfile, slot);
}

void ProfileSet::removeGunSlot(int currentProfile, uint slot)
{
    Library::removeGunSlot(inUse(), currentProfile, slot);
}

void ProfileSet::setMacroSlotType(int currentProfile, uint slot, uint macroType)
{
    Library::setMacroSlotType(inUse(), currentProfile, slot, macroType);
}
