#pragma once

#include <QColor>
#include <QString>

// The whole look of the skin: change these and regenerate every picture.
namespace Style {

inline const QColor windowTop("#1d1d1f");
inline const QColor windowBottom("#0f0f10");
inline const QColor surface("#1a1a1a");
inline const QColor surfaceHigh("#262626");
inline const QColor surfaceLow("#121212");
inline const QColor edge("#343434");
inline const QColor edgeLight("#4a4a4a");
inline const QColor well("#0c0c0c");

inline const QColor accentDeep("#4f1717");
inline const QColor accent("#761212");
inline const QColor accentBright("#b03b3b");
inline const QColor glow("#ff4a3d");
inline const QColor glowSoft("#e8322b");

inline const QColor text("#ffffff");
inline const QColor textDim("#9c9c9c");
inline const QColor textFaint("#5e5e5e");

inline const QColor shellTop("#3a3a3d");
inline const QColor shellBottom("#17171a");
inline const QColor baseTop("#202023");
inline const QColor baseBottom("#0a0a0b");

inline const QString latinFamily("DejaVu Sans");
inline const QString condensedFamily("DejaVu Sans Condensed");
inline const QString cjkFamily("WenQuanYi Micro Hei");

inline const QString brand("DORNAK");
inline const QString model("SKELDA MOUSE R740");

} // namespace Style
