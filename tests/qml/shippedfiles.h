#pragma once

#include <QDir>
#include <QObject>
#include <QStringList>
#include <QVariantList>

#include "store/gundata.h"
#include "store/library.h"
#include "store/namelists.h"

// The data files delivered with the program, read by the store's own readers
// from the source tree, as the program reads them from its folder.
class ShippedFiles : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

private:
    template<typename Read>
    static auto inSourceTree(Read read)
    {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QStringLiteral(SKELDA_SOURCE_DIR));
        const auto result = read();
        QDir::setCurrent(previous);
        return result;
    }

public:
    Q_INVOKABLE QVariantList nameList(int kind) const
    {
        return inSourceTree([kind] { return NameLists::get(uint(kind)); });
    }
    Q_INVOKABLE QStringList gunLines(const QString &name) const
    {
        return inSourceTree([&name] { return Library::load(Library::Kind::Gun, name); });
    }
    Q_INVOKABLE QVariant gunIndex(const QString &name) const
    {
        return inSourceTree([&name] { return Library::index(Library::Kind::Gun, name); });
    }
    Q_INVOKABLE QVariantList gunData(const QString &name) const
    {
        return inSourceTree([&name] { return GunData::get(name); });
    }
};
