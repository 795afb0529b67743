import QtQuick
import QtTest

Item {
    id: root
    width: 1000
    height: 640

    TestCase {
        id: testCase
        name: "StartUp"
        when: windowShown

        property var screen: null

        function createScreen() {
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            verify(component.status === Component.Ready, component.errorString())
            var item = component.createObject(root)
            verify(item !== null)
            return item
        }

        function init() {
            ui_View.clear()
            ui_View.clearResults()
            ui_View.clearWarnings()
            ui_Ctl.clear()
        }

        function cleanup() {
            if (screen) {
                screen.destroy()
                screen = null
            }
            compare(ui_View.warnings(), [])
        }

        function test_loadsInvisible() {
            screen = createScreen()
            compare(screen.visible, false)
            compare(screen.width, 1000)
            compare(screen.height, 640)
            compare(findChild(screen, "panelleft").visible, false)
            compare(ui_View.calls().length, 0)
        }

        function test_firstInitLocksThenShowsPanels() {
            screen = createScreen()
            screen.initUI()
            compare(screen.visible, true)
            compare(screen.isPowerOn, true)
            compare(findChild(screen, "protectUIItem").isBusy, true)
            compare(ui_View.callsOf("setEnabled")[0], [false])
            compare(findChild(screen, "panelleft").visible, false)
            var started = Date.now()
            tryCompare(findChild(screen, "powerOnLogo"), "visible", false, 3000)
            verify(Date.now() - started >= 900, "the lock lasted " + (Date.now() - started) + " ms")
            var names = ["envItem", "mainLogo", "panelleft", "profileBtn", "flickableBar", "panelRightItem",
                         "downItem", "upItem", "mouseMain"]
            for (var i = 0; i < names.length; ++i)
                compare(findChild(screen, names[i]).visible, true, names[i])
            compare(findChild(screen, "protectUIItem").isBusy, false)
            var enabled = ui_View.callsOf("setEnabled")
            compare(enabled[enabled.length - 1], [true])
        }
    }
}
