import QtQuick

// Double-click speed of the system, set on an arc dial.
Frame {
    id: doubleRateMain
    title: mainIten.mainLang[11]
    contentHeight: 128
    shownHeight: 125
    duration: mainIten.animation_speed

    property int doubleRateValue: 5
    readonly property bool isHolding: doubleDial.pressed

    signal doubleRateChange(int doubleRateValue)
    signal clickDoubleRate()

    function init(isSendData) {
        doubleRateValue = ui_View.getDoubleClickSpeed()
        if (isSendData)
            ui_View.setDoubleClickSpeed(doubleRateValue)
    }

    Item {
        width: 242
        height: 128

        SpeedDial {
            id: doubleDial
            objectName: "doubleDial"
            x: 50
            y: 10
            value: doubleRateMain.doubleRateValue
            slowText: mainIten.mainLang[13]
            fastText: mainIten.mainLang[14]
            onDialPressed: function (value) {
                doubleRateMain.doubleRateValue = value
                doubleRateMain.clickDoubleRate()
            }
            onDialMoved: function (value) { doubleRateMain.doubleRateValue = value }
            onDialReleased: doubleRateMain.doubleRateChange(doubleRateMain.doubleRateValue)
        }
    }
}
