import QtQuick
import QtQuick.Layouts

// Tells the user that a granted permission may need a restart to be seen.
Rectangle {
    Layout.fillWidth: true
    Layout.leftMargin: 4
    Layout.rightMargin: 4
    implicitHeight: row.implicitHeight + 20
    radius: 8
    color: Theme.withOpacity(Theme.blue, 0.08)

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        spacing: 8
        Icon {
            name: "info.circle"
            size: Theme.caption
            color: Theme.blue
        }
        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            text: qsTr("You may need to restart Bindwell after granting permissions for them to take effect.")
            color: Theme.secondaryText
            font.pixelSize: Theme.caption
            wrapMode: Text.WordWrap
        }
    }
}
