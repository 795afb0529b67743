#pragma once

#include <QFileDevice>
#include <QString>

namespace skelda::test {

// Makes a folder read-only for this thread while it lives, even when the tests run as
// root: root would otherwise write anyway, so its right to override file modes is
// dropped for the calling thread meanwhile.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path);
    ~ReadOnlyFolder();
    // Writable again before destruction.
    void release();
    bool isActive() const { return active; }

private:
    QString path;
    QFileDevice::Permissions previous;
    bool active = false;
    bool droppedOverride = false;
};

} // namespace skelda::test
