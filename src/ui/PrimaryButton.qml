import QtQuick

// Headline text in black on the accent colour.
StyledButton {
    foreground: "black"
    fill: Theme.accent
    fontSize: Theme.headline
    fontWeight: Font.DemiBold
}
