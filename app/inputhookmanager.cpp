#include "app/inputhookmanager.h"

#include <QByteArray>
#include <QHash>
#include <QMessageBox>

#include <cstring>

namespace {
struct HookState
{
    InputHookManager *manager = nullptr;
    InputHookManager::KeyboardCallback keyboardCallback = nullptr;
    void *keyboardContext = nullptr;
    InputHookManager::MouseCallback mouseCallback = nullptr;
    void *mouseContext = nullptr;
    InputHookManager::CopyDataCallback copyDataCallback = nullptr;
    void *copyDataContext = nullptr;
    quint8 keyDownState[256] = {};
    QHash<quint16, quint8> scanToVirtualKey;
    QHash<quint8, quint8> virtualKeyToUsage;
};

HookState &state()
{
    static HookState hookState;
    return hookState;
}

void showWarningBox(const QString &caption, const QString &text)
{
    QMessageBox::warning(nullptr, caption, text, QMessageBox::Ok, QMessageBox::NoButton);
}

InputHookManager::WarningPresenter warningPresenter = showWarningBox;

constexpr quint16 extended(quint16 scan)
{
    return quint16(scan << 8) | InputHookManager::LlkhfExtended;
}

constexpr quint16 plain(quint16 scan)
{
    return quint16(scan << 8);
}

struct ScanRow
{
    quint16 key;
    quint8 virtualKey;
};

const ScanRow scanRows[] = {
    {plain(0x01), 0x1B},
    {plain(0x02), 0x31},
    {plain(0x03), 0x32},
    {plain(0x04), 0x33},
    {plain(0x05), 0x34},
    {plain(0x06), 0x35},
    {plain(0x07), 0x36},
    {plain(0x08), 0x37},
    {plain(0x09), 0x38},
    {plain(0x0A), 0x39},
    {plain(0x0B), 0x30},
    {plain(0x0C), 0xBD},
    {plain(0x0D), 0xBB},
    {plain(0x0E), 0x08},
    {plain(0x0F), 0x09},
    {plain(0x10), 0x51},
    {plain(0x11), 0x57},
    {plain(0x12), 0x45},
    {plain(0x13), 0x52},
    {plain(0x14), 0x54},
    {plain(0x15), 0x59},
    {plain(0x16), 0x55},
    {plain(0x17), 0x49},
    {plain(0x18), 0x4F},
    {plain(0x19), 0x50},
    {plain(0x1A), 0xDB},
    {plain(0x1B), 0xDD},
    {plain(0x1C), 0x0D},
    // Windows leaves 0x0E unassigned; it stands for the keypad Enter key.
    {extended(0x1C), 0x0E},
    {plain(0x1D), 0xA2},
    {extended(0x1D), 0xA3},
    {plain(0x1E), 0x41},
    {plain(0x1F), 0x53},
    {plain(0x20), 0x44},
    {plain(0x21), 0x46},
    {plain(0x22), 0x47},
    {plain(0x23), 0x48},
    {plain(0x24), 0x4A},
    {plain(0x25), 0x4B},
    {plain(0x26), 0x4C},
    {plain(0x27), 0xBA},
    {plain(0x28), 0xDE},
    {plain(0x29), 0xC0},
    {plain(0x2A), 0xA0},
    {plain(0x2B), 0xDC},
    {plain(0x2C), 0x5A},
    {plain(0x2D), 0x58},
    {plain(0x2E), 0x43},
    {plain(0x2F), 0x56},
    {plain(0x30), 0x42},
    {plain(0x31), 0x4E},
    {plain(0x32), 0x4D},
    {plain(0x33), 0xBC},
    {plain(0x34), 0xBE},
    {plain(0x35), 0xBF},
    {extended(0x35), 0x6F},
    {extended(0x36), 0xA1},
    {plain(0x37), 0x6A},
    {extended(0x37), 0x2C},
    {plain(0x38), 0xA4},
    {extended(0x38), 0xA5},
    {plain(0x39), 0x20},
    {plain(0x3A), 0x14},
    {plain(0x3B), 0x70},
    {plain(0x3C), 0x71},
    {plain(0x3D), 0x72},
    {plain(0x3E), 0x73},
    {plain(0x3F), 0x74},
    {plain(0x40), 0x75},
    {plain(0x41), 0x76},
    {plain(0x42), 0x77},
    {plain(0x43), 0x78},
    {plain(0x44), 0x79},
    {plain(0x45), 0x13},
    {extended(0x45), 0x90},
    {plain(0x46), 0x91},
    {plain(0x47), 0x67},
    {extended(0x47), 0x24},
    {plain(0x48), 0x68},
    {extended(0x48), 0x26},
    {plain(0x49), 0x69},
    {extended(0x49), 0x21},
    {plain(0x4A), 0x6D},
    {plain(0x4B), 0x64},
    {extended(0x4B), 0x25},
    {plain(0x4C), 0x65},
    {plain(0x4D), 0x66},
    {extended(0x4D), 0x27},
    {plain(0x4E), 0x6B},
    {plain(0x4F), 0x61},
    {extended(0x4F), 0x23},
    {plain(0x50), 0x62},
    {extended(0x50), 0x28},
    {plain(0x51), 0x63},
    {extended(0x51), 0x22},
    {plain(0x52), 0x60},
    {extended(0x52), 0x2D},
    {plain(0x53), 0x6E},
    {extended(0x53), 0x2E},
    {plain(0x56), 0xE2},
    {plain(0x57), 0x7A},
    {plain(0x58), 0x7B},
    {extended(0x5B), 0x5B},
    {extended(0x5D), 0x5D},
    {plain(0x6E), 0x86},
};

struct UsageRange
{
    quint8 firstVirtualKey;
    quint8 lastVirtualKey;
    quint8 firstUsage;
};

const UsageRange usageRanges[] = {
    {0x08, 0x08, 0x2A},
    {0x09, 0x09, 0x2B},
    {0x0D, 0x0D, 0x28},
    {0x0E, 0x0E, 0x58},
    {0x13, 0x13, 0x48},
    {0x14, 0x14, 0x39},
    {0x1B, 0x1B, 0x29},
    {0x20, 0x20, 0x2C},
    {0x21, 0x21, 0x4B},
    {0x22, 0x22, 0x4E},
    {0x23, 0x23, 0x4D},
    {0x24, 0x24, 0x4A},
    {0x25, 0x25, 0x50},
    {0x26, 0x26, 0x52},
    {0x27, 0x27, 0x4F},
    {0x28, 0x28, 0x51},
    {0x2C, 0x2C, 0x46},
    {0x2D, 0x2D, 0x49},
    {0x2E, 0x2E, 0x4C},
    {0x30, 0x30, 0x27},
    {0x31, 0x39, 0x1E},
    {0x41, 0x5A, 0x04},
    {0x5B, 0x5B, 0xE3},
    {0x5C, 0x5C, 0xE7},
    {0x5D, 0x5D, 0x65},
    {0x60, 0x60, 0x62},
    {0x61, 0x69, 0x59},
    {0x6A, 0x6A, 0x55},
    {0x6B, 0x6B, 0x57},
    {0x6D, 0x6D, 0x56},
    {0x6E, 0x6E, 0x63},
    {0x6F, 0x6F, 0x54},
    {0x70, 0x7B, 0x3A},
    {0x7C, 0x87, 0x68},
    {0x90, 0x90, 0x53},
    {0x91, 0x91, 0x47},
    {0xA0, 0xA0, 0xE1},
    {0xA1, 0xA1, 0xE5},
    {0xA2, 0xA2, 0xE0},
    {0xA3, 0xA3, 0xE4},
    {0xA4, 0xA4, 0xE2},
    {0xA5, 0xA5, 0xE6},
    {0xBA, 0xBA, 0x33},
    {0xBB, 0xBB, 0x2E},
    {0xBC, 0xBC, 0x36},
    {0xBD, 0xBD, 0x2D},
    {0xBE, 0xBE, 0x37},
    {0xBF, 0xBF, 0x38},
    {0xC0, 0xC0, 0x35},
    {0xC1, 0xC1, 0x87},
    {0xC2, 0xC2, 0x85},
    {0xDB, 0xDB, 0x2F},
    {0xDC, 0xDC, 0x31},
    {0xDD, 0xDD, 0x30},
    {0xDE, 0xDE, 0x34},
    {0xE2, 0xE2, 0x64},
    {0xEB, 0xEB, 0x8B},
    {0xFF, 0xFF, 0x66},
};

constexpr quint8 virtualKeyBackslash = 0xDC;
constexpr quint8 usageNonUsHash = 0x32;

struct ButtonRow
{
    quint32 message;
    quint8 buttonCode;
    bool isDown;
};

// Double-click messages have no row: they are never reported.
const ButtonRow buttonRows[] = {
    {InputHookManager::WmLButtonDown, InputHookManager::ButtonLeft, true},
    {InputHookManager::WmLButtonUp, InputHookManager::ButtonLeft, false},
    {InputHookManager::WmRButtonDown, InputHookManager::ButtonRight, true},
    {InputHookManager::WmRButtonUp, InputHookManager::ButtonRight, false},
    {InputHookManager::WmMButtonDown, InputHookManager::ButtonMiddle, true},
    {InputHookManager::WmMButtonUp, InputHookManager::ButtonMiddle, false},
};
} // namespace

InputHookManager::InputHookManager(bool layoutFlag)
    : hashTildeLayout(layoutFlag)
{
    state().manager = this;
    fillTables();
    install();
}

InputHookManager::~InputHookManager()
{
    remove();
    if (state().manager == this)
        state().manager = nullptr;
}

InputHookManager *InputHookManager::instance()
{
    return state().manager;
}

void InputHookManager::fillTables()
{
    HookState &s = state();
    s.scanToVirtualKey.clear();
    for (const ScanRow &row : scanRows)
        s.scanToVirtualKey.insert(row.key, row.virtualKey);
    s.virtualKeyToUsage.clear();
    for (const UsageRange &range : usageRanges) {
        for (int vk = range.firstVirtualKey; vk <= range.lastVirtualKey; ++vk)
            s.virtualKeyToUsage.insert(
                quint8(vk), quint8(range.firstUsage + vk - range.firstVirtualKey));
    }
    if (hashTildeLayout)
        s.virtualKeyToUsage.insert(virtualKeyBackslash, usageNonUsHash);
}

bool InputHookManager::install()
{
    if (InputHookPlatform::keyboardHookInstalled() || InputHookPlatform::mouseHookInstalled())
        remove();
    // A hook left running after a failed install could not be removed any more.
    if (!InputHookPlatform::installKeyboardHook() || !InputHookPlatform::installMouseHook()) {
        remove();
        return false;
    }
    return true;
}

void InputHookManager::remove()
{
    InputHookPlatform::removeKeyboardHook();
    InputHookPlatform::removeMouseHook();
}

bool InputHookManager::isInstalled()
{
    return InputHookPlatform::keyboardHookInstalled() && InputHookPlatform::mouseHookInstalled();
}

void InputHookManager::registerKeyboardCallback(KeyboardCallback callback, void *context)
{
    state().keyboardCallback = callback;
    state().keyboardContext = context;
}

void InputHookManager::registerMouseCallback(MouseCallback callback, void *context)
{
    state().mouseCallback = callback;
    state().mouseContext = context;
}

void InputHookManager::registerCopyDataCallback(CopyDataCallback callback, void *context)
{
    state().copyDataCallback = callback;
    state().copyDataContext = context;
    InputHookPlatform::installCopyDataFilter();
}

quint8 InputHookManager::virtualKeyForScan(quint16 key)
{
    return state().scanToVirtualKey.value(key, 0);
}

quint8 InputHookManager::usageForVirtualKey(quint8 virtualKey)
{
    return state().virtualKeyToUsage.value(virtualKey, 0);
}

int InputHookManager::scanTableSize()
{
    return int(state().scanToVirtualKey.size());
}

int InputHookManager::usageTableSize()
{
    return int(state().virtualKeyToUsage.size());
}

void InputHookManager::handleKeyboard(int nCode, quint32 message, quint32 scanCode, quint32 flags)
{
    HookState &s = state();
    const bool isDown = nCode == HcAction && (message == WmKeyDown || message == WmSysKeyDown);
    const quint32 scan = scanCode > 0xFF ? 0 : scanCode;
    const quint16 key = quint16((scan << 8) | (flags & LlkhfExtended));
    quint8 vk = s.scanToVirtualKey.value(key, 0);
    if (scan == 0x46 && (flags & LlkhfExtended))
        vk = 0x13; // Ctrl+Break arrives as this key; report it as Pause
    if (scan == 0x54 && (flags & LlkhfAltDown))
        vk = 0x2C; // Alt+Print Screen arrives as SysRq; report Print Screen
    if (vk == 0)
        return;
    const quint8 usage = s.virtualKeyToUsage.value(vk, 0);
    if (usage == 0)
        return;
    if (s.keyDownState[usage] == quint8(isDown))
        return;
    s.keyDownState[usage] = quint8(isDown);
    if (s.keyboardCallback)
        s.keyboardCallback(usage, isDown, s.keyboardContext);
}

void InputHookManager::handleMouse(quint32 message, int x, int y)
{
    HookState &s = state();
    for (const ButtonRow &row : buttonRows) {
        if (row.message != message)
            continue;
        if (s.mouseCallback)
            s.mouseCallback(row.buttonCode, row.isDown, x, y, s.mouseContext);
        return;
    }
}

bool InputHookManager::handleCopyData(quint32 message, const CopyDataBlock *data)
{
    HookState &s = state();
    if (message != WmCopyData || !s.copyDataCallback)
        return false;
    s.copyDataCallback(data, s.copyDataContext);
    return true;
}

quint8 InputHookManager::keyState(quint8 usage)
{
    return state().keyDownState[usage];
}

void InputHookManager::clearKeyStates()
{
    std::memset(state().keyDownState, 0, sizeof(state().keyDownState));
}

std::optional<QString> InputHookManager::noticeText(const CopyDataBlock &data)
{
    if (data.dwData != CopyDataNotice)
        return std::nullopt;
    // Only the cbData bytes the sender handed over may be read; a text whose
    // zero byte lies beyond them has exactly cbData bytes.
    const char *bytes = static_cast<const char *>(data.lpData);
    qsizetype length = 0;
    if (bytes) {
        const void *zero = std::memchr(bytes, 0, data.cbData);
        length = zero ? static_cast<const char *>(zero) - bytes : qsizetype(data.cbData);
    }
    const QString text = QString::fromUtf8(bytes, length);
    if (text.toUtf8().size() != qsizetype(data.cbData))
        return std::nullopt;
    return text;
}

void InputHookManager::showNotice(const CopyDataBlock *data, const QString &caption)
{
    if (!data)
        return;
    const std::optional<QString> text = noticeText(*data);
    if (text && warningPresenter)
        warningPresenter(caption, *text);
}

void InputHookManager::setWarningPresenter(WarningPresenter presenter)
{
    warningPresenter = presenter ? presenter : showWarningBox;
}
