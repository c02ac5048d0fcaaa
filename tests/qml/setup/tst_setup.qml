import QtQuick
import QtTest
import "../common"
import Bindwell.Ui
import Bindwell.Core
import Bindwell.Test

// The permissions guide and device selection on their own, over the
// simulated platform. The window that chooses between them: the first-run test.
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

    PageTestCase {
        name: "Setup"

        function init() {
            TestBench.setPermissions(true, true)
            TestBench.removeAllDevices()
        }

        // What a card shows: its instructions while waiting, a tag once granted.
        function waiting(guide, name) {
            const card = find(guide, name)
            compare(shown(find(card, "grantedTag")), card.isGranted, name)
            compare(shown(find(card, "settingsButton")), !card.isGranted, name)
            return !card.isGranted && shown(find(card, "instructions"))
        }

        function makeGuide() {
            TestBench.setPermissions(false, false)
            const guide = createTemporaryObject(guideComponent, root)
            waitForRendering(guide)
            return guide
        }

        // Each card's button opens the help page at its section. A grant or
        // revoke while shown is seen within one poll, and Continue is offered
        // throughout; leaving the guide stops polling, and showing it again
        // checks at once.
        function test_the_guide_follows_each_permission_while_shown() {
            const guide = makeGuide()
            const before = TestBench.openedUrls.length
            click(find(find(guide, "accessibilityCard"), "settingsButton"))
            click(find(find(guide, "inputMonitoringCard"), "settingsButton"))
            const opened = TestBench.openedUrls.slice(before)
            compare(opened.length, 2)
            verify(opened[0].endsWith("/help/permissions.html#send-input"), opened[0])
            verify(opened[1].endsWith("/help/permissions.html#read-controller"), opened[1])

            verify(PermissionStatus.isPolling)
            for (const [send, read] of [[false, false], [false, true], [true, true], [true, false]]) {
                TestBench.setPermissions(send, read)
                tryVerify(() => find(guide, "accessibilityCard").isGranted === send
                                && find(guide, "inputMonitoringCard").isGranted === read, 2500)
                compare([waiting(guide, "accessibilityCard"), waiting(guide, "inputMonitoringCard")],
                        [!send, !read])
                compare(shown(find(guide, "grantedStatus")), send && read)
                let continued = 0
                guide.continueAction = () => ++continued
                click(find(guide, "continueButton"))
                compare(continued, 1)
            }
            guide.visible = false
            verify(!PermissionStatus.isPolling)
            TestBench.setPermissions(false, false)
            guide.visible = true
            verify(PermissionStatus.isPolling)
            verify(!find(guide, "accessibilityCard").isGranted)
            guide.destroy()
            tryVerify(() => !PermissionStatus.isPolling)
        }

        function test_the_send_input_card_says_to_load_uinput_only_when_its_node_is_missing() {
            for (const c of [{node: "/nonexistent/uinput", load: true}, {node: "/", load: false}]) {
                TestBench.setUinputNode(c.node)
                const guide = makeGuide()
                const steps = find(guide, "accessibilityCard").instructions.join("\n")
                compare(steps.includes("sudo modprobe uinput"), c.load, c.node)
                compare(steps.includes("sudo apt install"), !c.load, c.node)
                guide.destroy()
            }
        }

        // Two units of one model are two rows, told apart by serial number;
        // a unit with several interfaces stays one. The pick moves from row
        // to row, survives a refresh that no longer finds it, and names its
        // unit. No device at all: the first-run test.
        function test_a_pick_moves_survives_a_refresh_and_names_its_unit() {
            TestBench.addDevice("a", 0x1111, 0x2222, "First Remote")
            TestBench.addDevice("b-consumer", 0x3333, 0x4444, "Twin Remote", "AA:01")
            TestBench.addDevice("b-mouse", 0x3333, 0x4444, "Twin Remote", "AA:01")
            TestBench.addDevice("c-consumer", 0x3333, 0x4444, "Twin Remote", "BB:02")
            const page = createTemporaryObject(deviceComponent, root)
            verify(DeviceList.isScanning)
            tryVerify(() => !DeviceList.isScanning)
            waitForRendering(page)
            compare(DeviceList.devices.filter(d => d.name === "Twin Remote").length, 2)
            const first = find(page, "deviceRow_4369:8738")
            const twin = find(page, "deviceRow_13107:17476/BB:02")
            compare(findChild(twin, "deviceDetail").text, "Unknown · VID:0x3333 PID:0x4444 · S/N BB:02")
            click(first)
            verify(first.isSelected && find(page, "nextButton").enabled)
            click(twin)
            verify(twin.isSelected && !first.isSelected)

            TestBench.removeAllDevices()
            click(find(page, "refreshDevicesButton"))
            tryVerify(() => !DeviceList.isScanning)
            click(find(page, "nextButton"))
            compare(ActiveProfile.deviceName, "Twin Remote")
            compare(ActiveProfile.profileID, "device_13107_17476_BB_02")
            verify(TestBench.configText().indexOf('"serialNumber":"BB:02"') >= 0)
            compare(AppState.setupStep, Steps.mapButtons)
        }
    }
}
