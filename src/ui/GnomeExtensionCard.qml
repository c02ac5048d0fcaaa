import QtQuick
import QtQuick.Layouts
import Bindwell.Core

// On GNOME, while the focus extension is not running: the offer to set it up,
// and what came of it. Hidden on every other desktop.
Card {
    id: card
    objectName: "gnomeExtensionCard"
    visible: GnomeFocusExtension.offered
    implicitHeight: content.implicitHeight + 24

    Component.onCompleted: GnomeFocusExtension.refresh()

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 12
        spacing: 8
        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            Text {
                Layout.fillWidth: true
                text: qsTr("Per-application actions on GNOME need the Bindwell Focus extension.")
                color: Theme.primaryText
                font.pixelSize: Theme.caption
                wrapMode: Text.WordWrap
            }
            StyledButton {
                objectName: "gnomeExtensionEnableButton"
                visible: GnomeFocusExtension.canEnable
                Layout.fillWidth: false
                topPadding: 5
                bottomPadding: 5
                focusRadius: 6
                text: qsTr("Enable")
                foreground: "black"
                fill: Theme.accent
                background: Rectangle {
                    radius: 6
                    color: Theme.accent
                }
                onClicked: GnomeFocusExtension.enable()
            }
        }
        Text {
            objectName: "gnomeExtensionMessage"
            visible: text !== ""
            Layout.fillWidth: true
            text: GnomeFocusExtension.message
            color: Theme.secondaryText
            font.pixelSize: Theme.caption
            wrapMode: Text.WordWrap
        }
    }
}
