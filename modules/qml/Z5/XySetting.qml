import QtQuick

// Sensitivity of the two axes, ten steps each.
Frame {
    id: xySettingMain
    title: mainIten.mainLang[0]
    contentHeight: 108
    duration: mainIten.animation_speed

    signal clickXySetting()

    function init(isSendData) {
        var x = ui_View.getXYSensitive(0)
        var y = ui_View.getXYSensitive(1)
        xSlider.place(x)
        ySlider.place(y)
        if (isSendData)
            ui_View.ui_0EH_SetXYSensitive((asInteger(x, xSlider.value) + 1) * 20,
                                          (asInteger(y, ySlider.value) + 1) * 20)
    }

    // The stored text as an integer; a text that is no number falls back to the shown step.
    function asInteger(stored, fallback) {
        var n = parseInt(stored, 10)
        return isNaN(n) ? fallback : n
    }

    function sendSteps() {
        ui_View.setXYSensitive(0, xSlider.value)
        ui_View.setXYSensitive(1, ySlider.value)
        ui_View.ui_0EH_SetXYSensitive((xSlider.value + 1) * 20, (ySlider.value + 1) * 20)
    }

    Item {
        width: 242
        height: 108

        Text {
            x: 20
            y: 3
            text: mainIten.mainLang[1]
            color: "#ffffff"
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        XySlider {
            id: xSlider
            objectName: "xSlider"
            x: 16
            y: 24
            onSliderClicked: xySettingMain.clickXySetting()
            onStepReported: xySettingMain.sendSteps()
        }
        Text {
            x: 20
            y: 55
            text: mainIten.mainLang[2]
            color: "#ffffff"
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        XySlider {
            id: ySlider
            objectName: "ySlider"
            x: 16
            y: 76
            onSliderClicked: xySettingMain.clickXySetting()
            onStepReported: xySettingMain.sendSteps()
        }
    }
}
