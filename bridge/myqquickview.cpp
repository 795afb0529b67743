#include "bridge/myqquickview.h"

#include <QMetaObject>
#include <QQuickItem>

#include "bridge/keynametable.h"
#include "device/hid_thread.h"
#include "store/appsettings.h"
#include "store/languages.h"
#include "store/profileset.h"

myQQuickView::myQQuickView(AppSettings *appSettings, ProfileSet *profiles, QWidget *parent)
    : QQuickWidget(parent)
    , appConfig(appSettings ? appSettings : new AppSettings(this))
    , profileSet(profiles ? profiles : new ProfileSet(this))
{
    enableAudio = true;
    currentProfile = 0;
    KeyNameTable::build();
    setMessageTexts(MessageTexts::load(appConfig->language()));
}

myQQuickView::myQQuickView(QWidget *parent)
    : myQQuickView(nullptr, nullptr, parent)
{
}

myQQuickView::~myQQuickView() = default;

QSettings *myQQuickView::appSettings() const
{
    return appConfig->file();
}

QSettings *myQQuickView::profileSettings(int profile) const
{
    return profileSet->file(profile);
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
