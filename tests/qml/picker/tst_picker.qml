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
            return {displayName: name, symbolName: "keyboard", isNone: false}
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


        function test_the_default_action_is_the_only_mark_and_the_list_starts_collapsed() {
            const picker = makePicker(actionOf("Default (No Remap)"))
            compare(markedRows(picker), ["Default (No Remap)"])
            verify(!shown(row(picker, "⌘H Hide App")))
            compare(findChild(picker, "moreShortcutsState").text, "Show")
            compare(findChild(picker, "moreShortcutsChevron").name, "chevron.right")
        }

        function test_groups_and_counts_in_order() {
            const groups = ActionCatalog.groups
            compare(groups.map(g => g.title), ["Actions", "Common Shortcuts", "Screenshots",
                                               "Window Management", "Navigation & Files", "System"])
            compare(groups.map(g => g.actions.length), [10, 12, 4, 8, 6, 3])
            compare(groups[0].actions[0].displayName, "Default (No Remap)")
            compare(groups[0].actions[9].displayName, "Undo (Cmd+Z)")
        }

        function test_a_hidden_preset_is_marked_once_its_group_opens() {
            const picker = makePicker(keystroke("⌃⌘F Full Screen Toggle"))
            compare(markedRows(picker), [])
            click(findChild(picker, "moreShortcutsRow"))
            tryCompare(findChild(picker, "moreShortcutsGroups"), "height",
                       findChild(picker, "moreShortcutsGroups").children[0].implicitHeight)
            compare(markedRows(picker), ["⌃⌘F Full Screen Toggle"])
        }

        function test_marks_compare_labels_only() {
            // A preset's label with another key code is still that preset.
            const sameLabel = makePicker({displayName: "⌘C Copy", symbolName: "keyboard", isNone: false})
            compare(markedRows(sameLabel), ["⌘C Copy"])
            const handWritten = makePicker(keystroke("⌘K Hand Written"))
            click(findChild(handWritten, "moreShortcutsRow"))
            compare(markedRows(handWritten), [])
        }

        function test_the_disclosure_toggles_label_chevron_and_groups() {
            const picker = makePicker(actionOf("Escape"))
            const more = findChild(picker, "moreShortcutsRow")
            click(more)
            compare(findChild(picker, "moreShortcutsState").text, "Hide")
            compare(findChild(picker, "moreShortcutsChevron").name, "chevron.down")
            tryVerify(() => shown(row(picker, "⌘N New")))
            click(more)
            compare(findChild(picker, "moreShortcutsState").text, "Show")
            compare(findChild(picker, "moreShortcutsChevron").name, "chevron.right")
            tryVerify(() => !shown(row(picker, "⌘N New")))
        }

        function test_a_click_reports_the_row_and_changes_nothing_else() {
            const picker = makePicker(actionOf("Escape"))

            click(row(picker, "Tab"))
            compare(selectSpy.count, 1)
            compare(selectSpy.signalArguments[0][0].displayName, "Tab")
            compare(picker.currentAction.displayName, "Escape")
            click(row(picker, "Escape"))
            compare(selectSpy.count, 2)
        }

        function test_rows_are_reached_with_tab_and_chosen_with_space() {
            const picker = makePicker(actionOf("Escape"))
            row(picker, "Default (No Remap)").forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(row(picker, "Disabled (Block)").activeFocus)
            keyClick(Qt.Key_Space)
            compare(selectSpy.count, 1)
            compare(selectSpy.signalArguments[0][0].displayName, "Disabled (Block)")
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Return)
            compare(selectSpy.signalArguments[1][0].displayName, "Fn Key (Wispr Flow)")
        }
    }
}
