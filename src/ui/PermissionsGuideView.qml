import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core

// The first-run guide to the two permissions. It re-checks both every two
// seconds while shown, and never moves on by itself.
Item {
    id: page
    objectName: "permissionsGuideView"
    // Run by the continue button; without one the window is dismissed instead.
    property var continueAction: null

    readonly property bool accessibilityGranted: PermissionStatus.accessibilityGranted
    readonly property bool inputMonitoringGranted: PermissionStatus.inputMonitoringGranted
    readonly property bool allGranted: accessibilityGranted && inputMonitoringGranted
    readonly property bool shown: visible && Window.window !== null && Window.window.visible

    onShownChanged: shown ? PermissionStatus.startPolling() : PermissionStatus.stopPolling()
    Component.onCompleted: if (shown) PermissionStatus.startPolling()
    Component.onDestruction: PermissionStatus.stopPolling()

    function continueFromGuide() {
        if (continueAction)
            continueAction()
        else if (Window.window)
            Window.window.close()
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        ColumnLayout {
            Layout.fillWidth: true
            Layout.topMargin: 24
            Layout.bottomMargin: 20
            spacing: 8
            Image {
                Layout.alignment: Qt.AlignHCenter
                source: Theme.logo
                sourceSize: Qt.size(48, 48)
                Layout.preferredWidth: 48
                Layout.preferredHeight: 48
                opacity: 0.8
            }
            Text {
                textFormat: Text.PlainText
                Layout.alignment: Qt.AlignHCenter
                text: qsTr("Bindwell Needs Permissions")
                color: Theme.primaryText
                font.pixelSize: Theme.title2
                font.weight: Font.DemiBold
            }
            Text {
                textFormat: Text.PlainText
                Layout.fillWidth: true
                Layout.leftMargin: 20
                Layout.rightMargin: 20
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: qsTr("To intercept and remap your device's buttons, Bindwell needs two system permissions.")
                color: Theme.secondaryText
                font.pixelSize: Theme.callout
            }
        }
        Divider {}

        ScrollView {
            id: scroll
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: availableWidth
            ScrollBar.vertical.policy: ScrollBar.AlwaysOn

            ColumnLayout {
                width: scroll.availableWidth - 40
                x: 20
                y: 20
                spacing: 16

                PermissionCard {
                    objectName: "accessibilityCard"
                    stepNumber: 1
                    title: qsTr("Send input")
                    description: qsTr("Allows Bindwell to send keyboard shortcuts and mouse actions when you press remapped buttons.")
                    isGranted: page.accessibilityGranted
                    buttonTitle: qsTr("Show How to Allow Input")
                    instructions: PermissionStatus.uinputMissing ? [
                        qsTr("The uinput kernel module is not loaded, so /dev/uinput is missing"),
                        qsTr("Load it now: sudo modprobe uinput"),
                        qsTr("Bindwell's package loads it at every start from then on"),
                        qsTr("No group and no logout: this card turns green by itself")
                    ] : [
                        qsTr("Click \"Show How to Allow Input\" below"),
                        qsTr("Install Bindwell's package: sudo apt install ./bindwell_*.deb"),
                        qsTr("From a source build, install its udev rules instead (the page shows how)"),
                        qsTr("No group and no logout: this card turns green by itself")
                    ]
                    onButtonAction: SetupCommands.openAccessibilitySettings()
                }
                PermissionCard {
                    objectName: "inputMonitoringCard"
                    stepNumber: 2
                    title: qsTr("Read your controller")
                    description: qsTr("Allows Bindwell to detect button presses on your controller and suppress its default media key actions.")
                    isGranted: page.inputMonitoringGranted
                    buttonTitle: qsTr("Show How to Allow Reading")
                    instructions: [
                        qsTr("Click \"Show How to Allow Reading\" below"),
                        qsTr("Plug in your controller and pick it on the next page"),
                        qsTr("If Bindwell cannot read it yet, confirm with your password once"),
                        qsTr("Only that controller is opened, never your keyboards")
                    ]
                    onButtonAction: SetupCommands.openInputMonitoringSettings()
                }
                RestartNote {}
                // Bottom padding of the scrolled stack.
                Item {
                    implicitHeight: 20
                }
            }
        }
        Divider {}

        RowLayout {
            Layout.fillWidth: true
            Layout.margins: 16

            RowLayout {
                objectName: "grantedStatus"
                visible: page.allGranted
                spacing: 6
                Icon {
                    name: "checkmark.circle.fill"
                    color: Theme.green
                }
                Text {
                    textFormat: Text.PlainText
                    text: qsTr("All permissions granted!")
                    color: Theme.green
                    font.pixelSize: Theme.callout
                }
            }
            Text {
                textFormat: Text.PlainText
                objectName: "missingStatus"
                visible: !page.allGranted
                text: qsTr("Grant both permissions to continue")
                color: Theme.secondaryText
                font.pixelSize: Theme.caption
            }
            Item {
                Layout.fillWidth: true
            }
            StyledButton {
                objectName: "continueButton"
                Layout.fillWidth: false
                Layout.minimumWidth: 100
                leftPadding: 14
                rightPadding: 14
                topPadding: 7
                bottomPadding: 7
                focusRadius: 6
                text: page.allGranted ? qsTr("Continue") : qsTr("Skip for Now")
                fontSize: Theme.body
                foreground: page.allGranted ? "black" : "white"
                fill: page.allGranted ? Theme.accent : Theme.gray
                background: Rectangle {
                    radius: 6
                    color: parent.fill
                }
                onClicked: page.continueFromGuide()
            }
        }
    }
}
