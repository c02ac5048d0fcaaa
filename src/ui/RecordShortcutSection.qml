import QtQuick
import QtQuick.Layouts
import Bindwell.Core

// "Record Shortcut…" and, while it waits, the recorder: the next key that is
// not a modifier, with the modifiers held at that moment, becomes the button's
// shortcut. Escape is recorded like any other key; Cancel, or the recorder
// losing focus, stops waiting. A shortcut the catalogue does not hold is shown
// above, marked, when it is the button's action now.
Column {
    id: section
    // The button's action now, as an action map, and whether it is one of the
    // picker's own rows.
    property var currentAction
    property bool currentIsListed: true
    property bool recording: false
    property bool hold: false
    property string message: ""

    signal select(var action)

    width: parent ? parent.width : implicitWidth

    function start() {
        hold = false
        message = ""
        recording = true
        capture.forceActiveFocus()
    }

    function cancel() {
        recording = false
        message = ""
    }

    function take(event) {
        event.accepted = true
        const result = ShortcutRecorder.record(event.key, event.modifiers, hold)
        if (result.error !== undefined) {
            message = result.error
        } else if (result.displayName !== undefined) {
            recording = false
            section.select(result)
        }
    }

    ActionRow {
        objectName: "recordedShortcutRow"
        visible: !section.currentIsListed && section.currentAction !== undefined
                 && section.currentAction !== null
        rowAction: visible ? section.currentAction : ({displayName: "", symbolName: ""})
        isCurrent: true
        onClicked: section.select(section.currentAction)
    }

    ChromelessButton {
        id: recordRow
        objectName: "recordShortcutRow"
        visible: !section.recording
        width: parent.width
        leftPadding: 12
        rightPadding: 12
        topPadding: 8
        bottomPadding: 8
        text: qsTr("Record Shortcut…")
        onClicked: section.start()

        contentItem: RowLayout {
            spacing: 10
            Icon {
                Layout.preferredWidth: 20
                name: "record.circle"
                color: Theme.secondaryText
            }
            Text {
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: recordRow.text
                color: Theme.primaryText
                font.pixelSize: Theme.body
            }
        }
    }

    FocusScope {
        id: capture
        objectName: "shortcutRecorder"
        visible: section.recording
        width: parent.width
        height: visible ? panel.implicitHeight : 0

        // Keys must reach the recorder before any shortcut or the popup's
        // own Escape handling sees them.
        Keys.onShortcutOverride: event => event.accepted = true
        Keys.onPressed: event => section.take(event)
        onActiveFocusChanged: if (!activeFocus && section.recording) section.cancel()

        ColumnLayout {
            id: panel
            width: parent.width
            spacing: 8

            Text {
                textFormat: Text.PlainText
                objectName: "recorderPrompt"
                Layout.fillWidth: true
                Layout.leftMargin: 12
                Layout.rightMargin: 12
                Layout.topMargin: 8
                text: section.message !== "" ? section.message : qsTr("Press a shortcut…")
                color: section.message !== "" ? Theme.orange : Theme.primaryText
                font.pixelSize: Theme.body
                wrapMode: Text.Wrap
            }

            RowLayout {
                Layout.leftMargin: 12
                Layout.rightMargin: 12
                spacing: 6
                // A Row, not the RowLayout itself: Qt 6.4's layouts can ask a delegate that a
                // model change already freed for its size (a crash on a window manager's resize).
                Row {
                    spacing: 6
                    Repeater {
                        model: [{title: qsTr("Tap"), hold: false}, {title: qsTr("Hold while pressed"), hold: true}]
                        ChromelessButton {
                            id: choice
                            required property var modelData
                            objectName: modelData.hold ? "recordHold" : "recordTap"
                            // Clicking a choice must not take focus from the recorder.
                            focusPolicy: Qt.NoFocus
                            leftPadding: 10
                            rightPadding: 10
                            topPadding: 4
                            bottomPadding: 4
                            readonly property bool selected: section.hold === modelData.hold
                            text: modelData.title
                            onClicked: section.hold = modelData.hold
                            background: Rectangle {
                                radius: 6
                                color: choice.selected ? Theme.withOpacity(Theme.accent, 0.15) : Theme.white(0.05)
                            }
                            contentItem: Text {
                                textFormat: Text.PlainText
                                text: choice.text
                                color: choice.selected ? Theme.accent : Theme.secondaryText
                                font.pixelSize: Theme.caption
                                font.weight: Font.Medium
                            }
                        }
                    }
                }
                Item {
                    Layout.fillWidth: true
                }
                ChromelessButton {
                    id: cancelButton
                    objectName: "recordCancel"
                    focusPolicy: Qt.NoFocus
                    text: qsTr("Cancel")
                    onClicked: section.cancel()
                    contentItem: Text {
                        textFormat: Text.PlainText
                        text: cancelButton.text
                        color: Theme.secondaryText
                        font.pixelSize: Theme.caption
                    }
                }
            }
            Item {
                implicitHeight: 4
            }
        }
    }

    Item {
        width: parent.width
        height: 9
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width
            height: 1
            color: Theme.separator
        }
    }
}
