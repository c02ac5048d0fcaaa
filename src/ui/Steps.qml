pragma Singleton
import QtQuick

// The raw values of AppState's wizard steps, in their order; the step bar
// lights every segment whose value is at most the current step's.
QtObject {
    readonly property int selectDevice: 0
    readonly property int mapButtons: 1
    readonly property int done: 2
}
