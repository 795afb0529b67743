#include "app/inputhookcallbacks.h"

#include "app/widget.h"
#include "bridge/myqquickview.h"

namespace InputHookCallbacks {

void keyboard(quint8 usage, bool isDown, void *context)
{
    auto *window = static_cast<Widget *>(context);
    if (!window)
        return;
    if (myQQuickView *view = window->bridge())
        view->detectKeyboard(isDown, usage);
    window->trackHotKey(isDown, usage);
}

void mouse(quint8 buttonCode, bool isDown, int x, int y, void *context)
{
    auto *window = static_cast<Widget *>(context);
    if (!window)
        return;
    if (myQQuickView *view = window->bridge())
        view->detectMouse(isDown, buttonCode, uint(x), uint(y));
}

void copyData(const CopyDataBlock *data, void *context)
{
    auto *window = static_cast<Widget *>(context);
    if (window)
        InputHookManager::showNotice(data, window->windowTitle());
}

void registerAll(Widget *window)
{
    InputHookManager::registerKeyboardCallback(keyboard, window);
    InputHookManager::registerMouseCallback(mouse, window);
    InputHookManager::registerCopyDataCallback(copyData, window);
}

} // namespace InputHookCallbacks
