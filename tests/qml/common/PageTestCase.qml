import QtQuick
import QtTest
import Bindwell.Test

// A TestCase with the moves every page test makes: find a control by its
// objectName, click it as a user would, tell whether it is really shown, and
// save a picture of a page for review and for the README.
TestCase {
    when: windowShown

    function find(parent, name) {
        const item = findChild(parent, name)
        verify(item, "no " + name)
        return item
    }

    // A frame showing the item as it is now: where nothing changed, no next
    // frame would come before waitForRendering's timeout, so one is asked for.
    function rendered(item) {
        TestBench.requestFrame(item)
        waitForRendering(item)
    }

    // Focus scrolls the control into view and rendering places it, so the
    // click lands on it and nothing else.
    function click(item) {
        item.forceActiveFocus()
        rendered(item)
        mouseClick(item)
    }

    function shown(item) {
        for (let i = item; i; i = i.parent) {
            if (!i.visible)
                return false
        }
        return true
    }

    // Names come from devices, files and other programs' windows: no text on
    // any page may read them as markup. A field's placeholder is always
    // Bindwell's own hint.
    function checkPlainText(item, name) {
        if (item.textFormat !== undefined && item.text &&
                !String(item).includes("PlaceholderText"))
            compare(item.textFormat, Text.PlainText, name + ": \"" + item.text + "\"")
        for (let i = 0; i < item.children.length; ++i)
            checkPlainText(item.children[i], name)
    }

    // Saves ITEM as the build folder's screenshots/NAME.png, after checking
    // that it is drawn at its size, shows more than a flat fill and draws no
    // text as markup.
    function shoot(item, name) {
        wait(400)
        rendered(item)
        checkPlainText(item, name)
        const image = grabImage(item)
        compare([image.width, image.height], [item.width, item.height], name + " size")
        const colours = {}
        for (let y = 0; y < image.height; y += 7) {
            for (let x = 0; x < image.width; x += 7)
                colours[image.pixel(x, y)] = true
        }
        verify(Object.keys(colours).length > 20, name + " looks blank")
        image.save(TestBench.screenshotPath(name))
    }
}
