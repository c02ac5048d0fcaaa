import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core

// One further way of pressing a button, under its row: what a hold or a
// double tap does, or that it is not set. A click opens the action picker;
// a set one can be cleared, and is then no longer stored.
RowLayout {
    id: row
    property var mapping
    property string profileID
    // "hold" or "doubleTap", the stem of the mapping's field.
    property string gesture
    property string label
    property string pickerTitle
    readonly property var action: mapping[gesture + "Action"]
    readonly property bool showActionPicker: popover.opened
    // Storing a choice or clearing one rebuilds the button list, as for the
    // button's own row.
    signal chosen()

    objectName: "gestureRow_" + mapping.label + "_" + gesture
    spacing: 8

    // The row's focus stop: the rebuilt list gives the focus back to it.
    readonly property Item focusItem: opener

    ChromelessButton {
        id: opener
        objectName: "gestureButton"
        Layout.fillWidth: true
        leftPadding: 12
        rightPadding: 12
        topPadding: 4
        bottomPadding: 4
        focusRadius: 8
        text: row.label
        onClicked: popover.open()

        contentItem: RowLayout {
            spacing: 12
            Text {
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: opener.text
                color: Theme.secondaryText
                font.pixelSize: Theme.callout
                elide: Text.ElideRight
            }
            // Unset, a grey chip without an icon says so.
            ActionChip {
                action: row.action !== undefined ? row.action
                                                 : ({displayName: qsTr("Not set"), symbolName: "",
                                                     isNone: true})
            }
            Icon {
                name: "chevron.right"
                size: Theme.caption2
                color: Theme.secondaryText
            }
        }

        ActionPopover {
            id: popover
            parent: opener
            page: ActionPickerView {
                title: row.pickerTitle
                currentAction: row.action
                onSelect: action => row.commit(
                              () => SetupCommands.chooseGestureAction(row.profileID, row.mapping.id,
                                                                      row.gesture, action))
            }
        }
    }

    ChromelessButton {
        id: clear
        objectName: "clearGesture"
        // Kept in place while unset, so that every row's chip lines up.
        enabled: row.action !== undefined
        opacity: enabled ? 1 : 0
        focusRadius: 4
        text: qsTr("Clear")
        onClicked: row.commit(() => SetupCommands.clearGestureAction(
                                  row.profileID, row.mapping.id, row.gesture))
        contentItem: Text {
            textFormat: Text.PlainText
            text: clear.text
            color: Theme.orange
            font.pixelSize: Theme.caption
        }
    }

    // The store's change destroys this row: everything is read before it.
    function commit(store) {
        popover.close()
        row.chosen()
        store()
    }
}
