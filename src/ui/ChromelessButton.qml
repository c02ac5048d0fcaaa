import QtQuick
import QtQuick.Controls.Basic
import "Reveal.js" as Reveal

// A button whose whole look is its content: no toolkit chrome, the whole area
// clickable, reachable with Tab and activated with Space or Enter.
AbstractButton {
    id: control
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    padding: 0

    Keys.onReturnPressed: control.clicked()
    Keys.onEnterPressed: control.clicked()

    onActiveFocusChanged: if (activeFocus) Reveal.revealInFlickable(control)

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
