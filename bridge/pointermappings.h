#pragma once

#include <QtGlobal>

#include <array>

// Every conversion between the pointer steps kept in a profile and what a system stores,
// one table per system, each usable both ways so that a value read back from the system
// gives the step it came from.
namespace PointerMappings {

// The speed dial gives steps 0..11; the double-click dial the same, and the contract
// of the bridge slot allows up to 12.
inline constexpr uint speedSteps = 12;

// The values the bridge hands to the system layer: the Windows units.
namespace Windows {
// 2 x step, 1 for step 0.
unsigned speed(uint step);
uint speedStep(unsigned speed);
// 900 - 70 x step milliseconds.
unsigned doubleClickTime(uint step);
uint doubleClickStep(unsigned milliseconds);
} // namespace Windows

// A pointer speed table onto the -1..1 acceleration speed of libinput, step 5 at 0.
struct SpeedTable
{
    std::array<double, speedSteps> values;

    // Steps past the end take the last value.
    double value(uint step) const;
    // The step whose value lies nearest.
    uint step(double value) const;
};

// org.gnome.desktop.peripherals.mouse: speed (double), accel-profile (enum nick),
// double-click (int milliseconds). No wheel lines.
namespace GSettings {
inline constexpr const char *schema = "org.gnome.desktop.peripherals.mouse";
extern const SpeedTable speed;
const char *accelProfile(bool accelerate);
// 'default' is libinput's own choice, which accelerates a mouse.
bool accelerates(const char *profile);
} // namespace GSettings

// KDE Plasma: kcminputrc and KWin's input devices take the libinput speed with two
// decimals as the desktop's own slider stores it; kdeglobals takes milliseconds and lines.
namespace Kde {
extern const SpeedTable speed;
// KWin's profile flags: 1 flat, 2 adaptive.
int accelProfileFlags(bool accelerate);
// Lines per notch; 0 would stop every wheel, so it is refused.
bool validWheelLines(unsigned lines);
} // namespace Kde

// X11 with libinput: the "libinput Accel Speed" float and the first two bytes of
// "libinput Accel Profile Enabled" (adaptive, flat).
namespace XInput {
extern const SpeedTable speed;
std::array<quint8, 2> accelProfile(bool accelerate);
bool accelerates(quint8 adaptive, quint8 flat);
} // namespace XInput

} // namespace PointerMappings
