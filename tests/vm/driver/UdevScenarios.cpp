// The udev rules with udev's own udevadm and Debian's input rules: which
// nodes the generic remote rule and a per-device grant tag "uaccess", what
// the permission check makes of a granted device, and that bad grant
// arguments write nothing. udevd does not run in the guest, so `udevadm test`
// shows what the rules would do to each node.
#include "Harness.h"
#include "Scenarios.h"
#include "platform/linux/LinuxPermissions.h"
#include "platform/linux/SysfsFile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vmtest {
namespace {

using bindwell::linuxplatform::SysfsRead;

constexpr const char* kRulesDirectory = "/etc/udev/rules.d";
constexpr const char* kReceiverName = "VM Wireless Receiver";
constexpr uid_t kUser = 1000;

// A wireless receiver's three collections under one ID, as the README's
// example 046d:c52b serves them (an ID of its own here: the kernel keeps
// that one for its Logitech driver): the controller's consumer array (report 1)
// and mouse (report 2), and a boot keyboard (report 3) whose key array
// reaches the keyboard page's volume keys (0x7F..0x81), so that node is a
// full keyboard with media keys.
std::vector<uint8_t> receiverDescriptor() {
    const std::vector<uint8_t> keyboard = {
        0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x03, // Keyboard, Application, Report ID 3
        0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,             //   modifiers
        0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, //
        0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, //   reserved byte
        0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x81, //   six keys 0..0x81
        0x19, 0x00, 0x29, 0x81, 0x81, 0x00, 0xC0,
    };
    std::vector<uint8_t> bytes = controllerDescriptor();
    bytes.insert(bytes.end(), keyboard.begin(), keyboard.end());
    return bytes;
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

// Which of the nodes the rules tag "uaccess" at each stage: the generic rule
// alone, after the receiver's grant, after its revoke.
enum Stage { kBeforeGrant, kGranted, kRevoked };
struct Tagging {
    const char* node;
    bool tagged[3];
};
constexpr Tagging kTaggings[] = {
    {"the other vendor's consumer remote", {true, true, true}},
    {"the receiver's consumer node", {true, true, true}},
    {"the receiver's mouse node", {false, true, false}},
    {"the receiver's keyboard, a full keyboard with media keys", {false, false, false}},
};
constexpr const char* kStageNames[] = {"before the grant", "after the grant", "after the revoke"};

void expectTags(const std::vector<NodeDescription>& nodes, Stage stage) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        const std::string output = udevadmTest(nodes[i].devnode);
        const bool wanted = kTaggings[i].tagged[stage];
        if (!check(isTaggedUaccess(output) == wanted,
                   std::string(kStageNames[stage]) + ", " + kTaggings[i].node +
                       (wanted ? " is tagged" : " is not tagged"))) {
            std::printf("---- udevadm test %s ----\n%s\n----\n", nodes[i].devnode.c_str(),
                        output.substr(output.size() > 3000 ? output.size() - 3000 : 0).c_str());
        }
    }
}

std::vector<std::string> rulesWritten() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kRulesDirectory)) {
        names.push_back(entry.path().filename());
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

// The parser's own cases are unit tests; these show that a refusal reaches
// the exit code before anything is written.
void badGrantArguments() {
    check(runCtl({"grant", "056e:0156,TAG+=\"uaccess\""}) == 2 && runCtl({"grant"}) == 2,
          "grant refuses a bad or missing ID with exit 2");
    check(runCtl({"grant", "056e:0156"}, 1000) == 1, "grant refuses a user who is not root");
    check(rulesWritten().empty(), "refused grants write nothing");
}

// Without udevd every node stays root's alone (0600): the state before any
// access is granted.
void devicesBeforeAccess() {
    BindwellProcess devices({.args = {"devices"}, .uid = kUser});
    check(devices.wait(5000) == 0, "devices runs for a user who may read nothing");
    const std::string text = devices.output();
    checkContains(text, std::string(kControllerName) + "\n    USB · VID:0x56E PID:0x156",
                  "devices lists the controller before access is granted");
    checkContains(text, "not readable: sudo bindwellctl grant 056e:0156",
                  "devices says what would grant the controller's nodes");
}

// What systemd's uaccess builtin would do for the seat's user with a node the
// rules tag; no udevd runs in the guest to do it.
void applyUaccess(const NodeDescription& node) {
    if (isTaggedUaccess(udevadmTest(node.devnode))) {
        (void)::chown(node.devnode.c_str(), kUser, 0);
    }
}

// The permission check that decides whether setup asks for the grant, as the
// desktop user runs it.
bool userCanReadDevice(uint32_t vendor, uint32_t product) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kUser) != 0 || ::setuid(kUser) != 0) {
            ::_exit(2);
        }
        bindwell::linuxplatform::LinuxPermissions permissions;
        ::_exit(permissions.canReadDevice(vendor, product, false) ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The race behind an abort on replug: the descriptor of a device unplugged
// between the open and the read. The kernel answers ENODEV, and the read
// says so instead of throwing.
void descriptorOfAnUnpluggedDevice(UhidDevice& receiver, const NodeDescription& node) {
    const std::string path = sysPathOf(node.devnode) + "/device/device/report_descriptor";
    const SysfsRead whole = bindwell::linuxplatform::readSysfsFile(path);
    check(whole.error == 0 && whole.bytes == receiverDescriptor(),
          "the receiver's descriptor reads back from sysfs", std::strerror(whole.error));
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    receiver.unplug();
    const SysfsRead read = bindwell::linuxplatform::readToEnd(fd);
    check(fd >= 0 && read.error == ENODEV && read.bytes.empty(),
          "a descriptor read after its device is unplugged fails with ENODEV",
          std::strerror(read.error));
    ::close(fd);
}

} // namespace

// The grant opens the receiver's mouse and consumer node, never its keyboard,
// and the permission check is content with that.
void udevRules() {
    ::mkdir("/etc/udev", 0755);
    ::mkdir(kRulesDirectory, 0755);
    auto controller = plugController();
    auto remote = plugOtherRemote();
    UhidDevice receiver({kReceiverName, 0x1A2B, 0x3C4D, BUS_USB}, receiverDescriptor());
    const auto remoteNode = nodeNamed(kOtherName);
    const auto consumer = nodeNamed(std::string(kReceiverName) + " Consumer Control");
    const auto mouse = nodeNamed(std::string(kReceiverName) + " Mouse");
    const auto keyboard = nodeNamed(std::string(kReceiverName) + " Keyboard");
    if (!check(controllerConsumerNode() && remoteNode && consumer && mouse && keyboard,
               "udev: devices appear, the receiver with three nodes")) {
        for (const NodeDescription& node : listNodes()) {
            std::printf("  %s %04x:%04x %s\n", node.devnode.c_str(), node.vendor, node.product,
                        node.name.c_str());
        }
        return;
    }

    const std::vector<NodeDescription> nodes{*remoteNode, *consumer, *mouse, *keyboard};
    devicesBeforeAccess();
    expectTags(nodes, kBeforeGrant);
    check(!userCanReadDevice(0x1A2B, 0x3C4D), "the permission check fails before the grant");

    BindwellProcess grant({.args = {"grant", "1A2B:3C4D"}});
    check(grant.wait(10000) == 0, "grant exits 0");
    checkContains(grant.output(), "Left closed: " + keyboard->devnode + " (",
                  "grant names the keyboard it leaves closed");
    check(rulesWritten() == std::vector<std::string>{"70-bindwell-1a2b-3c4d.rules"},
          "grant writes exactly its own file");
    expectTags(nodes, kGranted);
    for (const auto& node : {*consumer, *mouse, *keyboard}) {
        applyUaccess(node);
    }
    check(userCanReadDevice(0x1A2B, 0x3C4D),
          "the permission check is satisfied while the receiver's keyboard stays closed");

    check(runCtl({"revoke", "1a2b:3c4d"}) == 0 && rulesWritten().empty(),
          "revoke exits 0 and removes the file");
    expectTags(nodes, kRevoked);

    descriptorOfAnUnpluggedDevice(receiver, *consumer);
    badGrantArguments();
}

} // namespace vmtest
