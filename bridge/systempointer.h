#pragma once

#include <array>
#include <memory>

// The system's pointer settings that belong with a mouse. Each call mirrors one
// system parameter request (action, uiParam, pvParam); writes are saved to the
// user profile and broadcast. Every call returns false when the system refused it.
class SystemPointer
{
public:
    // Threshold 1, threshold 2, acceleration (0 = off).
    using MouseArray = std::array<int, 3>;

    virtual ~SystemPointer() = default;

    // Get mouse (0x0003): uiParam 0, pvParam = the three integers.
    virtual bool getMouse(MouseArray &values) = 0;
    // Set mouse (0x0004): uiParam 0, pvParam = the three integers.
    virtual bool setMouse(const MouseArray &values) = 0;
    // Set wheel scroll lines (0x0069): uiParam = lines, pvParam null.
    virtual bool setWheelScrollLines(unsigned lines) = 0;
    // Set double-click time (0x0020): uiParam = milliseconds, pvParam null.
    virtual bool setDoubleClickTime(unsigned milliseconds) = 0;
    // Set mouse speed (0x0071): uiParam 0, pvParam = the speed value itself.
    virtual bool setMouseSpeed(unsigned speed) = 0;
    // False where the system has no wheel scroll lines setting and the profile alone keeps them.
    virtual bool hasWheelScrollLines() const { return true; }

    // The platform's implementation.
    static std::unique_ptr<SystemPointer> create();
    // The implementation the bridge uses; created on first use.
    static SystemPointer &instance();
    // Replaces the implementation the bridge uses; nullptr returns to the platform's.
    static void install(std::unique_ptr<SystemPointer> pointer);
};
