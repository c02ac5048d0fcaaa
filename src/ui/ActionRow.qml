import QtQuick
import QtQuick.Layouts

// One choice of the action picker. The accent-coloured icon and the checkmark
// are the only marks of the current action; rows have no highlight of their own.
ChromelessButton {
    id: row
    property var rowAction
    property bool isCurrent: false

    objectName: "actionRow_" + rowAction.displayName
    width: parent ? parent.width : implicitWidth
    leftPadding: 12
    rightPadding: 12
    topPadding: 8
    bottomPadding: 8
    text: rowAction.displayName

    contentItem: RowLayout {
        spacing: 10
        Icon {
            objectName: "actionIcon"
            Layout.preferredWidth: 20
            name: row.rowAction.symbolName
            color: row.isCurrent ? Theme.accent : Theme.secondaryText
        }
        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            text: row.rowAction.displayName
            color: Theme.primaryText
            font.pixelSize: Theme.body
            elide: Text.ElideRight
        }
        Icon {
            objectName: "checkmark"
            name: "checkmark"
            size: Theme.caption
            color: Theme.accent
            visible: row.isCurrent
        }
    }
}
