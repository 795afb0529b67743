import QtQuick
import "../common"

// Profile page: the interface the main document relies on.
Item {
    id: profileMain
    width: 264
    height: 120
    visible: false

    property int profileNo: -1

    signal listViewFocus()
    signal doubleClick()
    signal closeUI()
    signal changeProfile(int tmpProfileNo)

    function init() {}
    function profileEditorFocus() {}

    function closePage() {
        profileEditorFocus()
        profileMain.visible = false
        mainMask.visible = false
        closeUI()
    }

    DialogFrame {
        anchors.fill: parent
        dragTarget: null
        title: mainIten.mainLang[19]
        closeSource: mainIten.sourceProfileClose
        closeHoverSource: mainIten.sourceProfileCloseHover
        fontFamily: mainIten.fontFamily
        fontColor: mainIten.fontColor
        onCloseClicked: profileMain.closePage()
    }
}
