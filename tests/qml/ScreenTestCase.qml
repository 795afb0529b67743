import QtQuick
import QtTest

// A test case that owns one main screen, started once and shown, for all its test functions.
TestCase {
    id: testCase
    when: windowShown

    property Item host: parent
    property var screen: null
    property bool startScreen: true

    function createScreen() {
        var component = Qt.createComponent("qrc:/modules/qml/main.qml")
        verify(component.status === Component.Ready, component.errorString())
        var item = component.createObject(host)
        verify(item !== null)
        return item
    }

    function part(name) {
        var item = findChild(screen, name)
        verify(item !== null, "no item " + name)
        return item
    }

    // Arguments of the last call of a bridge slot.
    function lastCall(name) {
        var calls = ui_View.callsOf(name)
        verify(calls.length > 0, name + " was not called")
        return calls[calls.length - 1]
    }

    function setUpFake() {}

    function initTestCase() {
        ui_View.clear()
        ui_View.clearResults()
        ui_View.clearWarnings()
        ui_Ctl.clear()
        setUpFake()
        if (!startScreen)
            return
        screen = createScreen()
        screen.initUI()
        // The start-up lock has a test of its own; a zero lock ends it on the same path.
        screen.setProtectUI(0)
        tryVerify(function () { return !findChild(screen, "protectUIItem").isBusy }, 3000)
        compare(part("panelRightItem").visible, true)
    }

    function init() {
        ui_View.clear()
        ui_Ctl.clear()
    }

    function cleanup() {
        compare(ui_View.warnings(), [])
    }

    function cleanupTestCase() {
        if (screen)
            screen.destroy()
        screen = null
    }
}
