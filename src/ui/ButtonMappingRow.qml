import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core

// One remappable button. A click opens the action picker in a panel attached
// to the row; a choice is stored at once and closes the panel. From the
// picker, a rule for one application is added in two steps in the same panel:
// the application, then its action. A learned button can also be removed.
ChromelessButton {
    id: row
    property var mapping
    property string profileID
    property bool removable: false
    readonly property bool showActionPicker: popover.opened
    // The application a rule is being added for ({match, name}), once chosen.
    property var ruleApp: null
    property bool choosingApp: false

    objectName: "mappingRow_" + mapping.label
    leftPadding: 16
    rightPadding: 16
    topPadding: 12
    bottomPadding: 12
    focusRadius: 12
    text: mapping.label

    onClicked: popover.open()

    background: Rectangle {
        radius: 12
        color: Theme.white(0.03)
        border.width: 1
        border.color: Theme.white(0.06)
    }

    contentItem: RowLayout {
        spacing: 12
        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            text: row.mapping.label
            color: Theme.primaryText
            font.pixelSize: Theme.body
            font.weight: Font.Medium
            elide: Text.ElideRight
        }
        ActionChip {
            objectName: "actionChip"
            action: row.mapping.action
        }
        ChromelessButton {
            id: removeButton
            objectName: "removeButton"
            visible: row.removable
            focusRadius: 4
            text: qsTr("Remove")
            onClicked: SetupCommands.removeButton(row.profileID, row.mapping.id)
            contentItem: Text {
                textFormat: Text.PlainText
                text: removeButton.text
                color: Theme.orange
                font.pixelSize: Theme.caption
            }
        }
        Icon {
            name: "chevron.right"
            size: Theme.caption2
            color: Theme.secondaryText
        }
    }

    ActionPopover {
        id: popover
        parent: row
        page: row.choosingApp ? appPicker : row.ruleApp ? ruleActionPicker : actionPicker
        onClosed: {
            row.choosingApp = false
            row.ruleApp = null
        }
    }

    Component {
        id: actionPicker
        ActionPickerView {
            currentAction: row.mapping.action
            offersAppRules: true
            onSelect: action => row.choose(action)
            onAddAppRule: row.choosingApp = true
        }
    }
    Component {
        id: appPicker
        AppPickerView {
            onChoose: (match, name) => {
                row.ruleApp = {match: match, name: name}
                row.choosingApp = false
            }
        }
    }
    Component {
        id: ruleActionPicker
        ActionPickerView {
            title: qsTr("Choose Action in %1").arg(row.ruleApp ? row.ruleApp.name : "")
            onSelect: action => row.chooseForApp(action)
        }
    }

    // Storing a choice rebuilds the button list: the row that opened the
    // picker is gone, and the list gives its focus to the new one.
    signal chosen()

    function chooseForApp(action) {
        const profileID = row.profileID
        const mappingID = row.mapping.id
        const match = row.ruleApp.match
        popover.close()
        row.chosen()
        SetupCommands.addAppAction(profileID, mappingID, match, action)
    }

    function choose(action) {
        const profileID = row.profileID
        const mappingID = row.mapping.id
        popover.close()
        row.chosen()
        SetupCommands.chooseAction(profileID, mappingID, action)
    }
}
