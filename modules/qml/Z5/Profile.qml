import QtQuick
import "../common"

// Profile page: the named profiles, the active one, and import and export of it.
Item {
    id: profileMain
    width: 264
    height: 599
    visible: false

    property int profileNo: -1
    property int currentRow: -1
    readonly property int maxRows: 6
    readonly property alias rowCount: profileModel.count
    // Until init sets the language's texts; laying out others would load a font for nothing.
    property var menuTexts: mainIten.mainLang.slice(21, 26)
    // The row being renamed with its text so far, and the row menu: the page's functions run
    // before its content is first built.
    property bool isEdit: false
    property int editIndex: -1
    property string editText: ""
    property bool menuOpen: false
    property real menuX: 0
    property real menuY: 0

    signal listViewFocus()
    signal doubleClick()
    signal closeUI()
    signal changeProfile(int tmpProfileNo)

    onListViewFocus: profileEditorFocus()
    // Hidden by the main screen's profile button: an open edit ends as with the close button.
    onVisibleChanged: {
        if (!visible)
            profileEditorFocus()
    }

    function init() {
        menuTexts = mainIten.mainLang.slice(21, 26)
        var entries = ui_View.getNameList(2)
        if (entries.length === 2 && String(entries[1]) === "loadertovrim")
            entries = [entries[0]]
        isEdit = false
        profileModel.clear()
        currentRow = -1
        for (var i = 0; i < entries.length && profileModel.count < maxRows; ++i) {
            var entry = String(entries[i])
            var number = entry.length > 0 ? parseInt(entry.charAt(entry.length - 1), 10) : NaN
            // An entry without its number names no profile file.
            if (isNaN(number))
                continue
            profileModel.append({ profileName: entry.slice(0, -1), profileNo: number })
            if (number === profileNo && currentRow < 0)
                currentRow = profileModel.count - 1
        }
        if (currentRow < 0 && profileModel.count > 0)
            currentRow = 0
        if (mainIten.language === 0) {
            var fixedNames = ["PUBG", "Standard"]
            for (var r = 0; r < fixedNames.length && r < profileModel.count; ++r) {
                profileModel.setProperty(r, "profileName", fixedNames[r])
                storeList()
            }
        }
    }

    function profileEditorFocus() {
        endEditing()
        menuOpen = false
    }

    function storeList() {
        var stored = new Array(profileModel.count)
        for (var i = 0; i < profileModel.count; ++i)
            stored[i] = profileModel.get(i).profileName + profileModel.get(i).profileNo
        ui_View.updataNameList(2, stored)
    }

    function hasName(name) {
        for (var i = 0; i < profileModel.count; ++i) {
            if (profileModel.get(i).profileName === name)
                return true
        }
        return false
    }

    // A lone surrogate half reaches the name list file as a replacement character; control
    // characters would break the one-line rows.
    function isStorableName(name) {
        if (name.length === 0)
            return false
        for (var i = 0; i < name.length; ++i) {
            var c = name.charCodeAt(i)
            if (c < 0x20 || c === 0x7f)
                return false
            if (c >= 0xd800 && c <= 0xdbff) {
                var next = i + 1 < name.length ? name.charCodeAt(i + 1) : 0
                if (next < 0xdc00 || next > 0xdfff)
                    return false
                ++i
            } else if (c >= 0xdc00 && c <= 0xdfff) {
                return false
            }
        }
        return true
    }

    function freeName(base, inParentheses) {
        var k = 0
        for (; k < 12; ++k) {
            var name = inParentheses ? base + "(" + k + ")" : base + k
            if (!hasName(name))
                return name
        }
        return inParentheses ? base + "(" + k + ")" : base + k
    }

    function freeNumber() {
        for (var n = 0; n < maxRows; ++n) {
            var used = false
            for (var i = 0; i < profileModel.count; ++i)
                used = used || profileModel.get(i).profileNo === n
            if (!used)
                return n
        }
        return maxRows
    }

    function signalCurrentRow() {
        if (currentRow >= 0 && currentRow < profileModel.count)
            changeProfile(profileModel.get(currentRow).profileNo)
    }

    function addRow(name, number) {
        if (profileModel.count >= maxRows)
            return
        profileModel.append({ profileName: name, profileNo: number })
        currentRow = profileModel.count - 1
        storeList()
    }

    function selectRow(index) {
        endEditing()
        currentRow = index
        signalCurrentRow()
    }

    // A full list has no row for a seventh profile: nothing is reset.
    function newProfile() {
        endEditing()
        if (profileModel.count >= maxRows)
            return
        var name = freeName("profile_", false)
        var number = freeNumber()
        addRow(name, number)
        ui_View.resetProfile(number)
        signalCurrentRow()
    }

    // A full list has no row for the copy: no profile file is overwritten.
    function copyProfile() {
        endEditing()
        if (currentRow < 0 || profileModel.count >= maxRows)
            return
        var source = profileModel.get(currentRow)
        var name = freeName(source.profileName, true)
        var number = freeNumber()
        ui_View.copyProfile(number, source.profileNo)
        addRow(name, number)
        signalCurrentRow()
    }

    // The last row stays: without it there would be no current profile.
    function deleteRow(minimumRows) {
        endEditing()
        if (currentRow < 0 || profileModel.count <= minimumRows)
            return
        profileModel.remove(currentRow)
        currentRow = Math.min(currentRow, profileModel.count - 1)
        storeList()
        signalCurrentRow()
    }

    function startEditing(index) {
        if (index < 0 || index >= profileModel.count)
            return
        endEditing()
        editText = profileModel.get(index).profileName
        editIndex = index
        isEdit = true
    }

    function cancelEditing() {
        isEdit = false
    }

    function endEditing() {
        if (!isEdit)
            return
        isEdit = false
        renameRow(editIndex, editText)
    }

    // A name that is taken (this row's own included) or cannot be stored leaves the row as it was.
    function renameRow(index, text) {
        var name = String(text).trim()
        if (index < 0 || index >= profileModel.count || !isStorableName(name) || hasName(name))
            return false
        profileModel.setProperty(index, "profileName", name)
        storeList()
        return true
    }

    function openMenuAt(item, x, y) {
        var point = item.mapToItem(profileMain, x, y)
        menuX = point.x
        menuY = point.y + 3
        menuOpen = true
    }

    function profileMenuCmd(cmd) {
        menuOpen = false
        if (cmd === 0) {
            deleteRow(1)
        } else if (cmd === 1) {
            startEditing(currentRow)
        } else if (cmd === 2) {
            copyProfile()
        } else if (cmd === 3) {
            endEditing()
            if (ui_View.loadProfile(profileNo))
                mainIten.profileLoaded()
        } else if (cmd === 4) {
            endEditing()
            ui_View.saveProfile(profileNo)
        }
    }

    function closePage() {
        profileEditorFocus()
        profileMain.visible = false
        mainMask.visible = false
        closeUI()
    }

    ListModel {
        id: profileModel
    }

    // Built when the page first opens.
    LazyContent {
        id: content
        sourceComponent: Item {
            Image {
                objectName: "dialogPicture"
                source: visible ? mainIten.sourceProfileBG : ""
            }
            // Presses on the page end editing and stay off the mask below.
            MouseArea {
                anchors.fill: parent
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onPressed: profileMain.profileEditorFocus()
            }
            Text {
                objectName: "dialogTitle"
                x: 10
                y: 9
                text: mainIten.mainLang[19]
                color: mainIten.fontColor
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontNormalSize
                font.bold: true
            }
            Image {
                objectName: "dialogClose"
                x: 240
                y: 12
                width: 10
                height: 10
                source: closeArea.containsMouse ? mainIten.sourceProfileCloseHover : mainIten.sourceProfileClose
                MouseArea {
                    id: closeArea
                    anchors.fill: parent
                    anchors.margins: -3
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: profileMain.closePage()
                }
            }

            Item {
                id: listArea
                x: 0
                y: 31
                width: 263
                height: 544
                clip: true

                MouseArea {
                    anchors.fill: parent
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: profileMain.listViewFocus()
                }
                ListView {
                    id: profileList
                    objectName: "profileList"
                    y: 3
                    width: parent.width
                    height: Math.min((count + 1) * 18, 544)
                    boundsBehavior: Flickable.StopAtBounds
                    model: profileModel

                    delegate: Rectangle {
                        id: row
                        objectName: "profileRow" + index
                        width: profileList.width
                        height: 18
                        color: index === profileMain.currentRow ? "#b03b3b" : rowArea.containsMouse ? "#999999"
                                                                                                   : "transparent"
                        readonly property bool editing: profileMain.isEdit && profileMain.editIndex === index
                        readonly property string name: model.profileName

                        onEditingChanged: {
                            if (!editing)
                                return
                            editor.text = row.name
                            editor.selectAll()
                            editor.forceActiveFocus()
                        }

                        Text {
                            x: 9
                            width: parent.width - 18
                            anchors.verticalCenter: parent.verticalCenter
                            visible: !row.editing
                            elide: Text.ElideRight
                            text: row.name
                            color: mainIten.fontColor
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                        }
                        MouseArea {
                            id: rowArea
                            anchors.fill: parent
                            hoverEnabled: true
                            acceptedButtons: Qt.LeftButton | Qt.RightButton
                            onClicked: function (mouse) {
                                profileMain.selectRow(index)
                                if (mouse.button === Qt.RightButton)
                                    profileMain.openMenuAt(rowArea, mouse.x, mouse.y)
                                else
                                    profileMain.menuOpen = false
                            }
                            onDoubleClicked: function (mouse) {
                                if (mouse.button !== Qt.LeftButton)
                                    return
                                profileMain.startEditing(index)
                                profileMain.doubleClick()
                            }
                        }
                        TextInput {
                            id: editor
                            objectName: "profileNameEditor"
                            x: 9
                            width: parent.width - 18
                            anchors.verticalCenter: parent.verticalCenter
                            visible: row.editing
                            enabled: row.editing
                            clip: true
                            color: mainIten.fontColor
                            selectionColor: "#8f2020"
                            selectByMouse: true
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                            onTextChanged: {
                                if (row.editing)
                                    profileMain.editText = text
                            }
                            onAccepted: profileMain.endEditing()
                            Keys.onEscapePressed: profileMain.cancelEditing()
                        }
                    }
                    footer: Item {
                        width: profileList.width
                        height: 18
                        MouseArea {
                            anchors.fill: parent
                            acceptedButtons: Qt.LeftButton | Qt.RightButton
                            onPressed: profileMain.listViewFocus()
                        }
                    }
                }
            }

            PageButton {
                objectName: "profileNewButton"
                x: 40
                y: 580
                source: mainIten.sourceProfileNew
                hoverSource: mainIten.sourceProfileNewHover
                text: mainIten.mainLang[20]
                onClicked: profileMain.newProfile()
            }
            PageButton {
                objectName: "profileDeleteButton"
                x: 175
                y: 580
                source: mainIten.sourceProfileDelete
                hoverSource: mainIten.sourceProfileDeleteHover
                text: mainIten.mainLang[21]
                onClicked: profileMain.deleteRow(2)
            }

            Rectangle {
                id: profileMenu
                objectName: "profileMenu"
                x: profileMain.menuX
                y: profileMain.menuY
                width: 159
                height: 105
                color: "#6f2929"
                border.color: "#8f2020"
                visible: profileMain.menuOpen

                Column {
                    Repeater {
                        model: 5
                        Rectangle {
                            objectName: "profileMenuRow" + index
                            width: 159
                            height: 21
                            color: menuArea.containsMouse ? "#8f2020" : "transparent"
                            Text {
                                x: 10
                                anchors.verticalCenter: parent.verticalCenter
                                text: profileMain.menuTexts[index]
                                color: mainIten.fontColor
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                            }
                            MouseArea {
                                id: menuArea
                                anchors.fill: parent
                                hoverEnabled: true
                                cursorShape: Qt.PointingHandCursor
                                onClicked: profileMain.profileMenuCmd(index)
                            }
                        }
                    }
                }
            }
        }
    }

    component PageButton: Item {
        id: pageButton
        width: icon.width + 6 + label.implicitWidth
        height: 16

        property url source
        property url hoverSource
        property string text

        signal clicked()

        Image {
            id: icon
            width: 16
            height: 16
            source: buttonArea.containsMouse ? pageButton.hoverSource : pageButton.source
        }
        Text {
            id: label
            x: icon.width + 6
            anchors.verticalCenter: parent.verticalCenter
            text: pageButton.text
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
            font.bold: true
        }
        MouseArea {
            id: buttonArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: pageButton.clicked()
        }
    }
}
