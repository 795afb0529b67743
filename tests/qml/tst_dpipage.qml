import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ScreenTestCase {
        name: "DpiPage"

        property var dpi: null

        function setUpFake() {
            ui_View.setResult("ui_90H_GetLED8StageColor", [255, 0, 0, 0, 0, 255, 0, 255, 0, 255, 255, 0,
                                                           0, 255, 255, 255, 0, 255, 0, 0, 0, 0, 0, 0])
        }

        function init() {
            ui_View.clear()
            dpi = part("dpiSettingMain")
            for (var i = 0; i < 6; ++i) {
                dpi.sliders[i].initUI(1600)
                dpi.toggles[i].isSelect = true
            }
            screen.focusControl()
        }

        function test_byteEncoding_data() {
            return [
                { tag: "low and high ends", values: [200, 5000, 5100, 6000, 1600, 5200],
                  selects: [1, 1, 1, 1, 1, 1], bytes: [0x01, 0x31, 0x59, 0x5E, 15, 0x5A, 0x80, 0x80] },
                { tag: "stage 3 off", values: [200, 5000, 5100, 6000, 1600, 5200],
                  selects: [1, 1, 0, 1, 1, 1], bytes: [0x01, 0x31, 0x80, 0x5E, 15, 0x5A, 0x80, 0x80] },
                { tag: "all off", values: [400, 400, 400, 400, 400, 400],
                  selects: [0, 0, 0, 0, 0, 0], bytes: [0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80] },
                { tag: "odd hundreds above 5000", values: [5300, 5900, 300, 4900, 100, 5000],
                  selects: [1, 1, 1, 1, 1, 1], bytes: [0x5A, 0x5D, 2, 48, 0, 0x31, 0x80, 0x80] }
            ]
        }

        function test_byteEncoding(data) {
            for (var i = 0; i < 6; ++i) {
                dpi.sliders[i].initUI(data.values[i])
                dpi.toggles[i].isSelect = data.selects[i] === 1
            }
            compare(dpi.dpiValueToDpiSet(), data.bytes)
            compare(dpi.valueForDpi(), data.values.concat([250, 250]))
            compare(dpi.valueForDpiSelect(), data.selects.concat([0, 0]))
        }

        function test_valueThatIsNoNumberIsSentAsOff() {
            dpi.sliders[1].initUI("abc")
            compare(dpi.sliders[1].dpiValue, "abc")
            compare(dpi.dpiValueToDpiSet()[1], 0x80)
        }

        function test_disablingStageSendsFlagsThenBytes() {
            dpi.sliders[2].initUI(3200)
            mouseClick(part("dpiSelect2"))
            compare(ui_View.names(), ["ui_11H_SetDPISelect", "ui_11H_SetDPISet"])
            compare(lastCall("ui_11H_SetDPISelect")[0], [1, 1, 0, 1, 1, 1, 0, 0])
            compare(lastCall("ui_11H_SetDPISet"), [6, [15, 15, 0x80, 15, 15, 15, 0x80, 0x80],
                                                   [1600, 1600, 3200, 1600, 1600, 1600, 250, 250]])
            mouseClick(part("dpiSelect2"))
            compare(lastCall("ui_11H_SetDPISelect")[0], [1, 1, 1, 1, 1, 1, 0, 0])
            compare(lastCall("ui_11H_SetDPISet")[1][2], 31)
        }

        function test_sliderClick_data() {
            return [
                { tag: "above the track", start: 1600, y: 2, value: 6000, byte: 0x5E },
                { tag: "track top", start: 1600, y: 8, value: 6000, byte: 0x5E },
                { tag: "below the track", start: 1600, y: 168, value: 200, byte: 0x01 },
                { tag: "track middle", start: 200, y: 85, value: 3100, byte: 30 }
            ]
        }

        function test_sliderClick(data) {
            var slider = part("dpiSlider3")
            slider.initUI(data.start)
            mouseClick(slider, 3, data.y)
            compare(slider.dpiValue, String(data.value))
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 1)
            var args = lastCall("ui_11H_SetDPISet")
            compare(args[0], 6)
            compare(args[1][3], data.byte)
            compare(args[2][3], data.value)
        }

        function test_dragSendsOnlyOnRelease() {
            var slider = part("dpiSlider0")
            slider.initUI(200)
            var flick = part("rightFlick")
            mousePress(slider, 3, 162)
            compare(flick.interactive, false)
            mouseMove(slider, 3, 100)
            mouseMove(slider, 3, 40)
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 0)
            compare(slider.dpiValue, String(slider.valueForHeight(122)))
            mouseMove(slider, 3, -30)
            compare(slider.dpiValue, "6000")
            mouseRelease(slider, 3, -30)
            compare(flick.interactive, true)
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 1)
            compare(lastCall("ui_11H_SetDPISet")[2][0], 6000)
        }

        function test_colourListSentTwice() {
            mouseClick(part("dpiColor1"))
            var picker = part("colorBar")
            compare(picker.visible, true)
            compare(picker.x, 61)
            compare(picker.currentColor, "#0000ff")
            ui_View.clear()
            mouseClick(findChild(picker, "preset4"))
            compare(String(part("dpiColor1").color), "#00ffff")
            compare(part("hueSlider").x, 62)
            var calls = ui_View.callsOf("ui_10H_SetLED8StageColor")
            compare(calls.length, 2)
            compare(calls[0], calls[1])
            compare(calls[0], [1, [255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 255, 255, 0, 255,
                                   0, 0, 0, 0, 0, 0]])
            mouseClick(findChild(picker, "preset1"))
        }

        function test_hueBarClicks_data() {
            return [
                { tag: "left end", x: 0, colour: "#ff0000", slider: -2 },
                { tag: "right end", x: 127, colour: "#ff0000", slider: 125 },
                { tag: "cyan segment", x: 64, colour: "#00f3ff", slider: 62 },
                { tag: "yellow segment", x: 23, colour: "#e7ff00", slider: 21 }
            ]
        }

        function test_hueBarClicks(data) {
            mouseClick(part("dpiColor5"))
            ui_View.clear()
            var bar = part("hueBar")
            mouseClick(bar, data.x, 6)
            compare(part("colorBar").sliderX, data.slider)
            compare(part("colorBar").currentColor, data.colour)
            compare(String(part("dpiColor5").color), data.colour)
            compare(ui_View.callsOf("ui_10H_SetLED8StageColor").length, 2)
        }

        function test_hueArithmetic_data() {
            return [
                { tag: "red", colour: "#ff0000", slider: -2 },
                { tag: "cyan", colour: "#00ffff", slider: 62 },
                { tag: "green", colour: "#00ff00", slider: 40 },
                { tag: "blue", colour: "#0000ff", slider: 83 },
                { tag: "magenta", colour: "#ff00ff", slider: 104 },
                { tag: "yellow", colour: "#ffff00", slider: 19 },
                { tag: "grey matches nothing", colour: "#808080", slider: -2 }
            ]
        }

        function test_hueArithmetic(data) {
            compare(part("colorBar").sliderForColor(data.colour), data.slider)
        }

        function test_colourWithoutStageChangesNone() {
            var before = [String(dpi.colors[0].color), String(dpi.colors[5].color)]
            part("dpiColorRow").selectRect = -1
            dpi.setColor("#123456")
            compare([String(dpi.colors[0].color), String(dpi.colors[5].color)], before)
            compare(ui_View.callsOf("ui_10H_SetLED8StageColor").length, 2)
        }

        function test_initReadsAndSends() {
            ui_View.setResult("ui_91H_GetDPISet", ["200", "5000", "5100", "6000", "1600", "800", "250", "250"])
            ui_View.setResult("ui_91H_GetDPISelect", ["1", "0", 1, 1, 1, 1, 0, 0])
            var stored = [1, 2, 3, 255, 16, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]
            ui_View.setResult("ui_90H_GetLED8StageColor", stored)
            dpi.init(true)
            compare(dpi.valueForDpi(), [200, 5000, 5100, 6000, 1600, 800, 250, 250])
            compare(dpi.valueForDpiSelect(), [1, 0, 1, 1, 1, 1, 0, 0])
            compare(String(dpi.colors[0].color), "#010203")
            compare(String(dpi.colors[1].color), "#ff100f")
            compare(ui_View.names(), ["ui_91H_GetDPISet", "ui_91H_GetDPISelect", "ui_90H_GetLED8StageColor",
                                      "ui_11H_SetDPISelect", "ui_11H_SetDPISet", "ui_10H_SetLED8StageColor"])
            compare(lastCall("ui_11H_SetDPISet")[1], [1, 0x80, 0x59, 0x5E, 15, 7, 0x80, 0x80])
            compare(lastCall("ui_10H_SetLED8StageColor"), [1, stored])
            ui_View.clear()
            ui_View.setResult("ui_90H_GetLED8StageColor", [])
            dpi.init(false)
            compare(String(dpi.colors[0].color), "#010203")
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 0)
        }
    }
}
