import QtQuick

// Report interval in milliseconds: 1, 2, 4 or 8, picked by the quadrant of the dial.
Frame {
    id: reprotRateMain
    title: mainIten.mainLang[9]
    contentHeight: 146
    duration: mainIten.animation_speed

    property int reportValue: 1
    readonly property bool isHolding: dialArea.pressed
    readonly property int pictureIndex: reportValue === 1 ? 3 : reportValue === 2 ? 2 : reportValue === 4 ? 1 : 0

    signal clickReportRate()

    function init(isSendData) {
        var rate = Number(ui_View.ui_81H_GetReportRate())
        if (isFinite(rate))
            reportValue = Math.min(rate, 8)
        if (isSendData)
            ui_View.ui_01H_SetReportRate(reportValue)
    }

    function valueAt(x, y) {
        var right = x > dial.width / 2
        var bottom = y > dial.height / 2
        if (right)
            return bottom ? 2 : 1
        return bottom ? 4 : 8
    }

    Item {
        width: 242
        height: 146

        Image {
            id: dial
            objectName: "reportDial"
            width: 126
            height: 126
            anchors.centerIn: parent
            source: mainIten.language === 1 ? mainIten.reportRateSources[reprotRateMain.pictureIndex]
                                            : mainIten.reportRateEnSources[reprotRateMain.pictureIndex]

            MouseArea {
                id: dialArea
                preventStealing: true
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onPressed: function (mouse) {
                    reprotRateMain.reportValue = reprotRateMain.valueAt(mouse.x, mouse.y)
                }
                onPositionChanged: function (mouse) {
                    reprotRateMain.reportValue = reprotRateMain.valueAt(mouse.x, mouse.y)
                }
                onReleased: reprotRateMain.clickReportRate()
            }
        }
    }
}
