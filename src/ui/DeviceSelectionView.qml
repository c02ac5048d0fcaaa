import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core

// The wizard's first page: scan, list, pick one device. The pick is this
// page's own and starts empty each time the page is created.
Item {
    id: page
    objectName: "deviceSelectionView"
    // The picked device's map; it survives rescans, even when the device is gone.
    property var selectedDevice: null

    Component.onCompleted: DeviceList.scan()

    // Whatever a device with keyboard keys sends would be read once it is the
    // pick, so it becomes the pick only after the user said yes to that.
    function pick(device) {
        if (device.hasKeyboardKeys && !isPicked(device))
            consent.ask(device)
        else
            selectedDevice = device
    }

    function isPicked(device) {
        return selectedDevice !== null && selectedDevice.id === device.id
    }

    Component {
        id: deviceRow
        DetectedDeviceRow {
            required property var modelData
            width: parent ? parent.width : 0
            device: modelData
            isSelected: page.isPicked(modelData)
            onSelect: page.pick(modelData)
        }
    }

    KeyboardKeysConsent {
        id: consent
        onConfirmed: device => page.selectedDevice = device
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.topMargin: 16
        spacing: 20

        Text {
            textFormat: Text.PlainText
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Select Your Device")
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
            text: qsTr("Connect your handheld controller, then select it below.")
            color: Theme.secondaryText
            font.pixelSize: Theme.body
        }

        ScrollView {
            id: scroll
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: availableWidth

            ColumnLayout {
                width: scroll.availableWidth
                spacing: 8

                Card {
                    objectName: "emptyDevicesCard"
                    visible: DeviceList.devices.length === 0
                    Layout.fillWidth: true
                    Layout.leftMargin: 30
                    Layout.rightMargin: 30
                    implicitHeight: empty.implicitHeight

                    ColumnLayout {
                        id: empty
                        width: parent.width
                        spacing: 12
                        Icon {
                            Layout.alignment: Qt.AlignHCenter
                            Layout.topMargin: 20
                            name: "antenna.radiowaves.left.and.right.slash"
                            font.pixelSize: 40
                            color: Theme.secondaryText
                        }
                        Text {
                            textFormat: Text.PlainText
                            Layout.alignment: Qt.AlignHCenter
                            text: qsTr("No devices detected")
                            color: Theme.secondaryText
                            font.pixelSize: Theme.headline
                            font.weight: Font.DemiBold
                        }
                        Text {
                            textFormat: Text.PlainText
                            Layout.fillWidth: true
                            Layout.leftMargin: 20
                            Layout.rightMargin: 20
                            Layout.bottomMargin: 20
                            horizontalAlignment: Text.AlignHCenter
                            wrapMode: Text.WordWrap
                            text: qsTr("Make sure your handheld controller is connected via USB dongle or Bluetooth, then tap Refresh.")
                            color: Theme.secondaryText
                            font.pixelSize: Theme.caption
                        }
                    }
                }

                // Columns, not ColumnLayouts: Qt 6.4's layouts can ask a delegate that a
                // model change already freed for its size (a crash on a window manager's resize).
                Column {
                    id: deviceRows
                    Layout.fillWidth: true
                    Layout.leftMargin: 30
                    Layout.rightMargin: 30
                    spacing: 8
                    Repeater {
                        model: DeviceList.remotes
                        delegate: deviceRow
                    }
                }

                Column {
                    objectName: "keyboardKeyGroup"
                    visible: DeviceList.keyboardKeyDevices.length > 0
                    Layout.fillWidth: true
                    Layout.topMargin: 12
                    Layout.leftMargin: 30
                    Layout.rightMargin: 30
                    spacing: 8
                    Text {
                        textFormat: Text.PlainText
                        width: parent.width
                        text: qsTr("Devices with keyboard keys")
                        color: Theme.primaryText
                        font.pixelSize: Theme.headline
                        font.weight: Font.DemiBold
                    }
                    Text {
                        textFormat: Text.PlainText
                        width: parent.width
                        wrapMode: Text.WordWrap
                        text: qsTr("Presenters, foot pedals and macro pads whose buttons act as keyboard keys.")
                        color: Theme.secondaryText
                        font.pixelSize: Theme.caption
                    }
                    Repeater {
                        model: DeviceList.keyboardKeyDevices
                        delegate: deviceRow
                    }
                }
            }
        }

        ChromelessButton {
            id: refresh
            objectName: "refreshDevicesButton"
            Layout.alignment: Qt.AlignHCenter
            enabled: !DeviceList.isScanning
            focusRadius: 4
            text: DeviceList.isScanning ? qsTr("Scanning...") : qsTr("Refresh Devices")
            onClicked: DeviceList.scan()

            contentItem: RowLayout {
                spacing: 6
                Item {
                    visible: DeviceList.isScanning
                    implicitWidth: 16
                    implicitHeight: 16
                    BusyIndicator {
                        objectName: "scanSpinner"
                        anchors.centerIn: parent
                        running: DeviceList.isScanning
                        scale: 0.7
                        width: 24
                        height: 24
                    }
                }
                Icon {
                    visible: !DeviceList.isScanning
                    name: "arrow.clockwise"
                    size: Theme.caption
                    color: Theme.secondaryText
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: "refreshText"
                    text: refresh.text
                    color: Theme.secondaryText
                    font.pixelSize: Theme.caption
                }
            }
        }

        PrimaryButton {
            objectName: "nextButton"
            Layout.leftMargin: 30
            Layout.rightMargin: 30
            Layout.bottomMargin: 30
            enabled: page.selectedDevice !== null
            fill: enabled ? Theme.accent : Theme.withOpacity(Theme.gray, 0.3)
            text: qsTr("Next: Customize Buttons")
            iconName: "arrow.right"
            iconAfterText: true
            onClicked: SetupCommands.nextWithDevice(page.selectedDevice)
        }
    }
}
