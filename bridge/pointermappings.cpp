#include "bridge/pointermappings.h"

#include <cmath>
#include <cstring>

namespace PointerMappings {

namespace Windows {
unsigned speed(uint step)
{
    return step == 0 ? 1 : 2 * step;
}

uint speedStep(unsigned speed)
{
    return speed / 2;
}

unsigned doubleClickTime(uint step)
{
    return 900 - 70 * step;
}

uint doubleClickStep(unsigned milliseconds)
{
    return milliseconds >= 900 ? 0 : qMin<uint>((900 - milliseconds + 35) / 70, speedSteps);
}
} // namespace Windows

double SpeedTable::value(uint step) const
{
    return values[qMin<uint>(step, speedSteps - 1)];
}

uint SpeedTable::step(double value) const
{
    uint nearest = 0;
    for (uint s = 1; s < speedSteps; ++s) {
        if (std::fabs(values[s] - value) < std::fabs(values[nearest] - value))
            nearest = s;
    }
    return nearest;
}

namespace GSettings {
const SpeedTable speed {
    {-1.0, -0.8, -0.6, -0.4, -0.2, 0.0, 1.0 / 6, 2.0 / 6, 3.0 / 6, 4.0 / 6, 5.0 / 6, 1.0}};

const char *accelProfile(bool accelerate)
{
    return accelerate ? "adaptive" : "flat";
}

bool accelerates(const char *profile)
{
    return !profile || std::strcmp(profile, "flat") != 0;
}
} // namespace GSettings

namespace Kde {
const SpeedTable speed {{-1.0, -0.8, -0.6, -0.4, -0.2, 0.0, 0.17, 0.33, 0.5, 0.67, 0.83, 1.0}};

int accelProfileFlags(bool accelerate)
{
    return accelerate ? 2 : 1;
}

bool validWheelLines(unsigned lines)
{
    return lines > 0;
}
} // namespace Kde

namespace XInput {
const SpeedTable speed {
    {-1.0, -0.8, -0.6, -0.4, -0.2, 0.0, 1.0 / 6, 2.0 / 6, 3.0 / 6, 4.0 / 6, 5.0 / 6, 1.0}};

std::array<quint8, 2> accelProfile(bool accelerate)
{
    return accelerate ? std::array<quint8, 2> {1, 0} : std::array<quint8, 2> {0, 1};
}

bool accelerates(quint8 adaptive, quint8 flat)
{
    return adaptive != 0 || flat == 0;
}
} // namespace XInput

} // namespace PointerMappings
