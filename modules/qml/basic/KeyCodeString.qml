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

    function buildKeyTable() {
        var table = {}
        var i
        for (i = 0; i < 26; ++i)
            table[0x04 + i] = String.fromCharCode(0x41 + i)
        for (i = 1; i <= 9; ++i)
            table[0x1D + i] = String(i)
        table[0x27] = "0"
        var named = [[0x28, "Enter"], [0x29, "Esc"], [0x2A, "Back"], [0x2B, "Tab"],
                     [0x2C, "Space"], [0x2D, "- _"], [0x2E, "= +"], [0x2F, "[ {"],
                     [0x30, "] }"], [0x31, "\\ |"], [0x32, "\\ |"], [0x33, "; :"],
                     [0x34, "' \""], [0x35, "` ~"], [0x36, ", <"], [0x37, ". >"],
                     [0x38, "/ ?"], [0x39, "Caps"]]
        for (i = 1; i <= 12; ++i)
            named.push([0x39 + i, "F" + i])
        named = named.concat([[0x46, "Prt"], [0x47, "Scr"], [0x48, "Pau"], [0x49, "Ins"],
                              [0x4A, "Hom"], [0x4B, "PgU"], [0x4C, "Del"], [0x4D, "End"],
                              [0x4E, "PgD"], [0x4F, "►"], [0x50, "◄"], [0x51, "▼"],
                              [0x52, "▲"], [0x53, "Num"], [0x54, "KP /"], [0x55, "KP *"],
                              [0x56, "KP -"], [0x57, "KP +"], [0x58, "KP Enter"]])
        for (i = 1; i <= 9; ++i)
            named.push([0x58 + i, "KP " + i])
        named = named.concat([[0x62, "KP 0"], [0x63, "KP ."], [0x64, "Eur 2"], [0x65, "App"],
                              [0x66, "Power"], [0x67, "KP ="]])
        for (i = 13; i <= 24; ++i)
            named.push([0x68 + i - 13, "F" + i])
        named = named.concat([[0x85, "Keypad"], [0x87, "Int'l 1"], [0x88, "Intl'2"],
                              [0x89, "Int'l 2"], [0x8A, "Int'l 4"], [0x8B, "Int'l 5"],
                              [0x90, "Lang 1"], [0x91, "Lang 2"], [0xE0, "L Ctrl"],
                              [0xE1, "L Shift"], [0xE2, "L Alt"], [0xE3, "L Win"],
                              [0xE4, "R Ctrl"], [0xE5, "R Shift"], [0xE6, "R Alt"],
                              [0xE7, "R Win"]])
        for (i = 0; i < named.length; ++i)
            table[named[i][0]] = named[i][1]
        return table
    }

    // Ascending order, so a name shared by two codes maps back to the higher one.
    function invert(table) {
        var result = {}
        var codes = Object.keys(table).map(Number).sort(function (a, b) { return a - b })
        for (var i = 0; i < codes.length; ++i)
            result[table[codes[i]]] = codes[i]
        return result
    }

    function lookUp(table, key) {
        return Object.prototype.hasOwnProperty.call(table, key) ? table[key] : undefined
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
