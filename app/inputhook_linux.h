#pragma once

// Which source feeds the hook procedures on this platform.
namespace InputHookLinux {
enum class Capture {
    Off,
    XRecord, // every client's input, through the X RECORD extension
    ApplicationFilter, // only the program's own windows
};
Capture activeCapture();
} // namespace InputHookLinux
