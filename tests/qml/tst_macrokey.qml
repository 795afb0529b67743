import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ListModel {
        id: guns
        ListElement { macroName: "Standard" }
        ListElement { macroName: "Rifle" }
    }

    ScreenTestCase {
        name: "MacroKey"

        property var dialog: null
        property var editor: null

        function useMacros(names) {
            ui_View.clearResults()
            ui_View.setResult("getNameList/0", names)
            for (var i = 0; i < names.length; ++i) {
                ui_View.setResult("loadMacroIndex/" + names[i], i)
                ui_View.setResult("loadMacroIni/" + names[i], ["1,A", "0,100", "2,A", String(i + 1)])
            }
            editor.init()
        }

        // Button entries as the profile holds them: [button, four values].
        function useButtons(entries) {
            for (var i = 0; i < entries.length; ++i)
                ui_View.setResult("getKeydefine/" + entries[i][0], entries[i].slice(1))
            part("keyMatrixMain").init(false)
        }

        function init() {
            dialog = part("macroKeyMain")
            editor = part("macroEditorMain")
            dialog.gunModel = guns
            useMacros(["Jump", "Reload", "Dash"])
            // Every case starts from buttons without macros, so each takes the first free slot.
            part("keyMatrixMain").init(false)
            ui_View.clear()
        }

        function cleanup() {
            if (dialog.visible)
                dialog.cancel()
            compare(ui_View.warnings(), [])
        }

        // As the menu's "Macro" entry opens it.
        function openForButton(button) {
            part("mouseMain").selectKey = button
            screen.openDialog(dialog)
            dialog.showUI()
            dialog.uiType = 0
            dialog.macroType = 0
        }

        function nameRow(index) {
            var item = null
            tryVerify(function () {
                return (item = findChild(part("macroNameList").contentItem, "nameRow" + index)) !== null
            }, 2000)
            return item
        }

        function choose(index) {
            mouseClick(part("macroNameField"))
            verify(part("macroDropDown").visible)
            mouseClick(nameRow(index))
            verify(!part("macroDropDown").visible)
        }

        function test_assignMacro_data() {
            return [
                { tag: "once", mode: 0, button: 2, name: 0 },
                { tag: "until any button", mode: 1, button: 3, name: 1 },
                { tag: "while held", mode: 2, button: 6, name: 2 }
            ]
        }

        function test_assignMacro(data) {
            openForButton(data.button)
            choose(data.name)
            mouseClick(part("macroTypeRadio" + data.mode))
            compare(dialog.macroType, data.mode)
            mouseClick(part("macroKeyOk"))
            var name = editor.macroNames()[data.name]
            compare(lastCall("setMacroKey"), [0, name])
            compare(lastCall("sendMacroData"), [[0, data.name + 1, 50, 0x04, 0x81, 0x04, 0, 0], 0])
            verify(!dialog.visible)
            verify(!part("mainMask").visible)
            compare(part("mouseMain").selectKey, -1)
            var matrix = lastCall("ui_12H_SetKeyMatrix")[0]
            compare(matrix.slice(data.button * 4, data.button * 4 + 4), [0x09, data.mode, 0x01, 0x00])
        }

        function test_closingWithoutChoiceChangesNothing_data() {
            return [ { tag: "OK", button: "macroKeyOk" }, { tag: "Cancel", button: "dialogCancel" },
                     { tag: "close", button: "dialogClose" } ]
        }

        function test_closingWithoutChoiceChangesNothing(data) {
            openForButton(3)
            if (data.button !== "macroKeyOk")
                choose(0)
            mouseClick(findChild(dialog, data.button))
            verify(!dialog.visible)
            verify(!part("mainMask").visible)
            compare(ui_View.callsOf("setMacroKey"), [])
            compare(ui_View.callsOf("sendMacroData"), [])
        }

        function test_showClearsTheChoice() {
            openForButton(3)
            choose(1)
            compare(dialog.chosenName, "Reload")
            dialog.cancel()
            openForButton(3)
            compare(dialog.chosenName, "")
        }

        function test_sixthMacroButtonIsRefused() {
            useButtons([[0, 9, 0, 1, 0], [1, 9, 0, 2, 0], [2, 9, 0, 3, 0], [3, 9, 0, 4, 0], [4, 9, 0, 5, 0],
                        [5, 7, 0, 1, 0], [6, 7, 0, 2, 0]])
            ui_View.clear()
            compare(dialog.getMacroIndex(), -1)
            openForButton(5)
            choose(0)
            mouseClick(part("macroKeyOk"))
            compare(ui_View.callsOf("setMacroKey"), [])
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix"), [])
        }

        function test_macroButtonKeepsItsSlot() {
            useButtons([[0, 1, 0, 0xF0, 0], [1, 1, 0, 0xF0, 0], [2, 9, 0, 3, 0], [3, 9, 0, 1, 0],
                        [4, 0x0f, 0, 5, 0], [5, 7, 0, 1, 0], [6, 7, 0, 2, 0]])
            ui_View.clear()
            compare(dialog.getMacroIndex(), 1)
            openForButton(2)
            choose(1)
            mouseClick(part("macroKeyOk"))
            compare(lastCall("setMacroKey"), [2, "Reload"])
        }

        function test_dropDownScrollsPastSevenNames_data() {
            return [ { tag: "seven", count: 7, bar: false }, { tag: "eight", count: 8, bar: true } ]
        }

        function test_dropDownScrollsPastSevenNames(data) {
            var names = []
            for (var i = 0; i < data.count; ++i)
                names.push("m" + i)
            useMacros(names)
            openForButton(3)
            mouseClick(part("macroNameField"))
            compare(part("dropDownBar").visible, data.bar)
            compare(part("macroDropDown").height, 7 * 18 + 2)
            part("macroNameList").positionViewAtEnd()
            var last = nameRow(data.count - 1)
            mouseClick(last)
            compare(dialog.chosenName, "m" + (data.count - 1))
        }

        function test_maskPressClosesDropDown() {
            openForButton(3)
            mouseClick(part("macroNameField"))
            verify(dialog.isOpen)
            mouseClick(part("mainMask"), 5, 5)
            verify(!dialog.isOpen)
            verify(dialog.visible)
        }

        function test_gunChoiceSendsGunKeyMatrix_data() {
            return [ { tag: "while held", mode: 2 }, { tag: "once", mode: 0 } ]
        }

        function test_gunChoiceSendsGunKeyMatrix(data) {
            part("keyMatrixMain").clickKeyMatrix(7)
            verify(dialog.visible)
            compare(dialog.uiType, 1)
            compare(dialog.macroType, 2)
            choose(1)
            if (data.mode !== 2)
                mouseClick(part("macroTypeRadio" + data.mode))
            mouseClick(part("macroKeyOk"))
            verify(!dialog.visible)
            verify(!part("mainMask").visible)
            compare(part("gunControlMain").selectGunName, "Rifle")
            compare(lastCall("setSelectGun"), [0, "Rifle"])
            var expected = [0x09, data.mode, 0x06, 0x00, 0x01, 0x00, 0xF1, 0x00, 0x01, 0x00, 0xF2, 0x00,
                            0x00, 0x00, 0x2E, 0x00, 0x00, 0x00, 0x05, 0x00, 0x07, 0x00, 0x01, 0x00,
                            0x07, 0x00, 0x02, 0x00, 0x08, 0x00, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0x04, 0x00, 0x01, 0x00, 0x04, 0x00, 0x02, 0x00]
            compare(ui_View.callsOf("ui_12H_SetGunKeyMatrix"), [[expected]])
            compare(ui_View.callsOf("setMacroKey"), [])
        }
    }
}
