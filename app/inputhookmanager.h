#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The data block of a copy-data message, as the sender handed it over.
struct CopyDataBlock
{
    quintptr dwData = 0;
    quint32 cbData = 0;
    const void *lpData = nullptr;
};

// Captures key and mouse-button changes system-wide, turns keys into USB
// keyboard usages (page 0x07) and hands them to the registered callbacks.
// All state is process-wide; the object only carries the layout flag and
// fills the tables and installs the hooks when it is built.
class InputHookManager
{
public:
    using KeyboardCallback = void (*)(quint8 usage, bool isDown, void *context);
    using MouseCallback = void (*)(quint8 buttonCode, bool isDown, int x, int y, void *context);
    using CopyDataCallback = void (*)(const CopyDataBlock *data, void *context);
    // Shows the warning box; replaceable so that tests can watch it without a modal dialog.
    using WarningPresenter = void (*)(const QString &caption, const QString &text);

    static constexpr int HcAction = 0;
    static constexpr quint32 WmKeyDown = 0x0100;
    static constexpr quint32 WmKeyUp = 0x0101;
    static constexpr quint32 WmSysKeyDown = 0x0104;
    static constexpr quint32 WmSysKeyUp = 0x0105;
    static constexpr quint32 WmLButtonDown = 0x0201;
    static constexpr quint32 WmLButtonUp = 0x0202;
    static constexpr quint32 WmLButtonDblClk = 0x0203;
    static constexpr quint32 WmRButtonDown = 0x0204;
    static constexpr quint32 WmRButtonUp = 0x0205;
    static constexpr quint32 WmRButtonDblClk = 0x0206;
    static constexpr quint32 WmMButtonDown = 0x0207;
    static constexpr quint32 WmMButtonUp = 0x0208;
    static constexpr quint32 WmCopyData = 0x004A;
    static constexpr quint32 LlkhfExtended = 0x01;
    static constexpr quint32 LlkhfAltDown = 0x20;
    static constexpr quintptr CopyDataNotice = 0x250F;
    static constexpr quint8 ButtonLeft = 0xF0;
    static constexpr quint8 ButtonRight = 0xF1;
    static constexpr quint8 ButtonMiddle = 0xF2;

    explicit InputHookManager(bool layoutFlag);
    // Removes the hooks if the owner has not done so already.
    ~InputHookManager();
    InputHookManager(const InputHookManager &) = delete;
    InputHookManager &operator=(const InputHookManager &) = delete;

    bool layoutFlag() const { return hashTildeLayout; }
    static InputHookManager *instance();

    // Installs the keyboard hook, then the mouse hook; false (and neither
    // installed) when either fails.
    bool install();
    void remove();
    static bool isInstalled();

    static void registerKeyboardCallback(KeyboardCallback callback, void *context);
    static void registerMouseCallback(MouseCallback callback, void *context);
    // Also installs the application's native filter for copy-data messages.
    static void registerCopyDataCallback(CopyDataCallback callback, void *context);

    // The two translation tables; 0 where a key has no entry.
    static quint8 virtualKeyForScan(quint16 key);
    static quint8 usageForVirtualKey(quint8 virtualKey);
    static int scanTableSize();
    static int usageTableSize();

    // The keyboard procedure's work, fed with the values of one low-level key message.
    static void handleKeyboard(int nCode, quint32 message, quint32 scanCode, quint32 flags);
    // The mouse procedure's work for one low-level mouse message.
    static void handleMouse(quint32 message, int x, int y);
    // True when the message was a copy-data message and was consumed.
    static bool handleCopyData(quint32 message, const CopyDataBlock *data);
    // The last state reported for a usage (1 down, 0 up).
    static quint8 keyState(quint8 usage);
    // Forgets every reported key state; used when capture restarts.
    static void clearKeyStates();

    // The text a copy-data block asks to show, if the block is a well-formed notice.
    static std::optional<QString> noticeText(const CopyDataBlock &data);
    // Shows the notice of a copy-data block in a warning box with the given caption.
    static void showNotice(const CopyDataBlock *data, const QString &caption);
    static void setWarningPresenter(WarningPresenter presenter);

private:
    void fillTables();

    bool hashTildeLayout = false;
};

// What the platform file provides: the hook install and remove calls and
// the native filter that feeds copy-data messages to the manager.
namespace InputHookPlatform {
bool installKeyboardHook();
bool installMouseHook();
void removeKeyboardHook();
void removeMouseHook();
bool keyboardHookInstalled();
bool mouseHookInstalled();
void installCopyDataFilter();
} // namespace InputHookPlatform
