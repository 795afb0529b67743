#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class QSettings;

// The application settings file, open for the life of the object. Every setter
// has brought its value to disk when it returns true; on false the object reads
// what the file holds.
class AppSettings : public QObject
{
    Q_OBJECT
public:
    explicit AppSettings(QObject *parent = nullptr);
    ~AppSettings() override;

    // Invalid when no language was stored.
    QVariant language() const;
    // 0 when none was stored.
    QVariant profileNumber() const;
    bool setProfileNumber(uint profile);
    // The documents' generic list, common/0 .. common/total-1.
    QVariantList values() const;
    bool setValues(const QVariantList &values);
    // The device's colour stage count, 8 when none was stored.
    int colorStageCount() const;
    QStringList productNames() const;
    QVariant secrecyCode(int did) const;
    bool autostart() const;
    bool setAutostart(bool enabled);
    QString windowTitle() const;
    // Replaces the file by the factory one; false keeps the user's file.
    bool reset();

    // The open file, for reading keys this class has no getter for.
    QSettings *file() const { return settings; }

private:
    QSettings *settings;
};
