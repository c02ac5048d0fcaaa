import QtQuick
import QtQuick.Layouts

// A one-pixel horizontal separator that spans its layout.
Rectangle {
    Layout.fillWidth: true
    implicitHeight: 1
    color: Theme.separator
}
