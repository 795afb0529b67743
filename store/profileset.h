#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class QSettings;

// The ten profile files, each open for the life of the object and replaced in
// place on reset, copy and import. Profiles are numbered from 0; a number out of
// range reads the defaults and writes nothing. Every write has brought its values
// to disk when it returns true; on false the profile reads what its file holds.
class ProfileSet : public QObject
{
    Q_OBJECT
public:
    explicit ProfileSet(QObject *parent = nullptr);
    ~ProfileSet() override;

    // The open file of the profile, nullptr out of range; a replacement is a new object.
    QSettings *file(int profile) const;
    QString fileName(int profile) const;

    QVariant value(int profile, const QString &key, const QVariant &fallback = {}) const;
    // Missing key: empty list.
    QVariantList list(int profile, const QString &key) const;
    bool contains(int profile, const QString &key) const;
    bool write(int profile, const QString &key, const QVariant &value);
    // Several values, one trip to the disk.
    bool writeAll(int profile, const QList<QPair<QString, QVariant>> &values);

    // The values the pages read with a default of their own.
    QVariant xySensitive(int profile, const QVariant &index) const;
    QVariant dpiStage(int profile) const;
    QVariant selectedGun(int profile, const QVariant &index) const;
    QVariant macroSlot(int profile, int slot) const;
    int reportRate(int profile) const;
    bool scrollSwap(int profile) const;
    uint pointerStep(int profile, const char *key) const;

    // Each replaces the profile's file by a complete copy; false keeps it as it was.
    bool reset(int profile);
    bool copy(int destination, int source);
    // Refuses a file that is not a complete settings file naming profile keys.
    bool importFrom(int profile, const QString &path);
    bool exportTo(int profile, const QString &target);

    // Library references, in the profiles the profile page uses.
    QStringList slotsHolding(const QString &group, const QString &name) const;
    void renameMacro(const QString &oldName, const QVariant &newName);
    void removeMacroSlot(int currentProfile, uint slot);
    void removeGunSlot(int currentProfile, uint slot);
    void setMacroSlotType(int currentProfile, uint slot, uint macroType);

private:
    bool replace(int profile, const QString &source);
    QList<QSettings *> inUse() const;

    QList<QSettings *> files;
};
