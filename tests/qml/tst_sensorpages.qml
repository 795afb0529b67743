import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ScreenTestCase {
        name: "SensorPages"

        function setUpFake() {
            ui_View.setResult("getVerticalScrollLines", 3)
            ui_View.setResult("getXYSensitive/0", "4")
            ui_View.setResult("getXYSensitive/1", "4")
        }

        function scrollTo(item) {
            var flick = part("rightFlick")
            var pos = item.mapToItem(flick.contentItem, 0, 0)
            flick.contentY = Math.min(pos.y, flick.contentHeight - flick.height)
            wait(0)
        }

        function test_reportRateQuadrants() {
            var page = part("reprotRateMain")
            scrollTo(page)
            var dial = part("reportDial")
            page.reportValue = 1
            ui_View.clear()
            mousePress(dial, 100, 100)
            mouseMove(dial, 20, 100)
            mouseMove(dial, 20, 20)
            mouseMove(dial, 100, 20)
            mouseRelease(dial, 100, 20)
            compare(ui_View.callsOf("ui_01H_SetReportRate"), [[2], [4], [8], [1]])
        }

        function test_reportRateInit_data() {
            return [
                { tag: "clamped", stored: 16, value: 8, picture: 0 },
                { tag: "odd value kept", stored: 3, value: 3, picture: 0 },
                { tag: "1000 Hz", stored: 1, value: 1, picture: 3 },
                { tag: "500 Hz", stored: 2, value: 2, picture: 2 },
                { tag: "250 Hz", stored: 4, value: 4, picture: 1 }
            ]
        }

        function test_reportRateInit(data) {
            var page = part("reprotRateMain")
            page.reportValue = data.value === 8 ? 1 : 8
            ui_View.clear()
            ui_View.setResult("ui_81H_GetReportRate", data.stored)
            page.init(false)
            compare(page.reportValue, data.value)
            compare(page.pictureIndex, data.picture)
            // After start-up every change of the value reaches the device.
            compare(ui_View.callsOf("ui_01H_SetReportRate"), [[data.value]])
            compare(String(part("reportDial").source), screen.reportRateEnSources[data.picture])
        }

        function test_speedDialAngles_data() {
            return [
                { tag: "far left on the pivot line", x: 0, y: 70, value: 0 },
                { tag: "far left below the line", x: 0, y: 82, value: 0 },
                { tag: "straight up", x: 71.5, y: 0, value: 6 },
                { tag: "just left of straight up", x: 71, y: 0, value: 5 },
                { tag: "far right on the line", x: 143, y: 70, value: 11 },
                { tag: "far right below the line", x: 142, y: 80, value: 11 },
                { tag: "45 degrees left", x: 21.5, y: 20, value: 3 },
                { tag: "45 degrees right", x: 121.5, y: 20, value: 8 }
            ]
        }

        function test_speedDialAngles(data) {
            compare(part("mouseDial").valueAt(data.x, data.y), data.value)
        }

        function test_speedDialsSendOnRelease_data() {
            return [
                { tag: "mouse speed", page: "mouseRateMain", dial: "mouseDial", property: "mouseRateValue",
                  slot: "setCursorSpeed" },
                { tag: "double click", page: "doubleRateMain", dial: "doubleDial", property: "doubleRateValue",
                  slot: "setDoubleClickSpeed" }
            ]
        }

        function test_speedDialsSendOnRelease(data) {
            var page = part(data.page)
            scrollTo(page)
            var dial = part(data.dial)
            mousePress(dial, 0, 75)
            compare(page[data.property], 0)
            compare(part("rightFlick").interactive, false)
            mouseMove(dial, 142, 80)
            compare(page[data.property], 11)
            compare(ui_View.callsOf(data.slot).length, 0)
            mouseRelease(dial, 142, 80)
            compare(ui_View.callsOf(data.slot), [[11]])
            compare(dial.source, screen.sourcemouseRate10)
            mouseClick(dial, 71, 10)
            compare(lastCall(data.slot), [5])
            compare(dial.source, screen.sourcemouseRate5)
        }

        function test_scrollFieldLimits() {
            var page = part("scrollRateMain")
            scrollTo(page)
            var field = part("linesInput")
            mouseClick(field)
            verify(field.activeFocus)
            compare(screen.isScrollRateFocus, true)
            keyClick(Qt.Key_End)
            keyClick(Qt.Key_Backspace)
            keyClick(Qt.Key_Backspace)
            keyClick(Qt.Key_0)
            compare(field.text, "0")
            keyClick(Qt.Key_Return)
            compare(field.activeFocus, false)
            compare(screen.isScrollRateFocus, false)
            compare(field.text, "1")
            compare(ui_View.callsOf("setVerticalScrollLines"), [[1]])
            compare(page.lines, 1)

        }

        // The arrows store and apply their number like the field does.
        function test_scrollArrows_data() {
            return [
                { tag: "plus", button: "plusButton", start: "7", text: "8" },
                { tag: "minus", button: "minusButton", start: "7", text: "6" },
                { tag: "plus at 100", button: "plusButton", start: "100", text: "100" },
                { tag: "minus at 1", button: "minusButton", start: "1", text: "1" },
                { tag: "empty", button: "plusButton", start: "", text: "1" },
                { tag: "from one screen", button: "minusButton", start: "3", text: "2", oneScreen: true }
            ]
        }

        function test_scrollArrows(data) {
            var page = part("scrollRateMain")
            scrollTo(page)
            page.linesText = data.start
            page.isOneScreen = data.oneScreen === true
            ui_View.clear()
            mouseClick(part(data.button))
            compare(page.linesText, data.text)
            compare(ui_View.callsOf("setVerticalScrollLines"), [[Number(data.text)]])
            compare(page.lines, Number(data.text))
            compare(page.isOneScreen, false)
        }

        // Each arrow answers within 16 by 16 pixels around its small picture; the picture keeps its size.
        function test_scrollArrowHitAreas_data() {
            return [
                { tag: "plus top left", button: "plusButton", x: -3, y: -9, text: "8" },
                { tag: "plus bottom right", button: "plusButton", x: 12, y: 5, text: "8" },
                { tag: "minus top left", button: "minusButton", x: -3, y: 0, text: "6" },
                { tag: "minus bottom right", button: "minusButton", x: 12, y: 15, text: "6" }
            ]
        }

        function test_scrollArrowHitAreas(data) {
            var page = part("scrollRateMain")
            scrollTo(page)
            var button = part(data.button)
            compare([button.width, button.height], [9, 6])
            var area = findChild(button, data.button === "plusButton" ? "plusArea" : "minusArea")
            verify(area.width >= 16 && area.height >= 16)
            page.linesText = "7"
            ui_View.clear()
            mouseClick(button, data.x, data.y)
            compare(page.linesText, data.text)
            compare(ui_View.callsOf("setVerticalScrollLines"), [[Number(data.text)]])
        }

        function test_scrollOptions() {
            var page = part("scrollRateMain")
            scrollTo(page)
            page.linesText = "7"
            ui_View.clear()
            mouseClick(part("screenOption"))
            compare(page.isOneScreen, true)
            compare(ui_View.callsOf("setVerticalScrollLines"), [[1000]])
            compare(page.lines, 1000)
            // Leaving the field still sends its value with the one-screen option chosen.
            mouseClick(part("linesInput"))
            screen.focusControl()
            compare(lastCall("setVerticalScrollLines"), [7])
            mouseClick(part("rowsOption"))
            compare(page.isOneScreen, false)
            compare(lastCall("setVerticalScrollLines"), [7])
        }

        function test_scrollInit() {
            var page = part("scrollRateMain")
            ui_View.setResult("getVerticalScrollLines", 1000)
            page.init(true)
            compare(page.isOneScreen, true)
            compare(lastCall("setVerticalScrollLines"), [1000])
            ui_View.setResult("getVerticalScrollLines", 12)
            page.init(false)
            compare(page.isOneScreen, false)
            compare(page.linesText, "12")
            compare(ui_View.callsOf("setVerticalScrollLines").length, 1)
        }

        function test_scrollNoteWithoutSystemLines_data() {
            return [
                { tag: "desktop without wheel lines", system: false, shown: true },
                { tag: "desktop with wheel lines", system: true, shown: false }
            ]
        }

        function test_scrollNoteWithoutSystemLines(data) {
            var page = part("scrollRateMain")
            scrollTo(page)
            ui_View.setResult("hasSystemScrollLines", data.system)
            page.init(false)
            compare(page.noteText === "", data.system)
            mouseMove(part("rowsOption"), 2, 2)
            if (data.shown)
                tryCompare(page, "noteVisible", true, 3000)
            compare(page.noteVisible, data.shown)
            mouseMove(screen, 1, 1)
            tryCompare(page, "noteVisible", false)
            ui_View.setResult("hasSystemScrollLines", true)
            page.init(false)
        }

        function test_axisSteps() {
            var x = part("xSlider")
            var y = part("ySlider")
            x.place("4")
            y.place("4")
            mouseClick(x, 5, 7)
            compare(x.value, 0)
            compare(ui_View.names(), ["setXYSensitive", "setXYSensitive", "ui_0EH_SetXYSensitive"])
            compare(ui_View.callsOf("setXYSensitive"), [[0, 0], [1, 4]])
            compare(lastCall("ui_0EH_SetXYSensitive"), [20, 100])
            mouseClick(y, 205, 7)
            compare(y.value, 9)
            compare(lastCall("ui_0EH_SetXYSensitive"), [20, 200])
            ui_View.clear()
            mouseClick(y, 208, 7)
            compare(ui_View.calls().length, 0)
        }

        // A click picks the nearest tick, also a pixel or two to either side of it.
        function test_axisClickPicksNearestTick_data() {
            var rows = []
            var centres = [10, 30, 52, 74, 95, 116, 137, 159, 180, 200]
            for (var step = 0; step < 10; ++step) {
                for (var d = -2; d <= 2; d += 2)
                    rows.push({ tag: "step " + step + " at " + d, x: centres[step] + d, step: step,
                                centre: centres[step] })
            }
            rows.push({ tag: "just before halfway 2-3", x: 62, step: 2, centre: 52 })
            rows.push({ tag: "halfway 2-3", x: 63, step: 3, centre: 74 })
            rows.push({ tag: "left end", x: 0, step: 0, centre: 10 })
            rows.push({ tag: "right end", x: 209, step: 9, centre: 200 })
            return rows
        }

        function test_axisClickPicksNearestTick(data) {
            var x = part("xSlider")
            x.place(data.step === 5 ? "0" : "5")
            ui_View.clear()
            mouseClick(x, data.x, 7)
            compare(x.value, data.step)
            compare(x.knobCentre, data.centre)
            compare(ui_View.callsOf("setXYSensitive"), [[0, data.step], [1, part("ySlider").value]])
            compare(lastCall("ui_0EH_SetXYSensitive")[0], (data.step + 1) * 20)
        }

        function test_axisDragReportsOnRelease() {
            var x = part("xSlider")
            x.place("2")
            mousePress(x, 52, 7)
            mouseMove(x, 120, 7)
            compare(x.value, 5)
            compare(ui_View.calls().length, 0)
            mouseMove(x, 60, 7)
            mouseRelease(x, 60, 7)
            compare(ui_View.calls().length, 0)
            mousePress(x, 52, 7)
            mouseMove(x, 185, 7)
            mouseRelease(x, 185, 7)
            compare(lastCall("ui_0EH_SetXYSensitive")[0], 180)
        }

        function test_axisInit_data() {
            return [
                { tag: "steps 0 and 9", x: "0", y: "9", steps: [0, 9], centres: [10, 199], sent: [20, 200] },
                { tag: "stored 12", x: "12", y: "3", steps: [9, 3], centres: [199, 74], sent: [260, 80] }
            ]
        }

        function test_axisInit(data) {
            ui_View.setResult("getXYSensitive/0", data.x)
            ui_View.setResult("getXYSensitive/1", data.y)
            part("xySettingMain").init(true)
            compare([part("xSlider").value, part("ySlider").value], data.steps)
            compare([part("xSlider").knobCentre, part("ySlider").knobCentre], data.centres)
            compare(ui_View.callsOf("ui_0EH_SetXYSensitive"), [data.sent])
        }

        function test_frameCollapsesOnceOnDoubleClick() {
            var page = part("xySettingMain")
            compare(page.height, 126)
            mouseClick(page, 100, 9)
            mouseClick(page, 100, 9)
            tryCompare(page, "isOpen", false, 2000)
            // A second animation started by the second click would still be running.
            tryCompare(page, "animating", false, 2000)
            compare(page.isOpen, false)
            compare(page.height, 18)
            mouseClick(page, 100, 9)
            tryCompare(page, "isOpen", true, 2000)
            compare(page.height, 126)
        }
    }
}
