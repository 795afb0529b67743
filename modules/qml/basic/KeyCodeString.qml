import QtQuick

// Key-code tables of the whole screen and their look-ups.
QtObject {
    id: keyCodeString

    readonly property var keycode2str: buildKeyTable()
    readonly property var str2keycode: invert(keycode2str)
    readonly property var mousecode2str: ({
            "240": "MS-L",
            "241": "MS-R",
            "242": "MS-M",
            "243": "MS-B4",
            "244": "MS-B5"
        })
    readonly property var str2mousecode: invert(mousecode2str)

    readonly property var mouseData2str1: ({
            "0100f000": "左键",
            "0100f100": "右键",
            "0100f200": "中键",
            "0100f400": "前进",
            "0100f300": "后退",
            "0f002e00": "自动奔跑",
            "0f000500": "开火模式",
            "0af01e02": "双击",
            "07000100": "DPI +",
            "07000200": "DPI -",
            "07000300": "DPI LOOP",
            "03008301": "多媒体播放键",
            "0300b500": "下一首",
            "0300b600": "上一首",
            "0300b700": "停止",
            "0300cd00": "播放/暂停",
            "0300e200": "静音",
            "0300e900": "音量+",
            "0300ea00": "音量-",
            "0000e011": "新建",
            "0000e01b": "剪切",
            "0000e006": "复制",
            "0000e019": "粘贴",
            "0000e016": "保存",
            "0000e013": "打印",
            "0000e009": "查找",
            "0000e01c": "重复",
            "0000e01d": "撤销",
            "0000e004": "全选",
            "03009401": "我的电脑",
            "03002302": "浏览器-主页",
            "03002102": "搜索",
            "00042c1b": "最大化",
            "00042c11": "最小化",
            "0000e307": "显示桌面",
            "0000e315": "运行",
            "08000100": "枪械开关",
            "00000000": "按键关闭"
        })

    readonly property var mouseData2str: ({
            "0100f000": "Left Button",
            "0100f100": "Right Button",
            "0100f200": "Middle Button",
            "0100f400": "Forward",
            "0100f300": "Back",
            "0f002e00": "Auto Run",
            "0f000500": "Fire Mode",
            "0af01e02": "Double Click",
            "07000100": "DPI +",
            "07000200": "DPI -",
            "07000300": "DPI LOOP",
            "03008301": "Media Player",
            "0300b500": "Next Track",
            "0300b600": "Previous Track",
            "0300b700": "Stop",
            "0300cd00": "Play/Pause",
            "0300e200": "Mute",
            "0300e900": "Volume Up",
            "0300ea00": "Volume Down",
            "0000e011": "New",
            "0000e01b": "Cut",
            "0000e006": "Copy",
            "0000e019": "Paste",
            "0000e016": "Save",
            "0000e013": "Print",
            "0000e009": "Find",
            "0000e01c": "Redo",
            "0000e01d": "Undo",
            "0000e004": "Select All",
            "03009401": "My Computer",
            "03002302": "Web Home",
            "03002102": "Search Computer",
            "00042c1b": "Maximize",
            "00042c11": "Minimize",
            "0000e307": "Show Desktop",
            "0000e315": "Run",
            "08000200": "Gun Management",
            "00000000": "Deactivated"
        })

    // Rows of [first code, names of that code and the ones after it].
    function buildKeyTable() {
        var rows = [[0x04, "ABCDEFGHIJKLMNOPQRSTUVWXYZ".split("")],
                    [0x1E, ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0"]],
                    [0x28, ["Enter", "Esc", "Back", "Tab", "Space", "- _", "= +", "[ {", "] }", "\\ |",
                            "\\ |", "; :", "' \"", "` ~", ", <", ". >", "/ ?", "Caps"]],
                    [0x3A, numbered("F", 1, 12)],
                    [0x46, ["Prt", "Scr", "Pau", "Ins", "Hom", "PgU", "Del", "End", "PgD", "►", "◄", "▼",
                            "▲", "Num", "KP /", "KP *", "KP -", "KP +", "KP Enter"]],
                    [0x59, numbered("KP ", 1, 9)],
                    [0x62, ["KP 0", "KP .", "Eur 2", "App", "Power", "KP ="]],
                    [0x68, numbered("F", 13, 24)],
                    [0x85, ["Keypad"]],
                    [0x87, ["Int'l 1", "Intl'2", "Int'l 2", "Int'l 4", "Int'l 5"]],
                    [0x90, ["Lang 1", "Lang 2"]],
                    [0xE0, ["L Ctrl", "L Shift", "L Alt", "L Win", "R Ctrl", "R Shift", "R Alt", "R Win"]]]
        var table = {}
        for (var r = 0; r < rows.length; ++r) {
            for (var i = 0; i < rows[r][1].length; ++i)
                table[rows[r][0] + i] = rows[r][1][i]
        }
        return table
    }

    function numbered(prefix, first, last) {
        var names = []
        for (var n = first; n <= last; ++n)
            names[names.length] = prefix + n
        return names
    }

    // Ascending order, so a name shared by two codes maps back to the higher one.
    function invert(table) {
        var result = {}
        var codes = Object.keys(table).map(Number).sort(function (a, b) { return a - b })
        for (var i = 0; i < codes.length; ++i)
            result[table[codes[i]]] = codes[i]
        return result
    }

    // Own entries only, so names such as "toString" are unknown too.
    function lookUp(table, key) {
        return table.hasOwnProperty(key) ? table[key] : undefined
    }

    function keycodeTostr(keycode) {
        var code = Number(keycode)
        if (!(code >= 0))
            return ""
        var name = lookUp(keycode2str, code)
        return name === undefined ? "" : name
    }

    function strTokeycode(str) {
        return lookUp(str2keycode, str)
    }

    function mousecodeTostr(code) {
        return lookUp(mousecode2str, Number(code))
    }

    function strTomousecode(str) {
        return lookUp(str2mousecode, str)
    }

    function logByte(intByte) {
        var value = Number(intByte) & 0xFF
        for (var bit = 0; bit < 8; ++bit) {
            if (value & (1 << bit))
                return bit + 1
        }
        return 0
    }

    // Display name of an eight-digit button code in the current language.
    function mouseDataTostr(code, language) {
        var name = lookUp(language === 1 ? mouseData2str1 : mouseData2str, code)
        return name === undefined ? "" : name
    }
}
