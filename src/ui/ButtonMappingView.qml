import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Window
import Bindwell.Core
import "Reveal.js" as Reveal

// The mapping editor: the wizard's second page, and after setup the
// button-settings page. The mode follows the stored setup flag as it changes.
Item {
    id: page
    objectName: "buttonMappingView"
    readonly property bool settingsMode: ConfigStore.hasCompletedSetup
    // The row whose picker made the last choice, by its mapping's id (with
    // "/hold" or "/doubleTap" for a gesture row); its rebuilt row takes the focus.
    property string refocusKey: ""

    // That row once it has the focus: the rebuilt list is placed only later,
    // and then scrolled to show it.
    property Item refocused: null

    function refocus(key, item) {
        if (key === refocusKey) {
            refocusKey = ""
            item.forceActiveFocus()
            refocused = item
        }
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.topMargin: 16
        spacing: 16

        // Device header (settings only).
        Rectangle {
            objectName: "deviceHeader"
            visible: page.settingsMode && ActiveProfile.hasProfile
            Layout.fillWidth: true
            Layout.leftMargin: 30
            Layout.rightMargin: 30
            implicitHeight: header.implicitHeight + 20
            radius: 10
            color: Theme.white(0.03)

            ColumnLayout {
                id: header
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                anchors.leftMargin: 16
                anchors.rightMargin: 16

                RowLayout {
                    Icon {
                        name: "gamecontroller.fill"
                        color: Theme.accent
                    }
                    Text {
                        textFormat: Text.PlainText
                        objectName: "deviceHeaderName"
                        Layout.fillWidth: true
                        text: ActiveProfile.deviceName
                        color: Theme.primaryText
                        font.pixelSize: Theme.subheadline
                        font.weight: Font.Medium
                        elide: Text.ElideRight
                    }
                    ChromelessButton {
                        objectName: "changeDeviceButton"
                        text: qsTr("Change Device")
                        focusRadius: 4
                        onClicked: SetupCommands.changeDevice()
                        contentItem: Text {
                            textFormat: Text.PlainText
                            text: parent.text
                            color: Theme.accent
                            font.pixelSize: Theme.caption
                        }
                    }
                }

                // Several controllers are remapped: pick the one to edit, or
                // stop remapping it. Hidden with one, as before there could be more.
                RowLayout {
                    objectName: "controllerSwitcher"
                    visible: ActiveProfile.controllers.length > 1
                    ComboBox {
                        id: controllerPicker
                        objectName: "controllerPicker"
                        Layout.fillWidth: true
                        font.pixelSize: Theme.caption
                        background: Rectangle {
                            implicitHeight: 28
                            radius: 6
                            color: Theme.white(0.06)
                        }
                        contentItem: Text {
                            textFormat: Text.PlainText
                            leftPadding: 10
                            text: controllerPicker.displayText
                            color: Theme.primaryText
                            font: controllerPicker.font
                            verticalAlignment: Text.AlignVCenter
                            elide: Text.ElideRight
                        }
                        model: ActiveProfile.controllers
                        textRole: "label"
                        valueRole: "profileID"
                        currentIndex: ActiveProfile.controllerIndex
                        onActivated: index => SetupCommands.editProfile(valueAt(index))
                    }
                    ChromelessButton {
                        objectName: "stopControllerButton"
                        text: qsTr("Stop Remapping This Controller")
                        focusRadius: 4
                        onClicked: SetupCommands.stopRemappingController(ActiveProfile.profileID)
                        contentItem: Text {
                            textFormat: Text.PlainText
                            text: parent.text
                            color: Theme.orange
                            font.pixelSize: Theme.caption
                        }
                    }
                }
            }
        }

        Text {
            textFormat: Text.PlainText
            objectName: "mappingTitle"
            Layout.alignment: Qt.AlignHCenter
            text: page.settingsMode ? qsTr("Button Mappings") : qsTr("Map Your Buttons")
            color: Theme.primaryText
            font.pixelSize: Theme.title
            font.bold: true
        }
        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: page.settingsMode
                  ? qsTr("Tap any button to change its action. Changes apply on Save.")
                  : qsTr("Tap a button to change what it does. Leave as-is to keep defaults.")
            color: Theme.secondaryText
            font.pixelSize: Theme.body
        }

        // A device without a layout: its buttons are added by pressing them,
        // which is heard only while this prompt is shown in an open window.
        Card {
            id: learnPrompt
            objectName: "learnPrompt"
            visible: ActiveProfile.hasProfile && ActiveProfile.learnsButtons
            Layout.fillWidth: true
            Layout.leftMargin: 30
            Layout.rightMargin: 30
            implicitHeight: learnRow.implicitHeight + 24
            RowLayout {
                id: learnRow
                anchors.fill: parent
                anchors.margins: 12
                spacing: 10
                Icon {
                    name: "hand.point.up.fill"
                    color: Theme.accent
                }
                Text {
                    textFormat: Text.PlainText
                    Layout.fillWidth: true
                    text: qsTr("Press a button to add it")
                    color: Theme.primaryText
                    font.pixelSize: Theme.body
                    font.weight: Font.Medium
                    wrapMode: Text.WordWrap
                }
            }
        }
        Binding {
            target: ButtonLearner
            property: "listening"
            value: learnPrompt.visible && page.Window.visibility !== Window.Hidden
        }

        ScrollView {
            id: scroll
            objectName: "mappingList"
            visible: ActiveProfile.hasProfile
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: availableWidth
            ScrollBar.vertical.policy: ScrollBar.AlwaysOn
            // Never needed, and a transparent one would still take the clicks
            // meant for the row at the foot of the list.
            ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

            ColumnLayout {
                width: scroll.availableWidth
                spacing: 8

                // Settings reached after setup offer it too: application
                // rules are made here.
                GnomeExtensionCard {
                    visible: page.settingsMode && GnomeFocusExtension.offered
                    Layout.fillWidth: true
                    Layout.leftMargin: 30
                    Layout.rightMargin: 30
                    Layout.bottomMargin: 4
                }

                // Columns, not ColumnLayouts: Qt 6.4's layouts can ask a delegate that a
                // model change already freed for its size (a crash on a window manager's resize).
                Column {
                    id: buttons
                    Layout.fillWidth: true
                    Layout.leftMargin: 30
                    Layout.rightMargin: 30
                    spacing: 8
                    onPositioningComplete: {
                        if (page.refocused && page.refocused.activeFocus)
                            Reveal.revealInFlickable(page.refocused)
                    }
                    Repeater {
                        model: ActiveProfile.remappable
                        Column {
                            id: button
                            required property var modelData
                            // Not the Column's own width: a Column that began
                            // empty has none, and it skips rows without one.
                            width: scroll.availableWidth - buttons.Layout.leftMargin
                                   - buttons.Layout.rightMargin
                            spacing: 4
                            ButtonMappingRow {
                                id: mappingRow
                                width: button.width
                                mapping: button.modelData
                                profileID: ActiveProfile.profileID
                                removable: ActiveProfile.learnsButtons
                                onChosen: page.refocusKey = mapping.id
                                Component.onCompleted: page.refocus(mapping.id, mappingRow)
                            }
                            // The button's application rules, in the order they are tried.
                            Repeater {
                                model: button.modelData.appOverrides
                                AppRuleRow {
                                    required property var modelData
                                    required property int index
                                    x: 16
                                    width: button.width - 32
                                    rule: modelData
                                    onRemove: SetupCommands.removeAppAction(
                                                  ActiveProfile.profileID, button.modelData.id, index)
                                }
                            }
                            // What a hold and a double tap of the button do.
                            Repeater {
                                model: [
                                    {gesture: "hold", label: qsTr("Hold"),
                                     title: qsTr("Choose Hold Action")},
                                    {gesture: "doubleTap", label: qsTr("Double tap"),
                                     title: qsTr("Choose Double-Tap Action")},
                                ]
                                GestureRow {
                                    required property var modelData
                                    readonly property string key: button.modelData.id + "/" + gesture
                                    x: 16
                                    width: button.width - 16
                                    mapping: button.modelData
                                    profileID: ActiveProfile.profileID
                                    gesture: modelData.gesture
                                    label: modelData.label
                                    pickerTitle: modelData.title
                                    onChosen: page.refocusKey = key
                                    Component.onCompleted: page.refocus(key, focusItem)
                                }
                            }
                        }
                    }
                }

                ColumnLayout {
                    objectName: "fixedSection"
                    visible: ActiveProfile.fixed.length > 0
                    Layout.fillWidth: true
                    Layout.leftMargin: 30
                    Layout.rightMargin: 30
                    spacing: 8
                    Divider {
                        Layout.topMargin: 8
                        Layout.bottomMargin: 8
                    }
                    Text {
                        textFormat: Text.PlainText
                        text: qsTr("Fixed Buttons")
                        color: Theme.secondaryText
                        font.pixelSize: Theme.caption
                    }
                    // A Column for the same reason as the buttons above.
                    Column {
                        id: fixedRows
                        Layout.fillWidth: true
                        spacing: 8
                        Repeater {
                            model: ActiveProfile.fixed
                            FixedButtonRow {
                                required property var modelData
                                width: fixedRows.width
                                mapping: modelData
                            }
                        }
                    }
                }

                // The profile's two gesture times, for every button that has
                // a hold or double-tap action.
                ColumnLayout {
                    objectName: "gestureTimes"
                    visible: page.settingsMode
                    Layout.fillWidth: true
                    Layout.leftMargin: 30
                    Layout.rightMargin: 30
                    Layout.bottomMargin: 8
                    spacing: 8
                    Divider {
                        Layout.topMargin: 8
                        Layout.bottomMargin: 8
                    }
                    Text {
                        textFormat: Text.PlainText
                        text: qsTr("Hold and Double Tap")
                        color: Theme.secondaryText
                        font.pixelSize: Theme.caption
                    }
                    GestureTimeSlider {
                        Layout.fillWidth: true
                        gesture: "hold"
                        label: qsTr("Hold time")
                        milliseconds: ActiveProfile.holdMilliseconds
                    }
                    GestureTimeSlider {
                        Layout.fillWidth: true
                        gesture: "doubleTap"
                        label: qsTr("Double-tap time")
                        milliseconds: ActiveProfile.doubleTapMilliseconds
                    }
                }
            }
        }

        // Keeps the command row at the bottom when there is no list to fill the page.
        Item {
            visible: !ActiveProfile.hasProfile
            Layout.fillHeight: true
        }

        StartAtLoginRow {
            visible: page.settingsMode
            Layout.leftMargin: 30
            Layout.rightMargin: 30
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 30
            Layout.rightMargin: 30
            Layout.bottomMargin: 30
            spacing: 12

            // Equal halves, whatever the two labels' lengths.
            SecondaryButton {
                Layout.preferredWidth: 1
                objectName: page.settingsMode ? "resetDefaultsButton" : "backButton"
                text: page.settingsMode ? qsTr("Reset Defaults") : qsTr("Back")
                iconName: page.settingsMode ? "arrow.counterclockwise" : "arrow.left"
                onClicked: page.settingsMode ? SetupCommands.resetDefaults()
                                             : SetupCommands.back()
            }
            PrimaryButton {
                Layout.preferredWidth: 1
                objectName: page.settingsMode ? "saveAndCloseButton" : "activateButton"
                text: page.settingsMode ? qsTr("Save & Close") : qsTr("Activate Bindwell")
                iconName: "checkmark.circle.fill"
                iconAfterText: !page.settingsMode
                onClicked: page.settingsMode ? SetupCommands.saveAndClose()
                                             : SetupCommands.activate()
            }
        }
    }
}
