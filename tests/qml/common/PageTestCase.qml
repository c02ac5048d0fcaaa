import QtQuick
import QtTest

// A TestCase with the moves every page test makes: find a control by its
// objectName, click it as a user would, and tell whether it is really shown.
TestCase {
    when: windowShown

    function find(parent, name) {
        const item = findChild(parent, name)
        verify(item, "no " + name)
        return item
    }

    // Focus scrolls the control into view and rendering places it, so the
    // click lands on it and nothing else.
    function click(item) {
        item.forceActiveFocus()
        waitForRendering(item)
        mouseClick(item)
    }

    function shown(item) {
        for (let i = item; i; i = i.parent) {
            if (!i.visible)
                return false
        }
        return true
    }
}
