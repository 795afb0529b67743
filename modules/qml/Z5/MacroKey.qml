import QtQuick
import "../common"

// Macro key dialog: the interface the main document relies on.
Item {
    id: macroKeyMain
    width: 320
    height: 120
    visible: false

    property int uiType: 0
    property int macroType: 0
    property bool isOpen: false
    property var macroKeyLang: ["Macro Key", "Please select a macro",
        "Macro runs one-time after\npressing the button",
        "Macro runs endless loop\nuntil any button is pressed",
        "Macro runs endless loop\nuntil button is released", "OK", "Cancel", "Key",
        "Please assign a Key"]

    signal closeSure()

    function showUI() {
        visible = true
    }
    function getMacroIndex() {
        return -1
    }
    function macroKeyFocus() {}

    DialogFrame {
        anchors.fill: parent
        dragTarget: macroKeyMain
        title: macroKeyMain.macroKeyLang[0]
        closeSource: mainIten.sourceMacroClose
        closeHoverSource: mainIten.sourceMacroCloseHover
        fontFamily: mainIten.fontFamily
        fontColor: mainIten.fontColor
        onCloseClicked: macroKeyMain.closeSure()

        DialogButton {
            objectName: "dialogCancel"
            anchors.centerIn: parent
            text: macroKeyMain.macroKeyLang[6]
            fontFamily: mainIten.fontFamily
            onClicked: macroKeyMain.closeSure()
        }
    }
}
