import QtQuick

// Secondary text on a faint white fill.
StyledButton {
    foreground: Theme.secondaryText
    fill: Theme.white(0.05)
}
