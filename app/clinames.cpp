#include "app/clinames.h"

#include <QJSValue>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QScopedPointer>

namespace {

const char *const keyPrefix = "Keyboard Key-";
const char *const macroPrefix = "Macro: ";
// The gun switch is no entry of the function menu: button 8 alone plays the gun.
const char *const gunSwitch = "08000200";

QVariantMap mapOf(const QVariant &value)
{
    if (value.canConvert<QJSValue>())
        return value.value<QJSValue>().toVariant().toMap();
    return value.toMap();
}

} // namespace

ButtonNames::ButtonNames(QMap<QString, QString> functions, QMap<int, QString> keys)
    : functions(std::move(functions))
    , keys(std::move(keys))
{
}

std::optional<ButtonNames> ButtonNames::load(QQmlEngine &engine)
{
    QQmlComponent component(
        &engine, QUrl(QStringLiteral("qrc:/modules/qml/basic/KeyCodeString.qml")));
    QScopedPointer<QObject> table(component.create());
    if (!table)
        return std::nullopt;
    QMap<QString, QString> functions;
    const QVariantMap english = mapOf(table->property("mouseData2str"));
    for (auto it = english.cbegin(); it != english.cend(); ++it)
        functions.insert(it.key(), it.value().toString());
    QMap<int, QString> keys;
    const QVariantMap keyTable = mapOf(table->property("keycode2str"));
    for (auto it = keyTable.cbegin(); it != keyTable.cend(); ++it)
        keys.insert(it.key().toInt(), it.value().toString());
    if (functions.isEmpty() || keys.isEmpty())
        return std::nullopt;
    return ButtonNames(functions, keys);
}

QString ButtonNames::displayName(
    const QByteArray &code, const std::function<QString(int)> &macroName) const
{
    if (code.size() < 4)
        return QString();
    const auto byte = [&code](int k) { return int(uchar(code.at(k))); };
    if (byte(0) == 0x09)
        return QString::fromLatin1(macroPrefix) + (macroName ? macroName(byte(2)) : QString());
    if (byte(0) == 0x08)
        return functions.value(QString::fromLatin1(gunSwitch));
    if (byte(0) == 0 && byte(1) == 0 && byte(3) == 0 && byte(2) != 0)
        return QString::fromLatin1(keyPrefix) + keys.value(byte(2));
    return functions.value(QString::fromLatin1(code.toHex()));
}

std::optional<QByteArray> ButtonNames::codeFor(const QString &action) const
{
    const QString wanted = action.trimmed();
    for (auto it = functions.cbegin(); it != functions.cend(); ++it) {
        if (it.key() != QLatin1String(gunSwitch)
            && it.value().compare(wanted, Qt::CaseInsensitive) == 0)
            return QByteArray::fromHex(it.key().toLatin1());
    }
    QString key = wanted;
    for (const QString &prefix : {QString::fromLatin1(keyPrefix), QStringLiteral("Key-")}) {
        if (key.startsWith(prefix, Qt::CaseInsensitive)) {
            key = key.mid(prefix.size());
            break;
        }
    }
    // A function wins over a key of the same name ("Back"); "Key-Back" names the key. Keys
    // match exactly before they match in any case.
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        int found = -1;
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            if (it.value().compare(key, sensitivity) == 0)
                found = it.key();
        if (found > 0)
            return QByteArray::fromHex(
                QStringLiteral("0000%1").arg(found, 2, 16, QLatin1Char('0')).toLatin1() + "00");
    }
    return std::nullopt;
}

QStringList ButtonNames::functionNames() const
{
    QStringList names;
    for (auto it = functions.cbegin(); it != functions.cend(); ++it)
        if (it.key() != QLatin1String(gunSwitch))
            names << it.value();
    return names;
}

QStringList ButtonNames::keyNames() const
{
    QStringList names;
    for (const QString &name : keys)
        if (!names.contains(name))
            names << name;
    return names;
}
