import QtQuick
import QtQuick.Window
import Bindwell.Ui

// The tray icon's panel: a frameless, always-on-top window sized to the menu.
Window {
    id: panel

    required property QtObject menu

    objectName: "menuPanel"
    flags: Qt.Tool | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint
    width: view.width
    height: view.implicitHeight
    color: Theme.background

    MenuBarView {
        id: view
        menu: panel.menu
    }
}
