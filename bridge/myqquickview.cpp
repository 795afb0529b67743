#include "bridge/myqquickview.h"

#include <QEvent>
#include <QMetaObject>
#include <QQuickItem>

#include "bridge/keynametable.h"
#include "device/hid_thread.h"
#include "store/appsettings.h"
#include "store/languages.h"
#include "store/profileset.h"

myQQuickView::myQQuickView(AppSettings *appSettings, ProfileSet *profiles)
    : QQuickView()
    , appConfig(appSettings ? appSettings : new AppSettings(this))
    , profileSet(profiles ? profiles : new ProfileSet(this))
{
    enableAudio = true;
    currentProfile = 0;
    KeyNameTable::build();
    setMessageTexts(MessageTexts::load(appConfig->language()));
}

myQQuickView::myQQuickView()
    : myQQuickView(nullptr, nullptr)
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

void myQQuickView::setEnabled(bool enabled)
{
    inputEnabled = enabled;
}

namespace {
bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}
} // namespace

bool myQQuickView::event(QEvent *event)
{
    // The start-up lock and a running transfer keep the user's hands off the pages.
    if (!inputEnabled && isUserInput(event->type())) {
        event->accept();
        return true;
    }
    return QQuickView::event(event);
}
