#include "bridge/pointermappings.h"
#include "bridge/systempointer_linux.h"
#include "bridge/xinputpointer_linux.h"

namespace LinuxPointer {

namespace {

using XInputPointer::Result;

// A plain X session: libinput's speed and profile of the mouse's own devices, the core
// pointer's acceleration where libinput does not drive the mouse. X keeps no double-click
// time or wheel lines of its own.
class X11Pointer : public SystemPointer
{
public:
    explicit X11Pointer(const QList<MouseIdentity> &mice)
        : mice(mice)
    {
    }

    bool getMouse(MouseArray &values) override
    {
        bool accelerate = false;
        const Result result = XInputPointer::readAccelerated(mice, accelerate);
        if (result == Result::NoDevice)
            return XInputPointer::getCoreMouse(values);
        values = {0, 0, accelerate ? 1 : 0};
        return result == Result::Done;
    }

    bool setMouse(const MouseArray &values) override
    {
        const Result result = XInputPointer::setAccelerated(mice, values[2] != 0);
        if (result == Result::NoDevice)
            return XInputPointer::setCoreMouse(values);
        return result == Result::Done;
    }

    bool setMouseSpeed(unsigned speed) override
    {
        const uint step = PointerMappings::Windows::speedStep(speed);
        // The core pointer has no speed: without libinput the profile keeps it.
        return XInputPointer::setSpeed(mice, PointerMappings::XInput::speed.value(step))
            != Result::Failed;
    }

    bool setWheelScrollLines(unsigned) override { return true; }
    bool hasWheelScrollLines() const override { return false; }
    bool setDoubleClickTime(unsigned) override { return true; }

private:
    const QList<MouseIdentity> mice;
};

} // namespace

std::unique_ptr<SystemPointer> makeX11(const QList<MouseIdentity> &mice)
{
    return std::make_unique<X11Pointer>(mice);
}

} // namespace LinuxPointer
