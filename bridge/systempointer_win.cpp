#include "bridge/systempointer.h"

#include <windows.h>

namespace {

constexpr UINT saveAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

class WindowsPointer : public SystemPointer
{
public:
    bool getMouse(MouseArray &values) override
    {
        int array[3] = {};
        if (!SystemParametersInfoW(SPI_GETMOUSE, 0, array, 0))
            return false;
        values = {array[0], array[1], array[2]};
        return true;
    }

    bool setMouse(const MouseArray &values) override
    {
        int array[3] = {values[0], values[1], values[2]};
        return SystemParametersInfoW(SPI_SETMOUSE, 0, array, saveAndBroadcast);
    }

    bool setWheelScrollLines(unsigned lines) override
    {
        return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, saveAndBroadcast);
    }

    bool setDoubleClickTime(unsigned milliseconds) override
    {
        return SystemParametersInfoW(
            SPI_SETDOUBLECLICKTIME, milliseconds, nullptr, saveAndBroadcast);
    }

    bool setMouseSpeed(unsigned speed) override
    {
        return SystemParametersInfoW(
            SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(UINT_PTR(speed)), saveAndBroadcast);
    }
};

} // namespace

std::unique_ptr<SystemPointer> SystemPointer::create()
{
    return std::make_unique<WindowsPointer>();
}
