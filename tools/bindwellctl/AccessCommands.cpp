// bindwellctl grant|revoke VENDOR:PRODUCT: writes or removes the udev rule
// that lets the user at the seat read one device's input nodes (never a full
// keyboard among them), then has udev apply it to that device alone. Root only; the setup window
// reaches `grant` through pkexec, whose policy allows exactly that command. Exit codes: 0 done, 1
// not root or the rule could not be written, 2 bad usage (nothing is written).
#include "Command.h"
#include "platform/linux/AccessRule.h"
#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/UdevPtr.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
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

int changeAccess(const std::vector<std::string_view>& args, std::string_view verb,
                 std::error_code (*change)(const std::filesystem::path&, DeviceID)) {
    const std::string usage = "usage: bindwellctl " + std::string(verb) + " VENDOR:PRODUCT";
    if (args.size() != 1) {
        return fail(2, usage);
    }
    const std::optional<DeviceID> id = linuxplatform::parseDeviceID(args[0]);
    if (!id) {
        return fail(2, "VENDOR:PRODUCT must be four hexadecimal digits, a colon and four more "
                       "(for example 046d:c52b)");
    }
    // No device has vendor 0: the rule would open every node that reports no
    // ids. A rule for it written before can still be revoked.
    if (verb == "grant" && id->vendor == 0) {
        return fail(2, "vendor 0000 names no device; give the device's own vendor id");
    }
    const std::string path =
        std::string(kRulesDirectory) + "/" + linuxplatform::accessRuleFileName(*id);
    // Said before the root check, since it needs no rights and changes nothing.
    if (verb == "revoke" && !std::filesystem::exists(path)) {
        std::printf("Nothing to remove: there is no %s\n", path.c_str());
        return 0;
    }
    if (::geteuid() != 0) {
        return fail(1, "only root can change udev rules: sudo bindwellctl " + std::string(verb) +
                           " " + linuxplatform::formatDeviceID(*id));
    }
    if (const std::error_code error = change(kRulesDirectory, *id)) {
        return fail(1, path + ": " + error.message());
    }
    const std::vector<linuxplatform::InputNodeInfo> nodes = eventNodes(*id);
    applyRules(nodes, verb == "revoke");
    std::printf("%s %s\n", verb == "grant" ? "Wrote" : "Removed", path.c_str());
    if (verb == "grant") {
        reportKeyboards(nodes);
    }
    return 0;
}

int grant(const std::vector<std::string_view>& args) {
    return changeAccess(args, "grant", linuxplatform::writeAccessRule);
}

int revoke(const std::vector<std::string_view>& args) {
    return changeAccess(args, "revoke", linuxplatform::removeAccessRule);
}

const CommandRegistration grantRegistration({
    .name = "grant",
    .usage = "grant VENDOR:PRODUCT",
    .summary = "(root) let the user at the seat read this one device's input nodes, keyboards "
               "aside",
    .run = grant,
});

const CommandRegistration revokeRegistration({
    .name = "revoke",
    .usage = "revoke VENDOR:PRODUCT",
    .summary = "(root) remove that access again",
    .run = revoke,
});

} // namespace
} // namespace bindwell::ctl
