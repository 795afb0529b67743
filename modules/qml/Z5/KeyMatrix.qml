import QtQuick

// Button assignment panel: the interface the main document relies on.
Frame {
    id: keyMatrixMain
    title: keyMatrixLang[3]
    contentHeight: 183
    duration: mainIten.animation_speed

    property var keyMatrixLang: ["Macro: ", "Deactivated", "Keyboard Key-", "Button Assignment", "Button "]

    signal clickKeyMatrix(int index)
    signal enterBtn(int index)
    signal leaveBtn(int index)

    function init(isSendData) {}
    function modifyData(index, tmp0, tmp1, tmp2, tmp3) {}
    function refreashUI() {}
    function deleteMacroProc(macroName) {}

    function getx(index) {
        return 249
    }

    function gety(index) {
        return index >= 0 && index <= 6 ? 131 + 21 * index : 278
    }

    Item {
        width: 242
        height: 183
    }
}
