import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ScreenTestCase {
        name: "KeyMatrix"

        property var matrix: null
        property var menu: null
        property var mouse: null
        // Codes as a profile file gives them back: texts of decimal numbers.
        readonly property var storedDefaults: [["1", "0", "240", "0"], ["1", "0", "241", "0"],
            ["1", "0", "242", "0"], ["15", "0", "46", "0"], ["15", "0", "5", "0"], ["7", "0", "1", "0"],
            ["7", "0", "2", "0"], ["8", "0", "2", "0"], ["0", "0", "0", "0"], ["0", "0", "0", "0"],
            ["0", "0", "0", "0"], ["0", "0", "0", "0"], ["0", "0", "0", "0"], ["0", "0", "0", "0"],
            ["4", "0", "1", "0"], ["4", "0", "2", "0"]]

        function setUpFake() {
            storeDefaults()
        }

        function storeDefaults() {
            for (var i = 0; i < 16; ++i)
                ui_View.setResult("getKeydefine/" + i, storedDefaults[i])
            ui_View.setResult("getMacroKey/0", "Combo")
            ui_View.setResult("getMacroKey/1", "Sprint")
        }

        function init() {
            matrix = part("keyMatrixMain")
            menu = part("keyMenuMain")
            mouse = part("mouseMain")
            screen.focusControl()
            part("singleKeyMain").visible = false
            part("macroKeyMain").visible = false
            part("mainMask").visible = false
            mouseMove(root, 990, 630)
            mouse.selectKey = -1
            screen.language = 0
            storeDefaults()
            matrix.init(false)
            ui_View.clear()
        }

        function sentMatrix() {
            var calls = ui_View.callsOf("ui_12H_SetKeyMatrix")
            compare(calls.length, 1)
            compare(calls[0][0].length, 64)
            return calls[0][0]
        }

        function entryOf(list, entry) {
            return list.slice(entry * 4, entry * 4 + 4)
        }

        function shownText(row) {
            return part("keyText" + row).text
        }

        // Clicks the row's assignment box, points at the sub-menu entry if any, clicks the entry.
        function choose(row, subEntry, entry) {
            mouseClick(part("keyBox" + row))
            compare(menu.visible, true)
            if (subEntry >= 0)
                mouseMove(part("menuEntry" + subEntry))
            var target = part("menuEntry" + entry)
            verify(target.visible, "entry " + entry + " is not shown")
            mouseClick(target)
        }

        function test_menuChoice_data() {
            return [
                { tag: "DPI LOOP on button 3", row: 2, sub: 6, entry: 102, bytes: [7, 0, 3, 0], text: "DPI LOOP" },
                { tag: "Forward on button 5", row: 4, sub: -1, entry: 14, bytes: [1, 0, 0xF4, 0], text: "Forward" },
                { tag: "Back on button 4", row: 3, sub: -1, entry: 15, bytes: [1, 0, 0xF3, 0], text: "Back" },
                { tag: "Mute on button 6", row: 5, sub: 7, entry: 205, bytes: [3, 0, 0xE2, 0], text: "Mute" },
                { tag: "Media Player on button 2", row: 1, sub: 7, entry: 200, bytes: [3, 0, 0x83, 1],
                  text: "Media Player" },
                { tag: "Copy on button 2", row: 1, sub: 8, entry: 302, bytes: [0, 0, 0xE0, 6], text: "Copy" },
                { tag: "Maximize on button 7", row: 6, sub: 9, entry: 403, bytes: [0, 4, 0x2C, 0x1B],
                  text: "Maximize" },
                { tag: "Web Home on button 6", row: 5, sub: 9, entry: 401, bytes: [3, 0, 0x23, 2], text: "Web Home" },
                { tag: "Double click on button 4", row: 3, sub: -1, entry: 5, bytes: [0x0A, 0xF0, 0x1E, 2],
                  text: "Double Click" },
                { tag: "Deactivated on button 3", row: 2, sub: -1, entry: 13, bytes: [0, 0, 0, 0],
                  text: "Deactivated" },
                { tag: "Auto Run on button 7", row: 6, sub: -1, entry: 3, bytes: [0x0F, 0, 0x2E, 0], text: "Auto Run" }
            ]
        }

        function test_menuChoice(data) {
            choose(data.row, data.sub, data.entry)
            var list = sentMatrix()
            compare(entryOf(list, data.row), data.bytes)
            compare(entryOf(list, 0), [1, 0, 0xF0, 0])
            compare(entryOf(list, 7), [8, 0, 2, 0])
            compare(entryOf(list, 15), [4, 0, 2, 0])
            compare(shownText(data.row), data.text)
            compare(menu.visible, false)
            compare(mouse.selectKey, -1)
        }

        function test_lastLeftButton_data() {
            return [
                { tag: "only left button stays", before: [], bytes: [1, 0, 0xF0, 0], text: "Left Button" },
                { tag: "a second left button frees the first", before: [[1, 0]], bytes: [1, 0, 0xF1, 0],
                  text: "Right Button" },
                { tag: "a hidden entry counts as well", stored: 9, before: [], bytes: [1, 0, 0xF1, 0],
                  text: "Right Button" }
            ]
        }

        function test_lastLeftButton(data) {
            if (data.stored !== undefined) {
                ui_View.setResult("getKeydefine/" + data.stored, ["1", "0", "240", "0"])
                matrix.init(false)
            }
            for (var i = 0; i < data.before.length; ++i)
                choose(data.before[i][0], -1, data.before[i][1])
            ui_View.clear()
            choose(0, -1, 1)
            compare(entryOf(sentMatrix(), 0), data.bytes)
            compare(shownText(0), data.text)
            verify(matrix.checkLeftKey() >= 1)
        }

        function test_macroAssignment() {
            // What the macro key dialog does for slot 0 with "loop until any button".
            matrix.modifyData(3, 9, 1, 0, 0)
            matrix.refreashUI()
            compare(shownText(3), "Macro: Combo")
            compare(entryOf(sentMatrix(), 3), [9, 1, 1, 0])
            compare(matrix.modKeysVar.get(3).keyCode2, 0)

            ui_View.clear()
            ui_View.setResult("getKeydefine/3", ["9", "1", "1", "0"])
            matrix.init(true)
            compare(matrix.modKeysVar.get(3).keyCode2, 0)
            compare(shownText(3), "Macro: Combo")
            compare(entryOf(sentMatrix(), 3), [9, 1, 1, 0])
            compare(ui_View.callsOf("getMacroKey")[0], [0])
        }

        function test_gunButtonSent_data() {
            return [
                { tag: "refresh, model deactivated", stored: ["0", "0", "0", "0"], send: "refresh", bytes: [8, 0, 2, 0] },
                { tag: "refresh, model left button", stored: ["1", "0", "240", "0"], send: "refresh", bytes: [8, 0, 2, 0] },
                { tag: "init, stored deactivated", stored: ["0", "0", "0", "0"], send: "init", bytes: [0, 0, 0, 0] },
                { tag: "init, stored gun key", stored: ["8", "0", "2", "0"], send: "init", bytes: [8, 0, 2, 0] }
            ]
        }

        function test_gunButtonSent(data) {
            ui_View.setResult("getKeydefine/7", data.stored)
            if (data.send === "refresh") {
                matrix.init(false)
                compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 0)
                matrix.refreashUI()
            } else {
                matrix.init(true)
            }
            compare(entryOf(sentMatrix(), 7), data.bytes)
        }

        function test_initWithoutSending() {
            matrix.init(false)
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 0)
            compare(ui_View.callsOf("getKeydefine").length, 16)
            compare(shownText(0), "Left Button")
            compare(part("keyBox7").visible, true)
            // Only the eight buttons of the mouse get a row.
            compare(findChild(screen, "keyBox8"), null)
        }

        function test_displayTexts_data() {
            return [
                { tag: "single key", stored: ["0", "0", "44", "0"], language: 0, text: "Keyboard Key-Space" },
                { tag: "auto run", stored: ["15", "0", "46", "0"], language: 0, text: "Auto Run" },
                { tag: "unknown code", stored: ["18", "52", "86", "120"], language: 0, text: "" },
                { tag: "deactivated", stored: ["0", "0", "0", "0"], language: 0, text: "Deactivated" },
                { tag: "macro without a name", stored: ["9", "0", "4", "0"], language: 0, text: "Macro: " },
                { tag: "gun function", stored: ["8", "0", "2", "0"], language: 0, text: "Fn ( Rifle ) " },
                { tag: "shortcut", stored: ["0", "0", "224", "29"], language: 0, text: "Undo" },
                { tag: "single key, Chinese", stored: ["0", "0", "44", "0"], language: 1, text: "键盘按键-Space" },
                { tag: "auto run, Chinese", stored: ["15", "0", "46", "0"], language: 1, text: "自动奔跑" },
                { tag: "unknown code, Chinese", stored: ["18", "52", "86", "120"], language: 1, text: "" }
            ]
        }

        function test_displayTexts(data) {
            var builtIn = matrix.keyMatrixLang
            if (data.language === 1)
                matrix.keyMatrixLang = ["宏：", "按键关闭", "键盘按键-", "按键设置", "按键 "]
            screen.language = data.language
            part("gunControlMain").selectGunName = "Rifle"
            ui_View.setResult("getKeydefine/4", data.stored)
            matrix.init(false)
            var shown = shownText(4)
            matrix.keyMatrixLang = builtIn
            part("gunControlMain").selectGunName = ""
            compare(shown, data.text)
        }

        function test_damagedEntriesTakeTheirDefaults() {
            ui_View.setResult("getKeydefine/5", [])
            ui_View.setResult("getKeydefine/6", ["7", "x", "2", "0"])
            ui_View.setResult("getKeydefine/2", ["7", "0", "3", "0"])
            matrix.init(true)
            var list = sentMatrix()
            compare(entryOf(list, 5), [7, 0, 1, 0])
            compare(entryOf(list, 6), [7, 0, 2, 0])
            compare(entryOf(list, 2), [7, 0, 3, 0])
            compare(entryOf(list, 15), [4, 0, 2, 0])
            compare(shownText(5), "DPI +")
        }

        function test_deletedMacroRestoresDefaults() {
            ui_View.setResult("getKeydefine/1", ["9", "0", "1", "0"])
            ui_View.setResult("getKeydefine/4", ["9", "2", "1", "0"])
            ui_View.setResult("getKeydefine/5", ["9", "0", "2", "0"])
            matrix.init(false)
            compare(shownText(1), "Macro: Combo")
            compare(shownText(5), "Macro: Sprint")
            ui_View.clear()
            part("macroEditorMain").deleteMacroSignal("Combo")
            var list = sentMatrix()
            compare(entryOf(list, 1), [1, 0, 0xF1, 0])
            compare(entryOf(list, 4), [0x0F, 0, 5, 0])
            compare(entryOf(list, 5), [9, 0, 2, 0])
            compare(shownText(1), "Right Button")
            compare(shownText(4), "Fire Mode")
        }

        function test_singleKey_data() {
            return [
                { tag: "backslash", code: 0x31, name: "\\ |", sent: 0x32 },
                { tag: "letter", code: 0x04, name: "A", sent: 0x04 },
                { tag: "left alt", code: 0xE2, name: "L Alt", sent: 0xE2 },
                { tag: "arrow", code: 0x52, name: "▲", sent: 0x52 }
            ]
        }

        function test_singleKey(data) {
            choose(3, -1, 10)
            var dialog = part("singleKeyMain")
            compare(dialog.visible, true)
            compare(menu.visible, false)
            compare(part("mainMask").visible, true)
            compare([dialog.x, dialog.y], [Math.round((1000 - dialog.width) / 2), Math.round((640 - dialog.height) / 2)])
            compare(mouse.selectKey, 3)
            screen.detectKeyboard(true, 0x05)
            compare(findChild(dialog, "singleKeyName").text, "B")
            screen.detectKeyboard(true, data.code)
            screen.detectKeyboard(false, data.code)
            compare(findChild(dialog, "singleKeyName").text, data.name)
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 0)
            mouseClick(findChild(dialog, "singleKeyOk"))
            compare(entryOf(sentMatrix(), 3), [0, 0, data.sent, 0])
            compare(dialog.visible, false)
            compare(part("mainMask").visible, false)
            compare(mouse.selectKey, -1)
        }

        function test_singleKeyWithoutChange_data() {
            return [
                { tag: "cancel", key: 0x04, control: "dialogCancel" },
                { tag: "close", key: 0x04, control: "dialogClose" },
                { tag: "ok without a key", key: -1, control: "singleKeyOk" },
                { tag: "ok with a key without a name", key: 0x01, control: "singleKeyOk" }
            ]
        }

        function test_singleKeyWithoutChange(data) {
            choose(2, -1, 10)
            var dialog = part("singleKeyMain")
            if (data.key >= 0)
                screen.detectKeyboard(true, data.key)
            mouseClick(findChild(dialog, data.control))
            compare(dialog.visible, false)
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 0)
            compare(shownText(2), "Middle Button")
            // Opened again, the field starts empty; keys while it is hidden change nothing.
            screen.detectKeyboard(true, 0x06)
            choose(2, -1, 10)
            compare(findChild(dialog, "singleKeyName").text, "")
            mouseClick(findChild(dialog, "dialogCancel"))
        }

        function test_subMenuOnHover_data() {
            return [
                { tag: "basic commands", row: 0, hover: [8], shown: "subMenuBasic", y: 150 },
                { tag: "multimedia", row: 1, hover: [7], shown: "subMenuMedia", y: 171 },
                { tag: "additional commands", row: 2, hover: [9], shown: "subMenuWindows", y: 192 },
                { tag: "dpi setting", row: 6, hover: [6], shown: "subMenuDpi", y: 213 },
                { tag: "last one wins", row: 3, hover: [6, 8, 7], shown: "subMenuMedia", y: 171 },
                { tag: "back hides", row: 3, hover: [6, 15], shown: "", y: 0 },
                { tag: "double click hides", row: 3, hover: [9, 5], shown: "", y: 0 },
                { tag: "other entries leave it", row: 4, hover: [9, 0, 3, 10, 13], shown: "subMenuWindows", y: 192 },
                { tag: "into the sub-menu", row: 5, hover: [6, 101], shown: "subMenuDpi", y: 213 }
            ]
        }

        function test_subMenuOnHover(data) {
            mouseClick(part("keyBox" + data.row))
            compare([menu.x, menu.y], [249, 131 + 21 * data.row])
            for (var i = 0; i < data.hover.length; ++i)
                mouseMove(part("menuEntry" + data.hover[i]))
            var subs = ["subMenuBasic", "subMenuMedia", "subMenuWindows", "subMenuDpi"]
            for (var s = 0; s < subs.length; ++s)
                compare(part(subs[s]).visible, subs[s] === data.shown, subs[s])
            if (data.shown !== "") {
                var sub = part(data.shown)
                var at = sub.mapToItem(screen, 0, 0)
                compare([at.x, at.y], [249 + 134, 131 + 21 * data.row + data.y])
            }
            // A click on an entry that opens a sub-menu chooses nothing.
            mouseClick(part("menuEntry6"))
            compare(menu.visible, true)
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 0)
            // Opening the menu again starts without a sub-menu.
            mouseClick(part("keyBox" + data.row))
            for (s = 0; s < subs.length; ++s)
                compare(part(subs[s]).visible, false, subs[s])
        }

        function test_menuEntriesShown() {
            mouseClick(part("keyBox1"))
            compare(part("menuEntry12").visible, false)
            var shown = [0, 1, 2, 3, 14, 4, 15, 8, 7, 9, 6, 5, 10, 11, 13]
            var texts = ["Left Button", "Right Button", "Middle Button", "Auto Run", "Forward", "Fire Mode", "Back",
                         "Basic Commands +", "Multimedia Commands +", "Additional Commands +", "DPI Setting +",
                         "Double Click", "Assign Keyboard Key", "Macro", "Deactivated"]
            for (var i = 0; i < shown.length; ++i) {
                var row = part("menuEntry" + shown[i])
                compare(row.mapToItem(menu, 0, 0).y, 3 + 21 * i, "entry " + shown[i])
                compare(row.children[0].text, texts[i])
            }
            verify(menu.y + menu.height <= 640)
        }

        function test_rowSwitchWhileMenuOpen() {
            mouseClick(part("keyBox1"))
            compare(menu.y, 152)
            mouseClick(part("keyBox4"))
            compare(menu.visible, true)
            compare(menu.y, 215)
            compare(mouse.selectKey, 4)
            mouseClick(part("menuEntry2"))
            var list = sentMatrix()
            compare(entryOf(list, 4), [1, 0, 0xF2, 0])
            compare(entryOf(list, 1), [1, 0, 0xF1, 0])
        }

        function test_macroEntryOpensMacroKeyDialog() {
            choose(2, -1, 11)
            var dialog = part("macroKeyMain")
            compare(dialog.visible, true)
            compare(menu.visible, false)
            compare([dialog.uiType, dialog.macroType], [0, 0])
            compare(part("mainMask").visible, true)
            compare(mouse.selectKey, 2)
            // Under the dialog the pointer on the rows leaves the edited button selected.
            mouseMove(part("keyBox5"))
            mouseMove(root, 990, 630)
            compare(mouse.selectKey, 2)
            dialog.closeSure()
            compare(mouse.selectKey, -1)
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 0)
        }

        function test_hoverHighlights() {
            var box = part("keyBox3")
            mouseMove(box)
            compare(mouse.selectKey, 3)
            compare(String(box.color), "#761212")
            compare(String(part("keyBox2").color), "#4f1717")
            compare(findChild(screen, "frontKey3").source, screen.sourceFrontKey3Sel)
            compare(findChild(screen, "frontKey2").source, screen.sourceFrontKey2)
            mouseMove(part("keyBox6"))
            compare(mouse.selectKey, 6)
            compare(String(box.color), "#4f1717")
            mouseMove(root, 990, 630)
            compare(mouse.selectKey, -1)
            compare(findChild(screen, "frontKey6").source, screen.sourceFrontKey6)
            // The row being edited stays lit while the pointer is in the menu.
            mouseClick(part("keyBox6"))
            compare(mouse.selectKey, 6)
            mouseMove(part("menuEntry0"))
            compare(mouse.selectKey, 6)
            mouseMove(part("keyBox1"))
            compare(mouse.selectKey, 6)
            compare(String(part("keyBox6").color), "#761212")
        }

        function test_panelCollapsesAndOpens() {
            compare(matrix.height, 201)
            var top = part("xySettingMain").y
            mouseClick(matrix, 100, 9)
            tryCompare(matrix, "isOpen", false, 3000)
            compare(matrix.height, 18)
            // The column places the pages below on its next layout pass.
            tryCompare(part("xySettingMain"), "y", top - 183)
            mouseClick(matrix, 100, 9)
            tryCompare(matrix, "isOpen", true, 3000)
            compare(matrix.height, 201)
            tryCompare(part("xySettingMain"), "y", top)
        }
    }
}
