import QtQuick

// Macro library dialog: the interface the main document relies on.
Item {
    id: macroEditorMain
    width: 640
    height: 440
    visible: false

    property bool isInputting: false
    property bool isInsertting: false
    property var macroEditorLang: ["Macro Manager", "Macro", "Sequence", "Options", "Start Record",
        "Stop Record", "Rec Time", "Loops Timer", "New", "Delete", "OK", "Cancel", "Delete",
        "Insert Left Button", "Insert Middle Button", "Insert Right Button", "Insert Delay", "", "", ""]

    signal deleteMacroSignal(string macroName)

    function init() {}
    function sendMacro(index, macroName) {}
    function detectKeyboard(isDown, usbCode) {}
    function detectInput(isDown, usbCode) {}
    function macroEditorFocus() {}
}
