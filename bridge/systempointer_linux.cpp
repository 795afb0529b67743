#include "bridge/systempointer.h"

#include <X11/Xlib.h>

namespace {

// X keeps one threshold and a ratio; acceleration on means the server's usual 2/1.
constexpr int acceleratedNumerator = 2;
constexpr int acceleratedDenominator = 1;

// The default Xlib handler would end the process on a refused request.
bool requestRefused = false;
int noteRefusal(Display *, XErrorEvent *)
{
    requestRefused = true;
    return 0;
}

class XServerPointer : public SystemPointer
{
public:
    bool getMouse(MouseArray &values) override
    {
        Display *display = XOpenDisplay(nullptr);
        if (!display)
            return false;
        int numerator = 1;
        int denominator = 1;
        int threshold = 0;
        XGetPointerControl(display, &numerator, &denominator, &threshold);
        XCloseDisplay(display);
        values = {threshold, threshold, numerator > denominator ? 1 : 0};
        return true;
    }

    bool setMouse(const MouseArray &values) override
    {
        Display *display = XOpenDisplay(nullptr);
        if (!display)
            return false;
        const bool accelerate = values[2] != 0;
        const bool setThreshold = values[0] > 0;
        requestRefused = false;
        XErrorHandler previous = XSetErrorHandler(noteRefusal);
        XChangePointerControl(display, True, setThreshold, accelerate ? acceleratedNumerator : 1,
            accelerate ? acceleratedDenominator : 1, setThreshold ? values[0] : -1);
        XSync(display, False);
        XSetErrorHandler(previous);
        XCloseDisplay(display);
        return !requestRefused;
    }

    // No system-wide equivalent here: the profile alone keeps these values.
    bool setWheelScrollLines(unsigned) override { return true; }
    bool setDoubleClickTime(unsigned) override { return true; }
    bool setMouseSpeed(unsigned) override { return true; }
};

} // namespace

std::unique_ptr<SystemPointer> SystemPointer::create()
{
    return std::make_unique<XServerPointer>();
}
