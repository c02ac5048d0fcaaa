import QtQuick

// The pages' card: a faint white fill behind the content.
Rectangle {
    radius: 12
    color: Theme.white(0.03)
}
