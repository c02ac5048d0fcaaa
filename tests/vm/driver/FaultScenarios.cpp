// No uinput, unreadable nodes made readable while running, and the devices
// and monitor commands on real nodes.
#include "Harness.h"
#include "Scenarios.h"
#include "platform/linux/SysfsInterfaceScan.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vmtest {
namespace {

// What udevd does after a grant, without udevd: give the node its access,
// then announce a "change" of it as `udevadm trigger --action=change` does.
void applyAccess(const std::string& devnode, mode_t mode) {
    ::chmod(devnode.c_str(), mode);
    std::ofstream(sysPathOf(devnode) + "/uevent") << "change";
}

// "VM Test Controller 1390": the product name and vendor ID the scan reports.
std::string describeScanned(const bindwell::HidDevice& device) {
    return device.description().product + " " + std::to_string(device.description().vendorID);
}

} // namespace

void withoutUinput() {
    const int failuresBefore = failures();
    writeConfig(relaconLayout());
    auto controller = plugController();
    check(::rename("/dev/uinput", "/dev/uinput.hidden") == 0, "hide /dev/uinput");
    const auto consumer = controllerConsumerNode();
    BindwellProcess bindwell({});
    check(consumer && waitForGrab(consumer->devnode), "capture goes on without uinput");
    tapUsage(*controller, 0xB5);
    check(bindwell.alive() && !virtualDeviceNode(), "no uinput: a press makes no device");
    check(bindwell.countLog("⚠️ Could not create the virtual input device") > 0,
          "missing uinput gets a clear line");
    check(bindwell.stop(SIGTERM) == 0, "no uinput: nothing crashes");
    check(::rename("/dev/uinput.hidden", "/dev/uinput") == 0, "restore /dev/uinput");
    dumpOnFailure(bindwell, failuresBefore);
}

// Nodes this user may not read are listed with a clear line; the
// controller's are captured as soon as they become readable, without a
// restart, while a node that stays unreadable says nothing more.
void unreadableNode() {
    const int failuresBefore = failures();
    writeConfig(relaconLayout(), "/tmp/user-config");
    for (const char* path : {"", "/Bindwell", "/Bindwell/config.json"}) {
        ::chown(("/tmp/user-config" + std::string(path)).c_str(), 1000, 1000);
    }
    auto controller = plugController();
    auto other = plugOtherRemote();
    const auto consumer = controllerConsumerNode();
    const auto mouse = controllerMouseNode();
    const auto otherNode = nodeNamed(kOtherName);
    if (!check(consumer && mouse && otherNode, "unreadable: devices appear")) {
        return;
    }
    // As a user who may use uinput, but none of the input nodes yet.
    ::chmod("/dev/uinput", 0666);
    for (const std::string& node : {consumer->devnode, mouse->devnode, otherNode->devnode}) {
        ::chmod(node.c_str(), 0600);
    }
    BindwellProcess bindwell({.args = {"run"}, .configHome = "/tmp/user-config", .uid = 1000});
    const auto listing = [](const std::string& devnode) {
        return "⚠️ Listing input node " + devnode +
               ": no read permission (Permission denied); it cannot be captured until access "
               "is granted";
    };
    check(bindwell.waitForLog(listing(otherNode->devnode), 5000) &&
              bindwell.waitForLog(listing(consumer->devnode), 1000),
          "unreadable nodes get a clear line");
    check(tryGrab(consumer->devnode) == 0, "the unreadable controller cannot be seized yet");

    // Changes that leave nodes unreadable, seen while they still are; then
    // the controller's grant.
    applyAccess(otherNode->devnode, 0600);
    applyAccess(mouse->devnode, 0600);
    sleepMs(300);
    applyAccess(consumer->devnode, 0666);
    applyAccess(mouse->devnode, 0666);
    check(waitForGrab(consumer->devnode, 3000) && waitForGrab(mouse->devnode, 3000),
          "nodes made readable are seized and tapped at once");
    check(bindwell.countLog(listing(otherNode->devnode)) == 1 &&
              bindwell.countLog("⏭️ Skipping input node " + mouse->devnode) == 1,
          "changes that leave nodes unreadable add no line");
    if (const auto virtualNode = virtualDeviceNode()) {
        EvdevReader out(virtualNode->devnode);
        tapUsage(*controller, 0xB5);
        check(out.expectKeys({{KEY_TAB, 1}, {KEY_TAB, 0}}, 2000),
              "a press on the node made readable is remapped");
    }
    check(bindwell.stop(SIGTERM) == 0, "unreadable: clean exit");
    ::chmod("/dev/uinput", 0600);
    dumpOnFailure(bindwell, failuresBefore);
}

// The devices command beside a running engine, the device picker's scan of
// a seized controller, then the monitor command on its own.
void commands() {
    const int failuresBefore = failures();
    writeConfig(relaconLayout());
    auto controller = plugController();
    auto other = plugOtherRemote();
    const auto consumer = controllerConsumerNode();
    auto bindwell = std::make_unique<BindwellProcess>(BindwellProcess::Options{});
    check(consumer && waitForGrab(consumer->devnode) && virtualDeviceNode(),
          "devices: engine runs alongside");
    BindwellProcess devices({.args = {"devices"}});
    check(devices.wait(5000) == 0, "devices exits 0");
    const std::string listed = devices.output();
    const std::pair<std::string, const char*> kListed[] = {
        {std::string(kControllerName) + "\n    USB · VID:0x56E PID:0x156", "the controller"},
        {kOtherName, "the other remote"},
        {"our own virtual device  Bindwell Virtual Input", "our virtual device as skipped"},
        {"no consumer keys", "why it skips nodes without consumer keys"},
    };
    for (const auto& [text, what] : kListed) {
        checkContains(listed, text, std::string("devices lists ") + what);
    }
    // The device picker's scan reads sysfs alone, so it sees the controller
    // the engine holds seized, and none of Bindwell's own devices.
    std::string scanned;
    for (const bindwell::HidDeviceRef& device : bindwell::linuxplatform::scanInterfaces()) {
        scanned += describeScanned(*device) + "\n";
    }
    check(scanned.find(std::string(kControllerName) + " 1390\n") != std::string::npos &&
              scanned.find(kOtherName) != std::string::npos &&
              scanned.find("Bindwell") == std::string::npos,
          "the picker's scan finds the seized controller and the other remote, not ours", scanned);
    check(bindwell->stop(SIGTERM) == 0, "devices: engine exits cleanly");
    dumpOnFailure(*bindwell, failuresBefore);
    bindwell.reset();

    BindwellProcess monitor({.args = {"monitor", "56e:156"}});
    check(monitor.waitForLog("+ " + std::string(kControllerName) + " [vid:0x56e pid:0x156]", 5000),
          "monitor reports the controller");
    controller->send(consumerReport(0xE9));
    controller->send(consumerReport(0));
    check(monitor.waitForLog("page 0xc usage 0xffffffff value 0", 3000),
          "monitor prints the records the engine would get");
    const std::string text = monitor.output();
    check(text.find("page 0xc usage 0xe9 value 1") <
              text.find("page 0xc usage 0xffffffff value 233"),
          "usage record comes before its array element", text);
    check(text.find(kOtherName) == std::string::npos, "monitor's filter leaves other devices out");
    check(consumer && tryGrab(consumer->devnode) == 0, "monitor does not grab");
    check(monitor.stop(SIGINT) == 0, "monitor exits 0 on SIGINT");
    dumpOnFailure(monitor, failuresBefore);
}

} // namespace vmtest
