import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ScreenTestCase {
        name: "MacroEditor"

        property var editor: null

        SignalSpy {
            id: deleteSpy
            signalName: "deleteMacroSignal"
        }

        // A library of macros in list order: [name, lines..., loop count].
        function useLibrary(macros) {
            ui_View.clearResults()
            var names = []
            for (var i = 0; i < macros.length; ++i) {
                names.push(macros[i][0])
                ui_View.setResult("loadMacroIndex/" + macros[i][0], i)
                ui_View.setResult("loadMacroIni/" + macros[i][0], macros[i].slice(1))
            }
            ui_View.setResult("getNameList/0", names.length === 1 ? [names[0], "loadertovrim"] : names)
            editor.init()
            ui_View.clear()
        }

        function init() {
            editor = part("macroEditorMain")
            if (editor.isInputting)
                editor.stopRecord()
            editor.delayRecord.isSelect = false
            editor.countRecord.isSelect = false
            useLibrary([["Macro_0", "1,A", "0,100", "2,A", "1"], ["Macro_2", "1", "1"]])
            screen.openDialog(editor)
            deleteSpy.target = editor
            deleteSpy.clear()
        }

        function cleanup() {
            editor.closeEditor()
            compare(ui_View.warnings(), [])
        }

        function row(list, index) {
            var name = (list === "macroList" ? "macroRow" : "actionRow") + index
            var item = null
            tryVerify(function () { return (item = findChild(part(list).contentItem, name)) !== null }, 2000, name)
            return item
        }

        function actions() {
            var lines = []
            var model = editor.actionArray(findChild(editor, "macroDataList").model)
            for (var i = 0; i < model.length; ++i)
                lines.push(model[i].type + "," + model[i].info)
            return lines
        }

        function lastSave() {
            return lastCall("saveMacroIni")
        }

        function typeText(text) {
            for (var i = 0; i < text.length; ++i)
                keyClick(text.charAt(i))
        }

        function test_encoding_data() {
            return [
                { tag: "press, 100 ms, release", actions: [[1, "A"], [0, "100"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 50, 0x04, 0x81, 0x04, 0, 0] },
                { tag: "400 ms takes a unit pair", actions: [[1, "A"], [0, "400"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 0, 0x04, 0, 1, 0, 20, 0x81, 0x04, 0, 0] },
                { tag: "no delays", actions: [[1, "A"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 0x01, 0x04, 0x81, 0x04, 0, 0] },
                { tag: "one key press", actions: [[1, "A"]], loops: 1, bytes: [0, 1] },
                { tag: "nothing", actions: [], loops: 1, bytes: [0, 1] },
                { tag: "loop count 300", actions: [[1, "A"], [2, "A"]], loops: 300,
                  bytes: [1, 44, 0x01, 0x04, 0x81, 0x04, 0, 0] },
                { tag: "leading and trailing delays", actions: [[0, "500"], [1, "A"], [2, "A"], [0, "70"]],
                  loops: 1, bytes: [0, 1, 0x01, 0x04, 0x81, 0x04, 0, 0] },
                { tag: "delays in a row add up", actions: [[1, "A"], [0, "50"], [0, "50"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 50, 0x04, 0x81, 0x04, 0, 0] },
                { tag: "odd ms on a press rounds up", actions: [[1, "A"], [0, "101"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 51, 0x04, 0x81, 0x04, 0, 0] },
                { tag: "odd ms on a release rounds up", actions: [[2, "A"], [0, "101"], [1, "B"]], loops: 1,
                  bytes: [0, 1, 0x80 | 51, 0x04, 0x01, 0x05, 0, 0] },
                { tag: "252 ms is the longest short gap", actions: [[1, "A"], [0, "252"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 126, 0x04, 0x81, 0x04, 0, 0] },
                { tag: "253 ms", actions: [[2, "A"], [0, "253"], [2, "B"]], loops: 1,
                  bytes: [0, 1, 0x80, 0x04, 0, 1, 0, 12, 0x81, 0x05, 0, 0] },
                { tag: "20 s in 20 ms units", actions: [[1, "A"], [0, "20000"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 0, 0x04, 0, 1, 0x03, 0xE8, 0x81, 0x04, 0, 0] },
                { tag: "600 s in 100 ms units", actions: [[1, "A"], [0, "600000"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 0, 0x04, 0, 3, 0x17, 0x70, 0x81, 0x04, 0, 0] },
                { tag: "200 s in 50 ms units", actions: [[1, "A"], [0, "200000"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 0, 0x04, 0, 2, 0x0F, 0xA0, 0x81, 0x04, 0, 0] },
                { tag: "1200 s stays in 100 ms units", actions: [[1, "A"], [0, "1200000"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 0, 0x04, 0, 3, 0x2E, 0xE0, 0x81, 0x04, 0, 0] },
                { tag: "100 minutes", actions: [[1, "A"], [0, "6000000"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 0, 0x04, 0, 3, 0xEA, 0x60, 0x81, 0x04, 0, 0] },
                { tag: "two hours are bounded", actions: [[1, "A"], [0, "7200000"], [2, "A"]], loops: 1,
                  bytes: [0, 1, 0, 0x04, 0, 3, 0xFF, 0xFF, 0x81, 0x04, 0, 0] },
                { tag: "mouse buttons", actions: [[3, "MS-L"], [4, "MS-L"], [3, "MS-R"], [4, "MS-R"]], loops: 2,
                  bytes: [0, 2, 0x01, 0xF0, 0x81, 0xF0, 0x01, 0xF1, 0x81, 0xF1, 0, 0] }
            ]
        }

        function test_encoding(data) {
            var list = []
            for (var i = 0; i < data.actions.length; ++i)
                list.push({ "type": data.actions[i][0], "info": data.actions[i][1] })
            compare(editor.deCode(list, data.loops), data.bytes)
        }

        function test_recordWithoutTimes() {
            mouseClick(part("recordButton"))
            verify(editor.isInputting)
            compare(actions(), [])
            screen.detectKeyboard(true, 0x04)
            screen.detectKeyboard(true, 0x1F4)
            screen.detectKeyboard(false, 0x04)
            screen.detectMouse(true, 0xF0, 10, 10)
            mouseClick(part("recordButton"))
            verify(!editor.isInputting)
            compare(lastSave(), ["Macro_0", ["1,A", "2,A"], [0, 1, 0x01, 0x04, 0x81, 0x04, 0, 0], 1])
        }

        function test_recordWithTimes() {
            mouseClick(part("delayRecord"))
            mouseClick(part("recordButton"))
            screen.detectKeyboard(true, 0x04)
            tryVerify(function () { return editor.macroRecord.macroRecordCount >= 8 }, 2000)
            screen.detectKeyboard(false, 0x04)
            mouseClick(part("recordButton"))
            var save = lastSave()
            compare(save[1].length, 3)
            compare(save[1][0], "1,A")
            compare(save[1][2], "2,A")
            var ms = parseInt(save[1][1].substring(2), 10)
            verify(ms >= 80 && ms % 10 === 0, save[1][1])
            compare(save[2], [0, 1, ms / 2, 0x04, 0x81, 0x04, 0, 0])
        }

        function test_recordingStopsAtTheSlotSize() {
            mouseClick(part("recordButton"))
            for (var i = 0; i < 80; ++i) {
                screen.detectKeyboard(true, 0x04 + i % 20)
                screen.detectKeyboard(false, 0x04 + i % 20)
            }
            mouseClick(part("recordButton"))
            var save = lastSave()
            compare(save[1].length, 62)
            compare(save[1][61].charAt(0), "2", "the last key is released")
            compare(save[2].length, 128)
            compare(save[2].slice(126), [0, 0])
        }

        function test_limitCountsLongGaps_data() {
            return [
                { tag: "10 ms gaps", delay: "10" },
                { tag: "254 ms gaps", delay: "254" },
                { tag: "600 ms gaps", delay: "600" },
                { tag: "1270 ms gaps", delay: "1270" }
            ]
        }

        // Inserted clicks join a list whose delays need unit pairs: the slot never overflows.
        function test_limitCountsLongGaps(data) {
            var lines = ["Macro_0"]
            for (var i = 0; i < 10; ++i)
                lines.push("1,A", "0," + data.delay, "2,A", "0," + data.delay)
            lines.push("1")
            useLibrary([lines])
            var first = row("macroDataList", 0)
            var list = part("macroDataList").model
            // Inserting goes on until the list has refused three clicks in a row.
            for (var n = 0, refused = 0; n < 70 && refused < 3; ++n) {
                var before = list.count
                mouseClick(first, 20, 10, Qt.RightButton)
                mouseClick(part("menuRow1"))
                refused = list.count === before ? refused + 1 : 0
            }
            compare(refused, 3)
            var bytes = editor.deCode(editor.actionArray(part("macroDataList").model), 1)
            verify(bytes.length <= 128 && bytes.length >= 124, bytes.length + " bytes")
            compare(bytes.slice(bytes.length - 2), [0, 0])
            var saved = ui_View.callsOf("saveMacroIni")
            verify(saved.length > 0)
            compare(saved[saved.length - 1][2], bytes)
        }

        function test_loopCount300() {
            mouseClick(part("countRecord"))
            mouseClick(part("countRecordInput"))
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("300")
            keyClick(Qt.Key_Return)
            compare(lastSave()[3], 300)
            compare(lastSave()[2].slice(0, 2), [1, 44])
        }

        function test_loopCountField_data() {
            return [
                { tag: "empty falls back to 1", enabled: true, typed: "", shown: "1", repeat: 1 },
                { tag: "above 65535 is bounded", enabled: true, typed: "70000", shown: "65535", repeat: 65535 },
                { tag: "read-only while Loops Timer is off", enabled: false, typed: "9", shown: "1", repeat: 1 }
            ]
        }

        function test_loopCountField(data) {
            if (data.enabled)
                mouseClick(part("countRecord"))
            var field = part("countRecordInput")
            mouseClick(field)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            keyClick(Qt.Key_Delete)
            typeText(data.typed)
            keyClick(Qt.Key_Return)
            compare(field.text, data.shown)
            if (data.enabled)
                compare(lastSave()[3], data.repeat)
        }

        function test_newMacroTakesFirstFreeNumber() {
            mouseClick(part("newButton"))
            compare(lastCall("createMacroIni"), ["Macro_1", 2])
            compare(lastCall("updataNameList"), [0, ["Macro_0", "Macro_2", "Macro_1"]])
            compare(editor.currentMacro, 2)
            compare(actions(), [])
            compare(editor.macroListModel.get(2).no, 2)
        }

        function test_hundredMacrosAreTheMost() {
            var macros = []
            for (var i = 0; i < 100; ++i)
                macros.push(["Macro_" + i, "1"])
            useLibrary(macros)
            mouseClick(part("newButton"))
            compare(ui_View.callsOf("createMacroIni"), [])
            compare(editor.macroListModel.count, 100)
        }

        function test_loadOrderFollowsLibraryPositions() {
            ui_View.setResult("getNameList/0", ["c", "a", "b"])
            ui_View.setResult("loadMacroIndex/c", 2)
            ui_View.setResult("loadMacroIndex/a", 0)
            ui_View.setResult("loadMacroIndex/b", 1)
            editor.init()
            compare(editor.macroNames(), ["a", "b", "c"])
        }

        function renameTo(index, name) {
            mouseDoubleClickSequence(row("macroList", index))
            var input = findChild(editor, "macroNameEditor")
            verify(input !== null)
            typeText(name)
            keyClick(Qt.Key_Return)
        }

        function test_renameToExistingNameIsRefused() {
            renameTo(0, "Macro_2")
            compare(ui_View.callsOf("modifyMacroName"), [])
            compare(editor.macroNames(), ["Macro_0", "Macro_2"])
        }

        function test_renameRefusedByLibraryKeepsOldName() {
            ui_View.setResult("modifyMacroName", false)
            renameTo(0, "a/b")
            compare(lastCall("modifyMacroName"), ["Macro_0", "a/b"])
            compare(editor.macroNames(), ["Macro_0", "Macro_2"])
            compare(ui_View.callsOf("updataNameList"), [])
        }

        function test_renameByClickElsewhere() {
            mouseDoubleClickSequence(row("macroList", 1))
            typeText("Jump")
            mouseClick(editor, 300, 420)
            compare(lastCall("modifyMacroName"), ["Macro_2", "Jump"])
            compare(lastCall("updataNameList"), [0, ["Macro_0", "Jump"]])
            compare(editor.macroNames(), ["Macro_0", "Jump"])
        }

        // Buttons 2 and 5 play macro slot 0, which holds Macro_0.
        function useMacroOnButtons() {
            ui_View.setResult("getMacroKey/0", "Macro_0")
            ui_View.setResult("getKeydefine/1", [9, 0, 1, 0])
            ui_View.setResult("getKeydefine/4", [9, 1, 1, 0])
            part("keyMatrixMain").init(false)
            ui_View.clear()
        }

        function test_renameInUseRefreshesButtons() {
            useMacroOnButtons()
            ui_View.setResult("getMacroKey/0", "Jump")
            renameTo(0, "Jump")
            compare(lastCall("modifyMacroName"), ["Macro_0", "Jump"])
            var keys = part("keyMatrixMain").modKeysVar
            compare(keys.get(1).keyText, "Macro: Jump")
            compare(keys.get(4).keyText, "Macro: Jump")
            var matrix = lastCall("ui_12H_SetKeyMatrix")[0]
            compare(matrix.slice(4, 8), [9, 0, 1, 0])
            compare(matrix.slice(16, 20), [9, 1, 1, 0])
        }

        function test_deleteInUseRestoresButtons() {
            useMacroOnButtons()
            mouseClick(row("macroList", 0))
            mouseClick(part("deleteButton"))
            var matrix = lastCall("ui_12H_SetKeyMatrix")[0]
            compare(matrix.slice(4, 8), [0x01, 0x00, 0xF1, 0x00])
            compare(matrix.slice(16, 20), [0x0F, 0x00, 0x05, 0x00])
        }

        function test_delete_data() {
            return [
                { tag: "first", at: 0, left: ["b", "c"], current: 0, shown: ["1,B"] },
                { tag: "middle", at: 1, left: ["a", "c"], current: 1, shown: ["1,C"] },
                { tag: "last", at: 2, left: ["a", "b"], current: 1, shown: ["1,B"] }
            ]
        }

        function test_delete(data) {
            useLibrary([["a", "1,A", "1"], ["b", "1,B", "1"], ["c", "1,C", "1"]])
            mouseClick(row("macroList", data.at))
            var removed = editor.macroNames()[data.at]
            mouseClick(part("deleteButton"))
            compare(deleteSpy.count, 1)
            compare(deleteSpy.signalArguments[0][0], removed)
            compare(lastCall("deleteMacroIni"), [removed])
            compare(editor.macroNames(), data.left)
            compare(editor.currentMacro, data.current)
            compare(actions(), data.shown)
            compare(ui_View.callsOf("setMacroIndex"), [[data.left[0], 0], [data.left[1], 1]])
            compare(editor.macroListModel.get(0).no, 0)
            compare(editor.macroListModel.get(1).no, 1)
            compare(lastCall("changeMacroFileIndex"), [data.at + 1])
            compare(lastCall("updataNameList"), [0, data.left])
        }

        function test_contextMenu_data() {
            return [
                { tag: "left button after the first", at: 0, command: 1,
                  result: ["1,A", "3,MS-L", "4,MS-L", "0,100", "2,A"] },
                { tag: "middle button after the last", at: 2, command: 2,
                  result: ["1,A", "0,100", "2,A", "3,MS-M", "4,MS-M"] },
                { tag: "right button", at: 1, command: 3, result: ["1,A", "0,100", "3,MS-R", "4,MS-R", "2,A"] },
                { tag: "delay before the selected", at: 2, command: 4, result: ["1,A", "0,100", "0,50", "2,A"] },
                { tag: "delete", at: 1, command: 0, result: ["1,A", "2,A"] }
            ]
        }

        function test_contextMenu(data) {
            mouseClick(row("macroDataList", data.at), 30, 10, Qt.RightButton)
            verify(part("actionMenu").visible)
            compare(editor.selectedAction, data.at)
            mouseClick(part("menuRow" + data.command))
            verify(!part("actionMenu").visible)
            compare(actions(), data.result)
            compare(lastSave()[1], data.result)
            if (data.command === 4)
                compare(editor.selectedAction, data.at)
        }

        function test_delayEdit_data() {
            return [
                { tag: "enter", typed: "400", finish: "enter", info: "400", saved: true },
                { tag: "click elsewhere", typed: "75", finish: "click", info: "75", saved: true },
                { tag: "empty text is discarded", typed: "", finish: "enter", info: "100", saved: false }
            ]
        }

        function test_delayEdit(data) {
            mouseDoubleClickSequence(row("macroDataList", 1), 30, 10)
            var input = findChild(editor, "delayEditor")
            verify(input !== null)
            keyClick(Qt.Key_Delete)
            typeText(data.typed)
            if (data.finish === "enter")
                keyClick(Qt.Key_Return)
            else
                mouseClick(part("countRecord"))
            compare(actions()[1], "0," + data.info)
            compare(ui_View.callsOf("saveMacroIni").length, data.saved ? 1 : 0)
        }

        function test_onlyKeysCanNotBeEditedInPlace() {
            mouseDoubleClickSequence(row("macroDataList", 0), 30, 10)
            compare(findChild(editor, "delayEditor"), null)
        }

        // Another profile's slot numbers belong to that profile's macros.
        function test_saveSendsToCurrentProfileSlots() {
            ui_View.setResult("isMacroUse/Macro_0", ["Name", "2", "3", "2"])
            ui_View.setResult("getMacroKey/2", "Macro_0")
            ui_View.setResult("getMacroKey/3", "Other")
            mouseClick(row("macroDataList", 1), 30, 10, Qt.RightButton)
            mouseClick(part("menuRow0"))
            compare(ui_View.callsOf("sendMacroData"), [[[0, 1, 0x01, 0x04, 0x81, 0x04, 0, 0], 2]])
        }

        function test_sendMacroKeepsTheEditorsLoopCount() {
            ui_View.setResult("loadMacroIni/Other", ["1,B", "0,20", "2,B", "7"])
            editor.sendMacro(4, "Other")
            compare(lastCall("sendMacroData"), [[0, 7, 10, 0x05, 0x81, 0x05, 0, 0], 4])
            compare(part("countRecordInput").text, "1")
            editor.sendMacro(4, "Missing")
            compare(ui_View.callsOf("sendMacroData").length, 1)
        }

        function test_okAndCancelStopRecording_data() {
            return [ { tag: "OK", button: "okButton" }, { tag: "Cancel", button: "dialogCancel" } ]
        }

        function test_okAndCancelStopRecording(data) {
            mouseClick(part("recordButton"))
            screen.detectKeyboard(true, 0x05)
            mouseClick(findChild(editor, data.button))
            verify(!editor.visible)
            verify(!part("mainMask").visible)
            verify(!editor.isInputting)
            compare(lastSave()[1], ["1,B"])
        }

        function test_dragStaysInsideWindow() {
            var startX = editor.x
            mousePress(editor, 320, 20)
            for (var i = 1; i <= 20; ++i)
                mouseMove(editor, 320 + i * 40, 20 + i * 40)
            mouseRelease(editor, 320 + 800, 20 + 800)
            compare(editor.x, screen.width - editor.width)
            compare(editor.y, screen.height - editor.height)
            verify(editor.x !== startX)
        }
    }
}
