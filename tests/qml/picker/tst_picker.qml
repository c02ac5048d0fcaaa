import QtQuick
import QtTest
import "../common"
import Bindwell.Ui
import Bindwell.Core

// The action picker on its own: which row is marked, and the disclosure.
Item {
    id: root
    width: 400
    height: 600

    Component {
        id: pickerComponent
        ActionPickerView {}
    }

    SignalSpy {
        id: selectSpy
        signalName: "select"
    }

    PageTestCase {
        name: "ActionPicker"

        function actionOf(name) {
            for (const group of ActionCatalog.groups) {
                for (const action of group.actions) {
                    if (action.displayName === name)
                        return action
                }
            }
            return null
        }

        function keystroke(name) {
            return {displayName: name, symbolName: "keyboard", isNone: false, caseName: "keystroke"}
        }

        function makePicker(current) {
            const picker = createTemporaryObject(pickerComponent, root, {currentAction: current})
            verify(picker)
            selectSpy.target = picker
            selectSpy.clear()
            // Rows are placed at the next polish; clicks need them placed.
            waitForRendering(picker)
            return picker
        }

        function row(picker, name) {
            const found = findChild(picker, "actionRow_" + name)
            verify(found, "no row " + name)
            return found
        }

        // The rows that are both shown and marked.
        function markedRows(picker) {
            const marked = []
            for (const group of ActionCatalog.groups) {
                for (const action of group.actions) {
                    const r = findChild(picker, "actionRow_" + action.displayName)
                    if (r && r.isCurrent && findChild(r, "checkmark").visible && shown(r))
                        marked.push(action.displayName)
                }
            }
            return marked
        }

        function test_the_list_starts_collapsed_and_a_hidden_preset_is_marked_once_opened() {
            compare(markedRows(makePicker(actionOf("Default (No Remap)"))), ["Default (No Remap)"])
            const picker = makePicker(actionOf("Alt+F4 Close Window"))
            compare(markedRows(picker), [])
            verify(!shown(find(picker, "recordedShortcutRow")))
            const more = findChild(picker, "moreShortcutsRow")
            click(more)
            tryVerify(() => shown(row(picker, "Alt+F4 Close Window")))
            compare(markedRows(picker), ["Alt+F4 Close Window"])
            verify(!shown(find(picker, "recordedShortcutRow")))
            click(more)
            tryVerify(() => !shown(row(picker, "Alt+F4 Close Window")))
        }

        function test_marks_compare_labels_and_recorded_shortcuts_get_their_own_row() {
            // A preset's label with another key code is still that preset.
            const sameLabel = makePicker(keystroke("Ctrl+C Copy"))
            compare(markedRows(sameLabel), ["Ctrl+C Copy"])
            // A shortcut no row holds (recorded, or written by hand) is shown marked.
            const recorded = makePicker(keystroke("Ctrl+Alt+K"))
            click(findChild(recorded, "moreShortcutsRow"))
            compare(markedRows(recorded), [])
            const own = find(recorded, "recordedShortcutRow")
            verify(shown(own))
            verify(own.isCurrent && find(own, "checkmark").visible)
            compare(own.text, "Ctrl+Alt+K")
            click(own)
            compare(selectSpy.signalArguments[0][0].displayName, "Ctrl+Alt+K")
        }

        function test_rows_are_chosen_by_click_or_from_the_keyboard_and_nothing_else_changes() {
            const picker = makePicker(actionOf("Escape"))
            click(row(picker, "Tab"))
            compare(selectSpy.signalArguments[0][0].displayName, "Tab")
            compare(picker.currentAction.displayName, "Escape")
            row(picker, "Default (No Remap)").forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(row(picker, "Disabled (Block)").activeFocus)
            keyClick(Qt.Key_Space)
            compare(selectSpy.signalArguments[1][0].displayName, "Disabled (Block)")
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Return)
            compare(selectSpy.signalArguments[2][0].displayName, "Fn Key (Hold)")
            compare(selectSpy.count, 3)
        }

        // The recorder's own buttons take no focus, so they are clicked
        // without moving focus the way click() does.
        function press(item) {
            waitForRendering(item)
            mouseClick(item)
        }

        function startRecording(picker) {
            click(find(picker, "recordShortcutRow"))
            verify(picker.recording)
        }

        function test_recording_takes_the_next_key_with_the_modifiers_held() {
            const picker = makePicker(actionOf("Escape"))
            startRecording(picker)
            // Modifiers alone are not a shortcut: keep waiting.
            keyPress(Qt.Key_Control, Qt.ControlModifier)
            keyPress(Qt.Key_Alt, Qt.ControlModifier | Qt.AltModifier)
            compare(selectSpy.count, 0)
            verify(picker.recording)
            keyClick(Qt.Key_T, Qt.ControlModifier | Qt.AltModifier)
            keyRelease(Qt.Key_Alt)
            keyRelease(Qt.Key_Control)
            compare(selectSpy.count, 1)
            verify(!picker.recording)
            const tap = selectSpy.signalArguments[0][0]
            compare(tap.displayName, "Ctrl+Alt+T")
            compare(tap.caseName, "keystroke")
            compare([tap.keyCode, tap.command, tap.option, tap.shift, tap.control], [17, true, true, false, false])

            // Every modifier, written in one order whatever order they were pressed in.
            startRecording(picker)
            keyClick(Qt.Key_Z, Qt.MetaModifier | Qt.ShiftModifier | Qt.AltModifier | Qt.ControlModifier)
            compare(selectSpy.signalArguments[1][0].displayName, "Ctrl+Alt+Shift+Super+Z")
            compare(selectSpy.signalArguments[1][0].control, true)
            // Escape alone is recorded too: the editor's test.
        }

        function test_hold_while_pressed_records_a_held_shortcut() {
            const picker = makePicker(actionOf("Escape"))
            startRecording(picker)
            press(find(picker, "recordHold"))
            verify(picker.recording)
            keyClick(Qt.Key_Space, Qt.ControlModifier)
            const held = selectSpy.signalArguments[0][0]
            compare(held.displayName, "Hold Ctrl+Space")
            compare(held.caseName, "holdKeystroke")
            // The next recording starts as a tap again.
            startRecording(picker)
            keyClick(Qt.Key_Space, Qt.ControlModifier)
            compare(selectSpy.signalArguments[1][0].caseName, "keystroke")
        }

        function test_a_key_bindwell_cannot_send_is_explained_and_nothing_is_chosen() {
            const picker = makePicker(actionOf("Escape"))
            startRecording(picker)
            keyClick(Qt.Key_F13, Qt.ControlModifier)
            compare(selectSpy.count, 0)
            verify(picker.recording)
            verify(find(picker, "recorderPrompt").text.indexOf("Bindwell cannot send") === 0)
            // The recorder still waits for a key it can use.
            keyClick(Qt.Key_F5)
            compare(selectSpy.signalArguments[0][0].displayName, "F5")
        }

        function test_cancel_and_focus_loss_stop_recording_without_a_choice() {
            const picker = makePicker(actionOf("Escape"))
            startRecording(picker)
            press(find(picker, "recordCancel"))
            verify(!picker.recording)
            verify(shown(find(picker, "recordShortcutRow")))

            startRecording(picker)
            row(picker, "Tab").forceActiveFocus()
            verify(!picker.recording)
            keyClick(Qt.Key_K, Qt.ControlModifier)
            compare(selectSpy.count, 0)
        }
    }
}
