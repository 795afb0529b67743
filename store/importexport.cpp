#include "store/importexport.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

#include "store/library.h"
#include "store/settingsfiles.h"

namespace ImportExport {

bool exportFile(const QString &source, const QString &target)
{
    if (target.isEmpty() || !QFileInfo(source).isFile())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (bytes.size() != in.size())
        return false;
    // Staged under a unique name of its own: files beside the user's choice stay untouched.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool isImportable(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > maxImportBytes)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    // Every line the store writes ends in a newline: a file without one at its end was cut short.
    if (bytes.contains('\0') || !bytes.endsWith('\n'))
        return false;
    file.close();
    QSettings probe(path, QSettings::IniFormat);
    probe.allKeys();
    return probe.status() == QSettings::NoError;
}

bool importMacro(const QString &name, const QString &chosen)
{
    if (!Library::exists(Library::Kind::Macro, name) || !isImportable(chosen))
        return false;
    return SettingsFiles::replaceFile(Library::filePath(Library::Kind::Macro, name), chosen);
}

} // namespace ImportExport
