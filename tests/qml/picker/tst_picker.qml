import QtQuick
import QtTest
import "../common"
import Bindwell.Ui
import Bindwell.Core

// The action picker on its own: which row is marked, the disclosure, and
// the shortcut recorder. It sits in a frame as in its popover, for pictures.
Rectangle {
    id: root
    width: 400
    height: 600
    color: Theme.background

    Rectangle {
        id: frame
        x: 20
        y: 20
        width: childrenRect.width
        height: childrenRect.height
        radius: 10
        color: Theme.controlBackground
        border.color: Theme.white(0.12)
    }

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

        // A catalogue action by its label, or else a keystroke no row holds.
        function actionOf(name) {
            for (const group of ActionCatalog.groups) {
                const action = group.actions.find(a => a.displayName === name)
                if (action)
                    return action
            }
            return keystroke(name)
        }

        function keystroke(name) {
            return {displayName: name, symbolName: "keyboard", isNone: false, caseName: "keystroke"}
        }

        function makePicker(current) {
            const picker = createTemporaryObject(pickerComponent, frame, {currentAction: current})
            verify(picker)
            selectSpy.target = picker
            selectSpy.clear()
            // Rows are placed at the next polish; clicks need them placed.
            rendered(picker)
            return picker
        }

        function row(picker, name) {
            return find(picker, "actionRow_" + name)
        }

        function chosen(index) {
            return selectSpy.signalArguments[index][0]
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

        // A preset is marked by its label even with another key code; one
        // under the collapsed disclosure is marked once it opens. A shortcut
        // no row holds (recorded, or written by hand) gets a marked row of its
        // own; with no action, nothing is marked.
        function test_the_current_action_is_marked_once_data() {
            return [
                {tag: "a listed preset", current: actionOf("Default (No Remap)"),
                 collapsed: ["Default (No Remap)"], expanded: ["Default (No Remap)"], own: false},
                {tag: "a hidden preset", current: actionOf("Alt+F4 Close Window"),
                 collapsed: [], expanded: ["Alt+F4 Close Window"], own: false, pictures: true},
                {tag: "a preset's label", current: keystroke("Ctrl+C Copy"),
                 collapsed: ["Ctrl+C Copy"], expanded: ["Ctrl+C Copy"], own: false},
                {tag: "an unlisted shortcut", current: keystroke("Ctrl+Alt+K"),
                 collapsed: [], expanded: [], own: true},
                {tag: "no action yet (a hold or double tap)", current: undefined,
                 collapsed: [], expanded: [], own: false},
            ]
        }
        function test_the_current_action_is_marked_once(data) {
            const picker = makePicker(data.current)
            compare(markedRows(picker), data.collapsed)
            const own = find(picker, "recordedShortcutRow")
            compare(shown(own), data.own)
            if (data.pictures)
                shoot(root, "03-picker-collapsed")
            const more = find(picker, "moreShortcutsRow")
            click(more)
            tryVerify(() => shown(row(picker, "Alt+F4 Close Window")))
            compare(markedRows(picker), data.expanded)
            if (data.pictures) {
                findChild(picker, "pickerScroll").contentItem.contentY = more.y - 40
                shoot(root, "04-picker-expanded")
            }
            click(more)
            tryVerify(() => !shown(row(picker, "Alt+F4 Close Window")))
            if (!data.own)
                return
            verify(own.isCurrent && find(own, "checkmark").visible)
            compare(own.text, data.current.displayName)
            click(own)
            compare(chosen(0).displayName, data.current.displayName)
        }

        function test_rows_are_chosen_by_click_or_from_the_keyboard_and_nothing_else_changes() {
            const picker = makePicker(actionOf("Escape"))
            click(row(picker, "Tab"))
            compare(chosen(0).displayName, "Tab")
            compare(picker.currentAction.displayName, "Escape")
            row(picker, "Default (No Remap)").forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(row(picker, "Disabled (Block)").activeFocus)
            keyClick(Qt.Key_Space)
            compare(chosen(1).displayName, "Disabled (Block)")
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Return)
            compare(chosen(2).displayName, "Fn Key (Hold)")
            compare(selectSpy.count, 3)
        }

        // The recorder's own buttons take no focus, so they are clicked
        // without moving focus the way click() does.
        function press(item) {
            rendered(item)
            mouseClick(item)
        }

        function startRecording(picker) {
            click(find(picker, "recordShortcutRow"))
            verify(picker.recording)
        }

        // One recording after another on one picker: modifiers alone keep it
        // waiting, a key it cannot send is explained and not taken, and the
        // modifiers are written in one order whatever order they were pressed
        // in. A held shortcut does not make the next recording a held one.
        // Escape alone is recorded too: the editor's test.
        function test_recording_takes_the_next_key_with_the_modifiers_held() {
            const ctrlAlt = Qt.ControlModifier | Qt.AltModifier
            const recordings = [
                {keys: [[Qt.Key_T, ctrlAlt]], shown: "Ctrl+Alt+T",
                 fields: [17, true, true, false, false]},
                {hold: true, keys: [[Qt.Key_Space, Qt.ControlModifier]], shown: "Hold Ctrl+Space",
                 caseName: "holdKeystroke"},
                {keys: [[Qt.Key_F13, Qt.ControlModifier], [Qt.Key_F5, Qt.NoModifier]], shown: "F5"},
                {keys: [[Qt.Key_Z, Qt.MetaModifier | Qt.ShiftModifier | ctrlAlt]],
                 shown: "Ctrl+Alt+Shift+Super+Z", fields: [6, true, true, true, true]},
            ]
            const picker = makePicker(actionOf("Escape"))
            recordings.forEach((r, index) => {
                startRecording(picker)
                if (r.hold) {
                    press(find(picker, "recordHold"))
                    shoot(root, "13-picker-recording")
                }
                keyPress(Qt.Key_Control, Qt.ControlModifier)
                keyPress(Qt.Key_Alt, ctrlAlt)
                for (const [key, modifiers] of r.keys.slice(0, -1)) {
                    keyClick(key, modifiers)
                    verify(find(picker, "recorderPrompt").text.startsWith("Bindwell cannot send"))
                }
                compare(selectSpy.count, index, r.shown)
                verify(picker.recording)
                keyClick(r.keys[r.keys.length - 1][0], r.keys[r.keys.length - 1][1])
                keyRelease(Qt.Key_Alt)
                keyRelease(Qt.Key_Control)
                verify(!picker.recording)
                const taken = chosen(index)
                compare([taken.displayName, taken.caseName], [r.shown, r.caseName || "keystroke"])
                if (r.fields)
                    compare([taken.keyCode, taken.command, taken.option, taken.shift, taken.control],
                            r.fields)
            })
        }

        function test_cancel_and_focus_loss_stop_recording_without_a_choice() {
            const picker = makePicker(actionOf("Escape"))
            for (const stop of [() => press(find(picker, "recordCancel")),
                                () => row(picker, "Tab").forceActiveFocus()]) {
                startRecording(picker)
                stop()
                verify(!picker.recording)
                verify(shown(find(picker, "recordShortcutRow")))
            }
            keyClick(Qt.Key_K, Qt.ControlModifier)
            compare(selectSpy.count, 0)
        }
    }
}
