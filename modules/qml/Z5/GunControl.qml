import QtQuick
import "../common"

// Gun macro dialog: the library of recoil patterns, their actions, and the gun
// the current profile plays from device macro slot 6 onwards.
Item {
    id: gunControlMain
    width: 640
    height: 440
    visible: false

    property bool isInputting: false
    property bool isInsertting: false
    property bool isSendData: false
    property string selectGunName: ""
    property int tmpKeycodeUSB: -1
    property string tmpKeyString: ""
    property alias macroListModel: macroNumberModel
    property var gunControlLang: ["Gun Macro", "Gun", "Sequence", "Options", "Start Record",
        "Stop Record", "Rec Time", "Loops Timer", "New", "Delete", "OK", "Cancel", "Delete",
        "Insert Left Button", "Insert Middle Button", "Insert Right Button", "Insert Delay",
        "Insert Key", "Insert Mouse", "Insert Cursor", "Insert Key", "Please input key:",
        "Insert delay", "Please input delay:", "Insert Cursor offset", "X axis", "Y axis",
        "Insert Mouse", "Gun memory is full", "Used %1 / %2 bytes"]

    // The mouse takes a gun only when its encoding is shorter than this.
    readonly property int gunByteLimit: 512
    readonly property int pieceSize: 128
    readonly property int maxGuns: 100
    readonly property int shippedGuns: 3
    readonly property int rowHeight: 22
    readonly property var mouseButtonNames: ["MS-L", "MS-R", "MS-M", "MS-B5", "MS-B4"]
    readonly property var mouseButtonCodes: ["0100f000", "0100f100", "0100f200", "0100f400", "0100f300"]

    property int currentGun: -1
    property int currentAction: -1
    property int gunBytes: 2
    property bool limitReached: false
    property int editingGun: -1
    property int editingAction: -1
    property int insertMode: -1
    property int mouseChoice: 0
    // The options, the loop count, the action menu and the insert dialog: init, profile changes
    // and recording use them before the dialog is first built.
    property bool recTime: true
    property bool loopsTimer: false
    property string loopText: "1"
    property bool menuOpen: false
    property bool insertOpen: false
    readonly property alias recordTicks: macroRecord.macroRecordCount

    signal deleteGunSignal(string gunName)

    ListModel { id: macroNumberModel }
    ListModel { id: macroDataModel0 }

    Timer {
        id: macroRecord
        property int macroRecordCount: 0
        interval: 10
        repeat: true
        onTriggered: macroRecordCount++
    }

    // ---- names and list

    function englishMode() {
        return mainIten.language !== 1
    }

    function gunCount() {
        return macroNumberModel.count
    }

    function getGunName(index) {
        var i = Number(index)
        if (!(i >= 0 && i < macroNumberModel.count))
            return ""
        return macroNumberModel.get(i).macroName
    }

    function indexOfGun(name) {
        for (var i = 0; i < macroNumberModel.count; ++i) {
            if (macroNumberModel.get(i).macroName === String(name))
                return i
        }
        return -1
    }

    function gunNames() {
        var names = []
        for (var i = 0; i < macroNumberModel.count; ++i)
            names[i] = macroNumberModel.get(i).macroName
        return names
    }

    function storeNames() {
        ui_View.updataNameList(1, gunNames())
    }

    function readNameList() {
        var stored = ui_View.getNameList(1)
        var names = []
        for (var i = 0; stored && i < stored.length; ++i)
            names.push(String(stored[i]))
        if (names.length === 2 && names[1] === "loadertovrim")
            names.pop()
        return names
    }

    function numberOr(value, fallback) {
        var n = Number(value)
        return isNaN(n) ? fallback : n
    }

    // A profile without a gun plays the standard gun; a name no longer listed
    // (deleted from another profile) falls back to the shipped standard gun.
    function chosenGun(stored) {
        var name = stored === undefined || stored === null ? "" : String(stored)
        if (name === "")
            name = englishMode() ? "Standard" : "标准"
        if (indexOfGun(name) < 0 && macroNumberModel.count > 1)
            name = macroNumberModel.get(1).macroName
        return name
    }

    function init() {
        macroNumberModel.clear()
        var names = readNameList()
        for (var i = 0; i < names.length; ++i) {
            var no = numberOr(ui_View.loadGunIndex(names[i]), 0)
            var at = macroNumberModel.count
            for (var j = 0; j < macroNumberModel.count; ++j) {
                if (macroNumberModel.get(j).no > no) {
                    at = j
                    break
                }
            }
            macroNumberModel.insert(at, { macroName: names[i], no: no,
                                          macroType: numberOr(ui_View.loadGunType(names[i]), 0) })
        }
        selectGunName = chosenGun(ui_View.getselectGun(0))
        var shown = indexOfGun(selectGunName)
        showGun(shown >= 0 ? shown : (macroNumberModel.count > 0 ? 0 : -1))
    }

    function inited() {
        if (!englishMode())
            return
        renameGun(0, "General")
        renameGun(2, "Three fire")
    }

    function profileChange() {
        selectGunName = chosenGun(ui_View.getselectGun(0))
        sendMacro(5, selectGunName)
    }

    // Refused when another gun has the name: two list entries would share one file.
    function renameGun(index, newName) {
        var name = String(newName)
        var old = getGunName(index)
        if (old === "" || name === "" || name === old || indexOfGun(name) >= 0)
            return false
        if (!ui_View.modifyGunName(old, name))
            return false
        if (old === selectGunName) {
            selectGunName = name
            ui_View.setSelectGun(0, name)
        }
        macroNumberModel.setProperty(index, "macroName", name)
        storeNames()
        keyMatrixMain.refreashUI()
        return true
    }

    function newGun() {
        if (macroNumberModel.count >= maxGuns)
            return
        var name = ""
        for (var n = 0; n < maxGuns && name === ""; ++n) {
            if (indexOfGun("Gun_" + n) < 0)
                name = "Gun_" + n
        }
        if (name === "")
            return
        var no = macroNumberModel.count
        ui_View.createGunIni(name, no)
        macroNumberModel.append({ macroName: name, no: no, macroType: 0 })
        showGun(macroNumberModel.count - 1)
        storeNames()
    }

    function deleteGun(index) {
        if (index < shippedGuns || index >= macroNumberModel.count)
            return
        stopRecord()
        var name = getGunName(index)
        deleteGunSignal(name)
        ui_View.deleteGunIni(name)
        macroDataModel0.clear()
        macroNumberModel.remove(index)
        for (var i = index; i < macroNumberModel.count; ++i)
            macroNumberModel.setProperty(i, "no", macroNumberModel.get(i).no - 1)
        for (var j = 0; j < macroNumberModel.count; ++j)
            ui_View.setGunIndex(macroNumberModel.get(j).macroName, macroNumberModel.get(j).no)
        // Buttons hold the gun by function code 8; keyboard macro slots are not the gun's.
        ui_View.changeGunFileIndex(index + 1)
        storeNames()
        showGun(Math.min(index, macroNumberModel.count - 1))
        if (name === selectGunName) {
            selectGunName = chosenGun("")
            ui_View.setSelectGun(0, selectGunName)
            keyMatrixMain.refreashUI()
            sendMacro(5, selectGunName)
        }
    }

    // ---- actions

    // loadGunIni: the action lines, then the loop count.
    function parseGun(lines) {
        var gun = { actions: [], loops: "1" }
        if (!lines || lines.length === 0)
            return gun
        for (var i = 0; i < lines.length - 1; ++i) {
            var line = String(lines[i])
            var type = parseInt(line.charAt(0), 10)
            if (type >= 0 && type <= 6 && line.charAt(1) === ",")
                gun.actions.push({ type: type, info: line.substring(2) })
        }
        gun.loops = String(lines[lines.length - 1])
        return gun
    }

    function showGun(index) {
        endEditing(false)
        currentGun = index
        currentAction = -1
        limitReached = false
        macroDataModel0.clear()
        if (index < 0 || index >= macroNumberModel.count) {
            gunBytes = 2
            return
        }
        var gun = parseGun(ui_View.loadGunIni(getGunName(index)))
        for (var i = 0; i < gun.actions.length; ++i)
            macroDataModel0.append(gun.actions[i])
        loopText = gun.loops
        gunBytes = deCode(gun.actions, loopCount()).length
    }

    function actionList() {
        var list = []
        for (var i = 0; i < macroDataModel0.count; ++i) {
            var a = macroDataModel0.get(i)
            list[i] = { type: a.type, info: a.info }
        }
        return list
    }

    function actionTexts() {
        var texts = []
        for (var i = 0; i < macroDataModel0.count; ++i)
            texts[i] = macroDataModel0.get(i).type + "," + macroDataModel0.get(i).info
        return texts
    }

    function loopCount() {
        var n = parseInt(loopText, 10)
        return isNaN(n) ? 1 : Math.max(0, Math.min(65535, n))
    }

    function fits(list) {
        return deCode(list, loopCount()).length < gunByteLimit
    }

    function refuse() {
        limitReached = true
        return false
    }

    function tryInsert(at, items) {
        if (currentGun < 0)
            return false
        var list = actionList()
        Array.prototype.splice.apply(list, [at, 0].concat(items))
        if (!fits(list))
            return refuse()
        for (var i = 0; i < items.length; ++i)
            macroDataModel0.insert(at + i, items[i])
        limitReached = false
        return true
    }

    function tryRemove(at, count) {
        var list = actionList()
        list.splice(at, count)
        // Merged gaps can need a longer timing record than the ones removed.
        if (!fits(list))
            return refuse()
        macroDataModel0.remove(at, count)
        limitReached = false
        return true
    }

    function actionType(index) {
        return index >= 0 && index < macroDataModel0.count ? macroDataModel0.get(index).type : -1
    }

    // Pairs go after the current action, behind its Y part when it is an X part.
    function afterCurrent() {
        var n = macroDataModel0.count
        if (currentAction < 0 || currentAction >= n)
            return n
        if (actionType(currentAction) === 5)
            return Math.min(currentAction + 2, n)
        return currentAction + 1
    }

    // Delays go before the current action, before its X part when it is a Y part.
    function beforeCurrent() {
        var n = macroDataModel0.count
        if (currentAction < 0 || currentAction >= n)
            return n
        if (actionType(currentAction) === 6 && actionType(currentAction - 1) === 5)
            return currentAction - 1
        return currentAction
    }

    function insertPair(pressType, name) {
        var at = afterCurrent()
        if (!tryInsert(at, [{ type: pressType, info: name }, { type: pressType + 1, info: name }]))
            return false
        currentAction = at + 1
        showAction(currentAction)
        autoSave()
        return true
    }

    function showAction(index) {
        if (content.built)
            content.built.actionView.positionViewAtIndex(index, ListView.Contain)
    }

    function insertMouseButton(name) {
        return insertPair(3, name)
    }

    function insertKey(name) {
        if (_KeyCodeString.strTokeycode(name) === undefined)
            return false
        return insertPair(1, name)
    }

    function insertCursor(x, y) {
        var dx = Math.round(Number(x)), dy = Math.round(Number(y))
        if (!(dx >= -127 && dx <= 127 && dy >= -127 && dy <= 127))
            return false
        var at = afterCurrent()
        if (!tryInsert(at, [{ type: 5, info: String(dx) }, { type: 6, info: String(dy) }]))
            return false
        currentAction = at + 1
        showAction(currentAction)
        autoSave()
        return true
    }

    function insertDelay(ms) {
        var value = Math.floor(Number(ms))
        if (!(value >= 0 && value <= 100000))
            return false
        var at = beforeCurrent()
        if (!tryInsert(at, [{ type: 0, info: String(value) }]))
            return false
        currentAction = at
        showAction(currentAction)
        autoSave()
        return true
    }

    // An X or Y part takes its partner with it.
    function deleteAction(index) {
        var type = actionType(index)
        if (type < 0)
            return false
        var at = index, count = 1
        if (type === 5 && actionType(index + 1) === 6)
            count = 2
        else if (type === 6 && actionType(index - 1) === 5) {
            at = index - 1
            count = 2
        }
        if (!tryRemove(at, count))
            return false
        currentAction = Math.min(at, macroDataModel0.count - 1)
        autoSave()
        return true
    }

    function editValue(index, text) {
        var type = actionType(index)
        var s = String(text).trim()
        if (!/^-?[0-9]+$/.test(s))
            return false
        var value = parseInt(s, 10)
        if (type === 0 ? (value < 0 || value > 100000)
                       : (type !== 5 && type !== 6) || value < -127 || value > 127)
            return false
        var list = actionList()
        list[index].info = String(value)
        if (!fits(list))
            return refuse()
        macroDataModel0.setProperty(index, "info", String(value))
        limitReached = false
        autoSave()
        return true
    }

    function runMenu(entry) {
        menuOpen = false
        if (entry === 0)
            deleteAction(currentAction)
        else if (entry >= 1 && entry <= 3)
            insertMouseButton(mouseButtonNames[[0, 1, 2][entry - 1]])
        else if (entry === 4)
            insertDelay(50)
    }

    // ---- recording

    function startRecord() {
        if (currentGun < 0 || isInputting)
            return
        endEditing(false)
        macroDataModel0.clear()
        currentAction = -1
        limitReached = false
        macroRecord.macroRecordCount = 0
        macroRecord.start()
        isInputting = true
    }

    // The click that stops the recording reaches the hooks as a press without its release.
    function dropUnfinishedClicks() {
        var n = macroDataModel0.count
        while (n > 0) {
            var last = macroDataModel0.get(n - 1)
            if (last.type === 0 || (last.type === 3 && !releasedLater(n - 1)))
                macroDataModel0.remove(--n)
            else
                break
        }
    }

    function releasedLater(index) {
        var name = macroDataModel0.get(index).info
        for (var i = index + 1; i < macroDataModel0.count; ++i) {
            if (macroDataModel0.get(i).type === 4 && macroDataModel0.get(i).info === name)
                return true
        }
        return false
    }

    function pressIsOpen(name) {
        for (var i = macroDataModel0.count - 1; i >= 0; --i) {
            var a = macroDataModel0.get(i)
            if (a.info === name && (a.type === 3 || a.type === 4))
                return a.type === 3
        }
        return false
    }

    function stopRecord() {
        if (!isInputting)
            return
        macroRecord.stop()
        isInputting = false
        dropUnfinishedClicks()
        autoSave()
    }

    function detectKeyboard(isDown, usbCode) {
        if (!isInputting)
            return
        var code = Number(usbCode)
        var mouse = code >= 0xF0
        var name = mouse ? _KeyCodeString.mousecodeTostr(code) : _KeyCodeString.keycodeTostr(code)
        if (name === undefined || name === "")
            return
        // The release of the click that started the recording has no press in the list.
        if (mouse && !isDown && !pressIsOpen(name))
            return
        var items = []
        if (macroDataModel0.count > 0 && recTime)
            items.push({ type: 0, info: String(macroRecord.macroRecordCount * 10) })
        items.push({ type: (mouse ? 3 : 1) + (isDown ? 0 : 1), info: name })
        macroRecord.macroRecordCount = 0
        if (!tryInsert(macroDataModel0.count, items)) {
            stopRecord()
            return
        }
        if (content.built)
            content.built.actionView.positionViewAtEnd()
    }

    function detectInput(isDown, usbCode) {
        if (!isInsertting || !isDown)
            return
        var code = Number(usbCode)
        if (code >= 0xF0)
            return
        var name = _KeyCodeString.keycodeTostr(code)
        if (name === "")
            return
        tmpKeycodeUSB = code
        tmpKeyString = name
    }

    // ---- encoding and sending

    function actionCode(action) {
        if (action.type === 1 || action.type === 2)
            return _KeyCodeString.strTokeycode(action.info)
        if (action.type === 3 || action.type === 4)
            return _KeyCodeString.strTomousecode(action.info)
        return undefined
    }

    function offsetByte(text) {
        var v = Math.max(-127, Math.min(127, parseInt(text, 10) || 0))
        return v < 0 ? 256 + v : v
    }

    // Timing in 2 ms units, rounded down once; long gaps get a unit pair and a
    // 16-bit count, bounded at 65535 units of 100 ms.
    function timingBytes(record, ms, isLast) {
        var release = record.release ? 0x80 : 0
        var t = Math.floor(ms / 2)
        if (isLast || t < 127)
            return { head: [(isLast || t === 0 ? 0x0A : t) | release].concat(record.body), tail: [] }
        var unit = 3, count = Math.min(Math.floor(t / 50), 65535)
        if (t < 100000) {
            unit = 1
            count = Math.floor(t / 10)
        } else if (t < 300000) {
            unit = 2
            count = Math.floor(t / 25)
        }
        return { head: [release].concat(record.body), tail: [0, unit, (count >> 8) & 0xFF, count & 0xFF] }
    }

    function deCode(list, loops) {
        var actions = []
        if (list && list.get !== undefined) {
            for (var m = 0; m < list.count; ++m)
                actions.push(list.get(m))
        } else if (list) {
            actions = list
        }
        var L = Math.max(0, Math.min(65535, Math.floor(numberOr(loops, 1))))
        var out = [Math.floor(L / 256), L % 256]
        var first = 0
        while (first < actions.length && Number(actions[first].type) === 0)
            ++first
        if (first >= actions.length - 1)
            return out
        var pending = null, gap = 0
        for (var i = first; i < actions.length; ++i) {
            var a = actions[i]
            var type = Number(a.type)
            var record = null
            if (type === 0) {
                gap += Math.max(0, parseInt(a.info, 10) || 0)
            } else if (type === 5) {
                var y = i + 1 < actions.length && Number(actions[i + 1].type) === 6 ? actions[i + 1].info : "0"
                record = { release: false, body: [0xFA, offsetByte(a.info), offsetByte(y)] }
            } else if (type >= 1 && type <= 4) {
                var code = actionCode({ type: type, info: String(a.info) })
                if (code !== undefined)
                    record = { release: type === 2 || type === 4, body: [code] }
            }
            if (record === null)
                continue
            if (pending !== null) {
                var bytes = timingBytes(pending, gap, false)
                out = out.concat(bytes.head, bytes.tail)
            }
            pending = record
            gap = 0
        }
        if (pending !== null)
            out = out.concat(timingBytes(pending, 0, true).head)
        out.push(0, 0)
        return out
    }

    function autoSave() {
        if (currentGun < 0 || currentGun >= macroNumberModel.count)
            return
        var name = getGunName(currentGun)
        var bytes = deCode(macroDataModel0, loopCount())
        gunBytes = bytes.length
        ui_View.saveGunIni(name, actionTexts(), bytes, loopCount())
        if (name === selectGunName)
            sendMacro(5, selectGunName)
    }

    // Pieces of 128 values go to consecutive slots; a gun the mouse cannot hold is
    // neither sent nor announced, so the mouse keeps its last complete gun.
    function sendMacro(index, macroName) {
        var lines = ui_View.loadGunIni(macroName)
        if (!lines || lines.length === 0)
            return
        var gun = parseGun(lines)
        if (String(macroName) === getGunName(currentGun) && !isInputting)
            loopText = gun.loops
        var bytes = deCode(gun.actions, gun.loops)
        if (bytes.length >= gunByteLimit)
            return
        var slot = Number(index)
        for (var k = 0; k * pieceSize < bytes.length; ++k)
            ui_View.sendMacroData(bytes.slice(k * pieceSize, (k + 1) * pieceSize), slot + k)
        ui_View.ui_04H_SetGunData(bytes.length % 256, Math.floor(bytes.length / 256), 0, 0, 0)
    }

    // ---- dialog handling

    // Only the built dialog edits: its editors hold the texts.
    function endEditing(commit) {
        var ui = content.built
        if (editingGun >= 0) {
            var gunRow = editingGun
            editingGun = -1
            if (ui) {
                ui.gunNameEditor.focus = false
                if (commit)
                    renameGun(gunRow, ui.gunNameEditor.text)
            }
        }
        if (editingAction >= 0) {
            var actionRow = editingAction
            editingAction = -1
            if (ui) {
                ui.valueEditor.focus = false
                if (commit)
                    editValue(actionRow, ui.valueEditor.text)
            }
        }
    }

    function gunControlFocus() {
        menuOpen = false
        endEditing(true)
    }

    function openInsert(mode) {
        if (currentGun < 0)
            return
        gunControlFocus()
        insertMode = mode
        tmpKeycodeUSB = -1
        tmpKeyString = ""
        mouseChoice = 0
        // Fields not built yet start with these values.
        var ui = content.built
        if (ui) {
            ui.delayInput.text = "10"
            ui.cursorX.text = "0"
            ui.cursorY.text = "0"
        }
        isInsertting = mode === 0
        insertOpen = true
    }

    function closeInsert() {
        isInsertting = false
        insertOpen = false
        insertMode = -1
    }

    // A delay beyond its limit keeps the dialog open with the value shown in red.
    function acceptInsert() {
        var ui = content.built
        var delayText = ui ? ui.delayInput.text : "10"
        var delayAcceptable = ui ? ui.delayInput.acceptableInput : true
        if (insertMode === 3 && !delayAcceptable)
            return
        if (insertMode === 0 && tmpKeycodeUSB >= 0)
            insertKey(tmpKeyString)
        else if (insertMode === 1)
            insertMouseButton(mouseButtonNames[mouseChoice])
        else if (insertMode === 2)
            insertCursor(ui ? parseInt(ui.cursorX.text, 10) : 0, ui ? parseInt(ui.cursorY.text, 10) : 0)
        else if (insertMode === 3 && delayAcceptable)
            insertDelay(parseInt(delayText, 10))
        closeInsert()
    }

    function closeGunControl() {
        closeInsert()
        gunControlFocus()
        stopRecord()
        gunControlMain.visible = false
        mainMask.visible = false
    }

    function actionText(type, info) {
        if (type === 0)
            return info + " ms"
        if (type === 5)
            return "X  " + info
        if (type === 6)
            return "Y  " + info
        return info
    }

    function actionIcon(type) {
        if (type === 0)
            return mainIten.sourceGunDelay
        if (type === 5 || type === 6)
            return mainIten.sourceGunCursor
        return type === 1 || type === 3 ? mainIten.sourceGunDown : mainIten.sourceGunUp
    }

    component CheckOption: Item {
        id: check
        property bool isSelect: false
        property string text: ""
        signal toggled()
        width: 100
        height: 18
        Image {
            anchors.verticalCenter: parent.verticalCenter
            source: check.isSelect ? mainIten.sourceGunCheck1 : mainIten.sourceGunCheck0
        }
        Text {
            x: 20
            anchors.verticalCenter: parent.verticalCenter
            text: check.text
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: check.toggled()
        }
    }

    // Built when the dialog first opens.
    LazyContent {
        id: content
        sourceComponent: Item {
            property alias actionView: actionView
            property alias gunNameEditor: gunNameEditor
            property alias valueEditor: valueEditor
            property alias delayInput: delayInput
            property alias cursorX: cursorX
            property alias cursorY: cursorY

            DialogFrame {
                id: frame
                anchors.fill: parent
                dragTarget: gunControlMain
                backgroundSource: mainIten.sourceGunControlBg
                title: gunControlMain.gunControlLang[0]
                closeSource: mainIten.sourceGunClose
                closeHoverSource: mainIten.sourceGunCloseHover
                fontFamily: mainIten.fontFamily
                fontColor: mainIten.fontColor
                onCloseClicked: gunControlMain.closeGunControl()
            }

            Repeater {
                model: [{ x: 15, text: 1 }, { x: 147, text: 3 }, { x: 279, text: 2 }]
                Text {
                    required property var modelData
                    x: modelData.x
                    y: 36
                    text: gunControlMain.gunControlLang[modelData.text]
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
            }

            // Clicks on empty parts of the dialog end editing and close the menu.
            MouseArea {
                x: 0
                y: 30
                width: parent.width
                height: parent.height - 30
                onPressed: function (mouse) {
                    gunControlMain.gunControlFocus()
                    mouse.accepted = false
                }
            }

            ListView {
                id: gunView
                objectName: "gunList"
                x: 17
                y: 60
                width: 118
                height: 326
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                model: macroNumberModel
                delegate: Rectangle {
                    id: gunRow
                    required property int index
                    required property string macroName
                    objectName: "gunRow" + index
                    width: gunView.width
                    height: gunControlMain.rowHeight
                    color: index === gunControlMain.currentGun ? "#761212"
                                                               : (gunRowArea.containsMouse ? "#2a2a2a" : "transparent")
                    Rectangle {
                        x: 2
                        y: 6
                        width: 3
                        height: 10
                        color: "#e03030"
                        visible: gunRow.macroName === gunControlMain.selectGunName
                    }
                    Text {
                        x: 9
                        width: parent.width - 12
                        anchors.verticalCenter: parent.verticalCenter
                        elide: Text.ElideRight
                        text: gunRow.macroName
                        color: mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    MouseArea {
                        id: gunRowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            gunControlMain.gunControlFocus()
                            if (gunRow.index !== gunControlMain.currentGun && !gunControlMain.isInputting)
                                gunControlMain.showGun(gunRow.index)
                        }
                        onDoubleClicked: {
                            if (gunControlMain.isInputting)
                                return
                            gunNameEditor.text = gunRow.macroName
                            gunControlMain.editingGun = gunRow.index
                            gunNameEditor.selectAll()
                            gunNameEditor.forceActiveFocus()
                        }
                    }
                }

                Rectangle {
                    parent: gunView.contentItem
                    y: gunControlMain.editingGun * gunControlMain.rowHeight
                    width: gunView.width
                    height: gunControlMain.rowHeight
                    visible: gunControlMain.editingGun >= 0
                    color: "#0c0c0c"
                    border.color: "#761212"
                    TextInput {
                        id: gunNameEditor
                        objectName: "gunNameEditor"
                        x: 8
                        width: parent.width - 12
                        anchors.verticalCenter: parent.verticalCenter
                        clip: true
                        maximumLength: 64
                        color: mainIten.fontColor
                        selectionColor: "#761212"
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                        onAccepted: gunControlMain.endEditing(true)
                        Keys.onEscapePressed: gunControlMain.endEditing(false)
                        onActiveFocusChanged: if (!activeFocus && gunControlMain.editingGun >= 0)
                                                  gunControlMain.endEditing(true)
                    }
                }
            }

            ListView {
                id: actionView
                objectName: "gunActionList"
                x: 281
                y: 60
                width: 342
                height: 326
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                model: macroDataModel0
                delegate: Rectangle {
                    id: actionRow
                    required property int index
                    required property int type
                    required property string info
                    objectName: "gunAction" + index
                    width: actionView.width - 8
                    height: gunControlMain.rowHeight
                    color: index === gunControlMain.currentAction ? "#761212"
                                                                  : (actionArea.containsMouse ? "#2a2a2a" : "transparent")
                    Text {
                        x: 6
                        width: 28
                        anchors.verticalCenter: parent.verticalCenter
                        horizontalAlignment: Text.AlignRight
                        text: actionRow.index + 1
                        color: "#8a8a8a"
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontMinSize
                    }
                    Image {
                        x: 42
                        anchors.verticalCenter: parent.verticalCenter
                        source: gunControlMain.actionIcon(actionRow.type)
                    }
                    Text {
                        x: 64
                        anchors.verticalCenter: parent.verticalCenter
                        text: gunControlMain.actionText(actionRow.type, actionRow.info)
                        color: mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    MouseArea {
                        id: actionArea
                        anchors.fill: parent
                        hoverEnabled: true
                        acceptedButtons: Qt.LeftButton | Qt.RightButton
                        onPressed: function (mouse) {
                            gunControlMain.gunControlFocus()
                            gunControlMain.currentAction = actionRow.index
                            if (mouse.button === Qt.RightButton && !gunControlMain.isInputting) {
                                var p = mapToItem(gunControlMain, mouse.x, mouse.y)
                                contextMenu.x = Math.min(p.x, gunControlMain.width - contextMenu.width - 4)
                                contextMenu.y = Math.min(p.y, gunControlMain.height - contextMenu.height - 4)
                                gunControlMain.menuOpen = true
                            }
                        }
                        onDoubleClicked: function (mouse) {
                            var t = actionRow.type
                            if (mouse.button !== Qt.LeftButton || gunControlMain.isInputting
                                    || (t !== 0 && t !== 5 && t !== 6))
                                return
                            valueEditor.text = actionRow.info
                            gunControlMain.editingAction = actionRow.index
                            valueEditor.selectAll()
                            valueEditor.forceActiveFocus()
                        }
                    }
                }

                Rectangle {
                    parent: actionView.contentItem
                    x: 60
                    y: gunControlMain.editingAction * gunControlMain.rowHeight
                    width: 120
                    height: gunControlMain.rowHeight
                    visible: gunControlMain.editingAction >= 0
                    color: "#0c0c0c"
                    border.color: "#761212"
                    TextInput {
                        id: valueEditor
                        objectName: "gunValueEditor"
                        x: 6
                        width: parent.width - 10
                        anchors.verticalCenter: parent.verticalCenter
                        clip: true
                        color: mainIten.fontColor
                        selectionColor: "#761212"
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                        validator: IntValidator {
                            bottom: gunControlMain.actionType(gunControlMain.editingAction) === 0 ? 0 : -127
                            top: gunControlMain.actionType(gunControlMain.editingAction) === 0 ? 100000 : 127
                        }
                        onAccepted: gunControlMain.endEditing(true)
                        Keys.onEscapePressed: gunControlMain.endEditing(false)
                        onActiveFocusChanged: if (!activeFocus && gunControlMain.editingAction >= 0)
                                                  gunControlMain.endEditing(true)
                    }
                }
            }

            // ---- options column

            Item {
                id: recordButton
                objectName: "gunRecordButton"
                x: 157
                y: 68
                width: 100
                height: 26
                Image {
                    anchors.fill: parent
                    source: gunControlMain.isInputting ? mainIten.sourceGunRecording
                                                       : (recordArea.containsMouse ? mainIten.sourceGunRecordHover
                                                                                   : mainIten.sourceGunRecord)
                }
                Text {
                    anchors.centerIn: parent
                    anchors.horizontalCenterOffset: 7
                    text: gunControlMain.gunControlLang[gunControlMain.isInputting ? 5 : 4]
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
                // Acts on the press: the release would already be recorded by the hooks.
                MouseArea {
                    id: recordArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onPressed: {
                        if (gunControlMain.isInputting)
                            gunControlMain.stopRecord()
                        else
                            gunControlMain.startRecord()
                    }
                }
            }

            CheckOption {
                objectName: "gunRecTime"
                x: 157
                y: 108
                isSelect: gunControlMain.recTime
                text: gunControlMain.gunControlLang[6]
                onToggled: gunControlMain.recTime = !gunControlMain.recTime
            }

            CheckOption {
                objectName: "gunLoopsTimer"
                x: 157
                y: 132
                isSelect: gunControlMain.loopsTimer
                text: gunControlMain.gunControlLang[7]
                onToggled: gunControlMain.loopsTimer = !gunControlMain.loopsTimer
            }

            Image {
                x: 157
                y: 156
                width: 100
                height: 20
                source: mainIten.sourceGunInput
                opacity: gunControlMain.loopsTimer ? 1 : 0.5
                TextInput {
                    id: countRecordInput
                    objectName: "gunLoopInput"
                    x: 6
                    width: parent.width - 12
                    anchors.verticalCenter: parent.verticalCenter
                    readOnly: !gunControlMain.loopsTimer
                    text: gunControlMain.loopText
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    validator: IntValidator { bottom: 0; top: 65535 }
                    onTextChanged: gunControlMain.loopText = text
                    onEditingFinished: {
                        if (text === "")
                            gunControlMain.loopText = "1"
                        if (!readOnly)
                            gunControlMain.autoSave()
                    }
                }
            }

            Repeater {
                model: [{ name: "gunInsertKeyButton", text: 17, mode: 0 },
                    { name: "gunInsertMouseButton", text: 18, mode: 1 },
                    { name: "gunInsertCursorButton", text: 19, mode: 2 },
                    { name: "gunInsertDelayButton", text: 16, mode: 3 }]
                DialogButton {
                    required property var modelData
                    required property int index
                    objectName: modelData.name
                    x: 157
                    y: 196 + index * 31
                    width: 100
                    enabled: gunControlMain.currentGun >= 0 && !gunControlMain.isInputting
                    opacity: enabled ? 1 : 0.5
                    text: gunControlMain.gunControlLang[modelData.text]
                    fontFamily: mainIten.fontFamily
                    onClicked: gunControlMain.openInsert(modelData.mode)
                }
            }

            Text {
                objectName: "gunMemoryText"
                x: 157
                y: 330
                width: 100
                wrapMode: Text.WordWrap
                text: gunControlMain.gunControlLang[29].replace("%1", gunControlMain.gunBytes)
                      .replace("%2", gunControlMain.gunByteLimit - 1)
                color: "#9a9a9a"
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontMinSize
            }

            Text {
                objectName: "gunLimitText"
                x: 157
                y: 348
                width: 100
                visible: gunControlMain.limitReached
                wrapMode: Text.WordWrap
                text: gunControlMain.gunControlLang[28]
                color: "#ff5a5a"
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontNormalSize
            }

            // ---- bottom row

            DialogButton {
                objectName: "gunNewButton"
                x: 15
                y: 404
                enabled: !gunControlMain.isInputting && macroNumberModel.count < gunControlMain.maxGuns
                opacity: enabled ? 1 : 0.5
                text: gunControlMain.gunControlLang[8]
                fontFamily: mainIten.fontFamily
                onClicked: gunControlMain.newGun()
            }
            DialogButton {
                objectName: "gunDeleteButton"
                x: 111
                y: 404
                enabled: !gunControlMain.isInputting && gunControlMain.currentGun >= gunControlMain.shippedGuns
                opacity: enabled ? 1 : 0.5
                text: gunControlMain.gunControlLang[9]
                fontFamily: mainIten.fontFamily
                onClicked: gunControlMain.deleteGun(gunControlMain.currentGun)
            }
            DialogButton {
                objectName: "gunOkButton"
                x: 437
                y: 404
                text: gunControlMain.gunControlLang[10]
                fontFamily: mainIten.fontFamily
                onClicked: gunControlMain.closeGunControl()
            }
            DialogButton {
                objectName: "dialogCancel"
                x: 535
                y: 404
                text: gunControlMain.gunControlLang[11]
                fontFamily: mainIten.fontFamily
                onClicked: gunControlMain.closeGunControl()
            }

            // ---- context menu on an action

            Rectangle {
                id: contextMenu
                objectName: "gunContextMenu"
                width: 150
                height: 5 * gunControlMain.rowHeight + 4
                visible: gunControlMain.menuOpen
                color: "#1c1c1c"
                border.color: "#4f1717"
                // Texts follow the actions: delete, left, right, middle button, delay.
                readonly property var texts: [gunControlMain.gunControlLang[12], gunControlMain.gunControlLang[13],
                    gunControlMain.gunControlLang[15], gunControlMain.gunControlLang[14], gunControlMain.gunControlLang[16]]
                Column {
                    x: 2
                    y: 2
                    Repeater {
                        model: contextMenu.texts
                        Rectangle {
                            required property string modelData
                            required property int index
                            objectName: "gunMenuItem" + index
                            width: contextMenu.width - 4
                            height: gunControlMain.rowHeight
                            color: menuArea.containsMouse ? "#761212" : "transparent"
                            Text {
                                x: 10
                                anchors.verticalCenter: parent.verticalCenter
                                text: parent.modelData
                                color: mainIten.fontColor
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                            }
                            MouseArea {
                                id: menuArea
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: gunControlMain.runMenu(parent.index)
                            }
                        }
                    }
                }
            }

            // ---- Insert dialogs

            Rectangle {
                anchors.fill: parent
                visible: gunControlMain.insertOpen
                color: "#70000000"
                MouseArea {
                    anchors.fill: parent
                    acceptedButtons: Qt.AllButtons
                }
            }

            DialogFrame {
                id: insertDialog
                objectName: "gunInsertDialog"
                x: Math.round((parent.width - width) / 2)
                y: Math.round((parent.height - height) / 2)
                width: 280
                height: 180
                visible: gunControlMain.insertOpen
                backgroundSource: mainIten.sourceGunDialogBg
                title: gunControlMain.gunControlLang[[20, 27, 24, 22][Math.max(0, gunControlMain.insertMode)]]
                closeSource: mainIten.sourceGunClose
                closeHoverSource: mainIten.sourceGunCloseHover
                fontFamily: mainIten.fontFamily
                fontColor: mainIten.fontColor
                onCloseClicked: gunControlMain.closeInsert()

                Item {
                    anchors.fill: parent
                    visible: gunControlMain.insertMode === 0 || gunControlMain.insertMode === 3
                    Text {
                        x: 24
                        y: 20
                        text: gunControlMain.gunControlLang[gunControlMain.insertMode === 0 ? 21 : 23]
                        color: mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    Image {
                        x: 24
                        y: 46
                        width: 232
                        height: 24
                        source: mainIten.sourceGunInput
                        Text {
                            objectName: "gunKeyField"
                            x: 8
                            anchors.verticalCenter: parent.verticalCenter
                            visible: gunControlMain.insertMode === 0
                            text: gunControlMain.tmpKeyString
                            color: mainIten.fontColor
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMiddleSize
                        }
                        TextInput {
                            id: delayInput
                            objectName: "gunDelayInput"
                            x: 8
                            width: parent.width - 16
                            anchors.verticalCenter: parent.verticalCenter
                            visible: gunControlMain.insertMode === 3
                            enabled: visible
                            clip: true
                            text: "10"
                            color: acceptableInput ? mainIten.fontColor : "#ff5a5a"
                            selectionColor: "#761212"
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMiddleSize
                            validator: IntValidator { bottom: 0; top: 100000 }
                            onAccepted: gunControlMain.acceptInsert()
                        }
                        Text {
                            anchors.right: parent.right
                            anchors.rightMargin: 8
                            anchors.verticalCenter: parent.verticalCenter
                            visible: gunControlMain.insertMode === 3
                            text: "ms"
                            color: "#9a9a9a"
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                        }
                    }
                }

                Item {
                    anchors.fill: parent
                    visible: gunControlMain.insertMode === 1
                    Repeater {
                        model: 5
                        Item {
                            required property int index
                            objectName: "gunMouseRadio" + index
                            x: index < 3 ? 28 : 150
                            y: 14 + (index % 3) * 26
                            width: 110
                            height: 20
                            Image {
                                anchors.verticalCenter: parent.verticalCenter
                                source: gunControlMain.mouseChoice === parent.index ? mainIten.sourceGunRadio1
                                                                                    : mainIten.sourceGunRadio0
                            }
                            Text {
                                x: 20
                                anchors.verticalCenter: parent.verticalCenter
                                text: _KeyCodeString.mouseDataTostr(gunControlMain.mouseButtonCodes[parent.index],
                                                                    mainIten.language)
                                color: mainIten.fontColor
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                            }
                            MouseArea {
                                anchors.fill: parent
                                cursorShape: Qt.PointingHandCursor
                                onClicked: gunControlMain.mouseChoice = parent.index
                            }
                        }
                    }
                }

                Item {
                    anchors.fill: parent
                    visible: gunControlMain.insertMode === 2
                    Image {
                        id: pad
                        objectName: "gunPad"
                        x: 14
                        y: 6
                        width: 100
                        height: 100
                        source: mainIten.sourceGunPad
                        readonly property int offsetX: Math.max(-127, Math.min(127, parseInt(cursorX.text, 10) || 0))
                        readonly property int offsetY: Math.max(-127, Math.min(127, parseInt(cursorY.text, 10) || 0))
                        Image {
                            x: pad.width / 2 + pad.offsetX * (pad.width / 2) / 127 - width / 2
                            y: pad.height / 2 - pad.offsetY * (pad.height / 2) / 127 - height / 2
                            source: mainIten.sourceGunPadDot
                        }
                        // The centre is 0, 0; right and up are positive.
                        MouseArea {
                            anchors.fill: parent
                            function place(mouse) {
                                var half = pad.width / 2
                                var dx = Math.round((mouse.x - half) * 127 / half)
                                var dy = Math.round((half - mouse.y) * 127 / half)
                                cursorX.text = String(Math.max(-127, Math.min(127, dx)))
                                cursorY.text = String(Math.max(-127, Math.min(127, dy)))
                            }
                            onPressed: function (mouse) { place(mouse) }
                            onPositionChanged: function (mouse) { place(mouse) }
                        }
                    }
                    Repeater {
                        model: [25, 26]
                        Text {
                            required property int modelData
                            required property int index
                            x: 134
                            y: 8 + index * 50
                            text: gunControlMain.gunControlLang[modelData]
                            color: mainIten.fontColor
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                        }
                    }
                    Image {
                        x: 134
                        y: 26
                        width: 120
                        height: 20
                        source: mainIten.sourceGunInput
                        TextInput {
                            id: cursorX
                            objectName: "gunCursorX"
                            x: 6
                            width: parent.width - 12
                            anchors.verticalCenter: parent.verticalCenter
                            text: "0"
                            color: mainIten.fontColor
                            selectionColor: "#761212"
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                            validator: IntValidator { bottom: -127; top: 127 }
                        }
                    }
                    Image {
                        x: 134
                        y: 76
                        width: 120
                        height: 20
                        source: mainIten.sourceGunInput
                        TextInput {
                            id: cursorY
                            objectName: "gunCursorY"
                            x: 6
                            width: parent.width - 12
                            anchors.verticalCenter: parent.verticalCenter
                            text: "0"
                            color: mainIten.fontColor
                            selectionColor: "#761212"
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                            validator: IntValidator { bottom: -127; top: 127 }
                        }
                    }
                }

                DialogButton {
                    objectName: "gunInsertOk"
                    x: 46
                    y: 113
                    text: gunControlMain.gunControlLang[10]
                    fontFamily: mainIten.fontFamily
                    onClicked: gunControlMain.acceptInsert()
                }
                DialogButton {
                    objectName: "gunInsertCancel"
                    x: 146
                    y: 113
                    text: gunControlMain.gunControlLang[11]
                    fontFamily: mainIten.fontFamily
                    onClicked: gunControlMain.closeInsert()
                }
            }
        }
    }
}
