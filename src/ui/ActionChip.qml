import QtQuick

// What a button does now: grey for the button's own behaviour, accent for a remap.
Rectangle {
    id: chip
    property var action
    readonly property color foreground: action.isNone ? Theme.white(0.4) : Theme.accent

    implicitWidth: content.implicitWidth + 20
    implicitHeight: content.implicitHeight + 12
    radius: 8
    color: action.isNone ? Theme.white(0.05) : Theme.withOpacity(Theme.accent, 0.15)

    Row {
        id: content
        anchors.centerIn: parent
        spacing: 6
        Icon {
            visible: name !== ""
            name: chip.action.symbolName
            size: Theme.caption
            color: chip.foreground
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            textFormat: Text.PlainText
            objectName: "chipText"
            text: chip.action.displayName
            color: chip.foreground
            font.pixelSize: Theme.caption
            font.weight: Font.Medium
            anchors.verticalCenter: parent.verticalCenter
        }
    }
}
