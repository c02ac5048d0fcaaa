import QtQuick
import QtQuick.Layouts
import Bindwell.Core

// On GNOME, while the focus extension is not running: the offer to set it up,
// and what came of it. Hidden on every other desktop. Kept to a line or two,
// as the completion page has little height to spare.
Card {
    id: card
    objectName: "gnomeExtensionCard"
    visible: GnomeFocusExtension.offered
    implicitHeight: content.implicitHeight + 16

    Component.onCompleted: GnomeFocusExtension.refresh()

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 8
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        spacing: 4
        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            Text {
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: qsTr("Per-application actions on GNOME need the Bindwell Focus extension.")
                color: Theme.primaryText
                font.pixelSize: Theme.caption
                wrapMode: Text.WordWrap
            }
            ChromelessButton {
                objectName: "gnomeExtensionEnableButton"
                visible: GnomeFocusExtension.canEnable
                text: qsTr("Enable")
                focusRadius: 4
                onClicked: GnomeFocusExtension.enable()
                contentItem: Text {
                    textFormat: Text.PlainText
                    text: parent.text
                    color: Theme.accent
                    font.pixelSize: Theme.caption
                    font.weight: Font.DemiBold
                }
            }
        }
        Text {
            textFormat: Text.PlainText
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
