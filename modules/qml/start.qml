import QtQuick
import "basic"

// Shown while the main screen is being built: what that screen shows before a mouse answers.
Item {
    width: 1000
    height: 640

    PowerOnLogo {
        objectName: "powerOnLogo"
        anchors.centerIn: parent
    }
}
