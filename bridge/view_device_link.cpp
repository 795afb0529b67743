#include "bridge/myqquickview.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "bridge/dialogs.h"
#include "bridge/view_deviceblocks.h"
#include "device/hid_thread.h"
#include "store/appsettings.h"
#include "store/profiles.h"

void myQQuickView::ui_02H_SetCurrentProfile(int profile)
{
    // A number without a profile file would leave every profile slot without a file.
    if (!Profiles::isValidNumber(profile))
        return;
    if (profile != currentProfile) {
        currentProfile = profile;
        noteSaved(appConfig->setProfileNumber(uint(profile)));
    }
    // Also at start-up, when the number is already current: the mouse must hold it too.
    if (hid)
        hid->hid_02H_SetCurrentProfile(uchar(profile));
}

void myQQuickView::syncFW()
{
    if (!hid || connectedDeviceId() != 0)
        return;
    for (int n = 0; n < 5; ++n) {
        uchar picture[512] = {};
        // A picture the device did not send must not replace the stored one with zeros.
        if (hid->readUserPicture(uchar(n), picture))
            storeInProfile(Profiles::Key::userPicture(n), DeviceBlocks::toList(picture, 512));
    }
}

void myQQuickView::clearHidBusy()
{
    if (hid)
        hid->releaseLink();
}

bool myQQuickView::getMsgAns_FoolProofing()
{
    return Dialogs::current().confirm(messageText(4), messageText(5));
}

namespace {
const char *const updaterPath = "./update/update.exe";
}

bool myQQuickView::isUpdaterInstalled()
{
    return QFileInfo(QString::fromLatin1(updaterPath)).isFile();
}

QString myQQuickView::getVersion()
{
    return QStringLiteral(SKELDA_VERSION);
}

void myQQuickView::openUpdateExe()
{
    const QString updater = QString::fromLatin1(updaterPath);
    // Without an updater the link must keep running.
    if (!isUpdaterInstalled())
        return;
    if (hid)
        hid->stopLink();
    QThread::msleep(500);
    QProcess::startDetached(updater, {});
}
