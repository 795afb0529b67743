import QtQuick

// Single key dialog: the interface the main document relies on.
Item {
    id: singleKeyMain
    width: 320
    height: 170
    visible: false

    signal closeSure()

    function detectKeyboard(isDown, usbCode) {}
}
