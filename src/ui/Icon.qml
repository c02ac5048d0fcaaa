import QtQuick

// A system symbol drawn from the icon font, sized like the text beside it.
Text {
    textFormat: Text.PlainText
    id: icon
    property string name
    property int size: Theme.body

    text: Icons.glyph(name)
    font.family: Icons.fontFamily
    font.pixelSize: Math.round(size * 1.2)
    color: Theme.primaryText
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
