#pragma once

#include "BindwellProcess.h"
#include "EvdevProbe.h"
#include "UhidDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace vmtest {

inline constexpr uint32_t kControllerVendor = 0x056E;
inline constexpr uint32_t kControllerProduct = 0x0156;
inline constexpr const char* kControllerName = "VM Test Controller";
inline constexpr const char* kVirtualName = "Bindwell Virtual Input";

// Records one named expectation and prints PASS or FAIL with the detail.
bool check(bool condition, const std::string& name, const std::string& detail = "");
int failures();

// Whether BINDWELL_VM_ONLY (comma-separated) names the scenario, or names none.
[[nodiscard]] bool selected(const std::string& name);
// Prints the closing "vm: N passed, N failed" line that the host script
// reads; returns the program's exit status.
int finish();

// Copies a configuration from the guest's /vm folder into /tmp/config.
void installConfig(const std::string& file);

// `uniq` tells units of the controller's model apart.
std::unique_ptr<UhidDevice> plugController(const std::string& uniq = "");

// The node of a device made through uhid, never Bindwell's clone of it: the
// one named as the device, or as the device and then `suffix`, the start of
// the word the kernel adds for a collection when there are several
// ("mouse": "VM Test Controller Mouse"), in any case.
[[nodiscard]] std::optional<NodeDescription> nodeOf(const UhidDevice::Identity& device,
                                                    const std::string& suffix = "");
// The controller's "consumer" or "mouse" node.
[[nodiscard]] std::optional<NodeDescription> controllerNode(const std::string& collection,
                                                            const std::string& uniq = "");
[[nodiscard]] std::optional<NodeDescription> virtualDeviceNode();
[[nodiscard]] std::optional<NodeDescription> cloneNode();

// Waits until the node is grabbed by another reader: Bindwell's capture of it.
[[nodiscard]] bool waitForGrab(const std::string& devnode, int timeoutMs = 8000);
// Whether any of the nodes is grabbed by another reader.
[[nodiscard]] bool anyGrabbed(const std::vector<NodeDescription>& nodes);

// While it lives, this process runs before any other of normal priority:
// a burst it writes reaches Bindwell's reader all at once, and the events
// it waits for are read the moment they arrive.
class Realtime {
public:
    Realtime();
    ~Realtime();
    Realtime(const Realtime&) = delete;
    Realtime& operator=(const Realtime&) = delete;

private:
    bool raised_ = false;
};

// Prints the output of a process whose scenario failed, for diagnosis.
void dumpOnFailure(BindwellProcess& process, int failuresBefore);

} // namespace vmtest
