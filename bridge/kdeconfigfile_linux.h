#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One of KDE's configuration files, edited a line at a time so that every group, key,
// comment and localised entry the desktop keeps there stays as it was.
class KdeConfigFile
{
public:
    // A file name under the user's configuration home, e.g. "kdeglobals".
    explicit KdeConfigFile(const QString &name);

    QString path() const { return filePath; }
    // The group is given as its header parts: {"Mouse"}, {"Libinput", "1241", "41454", "Name"}.
    QString value(const QStringList &group, const QString &key, const QString &fallback = {}) const;
    // Replaces the key's line or adds it (and the group); false when the file or entry is
    // locked ([$i]) or cannot be written.
    bool setValue(const QStringList &group, const QString &key, const QString &value);

    static QByteArray header(const QStringList &group);

private:
    QString filePath;
};
