#include "bridge/myqquickview.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "bridge/dialogs.h"
#include "bridge/view_deviceblocks.h"
#include "device/hid_thread.h"
#include "store/profiles.h"
#include "store/settingsfiles.h"

void myQQuickView::ui_02H_SetCurrentProfile(int profile)
{
    // A number without a profile file would leave every profile slot without a file.
    if (!Profiles::isValidNumber(profile))
        return;
    if (profile != currentProfile) {
        currentProfile = profile;
        apConfig->setValue("Z5/profileNo", profile);
        SettingsFiles::flush(*apConfig);
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
        hid->hid_92H_GetUserPicture(uchar(n), picture);
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

void myQQuickView::openUpdateExe()
{
    const QString updater = QStringLiteral("./update/update.exe");
    // Without an updater the link must keep running.
    if (!QFileInfo(updater).isFile())
        return;
    if (hid)
        hid->stopLink();
    QThread::msleep(500);
    QProcess::startDetached(updater, {});
}
