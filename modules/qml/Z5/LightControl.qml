import QtQuick

// Lighting effect of the current profile and its one parameter.
Frame {
    id: lightControlMain
    title: mainIten.mainLang[4]
    contentHeight: 144
    duration: mainIten.animation_speed

    readonly property bool isHolding: staticSlider.pressed || breathSlider.pressed || neonSlider.pressed
                                      || fingerSlider.pressed
    readonly property var sliders: [staticSlider, breathSlider, neonSlider, fingerSlider]
    readonly property var radios: [rd0, rd1, rd2, rd3]

    signal setLED(int effect, int option1, int option2)
    signal clickLightControl()

    function init(isSendData) {
        for (var i = 0; i < 4; ++i)
            radios[i].text = mainIten.mainLang[5 + i]
        var ledData = ui_View.ui_8DH_GetRGBLedEffect()
        var effect = ledData.length > 0 ? Number(ledData[0]) : 0
        var option1 = ledData.length > 1 ? Number(ledData[1]) : 0
        var option2 = ledData.length > 2 ? Number(ledData[2]) : 0
        for (i = 0; i < 4; ++i)
            sliders[i].level = 4
        if (effect === 1 || effect === 2 || effect === 3) {
            modelLayout.selModel = effect - 1
            sliders[effect - 1].setLevel(ledData[1])
        } else {
            modelLayout.selModel = 3
            fingerSlider.setLevel(ledData[1])
        }
        if (isSendData)
            setLED(effect, option1, option2)
    }

    function radioClicked(index) {
        modelLayout.selModel = index
        setLED(index + 1, sliders[index].level, 2)
    }

    Item {
        id: modelLayout
        objectName: "modelLayout"
        width: 242
        height: 144
        property int selModel: 0

        Repeater {
            model: 4
            Rectangle {
                y: index * 36
                width: 242
                height: 36
                color: modelLayout.selModel === index ? "#334f1717" : "transparent"
                Rectangle {
                    visible: modelLayout.selModel === index
                    width: 2
                    height: parent.height
                    color: "#b03b3b"
                }
            }
        }

        LightRadio {
            id: rd0
            objectName: "rd0"
            y: 0
            text: mainIten.mainLang[5]
            selected: modelLayout.selModel === 0
            onClicked: lightControlMain.radioClicked(0)
        }
        LightRadio {
            id: rd1
            objectName: "rd1"
            y: 36
            text: mainIten.mainLang[6]
            selected: modelLayout.selModel === 1
            onClicked: lightControlMain.radioClicked(1)
        }
        LightRadio {
            id: rd2
            objectName: "rd2"
            y: 72
            text: mainIten.mainLang[7]
            selected: modelLayout.selModel === 2
            onClicked: lightControlMain.radioClicked(2)
        }
        LightRadio {
            id: rd3
            objectName: "rd3"
            y: 108
            text: mainIten.mainLang[8]
            selected: modelLayout.selModel === 3
            onClicked: lightControlMain.radioClicked(3)
        }

        LedSlider {
            id: staticSlider
            objectName: "staticSlider"
            x: 104
            y: 8
            enabled: modelLayout.selModel === 0
            levelSources: mainIten.ledSliderSources
            handleSource: mainIten.sourceLightSliderBtn
            onSliderClicked: lightControlMain.clickLightControl()
            onSliderMove: function (level) { lightControlMain.setLED(1, level, 2) }
        }
        LedSlider {
            id: breathSlider
            objectName: "breathSlider"
            x: 104
            y: 44
            enabled: modelLayout.selModel === 1
            levelSources: mainIten.ledSliderSources
            handleSource: mainIten.sourceLightSliderBtn
            onSliderClicked: lightControlMain.clickLightControl()
            onSliderMove: function (level) { lightControlMain.setLED(2, level, 2) }
        }
        LedSlider {
            id: neonSlider
            objectName: "neonSlider"
            x: 104
            y: 80
            enabled: modelLayout.selModel === 2
            levelSources: mainIten.ledSliderSources
            handleSource: mainIten.sourceLightSliderBtn
            onSliderClicked: lightControlMain.clickLightControl()
            onSliderMove: function (level) { lightControlMain.setLED(3, level, 2) }
        }
        LedSlider {
            id: fingerSlider
            objectName: "fingerSlider"
            x: 104
            y: 116
            enabled: modelLayout.selModel === 3
            levelSources: mainIten.ledSliderSources
            handleSource: mainIten.sourceLightSliderBtn
            onSliderClicked: lightControlMain.clickLightControl()
            onSliderMove: function (level) { lightControlMain.setLED(4, level, 2) }
        }

        Image { x: 102; y: 22; source: mainIten.sourceLightScale0 }
        Image { x: 102; y: 58; source: mainIten.sourceLightScale1 }
        Image { x: 102; y: 94; source: mainIten.sourceLightScale2 }
        Image { x: 102; y: 130; source: mainIten.sourceLightScale2 }
    }
}
