import QtQuick
import "../common"

// Assigns one keyboard key to the selected button; the key is taken from the captured input.
Item {
    id: singleKeyMain
    width: content.implicitWidth
    height: content.implicitHeight
    visible: false

    property string keyName: ""

    signal closeSure()

    onVisibleChanged: {
        if (visible)
            keyName = ""
    }

    function detectKeyboard(isDown, usbCode) {
        keyName = _KeyCodeString.keycodeTostr(usbCode)
    }

    function assignKey() {
        if (keyName !== "") {
            keyMatrixMain.modifyData(mouseMain.selectKey, 0, 0, _KeyCodeString.strTokeycode(keyName), 0)
            keyMatrixMain.refreashUI()
        }
        closeSure()
    }

    // Built when the dialog first opens.
    LazyContent {
        id: content
        // Its texts live with the macro key dialog's.
        sourceComponent: DialogFrame {
            id: frame
            dragTarget: singleKeyMain
            backgroundSource: mainIten.sourceSingleKeyBg
            title: macroKeyMain.macroKeyLang[7]
            closeSource: mainIten.sourceMacroClose
            closeHoverSource: mainIten.sourceMacroCloseHover
            fontFamily: mainIten.fontFamily
            fontColor: mainIten.fontColor
            onCloseClicked: singleKeyMain.closeSure()

            Text {
                objectName: "singleKeyPrompt"
                x: 30
                y: 16
                text: macroKeyMain.macroKeyLang[8]
                color: mainIten.fontColor
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontNormalSize
            }
            Rectangle {
                x: 30
                y: 40
                width: parent.width - 60
                height: 26
                color: "#0f0f0f"
                border.color: "#761212"
                radius: 2

                Text {
                    objectName: "singleKeyName"
                    anchors.centerIn: parent
                    text: singleKeyMain.keyName
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMiddleSize
                    font.bold: true
                }
            }
            DialogButton {
                objectName: "singleKeyOk"
                x: parent.width / 2 - width - 12
                y: parent.height - 40
                text: macroKeyMain.macroKeyLang[5]
                fontFamily: mainIten.fontFamily
                onClicked: singleKeyMain.assignKey()
            }
            DialogButton {
                objectName: "dialogCancel"
                x: parent.width / 2 + 12
                y: parent.height - 40
                text: macroKeyMain.macroKeyLang[6]
                fontFamily: mainIten.fontFamily
                onClicked: singleKeyMain.closeSure()
            }
        }
    }
}
