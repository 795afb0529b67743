import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ScreenTestCase {
        name: "GunPage"

        property var page: null
        readonly property var names: ["General", "Standard", "Three fire", "Gun_0", "Gun_1"]
        readonly property var keyA: 0x04
        readonly property var keyB: 0x05

        function setGuns(list, lines) {
            ui_View.setResult("getNameList/1", list)
            for (var i = 0; i < list.length; ++i) {
                ui_View.setResult("loadGunIndex/" + list[i], i)
                var own = lines && lines[list[i]] ? lines[list[i]] : []
                ui_View.setResult("loadGunIni/" + list[i], own.concat(["1"]))
            }
        }

        function resetPage(list, lines, selected) {
            setGuns(list, lines)
            ui_View.setResult("getselectGun/0", selected === undefined ? "" : selected)
            page.init()
            ui_View.clear()
        }

        function setUpFake() {
            setGuns(names, {})
        }

        function init() {
            ui_View.clear()
            page = part("gunControlMain")
            page.closeInsert()
            page.gunControlFocus()
            page.recTime = true
            resetPage(names, {})
            if (!page.visible)
                mouseClick(part("gunControlButton"))
            compare(page.visible, true)
            ui_View.clear()
        }

        function gunRow(i) {
            var view = part("gunList")
            view.forceLayout()
            view.positionViewAtIndex(i, ListView.Contain)
            var item = view.itemAtIndex(i)
            verify(item !== null, "no gun row " + i)
            return item
        }

        function actionRow(i) {
            var view = part("gunActionList")
            view.forceLayout()
            view.positionViewAtIndex(i, ListView.Contain)
            var item = view.itemAtIndex(i)
            verify(item !== null, "no action row " + i)
            return item
        }

        function actions() {
            var list = []
            var model = part("gunActionList").model
            for (var i = 0; i < model.count; ++i)
                list.push(model.get(i).type + "," + model.get(i).info)
            return list
        }

        function typeText(text) {
            for (var i = 0; i < text.length; ++i)
                keyClick(text.charAt(i))
        }

        function showGun(row, lines) {
            ui_View.setResult("loadGunIni/" + names[row], lines.concat(["1"]))
            mouseClick(gunRow(row === 0 ? 1 : 0))
            mouseClick(gunRow(row))
            compare(page.currentGun, row)
            compare(actions(), lines)
            ui_View.clear()
        }

        function cursorPairs(count) {
            var lines = []
            for (var i = 0; i < count; ++i)
                lines.push("5,1", "6,-1")
            return lines
        }

        function test_encoding_data() {
            var hundred = []
            for (var i = 0; i < 13; ++i)
                hundred.push({ type: 0, info: "100000" })
            var seventy = []
            for (var j = 0; j < 70; ++j)
                seventy.push({ type: 0, info: "100000" })
            return [
                { tag: "press, 100 ms, release", loops: 1,
                  list: [{ type: 1, info: "A" }, { type: 0, info: "100" }, { type: 2, info: "A" }],
                  bytes: [0, 1, 50, 4, 0x8A, 4, 0, 0] },
                { tag: "400 ms gap", loops: 1,
                  list: [{ type: 1, info: "A" }, { type: 0, info: "400" }, { type: 2, info: "A" }],
                  bytes: [0, 1, 0, 4, 0, 1, 0, 20, 0x8A, 4, 0, 0] },
                { tag: "cursor -1, 5", loops: 1,
                  list: [{ type: 5, info: "-1" }, { type: 6, info: "5" }, { type: 0, info: "10" },
                         { type: 3, info: "MS-L" }],
                  bytes: [0, 1, 5, 0xFA, 255, 5, 0x0A, 0xF0, 0, 0] },
                { tag: "no gap gives 0x0A", loops: 2,
                  list: [{ type: 3, info: "MS-R" }, { type: 4, info: "MS-R" }],
                  bytes: [0, 2, 0x0A, 0xF1, 0x8A, 0xF1, 0, 0] },
                { tag: "odd milliseconds round down", loops: 1,
                  list: [{ type: 3, info: "MS-B4" }, { type: 0, info: "45" }, { type: 4, info: "MS-B4" },
                         { type: 0, info: "1" }, { type: 3, info: "MS-B5" }],
                  bytes: [0, 1, 22, 0xF3, 0x8A, 0xF3, 0x0A, 0xF4, 0, 0] },
                { tag: "253 ms stays short, 254 ms does not", loops: 1,
                  list: [{ type: 1, info: "A" }, { type: 0, info: "253" }, { type: 2, info: "A" },
                         { type: 0, info: "254" }, { type: 1, info: "B" }],
                  bytes: [0, 1, 126, 4, 0x80, 4, 0, 1, 0, 12, 0x0A, 5, 0, 0] },
                { tag: "release keeps its bit on a long gap", loops: 1,
                  list: [{ type: 2, info: "A" }, { type: 0, info: "300" }, { type: 1, info: "B" }],
                  bytes: [0, 1, 0x80, 4, 0, 1, 0, 15, 0x0A, 5, 0, 0] },
                { tag: "50 ms units", loops: 1,
                  list: [{ type: 1, info: "A" }, { type: 0, info: "100000" }, { type: 0, info: "100000" },
                         { type: 0, info: "50000" }, { type: 2, info: "A" }],
                  bytes: [0, 1, 0, 4, 0, 2, 0x13, 0x88, 0x8A, 4, 0, 0] },
                { tag: "100 ms units", loops: 1,
                  list: [{ type: 1, info: "A" }].concat(hundred.slice(0, 7), [{ type: 2, info: "A" }]),
                  bytes: [0, 1, 0, 4, 0, 3, 0x1B, 0x58, 0x8A, 4, 0, 0] },
                { tag: "longer gaps stay in 100 ms units", loops: 1,
                  list: [{ type: 1, info: "A" }].concat(hundred, [{ type: 2, info: "A" }]),
                  bytes: [0, 1, 0, 4, 0, 3, 0x32, 0xC8, 0x8A, 4, 0, 0] },
                { tag: "a count beyond 16 bits is bounded", loops: 1,
                  list: [{ type: 1, info: "A" }].concat(seventy, [{ type: 2, info: "A" }]),
                  bytes: [0, 1, 0, 4, 0, 3, 0xFF, 0xFF, 0x8A, 4, 0, 0] },
                { tag: "leading and trailing delays dropped", loops: 300,
                  list: [{ type: 0, info: "50" }, { type: 1, info: "A" }, { type: 0, info: "10" },
                         { type: 2, info: "A" }, { type: 0, info: "500" }],
                  bytes: [1, 44, 5, 4, 0x8A, 4, 0, 0] },
                { tag: "one action only", loops: 1, list: [{ type: 0, info: "50" }, { type: 1, info: "A" }],
                  bytes: [0, 1] },
                { tag: "delays only", loops: 65535, list: [{ type: 0, info: "50" }], bytes: [255, 255] },
                { tag: "empty", loops: 0, list: [], bytes: [0, 0] }
            ]
        }

        function test_encoding(data) {
            compare(page.deCode(data.list, data.loops), data.bytes)
        }

        function test_newGunName_data() {
            return [
                { tag: "Gun_0 and Gun_1 exist", list: ["General", "Standard", "Three fire", "Gun_0", "Gun_1"],
                  name: "Gun_2" },
                { tag: "gap is filled", list: ["General", "Standard", "Three fire", "Gun_0", "Gun_2"],
                  name: "Gun_1" },
                { tag: "shipped guns only", list: ["General", "Standard", "Three fire"], name: "Gun_0" }
            ]
        }

        function test_newGunName(data) {
            resetPage(data.list, {})
            mouseClick(part("gunNewButton"))
            compare(lastCall("createGunIni"), [data.name, data.list.length])
            compare(lastCall("updataNameList"), [1, data.list.concat([data.name])])
            compare(page.getGunName(data.list.length), data.name)
            compare(page.currentGun, data.list.length)
            compare(actions(), [])
        }

        function test_hundredGunsAtMost() {
            var many = ["General", "Standard", "Three fire"]
            for (var i = 0; i < 97; ++i)
                many.push("Gun_" + i)
            resetPage(many, {})
            mouseClick(part("gunNewButton"))
            compare(ui_View.callsOf("createGunIni"), [])
            compare(page.macroListModel.count, 100)
        }

        function test_listOrderFollowsLibraryPositions() {
            ui_View.setResult("getNameList/1", ["b", "a", "c", "loadertovrim"])
            ui_View.setResult("loadGunIndex/b", 2)
            ui_View.setResult("loadGunIndex/a", 0)
            ui_View.setResult("loadGunIndex/c", 2)
            ui_View.setResult("loadGunIndex/loadertovrim", 3)
            page.init()
            compare([page.getGunName(0), page.getGunName(1), page.getGunName(2), page.getGunName(3)],
                    ["a", "b", "c", "loadertovrim"])
            ui_View.setResult("getNameList/1", ["only", "loadertovrim"])
            page.init()
            compare(page.macroListModel.count, 1)
            compare(page.getGunName(0), "only")
            compare(page.getGunName(5), "")
        }

        function test_renameSelectedGun() {
            resetPage(names, {}, "Gun_0")
            compare(page.selectGunName, "Gun_0")
            mouseDoubleClickSequence(gunRow(3))
            var editor = part("gunNameEditor")
            tryCompare(editor, "activeFocus", true)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("ak47")
            keyClick(Qt.Key_Return)
            compare(lastCall("modifyGunName"), ["Gun_0", "ak47"])
            compare(lastCall("setSelectGun"), [0, "ak47"])
            compare(lastCall("updataNameList"), [1, ["General", "Standard", "Three fire", "ak47", "Gun_1"]])
            compare(page.selectGunName, "ak47")
            compare(page.getGunName(3), "ak47")
        }

        function test_renameRefused_data() {
            return [
                { tag: "name of another gun", text: "general", taken: "general" },
                { tag: "empty name", text: "", taken: "" }
            ]
        }

        function test_renameRefused(data) {
            resetPage(["general", "Standard", "Three fire", "Gun_0"], {}, "Standard")
            mouseDoubleClickSequence(gunRow(3))
            tryCompare(part("gunNameEditor"), "activeFocus", true)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            keyClick(Qt.Key_Delete)
            typeText(data.text)
            keyClick(Qt.Key_Return)
            compare(ui_View.callsOf("modifyGunName"), [])
            compare(ui_View.callsOf("updataNameList"), [])
            compare(page.getGunName(3), "Gun_0")
        }

        function test_renameKeepsNameWhenFileCannotMove() {
            ui_View.setResult("modifyGunName", false)
            mouseDoubleClickSequence(gunRow(4))
            tryCompare(part("gunNameEditor"), "activeFocus", true)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("a/b")
            keyClick(Qt.Key_Return)
            ui_View.setResult("modifyGunName", true)
            compare(lastCall("modifyGunName"), ["Gun_1", "a/b"])
            compare(page.getGunName(4), "Gun_1")
            compare(ui_View.callsOf("updataNameList"), [])
        }

        function test_englishNamesForShippedGuns() {
            resetPage(["通用", "Standard", "三连发", "Gun_0"], {}, "三连发")
            page.inited()
            compare(ui_View.callsOf("modifyGunName"), [["通用", "General"], ["三连发", "Three fire"]])
            compare(lastCall("setSelectGun"), [0, "Three fire"])
            compare(page.selectGunName, "Three fire")
            compare(lastCall("updataNameList"), [1, ["General", "Standard", "Three fire", "Gun_0"]])

            ui_View.clear()
            page.inited()
            compare(ui_View.callsOf("modifyGunName"), [])

            resetPage(["通用", "标准", "三连发"], {})
            screen.language = 1
            page.inited()
            screen.language = 0
            compare(ui_View.callsOf("modifyGunName"), [])
        }

        function test_defaultGun_data() {
            return [
                { tag: "stored gun", stored: "Gun_1", language: 0, selected: "Gun_1" },
                { tag: "none stored, English", stored: "", language: 0, selected: "Standard" },
                { tag: "none stored, Chinese with the Chinese name", stored: "", language: 1,
                  list: ["通用", "标准", "三连发"], selected: "标准" },
                { tag: "none stored, Chinese with English names", stored: "", language: 1, selected: "Standard" },
                { tag: "stored gun no longer listed", stored: "gone", language: 0, selected: "Standard" }
            ]
        }

        function test_defaultGun(data) {
            screen.language = data.language
            resetPage(data.list ? data.list : names, {}, data.stored)
            screen.language = 0
            compare(page.selectGunName, data.selected)
        }

        function test_shippedGunsCannotBeDeleted_data() {
            return [{ tag: "General", row: 0 }, { tag: "Standard", row: 1 }, { tag: "Three fire", row: 2 }]
        }

        function test_shippedGunsCannotBeDeleted(data) {
            mouseClick(gunRow(data.row))
            compare(page.currentGun, data.row)
            mouseClick(part("gunDeleteButton"))
            page.deleteGun(data.row)
            compare(ui_View.callsOf("deleteGunIni"), [])
            compare(page.macroListModel.count, names.length)
        }

        function test_deleteGun() {
            var spy = deleteSpy
            spy.target = page
            spy.clear()
            mouseClick(gunRow(3))
            mouseClick(part("gunDeleteButton"))
            compare(spy.count, 1)
            compare(spy.signalArguments[0][0], "Gun_0")
            compare(lastCall("deleteGunIni"), ["Gun_0"])
            compare(ui_View.callsOf("setGunIndex"),
                    [["General", 0], ["Standard", 1], ["Three fire", 2], ["Gun_1", 3]])
            compare(lastCall("changeGunFileIndex"), [4])
            compare(ui_View.callsOf("changeMacroFileIndex"), [])
            compare(lastCall("updataNameList"), [1, ["General", "Standard", "Three fire", "Gun_1"]])
            compare(page.getGunName(3), "Gun_1")
        }

        function test_deletingTheSelectedGunSelectsTheStandardGun() {
            resetPage(names, { "Standard": ["3,MS-L", "0,50", "4,MS-L"] }, "Gun_1")
            mouseClick(gunRow(4))
            mouseClick(part("gunDeleteButton"))
            compare(page.selectGunName, "Standard")
            compare(lastCall("setSelectGun"), [0, "Standard"])
            compare(lastCall("sendMacroData"), [[0, 1, 25, 0xF0, 0x8A, 0xF0, 0, 0], 5])
        }

        function test_menu_data() {
            var start = ["1,A", "0,20", "2,A", "5,3", "6,-4", "0,30"]
            return [
                { tag: "delete on X takes Y", row: 3, entry: 0, result: ["1,A", "0,20", "2,A", "0,30"] },
                { tag: "delete on Y takes X", row: 4, entry: 0, result: ["1,A", "0,20", "2,A", "0,30"] },
                { tag: "delete a delay", row: 1, entry: 0, result: ["1,A", "2,A", "5,3", "6,-4", "0,30"] },
                { tag: "left button after the pair, from X", row: 3, entry: 1,
                  result: start.slice(0, 5).concat(["3,MS-L", "4,MS-L", "0,30"]) },
                { tag: "right button after the pair, from Y", row: 4, entry: 2,
                  result: start.slice(0, 5).concat(["3,MS-R", "4,MS-R", "0,30"]) },
                { tag: "middle button after a key", row: 0, entry: 3,
                  result: ["1,A", "3,MS-M", "4,MS-M"].concat(start.slice(1)) },
                { tag: "button at the end after the last", row: 5, entry: 1,
                  result: start.concat(["3,MS-L", "4,MS-L"]) },
                { tag: "delay before the pair, from Y", row: 4, entry: 4,
                  result: ["1,A", "0,20", "2,A", "0,50", "5,3", "6,-4", "0,30"] },
                { tag: "delay before a key", row: 2, entry: 4,
                  result: ["1,A", "0,20", "0,50", "2,A", "5,3", "6,-4", "0,30"] }
            ]
        }

        function test_menu(data) {
            showGun(3, ["1,A", "0,20", "2,A", "5,3", "6,-4", "0,30"])
            var row = actionRow(data.row)
            mouseClick(row, 100, 10, Qt.RightButton)
            var menu = part("gunContextMenu")
            compare(menu.visible, true)
            mouseClick(part("gunMenuItem" + data.entry))
            compare(menu.visible, false)
            compare(actions(), data.result)
            compare(lastCall("saveGunIni")[1], data.result)
        }

        function test_menuTextsFollowTheirActions() {
            showGun(3, ["1,A", "2,A"])
            mouseClick(actionRow(1), 100, 10, Qt.RightButton)
            var texts = []
            for (var i = 0; i < 5; ++i)
                texts.push(part("gunMenuItem" + i).modelData)
            compare(texts, ["Delete", "Insert Left Button", "Insert Right Button", "Insert Middle Button",
                            "Insert Delay"])
            mouseClick(part("gunMenuItem2"))
            compare(actions(), ["1,A", "2,A", "3,MS-R", "4,MS-R"])
        }

        function test_inPlaceEdit_data() {
            return [
                { tag: "delay", row: 1, text: "250", result: "0,250" },
                { tag: "largest delay", row: 1, text: "100000", result: "0,100000" },
                { tag: "delay too large", row: 1, text: "100001", result: "0,20" },
                { tag: "delay not a number", row: 1, text: "abc", result: "0,20" },
                { tag: "X offset", row: 2, text: "-127", result: "5,-127" },
                { tag: "Y offset", row: 3, text: "127", result: "6,127" },
                { tag: "offset stops at its limit", row: 3, text: "-128", result: "6,-12" }
            ]
        }

        function test_inPlaceEdit(data) {
            showGun(3, ["1,A", "0,20", "5,3", "6,-4", "2,A"])
            mouseDoubleClickSequence(actionRow(data.row), 100, 10)
            var editor = part("gunValueEditor")
            tryCompare(editor, "activeFocus", true)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            keyClick(Qt.Key_Delete)
            typeText(data.text)
            // A click elsewhere ends the edit like Enter.
            mouseClick(part("gunMemoryText"))
            compare(editor.activeFocus, false)
            compare(actions()[data.row], data.result)
        }

        function test_keysAreNotEditedInPlace() {
            showGun(3, ["1,A", "2,A"])
            mouseDoubleClickSequence(actionRow(0), 100, 10)
            compare(page.editingAction, -1)
        }

        function test_insertKeyDialog() {
            showGun(3, ["3,MS-L", "4,MS-L"])
            mouseClick(actionRow(1))
            mouseClick(part("gunInsertKeyButton"))
            compare(part("gunInsertDialog").visible, true)
            compare(part("gunInsertDialog").title, "Insert Key")
            compare(page.isInsertting, true)
            screen.detectKeyboard(true, 0xF0)
            screen.detectKeyboard(true, keyB)
            screen.detectKeyboard(false, keyB)
            compare(part("gunKeyField").text, "B")
            mouseClick(part("gunInsertOk"))
            compare(part("gunInsertDialog").visible, false)
            compare(page.isInsertting, false)
            compare(actions(), ["3,MS-L", "4,MS-L", "1,B", "2,B"])
            compare(lastCall("saveGunIni")[1], ["3,MS-L", "4,MS-L", "1,B", "2,B"])
        }

        function test_insertKeyWithoutKeyInsertsNothing() {
            showGun(3, ["1,A", "2,A"])
            mouseClick(part("gunInsertKeyButton"))
            mouseClick(part("gunInsertOk"))
            compare(actions(), ["1,A", "2,A"])
            compare(ui_View.callsOf("saveGunIni"), [])
        }

        function test_insertMouseDialog_data() {
            return [
                { tag: "left", radio: 0, name: "MS-L" }, { tag: "right", radio: 1, name: "MS-R" },
                { tag: "middle", radio: 2, name: "MS-M" }, { tag: "fifth", radio: 3, name: "MS-B5" },
                { tag: "fourth", radio: 4, name: "MS-B4" }
            ]
        }

        function test_insertMouseDialog(data) {
            showGun(3, ["0,10"])
            mouseClick(actionRow(0))
            mouseClick(part("gunInsertMouseButton"))
            compare(part("gunInsertDialog").title, "Insert Mouse")
            mouseClick(part("gunMouseRadio" + data.radio))
            mouseClick(part("gunInsertOk"))
            compare(actions(), ["0,10", "3," + data.name, "4," + data.name])
        }

        function test_insertCursorDialog_data() {
            return [
                { tag: "centre", x: 50, y: 50, offset: ["5,0", "6,0"] },
                { tag: "up right", x: 75, y: 25, offset: ["5,64", "6,64"] },
                { tag: "bottom left corner", x: 0, y: 99, offset: ["5,-127", "6,-124"] }
            ]
        }

        function test_insertCursorDialog(data) {
            showGun(3, ["3,MS-L", "0,30", "4,MS-L"])
            mouseClick(actionRow(0))
            mouseClick(part("gunInsertCursorButton"))
            compare(part("gunInsertDialog").title, "Insert Cursor offset")
            mouseClick(part("gunPad"), data.x, data.y)
            mouseClick(part("gunInsertOk"))
            compare(actions(), ["3,MS-L"].concat(data.offset, ["0,30", "4,MS-L"]))
        }

        function test_insertCursorTyped() {
            showGun(3, [])
            mouseClick(part("gunInsertCursorButton"))
            mouseClick(part("gunCursorX"))
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("-1")
            mouseClick(part("gunCursorY"))
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("5")
            mouseClick(part("gunInsertOk"))
            compare(actions(), ["5,-1", "6,5"])
            compare(lastCall("saveGunIni")[2], [0, 1, 0x0A, 0xFA, 255, 5, 0, 0])
        }

        function test_insertDelayDialog_data() {
            return [
                { tag: "default", text: null, result: ["0,10", "1,A", "2,A"] },
                { tag: "typed", text: "120", result: ["0,120", "1,A", "2,A"] },
            ]
        }

        function test_insertDelayDialog(data) {
            showGun(3, ["1,A", "2,A"])
            mouseClick(actionRow(0))
            mouseClick(part("gunInsertDelayButton"))
            compare(part("gunInsertDialog").title, "Insert delay")
            if (data.text !== null) {
                mouseClick(part("gunDelayInput"))
                keyClick(Qt.Key_A, Qt.ControlModifier)
                typeText(data.text)
            }
            mouseClick(part("gunInsertOk"))
            compare(actions(), data.result)
        }

        function test_delayBeyondTheLimitKeepsTheDialogOpen() {
            showGun(3, ["1,A", "2,A"])
            mouseClick(part("gunInsertDelayButton"))
            mouseClick(part("gunDelayInput"))
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("100001")
            compare(part("gunDelayInput").color, Qt.color("#ff5a5a"))
            mouseClick(part("gunInsertOk"))
            compare(part("gunInsertDialog").visible, true)
            compare(actions(), ["1,A", "2,A"])
            mouseClick(part("gunInsertCancel"))
            compare(part("gunInsertDialog").visible, false)
        }

        function test_cancelInsertsNothing() {
            showGun(3, ["1,A", "2,A"])
            mouseClick(part("gunInsertCursorButton"))
            mouseClick(part("gunPad"), 10, 10)
            mouseClick(part("gunInsertCancel"))
            compare(part("gunInsertDialog").visible, false)
            compare(actions(), ["1,A", "2,A"])
        }

        function test_recording() {
            showGun(3, ["1,A"])
            mouseClick(part("gunRecTime"))
            compare(page.recTime, false)
            mousePress(part("gunRecordButton"))
            mouseRelease(part("gunRecordButton"))
            compare(page.isInputting, true)
            compare(actions(), [])
            // The release of the click on the record button.
            screen.detectMouse(false, 0xF0, 0, 0)
            screen.detectKeyboard(true, keyA)
            screen.detectMouse(true, 0xF1, 0, 0)
            screen.detectMouse(false, 0xF1, 0, 0)
            screen.detectKeyboard(false, keyA)
            // The press on the stop button reaches the hooks first.
            screen.detectMouse(true, 0xF0, 0, 0)
            mousePress(part("gunRecordButton"))
            compare(page.isInputting, false)
            screen.detectMouse(false, 0xF0, 0, 0)
            mouseRelease(part("gunRecordButton"))
            compare(actions(), ["1,A", "3,MS-R", "4,MS-R", "2,A"])
            compare(lastCall("saveGunIni"), ["Gun_0", actions(), [0, 1, 0x0A, 4, 0x0A, 0xF1, 0x8A, 0xF1, 0x8A, 4, 0, 0], 1])
        }

        function test_recordingTime() {
            showGun(3, [])
            compare(page.recTime, true)
            mouseClick(part("gunRecordButton"))
            screen.detectKeyboard(true, keyA)
            tryVerify(function () { return page.recordTicks >= 5 })
            screen.detectKeyboard(false, keyA)
            page.stopRecord()
            var list = actions()
            compare(list.length, 3)
            compare(list[0], "1,A")
            compare(list[2], "2,A")
            var ms = parseInt(list[1].substring(2), 10)
            verify(list[1].charAt(0) === "0" && ms >= 50 && ms % 10 === 0, list[1])
        }

        function test_closingStopsAndSaves() {
            showGun(3, [])
            mouseClick(part("gunRecTime"))
            mouseClick(part("gunRecordButton"))
            screen.detectKeyboard(true, keyB)
            screen.detectKeyboard(false, keyB)
            mouseClick(findChild(page, "dialogCancel"))
            compare(page.visible, false)
            compare(part("mainMask").visible, false)
            compare(page.isInputting, false)
            compare(lastCall("saveGunIni")[1], ["1,B", "2,B"])
            mouseClick(part("gunControlButton"))
            compare(page.visible, true)
        }

        function test_selectedGunIsSentWhenSaved() {
            resetPage(names, {}, "Gun_0")
            showGun(3, ["3,MS-L", "0,40", "4,MS-L"])
            mouseClick(actionRow(2), 100, 10, Qt.RightButton)
            mouseClick(part("gunMenuItem4"))
            compare(ui_View.names().slice(0, 2), ["saveGunIni", "loadGunIni"])
            compare(lastCall("sendMacroData"), [[0, 1, 45, 0xF0, 0x8A, 0xF0, 0, 0], 5])
            compare(lastCall("ui_04H_SetGunData"), [8, 0, 0, 0, 0])

            ui_View.clear()
            showGun(4, ["3,MS-L", "4,MS-L"])
            mouseClick(actionRow(1), 100, 10, Qt.RightButton)
            mouseClick(part("gunMenuItem0"))
            compare(ui_View.callsOf("saveGunIni").length, 1)
            compare(ui_View.callsOf("sendMacroData"), [])
            compare(ui_View.callsOf("ui_04H_SetGunData"), [])
        }

        function test_loopCount() {
            resetPage(names, {}, "Gun_0")
            showGun(3, ["1,A", "2,A"])
            var input = part("gunLoopInput")
            compare(input.readOnly, true)
            mouseClick(part("gunLoopsTimer"))
            compare(input.readOnly, false)
            mouseClick(input)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("300")
            keyClick(Qt.Key_Return)
            compare(lastCall("saveGunIni")[3], 300)
            compare(lastCall("sendMacroData")[0].slice(0, 2), [1, 44])
            mouseClick(part("gunLoopsTimer"))
        }

        function test_sendingAnotherGunKeepsTheShownLoopCount() {
            resetPage(names, {}, "Gun_0")
            ui_View.setResult("loadGunIni/Gun_1", ["1,A", "2,A", "7"])
            showGun(3, ["1,A"])
            page.sendMacro(5, "Gun_1")
            compare(part("gunLoopInput").text, "1")
            compare(lastCall("sendMacroData")[0].slice(0, 2), [0, 7])
        }

        function test_longGunInPieces_data() {
            return [
                { tag: "one piece", pairs: 31, pieces: [128], length: [128, 0] },
                { tag: "two pieces", pairs: 32, pieces: [128, 4], length: [132, 0] },
                { tag: "three pieces", pairs: 74, pieces: [128, 128, 44], length: [44, 1] },
                { tag: "largest gun", pairs: 126, pieces: [128, 128, 128, 124], length: [252, 1] }
            ]
        }

        function test_longGunInPieces(data) {
            var lines = cursorPairs(data.pairs)
            ui_View.setResult("loadGunIni/big", lines.concat(["1"]))
            page.sendMacro(5, "big")
            var sent = ui_View.callsOf("sendMacroData")
            var all = []
            compare(sent.length, data.pieces.length)
            for (var i = 0; i < sent.length; ++i) {
                compare(sent[i][1], 5 + i)
                compare(sent[i][0].length, data.pieces[i])
                all = all.concat(sent[i][0])
            }
            compare(all, page.deCode(page.parseGun(lines.concat(["1"])).actions, 1))
            compare(ui_View.names()[ui_View.names().length - 1], "ui_04H_SetGunData")
            compare(lastCall("ui_04H_SetGunData"), data.length.concat([0, 0, 0]))
        }

        function test_nothingSentForMissingOrOversizedGun_data() {
            return [
                { tag: "missing file", lines: [] },
                { tag: "512 values", lines: cursorPairs(127).concat(["1"]) }
            ]
        }

        function test_nothingSentForMissingOrOversizedGun(data) {
            ui_View.setResult("loadGunIni/odd", data.lines)
            page.sendMacro(5, "odd")
            compare(ui_View.names(), ["loadGunIni"])
        }

        function test_refusedAtTheSizeLimit() {
            resetPage(names, {}, "Gun_0")
            showGun(3, cursorPairs(126))
            compare(page.gunBytes, 508)
            compare(part("gunMemoryText").text, "Used 508 / 511 bytes")
            compare(part("gunLimitText").visible, false)
            mouseClick(actionRow(251))
            mouseClick(part("gunInsertCursorButton"))
            mouseClick(part("gunInsertOk"))
            compare(actions().length, 252)
            compare(part("gunLimitText").visible, true)
            compare(part("gunLimitText").text, "Gun memory is full")
            compare(ui_View.callsOf("saveGunIni"), [])

            // A gap of 254 ms needs a longer timing record as well.
            mouseClick(actionRow(251), 100, 10, Qt.RightButton)
            mouseClick(part("gunMenuItem4"))
            compare(actions().length, 253)
            compare(page.gunBytes, 508)
            compare(part("gunLimitText").visible, false)
            mouseDoubleClickSequence(actionRow(250), 100, 10)
            tryCompare(part("gunValueEditor"), "activeFocus", true)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("254")
            keyClick(Qt.Key_Return)
            compare(actions()[250], "0,50")
            compare(part("gunLimitText").visible, true)

            // Deleting makes room again.
            mouseClick(actionRow(0), 100, 10, Qt.RightButton)
            mouseClick(part("gunMenuItem0"))
            compare(page.gunBytes, 504)
            compare(part("gunLimitText").visible, false)
            compare(lastCall("sendMacroData")[1], 8)
            compare(lastCall("ui_04H_SetGunData"), [248, 1, 0, 0, 0])
        }

        function test_recordingStopsAtTheLimit() {
            showGun(3, [])
            mouseClick(part("gunRecTime"))
            mouseClick(part("gunRecordButton"))
            var pressed = 0
            for (var i = 0; i < 300 && page.isInputting; ++i) {
                screen.detectKeyboard(i % 2 === 0, keyA)
                pressed++
            }
            compare(page.isInputting, false)
            compare(part("gunLimitText").visible, true)
            verify(page.gunBytes < 512)
            verify(page.gunBytes >= 508)
            compare(lastCall("saveGunIni")[2].length, page.gunBytes)
            mouseClick(part("gunRecTime"))
        }

        function test_profileChangeSendsTheProfilesGun() {
            ui_View.setResult("getselectGun/0", "Gun_1")
            ui_View.setResult("loadGunIni/Gun_1", ["3,MS-M", "4,MS-M", "1"])
            page.profileChange()
            compare(page.selectGunName, "Gun_1")
            compare(lastCall("sendMacroData"), [[0, 1, 0x0A, 0xF2, 0x8A, 0xF2, 0, 0], 5])
            compare(lastCall("ui_04H_SetGunData"), [8, 0, 0, 0, 0])
        }

        function test_shippedGuns_data() {
            return [{ tag: "General", row: 0 }, { tag: "Standard", row: 1 }, { tag: "Three fire", row: 2 }]
        }

        function test_shippedGuns(data) {
            compare(shippedFiles.nameList(1), ["General", "Standard", "Three fire"])
            compare(Number(shippedFiles.gunIndex(data.tag)), data.row)
            var lines = shippedFiles.gunLines(data.tag)
            verify(lines.length > 2)
            ui_View.setResult("loadGunIni/" + data.tag, lines)
            page.sendMacro(5, data.tag)
            var bytes = lastCall("sendMacroData")[0]
            var record = shippedFiles.gunData(data.tag).map(Number)
            compare(record, lastCall("ui_04H_SetGunData"))
            compare(record, [bytes.length, 0, 0, 0, 0])
            var gun = page.parseGun(lines)
            compare(gun.actions.length, lines.length - 1)
            var presses = 0, releases = 0, pulls = 0
            for (var i = 0; i < gun.actions.length; ++i) {
                var a = gun.actions[i]
                presses += a.type === 3 && a.info === "MS-L" ? 1 : 0
                releases += a.type === 4 && a.info === "MS-L" ? 1 : 0
                pulls += a.type === 6 && Number(a.info) < 0 ? 1 : 0
                if (a.type === 5)
                    compare(gun.actions[i + 1].type, 6)
            }
            compare(releases, presses)
            compare([presses, pulls > 0], [[1, true], [1, false], [3, true]][data.row])
            if (data.row === 0)
                verify(pulls >= 5)
        }

        SignalSpy {
            id: deleteSpy
            signalName: "deleteGunSignal"
        }
    }
}
