#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>

// The macro byte list: repeat count (high, low), records, 00 00.
//   key down 01 code, key up 81 code; on the mouse bits 0..6 of the first byte
//   may carry a following delay of up to 1270 ms in 10 ms units;
//   mouse medium delay t 01 (t = 64..255, 20 ms units);
//   mouse long delay 00 01 hi lo (20 ms units);
//   keyboard delay 7F 00 hi lo (10 ms units).
namespace MacroEncoder {

using KeyLookup = std::function<quint8(const QString &)>;

inline constexpr int keyboardDevice = 0;
inline constexpr int mouseDevice = 1;
inline constexpr int mouseBlockSize = 128;
inline constexpr int keyboardBlockSize = 192;
inline constexpr int macroSlots = 12;

inline const QString downTag = QStringLiteral("    [Down]");
inline const QString upTag = QStringLiteral("      [Up]");
inline const QString delayTag = QStringLiteral("   [Delay]");

// Encodes lines of name + tag (the last ten characters) for device 0 or 1.
// Names the lookup does not know, delays that are not a positive number and
// lines without a tag add nothing; delays for any other device add nothing.
QList<uchar> encode(const QStringList &lines, int deviceId, const KeyLookup &lookup);
void setRepeat(QList<uchar> &bytes, uint repeat);
// A block of size bytes: the first values, then zeros; values past size are dropped.
QByteArray block(const QList<uchar> &bytes, int size);

} // namespace MacroEncoder
