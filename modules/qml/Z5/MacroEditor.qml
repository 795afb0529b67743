import QtQuick
import "../common"

// Macro library dialog: the interface the main document relies on.
Item {
    id: macroEditorMain
    width: 320
    height: 120
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

    // OK and Cancel both end here: the editor and the mask go away.
    function closeEditor() {
        macroEditorMain.visible = false
        mainMask.visible = false
    }

    DialogFrame {
        anchors.fill: parent
        dragTarget: macroEditorMain
        title: macroEditorMain.macroEditorLang[0]
        closeSource: mainIten.sourceMacroClose
        closeHoverSource: mainIten.sourceMacroCloseHover
        fontFamily: mainIten.fontFamily
        fontColor: mainIten.fontColor
        onCloseClicked: macroEditorMain.closeEditor()

        DialogButton {
            objectName: "dialogCancel"
            anchors.centerIn: parent
            text: macroEditorMain.macroEditorLang[11]
            fontFamily: mainIten.fontFamily
            onClicked: macroEditorMain.closeEditor()
        }
    }
}
