import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    ScreenTestCase {
        name: "MainScreen"
        startScreen: false

        function init() {
            ui_View.clear()
            ui_View.clearResults()
            ui_Ctl.clear()
        }

        function cleanup() {
            if (screen) {
                screen.destroy()
                screen = null
            }
            compare(ui_View.warnings(), [])
        }

        function startedScreen() {
            screen = createScreen()
            screen.initUI()
            tryCompare(part("protectUIItem"), "isBusy", false, 3000)
            ui_View.clear()
            return screen
        }

        function test_loadsInvisible() {
            screen = createScreen()
            compare(screen.visible, false)
            compare(screen.width, 1000)
            compare(screen.height, 640)
            compare(part("panelleft").visible, false)
            compare(ui_View.calls().length, 0)
        }

        function test_firstInitLocksThenShowsPanels() {
            screen = createScreen()
            var started = Date.now()
            screen.initUI()
            compare(screen.visible, true)
            compare(screen.isPowerOn, true)
            compare(part("protectUIItem").isBusy, true)
            compare(ui_View.callsOf("setEnabled"), [[false]])
            compare(part("powerOnLogo").visible, true)
            compare(part("panelleft").visible, false)
            tryCompare(part("powerOnLogo"), "visible", false, 3000)
            verify(Date.now() - started >= 950, "the lock lasted " + (Date.now() - started) + " ms")
            var names = ["envItem", "mainLogo", "panelleft", "profileBtn", "flickableBar", "panelRightItem",
                         "downItem", "upItem", "mouseMain"]
            for (var i = 0; i < names.length; ++i)
                compare(part(names[i]).visible, true, names[i])
            compare(part("protectUIItem").isBusy, false)
            compare(ui_View.callsOf("setEnabled"), [[false], [true]])
        }

        function test_initOrder() {
            ui_View.setResult("getProfile", "3")
            screen = createScreen()
            screen.initUI()
            var names = ui_View.names()
            compare(names.slice(0, 4), ["setEnabled", "getLang", "getProfile", "ui_02H_SetCurrentProfile"])
            compare(lastCall("ui_02H_SetCurrentProfile"), [3])
            compare(part("profileMain").profileNo, 3)
            compare(ui_View.callsOf("getGlobalStrings").length, 0)
            var order = ["getXYSensitive", "ui_91H_GetDPISet", "ui_8DH_GetRGBLedEffect", "ui_81H_GetReportRate",
                         "getCursorSpeed", "getDoubleClickSpeed", "getVerticalScrollLines"]
            var last = -1
            for (var i = 0; i < order.length; ++i) {
                var at = names.indexOf(order[i])
                verify(at > last, order[i] + " out of order")
                last = at
            }
            compare(screen.language, 0)
        }

        function test_secondInitChangesNothing() {
            startedScreen()
            part("xSlider").moveTo(7)
            screen.initUI()
            wait(50)
            compare(ui_View.calls().length, 0)
            compare(part("xSlider").value, 7)
            compare(part("protectUIItem").isBusy, false)
        }

        function test_reportRateBeforeInitNotSent() {
            ui_View.setResult("ui_81H_GetReportRate", 4)
            screen = createScreen()
            part("reprotRateMain").reportValue = 2
            compare(ui_View.callsOf("ui_01H_SetReportRate").length, 0)
            screen.initUI()
            compare(part("reprotRateMain").reportValue, 4)
            compare(ui_View.callsOf("ui_01H_SetReportRate").length, 0)
            part("reprotRateMain").reportValue = 8
            compare(ui_View.callsOf("ui_01H_SetReportRate"), [[8]])
        }

        function test_languages_data() {
            return [
                { tag: "Chinese", lang: "ChineseSimplified", language: 1, title: "DPI 设置", lastBuiltIn: "Define Color" },
                { tag: "English", lang: "English", language: 0, title: "DPI Setting", lastBuiltIn: "Define Color" },
                { tag: "no language", lang: undefined, language: 0, title: "DPI Setting", lastBuiltIn: "Define Color" }
            ]
        }

        function test_languages(data) {
            if (data.lang !== undefined)
                ui_View.setResult("getLang", data.lang)
            var texts = ["轴灵敏度", "X 轴", "Y 轴", "DPI 设置"]
            ui_View.setResult("getGlobalStrings/0", texts)
            ui_View.setResult("getGlobalStrings/4", ["枪械宏"])
            screen = createScreen()
            screen.initUI()
            compare(screen.language, data.language)
            compare(part("dpiSettingMain").title, data.title)
            // A short language group keeps the built-in texts it does not cover.
            compare(screen.mainLang.length, 35)
            compare(screen.mainLang[31], data.lastBuiltIn)
            var calls = ui_View.callsOf("getGlobalStrings")
            if (data.language === 1) {
                compare(calls, [[0, "lang_025044"], [1, "lang_025044"], [2, "lang_025044"], [3, "lang_025044"],
                                [4, "lang_025044"], [5, "lang_025044"], [6, "lang_025044"]])
                compare(part("gunControlMain").gunControlLang[0], "枪械宏")
                compare(part("gunControlMain").gunControlLang[1], "Gun")
            } else {
                compare(calls.length, 0)
            }
        }

        function test_lockRestartDoesNotUnlock() {
            startedScreen()
            screen.setProtectUI(300)
            wait(100)
            screen.setProtectUI(300)
            compare(ui_View.callsOf("setEnabled"), [[false], [false]])
            compare(part("protectUIItem").isBusy, true)
            tryCompare(part("protectUIItem"), "isBusy", false, 2000)
            compare(ui_View.callsOf("setEnabled"), [[false], [false], [true]])
        }

        function test_zeroIntervalUnlocksAtOnce() {
            startedScreen()
            screen.setProtectUI(5000)
            screen.setProtectUI(0)
            tryCompare(part("protectUIItem"), "isBusy", false, 500)
            compare(lastCall("setEnabled"), [true])
        }

        function test_lockBeforeInitKeepsLogo() {
            screen = createScreen()
            screen.setProtectUI(0)
            tryCompare(part("protectUIItem"), "isBusy", false, 500)
            screen.visible = true
            compare(part("powerOnLogo").visible, true)
            compare(part("panelleft").visible, false)
        }

        // A device call in the start-up that lets events run can outlast the lock.
        function test_lockEndingDuringInitStillShowsPanels() {
            screen = createScreen()
            lockStopper.timer = part("tmrProtectUI")
            lockStopper.target = part("profileMain")
            screen.initUI()
            lockStopper.target = null
            compare(part("protectUIItem").isBusy, false)
            compare(part("powerOnLogo").visible, false)
            compare(part("panelleft").visible, true)
        }

        function test_windowDrag() {
            startedScreen()
            var region = part("dragRegion")
            mousePress(region, 500, 50)
            mouseMove(region, 510, 47)
            mouseMove(region, 505, 60)
            mouseRelease(region, 505, 60)
            compare(ui_Ctl.names().slice(0, 4), ["onXChanged", "onYChanged", "onXChanged", "onYChanged"])
            compare(ui_Ctl.callsOf("onXChanged").slice(0, 2), [[10], [5]])
            compare(ui_Ctl.callsOf("onYChanged").slice(0, 2), [[-3], [10]])
        }

        function test_windowMenu() {
            startedScreen()
            mouseClick(findChild(screen, "minimiseButton"))
            mouseClick(findChild(screen, "closeButton"))
            compare(ui_Ctl.names(), ["onMinimize", "onClose"])
            mouseClick(findChild(screen, "askButton"))
            compare(part("askMenu").visible, true)
            mouseClick(findChild(screen, "askRow1"))
            compare(part("askMenu").visible, false)
            compare(ui_View.names(), ["openUpdateExe"])
            mouseClick(findChild(screen, "askButton"))
            mouseClick(findChild(screen, "askRow2"))
            compare(part("askMenu").visible, false)
            compare(ui_View.names(), ["openUpdateExe"])
            mouseClick(findChild(screen, "askButton"))
            mouseClick(part("dragRegion"), 500, 300)
            compare(part("askMenu").visible, false)
        }

        function test_resetConfirmation() {
            ui_View.setResult("getProfile", 2)
            startedScreen()
            ui_View.setResult("getselectGun/0", "Standard")
            mouseClick(findChild(screen, "resetButton"))
            compare(part("factorysure").visible, true)
            compare(part("mainMask").visible, true)
            mouseClick(findChild(screen, "resetCancelButton"))
            compare(part("factorysure").visible, false)
            compare(part("mainMask").visible, false)
            compare(ui_View.calls().length, 0)
            mouseClick(findChild(screen, "resetButton"))
            mouseClick(findChild(screen, "resetOkButton"))
            compare(part("factorysure").visible, false)
            compare(part("mainMask").visible, false)
            var names = ui_View.names()
            compare(names.slice(0, 3), ["setEnabled", "resetProfile", "getselectGun"])
            compare(lastCall("resetProfile"), [2])
            compare(part("gunControlMain").selectGunName, "Standard")
            verify(names.indexOf("ui_11H_SetDPISet") > 0)
            verify(names.indexOf("ui_0DH_SetRGBLedEffect") > names.indexOf("ui_11H_SetDPISet"))
            verify(names.indexOf("setVerticalScrollLines") > names.indexOf("ui_0DH_SetRGBLedEffect"))
            compare(part("protectUIItem").isBusy, true)
        }

        function test_resetDialogStaysInside() {
            startedScreen()
            mouseClick(findChild(screen, "resetButton"))
            var dialog = part("factorysure")
            mouseDrag(dialog, 100, 10, -900, -900)
            compare(dialog.x, 0)
            compare(dialog.y, 0)
            mouseDrag(dialog, 100, 10, 2000, 2000)
            compare(dialog.x, 1000 - dialog.width)
            compare(dialog.y, 640 - dialog.height)
            mouseClick(findChild(screen, "resetCancelButton"))
        }

        function test_profileChangeAndBack() {
            ui_View.setResult("getProfile", 0)
            startedScreen()
            var profile = part("profileMain")
            mouseClick(part("profileBtn"))
            compare(profile.visible, true)
            compare(part("mainMask").visible, true)
            profile.changeProfile(0)
            compare(ui_View.calls().length, 0)
            profile.changeProfile(1)
            compare(profile.profileNo, 1)
            compare(ui_View.names()[0], "ui_02H_SetCurrentProfile")
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile"), [[1]])
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 0)
            profile.changeProfile(0)
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile"), [[1], [0]])
            ui_View.clear()
            profile.closeUI()
            compare(ui_View.names()[0], "setEnabled")
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 1)
            compare(ui_View.callsOf("ui_0EH_SetXYSensitive").length, 1)
            ui_View.clear()
            profile.closeUI()
            compare(ui_View.calls().length, 0)
            mouseClick(part("profileBtn"))
            compare(profile.visible, false)
            compare(part("mainMask").visible, false)
        }

        function test_keyMatrixClicks() {
            startedScreen()
            var matrix = part("keyMatrixMain")
            var menu = part("keyMenuMain")
            var mouse = part("mouseMain")
            matrix.enterBtn(3)
            compare(mouse.selectKey, 3)
            matrix.leaveBtn(3)
            compare(mouse.selectKey, -1)
            matrix.clickKeyMatrix(2)
            compare(menu.visible, true)
            compare([menu.x, menu.y], [249, 173])
            compare(mouse.selectKey, 2)
            matrix.enterBtn(4)
            compare(mouse.selectKey, 2)
            matrix.clickKeyMatrix(5)
            compare(mouse.selectKey, 5)
            compare(menu.y, 236)
            menu.menuCmd("07000300")
            compare(menu.visible, false)
            compare(mouse.selectKey, -1)
            matrix.clickKeyMatrix(7)
            var macroKey = part("macroKeyMain")
            compare(macroKey.visible, true)
            compare([macroKey.uiType, macroKey.macroType], [1, 2])
            compare([macroKey.x, macroKey.y], [Math.round((1000 - macroKey.width) / 2),
                                               Math.round((640 - macroKey.height) / 2)])
            compare(part("mainMask").visible, true)
            macroKey.closeSure()
            compare(macroKey.visible, false)
            compare(mouse.selectKey, -1)
            compare(part("mainMask").visible, false)
        }

        // Every dialog the main screen opens can be closed again, which takes the mask away.
        function test_dialogsClose_data() {
            var rows = []
            var pages = [
                { page: "macroEditorMain", opener: "macroEditorButton", signal: "" },
                { page: "gunControlMain", opener: "gunControlButton", signal: "" },
                { page: "profileMain", opener: "profileBtn", signal: "closeUI" },
                { page: "macroKeyMain", opener: "", signal: "closeSure" },
                { page: "singleKeyMain", opener: "", signal: "closeSure" }
            ]
            var controls = ["dialogClose", "dialogCancel"]
            for (var i = 0; i < pages.length; ++i) {
                for (var c = 0; c < controls.length; ++c) {
                    if (pages[i].page === "profileMain" && controls[c] === "dialogCancel")
                        continue
                    rows.push({ tag: pages[i].page + " " + controls[c], page: pages[i].page,
                                opener: pages[i].opener, signal: pages[i].signal, control: controls[c] })
                }
            }
            return rows
        }

        function test_dialogsClose(data) {
            startedScreen()
            var page = part(data.page)
            var mouse = part("mouseMain")
            if (data.opener !== "")
                mouseClick(part(data.opener))
            else if (data.page === "macroKeyMain")
                part("keyMatrixMain").clickKeyMatrix(7)
            else
                screen.openDialog(page)
            compare(page.visible, true)
            compare(part("mainMask").visible, true)
            verify(page.width > 0 && page.height > 0)
            var spy = data.signal === "" ? null
                                         : createTemporaryObject(spyComponent, root, { target: page,
                                                                                       signalName: data.signal })
            var control = findChild(page, data.control)
            verify(control !== null, "no " + data.control)
            compare(control.visible, true)
            mouseClick(control)
            compare(page.visible, false)
            compare(part("mainMask").visible, false)
            compare(mouse.selectKey, -1)
            if (spy)
                compare(spy.count, 1)
            // The screen answers again: the help button opens its menu.
            mouseClick(findChild(screen, "askButton"))
            compare(part("askMenu").visible, true)
        }

        function test_dialogTitles() {
            startedScreen()
            var titles = [["macroEditorMain", "Macro Manager"], ["gunControlMain", "Gun Macro"],
                          ["profileMain", "Profiles"], ["macroKeyMain", "Macro Key"], ["singleKeyMain", "Key"],
                          ["factorysure", "Reset"]]
            for (var i = 0; i < titles.length; ++i) {
                var frame = findChild(part(titles[i][0]), "dialogTitle")
                verify(frame !== null, titles[i][0])
                compare(frame.text, titles[i][1], titles[i][0])
            }
            compare(findChild(part("factorysure"), "dialogClose").visible, false)
        }

        function test_dialogDragsInsideTheWindow() {
            startedScreen()
            mouseClick(findChild(screen, "macroEditorButton"))
            var editor = part("macroEditorMain")
            mouseDrag(editor, 100, 60, -900, -900)
            compare([editor.x, editor.y], [0, 0])
            mouseDrag(editor, 100, 60, 2000, 2000)
            compare([editor.x, editor.y], [1000 - editor.width, 640 - editor.height])
            mouseClick(findChild(editor, "dialogCancel"))
            compare(part("mainMask").visible, false)
        }

        function test_viewButtons() {
            startedScreen()
            var mouse = part("mouseMain")
            mouse.selectKey = 1
            compare(findChild(screen, "frontKey1").source, screen.sourceFrontKey1Sel)
            compare(findChild(screen, "frontKey0").source, screen.sourceFrontKey0)
            mouseClick(findChild(screen, "sideViewButton"))
            compare(mouse.isSide, true)
            compare(findChild(screen, "sideView").visible, true)
            compare(findChild(screen, "frontView").visible, false)
            compare(findChild(screen, "sideKey1").source, screen.sourceSideKey1Sel)
            mouseClick(findChild(screen, "topViewButton"))
            compare(mouse.isSide, false)
        }

        function test_capturedKeysReachListeners() {
            startedScreen()
            var spy = createTemporaryObject(spyComponent, root, { target: screen, signalName: "msg_KB" })
            var mouseSpy = createTemporaryObject(spyComponent, root, { target: screen, signalName: "msg_MS" })
            screen.detectKeyboard(true, 0x04)
            screen.detectKeyboard(false, 0x04)
            screen.detectMouse(true, 0xF1, 4294967295, 20)
            compare(spy.count, 2)
            compare([spy.signalArguments[0][0], spy.signalArguments[0][1]], [true, 4])
            compare([spy.signalArguments[1][0], spy.signalArguments[1][1]], [false, 4])
            compare(mouseSpy.count, 1)
            compare(mouseSpy.signalArguments[0][1], 0xF1)
        }

        function test_colourPickerClosesOnFocusControl() {
            startedScreen()
            mouseClick(findChild(screen, "dpiColor4"))
            compare(part("colorBar").visible, true)
            compare(part("colorBar").x, 20)
            mouseClick(part("dragRegion"), 500, 300)
            compare(part("colorBar").visible, false)
        }

        Connections {
            id: lockStopper
            target: null
            ignoreUnknownSignals: true
            property var timer: null
            function onProfileNoChanged() { timer.stop() }
        }

        Component {
            id: spyComponent
            SignalSpy {}
        }
    }
}
