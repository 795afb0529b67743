#include "bridge/myqquickview.h"

#include <QDebug>

#include "bridge/pointermappings.h"
#include "bridge/systempointer.h"
#include "device/hid_thread.h"
#include "store/profiles.h"
#include "store/profileset.h"

namespace {
// A refused system call only leaves a line in the log; the profile keeps the value.
void logFailed(const char *slot)
{
    qDebug() << slot << "Failed";
}

struct PointerValue
{
    const char *key;
    const char *slot;
    bool (*apply)(SystemPointer &pointer, uint step);
};

const PointerValue pointerValues[] = {
    {Profiles::Key::cursorSpeed, "setCursorSpeed",
        [](SystemPointer &pointer, uint step) {
            return pointer.setMouseSpeed(PointerMappings::Windows::speed(step));
        }},
    {Profiles::Key::scrollLines, "setVerticalScrollLines",
        [](SystemPointer &pointer, uint lines) { return pointer.setWheelScrollLines(lines); }},
    {Profiles::Key::doubleClickSpeed, "setDoubleClickSpeed",
        [](SystemPointer &pointer, uint step) {
            return pointer.setDoubleClickTime(PointerMappings::Windows::doubleClickTime(step));
        }},
};

const PointerValue &pointerValue(const char *key)
{
    for (const PointerValue &value : pointerValues) {
        if (qstrcmp(value.key, key) == 0)
            return value;
    }
    Q_UNREACHABLE();
}
} // namespace

bool myQQuickView::applyPointerStep(const char *key, uint step)
{
    if (appliedPointerProfile != currentProfile) {
        appliedPointerSteps.clear();
        appliedPointerProfile = currentProfile;
    }
    // Unchanged here: a value the user set meanwhile in the desktop's own settings stays.
    const auto applied = appliedPointerSteps.constFind(key);
    if (applied != appliedPointerSteps.cend() && *applied == step)
        return true;
    const bool done = pointerValue(key).apply(SystemPointer::instance(), step);
    if (done)
        appliedPointerSteps.insert(key, step);
    else
        appliedPointerSteps.remove(key);
    return done;
}

void myQQuickView::forgetAppliedPointerSettings()
{
    appliedPointerSteps.clear();
}

void myQQuickView::applyStoredPointerSettings()
{
    forgetAppliedPointerSettings();
    for (const PointerValue &value : pointerValues) {
        // A profile without the value leaves the system as it is.
        if (profileSet->contains(currentProfile, value.key)
            && !applyPointerStep(value.key, profileSet->pointerStep(currentProfile, value.key)))
            logFailed(value.slot);
    }
}

void myQQuickView::setCursorSpeed(uint cursorSpeed)
{
    if (!storeInProfile(Profiles::Key::cursorSpeed, cursorSpeed))
        return;
    if (!applyPointerStep(Profiles::Key::cursorSpeed, cursorSpeed))
        logFailed("setCursorSpeed");
}

uint myQQuickView::getCursorSpeed()
{
    return profileSet->pointerStep(currentProfile, Profiles::Key::cursorSpeed);
}

void myQQuickView::setVerticalScrollLines(uint lines)
{
    if (!storeInProfile(Profiles::Key::scrollLines, lines))
        return;
    if (!applyPointerStep(Profiles::Key::scrollLines, lines))
        logFailed("setVerticalScrollLines");
}

uint myQQuickView::getVerticalScrollLines()
{
    return profileSet->pointerStep(currentProfile, Profiles::Key::scrollLines);
}

bool myQQuickView::hasSystemScrollLines()
{
    return SystemPointer::instance().hasWheelScrollLines();
}

void myQQuickView::setDoubleClickSpeed(uint speed)
{
    if (!storeInProfile(Profiles::Key::doubleClickSpeed, speed))
        return;
    if (!applyPointerStep(Profiles::Key::doubleClickSpeed, speed))
        logFailed("setDoubleClickSpeed");
}

uint myQQuickView::getDoubleClickSpeed()
{
    return profileSet->pointerStep(currentProfile, Profiles::Key::doubleClickSpeed);
}

void myQQuickView::setAcceleration(bool acceleration)
{
    SystemPointer &pointer = SystemPointer::instance();
    SystemPointer::MouseArray values {};
    if (!pointer.getMouse(values)) {
        logFailed("setAcceleration");
        return;
    }
    values[2] = acceleration ? 1 : 0;
    if (!pointer.setMouse(values))
        logFailed("setAcceleration");
}

bool myQQuickView::getAcceleration()
{
    SystemPointer::MouseArray values {};
    if (!SystemPointer::instance().getMouse(values)) {
        logFailed("getAcceleration");
        return false;
    }
    return values[2] != 0;
}

void myQQuickView::setScrollPinSwap(bool isSwap)
{
    if (!storeInProfile(Profiles::Key::scrollSwap, isSwap) || !hid)
        return;
    uchar type = 0;
    uchar option1 = 0;
    uchar option2 = 0;
    uchar rate = 0;
    // 03H rewrites the report rate and both options: without their current values it would zero
    // them.
    if (!hid->readFunctionOption(type, option1, option2) || !hid->readReportRate(rate))
        return;
    // Bit 6 of the second option byte carries the wheel direction.
    const uchar swapped = uchar((option1 & 0xBF) | (isSwap ? 0x40 : 0x00));
    hid->hid_03H_SetFunctionOption(type, rate, swapped, option2);
}

bool myQQuickView::getScrollPinSwap()
{
    return profileSet->scrollSwap(currentProfile);
}
