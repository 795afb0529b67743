#pragma once

#include <QList>

#include "bridge/systempointer.h"
#include "bridge/systempointer_linux.h"

// The X server's pointer settings: libinput's properties on the mouse's own pointer
// devices through XInput 2, and the core pointer control for servers without them.
namespace XInputPointer {

enum class Result {
    Done,
    // No pointer device of the mouse carries libinput's properties.
    NoDevice,
    // No display, or the server refused the change.
    Failed,
};

// Each acts on every slave pointer device whose product id is one of the mice's.
Result setSpeed(const QList<LinuxPointer::MouseIdentity> &mice, double speed);
Result setAccelerated(const QList<LinuxPointer::MouseIdentity> &mice, bool accelerate);
// From the first such device.
Result readAccelerated(const QList<LinuxPointer::MouseIdentity> &mice, bool &accelerate);

// The core pointer: one threshold for both, acceleration on means the server's usual 2/1.
bool getCoreMouse(SystemPointer::MouseArray &values);
bool setCoreMouse(const SystemPointer::MouseArray &values);

} // namespace XInputPointer
