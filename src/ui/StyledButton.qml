import QtQuick
import QtQuick.Layouts

// The shared shape of the primary and secondary buttons: icon and text side
// by side, centred, full width, on a rounded fill.
ChromelessButton {
    id: control
    property string iconName
    property bool iconAfterText: false
    property color foreground
    property color fill
    property int fontSize: Theme.body
    property int fontWeight: Font.Normal

    topPadding: Theme.buttonPadding
    bottomPadding: Theme.buttonPadding
    focusRadius: Theme.buttonRadius
    Layout.fillWidth: true

    background: Rectangle {
        radius: Theme.buttonRadius
        color: control.fill
    }

    contentItem: Item {
        implicitWidth: row.implicitWidth
        implicitHeight: row.implicitHeight
        RowLayout {
            id: row
            anchors.centerIn: parent
            spacing: 6
            layoutDirection: control.iconAfterText ? Qt.RightToLeft : Qt.LeftToRight
            Icon {
                name: control.iconName
                size: control.fontSize
                color: control.foreground
                visible: control.iconName.length > 0
            }
            Text {
                textFormat: Text.PlainText
                text: control.text
                color: control.foreground
                font.pixelSize: control.fontSize
                font.weight: control.fontWeight
            }
        }
    }
}
