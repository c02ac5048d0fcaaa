import QtQuick
import QtTest
import "../common"
import Bindwell.Ui
import Bindwell.Core
import Bindwell.Test

// The mapping editor against the real store and a running engine on the
// simulated platform, and the GNOME extension card it shares with the
// completion page. The completion summary: the first-run test.
Item {
    id: root
    width: 640
    height: 900

    readonly property var generic: ({id: "4660:22136", name: "Remote", manufacturer: "Acme",
                                     vendorID: 0x1234, productID: 0x5678, transport: "USB"})
    readonly property var relacon: ({id: "1390:342", name: "ELECOM Relacon", manufacturer: "ELECOM",
                                     vendorID: 1390, productID: 342, transport: "Bluetooth"})

    Component {
        id: editorComponent
        ButtonMappingView {
            width: root.width
            height: root.height
        }
    }
    Component {
        id: completeComponent
        SetupCompleteView {
            width: root.width
            height: root.height
        }
    }

    SignalSpy {
        id: closeSpy
        target: SetupCommands
        signalName: "closeRequested"
    }

    PageTestCase {
        name: "MappingEditor"

        function init() {
            if (AppState.isRemapping)
                AppState.toggleRemapping()
            ConfigStore.hasCompletedSetup = false
            closeSpy.clear()
        }

        // The wizard has just stored the device's default profile.
        function startWith(device, settingsMode) {
            SetupCommands.nextWithDevice(device)
            ConfigStore.hasCompletedSetup = settingsMode
            const page = createTemporaryObject(editorComponent, root)
            waitForRendering(page)
            return page
        }

        function chipText(page, label) {
            return findChild(find(page, "mappingRow_" + label), "chipText").text
        }

        // Opens the row's picker and clicks one of its rows.
        function choose(page, label, actionName) {
            const row = find(page, "mappingRow_" + label)
            click(row)
            tryVerify(() => row.showActionPicker)
            pick(findChild(row, "actionPopover"), "actionRow_" + actionName)
        }

        // Clicks a control of the open popover from the keyboard: one near the
        // foot of the popover may be only partly inside the editor's window.
        function pick(popover, name) {
            let control = null
            tryVerify(() => (control = findChild(popover.contentItem, name)) !== null,
                      5000, "no popover control " + name)
            control.forceActiveFocus()
            keyClick(Qt.Key_Space)
        }

        function ruleText(page, match) {
            return findChild(find(page, "appRule_" + match), "appRuleText").text
        }

        // A rule is added for an application seen with the focus (named by its
        // desktop file) or for a typed match, stored at once, taken by the
        // running engine, and removed again; the button's own action stays.
        // The order of the seen applications: tests/ui/RecentAppsTest.
        function test_app_rules_are_added_for_a_seen_or_typed_app_and_removed() {
            const page = startWith(generic, true)
            AppState.toggleRemapping()
            const starts = TestBench.engineStarts
            TestBench.focusApp("org.example.Notes", "notes")
            const addRule = () => {
                const row = find(page, "mappingRow_Play/Pause")
                click(row)
                tryVerify(() => row.showActionPicker)
                const popover = findChild(row, "actionPopover")
                pick(popover, "addAppRuleRow")
                return popover
            }

            let popover = addRule()
            pick(popover, "appRow_org.example.Notes")
            pick(popover, "actionRow_Escape")
            tryVerify(() => findChild(page, "appRule_org.example.Notes"))
            compare(ruleText(page, "org.example.Notes"), "In Notes: Escape")
            compare(TestBench.engineStarts, starts + 1)

            popover = addRule()
            findChild(popover.contentItem, "appMatchField").text = "  firefox* "
            pick(popover, "appMatchNext")
            pick(popover, "actionRow_Tab")
            tryVerify(() => findChild(page, "appRule_firefox*"))
            compare(ruleText(page, "firefox*"), "In firefox*: Tab")
            verify(TestBench.configText().indexOf('"match":"firefox*"') >= 0)

            click(findChild(find(page, "appRule_org.example.Notes"), "removeAppRule"))
            tryVerify(() => !findChild(page, "appRule_org.example.Notes"))
            verify(find(page, "appRule_firefox*"))
            compare(TestBench.storedAction("Play/Pause"), "Fn Key (Hold)")
            compare(TestBench.engineStarts, starts + 3)
        }

        // A choice and Save & Close restart a running engine and nothing
        // else; Reset Defaults restarts nothing. What the restarted engine
        // then does: the store_restart scenario and the first-run test.
        function test_changes_are_stored_at_once_and_restart_only_a_running_engine_data() {
            return [
                {tag: "stopped, a remote", device: generic, running: false},
                {tag: "running, a controller with fixed buttons", device: relacon, running: true},
            ]
        }
        function test_changes_are_stored_at_once_and_restart_only_a_running_engine(data) {
            const page = startWith(data.device, true)
            if (data.running)
                AppState.toggleRemapping()
            const restart = data.running ? 1 : 0
            let starts = TestBench.engineStarts
            choose(page, "Play/Pause", "Escape")
            tryCompare(find(page, "mappingRow_Play/Pause"), "showActionPicker", false)
            compare(chipText(page, "Play/Pause"), "Escape")
            compare(TestBench.storedAction("Play/Pause"), "Escape")
            verify(TestBench.configText().indexOf("escapeKey") >= 0)
            compare(TestBench.engineStarts, starts + restart)

            starts = TestBench.engineStarts
            click(find(page, "resetDefaultsButton"))
            compare(TestBench.storedAction("Play/Pause"), "Fn Key (Hold)")
            compare(chipText(page, "Play/Pause"), "Fn Key (Hold)")
            compare(TestBench.engineStarts, starts)

            click(find(page, "saveAndCloseButton"))
            compare(TestBench.engineStarts, starts + restart)
            compare(AppState.isRemapping, data.running)
            compare(closeSpy.count, 1)
        }

        // Space opens the picker and Escape closes it without a change, unless
        // the recorder waits: then Escape is the shortcut.
        function test_escape_closes_the_picker_unless_it_is_being_recorded() {
            const page = startWith(generic, false)
            let row = find(page, "mappingRow_Play/Pause")
            row.forceActiveFocus()
            keyClick(Qt.Key_Space)
            tryVerify(() => row.showActionPicker)
            keyClick(Qt.Key_Escape)
            tryVerify(() => !row.showActionPicker)
            compare(TestBench.storedAction("Play/Pause"), "Fn Key (Hold)")

            click(row)
            tryVerify(() => row.showActionPicker)
            click(findChild(findChild(row, "actionPopover").contentItem, "recordShortcutRow"))
            keyClick(Qt.Key_Escape)
            // The stored choice redraws the list, so the row is looked up afresh.
            tryCompare(find(page, "mappingRow_Play/Pause"), "showActionPicker", false)
            compare(TestBench.storedAction("Play/Pause"), "Esc")
            compare(chipText(page, "Play/Pause"), "Esc")
            verify(TestBench.configText().indexOf('{"keystroke":{"_0":{"keyCode":53,') >= 0)
        }

        // The wizard's editor has no device header and lists the click
        // buttons with their tag, not as rows to change. The settings layout:
        // the first-run test.
        function test_the_wizard_editor_goes_back_keeping_the_profile_or_activates() {
            const page = startWith(relacon, false)
            verify(!find(page, "deviceHeader").visible)
            verify(shown(find(page, "fixedRow_Top Trigger (Right Click)")))
            compare(findChild(page, "mappingRow_Top Trigger (Right Click)"), null)
            click(find(page, "backButton"))
            compare(AppState.setupStep, Steps.selectDevice)
            verify(ActiveProfile.hasProfile)
            click(find(page, "activateButton"))
            verify(TestBench.storedSetupFlag())
            compare(AppState.setupStep, Steps.done)
            verify(!AppState.isRemapping)
        }

        function test_the_gnome_extension_card_shows_only_on_gnome_with_the_extension_off_data() {
            return [
                {tag: "another desktop", desktop: "KDE", state: "DISABLED", shown: false},
                {tag: "GNOME, not installed", desktop: "ubuntu:GNOME", state: "", shown: true,
                 result: "log out and back in"},
                {tag: "GNOME, running", desktop: "GNOME", state: "ACTIVE", shown: false},
            ]
        }
        function test_the_gnome_extension_card_shows_only_on_gnome_with_the_extension_off(data) {
            TestBench.setGnomeShell(data.desktop, data.state)
            const page = createTemporaryObject(completeComponent, root)
            const card = find(page, "gnomeExtensionCard")
            tryCompare(card, "visible", data.shown)
            // The settings page offers it as well, and the wizard's editor does not.
            for (const settingsMode of [true, false]) {
                const editor = startWith(generic, settingsMode)
                tryCompare(find(editor, "gnomeExtensionCard"), "visible", data.shown && settingsMode)
                editor.destroy()
            }
            if (!data.shown)
                return
            click(find(card, "gnomeExtensionEnableButton"))
            tryVerify(() => find(card, "gnomeExtensionMessage").text.includes(data.result))
            verify(!find(card, "gnomeExtensionEnableButton").visible)
        }

        // Two remapped controllers: the switcher picks the one to edit, and
        // stopping one leaves it stored but off and the editor on the other.
        // With one left the switcher is gone, as it is before there are two.
        function test_the_switcher_picks_the_edited_controller_and_stops_one() {
            SetupCommands.nextWithDevice(relacon)
            const page = startWith(generic, true)
            const switcher = find(page, "controllerSwitcher")
            tryVerify(() => shown(switcher))
            const picker = find(page, "controllerPicker")
            compare(picker.currentText, "Remote")
            picker.activated(picker.indexOfValue("device_1390_342"))
            compare(ActiveProfile.deviceName, "ELECOM Relacon")
            compare(picker.currentText, "ELECOM Relacon")

            const others = ActiveProfile.controllers.length - 1
            click(find(page, "stopControllerButton"))
            compare(ActiveProfile.controllers.length, others)
            verify(ActiveProfile.profileID !== "device_1390_342")
            verify(TestBench.configText().indexOf('"id":"device_1390_342"') >= 0)
            compare(shown(switcher), others > 1)
        }
    }
}
