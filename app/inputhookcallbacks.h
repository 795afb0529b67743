#pragma once

#include <QtGlobal>

#include "app/inputhookmanager.h"

class Widget;

// The receivers the program registers with the hook manager; the context is
// the main window, and a null context makes each of them do nothing.
namespace InputHookCallbacks {
// Tells the document first, then the window's hot-key tracking.
void keyboard(quint8 usage, bool isDown, void *context);
void mouse(quint8 buttonCode, bool isDown, int x, int y, void *context);
// A warning box captioned with the window's title.
void copyData(const CopyDataBlock *data, void *context);
void registerAll(Widget *window);
} // namespace InputHookCallbacks
