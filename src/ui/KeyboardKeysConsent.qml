import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The one question before a device with keyboard keys becomes the pick:
// Bindwell will read every key of it, so it must not be the keyboard the
// user types on. Only the confirm button picks it; closing in any other way
// leaves the page as it was.
Popup {
    id: consent
    objectName: "keyboardKeysConsent"
    property var device: null

    signal confirmed(var device)

    function ask(picked) {
        device = picked
        open()
    }

    anchors.centerIn: parent
    width: Math.min(440, parent ? parent.width - 60 : 440)
    modal: true
    focus: true
    padding: 24
    closePolicy: Popup.CloseOnEscape

    background: Rectangle {
        radius: 12
        color: Theme.controlBackground
        border.width: 1
        border.color: Theme.white(0.12)
    }

    contentItem: ColumnLayout {
        spacing: 14
        Text {
            textFormat: Text.PlainText
            objectName: "consentTitle"
            Layout.fillWidth: true
            wrapMode: Text.WordWrap
            text: qsTr("Let Bindwell read %1?").arg(consent.device ? consent.device.displayName : "")
            color: Theme.primaryText
            font.pixelSize: Theme.title3
            font.bold: true
        }
        Text {
            textFormat: Text.PlainText
            objectName: "consentText"
            Layout.fillWidth: true
            wrapMode: Text.WordWrap
            text: qsTr("Bindwell will read every key of this device, so that it can remap them. Keys you leave alone keep working as before.")
            color: Theme.secondaryText
            font.pixelSize: Theme.body
        }
        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            wrapMode: Text.WordWrap
            text: qsTr("Do not pick the keyboard you type on: Bindwell would read everything you type.")
            color: Theme.orange
            font.pixelSize: Theme.body
        }
        RowLayout {
            Layout.topMargin: 6
            spacing: 10
            SecondaryButton {
                objectName: "consentCancelButton"
                text: qsTr("Cancel")
                onClicked: consent.close()
            }
            PrimaryButton {
                objectName: "consentConfirmButton"
                text: qsTr("Use This Device")
                onClicked: {
                    consent.close()
                    consent.confirmed(consent.device)
                }
            }
        }
    }
}
