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
            TestBench.removeAllDevices()
            TestBench.clearPostedEvents()
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
            const popover = findChild(row, "actionPopover")
            const choice = findChild(popover.contentItem, "actionRow_" + actionName)
            verify(choice, "no picker row " + actionName)
            // Chosen from the keyboard: a row near the foot of the popover
            // may be only partly inside the editor's window.
            choice.forceActiveFocus()
            keyClick(Qt.Key_Space)
        }

        function test_wizard_mode_layout() {
            const page = startWith(generic, false)
            compare(find(page, "mappingTitle").text, "Map Your Buttons")
            verify(!find(page, "deviceHeader").visible)
            verify(find(page, "backButton").visible)
            verify(find(page, "activateButton").visible)
            compare(ActiveProfile.remappable.length, 10)
            // The two click buttons are fixed: listed with their tag, not clickable rows.
            verify(find(page, "fixedRow_Left Click").visible)
            verify(find(page, "fixedRow_Right Click").visible)
            compare(findChild(page, "mappingRow_Left Click"), null)
        }

        function test_settings_mode_layout_follows_the_flag() {
            const page = startWith(relacon, true)
            compare(find(page, "mappingTitle").text, "Button Mappings")
            verify(find(page, "deviceHeader").visible)
            compare(find(page, "deviceHeaderName").text, "ELECOM Relacon")
            verify(find(page, "fixedRow_Top Trigger (Right Click)").visible)
            ConfigStore.hasCompletedSetup = false
            compare(find(page, "mappingTitle").text, "Map Your Buttons")
            verify(!find(page, "deviceHeader").visible)
        }

        function test_a_choice_is_stored_at_once_and_reaches_the_running_engine() {
            TestBench.addDevice("remote", 0x1234, 0x5678, "Remote")
            const page = startWith(generic, false)
            AppState.toggleRemapping()
            verify(AppState.isRemapping)
            const starts = TestBench.engineStarts

            compare(chipText(page, "Skip Forward"), "Tab")
            choose(page, "Skip Forward", "Escape")

            tryCompare(find(page, "mappingRow_Skip Forward"), "showActionPicker", false)
            compare(chipText(page, "Skip Forward"), "Escape")
            compare(TestBench.storedAction("Skip Forward"), "Escape")
            verify(TestBench.configText().indexOf("escapeKey") >= 0)
            compare(TestBench.engineStarts, starts + 1)

            // Let the device's arrival reach the restarted engine, then press.
            wait(50)
            TestBench.advanceClock(1)
            TestBench.click("remote", 0xB5)
            tryVerify(() => TestBench.postedEvents().join() === "post key 53 down,post key 53 up")
        }

        function test_a_choice_while_paused_starts_nothing() {
            const page = startWith(generic, false)
            const starts = TestBench.engineStarts
            choose(page, "Middle Click", "Ctrl+C Copy")
            compare(chipText(page, "Middle Click"), "Ctrl+C Copy")
            compare(TestBench.engineStarts, starts)
            verify(!AppState.isRemapping)
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

        function test_none_is_grey_and_a_remap_is_accent() {
            const page = startWith(generic, false)
            const chip = findChild(find(page, "mappingRow_Middle Click"), "actionChip")
            compare(chip.action.isNone, true)
            compare(chipText(page, "Middle Click"), "Default (No Remap)")
            compare(chip.foreground, Theme.white(0.4))
            choose(page, "Middle Click", "Escape")
            const after = findChild(find(page, "mappingRow_Middle Click"), "actionChip")
            compare(after.foreground, Theme.accent)
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

        function test_save_and_close_restarts_a_running_engine_and_closes() {
            const page = startWith(generic, true)
            AppState.toggleRemapping()
            const starts = TestBench.engineStarts
            click(find(page, "saveAndCloseButton"))
            compare(TestBench.engineStarts, starts + 1)
            verify(AppState.isRemapping)
            compare(closeSpy.count, 1)
        }

        function test_save_and_close_while_paused_only_closes() {
            const page = startWith(generic, true)
            const starts = TestBench.engineStarts
            click(find(page, "saveAndCloseButton"))
            compare(TestBench.engineStarts, starts)
            verify(!AppState.isRemapping)
            compare(closeSpy.count, 1)
        }

        function test_change_device_stops_the_engine_and_clears_the_flag() {
            const page = startWith(generic, true)
            AppState.toggleRemapping()
            AppState.setupStep = Steps.mapButtons
            click(find(page, "changeDeviceButton"))
            verify(!AppState.isRemapping)
            verify(!ConfigStore.hasCompletedSetup)
            verify(!TestBench.storedSetupFlag())
            compare(AppState.setupStep, Steps.selectDevice)
            compare(find(page, "mappingTitle").text, "Map Your Buttons")
            // The profile stays stored and active.
            verify(ActiveProfile.hasProfile)
            compare(TestBench.storedAction("Play/Pause"), "Fn Key (Hold)")
        }

        function test_back_returns_to_device_selection_keeping_the_profile() {
            const page = startWith(generic, false)
            AppState.setupStep = Steps.mapButtons
            click(find(page, "backButton"))
            compare(AppState.setupStep, Steps.selectDevice)
            verify(ActiveProfile.hasProfile)
        }

        function test_activate_sets_the_flag_and_shows_completion_without_remapping() {
            const page = startWith(relacon, false)
            AppState.setupStep = Steps.mapButtons
            click(find(page, "activateButton"))
            verify(ConfigStore.hasCompletedSetup)
            verify(TestBench.storedSetupFlag())
            compare(AppState.setupStep, Steps.done)
            verify(!AppState.isRemapping)
        }

        function summaryRows(page) {
            const rows = []
            for (const m of ActiveProfile.remappable) {
                const row = findChild(page, "summaryRow_" + m.label)
                verify(row, "no summary row " + m.label)
                rows.push(m.label + " → " + findChild(row, "summaryAction").text)
            }
            return rows
        }

        function test_completion_summary_lists_the_remappable_buttons() {
            SetupCommands.nextWithDevice(relacon)
            let page = createTemporaryObject(completeComponent, root)
            compare(summaryRows(page), [
                "Play/Pause → Fn Key (Hold)", "Volume Up → Hold Left Click (Drag)",
                "Volume Down → Escape", "Skip Forward → Tab", "Skip Back → Enter / Return",
                "Left of Scroll Wheel → Default (No Remap)",
                "Right of Scroll Wheel → Default (No Remap)",
                "Scroll Wheel Press → Default (No Remap)"])
            compare(findChild(page, "summaryRow_Bottom Trigger (Left Click)"), null)
            page.destroy()

            SetupCommands.nextWithDevice(generic)
            SetupCommands.chooseAction(ActiveProfile.profileID, ActiveProfile.remappable[7].id,
                                       ActionCatalog.groups[1].actions[0])
            page = createTemporaryObject(completeComponent, root)
            const rows = summaryRows(page)
            compare(rows.length, 10)
            compare(rows[7], "Middle Click → Ctrl+C Copy")
        }

        function test_start_remapping_switches_on_and_closes() {
            TestBench.addDevice("remote", 0x1234, 0x5678, "Remote")
            SetupCommands.nextWithDevice(generic)
            const page = createTemporaryObject(completeComponent, root)
            waitForRendering(page)
            click(find(page, "startRemappingButton"))
            verify(AppState.isRemapping)
            compare(closeSpy.count, 1)
        }
    }
}
