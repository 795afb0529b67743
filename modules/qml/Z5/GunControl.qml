import QtQuick
import "../common"

// Gun macro dialog: the interface the main document relies on.
Item {
    id: gunControlMain
    width: 320
    height: 120
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

    // The main document shows the mask with the page, so closing takes both away.
    function closeGunControl() {
        gunControlMain.visible = false
        mainMask.visible = false
    }

    DialogFrame {
        anchors.fill: parent
        dragTarget: gunControlMain
        title: gunControlMain.gunControlLang[0]
        closeSource: mainIten.sourceGunClose
        closeHoverSource: mainIten.sourceGunCloseHover
        fontFamily: mainIten.fontFamily
        fontColor: mainIten.fontColor
        onCloseClicked: gunControlMain.closeGunControl()

        DialogButton {
            objectName: "dialogCancel"
            anchors.centerIn: parent
            text: gunControlMain.gunControlLang[11]
            fontFamily: mainIten.fontFamily
            onClicked: gunControlMain.closeGunControl()
        }
    }
}
