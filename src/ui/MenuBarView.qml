import QtQuick
import QtQuick.Layouts

// The tray menu's panel: whether remapping runs, the start/pause toggle, the
// last button event and the device in use (or, while several controllers are
// remapped, one line for each), and the three commands. Every row
// reads the one MenuModel the native context menu reads too.
ColumnLayout {
    id: root

    required property QtObject menu

    // The two standard colours the menu needs beyond the shared Theme.
    readonly property color yellow: Qt.rgba(1, 214 / 255, 10 / 255, 1)
    readonly property color black: Qt.rgba(0, 0, 0, 1)

    width: 260
    spacing: 0

    component Separator: Rectangle {
        Layout.fillWidth: true
        implicitHeight: 1
        color: Theme.separator
    }

    // A row that does something: the whole row is the hit area.
    component CommandRow: Rectangle {
        id: row
        property string symbol
        property color symbolColor: Theme.primaryText
        property string text
        property string detail
        signal clicked

        Layout.fillWidth: true
        implicitHeight: content.implicitHeight + 16
        color: hover.hovered ? Theme.white(0.08) : "transparent"

        RowLayout {
            id: content
            anchors.fill: parent
            anchors.leftMargin: 12
            anchors.rightMargin: 12
            Icon {
                name: row.symbol
                color: row.symbolColor
            }
            Text {
                textFormat: Text.PlainText
                text: row.text
                color: Theme.primaryText
                font.pixelSize: Theme.body
            }
            Item {
                Layout.fillWidth: true
            }
            Text {
                textFormat: Text.PlainText
                visible: row.detail.length > 0
                text: row.detail
                color: Theme.secondaryText
                font.pixelSize: Theme.caption
            }
        }
        HoverHandler {
            id: hover
        }
        TapHandler {
            onTapped: row.clicked()
        }
    }

    // A row that only tells something, in the small secondary style.
    component InfoRow: RowLayout {
        id: info
        property string symbol
        property int symbolSize: Theme.caption
        property color symbolColor: Theme.secondaryText
        property string text

        Layout.fillWidth: true
        Layout.leftMargin: 12
        Layout.rightMargin: 12
        Layout.topMargin: 4
        Layout.bottomMargin: 4
        Icon {
            name: info.symbol
            size: info.symbolSize
            color: info.symbolColor
        }
        Text {
            textFormat: Text.PlainText
            Layout.fillWidth: true
            text: info.text
            elide: Text.ElideRight
            color: Theme.secondaryText
            font.pixelSize: Theme.caption
        }
    }

    RowLayout {
        objectName: "headerRow"
        Layout.fillWidth: true
        Layout.leftMargin: 12
        Layout.rightMargin: 12
        Layout.topMargin: 10
        Layout.bottomMargin: 10
        Icon {
            name: "gamecontroller.fill"
            color: Theme.accent
        }
        Text {
            textFormat: Text.PlainText
            text: qsTr("Bindwell")
            font.bold: true
            font.pixelSize: Theme.body
            color: Theme.primaryText
        }
        Item {
            Layout.fillWidth: true
        }
        Rectangle {
            objectName: "statusPill"
            implicitWidth: pillText.implicitWidth + 16
            implicitHeight: pillText.implicitHeight + 4
            radius: 4
            color: root.menu.isRemapping ? Theme.accent : Theme.white(0.1)
            Text {
                textFormat: Text.PlainText
                id: pillText
                anchors.centerIn: parent
                text: root.menu.statusText
                font.pixelSize: Theme.caption2
                font.bold: true
                color: root.menu.isRemapping ? root.black : Theme.secondaryText
            }
        }
    }

    Separator {}

    CommandRow {
        objectName: "toggleRow"
        symbol: root.menu.isRemapping ? "pause.circle.fill" : "play.circle.fill"
        symbolColor: root.menu.isRemapping ? Theme.orange : Theme.accent
        text: root.menu.toggleText
        detail: root.menu.toggleStateText
        onClicked: root.menu.toggleRemapping()
    }

    InfoRow {
        objectName: "lastEventRow"
        visible: root.menu.showsLastEvent
        symbol: "bolt.fill"
        symbolSize: Theme.caption2
        symbolColor: root.yellow
        text: root.menu.lastEvent
    }

    InfoRow {
        objectName: "deviceRow"
        visible: root.menu.showsDevice
        symbol: "laptopcomputer"
        text: root.menu.deviceName
    }

    InfoRow {
        objectName: "appRulesRow"
        visible: text !== ""
        symbol: "app.badge"
        text: root.menu.appRules
    }

    InfoRow {
        objectName: "focusUnavailableRow"
        visible: text !== ""
        symbol: "exclamationmark.triangle"
        symbolColor: Theme.orange
        text: root.menu.focusUnavailable
    }

    // A Column, not a ColumnLayout: Qt 6.4's layouts can ask a delegate that a
    // model change already freed for its size (a crash on a window manager's resize).
    Column {
        id: controllerRows
        Layout.fillWidth: true
        Layout.leftMargin: 12
        Layout.rightMargin: 12
        Repeater {
            model: root.menu.controllerLines
            InfoRow {
                required property string modelData
                required property int index
                objectName: "controllerRow" + index
                width: controllerRows.width
                height: implicitHeight + 8
                symbol: "gamecontroller.fill"
                text: modelData
            }
        }
    }

    Separator {}

    CommandRow {
        objectName: "buttonSettingsRow"
        symbol: "slider.horizontal.3"
        text: qsTr("Button Settings...")
        onClicked: root.menu.openButtonSettings()
    }

    CommandRow {
        objectName: "startAtLoginRow"
        symbol: root.menu.startsAtLogin ? "checkmark" : "power"
        symbolColor: root.menu.startsAtLogin ? Theme.accent : Theme.primaryText
        text: qsTr("Start at Login")
        detail: root.menu.startsAtLogin ? qsTr("On") : qsTr("Off")
        onClicked: root.menu.toggleStartAtLogin()
    }

    CommandRow {
        objectName: "feedbackRow"
        symbol: "envelope"
        text: qsTr("Send Feedback...")
        onClicked: root.menu.sendFeedback()
    }

    Separator {}

    CommandRow {
        objectName: "quitRow"
        symbol: "power"
        text: qsTr("Quit Bindwell")
        onClicked: root.menu.quit()
    }
}
