#include "bridge/kdeconfigfile_linux.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QList<QByteArray> readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isHeader(const QByteArray &line)
{
    return line.trimmed().startsWith('[');
}

// A header line without its options, and whether it locks the group.
QByteArray groupOf(const QByteArray &line, bool *locked)
{
    QByteArray header = line.trimmed();
    *locked = header.endsWith("[$i]");
    if (*locked)
        header.chop(4);
    return header;
}

// The key of an entry line; "key[$i]" and localised "key[de]" keep their bracket part.
QByteArray keyOf(const QByteArray &line)
{
    const int equals = line.indexOf('=');
    return equals < 0 ? QByteArray() : line.left(equals).trimmed();
}

} // namespace

KdeConfigFile::KdeConfigFile(const QString &name)
    : filePath(QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                   .filePath(name))
{
}

QByteArray KdeConfigFile::header(const QStringList &group)
{
    QByteArray text;
    for (const QString &part : group)
        text += '[' + part.toUtf8() + ']';
    return text;
}

QString KdeConfigFile::value(
    const QStringList &group, const QString &key, const QString &fallback) const
{
    const QByteArray wanted = header(group);
    const QByteArray wantedKey = key.toUtf8();
    bool inGroup = false;
    for (const QByteArray &line : readLines(filePath)) {
        bool locked = false;
        if (isHeader(line))
            inGroup = groupOf(line, &locked) == wanted;
        else if (inGroup && (keyOf(line) == wantedKey || keyOf(line) == wantedKey + "[$i]"))
            return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
    }
    return fallback;
}

bool KdeConfigFile::setValue(const QStringList &group, const QString &key, const QString &value)
{
    QList<QByteArray> lines = readLines(filePath);
    const QByteArray wanted = header(group);
    const QByteArray wantedKey = key.toUtf8();
    const QByteArray entry = wantedKey + '=' + value.toUtf8();
    int groupLine = -1;
    int lastEntry = -1;
    int keyLine = -1;
    bool inGroup = false;
    bool seenHeader = false;
    for (int n = 0; n < lines.size(); ++n) {
        const QByteArray &line = lines.at(n);
        bool locked = false;
        if (isHeader(line)) {
            // A file locked as a whole says so before its first group.
            if (!seenHeader && line.trimmed() == "[$i]")
                return false;
            seenHeader = true;
            inGroup = groupOf(line, &locked) == wanted;
            if (inGroup && locked)
                return false;
            if (inGroup) {
                groupLine = n;
                lastEntry = n;
            }
        } else if (inGroup) {
            const QByteArray lineKey = keyOf(line);
            if (lineKey == wantedKey + "[$i]")
                return false;
            if (lineKey == wantedKey && keyLine < 0)
                keyLine = n;
            if (!line.trimmed().isEmpty())
                lastEntry = n;
        }
    }
    if (keyLine >= 0) {
        if (lines.at(keyLine) == entry)
            return true;
        lines[keyLine] = entry;
    } else if (groupLine >= 0) {
        lines.insert(lastEntry + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append(wanted);
        lines.append(entry);
    }
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray &line : lines)
        file.write(line + '\n');
    return file.commit();
}
