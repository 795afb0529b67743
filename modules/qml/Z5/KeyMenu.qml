import QtQuick

// Menu of assignable functions: the interface the main document relies on.
Item {
    id: keyMenuMain
    width: 134
    height: 336
    visible: false

    property var keyMenuLang: ["Left Button", "Right Button", "Middle Button", "Auto Run", "Fire Mode",
        "Double CLick", "DPI Setting +", "Multimedia Commands +", "Basic Commands +",
        "Additional Commands +", "Assign Keyboard Key", "Macro", "Gun Management", "Deactivated",
        "DPI +", "DPI -", "DPI LOOP", "Media Player", "Next Track", "Previous Track", "Stop",
        "Play/Pause", "Mute", "Volume Up", "Volume Down", "New", "Cut", "Copy", "Paste", "Save",
        "Print", "Find", "Redo", "Undo", "Select All", "My Computer", "Web Home", "Search Computer",
        "Maximize", "Minimize", "Show DeskTop", "RUN", "Forward", "Back", ""]

    signal menuCmd(string menuStr)

    function init() {}

    function showControl() {
        visible = true
    }
}
