import QtQuick
import QtQuick.Layouts

// One found device; clicking it makes it the pick.
ChromelessButton {
    id: row
    property var device
    property bool isSelected: false

    signal select()

    objectName: "deviceRow_" + device.id
    leftPadding: 16
    rightPadding: 16
    topPadding: 12
    bottomPadding: 12
    focusRadius: 12
    text: device.displayName

    onClicked: row.select()

    background: Rectangle {
        radius: 12
        color: Theme.white(row.isSelected ? 0.06 : 0.02)
        border.width: row.isSelected ? 1.5 : 1
        border.color: row.isSelected ? Theme.withOpacity(Theme.accent, 0.6) : Theme.white(0.06)
    }

    contentItem: RowLayout {
        spacing: 14
        Rectangle {
            implicitWidth: 44
            implicitHeight: 44
            radius: 10
            color: row.isSelected ? Theme.withOpacity(Theme.accent, 0.15) : Theme.white(0.05)
            Icon {
                objectName: "deviceIcon"
                anchors.centerIn: parent
                name: row.device.symbolName
                size: Theme.title3
                color: row.isSelected ? Theme.accent : Theme.secondaryText
            }
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 2
            Text {
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: row.device.displayName
                color: Theme.primaryText
                font.pixelSize: Theme.body
                font.weight: Font.Medium
                elide: Text.ElideRight
            }
            Text {
                textFormat: Text.PlainText
                Layout.fillWidth: true
                objectName: "deviceDetail"
                text: row.device.detailText
                color: Theme.secondaryText
                font.pixelSize: Theme.caption
                elide: Text.ElideRight
            }
        }
        Item {
            implicitWidth: 22
            implicitHeight: 22
            Icon {
                objectName: "selectedMark"
                anchors.centerIn: parent
                visible: row.isSelected
                name: "checkmark.circle.fill"
                size: Theme.title3
                color: Theme.accent
            }
            Rectangle {
                anchors.fill: parent
                visible: !row.isSelected
                radius: width / 2
                color: "transparent"
                border.width: 1.5
                border.color: Theme.white(0.2)
            }
        }
    }
}
