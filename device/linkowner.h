#pragma once

#include <QVariant>

// What the handshake needs from the program around the link. The main window
// implements it, so the device layer knows nothing of windows or documents.
class LinkOwner
{
public:
    virtual ~LinkOwner() = default;

    virtual void startUI() = 0;
    virtual void enableView() = 0;
    virtual void clearHidBusy() = 0;
    // common/sCode + did of the application settings; invalid when missing.
    virtual QVariant secrecyCodeSetting(int did) const = 0;
    // The handshake found the device answering (the owner tells the user).
    virtual void deviceDetected() = 0;
    virtual void hideWindow() = 0;
};
