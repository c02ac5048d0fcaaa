import QtQuick
import QtQuick.Layouts

// One line of the completion summary: a button and what it will do.
RowLayout {
    id: row
    property var mapping
    objectName: "summaryRow_" + mapping.label

    Text {
        textFormat: Text.PlainText
        Layout.fillWidth: true
        text: row.mapping.label
        color: Theme.secondaryText
        font.pixelSize: Theme.caption
        elide: Text.ElideRight
    }
    Text {
        textFormat: Text.PlainText
        objectName: "summaryAction"
        text: row.mapping.action.displayName
        color: Theme.accent
        font.pixelSize: Theme.caption
        font.weight: Font.Medium
    }
}
