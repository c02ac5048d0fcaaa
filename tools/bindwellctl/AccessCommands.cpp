// bindwellctl grant|grant-keyboard-keys|revoke VENDOR:PRODUCT: writes or
// removes the udev rules that let the user at the seat read one device's
// input nodes, then has udev apply them to that device alone. `grant` never
// opens a full keyboard among them. `grant-keyboard-keys` opens every node of
// one device the user picked by name, keyboard included, and of no other
// unit: it is a command of its own rather than an option of `grant` because
// pkexec tells its policies apart by the first argument alone, and this one
// needs a prompt that says what it opens. Root only; the setup window reaches
// both grants through pkexec. Exit codes: 0 done, 1 not root, the device is
// not plugged in or the rule could not be written, 2 bad usage (nothing is
// written).
#include "Command.h"
#include "platform/linux/AccessRule.h"
#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/UdevPtr.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace bindwell::ctl {
namespace {

using linuxplatform::DeviceID;

constexpr const char* kRulesDirectory = "/etc/udev/rules.d";

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "error: %s\n", message.c_str());
    return code;
}

bool runUdevadm(std::vector<std::string> args) {
    args.insert(args.begin(), "udevadm");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, "udevadm", nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The event nodes of the device now present; only they are re-triggered, so
// no other device sees a change event.
std::vector<linuxplatform::InputNodeInfo> eventNodes(DeviceID id) {
    std::vector<linuxplatform::InputNodeInfo> nodes;
    const linuxplatform::UdevPtr context(udev_new());
    if (!context) {
        return nodes;
    }
    for (auto& node : linuxplatform::enumerateInputNodes(context.get())) {
        if (node.vendorID == id.vendor && node.productID == id.product) {
            nodes.push_back(std::move(node));
        }
    }
    return nodes;
}

// systemd only ever adds the seat user's ACL entry for a tagged node; a node
// that loses its tag would keep it until it is plugged in again. Dropping the
// node's ACL and re-running the rules leaves exactly what they still grant
// (the generic remote rule may well tag the consumer node again).
void dropAccessLists(const std::vector<linuxplatform::InputNodeInfo>& nodes) {
    for (const auto& node : nodes) {
        if (::removexattr(node.devnode.c_str(), "system.posix_acl_access") != 0 &&
            errno != ENODATA && errno != ENOTSUP) {
            std::fprintf(stderr, "warning: could not reset the access list of %s: %s\n",
                         node.devnode.c_str(), std::strerror(errno));
        }
    }
}

// A receiver may serve a keyboard under the same IDs; the rule skips it, and
// the user should not wonder why it stays closed.
void reportKeyboards(const std::vector<linuxplatform::InputNodeInfo>& nodes) {
    for (const auto& node : nodes) {
        if (node.isKeyboard) {
            std::printf("Left closed: %s (%s), a full keyboard\n", node.devnode.c_str(),
                        node.evdevName.c_str());
        }
    }
}

void applyRules(const std::vector<linuxplatform::InputNodeInfo>& nodes, bool revoking) {
    if (revoking) {
        dropAccessLists(nodes);
    }
    if (::access("/run/udev/control", F_OK) != 0) {
        std::printf("udev is not running; the rule applies when it starts\n");
        return;
    }
    std::vector<std::string> trigger{"trigger", "--action=change"};
    std::vector<std::string> syspaths;
    for (const auto& node : nodes) {
        syspaths.push_back(node.syspath);
    }
    trigger.insert(trigger.end(), syspaths.begin(), syspaths.end());
    const bool applied = runUdevadm({"control", "--reload"}) &&
                         (syspaths.empty() || (runUdevadm(trigger) && runUdevadm({"settle"})));
    if (!applied) {
        std::fprintf(stderr, "warning: udevadm could not apply the rule now; it applies when "
                             "the device is plugged in again\n");
    } else if (syspaths.empty()) {
        std::printf("The device is not plugged in; the rule applies when it is\n");
    }
}

std::optional<DeviceID> parseArgument(std::string_view text, std::string_view verb) {
    const std::optional<DeviceID> id = linuxplatform::parseDeviceID(text);
    if (!id) {
        fail(2, "VENDOR:PRODUCT must be four hexadecimal digits, a colon and four more "
                "(for example 046d:c52b)");
        return std::nullopt;
    }
    // No device has vendor 0: the rule would open every node that reports no
    // ids. A rule for it written before can still be revoked.
    if (verb != "revoke" && id->vendor == 0) {
        fail(2, "vendor 0000 names no device; give the device's own vendor id");
        return std::nullopt;
    }
    return id;
}

std::string rulePath(const std::string& fileName) {
    return std::string(kRulesDirectory) + "/" + fileName;
}

// Says how to run the same command as root when it is not.
bool isRoot(std::string_view verb, const std::vector<std::string_view>& args) {
    if (::geteuid() == 0) {
        return true;
    }
    std::string command = "sudo bindwellctl " + std::string(verb);
    for (const std::string_view arg : args) {
        const bool quoted = arg.find(' ') != std::string_view::npos;
        command.append(quoted ? " \"" : " ").append(arg).append(quoted ? "\"" : "");
    }
    fail(1, "only root can change udev rules: " + command);
    return false;
}

int grant(const std::vector<std::string_view>& args) {
    if (args.size() != 1) {
        return fail(2, "usage: bindwellctl grant VENDOR:PRODUCT");
    }
    const std::optional<DeviceID> id = parseArgument(args[0], "grant");
    if (!id) {
        return 2;
    }
    if (!isRoot("grant", args)) {
        return 1;
    }
    const std::string path = rulePath(linuxplatform::accessRuleFileName(*id));
    if (const std::error_code error = linuxplatform::writeAccessRule(kRulesDirectory, *id)) {
        return fail(1, path + ": " + error.message());
    }
    const std::vector<linuxplatform::InputNodeInfo> nodes = eventNodes(*id);
    applyRules(nodes, false);
    std::printf("Wrote %s\n", path.c_str());
    reportKeyboards(nodes);
    return 0;
}

std::string unitName(const linuxplatform::InputNodeInfo& node) {
    return node.uniq.empty() ? node.physicalPath : node.uniq;
}

// Of the model's `nodes`, those of the one unit the arguments name: the
// device's name as the device list shows it, and its serial number or port
// when several units of the model are plugged in.
std::optional<std::vector<linuxplatform::InputNodeInfo>>
pickedNodes(std::vector<linuxplatform::InputNodeInfo> nodes, DeviceID id, std::string_view name,
            std::optional<std::string_view> unit, int& exitCode) {
    std::erase_if(nodes, [&](const linuxplatform::InputNodeInfo& node) {
        return linuxplatform::productName(node) != name ||
               (unit && node.uniq != *unit && node.physicalPath != *unit);
    });
    if (nodes.empty()) {
        exitCode =
            fail(1, "no device named \"" + std::string(name) + "\" with the IDs " +
                        linuxplatform::formatDeviceID(id) + " is plugged in; nothing was written");
        return std::nullopt;
    }
    for (const auto& node : nodes) {
        if (unitName(node) != unitName(nodes.front())) {
            exitCode = fail(2, "several units are plugged in (" + unitName(nodes.front()) + ", " +
                                   unitName(node) + "); name one after the device's name");
            return std::nullopt;
        }
    }
    return nodes;
}

int grantKeyboardKeys(const std::vector<std::string_view>& args) {
    if (args.size() != 2 && args.size() != 3) {
        return fail(2, "usage: bindwellctl grant-keyboard-keys VENDOR:PRODUCT NAME [UNIT]");
    }
    const std::optional<DeviceID> id = parseArgument(args[0], "grant-keyboard-keys");
    if (!id) {
        return 2;
    }
    // Looked up before the root check, since it needs no rights and a rule
    // for a device that is not there could not be narrowed to its unit.
    int exitCode = 0;
    const std::vector<linuxplatform::InputNodeInfo> modelNodes = eventNodes(*id);
    const auto nodes =
        pickedNodes(modelNodes, *id, args[1],
                    args.size() == 3 ? std::optional(args[2]) : std::nullopt, exitCode);
    if (!nodes) {
        return exitCode;
    }
    if (!isRoot("grant-keyboard-keys", args)) {
        return 1;
    }
    const linuxplatform::PickedUnit unit{*id, nodes->front().uniq, nodes->front().physicalPath};
    const std::string path = rulePath(linuxplatform::keyboardKeysRuleFileName(*id));
    if (const std::error_code error = linuxplatform::writeKeyboardKeysRule(kRulesDirectory, unit)) {
        return fail(1, path + ": " + error.message());
    }
    applyRules(modelNodes, false);
    std::printf("Wrote %s\n", path.c_str());
    for (const auto& node : *nodes) {
        std::printf("Opened: %s (%s)\n", node.devnode.c_str(), node.evdevName.c_str());
    }
    return 0;
}

int revoke(const std::vector<std::string_view>& args) {
    if (args.size() != 1) {
        return fail(2, "usage: bindwellctl revoke VENDOR:PRODUCT");
    }
    const std::optional<DeviceID> id = parseArgument(args[0], "revoke");
    if (!id) {
        return 2;
    }
    std::vector<std::string> present;
    for (const std::string& name :
         {linuxplatform::accessRuleFileName(*id), linuxplatform::keyboardKeysRuleFileName(*id)}) {
        if (std::filesystem::exists(rulePath(name))) {
            present.push_back(rulePath(name));
        }
    }
    // Said before the root check, since it needs no rights and changes nothing.
    if (present.empty()) {
        std::printf("Nothing to remove: there is no %s\n",
                    rulePath(linuxplatform::accessRuleFileName(*id)).c_str());
        return 0;
    }
    if (!isRoot("revoke", args)) {
        return 1;
    }
    if (const std::error_code error = linuxplatform::removeAccessRule(kRulesDirectory, *id)) {
        return fail(1, present.front() + ": " + error.message());
    }
    applyRules(eventNodes(*id), true);
    for (const std::string& path : present) {
        std::printf("Removed %s\n", path.c_str());
    }
    return 0;
}

const CommandRegistration grantRegistration({
    .name = "grant",
    .usage = "grant VENDOR:PRODUCT",
    .summary = "(root) let the user at the seat read this one device's input nodes, keyboards "
               "aside",
    .run = grant,
});

const CommandRegistration grantKeyboardKeysRegistration({
    .name = "grant-keyboard-keys",
    .usage = "grant-keyboard-keys VENDOR:PRODUCT NAME [UNIT]",
    .summary = "(root) let the user at the seat read every key of this one picked device",
    .run = grantKeyboardKeys,
});

const CommandRegistration revokeRegistration({
    .name = "revoke",
    .usage = "revoke VENDOR:PRODUCT",
    .summary = "(root) remove both kinds of access again",
    .run = revoke,
});

} // namespace
} // namespace bindwell::ctl
