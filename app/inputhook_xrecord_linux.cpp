#include "app/inputhook_xrecord_linux.h"

#include <QObject>
#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/record.h>

namespace {
void intercept(XPointer closure, XRecordInterceptData *recorded)
{
    const auto *capture = reinterpret_cast<const XRecordCapture *>(closure);
    if (recorded->category == XRecordFromServer) {
        const std::optional<InputHookTranslate::WireEvent> event
            = InputHookTranslate::decodeWireEvent(
                recorded->data, qsizetype(recorded->data_len) * 4, recorded->client_swapped);
        if (event)
            capture->deliver(*event);
    }
    XRecordFreeData(recorded);
}
} // namespace

XRecordCapture::XRecordCapture(Sink eventSink)
    : sink(eventSink)
{
}

XRecordCapture::~XRecordCapture()
{
    stop();
}

bool XRecordCapture::start()
{
    stop();
    // The recording needs a connection of its own: it is busy for as long as the context is on.
    control = XOpenDisplay(nullptr);
    data = XOpenDisplay(nullptr);
    int major = 0;
    int minor = 0;
    if (!control || !data || !XRecordQueryVersion(control, &major, &minor)) {
        stop();
        return false;
    }
    XRecordRange *range = XRecordAllocRange();
    if (!range) {
        stop();
        return false;
    }
    range->device_events.first = KeyPress;
    range->device_events.last = ButtonRelease;
    XRecordClientSpec clients = XRecordAllClients;
    context = XRecordCreateContext(control, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(control, False);
    if (!context
        || !XRecordEnableContextAsync(data, context, intercept, reinterpret_cast<XPointer>(this))) {
        stop();
        return false;
    }
    XFlush(data);
    notifier = new QSocketNotifier(ConnectionNumber(data), QSocketNotifier::Read);
    QObject::connect(
        notifier, &QSocketNotifier::activated, notifier, [this] { XRecordProcessReplies(data); });
    return true;
}

void XRecordCapture::stop()
{
    delete notifier;
    notifier = nullptr;
    // The data connection answers nothing while it records, so the recording
    // is ended through the control connection before the data one closes.
    if (control && context) {
        XRecordDisableContext(control, context);
        XSync(control, False);
    }
    if (data)
        XCloseDisplay(data);
    data = nullptr;
    if (control && context) {
        XRecordFreeContext(control, context);
        XSync(control, False);
    }
    context = 0;
    if (control)
        XCloseDisplay(control);
    control = nullptr;
}
