import QtQuick
import "../common"

// Menu of assignable functions, opened beside the button row being edited.
Rectangle {
    id: keyMenuMain
    width: 134
    height: 3 + 21 * mainEntries.filter(function (entry) { return entry.hidden !== true }).length + 3
    visible: false
    color: "#1a1a1a"
    border.color: "#4f1717"

    property var keyMenuLang: ["Left Button", "Right Button", "Middle Button", "Auto Run", "Fire Mode",
        "Double Click", "DPI Setting +", "Multimedia Commands +", "Basic Commands +",
        "Additional Commands +", "Assign Keyboard Key", "Macro", "Gun Management", "Deactivated",
        "DPI +", "DPI -", "DPI LOOP", "Media Player", "Next Track", "Previous Track", "Stop",
        "Play/Pause", "Mute", "Volume Up", "Volume Down", "New", "Cut", "Copy", "Paste", "Save",
        "Print", "Find", "Redo", "Undo", "Select All", "My Computer", "Web Home", "Search Computer",
        "Maximize", "Minimize", "Show Desktop", "RUN", "Forward", "Back", ""]
    property var entryTexts: []
    // The sub-menu shown beside the menu: "dpi", "media", "basic", "windows" or none.
    property string shownSub: ""

    // Each entry: its text in keyMenuLang, its menu index, and its code or sub-menu.
    readonly property var mainEntries: [
        { text: 0, index: 0, code: "0100f000" }, { text: 1, index: 1, code: "0100f100" },
        { text: 2, index: 2, code: "0100f200" }, { text: 3, index: 3, code: "0f002e00" },
        { text: 42, index: 14, code: "0100f400" }, { text: 4, index: 4, code: "0f000500" },
        { text: 43, index: 15, code: "0100f300" }, { text: 8, index: 8, sub: "basic" },
        { text: 7, index: 7, sub: "media" }, { text: 9, index: 9, sub: "windows" },
        { text: 6, index: 6, sub: "dpi" }, { text: 5, index: 5, code: "0af01e02" },
        { text: 10, index: 10 }, { text: 11, index: 11 }, { text: 12, index: 12, hidden: true },
        { text: 13, index: 13, code: "00000000" }]
    readonly property var dpiEntries: [
        { text: 14, index: 100, code: "07000100" }, { text: 15, index: 101, code: "07000200" },
        { text: 16, index: 102, code: "07000300" }]
    readonly property var mediaEntries: [
        { text: 17, index: 200, code: "03008301" }, { text: 18, index: 201, code: "0300b500" },
        { text: 19, index: 202, code: "0300b600" }, { text: 20, index: 203, code: "0300b700" },
        { text: 21, index: 204, code: "0300cd00" }, { text: 22, index: 205, code: "0300e200" },
        { text: 23, index: 206, code: "0300e900" }, { text: 24, index: 207, code: "0300ea00" }]
    readonly property var basicEntries: [
        { text: 25, index: 300, code: "0000e011" }, { text: 26, index: 301, code: "0000e01b" },
        { text: 27, index: 302, code: "0000e006" }, { text: 28, index: 303, code: "0000e019" },
        { text: 29, index: 304, code: "0000e016" }, { text: 30, index: 305, code: "0000e013" },
        { text: 31, index: 306, code: "0000e009" }, { text: 32, index: 307, code: "0000e01c" },
        { text: 33, index: 308, code: "0000e01d" }, { text: 34, index: 309, code: "0000e004" }]
    readonly property var windowsEntries: [
        { text: 35, index: 400, code: "03009401" }, { text: 36, index: 401, code: "03002302" },
        { text: 37, index: 402, code: "03002102" }, { text: 38, index: 403, code: "00042c1b" },
        { text: 39, index: 404, code: "00042c11" }, { text: 40, index: 405, code: "0000e307" },
        { text: 41, index: 406, code: "0000e315" }]
    // The gun switch of the hidden "Gun Management" entry, which has no sub-menu on screen.
    readonly property var gunEntries: [{ index: 501, code: "08000100" }]

    signal menuCmd(string menuStr)

    function init() {
        entryTexts = keyMenuLang.slice(0, 44)
    }

    function showControl() {
        shownSub = ""
        visible = true
    }

    function codeOf(index) {
        var tables = [mainEntries, dpiEntries, mediaEntries, basicEntries, windowsEntries, gunEntries]
        for (var t = 0; t < tables.length; ++t) {
            for (var i = 0; i < tables[t].length; ++i) {
                if (tables[t][i].index === index)
                    return tables[t][i].code === undefined ? "" : tables[t][i].code
            }
        }
        return ""
    }

    function menuCmdProc(index) {
        var code = codeOf(index)
        if (code !== "") {
            menuCmd(code)
        } else if (index === 10) {
            visible = false
            mainIten.openDialog(singleKeyMain)
        } else if (index === 11) {
            visible = false
            mainIten.openDialog(macroKeyMain)
            macroKeyMain.showUI()
            macroKeyMain.uiType = 0
            macroKeyMain.macroType = 0
        } else if (index === 502) {
            var original = keyMatrixMain.defalutValue[mouseMain.selectKey]
            if (original !== undefined)
                menuCmd(original.map(keyMatrixMain.hexByte).join(""))
        }
    }

    function entryHovered(entry) {
        if (entry.sub !== undefined)
            shownSub = entry.sub
        else if (entry.index === 15 || entry.index === 5)
            shownSub = ""
    }

    component MenuRow: Rectangle {
        id: row
        property var entry: ({})
        property bool lit: false
        objectName: "menuEntry" + entry.index
        width: 128
        height: 21
        color: rowArea.containsMouse || lit ? "#761212" : "transparent"

        signal hovered()

        // The longest English entries shrink a little rather than lose their ends.
        Text {
            x: 6
            width: parent.width - 8
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 9
            elide: Text.ElideRight
            text: keyMenuMain.entryTexts[row.entry.text] || ""
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        MouseArea {
            id: rowArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onEntered: row.hovered()
            onClicked: keyMenuMain.menuCmdProc(row.entry.index)
        }
    }

    component SubMenu: Rectangle {
        id: sub
        property string name
        property var entries: []
        x: keyMenuMain.width
        width: 134
        height: entries.length * 21 + 6
        visible: keyMenuMain.shownSub === name
        color: "#1a1a1a"
        border.color: "#4f1717"

        MouseArea {
            anchors.fill: parent
        }
        Column {
            x: 3
            y: 3
            Repeater {
                model: sub.entries
                MenuRow {
                    entry: modelData
                }
            }
        }
    }

    // The rows are built when the menu first opens.
    LazyContent {
        sourceComponent: Item {
            // Presses between the entries stay with the menu.
            MouseArea {
                anchors.fill: parent
            }

            Column {
                id: mainColumn
                x: 3
                y: 3
                Repeater {
                    model: keyMenuMain.mainEntries
                    MenuRow {
                        entry: modelData
                        visible: modelData.hidden !== true
                        lit: modelData.sub !== undefined && keyMenuMain.shownSub === modelData.sub
                        onHovered: keyMenuMain.entryHovered(modelData)
                    }
                }
            }

            SubMenu {
                objectName: "subMenuBasic"
                name: "basic"
                y: 150
                entries: keyMenuMain.basicEntries
            }
            SubMenu {
                objectName: "subMenuMedia"
                name: "media"
                y: 171
                entries: keyMenuMain.mediaEntries
            }
            SubMenu {
                objectName: "subMenuWindows"
                name: "windows"
                y: 192
                entries: keyMenuMain.windowsEntries
            }
            SubMenu {
                objectName: "subMenuDpi"
                name: "dpi"
                y: 213
                entries: keyMenuMain.dpiEntries
            }
        }
    }
}
