import QtQuick
import QtQuick.Controls.Basic

// A button whose whole look is its content: no toolkit chrome, the whole area
// clickable, reachable with Tab and activated with Space or Enter.
AbstractButton {
    id: control
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    padding: 0

    Keys.onReturnPressed: control.clicked()
    Keys.onEnterPressed: control.clicked()

    // Tabbing onto a button inside a scrolled list brings it into view.
    onActiveFocusChanged: if (activeFocus) revealInFlickable()
    function revealInFlickable() {
        for (let p = control.parent; p; p = p.parent) {
            if (p.contentY !== undefined && p.contentItem !== undefined && p.flickableDirection !== undefined) {
                const top = control.mapToItem(p.contentItem, 0, 0).y
                const bottom = top + control.height
                if (top < p.contentY)
                    p.contentY = top
                else if (bottom > p.contentY + p.height)
                    p.contentY = Math.min(bottom - p.height, p.contentHeight - p.height)
                return
            }
        }
    }

    // Shown only for keyboard focus, so mouse users see the design untouched.
    property real focusRadius: 0
    Rectangle {
        parent: control
        anchors.fill: parent
        radius: control.focusRadius
        color: "transparent"
        border.width: 2
        border.color: Theme.withOpacity(Theme.accent, 0.7)
        visible: control.visualFocus
        z: 10
    }
}
