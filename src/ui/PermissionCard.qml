import QtQuick
import QtQuick.Layouts

// One permission: its state, and while missing, the steps and the help button.
Rectangle {
    id: card
    property int stepNumber
    property string title
    property string description
    property bool isGranted: false
    property var instructions: []
    property string buttonTitle

    signal buttonAction()

    Layout.fillWidth: true
    implicitHeight: content.implicitHeight + 28
    radius: 10
    color: isGranted ? Theme.withOpacity(Theme.green, 0.05) : Theme.controlBackground
    border.width: 1
    border.color: isGranted ? Theme.withOpacity(Theme.green, 0.3) : Theme.withOpacity(Theme.gray, 0.2)

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 14
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            Rectangle {
                objectName: "stepBadge"
                Layout.alignment: Qt.AlignVCenter
                implicitWidth: 28
                implicitHeight: 28
                radius: 14
                color: card.isGranted ? Theme.green : Theme.orange
                Icon {
                    anchors.centerIn: parent
                    visible: card.isGranted
                    name: "checkmark"
                    size: Theme.caption
                    font.bold: true
                    color: "white"
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: "stepNumber"
                    anchors.centerIn: parent
                    visible: !card.isGranted
                    text: card.stepNumber
                    font.pixelSize: Theme.caption
                    font.bold: true
                    color: "white"
                }
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                RowLayout {
                    spacing: 8
                    Text {
                        textFormat: Text.PlainText
                        text: card.title
                        color: Theme.primaryText
                        font.pixelSize: Theme.headline
                        font.weight: Font.DemiBold
                    }
                    Rectangle {
                        objectName: "grantedTag"
                        visible: card.isGranted
                        implicitWidth: granted.implicitWidth + 12
                        implicitHeight: granted.implicitHeight + 4
                        radius: 4
                        color: Theme.withOpacity(Theme.green, 0.15)
                        Text {
                            textFormat: Text.PlainText
                            id: granted
                            anchors.centerIn: parent
                            text: qsTr("Granted")
                            color: Theme.green
                            font.pixelSize: Theme.caption2
                        }
                    }
                }
                Text {
                    textFormat: Text.PlainText
                    Layout.fillWidth: true
                    text: card.description
                    color: Theme.secondaryText
                    font.pixelSize: Theme.caption
                    wrapMode: Text.WordWrap
                    maximumLineCount: 2
                    elide: Text.ElideRight
                }
            }
        }

        // A Column, not a ColumnLayout: Qt 6.4's layouts can ask a delegate that a
        // model change already freed for its size (a crash on a window manager's resize).
        Column {
            objectName: "instructions"
            visible: !card.isGranted
            Layout.fillWidth: true
            Layout.leftMargin: 38
            spacing: 6
            Repeater {
                model: card.instructions
                RowLayout {
                    required property string modelData
                    required property int index
                    width: parent.width
                    spacing: 8
                    Text {
                        textFormat: Text.PlainText
                        Layout.preferredWidth: 16
                        Layout.alignment: Qt.AlignTop
                        horizontalAlignment: Text.AlignRight
                        text: (index + 1) + "."
                        color: Theme.secondaryText
                        font.pixelSize: Theme.caption
                    }
                    Text {
                        textFormat: Text.PlainText
                        Layout.fillWidth: true
                        Layout.alignment: Qt.AlignTop
                        text: modelData
                        color: Theme.primaryText
                        font.pixelSize: Theme.caption
                        wrapMode: Text.WordWrap
                    }
                }
            }
        }

        StyledButton {
            objectName: "settingsButton"
            visible: !card.isGranted
            Layout.leftMargin: 38
            topPadding: 5
            bottomPadding: 5
            focusRadius: 6
            text: card.buttonTitle
            iconName: "gear"
            foreground: Theme.primaryText
            fill: Theme.white(0.1)
            background: Rectangle {
                radius: 6
                color: Theme.white(0.1)
                border.width: 1
                border.color: Theme.white(0.12)
            }
            onClicked: card.buttonAction()
        }
    }
}
