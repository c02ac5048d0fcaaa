#include "platform/linux/NodeInspector.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace bindwell::linuxplatform {
namespace {

// A udev monitor that falls behind a burst of replugs hands over records of
// devices that are already gone, while the kernel has given their node names
// to newer devices: opening the name then reaches a newer device, which the
// stale record misdescribes (its sysfs facts read as empty, so a consumer
// node looks like a mouse node and our own clones no longer look like ours).
// A record is used only while the node it names still belongs to it; the
// newer device's own record follows later in the queue.
bool stillDescribes(const InputNodeInfo& info, int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    const std::string link = "/sys/dev/char/" + std::to_string(major(status.st_rdev)) + ":" +
                             std::to_string(minor(status.st_rdev));
    std::error_code error;
    const std::filesystem::path current = std::filesystem::canonical(link, error);
    return !error && current == std::filesystem::path(info.syspath);
}

} // namespace

InspectedNode inspectNode(InputNodeInfo info) {
    InspectedNode node;
    NodeFacts facts{info.phys, 0, info.hasConsumerKeys};
    if (!isOwnVirtualDevice(info.phys)) {
        EvdevHandle::OpenResult opened = EvdevHandle::open(info.devnode);
        facts.openError = opened.error;
        node.handle = std::move(opened.handle);
        if (node.handle && !stillDescribes(info, node.handle->fd())) {
            node.handle.reset();
            facts.openError = ENODEV;
        }
    }
    node.verdict = classifyNode(facts);
    node.openError = facts.openError;
    node.info = std::move(info);
    return node;
}

std::string describeSkip(const InspectedNode& node) {
    std::string text = node.info.devnode + ": " + std::string(describeVerdict(node.verdict));
    if (node.openError != 0) {
        text += " (" + std::string(std::strerror(node.openError)) + ")";
    }
    return text;
}

} // namespace bindwell::linuxplatform
