import QtQuick

// Gun macro dialog: the interface the main document relies on.
Item {
    id: gunControlMain
    width: 640
    height: 440
    visible: false

    property bool isInputting: false
    property bool isInsertting: false
    property bool isSendData: false
    property string selectGunName: ""
    property var gunControlLang: ["Gun Macro", "Gun", "Sequence", "Options", "Start Record",
        "Stop Record", "Rec Time", "Loops Timer", "New", "Delete", "OK", "Cancel", "Delete",
        "Insert Left Button", "Insert Middle Button", "Insert Right Button", "Insert Delay",
        "Insert Key", "Insert Mouse", "Insert Cursor", "Insert Key", "Please input key:",
        "Insert delay", "please input delay:", "Insert Cursor offset", "X axis", "Y axis",
        "Insert Mouse", "", ""]

    function init() {}
    function inited() {}
    function profileChange() {}
    function sendMacro(index, macroName) {}
    function getGunName(index) {
        return ""
    }
    function detectKeyboard(isDown, usbCode) {}
    function detectInput(isDown, usbCode) {}
    function gunControlFocus() {}
}
