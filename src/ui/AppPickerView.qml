import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Controls.impl
import QtQuick.Layouts
import Bindwell.Core

// The first step of an application rule: which application it is for. It
// offers the applications that had the focus since Bindwell started, and a
// field for a typed match (an id or WM_CLASS, with * and ? wildcards).
Item {
    id: picker

    // The match a rule will use, and the name to show for it.
    signal choose(string match, string name)

    implicitWidth: 300
    implicitHeight: Math.min(500, layout.implicitHeight)
    width: 300

    ColumnLayout {
        id: layout
        anchors.fill: parent
        spacing: 0

        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            leftPadding: 12
            rightPadding: 12
            topPadding: 12
            bottomPadding: 8
            text: qsTr("Choose Application")
            color: Theme.primaryText
            font.pixelSize: Theme.headline
            font.weight: Font.DemiBold
        }
        Divider {}

        Text {
            textFormat: Text.PlainText
            objectName: "noRecentApps"
            visible: RecentApps.apps.length === 0
            Layout.fillWidth: true
            padding: 12
            wrapMode: Text.WordWrap
            text: qsTr("No application has had the focus since Bindwell started. Switch to one, or type its name below.")
            color: Theme.secondaryText
            font.pixelSize: Theme.caption
        }

        ScrollView {
            id: scroll
            visible: RecentApps.apps.length > 0
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.preferredHeight: Math.min(apps.implicitHeight, 260)
            contentWidth: availableWidth

            Column {
                id: apps
                width: scroll.availableWidth
                Repeater {
                    model: RecentApps.apps
                    ChromelessButton {
                        id: appRow
                        required property var modelData
                        objectName: "appRow_" + modelData.match
                        width: parent.width
                        leftPadding: 12
                        rightPadding: 12
                        topPadding: 6
                        bottomPadding: 6
                        text: modelData.name
                        onClicked: picker.choose(modelData.match, modelData.name)
                        contentItem: RowLayout {
                            spacing: 10
                            IconImage {
                                Layout.preferredWidth: 20
                                Layout.preferredHeight: 20
                                sourceSize: Qt.size(20, 20)
                                // Icon= is a theme name, or now and then a file.
                                name: appRow.modelData.icon.startsWith("/") ? "" : appRow.modelData.icon
                                source: appRow.modelData.icon.startsWith("/")
                                        ? "file://" + appRow.modelData.icon : ""
                            }
                            Text {
                                textFormat: Text.PlainText
                                Layout.fillWidth: true
                                text: appRow.modelData.name
                                color: Theme.primaryText
                                font.pixelSize: Theme.body
                                elide: Text.ElideRight
                            }
                        }
                    }
                }
            }
        }

        Divider {}
        RowLayout {
            Layout.fillWidth: true
            Layout.margins: 12
            spacing: 8
            TextField {
                id: matchField
                objectName: "appMatchField"
                Layout.fillWidth: true
                placeholderText: qsTr("App id or WM_CLASS, * and ? allowed")
                font.pixelSize: Theme.caption
                color: Theme.primaryText
                placeholderTextColor: Theme.secondaryText
                background: Rectangle {
                    implicitHeight: 28
                    radius: 6
                    color: Theme.white(0.06)
                }
                onAccepted: nextButton.clicked()
            }
            ChromelessButton {
                id: nextButton
                objectName: "appMatchNext"
                enabled: matchField.text.trim() !== ""
                focusRadius: 4
                text: qsTr("Next")
                onClicked: picker.choose(matchField.text.trim(), matchField.text.trim())
                contentItem: Text {
                    textFormat: Text.PlainText
                    text: nextButton.text
                    color: nextButton.enabled ? Theme.accent : Theme.secondaryText
                    font.pixelSize: Theme.caption
                    font.weight: Font.DemiBold
                }
            }
        }
    }
}
