import QtQuick
import "basic"
import "common"
import "Z5"

Item {
    id: mainIten
    width: 1000
    height: 640
    // Shown from the start: a window brought back before any mouse answered shows the logo.
    visible: true

    property var mainLang: ["Axis Sensitivity", "x-Axis", "y-Axis", "DPI Setting", "Lighting", "Static",
        "Breath", "Neon", "Finger \nTapping", "Report rate", "Mouse Speed", "Double-Click Speed",
        "Scroll Speed", "Slow", "Fast", "Number of Rows", "Scroll one Screen", "Top View", "Side View",
        "Profiles", "New", "Delete", "Edit", "Copy", "Load", "Save", "Reset", "Reset the current profile to its factory settings?",
        "OK", "Cancel", "Select Color", "Define Color", "Looking for the mouse …",
        "There is no system tray on this desktop: closing the window minimises it, and the program keeps running until you quit it.",
        "Quit"]
    // English, like the texts shown before initUI reads the stored language.
    property int language: 0
    property bool isPowerOn: false
    property bool isScrollRateFocus: false
    property int skin_No: 1
    property int animation_speed: 300
    property string fontFamily: "微软雅黑"
    property int fontNormalSize: 12
    property int fontMaxSize: 16
    property int fontMiddleSize: 14
    property int fontMinSize: 10
    property color fontColor: "#ffffff"
    property string makerSite: "https://www.example.com/skelda"
    property bool isProfileChanged: false
    property bool isRestartingLock: false
    property bool isTrayNoteShown: false

    property string sourceBackground: "qrc:/modules/img/background.png"
    property string sourcePowerOn: skinImage("index", "powerOn")
    property string sourceMainLogo: skinImage("index", "mainLogo")
    property string sourceAsk: skinImage("index", "btnAsk")
    property string sourceAskHover: skinImage("index", "btnAskHover")
    property string sourceCloseBtn: skinImage("index", "btnMinimize")
    property string sourceCloseBtnHover: skinImage("index", "btnMinimizeHover")
    property string sourceMinBtn: skinImage("index", "btnClose")
    property string sourceMinBtnHover: skinImage("index", "btnCloseHover")
    property string sourceResetBtn: skinImage("index", "resetBtn")
    property string sourceResetBtnHover: skinImage("index", "resetBtnHover")
    property string sourceSureBg: skinImage("index", "sureBg")
    property string sourceProfileBtn: skinImage("index", "profileBtn")
    property string sourceProfileBtnHover: skinImage("index", "profileBtnHover")
    property string sourceMacroBtn: skinImage("index", "macroBtn")
    property string sourceMacroBtnHover: skinImage("index", "macroBtnHover")
    property string sourceGunBtn: skinImage("index", "gunBtn")
    property string sourceGunBtnHover: skinImage("index", "gunBtnHover")
    property string sourceScrollTrack: skinImage("index", "scrollTrack")
    property string sourceDpiSliderBg: skinImage("dpiSetting", "dpiSliderBg")
    property string sourceDpiSliderBtn: skinImage("dpiSetting", "dpiSliderBtn")
    property string sourceDpiSelect0: skinImage("dpiSetting", "dpiSelect0")
    property string sourceDpiSelect1: skinImage("dpiSetting", "dpiSelect1")
    property string sourceHueBar: skinImage("dpiSetting", "hueBar")
    property string sourceHueSlider: skinImage("dpiSetting", "hueSlider")
    property string sourceRadio0: skinImage("lightControl", "radio0")
    property string sourceRadio1: skinImage("lightControl", "radio1")
    property string sourceLightSlider0: skinImage("lightControl", "lightSlider0")
    property string sourceLightSlider1: skinImage("lightControl", "lightSlider1")
    property string sourceLightSlider2: skinImage("lightControl", "lightSlider2")
    property string sourceLightSlider3: skinImage("lightControl", "lightSlider3")
    property string sourceLightSlider4: skinImage("lightControl", "lightSlider4")
    property string sourceLightSliderBtn: skinImage("lightControl", "lightSliderBtn")
    property string sourceLightScale0: skinImage("lightControl", "lightScale0")
    property string sourceLightScale1: skinImage("lightControl", "lightScale1")
    property string sourceLightScale2: skinImage("lightControl", "lightScale2")
    property string sourcereportRate0: skinImage("reportRate", "reportRate0")
    property string sourcereportRate1: skinImage("reportRate", "reportRate1")
    property string sourcereportRate2: skinImage("reportRate", "reportRate2")
    property string sourcereportRate3: skinImage("reportRate", "reportRate3")
    property string sourcereportRateEn0: skinImage("reportRate", "reportRateEn0")
    property string sourcereportRateEn1: skinImage("reportRate", "reportRateEn1")
    property string sourcereportRateEn2: skinImage("reportRate", "reportRateEn2")
    property string sourcereportRateEn3: skinImage("reportRate", "reportRateEn3")
    property string sourcemouseRate0: skinImage("mouseRate", "mouseRate0")
    property string sourcemouseRate1: skinImage("mouseRate", "mouseRate1")
    property string sourcemouseRate2: skinImage("mouseRate", "mouseRate2")
    property string sourcemouseRate3: skinImage("mouseRate", "mouseRate3")
    property string sourcemouseRate4: skinImage("mouseRate", "mouseRate4")
    property string sourcemouseRate5: skinImage("mouseRate", "mouseRate5")
    property string sourcemouseRate6: skinImage("mouseRate", "mouseRate6")
    property string sourcemouseRate7: skinImage("mouseRate", "mouseRate7")
    property string sourcemouseRate8: skinImage("mouseRate", "mouseRate8")
    property string sourcemouseRate9: skinImage("mouseRate", "mouseRate9")
    property string sourcemouseRate10: skinImage("mouseRate", "mouseRate10")
    property string sourcescrollRate0: skinImage("scrollRate", "scrollRate0")
    property string sourcescrollRate1: skinImage("scrollRate", "scrollRate1")
    property string sourcescrollRate2: skinImage("scrollRate", "scrollRate2")
    property string sourcescrollRate3: skinImage("scrollRate", "scrollRate3")
    property string sourcescrollRate4: skinImage("scrollRate", "scrollRate4")
    property string sourcescrollRate5: skinImage("scrollRate", "scrollRate5")
    property string sourcescrollRate6: skinImage("scrollRate", "scrollRate6")
    property string sourcexy0: skinImage("xySetting", "xy0")
    property string sourcexy1: skinImage("xySetting", "xy1")
    property string sourcexy2: skinImage("xySetting", "xy2")
    property string sourcexy3: skinImage("xySetting", "xy3")
    property string sourcexy4: skinImage("xySetting", "xy4")
    property string sourcexy5: skinImage("xySetting", "xy5")
    property string sourcexy6: skinImage("xySetting", "xy6")
    property string sourcexy7: skinImage("xySetting", "xy7")
    property string sourcexy8: skinImage("xySetting", "xy8")
    property string sourcexy9: skinImage("xySetting", "xy9")
    property string sourcexyBtn: skinImage("xySetting", "xyBtn")
    property string sourcexyNumber: skinImage("xySetting", "xyNumber")
    property string sourceMouseFront: skinImage("mouse", "mouseFront")
    property string sourceMouseSide: skinImage("mouse", "mouseSide")
    property string sourceFrontKey0: skinImage("mouse", "frontKey0")
    property string sourceFrontKey1: skinImage("mouse", "frontKey1")
    property string sourceFrontKey2: skinImage("mouse", "frontKey2")
    property string sourceFrontKey3: skinImage("mouse", "frontKey3")
    property string sourceFrontKey4: skinImage("mouse", "frontKey4")
    property string sourceFrontKey5: skinImage("mouse", "frontKey5")
    property string sourceFrontKey6: skinImage("mouse", "frontKey6")
    property string sourceFrontKey7: skinImage("mouse", "frontKey7")
    property string sourceFrontKey0Sel: skinImage("mouse", "frontKey0Sel")
    property string sourceFrontKey1Sel: skinImage("mouse", "frontKey1Sel")
    property string sourceFrontKey2Sel: skinImage("mouse", "frontKey2Sel")
    property string sourceFrontKey3Sel: skinImage("mouse", "frontKey3Sel")
    property string sourceFrontKey4Sel: skinImage("mouse", "frontKey4Sel")
    property string sourceFrontKey5Sel: skinImage("mouse", "frontKey5Sel")
    property string sourceFrontKey6Sel: skinImage("mouse", "frontKey6Sel")
    property string sourceFrontKey7Sel: skinImage("mouse", "frontKey7Sel")
    property string sourceSideKey0: skinImage("mouse", "sideKey0")
    property string sourceSideKey1: skinImage("mouse", "sideKey1")
    property string sourceSideKey2: skinImage("mouse", "sideKey2")
    property string sourceSideKey3: skinImage("mouse", "sideKey3")
    property string sourceSideKey4: skinImage("mouse", "sideKey4")
    property string sourceSideKey5: skinImage("mouse", "sideKey5")
    property string sourceSideKey6: skinImage("mouse", "sideKey6")
    property string sourceSideKey7: skinImage("mouse", "sideKey7")
    property string sourceSideKey0Sel: skinImage("mouse", "sideKey0Sel")
    property string sourceSideKey1Sel: skinImage("mouse", "sideKey1Sel")
    property string sourceSideKey2Sel: skinImage("mouse", "sideKey2Sel")
    property string sourceSideKey3Sel: skinImage("mouse", "sideKey3Sel")
    property string sourceSideKey4Sel: skinImage("mouse", "sideKey4Sel")
    property string sourceSideKey5Sel: skinImage("mouse", "sideKey5Sel")
    property string sourceSideKey6Sel: skinImage("mouse", "sideKey6Sel")
    property string sourceSideKey7Sel: skinImage("mouse", "sideKey7Sel")
    property string sourceViewBtn: skinImage("mouse", "viewBtn")
    property string sourceViewBtnHover: skinImage("mouse", "viewBtnHover")
    property string sourceViewBtnSel: skinImage("mouse", "viewBtnSel")
    property string sourceProfileBG: skinImage("profile", "profileBG")
    property string sourceProfileClose: skinImage("profile", "profileClose")
    property string sourceProfileCloseHover: skinImage("profile", "profileCloseHover")
    property string sourceProfileNew: skinImage("profile", "profileNew")
    property string sourceProfileNewHover: skinImage("profile", "profileNewHover")
    property string sourceProfileDelete: skinImage("profile", "profileDelete")
    property string sourceProfileDeleteHover: skinImage("profile", "profileDeleteHover")
    property string sourceMacroEditorBg: skinImage("macros", "macroEditorBg")
    property string sourceMacroKeyBg: skinImage("macros", "macroKeyBg")
    property string sourceSingleKeyBg: skinImage("macros", "singleKeyBg")
    property string sourceMacroClose: skinImage("macros", "macroClose")
    property string sourceMacroCloseHover: skinImage("macros", "macroCloseHover")
    property string sourceMacroDelay: skinImage("macros", "macroDelay")
    property string sourceMacroDown: skinImage("macros", "macroDown")
    property string sourceMacroUp: skinImage("macros", "macroUp")
    property string sourceMacroCheck0: skinImage("macros", "macroCheck0")
    property string sourceMacroCheck1: skinImage("macros", "macroCheck1")
    property string sourceMacroRadio0: skinImage("macros", "macroRadio0")
    property string sourceMacroRadio1: skinImage("macros", "macroRadio1")
    property string sourceMacroRecord: skinImage("macros", "macroRecord")
    property string sourceMacroRecordHover: skinImage("macros", "macroRecordHover")
    property string sourceMacroRecording: skinImage("macros", "macroRecording")
    property string sourceMacroButton: skinImage("macros", "macroButton")
    property string sourceMacroButtonHover: skinImage("macros", "macroButtonHover")
    property string sourceMacroCombo: skinImage("macros", "macroCombo")
    property string sourceMacroInput: skinImage("macros", "macroInput")
    property string sourceGunControlBg: skinImage("gun", "gunControlBg")
    property string sourceGunDialogBg: skinImage("gun", "gunDialogBg")
    property string sourceGunClose: skinImage("gun", "gunClose")
    property string sourceGunCloseHover: skinImage("gun", "gunCloseHover")
    property string sourceGunDelay: skinImage("gun", "gunDelay")
    property string sourceGunDown: skinImage("gun", "gunDown")
    property string sourceGunUp: skinImage("gun", "gunUp")
    property string sourceGunCursor: skinImage("gun", "gunCursor")
    property string sourceGunCheck0: skinImage("gun", "gunCheck0")
    property string sourceGunCheck1: skinImage("gun", "gunCheck1")
    property string sourceGunRadio0: skinImage("gun", "gunRadio0")
    property string sourceGunRadio1: skinImage("gun", "gunRadio1")
    property string sourceGunRecord: skinImage("gun", "gunRecord")
    property string sourceGunRecordHover: skinImage("gun", "gunRecordHover")
    property string sourceGunRecording: skinImage("gun", "gunRecording")
    property string sourceGunButton: skinImage("gun", "gunButton")
    property string sourceGunButtonHover: skinImage("gun", "gunButtonHover")
    property string sourceGunInput: skinImage("gun", "gunInput")
    property string sourceGunPad: skinImage("gun", "gunPad")
    property string sourceGunPadDot: skinImage("gun", "gunPadDot")
    readonly property var ledSliderSources: [sourceLightSlider0, sourceLightSlider1, sourceLightSlider2,
        sourceLightSlider3, sourceLightSlider4]
    readonly property var reportRateSources: [sourcereportRate0, sourcereportRate1, sourcereportRate2,
        sourcereportRate3]
    readonly property var reportRateEnSources: [sourcereportRateEn0, sourcereportRateEn1,
        sourcereportRateEn2, sourcereportRateEn3]
    readonly property var mouseRateSources: [sourcemouseRate0, sourcemouseRate1, sourcemouseRate2,
        sourcemouseRate3, sourcemouseRate4, sourcemouseRate5, sourcemouseRate6, sourcemouseRate7,
        sourcemouseRate8, sourcemouseRate9, sourcemouseRate10]
    readonly property var xySources: [sourcexy0, sourcexy1, sourcexy2, sourcexy3, sourcexy4, sourcexy5,
        sourcexy6, sourcexy7, sourcexy8, sourcexy9]
    readonly property var frontKeySources: [sourceFrontKey0, sourceFrontKey1, sourceFrontKey2,
        sourceFrontKey3, sourceFrontKey4, sourceFrontKey5, sourceFrontKey6, sourceFrontKey7]
    readonly property var frontKeySelSources: [sourceFrontKey0Sel, sourceFrontKey1Sel, sourceFrontKey2Sel,
        sourceFrontKey3Sel, sourceFrontKey4Sel, sourceFrontKey5Sel, sourceFrontKey6Sel, sourceFrontKey7Sel]
    readonly property var sideKeySources: [sourceSideKey0, sourceSideKey1, sourceSideKey2, sourceSideKey3,
        sourceSideKey4, sourceSideKey5, sourceSideKey6, sourceSideKey7]
    readonly property var sideKeySelSources: [sourceSideKey0Sel, sourceSideKey1Sel, sourceSideKey2Sel,
        sourceSideKey3Sel, sourceSideKey4Sel, sourceSideKey5Sel, sourceSideKey6Sel, sourceSideKey7Sel]

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int tarnCode, int x, int y)

    function skinImage(area, file) {
        return "qrc:/" + area + "/modules/img/skin" + skin_No + "/" + area + "/" + file + ".png"
    }

    // A short or missing language group keeps the built-in texts it does not cover.
    function mergeTexts(builtIn, loaded) {
        var result = builtIn.slice()
        for (var i = 0; i < loaded.length && i < result.length; ++i)
            result[i] = loaded[i]
        return result
    }

    function initUI() {
        if (isPowerOn)
            return
        setProtectUI(1000)
        mainIten.visible = true
        language = String(ui_View.getLang()) === "ChineseSimplified" ? 1 : 0
        var profile = parseInt(ui_View.getProfile(), 10)
        profileMain.profileNo = isNaN(profile) ? 0 : profile
        ui_View.ui_02H_SetCurrentProfile(profileMain.profileNo)
        if (language === 1) {
            mainLang = mergeTexts(mainLang, ui_View.getGlobalStrings(0, "lang_025044"))
            keyMatrixMain.keyMatrixLang = mergeTexts(keyMatrixMain.keyMatrixLang,
                                                     ui_View.getGlobalStrings(1, "lang_025044"))
            keyMenuMain.keyMenuLang = mergeTexts(keyMenuMain.keyMenuLang,
                                                 ui_View.getGlobalStrings(2, "lang_025044"))
            macroEditorMain.macroEditorLang = mergeTexts(macroEditorMain.macroEditorLang,
                                                         ui_View.getGlobalStrings(3, "lang_025044"))
            gunControlMain.gunControlLang = mergeTexts(gunControlMain.gunControlLang,
                                                       ui_View.getGlobalStrings(4, "lang_025044"))
            macroKeyMain.macroKeyLang = mergeTexts(macroKeyMain.macroKeyLang,
                                                   ui_View.getGlobalStrings(5, "lang_025044"))
            ui_View.getGlobalStrings(6, "lang_025044")
        }
        macroEditorMain.init()
        gunControlMain.init()
        profileMain.init()
        keyMatrixMain.init(false)
        keyMenuMain.init()
        xySettingMain.init(false)
        dpiSettingMain.init(false)
        lightControlMain.init(false)
        reprotRateMain.init(false)
        mouseRateMain.init(false)
        doubleRateMain.init(false)
        scrollRateMain.init(false)
        gunControlMain.inited()
        isPowerOn = true
        // A device call above may wait for the link while events run, and the lock can end meanwhile.
        if (!tmrProtectUI.running)
            protectUIEnded()
    }

    function run() {}

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, tarnCode, x, y) {
        msg_MS(isDown, tarnCode, x, y)
    }

    function setProtectUI(interval) {
        protectUIItem.setBusy(true)
        ui_View.setEnabled(false)
        // Restarting a running timer passes through "stopped"; that is not the end of the lock.
        isRestartingLock = true
        tmrProtectUI.interval = interval
        tmrProtectUI.restart()
        isRestartingLock = false
    }

    function protectUIEnded() {
        ui_View.setEnabled(true)
        protectUIItem.setBusy(false)
        // The panels appear only once initUI has filled them.
        if (powerOnLogo.visible && isPowerOn) {
            powerOnLogo.visible = false
            envItem.visible = true
            mainLogo.visible = true
            panelleft.visible = true
            profileBtn.visible = true
            flickableBar.visible = true
            panelRightItem.visible = true
            downItem.visible = true
            upItem.visible = true
            mouseMain.visible = true
        }
    }

    function focusControl() {
        if (isScrollRateFocus) {
            scrollRateMain.textInputFocus = false
            isScrollRateFocus = false
        }
        if (keyMenuMain.visible) {
            keyMenuMain.visible = false
            mouseMain.selectKey = -1
        }
        colorBar.visible = false
        askMenu.visible = false
    }

    // "update" is offered only where there is an updater to start.
    function openAskMenu() {
        var rows = [{ text: makerSite, cmd: 0 }]
        if (ui_View.isUpdaterInstalled())
            rows.push({ text: "update", cmd: 1 })
        rows.push({ text: "version:" + ui_View.getVersion(), cmd: 2 })
        if (JSON.stringify(rows) !== JSON.stringify(askMenu.rows))
            askMenu.rows = rows
        askMenu.visible = true
    }

    // Without a tray the window only minimises; the first time, the screen says so.
    function closeWindow() {
        if (!isTrayNoteShown && !ui_Ctl.isTrayAvailable()) {
            isTrayNoteShown = true
            openDialog(trayNote)
            return
        }
        ui_Ctl.onClose()
    }

    function askMenuCmd(cmd) {
        if (cmd === 0)
            Qt.openUrlExternally(makerSite)
        else if (cmd === 1)
            ui_View.openUpdateExe()
    }

    // Static level 0 is sent as "off"; the stored list always keeps the page values.
    function setLED(effect, option1, option2) {
        var configs = [effect, option1, option2]
        var p = 1
        if (effect === 1 && option1 >= 0 && option1 <= 4)
            p = [0xFF, 2, 4, 6, 10][option1]
        else if (effect === 2 && option1 >= 0 && option1 <= 4)
            p = 5 - option1
        else if ((effect === 3 || effect === 4) && option1 >= 0 && option1 <= 4)
            p = [6, 12, 18, 24, 30][option1]
        if (p === 0xFF)
            ui_View.ui_0DH_SetRGBLedEffect(0, 0, 0, configs)
        else
            ui_View.ui_0DH_SetRGBLedEffect(effect, p, option2, configs)
    }

    function sendDpiSet() {
        ui_View.ui_11H_SetDPISet(6, dpiSettingMain.dpiValueToDpiSet(), dpiSettingMain.valueForDpi())
    }

    function initPages(isSendData) {
        keyMatrixMain.init(isSendData)
        xySettingMain.init(isSendData)
        dpiSettingMain.init(isSendData)
        lightControlMain.init(isSendData)
        reprotRateMain.init(isSendData)
        mouseRateMain.init(isSendData)
        doubleRateMain.init(isSendData)
        scrollRateMain.init(isSendData)
    }

    // A command line stored and sent a change: the pages show what is stored now.
    function commandLineChanged(part) {
        if (!isPowerOn)
            return
        if (part === "profile") {
            var profile = parseInt(ui_View.getProfile(), 10)
            profileMain.profileNo = isNaN(profile) ? 0 : profile
            profileMain.init()
            gunControlMain.profileChange()
            initPages(false)
        } else if (part === "dpi") {
            dpiSettingMain.init(false)
        } else if (part === "rate") {
            reprotRateMain.init(false)
        } else if (part === "light") {
            lightControlMain.init(false)
        } else if (part === "buttons") {
            keyMatrixMain.init(false)
        }
    }

    function centre(item) {
        item.x = Math.round((width - item.width) / 2)
        item.y = Math.round((height - item.height) / 2)
    }

    // Shown first: a dialog's picture, and with it the size of some, loads when it opens.
    function openDialog(item) {
        item.visible = true
        centre(item)
        mainMask.visible = true
    }

    function closeKeyDialog(item) {
        item.visible = false
        mouseMain.selectKey = -1
        mainMask.visible = false
    }

    function resetProfileSure() {
        factorysure.visible = false
        mainMask.visible = false
        setProtectUI(1000)
        ui_View.resetProfile(profileMain.profileNo)
        // The gun named on button 8 is the one sent, not whichever is listed first.
        gunControlMain.profileChange()
        initPages(true)
    }

    function profileSelected(tmpProfileNo) {
        if (tmpProfileNo === profileMain.profileNo)
            return
        profileMain.profileNo = tmpProfileNo
        ui_View.ui_02H_SetCurrentProfile(tmpProfileNo)
        isProfileChanged = true
        initPages(false)
    }

    // The mouse was found or came back: it gets the whole current profile, as after a profile change.
    function resendProfile() {
        if (!isPowerOn)
            return
        setProtectUI(1500)
        gunControlMain.profileChange()
        initPages(true)
    }

    function profileClosed() {
        if (!isProfileChanged)
            return
        setProtectUI(1500)
        gunControlMain.profileChange()
        isProfileChanged = false
        initPages(true)
    }

    // An imported file replaced the active profile: the pages show it and the mouse gets it,
    // as after a switch, which this also completes.
    function profileLoaded() {
        setProtectUI(1500)
        gunControlMain.profileChange()
        isProfileChanged = false
        initPages(true)
    }

    function menuCommand(menuStr) {
        var b0 = parseInt(menuStr.substr(0, 2), 16)
        var b1 = parseInt(menuStr.substr(2, 2), 16)
        var b2 = parseInt(menuStr.substr(4, 2), 16)
        var b3 = parseInt(menuStr.substr(6, 2), 16)
        keyMatrixMain.modifyData(mouseMain.selectKey, b0, b1, b2, b3)
        keyMatrixMain.refreashUI()
        keyMenuMain.visible = false
        mouseMain.selectKey = -1
    }

    function keyMatrixClicked(index) {
        focusControl()
        // The row stays selected even when the menu was open on another row.
        mouseMain.selectKey = index
        if (index === 7) {
            openDialog(macroKeyMain)
            macroKeyMain.showUI()
            macroKeyMain.uiType = 1
            macroKeyMain.macroType = 2
        } else {
            keyMenuMain.x = keyMatrixMain.getx(index)
            keyMenuMain.y = keyMatrixMain.gety(index)
            keyMenuMain.showControl()
        }
    }

    onMsg_KB: function (isDown, usbCode) {
        if (macroEditorMain.isInputting)
            macroEditorMain.detectKeyboard(isDown, usbCode)
        if (macroEditorMain.isInsertting)
            macroEditorMain.detectInput(isDown, usbCode)
        if (gunControlMain.isInputting)
            gunControlMain.detectKeyboard(isDown, usbCode)
        if (gunControlMain.isInsertting)
            gunControlMain.detectInput(isDown, usbCode)
        if (singleKeyMain.visible)
            singleKeyMain.detectKeyboard(isDown, usbCode)
    }

    // Guns fire with the mouse buttons, so they are recorded too.
    onMsg_MS: function (isDown, tarnCode) {
        if (gunControlMain.isInputting)
            gunControlMain.detectKeyboard(isDown, tarnCode)
    }

    WindowDragArea {
        id: dragRegion
        objectName: "dragRegion"
        anchors.fill: parent
        onPressedAt: mainIten.focusControl()
    }

    PowerOnLogo {
        id: powerOnLogo
        objectName: "powerOnLogo"
        anchors.centerIn: parent
        source: mainIten.sourcePowerOn
        waiting: !mainIten.isPowerOn
        text: mainIten.mainLang[32]
        fontFamily: mainIten.fontFamily
        fontSize: mainIten.fontMiddleSize
    }

    BusyIndicator {
        id: protectUIItem
        objectName: "protectUIItem"
        anchors.fill: parent
        z: 99
        boxOffset: powerOnLogo.visible ? powerOnLogo.height / 2 + 30 : 0
    }

    Timer {
        id: tmrProtectUI
        objectName: "tmrProtectUI"
        interval: 1000
        repeat: false
        onRunningChanged: {
            if (!running && !mainIten.isRestartingLock)
                mainIten.protectUIEnded()
        }
    }

    Environment {
        id: envItem
        objectName: "envItem"
        visible: false
        source: mainIten.sourceBackground
    }

    Image {
        id: mainLogo
        objectName: "mainLogo"
        x: 18
        y: 40
        visible: false
        source: mainIten.sourceMainLogo
    }

    Column {
        id: panelleft
        objectName: "panelleft"
        x: 18
        y: 106
        spacing: 5
        visible: false

        KeyMatrix {
            id: keyMatrixMain
            objectName: "keyMatrixMain"
            onClickFrame: mainIten.focusControl()
            // Under an open dialog the selection belongs to that dialog, not to the pointer. A
            // direct move between rows may enter the new row before it leaves the old one.
            onEnterBtn: function (index) {
                if (keyMenuMain.visible !== keyMatrixMain.visible && mouseMain.selectKey !== index
                        && !mainMask.visible)
                    mouseMain.selectKey = index
            }
            onLeaveBtn: function (index) {
                if (!keyMenuMain.visible && !mainMask.visible && mouseMain.selectKey === index)
                    mouseMain.selectKey = -1
            }
            onClickKeyMatrix: function (index) { mainIten.keyMatrixClicked(index) }
        }

        Rectangle {
            id: macroPanel
            objectName: "macroPanel"
            width: 242
            height: 82
            color: "#b31a1a1a"

            MouseArea {
                anchors.fill: parent
                onPressed: mainIten.focusControl()
            }
            ImageButton {
                objectName: "macroEditorButton"
                x: 10
                y: 9
                width: 222
                height: 30
                source: mainIten.sourceMacroBtn
                hoverSource: mainIten.sourceMacroBtnHover
                onClicked: {
                    mainIten.focusControl()
                    mainIten.openDialog(macroEditorMain)
                }
                Text {
                    x: 36
                    anchors.verticalCenter: parent.verticalCenter
                    text: macroEditorMain.macroEditorLang[0]
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
            }
            ImageButton {
                objectName: "gunControlButton"
                x: 10
                y: 44
                width: 222
                height: 30
                source: mainIten.sourceGunBtn
                hoverSource: mainIten.sourceGunBtnHover
                onClicked: {
                    mainIten.focusControl()
                    mainIten.openDialog(gunControlMain)
                }
                Text {
                    x: 36
                    anchors.verticalCenter: parent.verticalCenter
                    text: gunControlMain.gunControlLang[0]
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
            }
        }

        XySetting {
            id: xySettingMain
            objectName: "xySettingMain"
            onClickFrame: mainIten.focusControl()
            onClickXySetting: mainIten.focusControl()
        }
    }

    ImageButton {
        id: profileBtn
        objectName: "profileBtn"
        x: 20
        y: parent.height - 6 - height
        width: 120
        height: 28
        z: profileMain.visible ? 1 : 0
        visible: false
        source: profileMain.visible ? mainIten.sourceProfileBtnHover : mainIten.sourceProfileBtn
        hoverSource: mainIten.sourceProfileBtnHover
        onClicked: {
            mainIten.focusControl()
            var open = !profileMain.visible
            if (open) {
                profileMain.x = 18
                profileMain.y = 4
            }
            profileMain.visible = open
            mainMask.visible = open
        }
        Text {
            x: 30
            anchors.verticalCenter: parent.verticalCenter
            text: mainIten.mainLang[19]
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
            font.bold: true
        }
    }

    Image {
        id: flickableBar
        objectName: "flickableBar"
        x: panelRightItem.x + bar.x
        y: panelRightItem.y
        width: 8
        height: 563
        visible: false
        opacity: rightFlick.visibleArea.heightRatio < 1 ? 1 : 0
        source: mainIten.sourceScrollTrack
    }

    Item {
        id: panelRightItem
        objectName: "panelRightItem"
        x: 734
        y: 32
        width: parent.width - 9 - x
        height: 563
        visible: false

        Flickable {
            id: rightFlick
            objectName: "rightFlick"
            width: 242
            height: Math.min(contentHeight, 563)
            contentWidth: 242
            contentHeight: rightColumn.height
            boundsBehavior: Flickable.StopAtBounds
            clip: true
            interactive: !(dpiSettingMain.isHolding || lightControlMain.isHolding
                           || reprotRateMain.isHolding || mouseRateMain.isHolding
                           || doubleRateMain.isHolding)

            Column {
                id: rightColumn
                spacing: 5

                DpiSetting {
                    id: dpiSettingMain
                    objectName: "dpiSettingMain"
                    colorOpen: colorBar.visible
                    onClickFrame: mainIten.focusControl()
                    onClickDpiSetting: mainIten.focusControl()
                    onDpiValueChange: mainIten.sendDpiSet()
                    onDpiSelectChange: {
                        ui_View.ui_11H_SetDPISelect(dpiSettingMain.valueForDpiSelect())
                        mainIten.sendDpiSet()
                    }
                    onOpenColorBar: function (dpiSelect, dpiColor) {
                        mainIten.focusControl()
                        colorBar.openUnder(dpiSettingMain.colors[dpiSelect], dpiColor)
                    }
                }
                LightControl {
                    id: lightControlMain
                    objectName: "lightControlMain"
                    onClickFrame: mainIten.focusControl()
                    onClickLightControl: mainIten.focusControl()
                    onSetLED: function (effect, option1, option2) {
                        mainIten.setLED(effect, option1, option2)
                    }
                }
                ReportRate {
                    id: reprotRateMain
                    objectName: "reprotRateMain"
                    onClickFrame: mainIten.focusControl()
                    onClickReportRate: mainIten.focusControl()
                    onReportValueChanged: {
                        if (mainIten.isPowerOn)
                            ui_View.ui_01H_SetReportRate(reportValue)
                    }
                }
                MouseRate {
                    id: mouseRateMain
                    objectName: "mouseRateMain"
                    onClickFrame: mainIten.focusControl()
                    onClickMouseRate: mainIten.focusControl()
                    onMouseRateChange: function (value) { ui_View.setCursorSpeed(value) }
                }
                DoubleRate {
                    id: doubleRateMain
                    objectName: "doubleRateMain"
                    onClickFrame: mainIten.focusControl()
                    onClickDoubleRate: mainIten.focusControl()
                    onDoubleRateChange: function (value) { ui_View.setDoubleClickSpeed(value) }
                }
                ScrollRate {
                    id: scrollRateMain
                    objectName: "scrollRateMain"
                    onClickFrame: mainIten.focusControl()
                    onClickScrollRate: mainIten.focusControl()
                    onLinesChange: function (value) {
                        ui_View.setVerticalScrollLines(value)
                        scrollRateMain.lines = value
                    }
                }
            }
        }

        Rectangle {
            id: bar
            objectName: "bar"
            x: 248
            y: rightFlick.visibleArea.yPosition * 563
            width: 8
            height: Math.min(rightFlick.visibleArea.heightRatio, 1) * 563
            radius: 4
            visible: rightFlick.visibleArea.heightRatio < 1
            border.width: 1
            border.color: "#60000000"
            gradient: Gradient {
                GradientStop { position: 0.0; color: "#767676" }
                GradientStop { position: 1.0; color: "#303030" }
            }

            Rectangle {
                anchors.fill: parent
                radius: 4
                color: "#20ffffff"
                visible: barArea.containsMouse || barArea.pressed
            }
            MouseArea {
                id: barArea
                anchors.fill: parent
                hoverEnabled: true
                property real pressY: 0
                property real pressContentY: 0

                onPressed: function (mouse) {
                    mainIten.focusControl()
                    pressY = mapToItem(panelRightItem, mouse.x, mouse.y).y
                    pressContentY = rightFlick.contentY
                }
                onPositionChanged: function (mouse) {
                    if (!pressed)
                        return
                    var d = mapToItem(panelRightItem, mouse.x, mouse.y).y - pressY
                    if (rightFlick.atYEnd && d >= 0)
                        return
                    var maxY = Math.max(0, rightFlick.contentHeight - rightFlick.height)
                    rightFlick.contentY = Math.min(maxY, Math.max(pressContentY + d, 0))
                }
            }
        }

        ColorBar {
            id: colorBar
            objectName: "colorBar"
            y: 252
            maxX: rightFlick.width
            minY: -panelRightItem.y
            maxY: mainIten.height - panelRightItem.y
            visible: false
            titleText: mainIten.mainLang[30]
            defineText: mainIten.mainLang[31]
            fontFamily: mainIten.fontFamily
            hueSource: mainIten.sourceHueBar
            sliderSource: mainIten.sourceHueSlider
            onColorChosen: function (colour) { dpiSettingMain.setColor(colour) }
        }
    }

    Menu_Down {
        id: downItem
        objectName: "downItem"
        x: 913
        y: 604
        visible: false
        source: mainIten.sourceResetBtn
        hoverSource: mainIten.sourceResetBtnHover
        text: mainIten.mainLang[26]
        fontFamily: mainIten.fontFamily
        onClicked: {
            mainIten.focusControl()
            mainIten.openDialog(factorysure)
        }
    }

    Menu_Up {
        id: upItem
        objectName: "upItem"
        x: 935
        y: 5
        visible: false
        askSource: mainIten.sourceAsk
        askHoverSource: mainIten.sourceAskHover
        minimiseSource: mainIten.sourceCloseBtn
        minimiseHoverSource: mainIten.sourceCloseBtnHover
        closeSource: mainIten.sourceMinBtn
        closeHoverSource: mainIten.sourceMinBtnHover
        onBtnClicked: function (btnIndex) {
            if (btnIndex === 0)
                ui_Ctl.onMinimize()
            else if (btnIndex === 1)
                mainIten.closeWindow()
            else if (btnIndex === 2)
                mainIten.openAskMenu()
        }
    }

    Mouse {
        id: mouseMain
        objectName: "mouseMain"
        visible: false
        onViewClicked: mainIten.focusControl()
    }

    Rectangle {
        id: mainMask
        objectName: "mainMask"
        anchors.fill: parent
        color: "#90000000"
        visible: false

        WindowDragArea {
            anchors.fill: parent
            onPressedAt: {
                if (macroEditorMain.visible)
                    macroEditorMain.macroEditorFocus()
                if (profileMain.visible)
                    profileMain.profileEditorFocus()
                if (gunControlMain.visible)
                    gunControlMain.gunControlFocus()
                if (macroKeyMain.visible)
                    macroKeyMain.macroKeyFocus()
            }
        }
    }

    MacroEditor {
        id: macroEditorMain
        objectName: "macroEditorMain"
        onDeleteMacroSignal: function (macroName) { keyMatrixMain.deleteMacroProc(macroName) }
    }

    GunControl {
        id: gunControlMain
        objectName: "gunControlMain"
    }

    KeyMenu {
        id: keyMenuMain
        objectName: "keyMenuMain"
        onMenuCmd: function (menuStr) { mainIten.menuCommand(menuStr) }
    }

    Profile {
        id: profileMain
        objectName: "profileMain"
        onChangeProfile: function (tmpProfileNo) { mainIten.profileSelected(tmpProfileNo) }
        onCloseUI: mainIten.profileClosed()
    }

    SingleKey {
        id: singleKeyMain
        objectName: "singleKeyMain"
        onCloseSure: mainIten.closeKeyDialog(singleKeyMain)
    }

    MacroKey {
        id: macroKeyMain
        objectName: "macroKeyMain"
        onCloseSure: mainIten.closeKeyDialog(macroKeyMain)
    }

    DialogFrame {
        id: factorysure
        objectName: "factorysure"
        width: implicitWidth
        height: implicitHeight
        visible: false
        backgroundSource: mainIten.sourceSureBg
        title: mainIten.mainLang[26]
        fontFamily: mainIten.fontFamily
        fontColor: mainIten.fontColor
        titleSize: mainIten.fontMiddleSize

        // Built when the dialog first opens.
        LazyContent {
            sourceComponent: Item {
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: (parent.height - 45) / 2 - height / 2
                    width: parent.width - 40
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.WordWrap
                    text: mainIten.mainLang[27]
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMiddleSize
                }
                DialogButton {
                    objectName: "resetOkButton"
                    x: parent.width / 2 - width - 12
                    y: parent.height - 45
                    text: mainIten.mainLang[28]
                    fontFamily: mainIten.fontFamily
                    onClicked: mainIten.resetProfileSure()
                }
                DialogButton {
                    objectName: "resetCancelButton"
                    x: parent.width / 2 + 12
                    y: parent.height - 45
                    text: mainIten.mainLang[29]
                    fontFamily: mainIten.fontFamily
                    onClicked: {
                        factorysure.visible = false
                        mainMask.visible = false
                    }
                }
            }
        }
    }

    DialogFrame {
        id: trayNote
        objectName: "trayNote"
        width: implicitWidth
        height: implicitHeight
        visible: false
        backgroundSource: mainIten.sourceSureBg
        title: "DORNAK SKELDA MOUSE R740"
        fontFamily: mainIten.fontFamily
        fontColor: mainIten.fontColor
        titleSize: mainIten.fontMiddleSize

        // Built when the dialog first opens.
        LazyContent {
            sourceComponent: Item {
                Text {
                    objectName: "trayNoteText"
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: (parent.height - 45) / 2 - height / 2
                    width: parent.width - 40
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.WordWrap
                    text: mainIten.mainLang[33]
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
                DialogButton {
                    objectName: "trayNoteOk"
                    x: parent.width / 2 - width - 12
                    y: parent.height - 45
                    text: mainIten.mainLang[28]
                    fontFamily: mainIten.fontFamily
                    onClicked: {
                        trayNote.visible = false
                        mainMask.visible = false
                        ui_Ctl.onClose()
                    }
                }
                DialogButton {
                    objectName: "trayNoteQuit"
                    x: parent.width / 2 + 12
                    y: parent.height - 45
                    text: mainIten.mainLang[34]
                    fontFamily: mainIten.fontFamily
                    onClicked: ui_Ctl.onQuit()
                }
            }
        }
    }

    Rectangle {
        id: askMenu
        objectName: "askMenu"
        x: 790
        y: 24
        width: 159
        height: 1 + 21 * rows.length
        color: "#6f2929"
        border.color: "#8f2020"
        visible: false

        property var rows: []

        Item {
            x: 1
            y: 1
            Repeater {
                model: askMenu.rows
                Rectangle {
                    objectName: "askRow" + modelData.cmd
                    y: 21 * index
                    width: 157
                    height: 21
                    color: rowArea.containsMouse ? "#8f2020" : "transparent"
                    Text {
                        x: 8
                        width: parent.width - 12
                        anchors.verticalCenter: parent.verticalCenter
                        elide: Text.ElideRight
                        text: modelData.text
                        color: mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: {
                            mainIten.askMenuCmd(modelData.cmd)
                            askMenu.visible = false
                        }
                    }
                }
            }
        }
    }

    KeyCodeString {
        id: _KeyCodeString
        objectName: "_KeyCodeString"
    }
}
