#include "bridge/macroencoder.h"

#include <QtGlobal>

namespace MacroEncoder {

namespace {

constexpr int tagLength = 10;
constexpr qint64 maxFoldedDelayMs = 1270;
constexpr qint64 maxMediumDelayMs = 5100;

void appendWord(QList<uchar> &bytes, qint64 value)
{
    const quint16 word = quint16(qBound(qint64(0), value, qint64(0xFFFF)));
    bytes.append(uchar(word >> 8));
    bytes.append(uchar(word & 0xFF));
}

} // namespace

QList<uchar> encode(const QStringList &lines, int deviceId, const KeyLookup &lookup)
{
    QList<uchar> bytes {0x00, 0x01};
    // A delay folds only into a key record that holds no delay yet: never into
    // the repeat count, a delay record, or a delay folded before.
    bool keyRecordOpen = false;
    bool lastLineWasDelay = false;
    for (const QString &line : lines) {
        const bool afterDelayLine = lastLineWasDelay;
        lastLineWasDelay = false;
        if (line.size() < tagLength)
            continue;
        const QString tag = line.right(tagLength);
        const QString name = line.left(line.size() - tagLength);
        if (tag == downTag || tag == upTag) {
            const quint8 code = lookup ? lookup(name) : 0;
            if (code == 0)
                continue;
            bytes.append(tag == downTag ? 0x01 : 0x81);
            bytes.append(code);
            keyRecordOpen = true;
        } else if (tag == delayTag) {
            lastLineWasDelay = true;
            bool ok = false;
            const qint64 d = name.toLongLong(&ok);
            // Negative or unreadable delays mean nothing to wait.
            if (!ok || d <= 0)
                continue;
            if (deviceId == keyboardDevice) {
                bytes.append(0x7F);
                bytes.append(0x00);
                appendWord(bytes, d / 10);
            } else if (deviceId == mouseDevice) {
                const qint64 units = (qMax<qint64>(d, 20) + 10) / 20;
                if (d <= maxFoldedDelayMs && !afterDelayLine && keyRecordOpen) {
                    uchar &first = bytes[bytes.size() - 2];
                    first = uchar((first & 0x80) | ((qMax<qint64>(d, 10) + 5) / 10));
                } else if (d > maxFoldedDelayMs && d <= maxMediumDelayMs) {
                    bytes.append(uchar(units));
                    bytes.append(0x01);
                } else {
                    bytes.append(0x00);
                    bytes.append(0x01);
                    appendWord(bytes, units);
                }
            }
            keyRecordOpen = false;
        }
    }
    bytes.append(0x00);
    bytes.append(0x00);
    return bytes;
}

void setRepeat(QList<uchar> &bytes, uint repeat)
{
    while (bytes.size() < 2)
        bytes.append(0);
    bytes[0] = uchar((repeat >> 8) & 0xFF);
    bytes[1] = uchar(repeat & 0xFF);
}

QByteArray block(const QList<uchar> &bytes, int size)
{
    QByteArray result(size, '\0');
    const int n = qMin(size, int(bytes.size()));
    for (int i = 0; i < n; ++i)
        result[i] = char(bytes.at(i));
    return result;
}

} // namespace MacroEncoder
