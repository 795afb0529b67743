#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QQmlEngine;

// The English names of the button functions and the key names, read from the documents'
// own key-code tables so that the terminal and the window name every action alike.
class ButtonNames
{
public:
    // Function codes (eight hex digits) to English names, key codes to key names.
    ButtonNames(QMap<QString, QString> functions, QMap<int, QString> keys);

    // Reads the tables from the key-code component with engine; nullopt when it cannot.
    static std::optional<ButtonNames> load(QQmlEngine &engine);

    // What the window shows for a button's four code bytes; macroName gives the macro of a
    // device slot (from 1).
    QString displayName(
        const QByteArray &code, const std::function<QString(int slot)> &macroName) const;
    // The code of a function name ("Left Button", "dpi loop") or a key name ("F5",
    // "Key-F5", "Keyboard Key-F5"), regardless of case; nullopt for neither.
    std::optional<QByteArray> codeFor(const QString &action) const;
    // The names codeFor knows, functions first.
    QStringList functionNames() const;
    QStringList keyNames() const;

private:
    QMap<QString, QString> functions;
    QMap<int, QString> keys;
};
