import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ScreenTestCase {
        name: "LightPage"

        property var light: null
        readonly property var stops: [4, 34, 63, 93, 122]

        function init() {
            ui_View.clear()
            light = part("lightControlMain")
        }

        function test_mapping_data() {
            return [
                { tag: "static 0 is off", radio: "rd0", slider: "staticSlider", level: 0, sent: [0, 0, 0, [1, 0, 2]] },
                { tag: "static 1", radio: "rd0", slider: "staticSlider", level: 1, sent: [1, 2, 2, [1, 1, 2]] },
                { tag: "static 4", radio: "rd0", slider: "staticSlider", level: 4, sent: [1, 10, 2, [1, 4, 2]] },
                { tag: "breath 0", radio: "rd1", slider: "breathSlider", level: 0, sent: [2, 5, 2, [2, 0, 2]] },
                { tag: "breath 4", radio: "rd1", slider: "breathSlider", level: 4, sent: [2, 1, 2, [2, 4, 2]] },
                { tag: "neon 2", radio: "rd2", slider: "neonSlider", level: 2, sent: [3, 18, 2, [3, 2, 2]] },
                { tag: "finger 4", radio: "rd3", slider: "fingerSlider", level: 4, sent: [4, 30, 2, [4, 4, 2]] },
                { tag: "finger 0", radio: "rd3", slider: "fingerSlider", level: 0, sent: [4, 6, 2, [4, 0, 2]] }
            ]
        }

        function test_mapping(data) {
            mouseClick(part(data.radio))
            var slider = part(data.slider)
            slider.level = (data.level + 2) % 5
            ui_View.clear()
            mouseClick(slider, stops[data.level], 6)
            compare(slider.level, data.level)
            compare(ui_View.callsOf("ui_0DH_SetRGBLedEffect"), [data.sent])
        }

        function test_radioSendsItsSliderLevel() {
            part("breathSlider").level = 3
            mouseClick(part("rd1"))
            compare(part("modelLayout").selModel, 1)
            compare(lastCall("ui_0DH_SetRGBLedEffect"), [2, 2, 2, [2, 3, 2]])
            ui_View.clear()
            mouseClick(part("rd1"))
            compare(ui_View.callsOf("ui_0DH_SetRGBLedEffect"), [[2, 2, 2, [2, 3, 2]]])
        }

        function test_onlySelectedSliderTakesInput() {
            mouseClick(part("rd2"))
            ui_View.clear()
            var other = part("staticSlider")
            other.level = 4
            mouseClick(other, stops[1], 6)
            compare(other.level, 4)
            compare(ui_View.callsOf("ui_0DH_SetRGBLedEffect").length, 0)
        }

        function test_releaseOnStartingLevelSendsNothing() {
            mouseClick(part("rd0"))
            var slider = part("staticSlider")
            slider.level = 2
            ui_View.clear()
            mousePress(slider, stops[2], 6)
            compare(part("rightFlick").interactive, false)
            mouseMove(slider, stops[4], 6)
            compare(slider.level, 4)
            mouseMove(slider, 70, 6)
            compare(slider.level, 2)
            mouseRelease(slider, 70, 6)
            compare(ui_View.callsOf("ui_0DH_SetRGBLedEffect").length, 0)
            mousePress(slider, stops[2], 6)
            mouseMove(slider, 40, 6)
            mouseRelease(slider, 40, 6)
            compare(ui_View.callsOf("ui_0DH_SetRGBLedEffect"), [[1, 2, 2, [1, 1, 2]]])
        }

        function test_init_data() {
            return [
                { tag: "breath 1", stored: [2, 1, 2], sel: 1, levels: [4, 1, 4, 4], sent: [2, 4, 2, [2, 1, 2]] },
                { tag: "static 0", stored: [1, 0, 2], sel: 0, levels: [0, 4, 4, 4], sent: [0, 0, 0, [1, 0, 2]] },
                { tag: "effect 0", stored: [0, 2, 2], sel: 3, levels: [4, 4, 4, 2], sent: [0, 1, 2, [0, 2, 2]] },
                { tag: "nothing stored", stored: [], sel: 3, levels: [4, 4, 4, 4], sent: [0, 1, 0, [0, 0, 0]] },
                { tag: "level out of range", stored: [3, 7, 2], sel: 2, levels: [4, 4, 4, 4], sent: [3, 1, 2, [3, 7, 2]] }
            ]
        }

        function test_init(data) {
            part("staticSlider").level = 1
            part("neonSlider").level = 0
            ui_View.setResult("ui_8DH_GetRGBLedEffect", data.stored)
            light.init(false)
            compare(part("modelLayout").selModel, data.sel)
            var levels = [part("staticSlider").level, part("breathSlider").level, part("neonSlider").level,
                          part("fingerSlider").level]
            compare(levels, data.levels)
            compare(ui_View.callsOf("ui_0DH_SetRGBLedEffect").length, 0)
            light.init(true)
            compare(ui_View.callsOf("ui_0DH_SetRGBLedEffect"), [data.sent])
        }
    }
}
