#pragma once

#include "app/inputhooktranslate.h"

class QSocketNotifier;
struct _XDisplay;

// Records the device events of the whole X display through the RECORD
// extension. The data connection is read on the GUI thread whenever its
// socket has something, and each key or button event goes to the sink.
class XRecordCapture
{
public:
    using Sink = void (*)(const InputHookTranslate::WireEvent &event);

    explicit XRecordCapture(Sink sink);
    ~XRecordCapture();
    XRecordCapture(const XRecordCapture &) = delete;
    XRecordCapture &operator=(const XRecordCapture &) = delete;

    // False when there is no X display or it has no RECORD extension.
    bool start();
    void stop();
    void deliver(const InputHookTranslate::WireEvent &event) const
    {
        if (sink)
            sink(event);
    }

private:
    Sink sink;
    _XDisplay *control = nullptr;
    _XDisplay *data = nullptr;
    unsigned long context = 0;
    QSocketNotifier *notifier = nullptr;
};
