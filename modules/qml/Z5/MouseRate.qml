import QtQuick

// Pointer speed of the system, set on an arc dial.
Frame {
    id: mouseRateMain
    title: mainIten.mainLang[10]
    contentHeight: 128
    shownHeight: 125
    duration: mainIten.animation_speed

    property int mouseRateValue: 5
    readonly property bool isHolding: mouseDial.pressed

    signal mouseRateChange(int mouseRateValue)
    signal clickMouseRate()

    function init(isSendData) {
        mouseRateValue = ui_View.getCursorSpeed()
        if (isSendData)
            ui_View.setCursorSpeed(mouseRateValue)
    }

    Item {
        width: 242
        height: 128

        SpeedDial {
            id: mouseDial
            objectName: "mouseDial"
            x: 50
            y: 10
            value: mouseRateMain.mouseRateValue
            slowText: mainIten.mainLang[13]
            fastText: mainIten.mainLang[14]
            onDialPressed: function (value) {
                mouseRateMain.mouseRateValue = value
                mouseRateMain.clickMouseRate()
            }
            onDialMoved: function (value) { mouseRateMain.mouseRateValue = value }
            onDialReleased: mouseRateMain.mouseRateChange(mouseRateMain.mouseRateValue)
        }
    }
}
