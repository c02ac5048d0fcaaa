import QtQuick
import QtQuick.Layouts
import Bindwell.Core

// One application rule under its button: "In <app>: <action>", with a button
// that removes it.
RowLayout {
    id: row
    property var rule
    property int index
    signal remove()

    objectName: "appRule_" + rule.match
    spacing: 8

    Icon {
        name: "app.badge"
        size: Theme.caption
        color: Theme.secondaryText
    }
    Text {
        textFormat: Text.PlainText
        objectName: "appRuleText"
        Layout.fillWidth: true
        text: qsTr("In %1: %2").arg(row.rule.appName).arg(row.rule.action.displayName)
        color: Theme.secondaryText
        font.pixelSize: Theme.caption
        elide: Text.ElideRight
    }
    ChromelessButton {
        id: removeButton
        objectName: "removeAppRule"
        focusRadius: 4
        text: qsTr("Remove")
        onClicked: row.remove()
        contentItem: Text {
            textFormat: Text.PlainText
            text: removeButton.text
            color: Theme.orange
            font.pixelSize: Theme.caption
        }
    }
}
