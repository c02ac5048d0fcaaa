import QtQuick
import QtQuick.Controls.Basic

// The panel a row's picker opens in, attached below the row that is its
// parent. Its page is created afresh at each opening, so a picker always
// starts collapsed; the page's choice is what closes it.
Popup {
    id: popover
    // What the panel shows now; switching it replaces the page in place.
    property Component page

    objectName: "actionPopover"
    x: Math.round((parent.width - width) / 2)
    y: parent.height + 4
    margins: 8
    padding: 0
    focus: true
    // While a shortcut is being recorded, Escape is the shortcut.
    closePolicy: loader.item && loader.item.recording
                 ? Popup.CloseOnPressOutside : Popup.CloseOnEscape | Popup.CloseOnPressOutside

    background: Rectangle {
        radius: 10
        color: Theme.controlBackground
        border.width: 1
        border.color: Theme.white(0.12)
    }

    contentItem: Loader {
        id: loader
        active: popover.opened || popover.visible
        sourceComponent: popover.page
    }
}
