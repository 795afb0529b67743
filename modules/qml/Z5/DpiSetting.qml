import QtQuick

// Six DPI stages: value, part of the stage cycle or not, and colour.
Frame {
    id: dpiSettingMain
    title: mainIten.mainLang[3]
    contentHeight: 233
    duration: mainIten.animation_speed

    readonly property bool isHolding: dpiSlider0.pressed || dpiSlider1.pressed || dpiSlider2.pressed
                                      || dpiSlider3.pressed || dpiSlider4.pressed || dpiSlider5.pressed
    // Set by the main document while its colour picker edits a stage.
    property bool colorOpen: false
    readonly property var sliders: [dpiSlider0, dpiSlider1, dpiSlider2, dpiSlider3, dpiSlider4, dpiSlider5]
    readonly property var toggles: [dpiSelect0, dpiSelect1, dpiSelect2, dpiSelect3, dpiSelect4, dpiSelect5]
    readonly property var colors: [dpiColor0, dpiColor1, dpiColor2, dpiColor3, dpiColor4, dpiColor5]
    // The stage the mouse is on, 0 to 5.
    property int currentStage: 0
    readonly property int enabledCount: (dpiSelect0.isSelect ? 1 : 0) + (dpiSelect1.isSelect ? 1 : 0)
                                        + (dpiSelect2.isSelect ? 1 : 0) + (dpiSelect3.isSelect ? 1 : 0)
                                        + (dpiSelect4.isSelect ? 1 : 0) + (dpiSelect5.isSelect ? 1 : 0)

    signal clickDpiSetting()
    signal dpiValueChange(int dpiIndex, string dpiData)
    signal dpiSelectChange(int dpiIndex)
    signal openColorBar(int dpiSelect, string dpiColor)
    signal dpiColorChange(string cl0, string cl1, string cl2, string cl3, string cl4, string cl5)

    function hex2(value) {
        var n = Number(value) & 0xFF
        return (n < 16 ? "0" : "") + n.toString(16)
    }

    function colorText(index) {
        return String(colors[index].color)
    }

    function init(isSendData) {
        var values = ui_View.ui_91H_GetDPISet()
        for (var i = 0; i < 6; ++i) {
            if (i < values.length)
                sliders[i].initUI(Number(values[i]))
        }
        var selects = ui_View.ui_91H_GetDPISelect()
        for (i = 0; i < 6; ++i) {
            if (i < selects.length)
                toggles[i].isSelect = Number(selects[i]) !== 0
        }
        var stage = parseInt(ui_View.getDPIStage(), 10)
        currentStage = stage >= 0 && stage < 6 ? stage : 0
        // A profile with every stage off would leave the mouse without a stage.
        if (enabledCount === 0)
            toggles[currentStage].isSelect = true
        if (!toggles[currentStage].isSelect)
            currentStage = nextEnabledStage(currentStage)
        var stageColors = ui_View.ui_90H_GetLED8StageColor(1)
        for (i = 0; i < 6 && 3 * i + 2 < stageColors.length; ++i)
            colors[i].color = "#" + hex2(stageColors[3 * i]) + hex2(stageColors[3 * i + 1])
                    + hex2(stageColors[3 * i + 2])
        if (isSendData) {
            dpiSelectChange(0)
            ui_View.ui_10H_SetLED8StageColor(1, stageColors)
            ui_View.ui_0BH_SetCurrentDPIStage(currentStage)
        }
    }

    // The first enabled stage after the given one, going round.
    function nextEnabledStage(stage) {
        for (var step = 1; step <= 6; ++step) {
            var candidate = (stage + step) % 6
            if (toggles[candidate].isSelect)
                return candidate
        }
        return stage
    }

    function setCurrentStage(stage) {
        clickDpiSetting()
        if (!toggles[stage].isSelect) {
            sliders[stage].refuse()
            return
        }
        currentStage = stage
        ui_View.ui_0BH_SetCurrentDPIStage(stage)
    }

    function valueForDpi() {
        return sliders.map(function (slider) { return Number(slider.dpiValue) }).concat([250, 250])
    }

    function valueForDpiSelect() {
        return toggles.map(function (toggle) { return toggle.isSelect ? 1 : 0 }).concat([0, 0])
    }

    // Up to 5000 the device counts in hundreds, above it in steps of 200 with bit 6 set;
    // 0x80 marks a stage that is off.
    function dpiValueToDpiSet() {
        var values = valueForDpi()
        var result = []
        for (var i = 0; i < 8; ++i) {
            var v = values[i]
            var code = 0x80
            if (v <= 5000)
                code = Math.floor(v / 100) - 1
            else if (v > 5000)
                code = Math.floor(v / 200) | 0x40
            if (i >= 6 || !toggles[i].isSelect)
                code = 0x80
            result.push(code)
        }
        return result
    }

    function setColor(colorValue) {
        if (dpiColorRow.selectRect >= 0 && dpiColorRow.selectRect < 6)
            colors[dpiColorRow.selectRect].color = colorValue
        dpiColorChange(colorText(0), colorText(1), colorText(2), colorText(3), colorText(4), colorText(5))
    }

    // Red, green and blue of each stage, then black for stages 7 and 8.
    function stageColorList(texts) {
        var list = []
        for (var i = 0; i < 24; ++i) {
            var text = String(texts[Math.floor(i / 3)])
            list[i] = i < 18 ? parseInt(text.substr(1 + 2 * (i % 3), 2), 16) : 0
        }
        return list
    }

    function selectToggled(index) {
        clickDpiSetting()
        dpiSelectChange(index)
        // The mouse leaves a stage that goes out of the cycle.
        if (index === currentStage && !toggles[index].isSelect) {
            currentStage = nextEnabledStage(index)
            ui_View.ui_0BH_SetCurrentDPIStage(currentStage)
        }
    }

    function colorClicked(index) {
        dpiColorRow.selectRect = index
        openColorBar(index, colorText(index))
    }

    onDpiColorChange: function (cl0, cl1, cl2, cl3, cl4, cl5) {
        var list = stageColorList([cl0, cl1, cl2, cl3, cl4, cl5])
        ui_View.ui_10H_SetLED8StageColor(1, list)
        ui_View.ui_10H_SetLED8StageColor(1, list)
    }

    Item {
        width: 242
        height: 233

        DpiToggle {
            id: dpiSelect0
            objectName: "dpiSelect0"
            x: 16
            y: 9
            canClear: dpiSettingMain.enabledCount > 1
            onToggled: dpiSettingMain.selectToggled(0)
        }
        DpiToggle {
            id: dpiSelect1
            objectName: "dpiSelect1"
            x: 56
            y: 9
            canClear: dpiSettingMain.enabledCount > 1
            onToggled: dpiSettingMain.selectToggled(1)
        }
        DpiToggle {
            id: dpiSelect2
            objectName: "dpiSelect2"
            x: 96
            y: 9
            canClear: dpiSettingMain.enabledCount > 1
            onToggled: dpiSettingMain.selectToggled(2)
        }
        DpiToggle {
            id: dpiSelect3
            objectName: "dpiSelect3"
            x: 136
            y: 9
            canClear: dpiSettingMain.enabledCount > 1
            onToggled: dpiSettingMain.selectToggled(3)
        }
        DpiToggle {
            id: dpiSelect4
            objectName: "dpiSelect4"
            x: 176
            y: 9
            canClear: dpiSettingMain.enabledCount > 1
            onToggled: dpiSettingMain.selectToggled(4)
        }
        DpiToggle {
            id: dpiSelect5
            objectName: "dpiSelect5"
            x: 216
            y: 9
            canClear: dpiSettingMain.enabledCount > 1
            onToggled: dpiSettingMain.selectToggled(5)
        }
        DpiSlider {
            id: dpiSlider0
            objectName: "dpiSlider0"
            x: 18
            y: 38
            active: dpiSelect0.isSelect
            isCurrent: dpiSettingMain.currentStage === 0
            onNumberClicked: dpiSettingMain.setCurrentStage(0)
            onSliderPressed: dpiSettingMain.clickDpiSetting()
            onSliderMove: function (value) { dpiSettingMain.dpiValueChange(0, String(value)) }
        }
        DpiSlider {
            id: dpiSlider1
            objectName: "dpiSlider1"
            x: 58
            y: 38
            active: dpiSelect1.isSelect
            isCurrent: dpiSettingMain.currentStage === 1
            onNumberClicked: dpiSettingMain.setCurrentStage(1)
            onSliderPressed: dpiSettingMain.clickDpiSetting()
            onSliderMove: function (value) { dpiSettingMain.dpiValueChange(1, String(value)) }
        }
        DpiSlider {
            id: dpiSlider2
            objectName: "dpiSlider2"
            x: 98
            y: 38
            active: dpiSelect2.isSelect
            isCurrent: dpiSettingMain.currentStage === 2
            onNumberClicked: dpiSettingMain.setCurrentStage(2)
            onSliderPressed: dpiSettingMain.clickDpiSetting()
            onSliderMove: function (value) { dpiSettingMain.dpiValueChange(2, String(value)) }
        }
        DpiSlider {
            id: dpiSlider3
            objectName: "dpiSlider3"
            x: 138
            y: 38
            active: dpiSelect3.isSelect
            isCurrent: dpiSettingMain.currentStage === 3
            onNumberClicked: dpiSettingMain.setCurrentStage(3)
            onSliderPressed: dpiSettingMain.clickDpiSetting()
            onSliderMove: function (value) { dpiSettingMain.dpiValueChange(3, String(value)) }
        }
        DpiSlider {
            id: dpiSlider4
            objectName: "dpiSlider4"
            x: 178
            y: 38
            active: dpiSelect4.isSelect
            isCurrent: dpiSettingMain.currentStage === 4
            onNumberClicked: dpiSettingMain.setCurrentStage(4)
            onSliderPressed: dpiSettingMain.clickDpiSetting()
            onSliderMove: function (value) { dpiSettingMain.dpiValueChange(4, String(value)) }
        }
        DpiSlider {
            id: dpiSlider5
            objectName: "dpiSlider5"
            x: 218
            y: 38
            active: dpiSelect5.isSelect
            isCurrent: dpiSettingMain.currentStage === 5
            onNumberClicked: dpiSettingMain.setCurrentStage(5)
            onSliderPressed: dpiSettingMain.clickDpiSetting()
            onSliderMove: function (value) { dpiSettingMain.dpiValueChange(5, String(value)) }
        }

        Item {
            id: dpiColorRow
            objectName: "dpiColorRow"
            y: 215
            width: 242
            height: 10
            property int selectRect: -1

            Rectangle {
                id: dpiColor0
                objectName: "dpiColor0"
                x: 13
                width: 16
                height: 10
                radius: 2
                color: "#ff0000"
                border.width: 1
                border.color: dpiColorRow.selectRect === 0 && dpiSettingMain.colorOpen ? "#ffffff" : "#40000000"
                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -3
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dpiSettingMain.colorClicked(0)
                }
            }
            Rectangle {
                id: dpiColor1
                objectName: "dpiColor1"
                x: 53
                width: 16
                height: 10
                radius: 2
                color: "#0000ff"
                border.width: 1
                border.color: dpiColorRow.selectRect === 1 && dpiSettingMain.colorOpen ? "#ffffff" : "#40000000"
                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -3
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dpiSettingMain.colorClicked(1)
                }
            }
            Rectangle {
                id: dpiColor2
                objectName: "dpiColor2"
                x: 93
                width: 16
                height: 10
                radius: 2
                color: "#00ff00"
                border.width: 1
                border.color: dpiColorRow.selectRect === 2 && dpiSettingMain.colorOpen ? "#ffffff" : "#40000000"
                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -3
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dpiSettingMain.colorClicked(2)
                }
            }
            Rectangle {
                id: dpiColor3
                objectName: "dpiColor3"
                x: 133
                width: 16
                height: 10
                radius: 2
                color: "#ffff00"
                border.width: 1
                border.color: dpiColorRow.selectRect === 3 && dpiSettingMain.colorOpen ? "#ffffff" : "#40000000"
                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -3
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dpiSettingMain.colorClicked(3)
                }
            }
            Rectangle {
                id: dpiColor4
                objectName: "dpiColor4"
                x: 173
                width: 16
                height: 10
                radius: 2
                color: "#00ffff"
                border.width: 1
                border.color: dpiColorRow.selectRect === 4 && dpiSettingMain.colorOpen ? "#ffffff" : "#40000000"
                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -3
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dpiSettingMain.colorClicked(4)
                }
            }
            Rectangle {
                id: dpiColor5
                objectName: "dpiColor5"
                x: 213
                width: 16
                height: 10
                radius: 2
                color: "#ff00ff"
                border.width: 1
                border.color: dpiColorRow.selectRect === 5 && dpiSettingMain.colorOpen ? "#ffffff" : "#40000000"
                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -3
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dpiSettingMain.colorClicked(5)
                }
            }
        }
    }
}
