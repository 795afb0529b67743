import QtQuick

// Profile page: the interface the main document relies on.
Item {
    id: profileMain
    width: 264
    height: 599
    visible: false

    property int profileNo: -1

    signal listViewFocus()
    signal doubleClick()
    signal closeUI()
    signal changeProfile(int tmpProfileNo)

    function init() {}
    function profileEditorFocus() {}
}
