#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace skelda::test {

// A temporary working folder laid out like the program's: modules/setting,
// macro, gun, i18n and img. The process works inside it until destruction.
class WorkFolder
{
public:
    enum Contents { Empty, ShippedSettings };

    explicit WorkFolder(Contents contents = Empty);
    ~WorkFolder();

    bool isValid() const { return dir.isValid(); }
    QString path() const { return dir.path(); }
    QString filePath(const QString &relative) const { return dir.filePath(relative); }
    // Copies a file of the shipped data tree (relative to modules/) into the folder.
    bool copyShipped(const QString &relative) const;
    void writeFile(const QString &relative, const QByteArray &contents) const;
    QByteArray readFile(const QString &relative) const;

private:
    QTemporaryDir dir;
    QString previous;
};

QString shippedModulesPath();

} // namespace skelda::test
