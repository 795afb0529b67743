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
            ui_View.clearResults()
            setUpFake()
            dpi = part("dpiSettingMain")
            for (var i = 0; i < 6; ++i) {
                dpi.sliders[i].initUI(1600)
                dpi.toggles[i].isSelect = true
            }
            dpi.currentStage = 0
            screen.focusControl()
        }

        // The DPI the mouse works with for one byte sent.
        function decoded(code) {
            return code & 0x40 ? (code & 0x3F) * 200 : (code + 1) * 100
        }

        function test_byteEncoding_data() {
            return [
                { tag: "low and high ends", values: [200, 5000, 5400, 6000, 1600, 5200],
                  selects: [1, 1, 1, 1, 1, 1], bytes: [0x01, 0x31, 0x5B, 0x5E, 15, 0x5A, 0x80, 0x80] },
                { tag: "stage 3 off", values: [200, 5000, 5400, 6000, 1600, 5200],
                  selects: [1, 1, 0, 1, 1, 1], bytes: [0x01, 0x31, 0x80, 0x5E, 15, 0x5A, 0x80, 0x80] },
                { tag: "all off", values: [400, 400, 400, 400, 400, 400],
                  selects: [0, 0, 0, 0, 0, 0], bytes: [0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80] },
                { tag: "odd hundreds above 5000 shown as sent", values: [5300, 5900, 300, 4900, 100, 5100],
                  shown: [5200, 5800, 300, 4900, 200, 5000],
                  selects: [1, 1, 1, 1, 1, 1], bytes: [0x5A, 0x5D, 2, 48, 1, 0x31, 0x80, 0x80] },
                { tag: "outside the range", values: [7000, 6100, 50, 0, 1650, 5999],
                  shown: [6000, 6000, 200, 200, 1600, 5800],
                  selects: [1, 1, 1, 1, 1, 1], bytes: [0x5E, 0x5E, 1, 1, 15, 0x5D, 0x80, 0x80] }
            ]
        }

        function test_byteEncoding(data) {
            for (var i = 0; i < 6; ++i) {
                dpi.sliders[i].initUI(data.values[i])
                dpi.toggles[i].isSelect = data.selects[i] === 1
            }
            var shown = data.shown !== undefined ? data.shown : data.values
            compare(dpi.dpiValueToDpiSet(), data.bytes)
            compare(dpi.valueForDpi(), shown.concat([250, 250]))
            compare(dpi.valueForDpiSelect(), data.selects.concat([0, 0]))
            for (i = 0; i < 6; ++i) {
                compare(findChild(dpi.sliders[i], "valueLabel").text, String(shown[i]))
                if (data.selects[i] === 1)
                    compare(decoded(data.bytes[i]), shown[i], "stage " + (i + 1))
            }
        }

        // Clicks on the track above 5000 land on what the mouse does: steps of 200.
        function test_clicksAboveFiveThousandSnap_data() {
            return [
                { tag: "top", y: 8, value: 6000 },
                { tag: "5800", y: 12, value: 5800 },
                { tag: "raw 5700", y: 15, value: 5600 },
                { tag: "raw 5500", y: 20, value: 5400 },
                { tag: "raw 5100", y: 30, value: 5000 },
                { tag: "4900 keeps hundreds", y: 35, value: 4900 }
            ]
        }

        function test_clicksAboveFiveThousandSnap(data) {
            var slider = part("dpiSlider4")
            mouseClick(slider, 3, data.y)
            compare(slider.dpiValue, String(data.value))
            compare(findChild(slider, "valueLabel").text, String(data.value))
            compare(slider.fillHeight, (data.value - 200) * 154 / 5800)
            var args = lastCall("ui_11H_SetDPISet")
            compare(args[2][4], data.value)
            compare(decoded(args[1][4]), data.value)
        }

        function test_dragAboveFiveThousandSnaps() {
            var slider = part("dpiSlider2")
            mousePress(slider, 3, 162 - slider.fillHeight)
            for (var y = 40; y >= 8; y -= 3) {
                mouseMove(slider, 3, y)
                var value = Number(slider.dpiValue)
                verify(value <= 5000 || value % 200 === 0, "shown " + value)
                compare(slider.fillHeight, (value - 200) * 154 / 5800)
            }
            mouseMove(slider, 3, 29)
            mouseRelease(slider, 3, 29)
            compare(slider.dpiValue, "5200")
            compare(lastCall("ui_11H_SetDPISet")[2][2], 5200)
            compare(decoded(lastCall("ui_11H_SetDPISet")[1][2]), 5200)
        }

        function test_lastStageCannotBeCleared() {
            for (var i = 0; i < 5; ++i)
                mouseClick(part("dpiSelect" + i))
            compare(dpi.valueForDpiSelect(), [0, 0, 0, 0, 0, 1, 0, 0])
            ui_View.clear()
            var last = part("dpiSelect5")
            mouseClick(last)
            compare(last.isSelect, true)
            compare(last.refusing, true)
            compare(ui_View.calls().length, 0)
            tryCompare(last, "refusing", false, 2000)
            compare(findChild(last, "refuseMark").opacity, 0)
            // Another stage back in the cycle: the last one can go again.
            mouseClick(part("dpiSelect1"))
            mouseClick(last)
            compare(last.isSelect, false)
            compare(lastCall("ui_11H_SetDPISelect")[0], [0, 1, 0, 0, 0, 0, 0, 0])
            compare(dpi.dpiValueToDpiSet().filter(function (b) { return b !== 0x80 }).length, 1)
        }

        function test_profileWithEveryStageOff() {
            ui_View.setResult("ui_91H_GetDPISelect", [0, 0, 0, 0, 0, 0, 0, 0])
            ui_View.setResult("getDPIStage", 2)
            dpi.init(true)
            compare(dpi.valueForDpiSelect(), [0, 0, 1, 0, 0, 0, 0, 0])
            compare(lastCall("ui_11H_SetDPISelect")[0], [0, 0, 1, 0, 0, 0, 0, 0])
            compare(lastCall("ui_0BH_SetCurrentDPIStage"), [2])
        }

        function currentMarks() {
            var marks = []
            for (var i = 0; i < 6; ++i)
                marks.push(findChild(dpi.sliders[i], "currentMark").visible)
            return marks
        }

        function test_storedStageIsShown_data() {
            return [
                { tag: "stage 4", stored: "3", selects: [1, 1, 1, 1, 1, 1], stage: 3 },
                { tag: "first", stored: 0, selects: [1, 1, 1, 1, 1, 1], stage: 0 },
                { tag: "nothing stored", stored: undefined, selects: [1, 1, 1, 1, 1, 1], stage: 0 },
                { tag: "outside", stored: 9, selects: [1, 1, 1, 1, 1, 1], stage: 0 },
                { tag: "stage that is off", stored: 4, selects: [1, 1, 1, 1, 0, 1], stage: 5 },
                { tag: "going round", stored: 5, selects: [0, 1, 1, 1, 1, 0], stage: 1 }
            ]
        }

        function test_storedStageIsShown(data) {
            ui_View.setResult("ui_91H_GetDPISelect", data.selects.concat([0, 0]))
            if (data.stored !== undefined)
                ui_View.setResult("getDPIStage", data.stored)
            dpi.init(false)
            compare(dpi.currentStage, data.stage)
            var expected = [false, false, false, false, false, false]
            expected[data.stage] = true
            compare(currentMarks(), expected)
            compare(ui_View.callsOf("ui_0BH_SetCurrentDPIStage").length, 0)
        }

        function test_clickOnNumberMakesStageCurrent() {
            var slider = part("dpiSlider4")
            mouseClick(findChild(slider, "valueLabel"))
            compare(dpi.currentStage, 4)
            compare(ui_View.names(), ["ui_0BH_SetCurrentDPIStage"])
            compare(lastCall("ui_0BH_SetCurrentDPIStage"), [4])
            compare(currentMarks(), [false, false, false, false, true, false])
            compare(findChild(slider, "valueLabel").font.bold, true)
            // Clicking the current stage again puts the mouse on it again.
            mouseClick(findChild(slider, "valueLabel"))
            compare(ui_View.callsOf("ui_0BH_SetCurrentDPIStage"), [[4], [4]])
            // A stage out of the cycle cannot become current.
            mouseClick(part("dpiSelect1"))
            ui_View.clear()
            mouseClick(findChild(part("dpiSlider1"), "valueLabel"))
            compare(dpi.currentStage, 4)
            compare(ui_View.calls().length, 0)
            compare(part("dpiSlider1").refusing, true)
            tryCompare(part("dpiSlider1"), "refusing", false, 2000)
        }

        function test_clearingCurrentStageMovesMouseOn() {
            dpi.currentStage = 5
            part("dpiSelect0").isSelect = false
            mouseClick(part("dpiSelect5"))
            compare(ui_View.names(), ["ui_11H_SetDPISelect", "ui_11H_SetDPISet", "ui_0BH_SetCurrentDPIStage"])
            compare(lastCall("ui_0BH_SetCurrentDPIStage"), [1])
            compare(dpi.currentStage, 1)
            compare(currentMarks(), [false, true, false, false, false, false])
            ui_View.clear()
            mouseClick(part("dpiSelect3"))
            compare(ui_View.callsOf("ui_0BH_SetCurrentDPIStage").length, 0)
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
            // The stored 5100 is shown as what the mouse does with it.
            compare(dpi.valueForDpi(), [200, 5000, 5000, 6000, 1600, 800, 250, 250])
            compare(dpi.valueForDpiSelect(), [1, 0, 1, 1, 1, 1, 0, 0])
            compare(String(dpi.colors[0].color), "#010203")
            compare(String(dpi.colors[1].color), "#ff100f")
            compare(ui_View.names(), ["ui_91H_GetDPISet", "ui_91H_GetDPISelect", "getDPIStage",
                                      "ui_90H_GetLED8StageColor", "ui_11H_SetDPISelect", "ui_11H_SetDPISet",
                                      "ui_10H_SetLED8StageColor", "ui_0BH_SetCurrentDPIStage"])
            compare(lastCall("ui_11H_SetDPISet")[1], [1, 0x80, 0x31, 0x5E, 15, 7, 0x80, 0x80])
            compare(lastCall("ui_10H_SetLED8StageColor"), [1, stored])
            ui_View.clear()
            ui_View.setResult("ui_90H_GetLED8StageColor", [])
            dpi.init(false)
            compare(String(dpi.colors[0].color), "#010203")
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 0)
        }
    }
}
