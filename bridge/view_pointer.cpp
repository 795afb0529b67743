#include "bridge/myqquickview.h"

#include <QDebug>

#include "bridge/systempointer.h"
#include "device/hid_thread.h"
#include "store/profiles.h"

namespace {
unsigned systemSpeed(uint cursorSpeed)
{
    return cursorSpeed == 0 ? 1 : 2 * cursorSpeed;
}

unsigned doubleClickTime(uint speed)
{
    return 900 - 70 * speed;
}

// A refused system call only leaves a line in the log; the profile keeps the value.
void logFailed(const char *slot)
{
    qDebug() << slot << "Failed";
}

uint storedStep(const QSettings *profile, const char *key)
{
    return profile->value(key, 0).toUInt();
}
} // namespace

void myQQuickView::setCursorSpeed(uint cursorSpeed)
{
    storeInProfile(Profiles::Key::cursorSpeed, cursorSpeed);
    if (!SystemPointer::instance().setMouseSpeed(systemSpeed(cursorSpeed)))
        logFailed("setCursorSpeed");
}

uint myQQuickView::getCursorSpeed()
{
    return storedStep(currentProfileSettings(), Profiles::Key::cursorSpeed);
}

void myQQuickView::setVerticalScrollLines(uint lines)
{
    storeInProfile(Profiles::Key::scrollLines, lines);
    if (!SystemPointer::instance().setWheelScrollLines(lines))
        logFailed("setVerticalScrollLines");
}

uint myQQuickView::getVerticalScrollLines()
{
    return storedStep(currentProfileSettings(), Profiles::Key::scrollLines);
}

void myQQuickView::setDoubleClickSpeed(uint speed)
{
    storeInProfile(Profiles::Key::doubleClickSpeed, speed);
    if (!SystemPointer::instance().setDoubleClickTime(doubleClickTime(speed)))
        logFailed("setDoubleClickSpeed");
}

uint myQQuickView::getDoubleClickSpeed()
{
    return storedStep(currentProfileSettings(), Profiles::Key::doubleClickSpeed);
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
    storeInProfile(Profiles::Key::scrollSwap, isSwap);
    if (!hid)
        return;
    uchar type = 0;
    uchar option1 = 0;
    uchar option2 = 0;
    hid->hid_83H_GetFunctionOption(type, option1, option2);
    uchar rate = 0;
    hid->hid_81H_GetReportRate(rate);
    // Bit 6 of the second option byte carries the wheel direction.
    const uchar swapped = uchar((option1 & 0xBF) | (isSwap ? 0x40 : 0x00));
    hid->hid_03H_SetFunctionOption(type, rate, swapped, option2);
}

bool myQQuickView::getScrollPinSwap()
{
    return currentProfileSettings()->value(Profiles::Key::scrollSwap, false).toBool();
}
