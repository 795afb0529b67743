import QtQuick

// Wheel scroll lines of the system: a number of rows, or one screen (1000).
Frame {
    id: scrollRateMain
    title: mainIten.mainLang[12]
    contentHeight: 128
    shownHeight: 125
    duration: mainIten.animation_speed

    property int lines: 0
    property bool isOneScreen: false
    property alias textInputFocus: linesInput.focus
    property alias linesText: linesInput.text

    // Where the desktop keeps no wheel lines of its own, hovering the panel says so.
    property bool systemHasLines: true
    readonly property var linesNotes: [
        "This desktop has no wheel scroll lines setting: the value is kept in the profile only.",
        "此桌面没有滚轮行数设置：该值只保存在配置文件中。"]
    readonly property string noteText: systemHasLines ? "" : linesNotes[mainIten.language === 1 ? 1 : 0]
    readonly property alias noteVisible: linesTip.visible

    signal linesChange(int linesValue)
    signal clickScrollRate()

    function init(isSendData) {
        systemHasLines = ui_View.hasSystemScrollLines()
        lines = ui_View.getVerticalScrollLines()
        if (lines === 1000) {
            isOneScreen = true
        } else {
            isOneScreen = false
            linesInput.text = String(lines)
        }
        if (isSendData)
            ui_View.setVerticalScrollLines(lines)
    }

    function fieldValue() {
        return parseInt(linesInput.text, 10)
    }

    function normaliseField() {
        var value = fieldValue()
        if (linesInput.text === "" || !(value >= 1))
            linesInput.text = "1"
    }

    // The arrows apply their number at once, like the field does when it is left.
    function stepField(delta) {
        clickScrollRate()
        var value = fieldValue()
        if (linesInput.text === "" || !(value >= 1))
            linesInput.text = "1"
        else
            linesInput.text = String(Math.max(1, Math.min(100, value + delta)))
        isOneScreen = false
        linesChange(fieldValue())
    }

    function chooseRows() {
        isOneScreen = false
        linesChange(fieldValue())
        clickScrollRate()
    }

    function chooseOneScreen() {
        isOneScreen = true
        clickScrollRate()
        linesChange(1000)
    }

    Item {
        width: 242
        height: 128

        HoverHandler {
            id: panelHover
        }
        // Drawn here rather than with the Controls' ToolTip: that import alone loads a style.
        Rectangle {
            id: linesTip
            readonly property bool wanted: panelHover.hovered && scrollRateMain.noteText !== ""
            // Inside the panel, which clips what lies outside it.
            x: (parent.width - width) / 2
            y: parent.height - height - 4
            z: 1
            width: Math.min(tipText.implicitWidth, parent.width - 12) + 12
            height: tipText.height + 12
            visible: false
            color: "#ffffdc"
            border.color: "#353637"
            onWantedChanged: {
                if (wanted) {
                    tipDelay.restart()
                } else {
                    tipDelay.stop()
                    visible = false
                }
            }

            Timer {
                id: tipDelay
                interval: 400
                onTriggered: linesTip.visible = true
            }
            Text {
                id: tipText
                x: 6
                y: 6
                width: linesTip.width - 12
                wrapMode: Text.Wrap
                text: scrollRateMain.noteText
                color: "#000000"
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontMinSize
            }
        }

        ScrollOption {
            id: rowsOption
            objectName: "rowsOption"
            x: 24
            y: 16
            text: mainIten.mainLang[15]
            selected: !scrollRateMain.isOneScreen
            onClicked: scrollRateMain.chooseRows()
        }
        ScrollOption {
            id: screenOption
            objectName: "screenOption"
            x: 24
            y: rowsOption.y + rowsOption.height + 18
            text: mainIten.mainLang[16]
            selected: scrollRateMain.isOneScreen
            onClicked: scrollRateMain.chooseOneScreen()
        }

        Image {
            id: fieldPicture
            x: rowsOption.x + rowsOption.width + 16
            y: rowsOption.y + (rowsOption.height - height) / 2
            width: 37
            height: 12
            source: mainIten.sourcescrollRate2

            Rectangle {
                anchors.fill: parent
                visible: fieldPicture.status !== Image.Ready
                color: "#101010"
                border.color: linesInput.activeFocus ? "#b03b3b" : "#4f1717"
                radius: 2
            }
            TextInput {
                id: linesInput
                objectName: "linesInput"
                x: 4
                width: 32
                anchors.verticalCenter: parent.verticalCenter
                text: "1"
                maximumLength: 3
                color: "#ffffff"
                selectionColor: "#761212"
                selectByMouse: true
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontMinSize
                validator: IntValidator { bottom: 1; top: 100 }
                onActiveFocusChanged: {
                    if (activeFocus) {
                        mainIten.isScrollRateFocus = true
                    } else {
                        scrollRateMain.normaliseField()
                        scrollRateMain.linesChange(scrollRateMain.fieldValue())
                    }
                }
                Keys.onReturnPressed: {
                    focus = false
                    mainIten.isScrollRateFocus = false
                }
                Keys.onEnterPressed: {
                    focus = false
                    mainIten.isScrollRateFocus = false
                }
            }
            Image {
                id: plusButton
                objectName: "plusButton"
                x: 40
                y: 0
                source: plusArea.containsMouse ? mainIten.sourcescrollRate4 : mainIten.sourcescrollRate3
                // 16 by 16 around the small picture, meeting the minus area at their border.
                MouseArea {
                    id: plusArea
                    objectName: "plusArea"
                    x: (parent.width - width) / 2
                    y: parent.height - height
                    width: 16
                    height: 16
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: scrollRateMain.stepField(1)
                }
            }
            Image {
                id: minusButton
                objectName: "minusButton"
                x: 40
                y: 6
                source: minusArea.containsMouse ? mainIten.sourcescrollRate6 : mainIten.sourcescrollRate5
                MouseArea {
                    id: minusArea
                    objectName: "minusArea"
                    x: (parent.width - width) / 2
                    width: 16
                    height: 16
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: scrollRateMain.stepField(-1)
                }
            }
        }
    }
}
