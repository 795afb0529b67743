#pragma once

#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The display order of macro, gun and profile names, kept in name.bin.
namespace NameLists {

inline constexpr const char *path = "./modules/setting/name.bin";
// Appended to a one-element list, which the INI facility would read back as a plain string.
inline constexpr const char *sentinel = "loadertovrim";

// The key of name list kind 0 to 3; empty for any other kind.
QString keyOf(uint kind);
QVariantList get(uint kind);
// Stores the list (a lone name with the sentinel, an empty list by removing
// the key); false only when the file could not be written. An unknown kind
// stores nothing.
bool update(uint kind, const QStringList &names);

} // namespace NameLists
