import QtQuick

// A titled group of picker rows, with the divider that closes it.
Column {
    id: root
    property var group
    property string currentName
    property bool showDivider: true

    signal select(var action)

    width: parent ? parent.width : implicitWidth

    Text {
        textFormat: Text.PlainText
        leftPadding: 12
        rightPadding: 12
        topPadding: 6
        bottomPadding: 6
        text: qsTr(root.group.title)
        color: Theme.secondaryText
        font.pixelSize: Theme.caption
        font.weight: Font.DemiBold
    }
    Repeater {
        model: root.group.actions
        ActionRow {
            required property var modelData
            rowAction: modelData
            isCurrent: modelData.displayName === root.currentName
            onClicked: root.select(modelData)
        }
    }
    Item {
        width: parent.width
        height: 9
        visible: root.showDivider
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width
            height: 1
            color: Theme.separator
        }
    }
}
