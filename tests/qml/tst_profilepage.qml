import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ScreenTestCase {
        name: "ProfilePage"

        property var page: null

        function init() {
            ui_View.clear()
            ui_View.clearResults()
            page = part("profileMain")
            if (!page.visible)
                mouseClick(part("profileBtn"))
            compare(page.visible, true)
        }

        function cleanup() {
            page.profileEditorFocus()
            if (page.visible)
                mouseClick(part("profileBtn"))
            screen.isProfileChanged = false
            compare(ui_View.warnings(), [])
        }

        // Fills the page from a stored list as the start-up does, then forgets the calls.
        function load(entries, language, active) {
            ui_View.setResult("getNameList/2", entries)
            screen.language = language === undefined ? 1 : language
            page.profileNo = active === undefined ? 0 : active
            page.init()
            ui_View.clear()
        }

        function row(index) {
            var list = part("profileList")
            list.forceLayout()
            var item = list.itemAtIndex(index)
            verify(item !== null, "no row " + index)
            return item
        }

        function rowNames() {
            var names = []
            for (var i = 0; i < page.rowCount; ++i)
                names.push(row(i).name)
            return names
        }

        function storedLists() {
            var lists = []
            var calls = ui_View.callsOf("updataNameList")
            for (var i = 0; i < calls.length; ++i) {
                compare(calls[i][0], 2)
                lists.push(calls[i][1])
            }
            return lists
        }

        function openMenuOn(index) {
            mouseClick(row(index), 30, 9, Qt.RightButton)
            compare(part("profileMenu").visible, true)
        }

        function menuCommand(cmd) {
            mouseClick(part("profileMenuRow" + cmd))
            compare(part("profileMenu").visible, false)
        }

        function editor(index) {
            var input = findChild(row(index), "profileNameEditor")
            verify(input !== null)
            return input
        }

        function test_readingTheStoredList_data() {
            return [
                { tag: "marker after one entry", entries: ["A0", "loadertovrim"], names: ["A"], numbers: [0] },
                { tag: "marker among three", entries: ["A0", "loadertovrim", "B2"], names: ["A", "B"],
                  numbers: [0, 2] },
                { tag: "digit names", entries: ["profile_03", "12"], names: ["profile_0", "1"], numbers: [3, 2] },
                { tag: "entry without number skipped", entries: ["x3", "broken", "y1"], names: ["x", "y"],
                  numbers: [3, 1] },
                { tag: "seven entries", entries: ["a0", "b1", "c2", "d3", "e4", "f5", "g6"],
                  names: ["a", "b", "c", "d", "e", "f"], numbers: [0, 1, 2, 3, 4, 5] },
                { tag: "nothing stored", entries: [], names: [], numbers: [] }
            ]
        }

        function test_readingTheStoredList(data) {
            load(data.entries, 1)
            compare(rowNames(), data.names)
            for (var i = 0; i < data.numbers.length; ++i)
                compare(part("profileList").model.get(i).profileNo, data.numbers[i])
            compare(ui_View.callsOf("updataNameList").length, 0)
        }

        function test_currentRow_data() {
            return [
                { tag: "active profile listed", active: 3, current: 1 },
                { tag: "active profile not listed", active: 4, current: 0 },
                { tag: "first", active: 0, current: 0 }
            ]
        }

        function test_currentRow(data) {
            load(["a0", "b3", "c1"], 1, data.active)
            compare(page.currentRow, data.current)
            compare(String(row(data.current).color), "#b03b3b")
            var other = data.current === 2 ? 1 : 2
            compare(String(row(other).color), "#00000000")
            mouseMove(row(other), 20, 9)
            tryVerify(function () { return String(row(other).color) === "#999999" })
            mouseMove(part("dialogTitle"), 2, 2)
            tryVerify(function () { return String(row(other).color) === "#00000000" })
        }

        function test_englishRenamesRowsZeroAndOne() {
            ui_View.setResult("getNameList/2", ["x0", "y1", "z3"])
            screen.language = 0
            page.init()
            compare(rowNames(), ["PUBG", "Standard", "z"])
            compare(storedLists(), [["PUBG0", "y1", "z3"], ["PUBG0", "Standard1", "z3"]])
            load(["own4"], 0)
            compare(rowNames(), ["PUBG"])
            load(["x0", "y1", "z3"], 1)
            compare(rowNames(), ["x", "y", "z"])
        }

        function test_menuTexts() {
            var menu = part("profileMenu")
            compare(findChild(menu, "profileMenuRow0").children[0].text, page.menuTexts[0])
            load(["a0"], 1)
            compare(page.menuTexts, ["Delete", "Edit", "Copy", "Load", "Save"])
            compare(findChild(menu, "profileMenuRow4").children[0].text, "Save")
        }

        function test_newTakesTheFreeNumberAndResetsIt_data() {
            return [
                { tag: "numbers 0 1 3", entries: ["a0", "b1", "d3"], number: 2, name: "profile_0" },
                { tag: "name taken", entries: ["profile_00", "profile_11"], number: 2, name: "profile_2" },
                { tag: "empty list", entries: [], number: 0, name: "profile_0" }
            ]
        }

        function test_newTakesTheFreeNumberAndResetsIt(data) {
            // Active profile 5 is in none of the lists, so every new row is a switch.
            load(data.entries, 1, 5)
            mouseClick(part("profileNewButton"))
            compare(page.rowCount, data.entries.length + 1)
            compare(row(page.rowCount - 1).name, data.name)
            compare(page.currentRow, page.rowCount - 1)
            var names = ui_View.names()
            compare(names.slice(0, 3), ["updataNameList", "resetProfile", "ui_02H_SetCurrentProfile"])
            compare(lastCall("resetProfile"), [data.number])
            compare(lastCall("ui_02H_SetCurrentProfile"), [data.number])
            compare(storedLists(), [data.entries.concat([data.name + data.number])])
            compare(page.profileNo, data.number)
        }

        function test_newSkipsTakenNames() {
            var entries = []
            for (var k = 0; k < 5; ++k)
                entries.push("profile_" + k + k)
            load(entries, 1)
            mouseClick(part("profileNewButton"))
            compare(row(5).name, "profile_5")
        }

        function test_newAndCopyOnAFullListChangeNothing() {
            var entries = ["a0", "b1", "c2", "d3", "e4", "f5"]
            load(entries, 1)
            mouseClick(part("profileNewButton"))
            openMenuOn(2)
            ui_View.clear()
            menuCommand(2)
            compare(page.rowCount, 6)
            compare(ui_View.calls().length, 0)
        }

        function test_copy_data() {
            return [
                { tag: "Game(0) exists", entries: ["Game0", "Game(0)1"], source: 0, name: "Game(1)", number: 2 },
                { tag: "plain", entries: ["x2", "y0"], source: 1, name: "y(0)", number: 1 },
                { tag: "copy of a copy", entries: ["x(0)0"], source: 0, name: "x(0)(0)", number: 1 }
            ]
        }

        function test_copy(data) {
            load(data.entries, 1)
            openMenuOn(data.source)
            ui_View.clear()
            menuCommand(2)
            compare(row(page.rowCount - 1).name, data.name)
            compare(page.currentRow, page.rowCount - 1)
            compare(ui_View.names().slice(0, 3), ["copyProfile", "updataNameList", "ui_02H_SetCurrentProfile"])
            var source = part("profileList").model.get(data.source).profileNo
            compare(lastCall("copyProfile"), [data.number, source])
            compare(storedLists(), [data.entries.concat([data.name + data.number])])
        }

        function test_clicksSelectAndSwitch() {
            load(["a0", "b3", "c1"], 1, 0)
            mouseClick(row(1))
            compare(page.currentRow, 1)
            compare(page.profileNo, 3)
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile"), [[3]])
            compare(part("profileMenu").visible, false)
            mouseClick(row(2), 20, 9, Qt.RightButton)
            compare(page.currentRow, 2)
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile"), [[3], [1]])
            compare(part("profileMenu").visible, true)
            mouseClick(row(2))
            compare(part("profileMenu").visible, false)
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile"), [[3], [1]])
        }

        function test_menuOpensAtThePointer_data() {
            return [
                { tag: "row 0 left", row: 0, x: 5, y: 2 },
                { tag: "row 2 right", row: 2, x: 200, y: 15 }
            ]
        }

        function test_menuOpensAtThePointer(data) {
            load(["a0", "b1", "c2"], 1)
            mouseClick(row(data.row), data.x, data.y, Qt.RightButton)
            var menu = part("profileMenu")
            compare(menu.x, data.x)
            compare(menu.y, 31 + 3 + 18 * data.row + data.y + 3)
            mousePress(part("profileList"), 100, 100)
            mouseRelease(part("profileList"), 100, 100)
            compare(menu.visible, false)
        }

        function test_deleteButtonNeedsThreeRows() {
            load(["a0", "b1"], 1)
            mouseClick(part("profileDeleteButton"))
            compare(page.rowCount, 2)
            compare(ui_View.calls().length, 0)
            load(["a0", "b1", "c2"], 1, 1)
            mouseClick(part("profileDeleteButton"))
            compare(rowNames(), ["a", "c"])
            compare(page.currentRow, 1)
            compare(storedLists(), [["a0", "c2"]])
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile"), [[2]])
            compare(ui_View.callsOf("resetProfile").length, 0)
        }

        function test_menuDeleteKeepsTheLastRow() {
            load(["a0", "b1"], 1)
            openMenuOn(1)
            ui_View.clear()
            menuCommand(0)
            compare(rowNames(), ["a"])
            compare(page.currentRow, 0)
            compare(storedLists(), [["a0"]])
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile"), [[0]])
            openMenuOn(0)
            ui_View.clear()
            menuCommand(0)
            compare(rowNames(), ["a"])
            compare(ui_View.calls().length, 0)
        }

        function test_renameByTyping() {
            load(["a0", "b1"], 1)
            mouseDoubleClickSequence(row(1), 20, 9)
            var input = editor(1)
            compare(input.visible, true)
            compare(input.activeFocus, true)
            compare(input.selectedText, "b")
            keyClick(Qt.Key_N)
            keyClick(Qt.Key_E)
            keyClick(Qt.Key_W)
            keyClick(Qt.Key_Return)
            compare(input.visible, false)
            compare(rowNames(), ["a", "new"])
            compare(storedLists(), [["a0", "new1"]])
        }

        function test_renameRules_data() {
            return [
                { tag: "another row's name", text: "a", names: ["a", "b", "c"] },
                { tag: "its own name", text: "b", names: ["a", "b", "c"] },
                { tag: "empty", text: "", names: ["a", "b", "c"] },
                { tag: "only blanks", text: "   ", names: ["a", "b", "c"] },
                { tag: "line break", text: "x\ny", names: ["a", "b", "c"] },
                { tag: "tab", text: "x\ty", names: ["a", "b", "c"] },
                { tag: "lone surrogate", text: "x\ud800", names: ["a", "b", "c"] },
                { tag: "blanks around another row's name", text: " c ", names: ["a", "b", "c"] },
                { tag: "blanks trimmed", text: "  Raid  ", names: ["a", "Raid", "c"] },
                { tag: "Chinese", text: "射击", names: ["a", "射击", "c"] },
                { tag: "comma and quote", text: "a, \"b\"", names: ["a", "a, \"b\"", "c"] },
                { tag: "pair outside the plane", text: "x\ud83d\ude00", names: ["a", "x\ud83d\ude00", "c"] }
            ]
        }

        function test_renameRules(data) {
            load(["a0", "b1", "c2"], 1)
            mouseDoubleClickSequence(row(1), 20, 9)
            editor(1).text = data.text
            keyClick(Qt.Key_Enter)
            compare(rowNames(), data.names)
            var changed = data.names[1] !== "b"
            compare(storedLists(), changed ? [["a0", data.names[1] + "1", "c2"]] : [])
        }

        function test_editingEnds_data() {
            return [
                { tag: "press on the list's empty part", how: "list", name: "zz" },
                { tag: "press on the mask", how: "mask", name: "zz" },
                { tag: "close button", how: "close", name: "zz" },
                { tag: "profile button", how: "profileButton", name: "zz" },
                { tag: "another row", how: "row", name: "zz" },
                { tag: "escape", how: "escape", name: "b" }
            ]
        }

        function test_editingEnds(data) {
            load(["a0", "b1"], 1)
            openMenuOn(1)
            menuCommand(1)
            compare(editor(1).visible, true)
            compare(editor(1).selectedText, "b")
            editor(1).text = "zz"
            if (data.how === "list")
                mouseClick(part("profileList"), 100, 120)
            else if (data.how === "mask")
                mouseClick(part("mainMask"), 700, 300)
            else if (data.how === "close")
                mouseClick(findChild(page, "dialogClose"))
            else if (data.how === "profileButton")
                mouseClick(part("profileBtn"))
            else if (data.how === "row")
                mouseClick(row(0))
            else
                keyClick(Qt.Key_Escape)
            compare(editor(1).visible, false)
            compare(rowNames(), ["a", data.name])
        }

        function test_closeButtonAfterSwitchSendsTheProfile() {
            load(["a0", "b1"], 1, 0)
            var spy = closeSpy
            spy.target = page
            spy.clear()
            mouseClick(row(1))
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile"), [[1]])
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 0)
            verify(ui_View.callsOf("ui_91H_GetDPISet").length > 0)
            mouseClick(part("profileBtn"))
            compare(spy.count, 0)
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 0)
            mouseClick(part("profileBtn"))
            ui_View.clear()
            mouseClick(findChild(page, "dialogClose"))
            compare(spy.count, 1)
            compare(page.visible, false)
            compare(part("mainMask").visible, false)
            compare(ui_View.names()[0], "setEnabled")
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 1)
            compare(ui_View.callsOf("setVerticalScrollLines").length, 1)
            tryCompare(part("protectUIItem"), "isBusy", false, 3000)
        }

        function test_load_data() {
            return [
                { tag: "imported", result: true },
                { tag: "cancelled or refused", result: false }
            ]
        }

        function test_load(data) {
            load(["a0", "b4"], 1, 4)
            ui_View.setResult("loadProfile", data.result)
            openMenuOn(1)
            ui_View.clear()
            menuCommand(3)
            compare(ui_View.callsOf("loadProfile"), [[4]])
            if (!data.result) {
                compare(ui_View.calls().length, 1)
                return
            }
            var names = ui_View.names()
            compare(names.slice(0, 2), ["loadProfile", "setEnabled"])
            var order = ["getXYSensitive", "ui_0EH_SetXYSensitive", "ui_11H_SetDPISet", "ui_0DH_SetRGBLedEffect",
                         "ui_01H_SetReportRate", "setCursorSpeed", "setDoubleClickSpeed", "setVerticalScrollLines"]
            var last = -1
            for (var i = 0; i < order.length; ++i) {
                var at = names.indexOf(order[i])
                verify(at > last, order[i] + " out of order")
                last = at
            }
            tryCompare(part("protectUIItem"), "isBusy", false, 3000)
            // The import finished what the switch had started: closing sends nothing again.
            ui_View.clear()
            mouseClick(findChild(page, "dialogClose"))
            compare(ui_View.calls().length, 0)
        }

        function test_save() {
            load(["a0", "b5"], 1, 0)
            openMenuOn(1)
            ui_View.clear()
            menuCommand(4)
            compare(ui_View.callsOf("saveProfile"), [[5]])
            compare(ui_View.names(), ["saveProfile"])
        }

        SignalSpy {
            id: closeSpy
            signalName: "closeUI"
        }
    }
}
