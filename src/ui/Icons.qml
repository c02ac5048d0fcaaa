pragma Singleton
import QtQuick

// System symbol names used by the pages and by the actions, mapped to glyphs of
// the Material Design Icons font (Debian's fonts-materialdesignicons-webfont,
// embedded at build time). The comment beside each is the glyph's own name.
QtObject {
    readonly property FontLoader loader: FontLoader {
        source: "qrc:/qt-project.org/imports/Bindwell/Ui/fonts/materialdesignicons-webfont.ttf"
    }
    readonly property string fontFamily: loader.name

    readonly property var glyphs: ({
        "gamecontroller.fill": "\uF297", // gamepad-variant
        "bolt.fill": "\uF241", // flash
        "laptopcomputer": "\uF322", // laptop
        "slider.horizontal.3": "\uF62E", // tune
        "envelope": "\uF1F0", // email-outline
        "power": "\uF425", // power
        "pause.circle.fill": "\uF3E5", // pause-circle
        "play.circle.fill": "\uF40C", // play-circle
        "checkmark": "\uF12C", // check
        "checkmark.circle.fill": "\uF5E0", // check-circle
        "arrow.clockwise": "\uF450", // refresh
        "arrow.right": "\uF054", // arrow-right
        "arrow.left": "\uF04D", // arrow-left
        "arrow.counterclockwise": "\uF06F", // backup-restore
        "chevron.right": "\uF142", // chevron-right
        "chevron.down": "\uF140", // chevron-down
        "gear": "\uF493", // settings
        "info.circle": "\uF2FD", // information-outline
        "antenna.radiowaves.left.and.right.slash": "\uF5AA", // wifi-off
        "hand.thumbsup.fill": "\uF513", // thumb-up
        "hand.point.up.fill": "\uF2C7", // hand-pointing-right
        "computermouse.fill": "\uF37D", // mouse
        "keyboard": "\uF30C", // keyboard
        "arrow.uturn.right": "\uF496", // share
        "xmark.circle": "\uF15A", // close-circle-outline
        "mic.fill": "\uF36C", // microphone
        "cursorarrow.click.2": "\uF1B5", // cursor-default-outline
        "cursorarrow.click": "\uF1B7", // cursor-pointer
        "return": "\uF311", // keyboard-return
        "escape": "\uF206", // exit-to-app
        "space": "\uF313", // keyboard-variant
        "arrow.right.to.line": "\uF312", // keyboard-tab
        "arrow.uturn.backward": "\uF54C", // undo
        "arrow.down.circle": "\uF048", // arrow-down-bold-circle-outline
        "record.circle": "\uF44A", // record
        "app.badge": "\uF614", // application
        "exclamationmark.triangle": "\uF026", // alert
        "plus.circle": "\uF419", // plus-circle-outline
    })

    // An unknown name draws nothing rather than a wrong picture.
    function glyph(name) {
        return glyphs[name] !== undefined ? glyphs[name] : ""
    }
}
