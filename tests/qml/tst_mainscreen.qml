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
            ui_Ctl.clearResults()
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
            // The start-up lock has a test of its own; a zero lock ends it on the same path.
            screen.setProtectUI(0)
            tryCompare(part("protectUIItem"), "isBusy", false, 3000)
            ui_View.clear()
            return screen
        }

        // Before a mouse answers, only the logo and what the program is doing show.
        function test_loadsShowingOnlyTheLogo() {
            screen = createScreen()
            compare(screen.width, 1000)
            compare(screen.height, 640)
            compare(part("powerOnLogo").visible, true)
            compare(part("waitingText").visible, true)
            compare(part("waitingText").text, "Looking for the mouse …")
            compare(part("panelleft").visible, false)
            compare(part("upItem").visible, false)
            compare(ui_View.calls().length, 0)
            screen.initUI()
            compare(part("waitingText").visible, false)
        }

        // Where no tray icon can bring the window back, closing minimises it; the first time
        // the screen says so, and offers to quit.
        function test_closeWithoutTray_data() {
            return [
                { tag: "no tray", tray: false },
                { tag: "tray", tray: true }
            ]
        }

        function test_closeWithoutTray(data) {
            ui_Ctl.setResult("isTrayAvailable", data.tray)
            startedScreen()
            var note = part("trayNote")
            mouseClick(findChild(screen, "closeButton"))
            if (data.tray) {
                compare(note.visible, false)
                compare(ui_Ctl.callsOf("onClose").length, 1)
                return
            }
            compare(note.visible, true)
            compare(part("mainMask").visible, true)
            compare(ui_Ctl.callsOf("onClose").length, 0)
            verify(findChild(note, "trayNoteText").text.indexOf("keeps running until you quit") > 0)
            mouseClick(findChild(note, "trayNoteOk"))
            compare(note.visible, false)
            compare(part("mainMask").visible, false)
            compare(ui_Ctl.callsOf("onClose").length, 1)
            // Said once: later closes minimise at once.
            mouseClick(findChild(screen, "closeButton"))
            compare(note.visible, false)
            compare(ui_Ctl.callsOf("onClose").length, 2)
            compare(ui_Ctl.callsOf("onQuit").length, 0)
        }

        function test_trayNoteQuits() {
            ui_Ctl.setResult("isTrayAvailable", false)
            startedScreen()
            mouseClick(findChild(screen, "closeButton"))
            mouseClick(findChild(part("trayNote"), "trayNoteQuit"))
            compare(ui_Ctl.callsOf("onQuit").length, 1)
            compare(ui_Ctl.callsOf("onClose").length, 0)
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
            // Restarting the running lock passes through a stopped timer.
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
            compare(ui_Ctl.names().filter(function (n) { return n !== "isTrayAvailable" }),
                    ["onMinimize", "onClose"])
            mouseClick(findChild(screen, "askButton"))
            compare(part("askMenu").visible, true)
            mouseClick(part("dragRegion"), 500, 300)
            compare(part("askMenu").visible, false)
        }

        function askRowTexts() {
            var texts = []
            for (var cmd = 0; cmd < 3; ++cmd) {
                var row = findChild(screen, "askRow" + cmd)
                if (row !== null)
                    texts.push(row.children[0].text)
            }
            return texts
        }

        function test_helpMenu_data() {
            return [
                { tag: "with updater", installed: true,
                  rows: ["https://www.example.com/skelda", "update", "version:4.5.6"] },
                { tag: "without updater", installed: false,
                  rows: ["https://www.example.com/skelda", "version:4.5.6"] }
            ]
        }

        function test_helpMenu(data) {
            ui_View.setResult("isUpdaterInstalled", data.installed)
            ui_View.setResult("getVersion", "4.5.6")
            startedScreen()
            var menu = part("askMenu")
            mouseClick(findChild(screen, "askButton"))
            compare(menu.visible, true)
            compare(askRowTexts(), data.rows)
            compare(menu.height, 1 + 21 * data.rows.length)
            // The version row does nothing, wherever it stands.
            ui_View.clear()
            mouseClick(findChild(screen, "askRow2"))
            compare(menu.visible, false)
            compare(ui_View.calls().length, 0)
            mouseClick(findChild(screen, "askButton"))
            if (data.installed) {
                mouseClick(findChild(screen, "askRow1"))
                compare(ui_View.callsOf("openUpdateExe").length, 1)
            } else {
                compare(findChild(screen, "askRow1"), null)
                // Where "update" would be, the version row answers.
                mouseClick(menu, 80, 1 + 21 + 10)
                compare(ui_View.callsOf("openUpdateExe").length, 0)
            }
            compare(menu.visible, false)
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

        // The start document, drawn while the main screen is built, looks like that screen
        // before a mouse answers, and calls nothing.
        function test_startDocumentDrawsTheWaitingScreen() {
            var component = Qt.createComponent("qrc:/modules/qml/start.qml")
            verify(component.status === Component.Ready, component.errorString())
            var start = component.createObject(root)
            verify(start !== null)
            compare([start.width, start.height], [1000, 640])
            compare(findChild(start, "waitingText").text, "Looking for the mouse …")
            waitForRendering(start)
            var drawn = grabImage(root)
            start.destroy()
            wait(0)
            screen = createScreen()
            waitForRendering(screen)
            var expected = grabImage(root)
            verify(drawn.equals(expected), "the start document draws another picture")
            compare(ui_View.calls().length, 0)
            // Something is drawn: the logo's middle is not the empty window.
            verify(expected.alpha(500, 320) > 0)
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
                // Closed dialogs are built when first opened.
                screen.openDialog(part(titles[i][0]))
                part(titles[i][0]).visible = false
                part("mainMask").visible = false
                var frame = findChild(part(titles[i][0]), "dialogTitle")
                verify(frame !== null, titles[i][0])
                compare(frame.text, titles[i][1], titles[i][0])
            }
            compare(findChild(part("factorysure"), "dialogClose").visible, false)
        }

        // A closed page costs no items at start: its content is built when it first opens and
        // kept when it closes.
        function test_closedPagesAreBuiltWhenFirstOpened_data() {
            return [{ tag: "key", page: "singleKeyMain", inside: "singleKeyOk" },
                    { tag: "macro key", page: "macroKeyMain", inside: "macroNameList" },
                    { tag: "key menu", page: "keyMenuMain", inside: "menuEntry10" },
                    { tag: "macro editor", page: "macroEditorMain", inside: "macroDataList" },
                    { tag: "gun", page: "gunControlMain", inside: "gunInsertDialog" },
                    { tag: "profiles", page: "profileMain", inside: "profileList" },
                    { tag: "reset", page: "factorysure", inside: "resetOkButton" },
                    { tag: "tray note", page: "trayNote", inside: "trayNoteQuit" },
                    { tag: "dialog frame", page: "factorysure", inside: "dialogTitle" },
                    { tag: "colour picker", page: "colorBar", inside: "hueSlider" },
                    { tag: "side view", page: "sideView", inside: "sideKey2" }]
        }

        function test_closedPagesAreBuiltWhenFirstOpened(data) {
            startedScreen()
            var page = part(data.page)
            compare(findChild(page, data.inside), null)
            page.visible = true
            verify(findChild(page, data.inside) !== null)
            page.visible = false
            verify(findChild(page, data.inside) !== null)
        }

        // What the start-up gives a closed dialog shows when it first opens.
        function test_closedPagesShowWhatTheyWereGiven_data() {
            return [{ tag: "macro editor", opener: "macroEditorButton", field: "countRecordInput", text: "7",
                      results: [["getNameList/0", ["Macro_0", "loadertovrim"]], ["loadMacroIndex/Macro_0", 0],
                                ["loadMacroIni/Macro_0", ["1,A", "2,A", "7"]]] },
                    { tag: "gun", opener: "gunControlButton", field: "gunLoopInput", text: "4",
                      results: [["getNameList/1", ["General", "Standard", "Rifle"]], ["loadGunIndex/Rifle", 2],
                                ["getselectGun/0", "Rifle"], ["loadGunIni/Rifle", ["1,A", "2,A", "4"]]] },
                    { tag: "profiles", opener: "profileBtn", list: "profileList", field: "profileRow2", name: "Quiet",
                      results: [["getNameList/2", ["Work0", "Play1", "Quiet2"]], ["getProfile", 2]] }]
        }

        function test_closedPagesShowWhatTheyWereGiven(data) {
            for (var i = 0; i < data.results.length; ++i)
                ui_View.setResult(data.results[i][0], data.results[i][1])
            startedScreen()
            mouseClick(part(data.opener))
            // Rows are laid out with the next frame.
            if (data.list)
                part(data.list).forceLayout()
            var field = part(data.field)
            if (data.text !== undefined)
                compare(field.text, data.text)
            else
                compare(field.name, data.name)
        }

        // A closed dialog holds no decoded picture: it opens with it, centred at the picture's
        // size, and gives it back when it closes.
        function test_dialogPictureLoadsWhenOpened_data() {
            return [{ tag: "key", page: "singleKeyMain" }, { tag: "reset", page: "factorysure" },
                    { tag: "macro editor", page: "macroEditorMain" }, { tag: "gun", page: "gunControlMain" },
                    { tag: "macro key", page: "macroKeyMain" }, { tag: "profiles", page: "profileMain" },
                    { tag: "tray note", page: "trayNote" }]
        }

        function test_dialogPictureLoadsWhenOpened(data) {
            startedScreen()
            var page = part(data.page)
            var picture = findChild(page, "dialogPicture")
            // Not built before its first opening, or built and closed.
            verify(picture === null || picture.status === Image.Null)
            screen.openDialog(page)
            picture = findChild(page, "dialogPicture")
            verify(picture !== null)
            compare(picture.status, Image.Ready)
            verify(page.width >= picture.sourceSize.width && page.height >= picture.sourceSize.height)
            compare([page.x, page.y], [Math.round((1000 - page.width) / 2), Math.round((640 - page.height) / 2)])
            page.visible = false
            compare(picture.status, Image.Null)
        }

        function test_sideViewPicturesLoadWhenShown() {
            startedScreen()
            compare(findChild(screen, "frontKey2").status, Image.Ready)
            compare(findChild(screen, "sideKey2"), null)
            mouseClick(findChild(screen, "sideViewButton"))
            compare(findChild(screen, "sideKey2").status, Image.Ready)
            compare(String(findChild(screen, "sideKey2").source), screen.sourceSideKey2)
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
            mouseClick(part("dragRegion"), 500, 300)
            compare(part("colorBar").visible, false)
        }

        function rectOf(item) {
            var p = item.mapToItem(screen, 0, 0)
            return { left: p.x, top: p.y, right: p.x + item.width, bottom: p.y + item.height }
        }

        function overlaps(a, b) {
            return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom
        }

        // The picker opens fully inside the window and its column, never over the scroll bar.
        function test_colourPickerPlacement_data() {
            var rows = []
            for (var stage = 0; stage < 6; ++stage) {
                for (var scrolled = 0; scrolled <= 160; scrolled += 80)
                    rows.push({ tag: "stage " + (stage + 1) + " scrolled " + scrolled, stage: stage,
                                contentY: scrolled })
            }
            return rows
        }

        function test_colourPickerPlacement(data) {
            startedScreen()
            var flick = part("rightFlick")
            flick.contentY = data.contentY
            var square = findChild(screen, "dpiColor" + data.stage)
            mouseClick(square)
            var picker = part("colorBar")
            compare(picker.visible, true)
            var p = rectOf(picker)
            var column = rectOf(flick)
            verify(p.left >= 0 && p.top >= 0 && p.right <= screen.width && p.bottom <= screen.height,
                   JSON.stringify(p))
            verify(p.left >= column.left && p.right <= column.right, JSON.stringify(p))
            compare(part("bar").visible, true)
            verify(!overlaps(p, rectOf(part("bar"))), JSON.stringify(p))
            verify(!overlaps(p, rectOf(square)), "covers its own square")
            var centre = rectOf(square)
            verify(p.left <= centre.left && p.right >= centre.right, "not under its square")
            // A click on a preset reaches the picker, not the panels below it.
            mouseClick(findChild(picker, "preset2"))
            compare(String(square.color), "#00ff00")
            mouseClick(part("dragRegion"), 500, 300)
        }

        function test_collapsedPanelShowsItCanOpen_data() {
            return [
                { tag: "axis", page: "xySettingMain" },
                { tag: "DPI", page: "dpiSettingMain" },
                { tag: "lighting", page: "lightControlMain" }
            ]
        }

        function test_collapsedPanelShowsItCanOpen(data) {
            startedScreen()
            var page = part(data.page)
            var mark = findChild(page, "openCloseMark")
            compare(mark.text, "—")
            mouseClick(page, 100, 9)
            tryCompare(page, "isOpen", false, 2000)
            compare(mark.text, "+")
            compare(mark.visible, true)
            mouseClick(page, 100, 9)
            tryCompare(page, "isOpen", true, 2000)
            compare(mark.text, "—")
        }

        function test_loadingBoxLeavesLogoClear() {
            screen = createScreen()
            screen.initUI()
            var box = findChild(part("protectUIItem"), "busyBox")
            compare(part("protectUIItem").visible, true)
            compare(part("powerOnLogo").visible, true)
            verify(!overlaps(rectOf(box), rectOf(part("powerOnLogo"))), JSON.stringify(rectOf(box)))
            var b = rectOf(box)
            verify(b.top >= 0 && b.bottom <= screen.height)
            tryCompare(part("powerOnLogo"), "visible", false, 3000)
            // Later locks show the box in the middle again.
            screen.setProtectUI(300)
            compare(rectOf(box).top, (screen.height - box.height) / 2)
            tryCompare(part("protectUIItem"), "isBusy", false, 2000)
        }

        function textsUnder(item, found) {
            if (item.text !== undefined && typeof item.text === "string")
                found.push(item.text)
            for (var i = 0; i < item.children.length; ++i)
                textsUnder(item.children[i], found)
            return found
        }

        function test_englishTexts() {
            ui_View.setResult("getLang", "English")
            startedScreen()
            mouseClick(findChild(screen, "askButton"))
            mouseClick(findChild(screen, "resetButton"))
            var texts = textsUnder(screen, []).concat(part("keyMenuMain").keyMenuLang, screen.mainLang)
            var wrong = ["Scrol ", "Factroy", "CLick", "verison"]
            for (var i = 0; i < texts.length; ++i) {
                for (var w = 0; w < wrong.length; ++w)
                    verify(texts[i].indexOf(wrong[w]) < 0, texts[i])
            }
            verify(texts.indexOf("Scroll one Screen") >= 0)
            verify(texts.indexOf("Double Click") >= 0)
            verify(texts.indexOf("Reset the current profile to its factory settings?") >= 0)
            verify(texts.indexOf("version:9.8.7") >= 0)
            mouseClick(findChild(screen, "resetCancelButton"))
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
