#include "store/settingsfiles.h"

#include "store/filecommit.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QScopedPointer>
#include <QTemporaryDir>

namespace SettingsFiles {

namespace {
// A value as the file spells it, so that what was set and what was read back compare.
QStringList textsOf(const QVariant &value)
{
    if (!value.isValid())
        return {};
    const int type = value.userType();
    if (type != QMetaType::QVariantList && type != QMetaType::QStringList)
        return {value.toString()};
    QStringList texts;
    for (const QVariant &element : value.toList())
        texts.append(element.toString());
    return texts;
}

QMap<QString, QVariant> valuesOf(const QSettings &settings)
{
    QMap<QString, QVariant> values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

// What the file holds, read apart from the settings objects, which share one cache per path.
QMap<QString, QVariant> valuesOnDisk(const QString &path)
{
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("read.ini"));
    if (!scratch.isValid() || !QFile::copy(path, copy))
        return {};
    QScopedPointer<QSettings> stored(openIni(copy));
    return valuesOf(*stored);
}

bool sameContents(const QMap<QString, QVariant> &a, const QMap<QString, QVariant> &b)
{
    if (a.size() != b.size())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        if (!b.contains(it.key()) || textsOf(it.value()) != textsOf(b.value(it.key())))
            return false;
    }
    return true;
}
} // namespace

QString profilePath(int profile)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(profile + 1);
}

QSettings *openIni(const QString &path)
{
    return new QSettings(path, QSettings::IniFormat);
}

QVariantList asList(const QVariant &value)
{
    const int type = value.userType();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList)
        return value.toList();
    if (type == QMetaType::QString || type == QMetaType::QByteArray)
        return value.toString().isEmpty() ? QVariantList() : QVariantList {value};
    if (value.isValid() && !value.isNull())
        return {value};
    return QVariantList();
}

bool holds(const QSettings &settings, const QString &key, const QVariant &value)
{
    const QVariant held = settings.value(key);
    return held.isValid() == value.isValid() && textsOf(held) == textsOf(value);
}

bool flush(QSettings &settings)
{
    // status() keeps the first error for good, so the file itself tells whether this write landed.
    const QString path = settings.fileName();
    const QByteArray before = FileCommit::stamp(path);
    settings.sync();
    const QByteArray after = FileCommit::stamp(path);
    if (!after.isEmpty() && after != before)
        return true;
    // Nothing to write, and no write of this object ever failed.
    if (settings.status() == QSettings::NoError)
        return true;
    const QMap<QString, QVariant> stored = valuesOnDisk(path);
    const QMap<QString, QVariant> held = valuesOf(settings);
    if (sameContents(held, stored))
        return true;
    // Unsaved values would otherwise read back as saved until the program ends.
    for (auto it = held.cbegin(); it != held.cend(); ++it) {
        if (!stored.contains(it.key()))
            settings.remove(it.key());
    }
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (!held.contains(it.key()) || textsOf(held.value(it.key())) != textsOf(it.value()))
            settings.setValue(it.key(), it.value());
    }
    return false;
}

bool replaceFile(const QString &target, const QString &source)
{
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (bytes.size() != in.size())
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        out.cancelWriting();
        return false;
    }
    // A copy of a read-only factory file must stay writable.
    out.setPermissions(out.permissions() | QFileDevice::WriteOwner);
    // QSettings shares one parsed file per path and re-reads it only when size or
    // time differ; a same-size copy within the same millisecond would look unchanged.
    const QFileInfo old(target);
    if (old.exists() && old.size() == bytes.size()) {
        const QDateTime oldTime = old.lastModified();
        if (out.fileTime(QFileDevice::FileModificationTime) <= oldTime)
            out.setFileTime(oldTime.addSecs(1), QFileDevice::FileModificationTime);
    }
    // The contents reach the disk before the name does, so a power cut leaves
    // either the old file or the complete new one.
    if (!FileCommit::sync(out)) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QSettings *replaceAndReopen(QSettings *current, const QString &source)
{
    if (!current)
        return current;
    flush(*current);
    const QString target = current->fileName();
    if (!replaceFile(target, source))
        return current;
    current->deleteLater();
    return openIni(target);
}

} // namespace SettingsFiles
