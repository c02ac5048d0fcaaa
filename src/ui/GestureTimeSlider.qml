import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core
import "Reveal.js" as Reveal

// One of the profile's two gesture times, as a slider with its value in ms.
// Each save restarts a running engine, so a drag is saved when let go and a
// run of arrow keys once it pauses (or the focus leaves), not at every step.
RowLayout {
    id: row
    // "hold" or "doubleTap"
    property string gesture
    property string label
    property int milliseconds

    objectName: "gestureTime_" + gesture
    spacing: 12

    Text {
        textFormat: Text.PlainText
        Layout.preferredWidth: 110
        text: row.label
        color: Theme.primaryText
        font.pixelSize: Theme.callout
        elide: Text.ElideRight
    }
    Slider {
        id: slider
        objectName: "gestureTimeSlider"
        Layout.fillWidth: true
        from: ActiveProfile.shortestGestureMilliseconds
        to: ActiveProfile.longestGestureMilliseconds
        stepSize: 10
        snapMode: Slider.SnapAlways
        value: row.milliseconds
        // An arrow key presses the slider as a drag does; only its steps wait.
        property bool stepping: false
        Keys.onPressed: event => {
            stepping = true
            event.accepted = false
        }
        onPressedChanged: {
            if (pressed)
                return
            if (stepping)
                saveSoon.restart()
            else
                row.save()
            stepping = false
        }
        onActiveFocusChanged: {
            if (activeFocus)
                Reveal.revealInFlickable(slider)
            else if (saveSoon.running)
                row.save()
        }

        background: Rectangle {
            x: slider.leftPadding
            y: slider.topPadding + (slider.availableHeight - height) / 2
            width: slider.availableWidth
            implicitWidth: 160
            implicitHeight: 4
            height: implicitHeight
            radius: 2
            color: Theme.white(0.15)
            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                radius: 2
                color: Theme.accent
            }
        }
        handle: Rectangle {
            x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
            y: slider.topPadding + (slider.availableHeight - height) / 2
            implicitWidth: 16
            implicitHeight: 16
            radius: 8
            color: "white"
            border.width: slider.visualFocus ? 2 : 0
            border.color: Theme.accent
        }
    }
    Text {
        textFormat: Text.PlainText
        objectName: "gestureTimeValue"
        Layout.preferredWidth: 56
        horizontalAlignment: Text.AlignRight
        text: qsTr("%1 ms").arg(Math.round(slider.value))
        color: Theme.secondaryText
        font.pixelSize: Theme.callout
    }

    Timer {
        id: saveSoon
        interval: 400
        onTriggered: row.save()
    }

    function save() {
        saveSoon.stop()
        const milliseconds = Math.round(slider.value)
        if (milliseconds !== row.milliseconds)
            SetupCommands.setGestureMilliseconds(ActiveProfile.profileID, row.gesture, milliseconds)
    }
}
