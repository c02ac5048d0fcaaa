import QtQuick
import QtQuick.Layouts

// A button that keeps its own behaviour; shown for completeness, not clickable.
Item {
    id: row
    property var mapping

    objectName: "fixedRow_" + mapping.label
    implicitHeight: content.implicitHeight + 20
    opacity: 0.5

    RowLayout {
        id: content
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        anchors.topMargin: 10
        anchors.bottomMargin: 10
        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            text: row.mapping.label
            color: Theme.secondaryText
            font.pixelSize: Theme.body
        }
        Rectangle {
            implicitWidth: tag.implicitWidth + 20
            implicitHeight: tag.implicitHeight + 8
            radius: 6
            color: Theme.white(0.05)
            Text {
                textFormat: Text.PlainText
                id: tag
                anchors.centerIn: parent
                text: qsTr("Default")
                color: Theme.white(0.3)
                font.pixelSize: Theme.caption
            }
        }
    }
}
