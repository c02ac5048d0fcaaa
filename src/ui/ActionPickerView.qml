import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core

// The list from which one button's action is chosen. It only reports the
// clicked row through select(); the creator stores the choice and closes it.
Item {
    id: picker
    // The button's action now, as an action map ({displayName, symbolName, isNone}).
    property var currentAction
    property bool showMoreShortcuts: false
    property string title: qsTr("Choose Action")
    // The button's own action is being chosen: the list ends with the way
    // to a rule for one application.
    property bool offersAppRules: false

    signal select(var action)
    signal addAppRule()

    readonly property var groups: ActionCatalog.groups
    readonly property string currentName: currentAction ? currentAction.displayName : ""
    readonly property bool currentIsListed: groups.some(g => g.actions.some(a => a.displayName === currentName))
    // While a shortcut is being recorded, Escape belongs to the recorder.
    readonly property bool recording: recorder.recording

    implicitWidth: 300
    // The list scrolls once the whole picker would pass 500 points.
    implicitHeight: Math.min(500, title.implicitHeight + 1 + list.implicitHeight + 8)
    width: 300

    ColumnLayout {
        id: layout
        anchors.fill: parent
        spacing: 0

        Text {
            textFormat: Text.PlainText
            id: title
            Layout.fillWidth: true
            leftPadding: 12
            rightPadding: 12
            topPadding: 12
            bottomPadding: 8
            text: picker.title
            elide: Text.ElideRight
            color: Theme.primaryText
            font.pixelSize: Theme.headline
            font.weight: Font.DemiBold
        }
        Divider {}

        ScrollView {
            id: scroll
            objectName: "pickerScroll"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.bottomMargin: 8
            contentWidth: availableWidth
            ScrollBar.vertical.policy: ScrollBar.AlwaysOn

            Column {
                id: list
                width: scroll.availableWidth

                PickerGroup {
                    group: picker.groups[0]
                    currentName: picker.currentName
                    onSelect: action => picker.select(action)
                }

                RecordShortcutSection {
                    id: recorder
                    currentAction: picker.currentAction
                    currentIsListed: picker.currentIsListed
                    onSelect: action => picker.select(action)
                }

                Repeater {
                    model: picker.groups.slice(1, 3)
                    PickerGroup {
                        required property var modelData
                        group: modelData
                        currentName: picker.currentName
                        onSelect: action => picker.select(action)
                    }
                }

                ChromelessButton {
                    id: moreRow
                    objectName: "moreShortcutsRow"
                    width: parent.width
                    leftPadding: 12
                    rightPadding: 12
                    topPadding: 8
                    bottomPadding: 8
                    text: qsTr("More Shortcuts")
                    onClicked: picker.showMoreShortcuts = !picker.showMoreShortcuts

                    contentItem: RowLayout {
                        spacing: 6
                        Icon {
                            objectName: "moreShortcutsChevron"
                            Layout.preferredWidth: 12
                            name: picker.showMoreShortcuts ? "chevron.down" : "chevron.right"
                            size: Theme.caption2
                            color: Theme.accent
                        }
                        Text {
                            textFormat: Text.PlainText
                            Layout.fillWidth: true
                            text: moreRow.text
                            color: Theme.accent
                            font.pixelSize: Theme.caption
                            font.weight: Font.DemiBold
                        }
                        Text {
                            textFormat: Text.PlainText
                            objectName: "moreShortcutsState"
                            text: picker.showMoreShortcuts ? qsTr("Hide") : qsTr("Show")
                            color: Theme.secondaryText
                            font.pixelSize: Theme.caption2
                        }
                    }
                }

                Item {
                    id: more
                    objectName: "moreShortcutsGroups"
                    width: parent.width
                    height: picker.showMoreShortcuts ? moreColumn.implicitHeight : 0
                    visible: height > 0
                    clip: true
                    Behavior on height {
                        NumberAnimation {
                            duration: 200
                            easing.type: Easing.InOutQuad
                        }
                    }

                    Column {
                        id: moreColumn
                        width: parent.width
                        Repeater {
                            model: picker.groups.slice(3)
                            PickerGroup {
                                required property var modelData
                                required property int index
                                group: modelData
                                currentName: picker.currentName
                                showDivider: index < picker.groups.length - 4
                                onSelect: action => picker.select(action)
                            }
                        }
                    }
                }

                ChromelessButton {
                    id: appRuleRow
                    objectName: "addAppRuleRow"
                    visible: picker.offersAppRules
                    width: parent.width
                    leftPadding: 12
                    rightPadding: 12
                    topPadding: 8
                    bottomPadding: 8
                    text: qsTr("Add app-specific action…")
                    onClicked: picker.addAppRule()

                    contentItem: RowLayout {
                        spacing: 6
                        Icon {
                            Layout.preferredWidth: 12
                            name: "plus.circle"
                            size: Theme.caption2
                            color: Theme.accent
                        }
                        Text {
                            textFormat: Text.PlainText
                            Layout.fillWidth: true
                            text: appRuleRow.text
                            color: Theme.accent
                            font.pixelSize: Theme.caption
                            font.weight: Font.DemiBold
                        }
                    }
                }
            }
        }
    }
}
