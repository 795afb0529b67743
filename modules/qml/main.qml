import QtQuick

Rectangle {
    id: mainIten
    width: 1000
    height: 640
    visible: false
    color: "#1a1a1a"
    radius: 8

    function initUI() {
        mainIten.visible = true
    }
    function run() {}
    function detectKeyboard(isDown, usage) {}
    function detectMouse(isDown, buttonCode, x, y) {}
    function setProtectUI(busyTime) {}

    Text {
        anchors.centerIn: parent
        text: "DORNAK SKELDA MOUSE R740"
        color: "#ffffff"
        font.pixelSize: 24
    }
}
