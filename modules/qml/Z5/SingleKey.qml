import QtQuick
import "../common"

// Single key dialog: the interface the main document relies on.
Item {
    id: singleKeyMain
    width: 320
    height: 120
    visible: false

    signal closeSure()

    function detectKeyboard(isDown, usbCode) {}

    // Its texts live with the macro key dialog's.
    DialogFrame {
        anchors.fill: parent
        dragTarget: singleKeyMain
        title: macroKeyMain.macroKeyLang[7]
        closeSource: mainIten.sourceMacroClose
        closeHoverSource: mainIten.sourceMacroCloseHover
        fontFamily: mainIten.fontFamily
        fontColor: mainIten.fontColor
        onCloseClicked: singleKeyMain.closeSure()

        DialogButton {
            objectName: "dialogCancel"
            anchors.centerIn: parent
            text: macroKeyMain.macroKeyLang[6]
            fontFamily: mainIten.fontFamily
            onClicked: singleKeyMain.closeSure()
        }
    }
}
