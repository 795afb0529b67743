#include "bridge/myqquickview.h"

#include <QMetaObject>
#include <QQuickItem>

#include "bridge/keynametable.h"
#include "device/hid_thread.h"
#include "store/appconfig.h"
#include "store/languages.h"
#include "store/settingsfiles.h"

myQQuickView::myQQuickView(QWidget *parent)
    : QQuickWidget(parent)
{
    enableAudio = true;
    currentProfile = 0;
    KeyNameTable::build();
    apConfig = SettingsFiles::openIni(SettingsFiles::appConfig);
    for (int n = 0; n < SettingsFiles::profileCount; ++n)
        profileSettingsList.append(SettingsFiles::openIni(SettingsFiles::profilePath(n)));
    setMessageTexts(MessageTexts::load(AppConfig::language(*apConfig)));
}

// The settings objects live as long as the process; only the lists go here.
myQQuickView::~myQQuickView()
{
    profileSettingsList.clear();
    msgTexts.clear();
}

QSettings *myQQuickView::profileSettings(int profile) const
{
    return profileSettingsList.value(profile, nullptr);
}

int myQQuickView::connectedDeviceId() const
{
    return hid ? hid->currentDeviceId() : -1;
}

void myQQuickView::invokeDocument(const char *function, const QVariantList &arguments)
{
    QQuickItem *root = rootObject();
    if (!root)
        return;
    QGenericArgument args[4];
    for (int i = 0; i < arguments.size() && i < 4; ++i)
        args[i] = Q_ARG(QVariant, arguments.at(i));
    QMetaObject::invokeMethod(
        root, function, Qt::QueuedConnection, args[0], args[1], args[2], args[3]);
}

void myQQuickView::detectKeyboard(bool isDown, int usage)
{
    invokeDocument("detectKeyboard", {QVariant(isDown), QVariant(usage)});
}

void myQQuickView::detectMouse(bool isDown, uint buttonCode, uint x, uint y)
{
    invokeDocument(
        "detectMouse", {QVariant(isDown), QVariant(buttonCode), QVariant(x), QVariant(y)});
}

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    update();
    event->accept();
}
