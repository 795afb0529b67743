#pragma once

#include <QStringList>
#include <QVariant>
#include <QVariantList>

// Five values per gun name in gunData.bin. The file is shipped, never created:
// without it every call does nothing or returns an empty result.
namespace GunData {

inline constexpr const char *path = "./modules/gun/gunData.bin";

// record = [name, value 1 .. value 5]
void save(const QVariantList &record);
// 0: remove record[0]; 1: record = [new name, value 1 .. value 5, old name].
void modify(uint modifyType, const QVariantList &record);
QVariantList get(const QString &name);
QStringList names();

} // namespace GunData
