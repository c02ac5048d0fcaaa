import QtQuick
import QtQuick.Window
import Bindwell.Ui

// The one setup window. Its title is also how the launch sequence finds it,
// so it stays a fixed, untranslated "Bindwell".
Window {
    objectName: "setup"
    title: "Bindwell"
    width: 700
    height: 580
    minimumWidth: 600
    minimumHeight: 500
    color: Theme.background

    SetupView {
        anchors.fill: parent
    }
}
