import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core

// The wizard's last page: what each button will do, and the switch-on.
Item {
    id: page
    objectName: "setupCompleteView"

    ColumnLayout {
        anchors.fill: parent
        // Tighter while the GNOME offer is shown, so the page keeps its height.
        spacing: gnomeExtension.visible ? 16 : 24

        Item {
            Layout.fillHeight: true
        }
        Icon {
            Layout.alignment: Qt.AlignHCenter
            name: "checkmark.circle.fill"
            font.pixelSize: 64
            color: Theme.accent
        }
        Text {
            textFormat: Text.PlainText
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("You're All Set!")
            color: Theme.primaryText
            font.pixelSize: Theme.title
            font.bold: true
        }
        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            objectName: "whereBindwellIs"
            text: AppState.hasTray
                  ? qsTr("Bindwell is now active in your system tray. You can change button mappings anytime from the system tray → Button Settings.")
                  : qsTr("Bindwell is now active. This desktop has no system tray: to change button mappings, start Bindwell again from your applications menu.")
            color: Theme.secondaryText
            font.pixelSize: Theme.body
        }
        // Finishing setup turned Start at Login on: say so, and offer the way back.
        RowLayout {
            objectName: "startAtLoginLine"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 6 - parent.spacing
            spacing: 6
            Text {
                textFormat: Text.PlainText
                objectName: "startAtLoginText"
                text: StartAtLogin.enabled ? qsTr("Bindwell will also start when you log in.")
                                           : qsTr("Bindwell will not start when you log in.")
                color: Theme.secondaryText
                font.pixelSize: Theme.caption
            }
            ChromelessButton {
                objectName: "startAtLoginButton"
                text: StartAtLogin.enabled ? qsTr("Turn Off") : qsTr("Turn On")
                focusRadius: 4
                onClicked: StartAtLogin.enabled = !StartAtLogin.enabled
                contentItem: Text {
                    textFormat: Text.PlainText
                    text: parent.text
                    color: Theme.accent
                    font.pixelSize: Theme.caption
                }
            }
        }
        GnomeExtensionCard {
            id: gnomeExtension
            Layout.fillWidth: true
            Layout.leftMargin: 30
            Layout.rightMargin: 30
        }
        Card {
            objectName: "summaryCard"
            visible: ActiveProfile.hasProfile
            Layout.fillWidth: true
            Layout.leftMargin: 30
            Layout.rightMargin: 30
            // As tall as the summary, but a remote with many buttons must not
            // push the switch-on button out of the window: the summary scrolls.
            Layout.fillHeight: true
            Layout.minimumHeight: Math.min(implicitHeight, 96)
            Layout.maximumHeight: implicitHeight
            implicitHeight: summary.implicitHeight + 32

            Flickable {
                anchors.fill: parent
                anchors.margins: 16
                contentHeight: summary.implicitHeight
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                ScrollIndicator.vertical: ScrollIndicator {}

                // A Column, not a ColumnLayout: Qt 6.4's layouts can ask a delegate that a
                // model change already freed for its size (a crash on a window manager's resize).
                Column {
                    id: summary
                    width: parent.width
                    spacing: 4
                    Repeater {
                        model: ActiveProfile.remappable
                        SummaryRow {
                            required property var modelData
                            width: summary.width
                            mapping: modelData
                        }
                    }
                }
            }
        }
        Item {
            Layout.fillHeight: true
        }
        PrimaryButton {
            objectName: "startRemappingButton"
            Layout.leftMargin: 30
            Layout.rightMargin: 30
            Layout.bottomMargin: 30
            topPadding: 16
            bottomPadding: 16
            text: qsTr("Start Remapping")
            iconName: "gamecontroller.fill"
            onClicked: SetupCommands.startRemapping()
        }
    }
}
