#pragma once

#include <QtGlobal>

#include <optional>

// Turns X input (X key codes, X buttons, recorded wire events) into the values
// of the low-level key and mouse messages that InputHookManager works on.
namespace InputHookTranslate {

struct ScanKey
{
    quint32 scanCode = 0;
    quint32 flags = 0;
};

// X core event types of the recorded device events.
constexpr int XKeyPress = 2;
constexpr int XKeyRelease = 3;
constexpr int XButtonPress = 4;
constexpr int XButtonRelease = 5;
// X key codes are the kernel's evdev key codes plus this offset.
constexpr int XKeycodeOffset = 8;

struct WireEvent
{
    int type = 0;
    int detail = 0;
    quint32 time = 0;
    int rootX = 0;
    int rootY = 0;
};

// The set-1 scan code and extended flag the keyboard hook sees for an evdev key.
std::optional<ScanKey> scanForEvdev(int evdevCode);
std::optional<ScanKey> scanForXKeycode(int xKeycode);
// The mouse message for X button 1 (left), 2 (middle) or 3 (right); 0 for others.
quint32 buttonMessage(int xButton, bool isPress);
// Decodes one 32-byte core input event; swapped means its byte order is the other one.
std::optional<WireEvent> decodeWireEvent(const uchar *data, qsizetype length, bool swapped);
// Feeds one X key or button event to the hook procedures.
void deliverKey(int xKeycode, bool isPress);
void deliverButton(int xButton, bool isPress, int rootX, int rootY);

} // namespace InputHookTranslate
