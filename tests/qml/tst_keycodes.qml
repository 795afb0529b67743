import QtQuick
import QtTest

TestCase {
    name: "KeyCodeString"

    property var codes: null

    function initTestCase() {
        var component = Qt.createComponent("qrc:/modules/qml/basic/KeyCodeString.qml")
        verify(component.status === Component.Ready, component.errorString())
        codes = component.createObject(null)
    }

    function cleanupTestCase() {
        codes.destroy()
    }

    function test_keyboardTable_data() {
        return [
            { tag: "A", code: 0x04, name: "A" }, { tag: "Z", code: 0x1D, name: "Z" },
            { tag: "1", code: 0x1E, name: "1" }, { tag: "9", code: 0x26, name: "9" },
            { tag: "0", code: 0x27, name: "0" }, { tag: "Enter", code: 0x28, name: "Enter" },
            { tag: "Space", code: 0x2C, name: "Space" }, { tag: "quote", code: 0x34, name: "' \"" },
            { tag: "F1", code: 0x3A, name: "F1" }, { tag: "F12", code: 0x45, name: "F12" },
            { tag: "right", code: 0x4F, name: "►" }, { tag: "up", code: 0x52, name: "▲" },
            { tag: "KP Enter", code: 0x58, name: "KP Enter" }, { tag: "KP 1", code: 0x59, name: "KP 1" },
            { tag: "KP 9", code: 0x61, name: "KP 9" }, { tag: "KP 0", code: 0x62, name: "KP 0" },
            { tag: "KP =", code: 0x67, name: "KP =" }, { tag: "F13", code: 0x68, name: "F13" },
            { tag: "F24", code: 0x73, name: "F24" }, { tag: "Intl'2", code: 0x88, name: "Intl'2" },
            { tag: "Int'l 2", code: 0x89, name: "Int'l 2" }, { tag: "Lang 2", code: 0x91, name: "Lang 2" },
            { tag: "L Ctrl", code: 0xE0, name: "L Ctrl" }, { tag: "R Win", code: 0xE7, name: "R Win" }
        ]
    }

    function test_keyboardTable(data) {
        compare(codes.keycodeTostr(data.code), data.name)
        compare(codes.strTokeycode(data.name), data.code)
    }

    function test_tableSize() {
        compare(Object.keys(codes.keycode2str).length, 128)
    }

    function test_sharedNameMapsToHigherCode() {
        compare(codes.keycodeTostr(0x31), "\\ |")
        compare(codes.keycodeTostr(0x32), "\\ |")
        compare(codes.strTokeycode("\\ |"), 0x32)
    }

    function test_unknownKeys_data() {
        return [
            { tag: "negative", code: -1 }, { tag: "gap", code: 0x74 }, { tag: "zero", code: 0 },
            { tag: "mouse code", code: 0xF0 }, { tag: "not a number", code: "x" }
        ]
    }

    function test_unknownKeys(data) {
        compare(codes.keycodeTostr(data.code), "")
    }

    function test_unknownNames() {
        compare(codes.strTokeycode("Nope"), undefined)
        compare(codes.strTokeycode("constructor"), undefined)
        compare(codes.strTomousecode("A"), undefined)
        compare(codes.mousecodeTostr(0x04), undefined)
    }

    function test_mouseTable() {
        var names = ["MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"]
        for (var i = 0; i < names.length; ++i) {
            compare(codes.mousecodeTostr(0xF0 + i), names[i])
            compare(codes.strTomousecode(names[i]), 0xF0 + i)
        }
    }

    function test_logByte_data() {
        return [
            { tag: "none", value: 0, result: 0 }, { tag: "bit 0", value: 1, result: 1 },
            { tag: "bit 7", value: 0x80, result: 8 }, { tag: "lowest of several", value: 0x0C, result: 3 },
            { tag: "negative as unsigned", value: -128, result: 8 }, { tag: "above a byte", value: 0x100, result: 0 }
        ]
    }

    function test_logByte(data) {
        compare(codes.logByte(data.value), data.result)
    }

    function test_buttonNames() {
        compare(Object.keys(codes.mouseData2str).length, 38)
        compare(Object.keys(codes.mouseData2str1).length, 38)
        compare(codes.mouseDataTostr("0af01e02", 0), "Double Click")
        compare(codes.mouseDataTostr("0af01e02", 1), "双击")
        compare(codes.mouseDataTostr("08000200", 0), "Gun Management")
        compare(codes.mouseDataTostr("08000100", 1), "枪械开关")
        compare(codes.mouseDataTostr("08000100", 0), "")
        compare(codes.mouseDataTostr("12345678", 0), "")
    }
}
