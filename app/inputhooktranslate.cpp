#include "app/inputhooktranslate.h"

#include <QtEndian>

#include <cstring>

#include "app/inputhookmanager.h"

namespace InputHookTranslate {

namespace {
struct EvdevRow
{
    int evdevCode;
    quint32 scanCode;
    quint32 flags;
};

constexpr quint32 ext = InputHookManager::LlkhfExtended;

// Keys whose evdev code is not their scan code, or that carry the extended
// flag in the keyboard hook even though the kernel numbers them like plain keys.
const EvdevRow evdevRows[] = {
    {54, 0x36, ext}, // right Shift
    {69, 0x45, ext}, // Num Lock
    {96, 0x1C, ext}, // keypad Enter
    {97, 0x1D, ext}, // right Ctrl
    {98, 0x35, ext}, // keypad /
    {99, 0x37, ext}, // Print Screen / SysRq
    {100, 0x38, ext}, // right Alt
    {102, 0x47, ext}, // Home
    {103, 0x48, ext}, // Up
    {104, 0x49, ext}, // Page Up
    {105, 0x4B, ext}, // Left
    {106, 0x4D, ext}, // Right
    {107, 0x4F, ext}, // End
    {108, 0x50, ext}, // Down
    {109, 0x51, ext}, // Page Down
    {110, 0x52, ext}, // Insert
    {111, 0x53, ext}, // Delete
    {119, 0x45, 0}, // Pause
    {125, 0x5B, ext}, // left GUI
    {126, 0x5C, ext}, // right GUI
    {127, 0x5D, ext}, // Menu
    {193, 0x6E, 0}, // F23
};

constexpr int lastPlainEvdevCode = 0x58;
constexpr int unusedEvdevCode = 84;
constexpr int zenkakuEvdevCode = 85;

quint16 read16(const uchar *data, bool swapped)
{
    quint16 value;
    std::memcpy(&value, data, sizeof value);
    return swapped ? qbswap(value) : value;
}

quint32 read32(const uchar *data, bool swapped)
{
    quint32 value;
    std::memcpy(&value, data, sizeof value);
    return swapped ? qbswap(value) : value;
}
} // namespace

std::optional<ScanKey> scanForEvdev(int evdevCode)
{
    for (const EvdevRow &row : evdevRows) {
        if (row.evdevCode == evdevCode)
            return ScanKey {row.scanCode, row.flags};
    }
    if (evdevCode <= 0 || evdevCode > lastPlainEvdevCode || evdevCode == unusedEvdevCode
        || evdevCode == zenkakuEvdevCode)
        return std::nullopt;
    return ScanKey {quint32(evdevCode), 0};
}

std::optional<ScanKey> scanForXKeycode(int xKeycode)
{
    return scanForEvdev(xKeycode - XKeycodeOffset);
}

quint32 buttonMessage(int xButton, bool isPress)
{
    switch (xButton) {
    case 1:
        return isPress ? InputHookManager::WmLButtonDown : InputHookManager::WmLButtonUp;
    case 2:
        return isPress ? InputHookManager::WmMButtonDown : InputHookManager::WmMButtonUp;
    case 3:
        return isPress ? InputHookManager::WmRButtonDown : InputHookManager::WmRButtonUp;
    default:
        return 0;
    }
}

std::optional<WireEvent> decodeWireEvent(const uchar *data, qsizetype length, bool swapped)
{
    constexpr qsizetype eventSize = 32;
    if (!data || length < eventSize)
        return std::nullopt;
    WireEvent event;
    // The top bit only says the event was sent by a client request.
    event.type = data[0] & 0x7F;
    event.detail = data[1];
    event.time = read32(data + 4, swapped);
    event.rootX = qint16(read16(data + 20, swapped));
    event.rootY = qint16(read16(data + 22, swapped));
    return event;
}

void deliverKey(int xKeycode, bool isPress)
{
    const std::optional<ScanKey> key = scanForXKeycode(xKeycode);
    if (!key)
        return;
    InputHookManager::handleKeyboard(InputHookManager::HcAction,
        isPress ? InputHookManager::WmKeyDown : InputHookManager::WmKeyUp, key->scanCode,
        key->flags);
}

void deliverButton(int xButton, bool isPress, int rootX, int rootY)
{
    const quint32 message = buttonMessage(xButton, isPress);
    if (message)
        InputHookManager::handleMouse(message, rootX, rootY);
}

} // namespace InputHookTranslate
