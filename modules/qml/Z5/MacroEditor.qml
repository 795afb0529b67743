import QtQuick
import "../common"

// Macro library: record, edit and name keyboard macros; every edit is saved and sent at once.
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
    property var menuTexts: macroEditorLang.slice(12, 17)
    property alias macroListModel: macroNumberModel
    property alias macroRecord: macroRecord
    // The options and the loop count: init, recording and sending read them before the dialog
    // is first built.
    readonly property Option delayRecord: Option {}
    readonly property Option countRecord: Option {}
    property string loopText: "1"
    property bool menuOpen: false
    property real menuX: 0
    property real menuY: 0
    property int currentMacro: -1
    property int selectedAction: -1
    property int editingMacro: -1
    property int editingAction: -1
    property var activeEditor: null

    readonly property int maxMacros: 100
    readonly property int recordLimit: 126
    readonly property int slotBytes: 128
    readonly property int maxDelayEdit: 100000
    readonly property string nameListEnd: "loadertovrim"

    signal deleteMacroSignal(string macroName)

    ListModel { id: macroNumberModel }
    ListModel { id: macroDataModel0 }

    // The tick count follows the clock, so a busy event loop never shortens a recorded gap.
    Timer {
        id: macroRecord
        property int macroRecordCount: 0
        property double startedAt: 0
        interval: 10
        repeat: true
        function reset() {
            startedAt = Date.now()
            macroRecordCount = 0
        }
        function update() {
            macroRecordCount = Math.floor((Date.now() - startedAt) / 10)
        }
        onTriggered: update()
    }

    function init() {
        var names = ui_View.getNameList(0) || []
        if (names.length === 2 && String(names[1]) === nameListEnd)
            names = [names[0]]
        macroNumberModel.clear()
        for (var i = 0; i < names.length && macroNumberModel.count < maxMacros; ++i) {
            var name = String(names[i])
            var no = Number(ui_View.loadMacroIndex(name))
            var element = { "macroName": name, "no": isNaN(no) ? 0 : no,
                            "macroType": Number(ui_View.loadMacroType(name)) || 0 }
            var at = macroNumberModel.count
            for (var j = 0; j < macroNumberModel.count; ++j) {
                if (macroNumberModel.get(j).no > element.no) {
                    at = j
                    break
                }
            }
            macroNumberModel.insert(at, element)
        }
        menuTexts = macroEditorLang.slice(12, 17)
        currentMacro = -1
        macroDataModel0.clear()
        if (macroNumberModel.count > 0)
            selectMacro(0)
    }

    function macroName(index) {
        return index >= 0 && index < macroNumberModel.count ? macroNumberModel.get(index).macroName : ""
    }

    function macroNames() {
        var names = []
        for (var i = 0; i < macroNumberModel.count; ++i)
            names[i] = macroNumberModel.get(i).macroName
        return names
    }

    function hasMacro(name, except) {
        for (var i = 0; i < macroNumberModel.count; ++i) {
            if (i !== except && macroNumberModel.get(i).macroName === name)
                return true
        }
        return false
    }

    // Library lines "type,info" followed by the loop count.
    function parseLines(lines) {
        var result = { "actions": [], "loops": 1 }
        if (!lines || lines.length === 0)
            return result
        for (var i = 0; i + 1 < lines.length; ++i) {
            var line = String(lines[i])
            var type = parseInt(line.charAt(0), 10)
            if (type >= 0 && type <= 4 && line.charAt(1) === ",")
                result.actions.push({ "type": type, "info": line.substring(2) })
        }
        result.loops = loopValue(String(lines[lines.length - 1]))
        return result
    }

    function loopValue(text) {
        var value = parseInt(text, 10)
        return isNaN(value) ? 1 : Math.max(0, Math.min(65535, value))
    }

    function actionArray(model) {
        if (Array.isArray(model))
            return model
        var list = []
        for (var i = 0; i < model.count; ++i) {
            var a = model.get(i)
            list.push({ "type": a.type, "info": a.info })
        }
        return list
    }

    function actionLines() {
        var lines = []
        for (var i = 0; i < macroDataModel0.count; ++i)
            lines[i] = macroDataModel0.get(i).type + "," + macroDataModel0.get(i).info
        return lines
    }

    function loadActions(name) {
        var parsed = parseLines(ui_View.loadMacroIni(name))
        macroDataModel0.clear()
        for (var i = 0; i < parsed.actions.length; ++i)
            macroDataModel0.append(parsed.actions[i])
        loopText = String(parsed.loops)
        selectedAction = -1
    }

    function selectMacro(index) {
        endEditing()
        if (index === currentMacro || index < 0 || index >= macroNumberModel.count)
            return
        if (isInputting)
            stopRecord()
        currentMacro = index
        loadActions(macroName(index))
    }

    function delayMs(info) {
        var ms = parseInt(info, 10)
        return isNaN(ms) || ms < 0 ? 0 : ms
    }

    function actionCode(action) {
        var code = action.type <= 2 ? _KeyCodeString.strTokeycode(action.info)
                                    : _KeyCodeString.strTomousecode(action.info)
        return code === undefined ? 0 : code
    }

    // A gap in 2 ms units; an odd millisecond rounds up for press and release alike.
    function gapUnits(ms) {
        return Math.floor((ms + 1) / 2)
    }

    function pushRecord(bytes, action, units, isLast) {
        var release = (action.type === 2 || action.type === 4) ? 0x80 : 0
        if (isLast || units < 127) {
            bytes.push((isLast || units === 0 ? 1 : units) | release, actionCode(action))
            return
        }
        bytes.push(release, actionCode(action))
        // Gaps of 1200 s and more keep the 100 ms unit over the whole 16-bit count.
        var unit = units < 100000 ? 1 : (units < 300000 ? 2 : 3)
        var count = Math.min(0xFFFF, Math.floor(units / [0, 10, 25, 50][unit]))
        bytes.push(0, unit, count >> 8, count & 0xFF)
    }

    // The device's macro byte list: loop count, records timed by the gap after them, 00 00.
    function deCode(model, loops) {
        var actions = actionArray(model)
        var count = loops === undefined ? loopValue(loopText) : loops
        var bytes = [(count >> 8) & 0xFF, count & 0xFF]
        var i = 0
        while (i < actions.length && actions[i].type === 0)
            ++i
        if (i >= actions.length - 1)
            return bytes
        var pending = null
        var gap = 0
        for (; i < actions.length; ++i) {
            if (actions[i].type === 0) {
                gap += delayMs(actions[i].info)
                continue
            }
            if (pending)
                pushRecord(bytes, pending, gapUnits(gap), false)
            pending = actions[i]
            gap = 0
        }
        pushRecord(bytes, pending, 0, true)
        bytes.push(0, 0)
        return bytes
    }

    // Bytes the action list takes in the device slot; counted by the encoder itself so the
    // limit holds for every delay.
    function recordCount(model) {
        return deCode(model === undefined ? macroDataModel0 : model, 0).length
    }

    function heldKeys(actions) {
        var held = {}
        var count = 0
        for (var i = 0; i < actions.length; ++i) {
            var a = actions[i]
            var key = (a.type <= 2 ? "k" : "m") + a.info
            if ((a.type === 1 || a.type === 3) && !held[key]) {
                held[key] = true
                ++count
            } else if ((a.type === 2 || a.type === 4) && held[key]) {
                held[key] = false
                --count
            }
        }
        return count
    }

    // Room is kept for the release of every held key, so a macro is never cut between a press
    // and its release; a release of a held key may use that room past the recording limit.
    function fits(candidate, releasesHeld) {
        var need = recordCount(candidate) + 2 * heldKeys(candidate)
        if (need > slotBytes)
            return false
        return releasesHeld || recordCount() < recordLimit
    }

    function releasesHeldKey(action) {
        if (action.type !== 2 && action.type !== 4)
            return false
        var current = actionArray(macroDataModel0)
        return heldKeys(current) > heldKeys(current.concat([action]))
    }

    function insertActions(at, actions) {
        var candidate = actionArray(macroDataModel0)
        var releases = actions.length === 1 && releasesHeldKey(actions[0])
        Array.prototype.splice.apply(candidate, [at, 0].concat(actions))
        if (!fits(candidate, releases))
            return false
        for (var i = 0; i < actions.length; ++i)
            macroDataModel0.insert(at + i, actions[i])
        return true
    }

    function autoSave() {
        var name = macroName(currentMacro)
        if (name === "")
            return
        var loops = loopValue(loopText)
        ui_View.saveMacroIni(name, actionLines(), deCode(macroDataModel0, loops), loops)
        var uses = ui_View.isMacroUse(name) || []
        var sent = {}
        for (var i = 1; i < uses.length; ++i) {
            var slot = parseInt(uses[i], 10)
            // Other profiles name their own slots; only the current one's are on the device now.
            if (isNaN(slot) || sent[slot] || String(ui_View.getMacroKey(slot)) !== name)
                continue
            sent[slot] = true
            sendMacro(slot, name)
        }
    }

    // The editor's own loop count field belongs to the selected macro and is left alone.
    function sendMacro(index, macroName) {
        var lines = ui_View.loadMacroIni(macroName)
        if (!lines || lines.length === 0)
            return
        var parsed = parseLines(lines)
        ui_View.sendMacroData(deCode(parsed.actions, parsed.loops), index)
    }

    function keyName(usbCode) {
        var name = usbCode < 0xF0 ? _KeyCodeString.keycodeTostr(usbCode)
                                  : _KeyCodeString.mousecodeTostr(usbCode)
        return name === undefined ? "" : name
    }

    function keyAction(isDown, usbCode) {
        var name = keyName(usbCode)
        if (name === "")
            return null
        var type = usbCode < 0xF0 ? (isDown ? 1 : 2) : (isDown ? 3 : 4)
        return { "type": type, "info": name }
    }

    function detectKeyboard(isDown, usbCode) {
        if (!isInputting)
            return
        var action = keyAction(isDown, usbCode)
        if (!action)
            return
        macroRecord.update()
        var actions = [action]
        if (macroDataModel0.count > 0 && delayRecord.isSelect)
            actions = [{ "type": 0, "info": String(macroRecord.macroRecordCount * 10) }, action]
        var releases = releasesHeldKey(action)
        var candidate = actionArray(macroDataModel0).concat(actions)
        if (!fits(candidate, releases))
            return
        for (var i = 0; i < actions.length; ++i)
            macroDataModel0.append(actions[i])
        macroRecord.reset()
        if (content.built)
            content.built.macroDataList.positionViewAtEnd()
    }

    // Insert-key mode: the key goes in after the selected action.
    function detectInput(isDown, usbCode) {
        var action = keyAction(isDown, usbCode)
        if (!isInsertting || !action)
            return
        var at = selectedAction < 0 ? macroDataModel0.count : selectedAction + 1
        if (insertActions(at, [action])) {
            selectedAction = at
            autoSave()
        }
    }

    function startRecord() {
        endEditing()
        if (currentMacro < 0)
            return
        macroEditorMain.forceActiveFocus()
        macroDataModel0.clear()
        selectedAction = -1
        macroRecord.reset()
        macroRecord.start()
        isInputting = true
    }

    function stopRecord() {
        macroRecord.stop()
        isInputting = false
        autoSave()
    }

    function newMacro() {
        endEditing()
        if (macroNumberModel.count >= maxMacros)
            return
        var n = 0
        while (hasMacro("Macro_" + n, -1))
            ++n
        if (isInputting)
            stopRecord()
        var name = "Macro_" + n
        var no = macroNumberModel.count
        macroNumberModel.append({ "macroName": name, "no": no, "macroType": 0 })
        currentMacro = no
        ui_View.createMacroIni(name, no)
        loadActions(name)
        ui_View.updataNameList(0, macroNames())
        if (content.built)
            content.built.macroList.positionViewAtEnd()
    }

    function renameMacro(index, newName) {
        var oldName = macroName(index)
        if (oldName === "" || newName === oldName || newName === "" || hasMacro(newName, index))
            return false
        // A name the library refuses keeps the old one, so the list never names a missing file.
        if (!ui_View.modifyMacroName(oldName, newName))
            return false
        macroNumberModel.setProperty(index, "macroName", newName)
        ui_View.updataNameList(0, macroNames())
        keyMatrixMain.refreashUI()
        return true
    }

    function deleteMacro() {
        endEditing()
        var removed = currentMacro
        var name = macroName(removed)
        if (name === "")
            return
        if (isInputting) {
            macroRecord.stop()
            isInputting = false
        }
        deleteMacroSignal(name)
        ui_View.deleteMacroIni(name)
        macroDataModel0.clear()
        macroNumberModel.remove(removed)
        // Every position is renumbered from the list itself, so no two macros share one.
        for (var i = 0; i < macroNumberModel.count; ++i)
            macroNumberModel.setProperty(i, "no", i)
        currentMacro = -1
        if (macroNumberModel.count > 0)
            selectMacro(Math.min(removed, macroNumberModel.count - 1))
        else
            loopText = "1"
        for (var j = 0; j < macroNumberModel.count; ++j)
            ui_View.setMacroIndex(macroNumberModel.get(j).macroName, j)
        ui_View.changeMacroFileIndex(removed + 1)
        ui_View.updataNameList(0, macroNames())
    }

    function deleteAction() {
        if (selectedAction < 0 || selectedAction >= macroDataModel0.count)
            return
        var candidate = actionArray(macroDataModel0)
        candidate.splice(selectedAction, 1)
        if (recordCount(candidate) + 2 * heldKeys(candidate) > slotBytes)
            return
        macroDataModel0.remove(selectedAction)
        selectedAction = Math.min(selectedAction, macroDataModel0.count - 1)
        autoSave()
    }

    function insertButton(name) {
        var last = selectedAction < 0 || selectedAction === macroDataModel0.count - 1
        var at = last ? macroDataModel0.count : selectedAction + 1
        if (insertActions(at, [{ "type": 3, "info": name }, { "type": 4, "info": name }]))
            autoSave()
    }

    function insertDelay() {
        var at = selectedAction < 0 ? macroDataModel0.count : selectedAction
        if (insertActions(at, [{ "type": 0, "info": "50" }])) {
            selectedAction = at
            autoSave()
        }
    }

    function menuCommand(index) {
        menuOpen = false
        if (currentMacro < 0)
            return
        if (index === 0)
            deleteAction()
        else if (index >= 1 && index <= 3)
            insertButton(["MS-L", "MS-M", "MS-R"][index - 1])
        else if (index === 4)
            insertDelay()
    }

    function setDelay(index, text) {
        var ms = parseInt(text, 10)
        if (isNaN(ms) || index < 0 || index >= macroDataModel0.count || macroDataModel0.get(index).type !== 0)
            return
        ms = Math.max(0, Math.min(maxDelayEdit, ms))
        var candidate = actionArray(macroDataModel0)
        candidate[index] = { "type": 0, "info": String(ms) }
        if (recordCount(candidate) + 2 * heldKeys(candidate) > slotBytes)
            return
        macroDataModel0.setProperty(index, "info", String(ms))
        autoSave()
    }

    function loopCountEdited() {
        loopText = String(loopValue(loopText))
        autoSave()
    }

    function openMenu(item, x, y) {
        var at = item.mapToItem(macroEditorMain, x, y)
        var menu = content.built.actionMenu
        menuX = Math.min(at.x, width - menu.width - 2)
        menuY = Math.min(at.y, height - menu.height - 2)
        menuOpen = true
    }

    function endEditing() {
        if (content.built && content.built.countRecordInput.activeFocus)
            macroEditorMain.forceActiveFocus()
        if (activeEditor)
            activeEditor.commit()
        activeEditor = null
        editingMacro = -1
        editingAction = -1
    }

    function macroEditorFocus() {
        endEditing()
        menuOpen = false
    }

    // OK and Cancel both end here: edits are already saved, a running recording is kept.
    function closeEditor() {
        macroEditorFocus()
        if (isInputting)
            stopRecord()
        macroEditorMain.visible = false
        mainMask.visible = false
    }

    component Option: QtObject {
        property bool isSelect: false
    }

    component Caption: Text {
        y: 34
        color: mainIten.fontColor
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
        font.bold: true
    }

    component CheckOption: Item {
        id: checkOption
        property bool isSelect: false
        property string text: ""
        signal toggled()
        width: 110
        height: 18
        Image {
            anchors.verticalCenter: parent.verticalCenter
            source: checkOption.isSelect ? mainIten.sourceMacroCheck1 : mainIten.sourceMacroCheck0
        }
        Text {
            x: 19
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 19
            elide: Text.ElideRight
            text: checkOption.text
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: checkOption.toggled()
        }
    }

    component PlateButton: ImageButton {
        width: 88
        height: 25
        source: mainIten.sourceMacroButton
        hoverSource: mainIten.sourceMacroButtonHover
        fontFamily: mainIten.fontFamily
    }

    // Built when the dialog first opens.
    LazyContent {
        id: content
        sourceComponent: Item {
            property alias macroList: macroList
            property alias macroDataList: macroDataList
            property alias countRecordInput: countRecordInput
            property alias actionMenu: actionMenu

            DialogFrame {
                id: frame
                anchors.fill: parent
                dragTarget: macroEditorMain
                backgroundSource: mainIten.sourceMacroEditorBg
                title: macroEditorMain.macroEditorLang[0]
                closeSource: mainIten.sourceMacroClose
                closeHoverSource: mainIten.sourceMacroCloseHover
                fontFamily: mainIten.fontFamily
                fontColor: mainIten.fontColor
                titleSize: mainIten.fontMiddleSize
                onCloseClicked: macroEditorMain.closeEditor()
                onBackgroundPressed: macroEditorMain.macroEditorFocus()
            }

            Caption { x: 15; text: macroEditorMain.macroEditorLang[1] }
            Caption { x: 147; text: macroEditorMain.macroEditorLang[3] }
            Caption { x: 279; text: macroEditorMain.macroEditorLang[2] }

            ListView {
                id: macroList
                objectName: "macroList"
                x: 18
                y: 61
                width: 116
                height: 324
                clip: true
                model: macroNumberModel
                boundsBehavior: Flickable.StopAtBounds
                delegate: Rectangle {
                    id: macroRow
                    objectName: "macroRow" + index
                    required property int index
                    required property string macroName
                    width: macroList.width
                    height: 22
                    color: index === macroEditorMain.currentMacro ? "#761212"
                                                                  : (rowArea.containsMouse ? "#3a1a1a" : "transparent")
                    Text {
                        x: 6
                        width: parent.width - 10
                        anchors.verticalCenter: parent.verticalCenter
                        visible: macroEditorMain.editingMacro !== macroRow.index
                        elide: Text.ElideRight
                        text: macroRow.macroName
                        color: mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: macroEditorMain.selectMacro(macroRow.index)
                        onDoubleClicked: {
                            macroEditorMain.selectMacro(macroRow.index)
                            macroEditorMain.editingMacro = macroRow.index
                        }
                    }
                    Loader {
                        anchors.fill: parent
                        active: macroEditorMain.editingMacro === macroRow.index
                        sourceComponent: TextInput {
                            id: nameEditor
                            objectName: "macroNameEditor"
                            leftPadding: 6
                            verticalAlignment: TextInput.AlignVCenter
                            text: macroRow.macroName
                            color: mainIten.fontColor
                            selectionColor: "#b03030"
                            selectByMouse: true
                            clip: true
                            maximumLength: 64
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                            function commit() {
                                macroEditorMain.renameMacro(macroRow.index, text)
                            }
                            Component.onCompleted: {
                                macroEditorMain.activeEditor = nameEditor
                                selectAll()
                                forceActiveFocus()
                            }
                            Keys.onReturnPressed: macroEditorMain.endEditing()
                            Keys.onEnterPressed: macroEditorMain.endEditing()
                            Keys.onEscapePressed: {
                                macroEditorMain.activeEditor = null
                                macroEditorMain.editingMacro = -1
                            }
                        }
                    }
                }
            }

            ImageButton {
                id: recordButton
                objectName: "recordButton"
                x: 158
                y: 68
                width: 100
                height: 26
                source: macroEditorMain.isInputting ? mainIten.sourceMacroRecording : mainIten.sourceMacroRecord
                hoverSource: macroEditorMain.isInputting ? mainIten.sourceMacroRecording : mainIten.sourceMacroRecordHover
                onClicked: macroEditorMain.isInputting ? macroEditorMain.stopRecord() : macroEditorMain.startRecord()

                // Beside the plate's record dot.
                Text {
                    objectName: "recordText"
                    x: 20
                    width: parent.width - 22
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: macroEditorMain.macroEditorLang[macroEditorMain.isInputting ? 5 : 4]
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
            }

            CheckOption {
                objectName: "delayRecord"
                x: 158
                y: 110
                isSelect: macroEditorMain.delayRecord.isSelect
                text: macroEditorMain.macroEditorLang[6]
                onToggled: {
                    macroEditorMain.delayRecord.isSelect = !macroEditorMain.delayRecord.isSelect
                    macroEditorMain.macroEditorFocus()
                }
            }

            CheckOption {
                objectName: "countRecord"
                x: 158
                y: 136
                isSelect: macroEditorMain.countRecord.isSelect
                text: macroEditorMain.macroEditorLang[7]
                onToggled: {
                    macroEditorMain.countRecord.isSelect = !macroEditorMain.countRecord.isSelect
                    macroEditorMain.macroEditorFocus()
                }
            }

            Image {
                x: 158
                y: 160
                width: 100
                height: 20
                source: mainIten.sourceMacroInput
                opacity: macroEditorMain.countRecord.isSelect ? 1 : 0.5

                TextInput {
                    id: countRecordInput
                    objectName: "countRecordInput"
                    anchors.fill: parent
                    leftPadding: 6
                    verticalAlignment: TextInput.AlignVCenter
                    text: macroEditorMain.loopText
                    readOnly: !macroEditorMain.countRecord.isSelect
                    color: mainIten.fontColor
                    selectByMouse: true
                    clip: true
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    validator: IntValidator { bottom: 0; top: 65535 }
                    onTextChanged: macroEditorMain.loopText = text
                    // Also when the text is not acceptable yet (empty, above the top).
                    Keys.onReturnPressed: macroEditorMain.forceActiveFocus()
                    Keys.onEnterPressed: macroEditorMain.forceActiveFocus()
                    onActiveFocusChanged: {
                        if (!activeFocus && !readOnly)
                            macroEditorMain.loopCountEdited()
                    }
                }
            }

            ListView {
                id: macroDataList
                objectName: "macroDataList"
                x: 282
                y: 61
                width: 330
                height: 324
                clip: true
                model: macroDataModel0
                boundsBehavior: Flickable.StopAtBounds

                // The free part below the rows: a right click there appends to the list.
                footer: MouseArea {
                    id: listBackground
                    width: macroDataList.width
                    height: Math.max(20, macroDataList.height - macroDataList.count * 20)
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: macroEditorMain.macroEditorFocus()
                    onClicked: function (mouse) {
                        macroEditorMain.selectedAction = -1
                        if (mouse.button === Qt.RightButton)
                            macroEditorMain.openMenu(listBackground, mouse.x, mouse.y)
                    }
                }

                delegate: Rectangle {
                    id: actionRow
                    objectName: "actionRow" + index
                    required property int index
                    required property int type
                    required property string info
                    width: macroDataList.width
                    height: 20
                    color: index === macroEditorMain.selectedAction ? "#761212"
                                                                    : (actionArea.containsMouse ? "#3a1a1a" : "transparent")
                    Image {
                        x: 6
                        anchors.verticalCenter: parent.verticalCenter
                        source: actionRow.type === 0 ? mainIten.sourceMacroDelay
                                                     : (actionRow.type === 1 || actionRow.type === 3 ? mainIten.sourceMacroDown
                                                                                                     : mainIten.sourceMacroUp)
                    }
                    Text {
                        x: 28
                        anchors.verticalCenter: parent.verticalCenter
                        visible: macroEditorMain.editingAction !== actionRow.index
                        text: actionRow.type === 0 ? actionRow.info + " ms" : actionRow.info
                        color: mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    MouseArea {
                        id: actionArea
                        anchors.fill: parent
                        hoverEnabled: true
                        acceptedButtons: Qt.LeftButton | Qt.RightButton
                        onPressed: {
                            if (macroEditorMain.editingAction !== actionRow.index)
                                macroEditorMain.macroEditorFocus()
                        }
                        onClicked: function (mouse) {
                            macroEditorMain.selectedAction = actionRow.index
                            if (mouse.button === Qt.RightButton)
                                macroEditorMain.openMenu(actionArea, mouse.x, mouse.y)
                        }
                        onDoubleClicked: function (mouse) {
                            if (mouse.button !== Qt.LeftButton || actionRow.type !== 0 || macroEditorMain.isInputting)
                                return
                            macroEditorMain.selectedAction = actionRow.index
                            macroEditorMain.editingAction = actionRow.index
                        }
                    }
                    Loader {
                        x: 24
                        width: 100
                        height: parent.height
                        active: macroEditorMain.editingAction === actionRow.index
                        sourceComponent: Rectangle {
                            color: "#1a1a1a"
                            border.color: "#b03030"
                            TextInput {
                                id: delayEditor
                                objectName: "delayEditor"
                                anchors.fill: parent
                                leftPadding: 4
                                verticalAlignment: TextInput.AlignVCenter
                                text: actionRow.info
                                color: mainIten.fontColor
                                selectByMouse: true
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                                validator: IntValidator { bottom: 0; top: 100000 }
                                function commit() {
                                    macroEditorMain.setDelay(actionRow.index, text)
                                }
                                Component.onCompleted: {
                                    macroEditorMain.activeEditor = delayEditor
                                    selectAll()
                                    forceActiveFocus()
                                }
                                Keys.onReturnPressed: macroEditorMain.endEditing()
                                Keys.onEnterPressed: macroEditorMain.endEditing()
                            }
                        }
                    }
                }
            }

            Rectangle {
                objectName: "actionScrollBar"
                x: macroDataList.x + macroDataList.width + 3
                y: macroDataList.y + macroDataList.visibleArea.yPosition * macroDataList.height
                width: 6
                height: Math.min(1, macroDataList.visibleArea.heightRatio) * macroDataList.height
                radius: 3
                color: "#767676"
                visible: macroDataList.visibleArea.heightRatio < 1
            }

            PlateButton {
                objectName: "newButton"
                x: 15
                y: 407
                text: macroEditorMain.macroEditorLang[8]
                enabled: macroNumberModel.count < macroEditorMain.maxMacros
                onClicked: macroEditorMain.newMacro()
            }
            PlateButton {
                objectName: "deleteButton"
                x: 111
                y: 407
                text: macroEditorMain.macroEditorLang[9]
                onClicked: macroEditorMain.deleteMacro()
            }
            PlateButton {
                objectName: "okButton"
                x: 441
                y: 407
                text: macroEditorMain.macroEditorLang[10]
                onClicked: macroEditorMain.closeEditor()
            }
            PlateButton {
                objectName: "dialogCancel"
                x: 537
                y: 407
                text: macroEditorMain.macroEditorLang[11]
                onClicked: macroEditorMain.closeEditor()
            }

            Rectangle {
                id: actionMenu
                objectName: "actionMenu"
                x: macroEditorMain.menuX
                y: macroEditorMain.menuY
                width: 150
                height: menuColumn.height + 2
                visible: macroEditorMain.menuOpen
                color: "#1c1c1c"
                border.color: "#8f2020"

                Column {
                    id: menuColumn
                    x: 1
                    y: 1
                    Repeater {
                        model: macroEditorMain.menuTexts
                        Rectangle {
                            id: menuRow
                            objectName: "menuRow" + index
                            required property int index
                            required property string modelData
                            width: 148
                            height: 21
                            color: menuArea.containsMouse ? "#8f2020" : "transparent"
                            Text {
                                x: 8
                                anchors.verticalCenter: parent.verticalCenter
                                text: menuRow.modelData
                                color: mainIten.fontColor
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                            }
                            MouseArea {
                                id: menuArea
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: macroEditorMain.menuCommand(menuRow.index)
                            }
                        }
                    }
                }
            }
        }
    }
}
