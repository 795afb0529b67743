import QtQuick
import "../common"

// Gives the selected button a macro of the library, or chooses the gun of button 8.
Item {
    id: macroKeyMain
    width: 320
    height: 250
    visible: false

    property int uiType: 0
    property int macroType: 0
    property bool isOpen: false
    property string chosenName: ""
    property var names: []
    property var gunModel: gunControlMain.macroListModel
    property var macroKeyLang: ["Macro Key", "Please select a macro",
        "Macro runs one-time after\npressing the button",
        "Macro runs endless loop\nuntil any button is pressed",
        "Macro runs endless loop\nuntil button is released", "OK", "Cancel", "Key",
        "Please assign a Key"]

    readonly property int macroSlots: 5
    readonly property int gunSlot: 5
    readonly property int visibleRows: 7

    signal closeSure()

    function showUI() {
        visible = true
        chosenName = ""
        isOpen = false
    }

    function macroKeyFocus() {
        isOpen = false
    }

    function listNames(model) {
        var result = []
        if (!model)
            return result
        for (var i = 0; i < model.count; ++i)
            result.push(String(model.get(i).macroName))
        return result
    }

    function toggleList() {
        names = listNames(uiType === 1 ? gunModel : macroEditorMain.macroListModel)
        isOpen = !isOpen
    }

    function choose(name) {
        chosenName = name
        isOpen = false
    }

    function buttonEntries() {
        var model = keyMatrixMain.modKeysVar
        var entries = []
        for (var i = 0; model && i < model.count; ++i) {
            var e = model.get(i)
            entries.push([e.keyCode0, e.keyCode1, e.keyCode2, e.keyCode3])
        }
        return entries
    }

    // The first of the five keyboard macro slots no button uses, or -1.
    function getMacroIndex() {
        var used = {}
        var entries = buttonEntries()
        for (var i = 0; i < entries.length; ++i) {
            if (entries[i][0] === 0x09)
                used[entries[i][2]] = true
        }
        for (var s = 0; s < macroSlots; ++s) {
            if (!used[s])
                return s
        }
        return -1
    }

    function assignMacro(name) {
        var button = mouseMain.selectKey
        var entries = buttonEntries()
        if (button < 0 || button >= 7)
            return
        var slot = entries[button] && entries[button][0] === 0x09 ? entries[button][2] : getMacroIndex()
        if (slot < 0)
            return
        ui_View.setMacroKey(slot, name)
        keyMatrixMain.modifyData(button, 0x09, macroType, slot, 0)
        keyMatrixMain.refreashUI()
        macroEditorMain.sendMacro(slot, name)
    }

    // Button 8 plays the gun from device slot 6 in the repeat mode chosen here.
    function gunKeyMatrix() {
        var entries = {
            0: [0x09, macroType, 0x06, 0x00],
            1: [0x01, 0x00, 0xF1, 0x00],
            2: [0x01, 0x00, 0xF2, 0x00],
            3: [0x00, 0x00, 0x2E, 0x00],
            4: [0x00, 0x00, 0x05, 0x00],
            5: [0x07, 0x00, 0x01, 0x00],
            6: [0x07, 0x00, 0x02, 0x00],
            7: [0x08, 0x00, 0x02, 0x00],
            14: [0x04, 0x00, 0x01, 0x00],
            15: [0x04, 0x00, 0x02, 0x00]
        }
        var list = []
        for (var i = 0; i < 64; ++i)
            list[i] = entries[i >> 2] ? entries[i >> 2][i & 3] : 0
        return list
    }

    function chooseGun(name) {
        macroKeyMain.visible = false
        mainMask.visible = false
        gunControlMain.selectGunName = name
        ui_View.setSelectGun(0, name)
        keyMatrixMain.refreashUI()
        ui_View.ui_12H_SetGunKeyMatrix(gunKeyMatrix())
        gunControlMain.sendMacro(gunSlot, name)
    }

    function accept() {
        isOpen = false
        if (chosenName !== "") {
            if (uiType === 1)
                chooseGun(chosenName)
            else
                assignMacro(chosenName)
        }
        closeSure()
    }

    function cancel() {
        isOpen = false
        closeSure()
    }

    // Built when the dialog first opens.
    LazyContent {
        id: content
        sourceComponent: Item {
            DialogFrame {
                anchors.fill: parent
                dragTarget: macroKeyMain
                backgroundSource: mainIten.sourceMacroKeyBg
                title: macroKeyMain.uiType === 1 ? gunControlMain.gunControlLang[0] : macroKeyMain.macroKeyLang[0]
                closeSource: mainIten.sourceMacroClose
                closeHoverSource: mainIten.sourceMacroCloseHover
                fontFamily: mainIten.fontFamily
                fontColor: mainIten.fontColor
                titleSize: mainIten.fontMiddleSize
                onCloseClicked: macroKeyMain.cancel()
                onBackgroundPressed: macroKeyMain.macroKeyFocus()
            }

            Text {
                x: 60
                y: 42
                text: macroKeyMain.macroKeyLang[1]
                color: mainIten.fontColor
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontNormalSize
            }

            Image {
                id: nameField
                objectName: "macroNameField"
                x: 60
                y: 64
                width: 200
                height: 20
                source: mainIten.sourceMacroCombo

                Text {
                    x: 8
                    width: parent.width - 30
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: macroKeyMain.chosenName
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
                MouseArea {
                    anchors.fill: parent
                    cursorShape: Qt.PointingHandCursor
                    onClicked: macroKeyMain.toggleList()
                }
            }

            Column {
                x: 40
                y: 98
                spacing: 8
                Repeater {
                    model: 3
                    Item {
                        id: radioItem
                        objectName: "macroTypeRadio" + index
                        required property int index
                        width: 240
                        height: 30
                        Image {
                            anchors.verticalCenter: parent.verticalCenter
                            source: macroKeyMain.macroType === radioItem.index ? mainIten.sourceMacroRadio1
                                                                               : mainIten.sourceMacroRadio0
                        }
                        Text {
                            x: 22
                            anchors.verticalCenter: parent.verticalCenter
                            text: macroKeyMain.macroKeyLang[2 + radioItem.index]
                            color: mainIten.fontColor
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                        }
                        MouseArea {
                            anchors.fill: parent
                            cursorShape: Qt.PointingHandCursor
                            onClicked: {
                                macroKeyMain.isOpen = false
                                macroKeyMain.macroType = radioItem.index
                            }
                        }
                    }
                }
            }

            DialogButton {
                objectName: "macroKeyOk"
                x: 56
                y: 210
                text: macroKeyMain.macroKeyLang[5]
                fontFamily: mainIten.fontFamily
                onClicked: macroKeyMain.accept()
            }
            DialogButton {
                objectName: "dialogCancel"
                x: 176
                y: 210
                text: macroKeyMain.macroKeyLang[6]
                fontFamily: mainIten.fontFamily
                onClicked: macroKeyMain.cancel()
            }

            Rectangle {
                id: dropDown
                objectName: "macroDropDown"
                x: nameField.x
                y: nameField.y + nameField.height
                width: nameField.width
                height: Math.min(macroKeyMain.names.length, macroKeyMain.visibleRows) * 18 + 2
                visible: macroKeyMain.isOpen
                color: "#1c1c1c"
                border.color: "#8f2020"

                ListView {
                    id: nameList
                    objectName: "macroNameList"
                    x: 1
                    y: 1
                    width: parent.width - 2 - (dropDownBar.visible ? 8 : 0)
                    height: parent.height - 2
                    clip: true
                    boundsBehavior: Flickable.StopAtBounds
                    model: macroKeyMain.names
                    delegate: Rectangle {
                        id: nameRow
                        objectName: "nameRow" + index
                        required property int index
                        required property string modelData
                        width: nameList.width
                        height: 18
                        color: nameArea.containsMouse ? "#8f2020" : "transparent"
                        Text {
                            x: 7
                            width: parent.width - 10
                            anchors.verticalCenter: parent.verticalCenter
                            elide: Text.ElideRight
                            text: nameRow.modelData
                            color: mainIten.fontColor
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                        }
                        MouseArea {
                            id: nameArea
                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: macroKeyMain.choose(nameRow.modelData)
                        }
                    }
                }
                Rectangle {
                    id: dropDownBar
                    objectName: "dropDownBar"
                    x: parent.width - 8
                    y: 1 + nameList.visibleArea.yPosition * nameList.height
                    width: 6
                    height: Math.min(1, nameList.visibleArea.heightRatio) * nameList.height
                    radius: 3
                    color: "#767676"
                    visible: macroKeyMain.names.length > macroKeyMain.visibleRows
                }
            }
        }
    }
}
