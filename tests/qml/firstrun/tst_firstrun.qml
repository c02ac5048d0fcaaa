import QtQuick
import QtQuick.Window
import QtTest
import "../common"
import Bindwell.Ui
import Bindwell.Core
import Bindwell.Test

// The setup window's life from an empty configuration folder: guide, device,
// changed buttons, activation, and remapping on with the window closed;
// reopened, the settings editor until Change Device and another pick; a new
// window with both permissions skips the guide, and two controllers share the
// editor. On every page of the first run the window is resized while the
// page's lists change, as a window manager does to a new window while the
// scan and the store report. Pictures of the pages are saved on the way.
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
            property alias view: view
            SetupView {
                id: view
                anchors.fill: parent
            }
        }
    }

    PageTestCase {
        name: "FirstRun"

        property var window

        // Waits for a page or control and for the page transition to end:
        // a page that is still sliding in takes no clicks.
        function showing(name) {
            tryVerify(() => findChild(window.view, name) !== null, 5000, "never shown: " + name)
            tryVerify(() => !find(window.view, "setupContent").busy, 2000)
            return find(window.view, name)
        }

        // Clicks each control in turn, like a user, once it is shown.
        function clickWhenShown(...names) {
            for (const name of names)
                click(showing(name))
        }

        function shootWindow(name) {
            shoot(window.contentItem, name)
        }

        // Resizes the window step by step, changing the page's model
        // between the steps; every frame must lay out and render.
        function resizeWhile(change) {
            for (let step = 0; step < 6; ++step) {
                window.width = 640 + 60 * (step % 3)
                window.height = 520 + 40 * (step % 2)
                change(step)
                rendered(window.contentItem)
            }
            window.width = 700
            window.height = 580
        }

        function litSegments() {
            return [0, 1, 2].filter(i => find(window.view, "stepSegment" + i).lit).length
        }

        // A button's action as the file holds it and as its row shows it.
        function compareAction(label, name) {
            compare(TestBench.storedAction(label), name, label)
            compare(find(find(window.view, "mappingRow_" + label), "chipText").text, name, label)
        }

        // Has the keyboard, and is shown whole in the scrolled list.
        function focusedInView(item) {
            const list = find(window.view, "mappingList").contentItem
            const top = item.mapToItem(list, 0, 0).y
            return item.activeFocus && top >= 0 && top + item.height <= list.height
        }

        // The edited profile as the file holds it.
        function storedProfile() {
            return JSON.parse(TestBench.configText()).find(p => p.id === ActiveProfile.profileID)
        }

        function openPicker(label) {
            const row = find(window.view, "mappingRow_" + label)
            click(row)
            tryVerify(() => row.showActionPicker)
            return findChild(row, "actionPopover")
        }

        // Clicks a control of the open popover from the keyboard: one near the
        // foot of the popover may be only partly inside the window.
        function pick(popover, name) {
            let control = null
            tryVerify(() => (control = findChild(popover.contentItem, name)) !== null,
                      5000, "no popover control " + name)
            control.forceActiveFocus()
            keyClick(Qt.Key_Space)
        }

        // What a card shows: its instructions while waiting, a tag once granted.
        function waiting(guide, name) {
            const card = find(guide, name)
            compare(shown(find(card, "grantedTag")), card.isGranted, name)
            compare(shown(find(card, "settingsButton")), !card.isGranted, name)
            return !card.isGranted && shown(find(card, "instructions"))
        }

        function test_from_an_empty_folder_to_remapping_and_back_to_the_wizard() {
            compare(TestBench.configText(), "")
            verify(!ConfigStore.hasCompletedSetup)
            TestBench.setPermissions(false, false)
            TestBench.setUinputNode("/nonexistent/uinput")
            window = createTemporaryObject(windowComponent, root)

            // The guide: the send-input card says to load uinput only while
            // its node is missing, and each card's button opens the help page
            // at its section.
            const guide = showing("permissionsGuideView")
            const sendSteps = () => find(guide, "accessibilityCard").instructions.join("\n")
            verify(sendSteps().includes("sudo modprobe uinput"))
            TestBench.setUinputNode("/")
            verify(!sendSteps().includes("sudo modprobe uinput") && sendSteps().includes("sudo apt install"))
            click(find(find(guide, "accessibilityCard"), "settingsButton"))
            click(find(find(guide, "inputMonitoringCard"), "settingsButton"))
            compare(TestBench.openedUrls().map(url => url.slice(url.indexOf("/help/"))),
                    ["/help/permissions.html#send-input", "/help/permissions.html#read-controller"])
            // A grant or revoke while shown is seen within one poll; hidden,
            // the guide stops polling, and shown again it checks at once.
            resizeWhile(step => TestBench.setPermissions(step % 2 === 1, false))
            for (const [send, read, picture] of [[false, true], [true, false, "12-guide-send-input-granted"],
                                                 [true, true, "02-guide-both-granted"],
                                                 [false, false, "01-guide-neither-granted"]]) {
                TestBench.setPermissions(send, read)
                tryVerify(() => find(guide, "accessibilityCard").isGranted === send
                                && find(guide, "inputMonitoringCard").isGranted === read, 2500)
                compare([waiting(guide, "accessibilityCard"), waiting(guide, "inputMonitoringCard")],
                        [!send, !read])
                compare(shown(find(guide, "grantedStatus")), send && read)
                if (picture)
                    shootWindow(picture)
            }
            guide.visible = false
            verify(!PermissionStatus.isPolling)
            TestBench.setPermissions(true, false)
            guide.visible = true
            verify(PermissionStatus.isPolling)
            verify(find(guide, "accessibilityCard").isGranted)
            TestBench.setPermissions(false, false)
            clickWhenShown("continueButton")

            // Device selection: nothing plugged in yet, then the scan's list
            // changes under the resize.
            const page = showing("deviceSelectionView")
            tryVerify(() => !PermissionStatus.isPolling)
            tryVerify(() => !DeviceList.isScanning)
            verify(shown(find(page, "emptyDevicesCard")))
            verify(!find(page, "nextButton").enabled)
            compare(litSegments(), 1)
            shootWindow("05-devices-empty")
            resizeWhile(step => {
                if (step % 2 === 0)
                    TestBench.addDevice("remote" + step, 0x1234, 0x5678 + step, "Remote " + step)
                else
                    TestBench.removeDevice("remote" + (step - 1))
                AppState.scanDevices()
            })
            // A refresh finds the controller and two units of one model, told
            // apart by serial number (a unit with several interfaces stays one
            // row); the empty card stays while the scan is pending.
            TestBench.addDevice("relacon", 1390, 342, "ELECOM Relacon")
            TestBench.addDevice("a-consumer", 0x3333, 0x4444, "Twin Remote", "AA:01")
            TestBench.addDevice("a-mouse", 0x3333, 0x4444, "Twin Remote", "AA:01")
            TestBench.addDevice("b-consumer", 0x3333, 0x4444, "Twin Remote", "BB:02")
            TestBench.addDevice("presenter", 0x0b33, 0x0020, "Wireless Presenter", "", true)
            const refresh = find(page, "refreshDevicesButton")
            click(refresh)
            verify(!refresh.enabled)
            verify(shown(find(page, "emptyDevicesCard")))
            tryVerify(() => refresh.enabled)
            verify(!shown(find(page, "emptyDevicesCard")))
            shootWindow("06-devices-three")
            compare(DeviceList.devices.filter(d => d.name === "Twin Remote").length, 2)
            const twin = find(page, "deviceRow_13107:17476/BB:02")
            compare(findChild(twin, "deviceDetail").text, "Unknown · VID:0x3333 PID:0x4444 · S/N BB:02")
            // A device with keyboard keys sits below every remote, in its own
            // group, unpicked. Picking it asks first: cancel picks nothing,
            // and yes only picks it, with nothing stored yet.
            const presenter = find(page, "deviceRow_2867:32")
            const below = row => presenter.mapToItem(row, 0, 0).y >= row.height
            verify(shown(find(page, "keyboardKeyGroup")))
            verify(["deviceRow_1390:342", "deviceRow_13107:17476/AA:01", "deviceRow_13107:17476/BB:02"]
                   .every(name => below(find(page, name))))
            compare(findChild(presenter, "deviceDetail").text, "Unknown · VID:0xB33 PID:0x20")
            verify(!presenter.isSelected && !find(page, "nextButton").enabled)
            const consent = find(page, "keyboardKeysConsent")
            for (const [answer, picked] of [["consentCancelButton", false], ["consentConfirmButton", true]]) {
                click(presenter)
                tryVerify(() => consent.opened)
                compare(find(consent.contentItem, "consentTitle").text, "Let Bindwell read Wireless Presenter?")
                verify(!presenter.isSelected)
                if (!picked)
                    shootWindow("19-devices-keyboard-keys-question")
                click(find(consent.contentItem, answer))
                tryVerify(() => !consent.visible)
                compare([presenter.isSelected, find(page, "nextButton").enabled], [picked, picked], answer)
            }
            compare(TestBench.configText(), "")
            // The pick moves from row to row.
            click(twin)
            verify(twin.isSelected && find(page, "nextButton").enabled)
            clickWhenShown("deviceRow_1390:342")
            verify(!twin.isSelected)
            shootWindow("07-devices-one-selected")
            clickWhenShown("nextButton")
            compare(AppState.setupStep, Steps.mapButtons)
            compare(litSegments(), 2)
            // The controller cannot be read yet: one request for it alone.
            compare(TestBench.accessRequests().length, 1)
            verify(TestBench.accessRequests()[0].startsWith("pkexec /"))
            verify(TestBench.accessRequests()[0].endsWith("/bindwellctl grant 056e:0156"))
            verify(TestBench.configText().indexOf("ELECOM Relacon") >= 0)
            // Back keeps the profile. The presenter, once said yes to, goes
            // on as a remote does, with the grant that names it.
            clickWhenShown("backButton")
            compare(AppState.setupStep, Steps.selectDevice)
            verify(ActiveProfile.hasProfile)
            clickWhenShown("deviceRow_2867:32")
            const question = find(find(window.view, "deviceSelectionView"), "keyboardKeysConsent")
            tryVerify(() => question.opened)
            click(find(question.contentItem, "consentConfirmButton"))
            clickWhenShown("nextButton")
            compare(ActiveProfile.deviceName, "Wireless Presenter")
            verify(TestBench.configText().indexOf('"deviceName":"Wireless Presenter"') >= 0)
            verify(TestBench.accessRequests()[1].endsWith("/bindwellctl grant-keyboard-keys 0b33:0020 Wireless Presenter"))
            // Stored but off, so the controllers further down are the remotes.
            SetupCommands.stopRemappingController(ActiveProfile.profileID)
            clickWhenShown("backButton", "deviceRow_1390:342", "nextButton")

            // The wizard's editor: no device header, and the click buttons
            // listed with their tag, not as rows to change.
            const editor = showing("buttonMappingView")
            verify(!find(editor, "deviceHeader").visible)
            verify(!shown(find(editor, "learnPrompt")) && !ButtonLearner.listening)
            verify(!shown(find(find(editor, "mappingRow_Play/Pause"), "removeButton")))
            verify(shown(find(editor, "fixedRow_Top Trigger (Right Click)")))
            compare(findChild(editor, "mappingRow_Top Trigger (Right Click)"), null)
            compare(findChild(editor, "gestureRow_Top Trigger (Right Click)_hold"), null)
            // Application rules come and go under a button.
            const first = ActiveProfile.remappable[0]
            resizeWhile(step => {
                if (step % 2 === 0)
                    SetupCommands.addAppAction(ActiveProfile.profileID, first.id, "app" + step, first.action)
                else
                    SetupCommands.removeAppAction(ActiveProfile.profileID, first.id, 0)
            })
            compare(ActiveProfile.remappable[0].appOverrides.length, 0)

            // Space opens a picker and Escape closes it without a change,
            // unless the recorder waits: then Escape is the shortcut.
            const playRow = find(editor, "mappingRow_Play/Pause")
            playRow.forceActiveFocus()
            keyClick(Qt.Key_Space)
            tryVerify(() => playRow.showActionPicker)
            keyClick(Qt.Key_Escape)
            tryVerify(() => !playRow.showActionPicker)
            compare(TestBench.storedAction("Play/Pause"), "Fn Key (Hold)")
            click(find(openPicker("Play/Pause").contentItem, "recordShortcutRow"))
            keyClick(Qt.Key_Escape)
            // The stored choice redraws the list, so rows are looked up afresh.
            tryCompare(find(editor, "mappingRow_Play/Pause"), "showActionPicker", false)
            compareAction("Play/Pause", "Esc")
            verify(TestBench.configText().indexOf('{"keystroke":{"_0":{"keyCode":53,') >= 0)

            // One button changed by a click in the picker, stored at once;
            // the stopped engine stays stopped.
            click(find(openPicker("Skip Forward").contentItem, "actionRow_Escape"))
            compareAction("Skip Forward", "Escape")
            compare(TestBench.engineStarts(), 0)
            // The list was rebuilt; the keyboard goes on from the same button,
            // in view.
            tryVerify(() => focusedInView(find(window.view, "mappingRow_Skip Forward")))
            shootWindow("08-editor-wizard")

            // A hold and a double tap of a button are chosen from the
            // keyboard in the same picker and written beside its action; a
            // cleared one is written no more. The keyboard stays on the row
            // that chose or cleared. The two times are offered after setup.
            verify(!find(editor, "gestureTimes").visible)
            const gestureRow = gesture => find(editor, "gestureRow_Skip Back_" + gesture)
            // The file's case names of the hold and the double tap, in that order.
            for (const [gesture, control, chip, stored] of [
                     ["hold", "actionRow_Escape", "Escape", ["escapeKey", undefined]],
                     ["doubleTap", "actionRow_Tab", "Tab", ["escapeKey", "tabKey"]],
                     ["hold", "clearGesture", "Not set", [undefined, "tabKey"]]]) {
                if (control === "clearGesture") {
                    click(find(gestureRow(gesture), control))
                } else {
                    find(gestureRow(gesture), "gestureButton").forceActiveFocus()
                    keyClick(Qt.Key_Space)
                    tryVerify(() => gestureRow(gesture).showActionPicker)
                    pick(find(gestureRow(gesture), "actionPopover"), control)
                }
                tryVerify(() => focusedInView(find(gestureRow(gesture), "gestureButton")), 2000, control)
                compare(find(gestureRow(gesture), "chipText").text, chip)
                const mapping = storedProfile().buttonMappings.find(m => m.label === "Skip Back")
                compare(["hold", "doubleTap"].map(g => Object.keys(mapping[g + "Action"] ?? {})[0]),
                        stored, control)
            }
            compare(TestBench.storedAction("Skip Back"), "Enter / Return")
            shootWindow("16-editor-gestures")

            verify(!StartAtLogin.enabled)
            clickWhenShown("activateButton")
            verify(TestBench.storedSetupFlag())
            verify(!AppState.isRemapping)
            compare(find(window.view, "headerMode").text, "Settings")

            // The summary lists the remappable buttons with their actions, the
            // fixed ones not at all; off GNOME there is no extension card.
            const complete = showing("setupCompleteView")
            verify(!find(complete, "gnomeExtensionCard").visible)
            resizeWhile(step => SetupCommands.chooseAction(ActiveProfile.profileID, first.id,
                                                           ActiveProfile.remappable[step % 2].action))
            for (const m of ActiveProfile.remappable)
                compare(find(find(complete, "summaryRow_" + m.label), "summaryAction").text,
                        m.action.displayName)
            compare(find(find(complete, "summaryRow_Skip Forward"), "summaryAction").text, "Escape")
            compare(findChild(complete, "summaryRow_Top Trigger (Right Click)"), null)
            shootWindow("09-setup-complete")
            // Where Bindwell is afterwards: the tray, or without one the
            // applications menu.
            for (const [hasTray, where] of [[false, "start Bindwell again"], [true, "in your system tray"]]) {
                AppState.hasTray = hasTray
                verify(find(complete, "whereBindwellIs").text.includes(where), where)
            }

            // Finishing setup turned Start at Login on; the page says so and
            // its switch turns it off again.
            for (const [enabled, says] of [[true, "will also start"], [false, "will not start"]]) {
                compare(StartAtLogin.enabled, enabled, says)
                verify(find(complete, "startAtLoginText").text.includes(says), says)
                click(find(complete, "startAtLoginButton"))
            }
            verify(StartAtLogin.enabled)

            clickWhenShown("startRemappingButton")
            verify(AppState.isRemapping)
            verify(!window.visible)

            // The controller's Skip Forward now types Escape.
            wait(50)
            TestBench.click("relacon", 0xB5)
            tryVerify(() => TestBench.postedEvents().join() === "post KEY_ESC down,post KEY_ESC up")

            // Reopened on GNOME without the focus extension, the window is the
            // editor of the stored controller, and offers the extension.
            TestBench.setGnomeShell("ubuntu:GNOME", "")
            window.visible = true
            const settings = showing("buttonMappingView")
            verify(!find(window.view, "stepBar").visible)
            compare(find(settings, "deviceHeaderName").text, "ELECOM Relacon")
            const card = find(settings, "gnomeExtensionCard")
            tryVerify(() => shown(card))
            shootWindow("10-editor-settings")
            click(find(card, "gnomeExtensionEnableButton"))
            tryVerify(() => find(card, "gnomeExtensionMessage").text.includes("log out and back in"))
            verify(!find(card, "gnomeExtensionEnableButton").visible)

            // A rule for an application seen with the focus (named by its
            // desktop file) or for a typed match is stored at once and taken
            // by the running engine; removing one keeps the other and the
            // button's own action. The order of the seen applications:
            // tests/ui/RecentAppsTest.
            const own = TestBench.storedAction("Play/Pause")
            let starts = TestBench.engineStarts()
            TestBench.focusApp("org.example.Notes", "notes")
            // A typed match is trimmed.
            const rules = [["org.example.Notes", "", "Escape", "In Notes: Escape"],
                           ["firefox*", "  firefox* ", "Tab", "In firefox*: Tab"]]
            rules.forEach(([match, typed, action, text], index) => {
                const popover = openPicker("Play/Pause")
                if (index === 0)
                    shootWindow("11-editor-settings-picker")
                pick(popover, "addAppRuleRow")
                if (index === 0)
                    shootWindow("15-editor-app-rules")
                if (typed)
                    findChild(popover.contentItem, "appMatchField").text = typed
                pick(popover, typed ? "appMatchNext" : "appRow_" + match)
                pick(popover, "actionRow_" + action)
                tryVerify(() => findChild(settings, "appRule_" + match))
                compare(find(find(settings, "appRule_" + match), "appRuleText").text, text)
                verify(TestBench.configText().includes('"match":"' + match + '"'), match)
                compare(TestBench.engineStarts(), starts + 1 + index)
            })
            click(findChild(find(settings, "appRule_org.example.Notes"), "removeAppRule"))
            tryVerify(() => !findChild(settings, "appRule_org.example.Notes"))
            verify(find(settings, "appRule_firefox*"))
            compare(TestBench.storedAction("Play/Pause"), own)
            compare(TestBench.engineStarts(), starts + 3)

            // The two gesture times: a drag is stored once let go, a run of
            // arrow keys once it pauses, and the running engine restarts
            // for each. Reset Defaults brings back the defaults.
            const time = gesture => find(find(settings, "gestureTime_" + gesture), "gestureTimeValue").text
            compare([time("hold"), time("doubleTap")], ["400 ms", "250 ms"])
            const holdSlider = find(find(settings, "gestureTime_hold"), "gestureTimeSlider")
            holdSlider.forceActiveFocus()
            rendered(holdSlider)
            mousePress(holdSlider, holdSlider.width / 2, holdSlider.height / 2)
            mouseMove(holdSlider, holdSlider.width + 20, holdSlider.height / 2)
            compare(time("hold"), "2000 ms")
            compare(storedProfile().holdMilliseconds, undefined)
            mouseRelease(holdSlider, holdSlider.width + 20, holdSlider.height / 2)
            compare(storedProfile().holdMilliseconds, 2000)
            find(find(settings, "gestureTime_doubleTap"), "gestureTimeSlider").forceActiveFocus()
            for (let i = 0; i < 3; ++i)
                keyClick(Qt.Key_Left)
            compare(time("doubleTap"), "220 ms")
            compare(storedProfile().doubleTapMilliseconds, undefined)
            tryVerify(() => storedProfile().doubleTapMilliseconds === 220, 2000)
            compare([time("hold"), TestBench.engineStarts()], ["2000 ms", starts + 5])
            shootWindow("17-editor-gesture-times")

            // A choice restarts the running engine, Reset Defaults does not;
            // Save & Close restarts it and closes the window. What the
            // restarted engine then does: the store_restart scenario.
            pick(openPicker("Play/Pause"), "actionRow_Tab")
            tryVerify(() => TestBench.storedAction("Play/Pause") === "Tab")
            compare(TestBench.engineStarts(), starts + 6)
            clickWhenShown("resetDefaultsButton")
            compareAction("Play/Pause", "Fn Key (Hold)")
            compare(time("hold"), "400 ms")
            compare(TestBench.engineStarts(), starts + 6)
            clickWhenShown("saveAndCloseButton")
            compare(TestBench.engineStarts(), starts + 7)
            verify(AppState.isRemapping)
            verify(!window.visible)

            // Change Device stops remapping and clears the stored setup flag,
            // but keeps the profile stored and active.
            window.visible = true
            clickWhenShown("changeDeviceButton")
            verify(!AppState.isRemapping)
            verify(!TestBench.storedSetupFlag())
            compare(ActiveProfile.deviceName, "ELECOM Relacon")
            verify(find(window.view, "stepBar").visible)
            showing("deviceSelectionView")
            tryVerify(() => !DeviceList.isScanning)

            // Another pick survives a refresh that no longer finds it, and
            // its profile names its unit.
            clickWhenShown("deviceRow_13107:17476/BB:02")
            for (const id of ["relacon", "a-consumer", "a-mouse", "b-consumer", "presenter"])
                TestBench.removeDevice(id)
            clickWhenShown("refreshDevicesButton")
            tryVerify(() => !DeviceList.isScanning)
            clickWhenShown("nextButton")
            compare(ActiveProfile.deviceName, "Twin Remote")
            compare(ActiveProfile.profileID, "device_13107_17476_BB_02")
            verify(TestBench.configText().indexOf('"serialNumber":"BB:02"') >= 0)
            window.destroy()

            // A new window with both permissions goes straight to the
            // wizard's page, never creating the guide. The wizard's editor
            // does not offer the extension.
            TestBench.setPermissions(true, true)
            window = createTemporaryObject(windowComponent, root)
            showing("buttonMappingView")
            compare(findChild(window.view, "permissionsGuideView"), null)
            verify(!find(window.view, "gnomeExtensionCard").visible)
            TestBench.setGnomeShell("", "")

            // Two remapped controllers: the switcher picks the one to edit,
            // and stopping one leaves it stored but off and the editor on the
            // other, with the switcher gone.
            // Ten buttons' summary scrolls; the switch-on button stays in the window.
            clickWhenShown("activateButton", "startRemappingButton")
            verify(!window.visible)
            window.visible = true
            const switcher = showing("controllerSwitcher")
            tryVerify(() => shown(switcher))
            shootWindow("14-editor-two-controllers")
            const controllers = find(window.view, "controllerPicker")
            compare(controllers.currentText, "Twin Remote (BB:02)")
            controllers.activated(controllers.indexOfValue("device_1390_342"))
            compare(ActiveProfile.deviceName, "ELECOM Relacon")
            compare(controllers.currentText, "ELECOM Relacon")
            clickWhenShown("stopControllerButton")
            compare(ActiveProfile.controllers.length, 1)
            compare(ActiveProfile.profileID, "device_13107_17476_BB_02")
            verify(TestBench.configText().indexOf('"id":"device_1390_342"') >= 0)
            verify(!shown(switcher))
            // Stopped, Save & Close closes without starting the engine.
            AppState.toggleRemapping()
            starts = TestBench.engineStarts()
            clickWhenShown("saveAndCloseButton")
            compare(TestBench.engineStarts(), starts)
            verify(!AppState.isRemapping)
            verify(!window.visible)
        }

        // A profile without a layout (here a remote's, written by hand) learns
        // its buttons from presses while the editor shows the prompt: each new
        // key once, in the order pressed, named as Linux names it, doing what
        // it always did. A removed button is learned again by its next press.
        function test_learned_buttons_data() {
            return [
                {tag: "media keys", product: 1, presses: [0xE9, 0xCD, 0xE9, 0xB5],
                 learned: ["Volume Up", "Play/Pause", "Next Song"], remove: [], again: []},
                {tag: "a usage without a key", product: 2, presses: [0x1234],
                 learned: ["Usage 0xc:0x1234"], remove: [], again: []},
                {tag: "removed and pressed again", product: 3, presses: [0xB6, 0xE2],
                 learned: ["Previous Song", "Mute"], remove: ["Previous Song"], again: [0xB6],
                 rows: ["Mute", "Previous Song"]},
                {tag: "all removed", product: 4, presses: [0xB6, 0xE2],
                 learned: ["Previous Song", "Mute"], remove: ["Previous Song", "Mute"], again: [],
                 rows: []},
                // A pedal's keys: [key, modifier] is the combination it sends.
                {tag: "a key and a combination", product: 5, keyboard: true,
                 presses: [[0x1D, 0xE0], 0x1D, [0x1D, 0xE0], [0x3E, 0xE1]],
                 learned: ["Ctrl+Z", "Z", "Shift+F5"], remove: [], again: []},
            ]
        }

        function test_learned_buttons(data) {
            const deviceID = "learner" + data.product
            TestBench.addDevice(deviceID, 0x7777, data.product, "Hand-written Remote", "",
                                data.keyboard === true)
            const profileID = TestBench.storeProfileWithoutButtons(0x7777, data.product,
                                                                   "Hand-written Remote")
            TestBench.setPermissions(true, true)
            ConfigStore.hasCompletedSetup = true
            SetupCommands.editProfile(profileID)
            window = createTemporaryObject(windowComponent, root)
            const prompt = showing("learnPrompt")
            tryVerify(() => shown(prompt), 2000)
            verify(ButtonLearner.listening && AppState.isRemapping)
            const labels = () => ActiveProfile.remappable.map(m => m.label).join()
            const press = keys => TestBench.click(deviceID, [].concat(keys)[0],
                                                  data.keyboard ? 7 : 0x0C, [].concat(keys)[1] || 0)

            // The engine the prompt started finds the remote on its next turn.
            wait(50)
            data.presses.forEach(press)
            tryVerify(() => labels() === data.learned.join(), 2000, labels())
            for (const label of data.remove) {
                click(find(find(window.view, "mappingRow_" + label), "removeButton"))
                tryVerify(() => !labels().split(",").includes(label))
            }
            // Each removal restarted the engine, which finds the remote again
            // on its next turn.
            wait(50)
            data.again.forEach(press)
            const rows = data.rows || data.learned
            tryVerify(() => labels() === rows.join(), 2000, labels())
            if (data.tag === "media keys")
                shootWindow("18-editor-learning")
            for (const label of rows) {
                verify(shown(find(window.view, "mappingRow_" + label)))
                compare(TestBench.storedAction(label), "Default (No Remap)")
            }
            verify(shown(prompt))

            // Once its window is hidden, the editor learns nothing, and the
            // engine it started has stopped.
            window.visible = false
            verify(!ButtonLearner.listening && !AppState.isRemapping)
            press(0x40)
            wait(50)
            compare(labels(), rows.join())
            window.destroy()
        }
    }
}
