#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

// Reads the program's HID trace as the next check sees it: every call line without its time,
// and the commands the link wrote, each frame with the bulk data that followed it.
class HidTraceFile
{
public:
    struct Command
    {
        int call = -1;
        QByteArray feature;
        // The output reports after the frame, report ids dropped.
        QByteArray data;
    };

    explicit HidTraceFile(const QString &path = QString())
        : file(path)
    {
    }

    // The trace line of a command frame: bytes 1..7 zero-padded, with the checksum.
    static QString featureLine(const QList<int> &bytes)
    {
        QList<int> full = bytes;
        while (full.size() < 7)
            full.append(0);
        int sum = 0;
        for (int b : full)
            sum += b;
        full.prepend(0);
        full.append(~sum & 0xff);
        QStringList hex;
        for (int b : full)
            hex.append(QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')));
        return QStringLiteral("feature-out ") + hex.join(' ');
    }

    void setPath(const QString &path) { file = path; }
    QString path() const { return file; }
    bool remove() const { return !QFile::exists(file) || QFile::remove(file); }

    // "<operation>[ <bytes>][ failed]" for each call, in trace order.
    QStringList calls() const
    {
        QFile trace(file);
        if (!trace.open(QIODevice::ReadOnly))
            return {};
        QStringList result;
        for (const QByteArray &line : trace.readAll().split('\n'))
            if (!line.isEmpty())
                result.append(QString::fromLatin1(line).section(' ', 1));
        return result;
    }
    int size() const { return calls().size(); }

    // The first call from `from` on that begins with `text`, or -1.
    int find(const QString &text, int from = 0) const
    {
        const QStringList lines = calls();
        for (int i = qMax(0, from); i < lines.size(); ++i)
            if (lines.at(i).startsWith(text))
                return i;
        return -1;
    }
    bool has(const QString &text, int from = 0) const { return find(text, from) >= 0; }

    // Every frame written from call `from` on; failed calls did not reach the mouse.
    QList<Command> commands(int from = 0) const
    {
        QList<Command> result;
        bool collecting = false;
        const QStringList lines = calls();
        for (int i = qMax(0, from); i < lines.size(); ++i) {
            const QString &line = lines.at(i);
            if (line.endsWith(QLatin1String(" failed")))
                continue;
            const QString operation = line.section(' ', 0, 0);
            const QByteArray bytes
                = QByteArray::fromHex(line.section(' ', 1).remove(' ').toLatin1());
            if (operation == QLatin1String("feature-out")) {
                result.append({i, bytes, {}});
                collecting = true;
            } else if (operation.startsWith(QLatin1String("feature-"))) {
                collecting = false;
            } else if (operation == QLatin1String("out") && collecting && !bytes.isEmpty()) {
                result.last().data += bytes.mid(1);
            }
        }
        return result;
    }

    // The frames whose bytes after the report id begin with `prefix`.
    QList<Command> commandsWith(const QByteArray &prefix, int from = 0) const
    {
        QList<Command> result;
        for (const Command &command : commands(from))
            if (command.feature.mid(1).startsWith(prefix))
                result.append(command);
        return result;
    }
    QList<Command> commandsWith(uchar code, int from = 0) const
    {
        return commandsWith(QByteArray(1, char(code)), from);
    }

    // The data of the last `prefix` frame that carried at least `length` bytes, or empty.
    QByteArray lastBlock(const QByteArray &prefix, int length, int from = 0) const
    {
        const QList<Command> found = commandsWith(prefix, from);
        for (auto it = found.crbegin(); it != found.crend(); ++it)
            if (it->data.size() >= length)
                return it->data.left(length);
        return {};
    }

private:
    QString file;
};
