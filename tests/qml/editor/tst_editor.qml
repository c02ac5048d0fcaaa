import QtQuick
import QtTest
import "../common"
import Bindwell.Ui
import Bindwell.Core
import Bindwell.Test

// The mapping editor and the completion page against the real store and a
// running engine on the simulated platform.
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
        function test_app_rules_are_added_for_a_seen_or_typed_app_and_removed() {
            const page = startWith(generic, true)
            AppState.toggleRemapping()
            const starts = TestBench.engineStarts
            TestBench.focusApp("org.example.Notes", "notes")
            TestBench.focusApp("", "Gimp-2.10")
            const addRule = () => {
                const row = find(page, "mappingRow_Play/Pause")
                click(row)
                tryVerify(() => row.showActionPicker)
                const popover = findChild(row, "actionPopover")
                pick(popover, "addAppRuleRow")
                return popover
            }

            let popover = addRule()
            compare(RecentApps.apps.map(a => a.match), ["Gimp-2.10", "org.example.Notes"])
            compare(findChild(popover.contentItem, "appRow_Gimp-2.10").text, "Gimp-2.10")
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

        function test_the_layout_follows_the_setup_flag() {
            const page = startWith(relacon, true)
            compare(find(page, "mappingTitle").text, "Button Mappings")
            compare(find(page, "deviceHeaderName").text, "ELECOM Relacon")
            verify(find(page, "fixedRow_Top Trigger (Right Click)").visible)
            ConfigStore.hasCompletedSetup = false
            compare(find(page, "mappingTitle").text, "Map Your Buttons")
            verify(!find(page, "deviceHeader").visible)
            verify(find(page, "backButton").visible && find(page, "activateButton").visible)
            // The click buttons are fixed: listed with their tag, not clickable rows.
            compare(findChild(page, "mappingRow_Top Trigger (Right Click)"), null)
        }

        function test_a_choice_is_stored_at_once_and_restarts_only_a_running_engine() {
            const page = startWith(generic, false)
            let starts = TestBench.engineStarts
            choose(page, "Middle Click", "Ctrl+C Copy")
            compare(chipText(page, "Middle Click"), "Ctrl+C Copy")
            compare(TestBench.engineStarts, starts)
            verify(!AppState.isRemapping)

            AppState.toggleRemapping()
            starts = TestBench.engineStarts
            choose(page, "Skip Forward", "Escape")
            tryCompare(find(page, "mappingRow_Skip Forward"), "showActionPicker", false)
            compare(chipText(page, "Skip Forward"), "Escape")
            compare(TestBench.storedAction("Skip Forward"), "Escape")
            verify(TestBench.configText().indexOf("escapeKey") >= 0)
            // What the restarted engine then does with it: the store_restart
            // scenario and the first-run test.
            compare(TestBench.engineStarts, starts + 1)
        }

        function test_a_recorded_shortcut_is_stored_and_escape_is_recorded_not_closing() {
            const page = startWith(generic, false)
            const row = find(page, "mappingRow_Middle Click")
            click(row)
            tryVerify(() => row.showActionPicker)
            const popover = findChild(row, "actionPopover")
            click(findChild(popover.contentItem, "recordShortcutRow"))
            keyClick(Qt.Key_Escape)
            // The stored choice redraws the list, so the row is looked up afresh.
            tryCompare(find(page, "mappingRow_Middle Click"), "showActionPicker", false)
            compare(TestBench.storedAction("Middle Click"), "Esc")
            compare(chipText(page, "Middle Click"), "Esc")
            verify(TestBench.configText().indexOf('{"keystroke":{"_0":{"keyCode":53,') >= 0)
        }

        function test_space_opens_and_escape_closes_the_picker_without_a_change() {
            const page = startWith(generic, false)
            const row = find(page, "mappingRow_Play/Pause")
            row.forceActiveFocus()
            keyClick(Qt.Key_Space)
            tryVerify(() => row.showActionPicker)
            keyClick(Qt.Key_Escape)
            tryVerify(() => !row.showActionPicker)
            compare(TestBench.storedAction("Play/Pause"), "Fn Key (Hold)")
        }

        function test_reset_defaults_for_both_layouts_without_a_restart() {
            for (const device of [generic, relacon]) {
                const page = startWith(device, true)
                AppState.toggleRemapping()
                choose(page, "Play/Pause", "Disabled (Block)")
                compare(TestBench.storedAction("Play/Pause"), "Disabled (Block)")
                const starts = TestBench.engineStarts
                click(find(page, "resetDefaultsButton"))
                compare(TestBench.storedAction("Play/Pause"), "Fn Key (Hold)")
                compare(chipText(page, "Play/Pause"), "Fn Key (Hold)")
                compare(ActiveProfile.remappable.length, device === relacon ? 8 : 10)
                compare(TestBench.engineStarts, starts)
                AppState.toggleRemapping()
                page.destroy()
            }
        }

        function test_save_and_close_restarts_only_a_running_engine_and_closes() {
            for (const running of [true, false]) {
                const page = startWith(generic, true)
                if (running)
                    AppState.toggleRemapping()
                const starts = TestBench.engineStarts
                closeSpy.clear()
                click(find(page, "saveAndCloseButton"))
                compare(TestBench.engineStarts, starts + (running ? 1 : 0))
                compare(AppState.isRemapping, running)
                compare(closeSpy.count, 1)
                if (running)
                    AppState.toggleRemapping()
                page.destroy()
            }
        }

        function test_back_keeps_the_profile_and_activate_finishes_setup_without_remapping() {
            const page = startWith(relacon, false)
            AppState.setupStep = Steps.mapButtons
            click(find(page, "backButton"))
            compare(AppState.setupStep, Steps.selectDevice)
            verify(ActiveProfile.hasProfile)
            click(find(page, "activateButton"))
            verify(TestBench.storedSetupFlag())
            compare(AppState.setupStep, Steps.done)
            verify(!AppState.isRemapping)
        }

        function test_completion_summary_lists_the_remappable_buttons_with_their_actions() {
            SetupCommands.nextWithDevice(generic)
            SetupCommands.chooseAction(ActiveProfile.profileID, ActiveProfile.remappable[7].id,
                                       ActionCatalog.groups[1].actions[0])
            const page = createTemporaryObject(completeComponent, root)
            for (const m of ActiveProfile.remappable) {
                const row = findChild(page, "summaryRow_" + m.label)
                verify(row, "no summary row " + m.label)
                compare(findChild(row, "summaryAction").text, m.action.displayName)
            }
            compare(ActiveProfile.remappable[7].action.displayName, "Ctrl+C Copy")
            compare(findChild(page, "summaryRow_Left Click"), null)
        }

        function test_completion_says_where_bindwell_is_data() {
            return [{tag: "tray", hasTray: true, where: "in your system tray"},
                    {tag: "no tray", hasTray: false, where: "start Bindwell again"}]
        }
        function test_completion_says_where_bindwell_is(data) {
            AppState.hasTray = data.hasTray
            const page = createTemporaryObject(completeComponent, root)
            verify(find(page, "whereBindwellIs").text.includes(data.where))
            AppState.hasTray = true
        }

        function test_the_gnome_extension_card_shows_only_on_gnome_with_the_extension_off_data() {
            return [
                {tag: "another desktop", desktop: "KDE", state: "DISABLED", shown: false},
                {tag: "GNOME, not installed", desktop: "ubuntu:GNOME", state: "", shown: true,
                 result: "log out and back in"},
                // The copy the row above installed is only switched on.
                {tag: "GNOME, switched off", desktop: "GNOME", state: "DISABLED", shown: true,
                 result: "next time Bindwell starts"},
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
            compare(find(page, "deviceHeaderName").text, "ELECOM Relacon")

            const others = ActiveProfile.controllers.length - 1
            click(find(page, "stopControllerButton"))
            compare(ActiveProfile.controllers.length, others)
            verify(ActiveProfile.profileID !== "device_1390_342")
            verify(TestBench.configText().indexOf('"id":"device_1390_342"') >= 0)
            compare(shown(switcher), others > 1)
        }
    }
}
