#include <QFile>
#include <QStandardPaths>

#include "bridge/dialogs.h"
#include "bridge/myqquickview.h"
#include "store/importexport.h"
#include "store/languages.h"
#include "store/library.h"
#include "store/profiles.h"
#include "store/profileset.h"

namespace {

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

} // namespace

void myQQuickView::saveProfile(int profile)
{
    if (!Profiles::isValidNumber(profile))
        return;
    const QString target = Dialogs::current().saveFileName(
        this, tr("Save File"), desktopFolder(), tr("Profile(*.pf)"));
    if (target.isEmpty())
        return;
    profileSet->exportTo(profile, target);
}

bool myQQuickView::loadProfile(int profile)
{
    if (!Profiles::isValidNumber(profile))
        return false;
    const QString chosen = Dialogs::current().openFileName(
        this, tr("Open File"), desktopFolder(), tr("Profile(*.pf)"));
    if (chosen.isEmpty())
        return false;
    // A refused or failed import keeps the profile; the user learns why nothing changed.
    if (profileReplaced(profileSet->importFrom(profile, chosen)))
        return true;
    Dialogs::current().warning(messageText(MessageTexts::ImportTitle),
        QStringLiteral("%1%2").arg(messageText(MessageTexts::ImportText), chosen));
    return false;
}

void myQQuickView::saveMacroIniToFile(QVariant name)
{
    const QString source = Library::filePath(Library::Kind::Macro, name.toString());
    if (!Library::exists(Library::Kind::Macro, name.toString()))
        return;
    const QString target = Dialogs::current().saveFileName(
        this, tr("Save File"), desktopFolder(), tr("Macro(*.mc)"));
    if (target.isEmpty())
        return;
    ImportExport::exportFile(source, target);
}

QVariant myQQuickView::loadMacroIniFromFile(QVariant name)
{
    const QString nothing = QStringLiteral(" ");
    const QString chosen = Dialogs::current().openFileName(
        this, tr("Open File"), desktopFolder(), tr("Macro(*.mc)"));
    if (chosen.isEmpty())
        return nothing;
    if (!ImportExport::importMacro(name.toString(), chosen))
        return nothing;
    return chosen;
}

QString myQQuickView::getCustomFilePath()
{
    const QString chosen = Dialogs::current().openFileName(this, tr("Open File"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        tr("Image Files(*.png)"));
    if (chosen.isEmpty())
        return QString();
    QFile file(chosen);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::current().warning(
            messageText(2), QStringLiteral("%1%2").arg(messageText(3), chosen));
        return QString();
    }
    file.close();
    return chosen;
}
