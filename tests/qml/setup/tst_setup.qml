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
    Component {
        id: guideWindowComponent
        Window {
            width: 700
            height: 700
            visible: true
            property alias guide: guide
            PermissionsGuideView {
                id: guide
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

        function cardState(guide, name) {
            const card = find(guide, name)
            return {
                granted: card.isGranted,
                badge: shown(find(card, "stepNumber")) ? find(card, "stepNumber").text : "check",
                tag: shown(find(card, "grantedTag")),
                steps: shown(find(card, "instructions")),
                button: shown(find(card, "settingsButton"))
            }
        }

        function footer(guide) {
            return {
                status: shown(find(guide, "grantedStatus")) ? "granted" : find(guide, "missingStatus").text,
                button: find(guide, "continueButton").text
            }
        }

        function makeGuide(accessibility, inputMonitoring) {
            TestBench.setPermissions(accessibility, inputMonitoring)
            const guide = createTemporaryObject(guideComponent, root)
            waitForRendering(guide)
            return guide
        }

        function test_guide_with_neither_permission() {
            const guide = makeGuide(false, false)
            const waiting = {granted: false, tag: false, steps: true, button: true}
            compare(cardState(guide, "accessibilityCard"), Object.assign({badge: "1"}, waiting))
            compare(cardState(guide, "inputMonitoringCard"), Object.assign({badge: "2"}, waiting))
            compare(footer(guide), {status: "Grant both permissions to continue", button: "Skip for Now"})
            let continued = 0
            guide.continueAction = () => ++continued
            click(find(guide, "continueButton"))
            compare(continued, 1)
        }

        function test_the_settings_buttons_open_the_help_page() {
            const guide = makeGuide(false, false)
            const before = TestBench.openedUrls.length
            click(find(find(guide, "accessibilityCard"), "settingsButton"))
            click(find(find(guide, "inputMonitoringCard"), "settingsButton"))
            const opened = TestBench.openedUrls.slice(before)
            compare(opened.length, 2)
            // Each card's button opens the page at its own section.
            verify(opened[0].endsWith("/help/permissions.html#send-input"), opened[0])
            verify(opened[1].endsWith("/help/permissions.html#read-controller"), opened[1])
        }

        function test_guide_with_accessibility_only() {
            const guide = makeGuide(true, false)
            compare(cardState(guide, "accessibilityCard"),
                    {granted: true, badge: "check", tag: true, steps: false, button: false})
            compare(cardState(guide, "inputMonitoringCard").steps, true)
            compare(footer(guide), {status: "Grant both permissions to continue", button: "Skip for Now"})
        }

        function test_guide_with_both_permissions_waits_for_the_button() {
            const guide = makeGuide(true, true)
            compare(cardState(guide, "inputMonitoringCard").granted, true)
            compare(footer(guide), {status: "granted", button: "Continue"})
            compare(find(guide, "continueButton").fill, Theme.accent)
        }

        function test_a_grant_while_shown_turns_the_card_green_within_one_poll() {
            const guide = makeGuide(false, false)
            verify(PermissionStatus.isPolling)
            TestBench.setPermissions(false, true)
            tryVerify(() => cardState(guide, "inputMonitoringCard").granted, 2500)
            // A revoked permission returns the card to its instructions.
            TestBench.setPermissions(false, false)
            tryVerify(() => cardState(guide, "inputMonitoringCard").steps, 2500)
        }

        function test_leaving_the_guide_stops_polling_and_showing_it_checks_at_once() {
            let guide = makeGuide(false, false)
            verify(PermissionStatus.isPolling)
            guide.visible = false
            verify(!PermissionStatus.isPolling)
            TestBench.setPermissions(true, false)
            guide.visible = true
            verify(PermissionStatus.isPolling)
            compare(cardState(guide, "accessibilityCard").granted, true)
            guide.destroy()
            tryVerify(() => !PermissionStatus.isPolling)
        }

        function test_continue_without_a_callback_dismisses_the_window() {
            TestBench.setPermissions(false, false)
            const window = createTemporaryObject(guideWindowComponent, root)
            tryVerify(() => window.visible)
            waitForRendering(window.guide)
            window.guide.continueFromGuide()
            verify(!window.visible)
        }

        function makeDevicePage() {
            const page = createTemporaryObject(deviceComponent, root)
            verify(DeviceList.isScanning)
            tryVerify(() => !DeviceList.isScanning)
            waitForRendering(page)
            return page
        }

        function test_no_device_shows_the_empty_card_and_keeps_next_disabled() {
            const page = makeDevicePage()
            verify(shown(find(page, "emptyDevicesCard")))
            verify(!find(page, "nextButton").enabled)
        }

        function test_refresh_shows_scanning_for_a_moment_and_cannot_be_clicked_meanwhile() {
            const page = makeDevicePage()
            const refresh = find(page, "refreshDevicesButton")
            compare(find(page, "refreshText").text, "Refresh Devices")
            TestBench.addDevice("remote", 0x1234, 0x5678, "Remote")
            click(refresh)
            compare(find(page, "refreshText").text, "Scanning...")
            verify(find(page, "scanSpinner").running)
            verify(!refresh.enabled)
            // The empty card stays while the scan is pending.
            verify(shown(find(page, "emptyDevicesCard")))
            tryCompare(find(page, "refreshText"), "text", "Refresh Devices")
            verify(!shown(find(page, "emptyDevicesCard")))
            verify(find(page, "deviceRow_4660:22136"))
        }

        function test_device_icons_follow_the_name_rules() {
            TestBench.addDevice("relacon", 1390, 342, "ELECOM ReLaCoN")
            TestBench.addDevice("air", 0x1111, 0x2222, "Bluetooth Air Mouse")
            TestBench.addDevice("mouse", 0x1111, 0x3333, "Office Mouse")
            TestBench.addDevice("kb", 0x1111, 0x4444, "Media Keyboard")
            TestBench.addDevice("ball", 0x1111, 0x5555, "Kensington Trackball")
            TestBench.addDevice("sanwa", 0x1111, 0x6666, "SANWA Presenter")
            TestBench.addDevice("other", 0x1111, 0x7777, "USB Receiver")
            const page = makeDevicePage()
            const icon = id => findChild(find(page, "deviceRow_" + id), "deviceIcon").name
            compare(icon("1390:342"), "hand.thumbsup.fill")
            compare(icon("4369:8738"), "hand.point.up.fill")
            compare(icon("4369:13107"), "computermouse.fill")
            compare(icon("4369:17476"), "keyboard")
            compare(icon("4369:21845"), "hand.thumbsup.fill")
            compare(icon("4369:26214"), "hand.point.up.fill")
            compare(icon("4369:30583"), "gamecontroller.fill")
        }

        function test_a_pick_moves_and_survives_a_refresh() {
            TestBench.addDevice("a", 0x1111, 0x2222, "First Remote")
            TestBench.addDevice("b", 0x3333, 0x4444, "Second Remote")
            const page = makeDevicePage()
            const first = find(page, "deviceRow_4369:8738")
            const second = find(page, "deviceRow_13107:17476")
            verify(!first.isSelected && !second.isSelected)
            click(first)
            verify(first.isSelected)
            verify(find(page, "nextButton").enabled)
            click(second)
            verify(second.isSelected && !first.isSelected)
            TestBench.removeAllDevices()
            click(find(page, "refreshDevicesButton"))
            tryVerify(() => !DeviceList.isScanning)
            verify(shown(find(page, "emptyDevicesCard")))
            verify(find(page, "nextButton").enabled)
            // The unplugged pick still builds and stores its profile.
            click(find(page, "nextButton"))
            compare(ActiveProfile.deviceName, "Second Remote")
            compare(ActiveProfile.remappable.length, 10)
            compare(AppState.setupStep, Steps.mapButtons)
        }

        function test_the_controller_gets_its_layout_by_name_or_by_ids() {
            const cases = [
                {name: "my RELACON", vendorID: 0x1111, productID: 0x2222, icon: "hand.thumbsup.fill"},
                {name: "USB Receiver", vendorID: 1390, productID: 342, icon: "gamecontroller.fill"}
            ]
            for (const c of cases) {
                TestBench.removeAllDevices()
                TestBench.addDevice("device", c.vendorID, c.productID, c.name)
                const page = makeDevicePage()
                const row = find(page, "deviceRow_" + c.vendorID + ":" + c.productID)
                compare(findChild(row, "deviceIcon").name, c.icon)
                click(row)
                click(find(page, "nextButton"))
                compare(ActiveProfile.remappable.length, 8, c.name)
                compare(ActiveProfile.fixed.map(m => m.label),
                        ["Bottom Trigger (Left Click)", "Top Trigger (Right Click)"])
                page.destroy()
            }
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

        function test_first_run_with_both_permissions_skips_the_guide() {
            const window = openWindow()
            tryVerify(() => findChild(window.view, "deviceSelectionView") !== null)
            compare(findChild(window.view, "permissionsGuideView"), null)
            compare(find(window.view, "headerMode").text, "Setup")
            verify(find(window.view, "stepBar").visible)
            compare(litSegments(window.view), 1)
            AppState.setupStep = Steps.mapButtons
            compare(litSegments(window.view), 2)
        }

        function test_missing_input_monitoring_shows_the_guide_until_continue() {
            TestBench.setPermissions(true, false)
            const window = openWindow()
            const guide = find(window.view, "permissionsGuideView")
            click(find(guide, "continueButton"))
            tryVerify(() => findChild(window.view, "deviceSelectionView") !== null)
        }

        function test_after_setup_the_window_is_the_settings_editor() {
            SetupCommands.nextWithDevice({id: "1:2", name: "Stored Remote", vendorID: 1, productID: 2})
            ConfigStore.hasCompletedSetup = true
            AppState.setupStep = Steps.done
            TestBench.setPermissions(false, false)
            const window = openWindow()
            compare(AppState.setupStep, Steps.mapButtons)
            compare(find(window.view, "headerMode").text, "Settings")
            verify(!find(window.view, "stepBar").visible)
            tryVerify(() => findChild(window.view, "deviceHeader") !== null)
            const editor = find(window.view, "buttonMappingView")
            tryVerify(() => shown(find(editor, "deviceHeader")))
            compare(find(editor, "deviceHeaderName").text, "Stored Remote")
        }

        function test_change_device_brings_back_the_wizard_header() {
            SetupCommands.nextWithDevice({id: "1:2", name: "Stored Remote", vendorID: 1, productID: 2})
            ConfigStore.hasCompletedSetup = true
            const window = openWindow()
            const editor = find(window.view, "buttonMappingView")
            tryVerify(() => shown(find(editor, "changeDeviceButton")))
            click(find(editor, "changeDeviceButton"))
            compare(find(window.view, "headerMode").text, "Setup")
            verify(find(window.view, "stepBar").visible)
            tryVerify(() => findChild(window.view, "deviceSelectionView") !== null)
        }

        function test_start_remapping_closes_the_window() {
            SetupCommands.nextWithDevice({id: "1:2", name: "Stored Remote", vendorID: 1, productID: 2})
            const window = openWindow()
            AppState.setupStep = Steps.done
            tryVerify(() => findChild(window.view, "setupCompleteView") !== null)
            // A page that is still sliding in takes no clicks.
            tryVerify(() => !find(window.view, "setupContent").busy, 2000)
            click(find(window.view, "startRemappingButton"))
            verify(AppState.isRemapping)
            verify(!window.visible)
            AppState.toggleRemapping()
        }
    }
}
