#include "app/inputhookmanager.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

#include <windows.h>

namespace {
HHOOK keyboardHook = nullptr;
HHOOK mouseHook = nullptr;

LRESULT CALLBACK keyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto *info = reinterpret_cast<const KBDLLHOOKSTRUCT *>(lParam);
    if (info) {
        InputHookManager::handleKeyboard(
            nCode, quint32(wParam), quint32(info->scanCode), quint32(info->flags));
    }
    return CallNextHookEx(keyboardHook, nCode, wParam, lParam);
}

LRESULT CALLBACK mouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto *info = reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
    if (info && wParam >= WM_LBUTTONDOWN && wParam <= WM_MBUTTONUP)
        InputHookManager::handleMouse(quint32(wParam), int(info->pt.x), int(info->pt.y));
    return CallNextHookEx(mouseHook, nCode, wParam, lParam);
}

// Every copy-data message is consumed once a receiver is registered.
class CopyDataFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (!msg || msg->message != WM_COPYDATA)
            return false;
        const auto *sent = reinterpret_cast<const COPYDATASTRUCT *>(msg->lParam);
        CopyDataBlock block;
        if (sent) {
            block.dwData = quintptr(sent->dwData);
            block.cbData = quint32(sent->cbData);
            block.lpData = sent->lpData;
        }
        if (!InputHookManager::handleCopyData(quint32(msg->message), sent ? &block : nullptr))
            return false;
        if (result)
            *result = 1;
        return true;
    }
};

CopyDataFilter copyDataFilter;
bool copyDataFilterInstalled = false;
} // namespace

namespace InputHookPlatform {
bool installKeyboardHook()
{
    keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProc, GetModuleHandleW(nullptr), 0);
    return keyboardHook != nullptr;
}

bool installMouseHook()
{
    mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouseProc, GetModuleHandleW(nullptr), 0);
    return mouseHook != nullptr;
}

void removeKeyboardHook()
{
    if (keyboardHook)
        UnhookWindowsHookEx(keyboardHook);
    keyboardHook = nullptr;
}

void removeMouseHook()
{
    if (mouseHook)
        UnhookWindowsHookEx(mouseHook);
    mouseHook = nullptr;
}

bool keyboardHookInstalled()
{
    return keyboardHook != nullptr;
}

bool mouseHookInstalled()
{
    return mouseHook != nullptr;
}

void installCopyDataFilter()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || copyDataFilterInstalled)
        return;
    app->installNativeEventFilter(&copyDataFilter);
    copyDataFilterInstalled = true;
}
} // namespace InputHookPlatform
