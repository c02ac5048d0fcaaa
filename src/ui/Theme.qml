pragma Singleton
import QtQuick

// The setup window's colours, text styles and sizes. Pages take every colour
// and font size from here, so a page never repeats a literal.
QtObject {
    // The accent that marks what is on or selected.
    readonly property color accent: Qt.rgba(0.0, 0.9, 0.82, 1.0)
    readonly property color background: Qt.rgba(0.04, 0.04, 0.05, 1.0)

    // The dark-mode label colours of the desktop this design came from.
    readonly property color primaryText: Qt.rgba(1, 1, 1, 0.85)
    readonly property color secondaryText: Qt.rgba(1, 1, 1, 0.55)
    readonly property color controlBackground: Qt.rgba(0.12, 0.12, 0.12, 1)
    readonly property color separator: Qt.rgba(1, 1, 1, 0.1)

    // Named system colours (dark appearance).
    readonly property color green: Qt.rgba(48 / 255, 209 / 255, 88 / 255, 1)
    readonly property color orange: Qt.rgba(1, 159 / 255, 10 / 255, 1)
    readonly property color blue: Qt.rgba(10 / 255, 132 / 255, 1, 1)
    readonly property color gray: Qt.rgba(142 / 255, 142 / 255, 147 / 255, 1)

    // White at an opacity, the pages' usual fill for cards and tiles.
    function white(opacity) {
        return Qt.rgba(1, 1, 1, opacity)
    }
    function withOpacity(base, opacity) {
        return Qt.rgba(base.r, base.g, base.b, opacity)
    }

    // Text styles, in pixels at 1x (the sizes of the platform styles they stand for).
    readonly property int title: 22
    readonly property int title2: 17
    readonly property int title3: 15
    readonly property int headline: 13
    readonly property int subheadline: 11
    readonly property int body: 13
    readonly property int callout: 12
    readonly property int caption: 10
    readonly property int caption2: 10

    // Corner radii of the shared controls.
    readonly property int buttonRadius: 12
    readonly property int buttonPadding: 14

    // The application's logo, compiled in by the resources library.
    readonly property url logo: "qrc:/bindwell/MenuBarBindwell.svg"
}
