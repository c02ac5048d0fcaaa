import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core

// The "Start at Login" switch, with a line that says what it does now.
RowLayout {
    id: row
    objectName: "startAtLoginRow"
    // What the line says while the switch is on and off.
    property string onText: qsTr("Bindwell starts in the system tray when you log in.")
    property string offText: qsTr("Bindwell does not start when you log in.")

    Layout.fillWidth: true
    spacing: 12

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 2
        Text {
            textFormat: Text.PlainText
            text: qsTr("Start at Login")
            color: Theme.primaryText
            font.pixelSize: Theme.body
            font.weight: Font.Medium
        }
        Text {
            textFormat: Text.PlainText
            objectName: "startAtLoginText"
            Layout.fillWidth: true
            text: StartAtLogin.enabled ? row.onText : row.offText
            color: Theme.secondaryText
            font.pixelSize: Theme.caption
            wrapMode: Text.WordWrap
        }
    }
    Switch {
        id: toggle
        objectName: "startAtLoginSwitch"
        checked: StartAtLogin.enabled
        onToggled: StartAtLogin.enabled = checked
        indicator: Rectangle {
            implicitWidth: 36
            implicitHeight: 20
            x: toggle.leftPadding
            y: (toggle.height - height) / 2
            radius: 10
            color: toggle.checked ? Theme.accent : Theme.white(0.15)
            Rectangle {
                x: toggle.checked ? parent.width - width - 2 : 2
                y: 2
                width: 16
                height: 16
                radius: 8
                color: "white"
            }
        }
    }
}
