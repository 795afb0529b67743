import QtQuick

// Button assignment panel: the eight buttons on screen and the codes of all sixteen entries.
Frame {
    id: keyMatrixMain
    title: keyMatrixLang[3]
    contentHeight: 183
    duration: mainIten.animation_speed

    property var keyMatrixLang: ["Macro: ", "Deactivated", "Keyboard Key-", "Button Assignment", "Button "]
    property alias modKeysVar: modKeys
    readonly property var defalutValue: [[0x01, 0, 0xF0, 0], [0x01, 0, 0xF1, 0], [0x01, 0, 0xF2, 0],
        [0x0F, 0, 0x2E, 0], [0x0F, 0, 0x05, 0], [0x07, 0, 1, 0], [0x07, 0, 2, 0], [0, 0, 0, 0],
        [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0],
        [0x04, 0, 1, 0], [0x04, 0, 2, 0]]

    signal clickKeyMatrix(int index)
    signal enterBtn(int index)
    signal leaveBtn(int index)

    ListModel {
        id: modKeys
        objectName: "modKeys"
        Component.onCompleted: {
            for (var i = 0; i < 16; ++i)
                append({ keyCode0: 0, keyCode1: 0, keyCode2: 0, keyCode3: 0, keyText: "" })
        }
    }

    function init(isSendData) {
        var values = []
        for (var i = 0; i < 16; ++i) {
            var code = storedCode(i)
            appendCode(values, code)
            // The model holds the macro slot; the profile and the device count from 1.
            if (code[0] === 0x09)
                code[2] -= 1
            setEntry(i, code)
            if (code[0] === 0x09) {
                var name = macroName(code[2])
                if (code[2] >= 0 && name !== "")
                    macroEditorMain.sendMacro(code[2], name)
            }
        }
        if (isSendData)
            ui_View.ui_12H_SetKeyMatrix(values)
    }

    function appendCode(values, code) {
        for (var k = 0; k < 4; ++k)
            values[values.length] = code[k]
    }

    // A missing or damaged entry takes the button's default, so the rest keep their places.
    function storedCode(index) {
        var stored = ui_View.getKeydefine(index)
        var code = []
        for (var i = 0; i < 4; ++i) {
            var value = stored && stored.length >= 4 ? Number(stored[i]) : NaN
            if (!(value >= 0 && value <= 255) || value !== Math.floor(value))
                return defalutValue[index].slice()
            code.push(value)
        }
        return code
    }

    function setEntry(index, code) {
        modKeys.set(index, { keyCode0: code[0], keyCode1: code[1], keyCode2: code[2], keyCode3: code[3],
                             keyText: keyCodetoText(code[0], code[1], code[2], code[3]) })
    }

    function entryCode(index) {
        var e = modKeys.get(index)
        return [e.keyCode0, e.keyCode1, e.keyCode2, e.keyCode3]
    }

    function isLeftButton(code) {
        return code[0] === 0x01 && code[2] === 0xF0
    }

    function checkLeftKey() {
        var count = 0
        for (var i = 0; i < 16; ++i) {
            if (isLeftButton(entryCode(i)))
                ++count
        }
        return count
    }

    function modifyData(index, tmp0, tmp1, tmp2, tmp3) {
        // Nothing is selected (-1) when a choice arrives after the selection ended.
        if (!(index >= 0 && index < 16))
            return
        if (isLeftButton(entryCode(index)) && checkLeftKey() < 2)
            return
        setEntry(index, [Number(tmp0) & 0xFF, Number(tmp1) & 0xFF, Number(tmp2) & 0xFF, Number(tmp3) & 0xFF])
    }

    function refreashUI() {
        var values = []
        for (var i = 0; i < 16; ++i) {
            var code = entryCode(i)
            modKeys.setProperty(i, "keyText", keyCodetoText(code[0], code[1], code[2], code[3]))
            if (i === 7)
                code = [0x08, 0, 0x02, 0]
            else if (code[0] === 0x09)
                code[2] += 1
            appendCode(values, code)
        }
        ui_View.ui_12H_SetKeyMatrix(values)
    }

    // A slot without a stored name reads back as the number 0, which is no macro name.
    function macroName(slot) {
        var name = ui_View.getMacroKey(slot)
        return typeof name === "string" ? name : ""
    }

    function hexByte(value) {
        var text = (Number(value) & 0xFF).toString(16)
        return text.length < 2 ? "0" + text : text
    }

    function keyCodetoText(tmp0, tmp1, tmp2, tmp3) {
        var b = [Number(tmp0), Number(tmp1), Number(tmp2), Number(tmp3)]
        if (b[0] === 0x09)
            return keyMatrixLang[0] + macroName(b[2])
        if (b[0] === 0x08)
            return "Fn" + " ( " + gunControlMain.selectGunName + " ) "
        if (b[0] === 0 && b[1] === 0 && b[2] === 0 && b[3] === 0)
            return keyMatrixLang[1]
        // The "Keyboard Key-" prefix, not the panel title, goes before a single key's name.
        if (b[0] === 0 && b[1] === 0 && b[3] === 0)
            return keyMatrixLang[2] + _KeyCodeString.keycodeTostr(b[2])
        return _KeyCodeString.mouseDataTostr(hexByte(b[0]) + hexByte(b[1]) + hexByte(b[2]) + hexByte(b[3]),
                                             mainIten.language)
    }

    function deleteMacroProc(macroName) {
        for (var i = 0; i < 7; ++i) {
            if (modKeys.get(i).keyText === keyMatrixLang[0] + macroName) {
                var code = defalutValue[i]
                modifyData(i, code[0], code[1], code[2], code[3])
            }
        }
        refreashUI()
    }

    function getx(index) {
        return 249
    }

    function gety(index) {
        return index >= 0 && index <= 6 ? 131 + 21 * index : 278
    }

    Item {
        width: 242
        height: 183

        MouseArea {
            anchors.fill: parent
            onPressed: keyMatrixMain.clickFrame()
        }

        Column {
            x: 8
            y: 7
            spacing: 4

            Repeater {
                model: modKeys

                // The model keeps all sixteen slots of the device; eight buttons are shown
                // and only their rows are built.
                Loader {
                    visible: index < 8
                    active: visible
                    sourceComponent: Row {
                        spacing: 6

                        Rectangle {
                            width: 86
                            height: 17
                            color: "#262626"

                            Text {
                                x: 8
                                anchors.verticalCenter: parent.verticalCenter
                                text: keyMatrixMain.keyMatrixLang[4] + (index + 1)
                                color: mainIten.fontColor
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                            }
                        }
                        Rectangle {
                            objectName: "keyBox" + index
                            width: 130
                            height: 17
                            color: boxArea.containsMouse || mouseMain.selectKey === index ? "#761212" : "#4f1717"

                            Text {
                                objectName: "keyText" + index
                                x: 8
                                width: parent.width - 12
                                anchors.verticalCenter: parent.verticalCenter
                                elide: Text.ElideRight
                                text: model.keyText
                                color: mainIten.fontColor
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                            }
                            MouseArea {
                                id: boxArea
                                anchors.fill: parent
                                hoverEnabled: true
                                cursorShape: Qt.PointingHandCursor
                                onEntered: keyMatrixMain.enterBtn(index)
                                onExited: keyMatrixMain.leaveBtn(index)
                                onClicked: {
                                    mouseMain.selectKey = index
                                    keyMatrixMain.clickKeyMatrix(index)
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
