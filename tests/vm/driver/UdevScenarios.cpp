// The udev rules with udev's own udevadm and Debian's input rules: which
// nodes the generic remote rule and a per-device grant tag "uaccess", and
// that bad grant arguments write nothing. udevd does not run in the guest, so
// `udevadm test` shows what the rules would do to each node.
#include "Harness.h"
#include "Scenarios.h"

#include <array>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>

namespace vmtest {
namespace {

constexpr const char* kRulesDirectory = "/etc/udev/rules.d";
constexpr const char* kGrantedRule = "/etc/udev/rules.d/70-bindwell-056e-0156.rules";
constexpr const char* kKeyboardName = "VM Full Keyboard";

// A boot keyboard whose key array reaches the keyboard page's volume keys
// (0x7F..0x81), so its one node is a full keyboard that also has media keys.
const std::vector<uint8_t>& keyboardDescriptor() {
    static const std::vector<uint8_t> bytes = {
        0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, // Keyboard, Application
        0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, //   modifiers
        0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08,
        0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, //   reserved byte
        0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x81, //   six keys 0..0x81
        0x19, 0x00, 0x29, 0x81, 0x81, 0x00, 0xC0,
    };
    return bytes;
}

std::string sysPathOf(const std::string& devnode) {
    return "/sys/class/input/" + devnode.substr(devnode.rfind('/') + 1);
}

// udevadm's verdict on one node: its whole output, to search and to show.
std::string udevadmTest(const std::string& devnode) {
    const std::string command = "udevadm test --action=add " + sysPathOf(devnode) + " 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        size_t read = 0;
        while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            output.append(buffer.data(), read);
        }
        ::pclose(pipe);
    }
    return output;
}

// TAGS keeps every tag a node ever had (udevadm test leaves its database
// behind); CURRENT_TAGS is what the rules give it now.
bool isTaggedUaccess(const std::string& output) {
    const size_t at = output.find("\nCURRENT_TAGS=");
    return at != std::string::npos &&
           output.substr(at, output.find('\n', at + 1) - at).find(":uaccess:") != std::string::npos;
}

void expectTag(const std::optional<NodeDescription>& node, bool tagged, const std::string& name) {
    if (!node) {
        check(false, name, "node missing");
        return;
    }
    const std::string output = udevadmTest(node->devnode);
    const bool ok = check(isTaggedUaccess(output) == tagged, name);
    if (!ok) {
        std::printf("---- udevadm test %s ----\n%s\n----\n", node->devnode.c_str(),
                    output.substr(output.size() > 3000 ? output.size() - 3000 : 0).c_str());
    }
}

std::vector<std::string> rulesWritten() {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(kRulesDirectory)) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.') {
                names.emplace_back(entry->d_name);
            }
        }
        ::closedir(dir);
    }
    return names;
}

int runCtl(const std::vector<std::string>& args, uid_t uid = 0) {
    BindwellProcess process({.args = args, .uid = uid});
    const int status = process.wait(10000);
    if (status < 0) {
        std::printf("---- bindwellctl output ----\n%s\n----\n", process.output().c_str());
    }
    return status;
}

std::optional<NodeDescription> nodeNamed(const std::string& name) {
    return waitForNode([&](const NodeDescription& node) { return node.name == name; }, 3000);
}

void badGrantArguments() {
    for (const std::string& argument :
         {"056e", "056e:015", "056e:01566", "56e:156", "056e:0156\"", "\"056e:0156\"", "056e,0156",
          "056e:0156,TAG+=\"uaccess\"", "056e:0156\nRUN+=\"/bin/sh\"", "*:*", "****:****",
          "../x:0156", "056e/0156", "056e:../0", "056e:0156 ", ""}) {
        check(runCtl({"grant", argument}) == 2, "grant refuses '" + argument + "' with exit 2");
    }
    check(runCtl({"grant"}) == 2 && runCtl({"grant", "056e:0156", "046d:c52b"}) == 2,
          "grant takes exactly one argument");
    check(runCtl({"grant", "056e:0156"}, 1000) == 1, "grant refuses a user who is not root");
    check(rulesWritten().empty(), "refused grants write nothing");
}

// Without udevd every node stays root's alone (0600): the state before any
// access is granted.
void devicesBeforeAccess() {
    BindwellProcess devices({.args = {"devices"}, .uid = 1000});
    check(devices.wait(5000) == 0, "devices runs for a user who may read nothing");
    const std::string& text = devices.output();
    const bool listed = check(text.find(std::string(kControllerName) +
                                        "\n    USB · VID:0x56E PID:0x156") != std::string::npos,
                              "devices lists the controller before access is granted");
    const bool hinted =
        check(text.find("not readable: sudo bindwellctl grant 056e:0156") != std::string::npos,
              "devices says what would grant the controller's nodes");
    if (!listed || !hinted) {
        std::printf("---- bindwellctl devices ----\n%s\n----\n", text.c_str());
    }
}

} // namespace

void udevRules() {
    ::mkdir("/etc/udev", 0755);
    ::mkdir(kRulesDirectory, 0755);
    auto controller = plugController();
    auto remote = plugOtherRemote();
    auto keyboard = std::make_unique<UhidDevice>(
        UhidDevice::Identity{kKeyboardName, 0x1111, 0x2222, BUS_USB}, keyboardDescriptor());
    const auto consumer = controllerConsumerNode();
    const auto mouse = controllerMouseNode();
    const auto remoteNode = nodeNamed(kOtherName);
    const auto keyboardNode = nodeNamed(kKeyboardName);
    if (!check(consumer && mouse && remoteNode && keyboardNode, "udev: devices appear")) {
        return;
    }

    devicesBeforeAccess();
    expectTag(remoteNode, true, "generic rule tags a non-keyboard consumer remote");
    expectTag(consumer, true, "generic rule tags the controller's consumer node");
    expectTag(mouse, false, "generic rule leaves the controller's mouse node alone");
    expectTag(keyboardNode, false, "generic rule never tags a full keyboard with media keys");

    check(runCtl({"grant", "056E:0156"}) == 0, "grant exits 0");
    check(rulesWritten() == std::vector<std::string>{"70-bindwell-056e-0156.rules"},
          "grant writes exactly its own file");
    expectTag(mouse, true, "after grant the controller's mouse node is tagged");
    expectTag(consumer, true, "after grant the controller's consumer node is tagged");
    expectTag(keyboardNode, false, "after grant the keyboard is still not tagged");

    check(runCtl({"revoke", "056e:0156"}) == 0, "revoke exits 0");
    struct stat info {};
    check(::stat(kGrantedRule, &info) != 0, "revoke removes the file");
    expectTag(mouse, false, "after revoke the mouse node is no longer tagged");

    badGrantArguments();
}

} // namespace vmtest
