import QtQuick
import QtQuick.Window
import QtTest
import Bindwell.Ui
import Bindwell.Core
import Bindwell.Test

// Renders every page of the setup window in known states to PNG files in the
// build folder (tests/qml/screenshots), for review and for the README.
Item {
    id: root
    width: 100
    height: 100

    Component {
        id: windowComponent
        Window {
            width: 700
            height: 580
            visible: true
            color: Theme.background
            property alias view: view
            SetupView {
                id: view
                anchors.fill: parent
            }
        }
    }
    Component {
        id: panelComponent
        Window {
            width: 700
            height: 580
            visible: true
            color: Theme.background
            property alias loader: loader
            Loader {
                id: loader
                anchors.fill: parent
            }
        }
    }
    Component {
        id: guidePage
        PermissionsGuideView {}
    }
    Component {
        id: pickerPage
        Item {
            Rectangle {
                x: 20
                y: 20
                width: picker.width
                height: picker.height
                radius: 10
                color: Theme.controlBackground
                border.color: Theme.white(0.12)
                ActionPickerView {
                    id: picker
                    objectName: "picker"
                    currentAction: ({displayName: "Alt+F4 Close Window", symbolName: "keyboard", isNone: false})
                }
            }
        }
    }

    TestCase {
        name: "Screenshots"
        when: windowShown

        // Names come from devices, files and other programs' windows: no
        // text on any page may read them as markup. A field's placeholder is
        // always Bindwell's own hint.
        function checkPlainText(item, name) {
            if (item.textFormat !== undefined && item.text &&
                    !String(item).includes("PlaceholderText"))
                compare(item.textFormat, Text.PlainText, name + ": \"" + item.text + "\"")
            for (let i = 0; i < item.children.length; ++i)
                checkPlainText(item.children[i], name)
        }

        // Saves the window's content, after checking that it is the window's
        // size, shows more than a flat fill and draws no text as markup.
        function shoot(window, name) {
            wait(400)
            waitForRendering(window.contentItem)
            checkPlainText(window.contentItem, name)
            const image = grabImage(window.contentItem)
            compare(image.width, window.width, name + " width")
            compare(image.height, window.height, name + " height")
            const colours = {}
            for (let y = 0; y < image.height; y += 7) {
                for (let x = 0; x < image.width; x += 7)
                    colours[image.pixel(x, y)] = true
            }
            verify(Object.keys(colours).length > 20, name + " looks blank")
            image.save(TestBench.screenshotPath(name))
        }

        function openSetup() {
            const window = createTemporaryObject(windowComponent, root)
            tryVerify(() => window.visible)
            return window
        }

        function test_pages() {
            // The guide, before and after both permissions.
            TestBench.setPermissions(false, false)
            let window = openSetup()
            shoot(window, "01-guide-neither-granted")
            window.destroy()

            window = createTemporaryObject(panelComponent, root)
            TestBench.setPermissions(true, false)
            window.loader.sourceComponent = guidePage
            shoot(window, "12-guide-send-input-granted")
            window.loader.sourceComponent = null
            TestBench.setPermissions(true, true)
            window.loader.sourceComponent = guidePage
            shoot(window, "02-guide-both-granted")

            // The picker, collapsed and expanded.
            window.loader.sourceComponent = pickerPage
            shoot(window, "03-picker-collapsed")
            const picker = findChild(window.loader.item, "picker")
            picker.showMoreShortcuts = true
            const scroll = findChild(picker, "pickerScroll")
            tryVerify(() => findChild(picker, "moreShortcutsGroups").height > 100)
            scroll.contentItem.contentY = findChild(picker, "moreShortcutsRow").y - 40
            shoot(window, "04-picker-expanded")

            // The recorder, waiting for a shortcut to hold.
            picker.showMoreShortcuts = false
            scroll.contentItem.contentY = 0
            mouseClick(findChild(picker, "recordShortcutRow"))
            mouseClick(findChild(picker, "recordHold"))
            verify(picker.recording)
            shoot(window, "13-picker-recording")
            window.destroy()

            // Device selection: empty, three devices, one picked.
            window = openSetup()
            tryVerify(() => !DeviceList.isScanning)
            shoot(window, "05-devices-empty")
            TestBench.addDevice("relacon", 1390, 342, "ELECOM Relacon")
            TestBench.addDevice("air", 0x1111, 0x2222, "Bluetooth Air Mouse")
            TestBench.addDevice("kb", 0x3333, 0x4444, "Media Keyboard")
            DeviceList.scan()
            tryVerify(() => !DeviceList.isScanning)
            shoot(window, "06-devices-three")
            const row = findChild(window.view, "deviceRow_1390:342")
            mouseClick(row)
            shoot(window, "07-devices-one-selected")

            // The editor in the wizard, then the completion page.
            mouseClick(findChild(window.view, "nextButton"))
            SetupCommands.chooseAction(ActiveProfile.profileID, ActiveProfile.remappable[5].id,
                                       ActionCatalog.groups[1].actions[0])
            shoot(window, "08-editor-wizard")
            SetupCommands.activate()
            shoot(window, "09-setup-complete")
            window.destroy()

            // After setup the window is the settings editor, with its picker open.
            window = openSetup()
            shoot(window, "10-editor-settings")
            const mappingRow = findChild(window.view, "mappingRow_Play/Pause")
            mouseClick(mappingRow)
            tryVerify(() => mappingRow.showActionPicker)
            shoot(window, "11-editor-settings-picker")
            keyClick(Qt.Key_Escape)
            tryVerify(() => !mappingRow.showActionPicker)

            // A rule for one application under its button, and the chooser
            // of the application for another.
            TestBench.focusApp("org.example.Notes", "notes")
            TestBench.focusApp("", "Gimp-2.10")
            SetupCommands.addAppAction(ActiveProfile.profileID, mappingRow.mapping.id,
                                       "org.example.Notes", ActionCatalog.groups[1].actions[0])
            const ruledRow = findChild(window.view, "mappingRow_Play/Pause")
            ruledRow.forceActiveFocus()
            keyClick(Qt.Key_Space)
            tryVerify(() => ruledRow.showActionPicker)
            const popover = findChild(ruledRow, "actionPopover").contentItem
            findChild(popover, "addAppRuleRow").clicked()
            tryVerify(() => findChild(popover, "appMatchField") !== null)
            shoot(window, "15-editor-app-rules")
            keyClick(Qt.Key_Escape)
            tryVerify(() => !ruledRow.showActionPicker)

            // A button's hold and double tap set, then the two times at the
            // foot of the list, one of them chosen.
            const gestured = ActiveProfile.remappable[1].id
            SetupCommands.chooseGestureAction(ActiveProfile.profileID, gestured, "hold",
                                              ActionCatalog.groups[0].actions[5])
            SetupCommands.chooseGestureAction(ActiveProfile.profileID, gestured, "doubleTap",
                                              ActionCatalog.groups[1].actions[1])
            SetupCommands.setGestureMilliseconds(ActiveProfile.profileID, "hold", 600)
            waitForRendering(window.contentItem)
            findChild(window.view, "gestureRow_Volume Up_doubleTap").focusItem.forceActiveFocus()
            shoot(window, "16-editor-gestures")
            findChild(findChild(window.view, "gestureTime_doubleTap"), "gestureTimeSlider").forceActiveFocus()
            shoot(window, "17-editor-gesture-times")

            // A second controller remapped: the editor offers the switcher.
            SetupCommands.nextWithDevice(DeviceList.devices[0])
            tryVerify(() => findChild(window.view, "controllerSwitcher").visible)
            shoot(window, "14-editor-two-controllers")
        }
    }
}
