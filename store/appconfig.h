#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>

// The application settings file: language, titles, current profile number,
// the generic value list and the device's colour stage count.
namespace AppConfig {
QVariant language(QSettings &settings);
QVariant profileNumber(QSettings &settings);
// The setters return true when the value is in the file.
bool setProfileNumber(QSettings &settings, const QVariant &profileNo);
QVariantList loadValues(QSettings &settings);
bool saveValues(QSettings &settings, const QVariantList &values);
QVariantList deviceValues(QSettings &settings);
QStringList productNames(QSettings &settings);
QVariant secrecyCode(QSettings &settings, int did);
// Whether the user asked for the program to start at login.
bool autostart(QSettings &settings);
// False when the value did not reach the file.
bool setAutostart(QSettings &settings, bool enabled);
// common/name0 for Portuguese, common/name1 otherwise.
QString windowTitle(QSettings &settings);
// The same, read from the file itself.
QString windowTitle();
// Replaces the file with the default one; returns the settings object to use
// from now on. The user's file is kept when the default cannot be copied.
QSettings *reset(QSettings *current);
} // namespace AppConfig
