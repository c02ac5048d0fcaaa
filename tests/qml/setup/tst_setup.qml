import QtQuick
import QtQuick.Window
import QtTest
import "../common"
import Bindwell.Ui
import Bindwell.Core
import Bindwell.Test

// The permissions guide, device selection and the setup view that chooses
// between them, over the simulated platform.
Item {
    id: root
    width: 640
    height: 900

    Component {
        id: guideComponent
        PermissionsGuideView {
            width: root.width
            height: root.height
        }
    }
    Component {
        id: deviceComponent
        DeviceSelectionView {
            width: root.width
            height: root.height
        }
    }
    Component {
        id: windowComponent
        Window {
            width: 700
            height: 700
            visible: true
            property alias view: view
            SetupView {
                id: view
                anchors.fill: parent
            }
        }
    }
    PageTestCase {
        id: test
        name: "Setup"

        function init() {
            TestBench.setPermissions(true, true)
            TestBench.removeAllDevices()
            ConfigStore.hasCompletedSetup = false
            AppState.setupStep = Steps.selectDevice
        }

        // What a card shows: its instructions while waiting, a tag once granted.
        function waiting(guide, name) {
            const card = find(guide, name)
            compare(shown(find(card, "grantedTag")), card.isGranted, name)
            compare(shown(find(card, "settingsButton")), !card.isGranted, name)
            return !card.isGranted && shown(find(card, "instructions"))
        }

        function makeGuide(accessibility, inputMonitoring) {
            TestBench.setPermissions(accessibility, inputMonitoring)
            const guide = createTemporaryObject(guideComponent, root)
            waitForRendering(guide)
            return guide
        }

        function test_the_guide_follows_each_permission_and_continue_is_always_offered() {
            const cases = [
                {granted: [false, false], waiting: [true, true], button: "Skip for Now"},
                {granted: [true, false], waiting: [false, true], button: "Skip for Now"},
                {granted: [true, true], waiting: [false, false], button: "Continue"}
            ]
            for (const c of cases) {
                const guide = makeGuide(c.granted[0], c.granted[1])
                compare([waiting(guide, "accessibilityCard"), waiting(guide, "inputMonitoringCard")],
                        c.waiting)
                compare(shown(find(guide, "grantedStatus")), c.button === "Continue")
                compare(find(guide, "continueButton").text, c.button)
                let continued = 0
                guide.continueAction = () => ++continued
                click(find(guide, "continueButton"))
                compare(continued, 1, c.button)
                guide.destroy()
            }
        }

        function test_the_send_input_card_says_to_load_uinput_only_when_its_node_is_missing() {
            for (const c of [{node: "/nonexistent/uinput", load: true}, {node: "/", load: false}]) {
                TestBench.setUinputNode(c.node)
                const guide = makeGuide(false, false)
                const steps = find(guide, "accessibilityCard").instructions.join("\n")
                compare(steps.includes("sudo modprobe uinput"), c.load, c.node)
                compare(steps.includes("sudo apt install"), !c.load, c.node)
                guide.destroy()
            }
            TestBench.setUinputNode("/")
        }

        function test_the_settings_buttons_open_the_help_page_at_their_own_section() {
            const guide = makeGuide(false, false)
            const before = TestBench.openedUrls.length
            click(find(find(guide, "accessibilityCard"), "settingsButton"))
            click(find(find(guide, "inputMonitoringCard"), "settingsButton"))
            const opened = TestBench.openedUrls.slice(before)
            compare(opened.length, 2)
            verify(opened[0].endsWith("/help/permissions.html#send-input"), opened[0])
            verify(opened[1].endsWith("/help/permissions.html#read-controller"), opened[1])
        }

        // A grant or revoke while shown is seen within one poll; leaving the
        // guide stops polling, and showing it again checks at once.
        function test_the_guide_polls_while_shown() {
            const guide = makeGuide(false, false)
            verify(PermissionStatus.isPolling)
            TestBench.setPermissions(false, true)
            tryVerify(() => find(guide, "inputMonitoringCard").isGranted, 2500)
            TestBench.setPermissions(false, false)
            tryVerify(() => waiting(guide, "inputMonitoringCard"), 2500)
            guide.visible = false
            verify(!PermissionStatus.isPolling)
            TestBench.setPermissions(true, false)
            guide.visible = true
            verify(PermissionStatus.isPolling)
            verify(find(guide, "accessibilityCard").isGranted)
            guide.destroy()
            tryVerify(() => !PermissionStatus.isPolling)
        }

        function makeDevicePage() {
            const page = createTemporaryObject(deviceComponent, root)
            verify(DeviceList.isScanning)
            tryVerify(() => !DeviceList.isScanning)
            waitForRendering(page)
            return page
        }

        function test_no_device_shows_the_empty_card_until_a_refresh_finds_one() {
            const page = makeDevicePage()
            verify(shown(find(page, "emptyDevicesCard")))
            verify(!find(page, "nextButton").enabled)
            const refresh = find(page, "refreshDevicesButton")
            TestBench.addDevice("remote", 0x1234, 0x5678, "Remote")
            click(refresh)
            compare(find(page, "refreshText").text, "Scanning...")
            verify(!refresh.enabled)
            // The empty card stays while the scan is pending.
            verify(shown(find(page, "emptyDevicesCard")))
            tryVerify(() => refresh.enabled)
            verify(!shown(find(page, "emptyDevicesCard")))
            verify(find(page, "deviceRow_4660:22136"))
        }

        function test_a_pick_moves_and_survives_a_refresh() {
            TestBench.addDevice("a", 0x1111, 0x2222, "First Remote")
            TestBench.addDevice("b", 0x3333, 0x4444, "Second Remote")
            const page = makeDevicePage()
            const first = find(page, "deviceRow_4369:8738")
            const second = find(page, "deviceRow_13107:17476")
            click(first)
            verify(first.isSelected && find(page, "nextButton").enabled)
            click(second)
            verify(second.isSelected && !first.isSelected)
            TestBench.removeAllDevices()
            click(find(page, "refreshDevicesButton"))
            tryVerify(() => !DeviceList.isScanning)
            verify(find(page, "nextButton").enabled)
            // The unplugged pick still builds and stores its profile.
            click(find(page, "nextButton"))
            compare(ActiveProfile.deviceName, "Second Remote")
            compare(ActiveProfile.remappable.length, 10)
            compare(AppState.setupStep, Steps.mapButtons)
        }

        // Two units of one model are two rows, told apart by serial number;
        // a unit with several interfaces stays one. The pick names its unit.
        function test_twins_are_listed_apart_and_the_pick_names_its_unit() {
            TestBench.addDevice("a-consumer", 0x1111, 0x2222, "Twin Remote", "AA:01")
            TestBench.addDevice("a-mouse", 0x1111, 0x2222, "Twin Remote", "AA:01")
            TestBench.addDevice("b-consumer", 0x1111, 0x2222, "Twin Remote", "BB:02")
            const page = makeDevicePage()
            compare(DeviceList.devices.filter(d => d.name === "Twin Remote").length, 2)
            const second = find(page, "deviceRow_4369:8738/BB:02")
            compare(findChild(second, "deviceDetail").text, "Unknown · VID:0x1111 PID:0x2222 · S/N BB:02")
            click(second)
            click(find(page, "nextButton"))
            compare(ActiveProfile.profileID, "device_4369_8738_BB_02")
            verify(TestBench.configText().indexOf('"serialNumber":"BB:02"') >= 0)
            TestBench.removeAllDevices()
        }

        function litSegments(view) {
            let lit = 0
            for (let i = 0; i < 3; ++i)
                lit += find(view, "stepSegment" + i).lit ? 1 : 0
            return lit
        }

        function openWindow() {
            const window = createTemporaryObject(windowComponent, root)
            tryVerify(() => window.visible)
            waitForRendering(window.view)
            return window
        }

        // With a permission missing the guide comes first (the first-run test).
        function test_with_both_permissions_the_guide_is_skipped() {
            const window = openWindow()
            tryVerify(() => findChild(window.view, "deviceSelectionView") !== null)
            compare(findChild(window.view, "permissionsGuideView"), null)
            compare(litSegments(window.view), 1)
            AppState.setupStep = Steps.mapButtons
            compare(litSegments(window.view), 2)
        }

        // Change Device also stops remapping and clears the stored setup
        // flag, but keeps the profile stored and active.
        function test_after_setup_the_window_is_the_editor_until_change_device() {
            SetupCommands.nextWithDevice({id: "1:2", name: "Stored Remote", vendorID: 1, productID: 2})
            ConfigStore.hasCompletedSetup = true
            AppState.setupStep = Steps.done
            AppState.toggleRemapping()
            TestBench.setPermissions(false, false)
            const window = openWindow()
            compare(AppState.setupStep, Steps.mapButtons)
            compare(find(window.view, "headerMode").text, "Settings")
            verify(!find(window.view, "stepBar").visible)
            const editor = find(window.view, "buttonMappingView")
            tryVerify(() => shown(find(editor, "changeDeviceButton")))
            compare(find(editor, "deviceHeaderName").text, "Stored Remote")

            click(find(editor, "changeDeviceButton"))
            verify(!AppState.isRemapping)
            verify(!TestBench.storedSetupFlag())
            compare(ActiveProfile.deviceName, "Stored Remote")
            compare(find(window.view, "headerMode").text, "Setup")
            verify(find(window.view, "stepBar").visible)
            tryVerify(() => findChild(window.view, "deviceSelectionView") !== null)
        }
    }
}
