// Main thread only.
#pragma once

#include "engine/ports/HidDevice.h"

#include <vector>

namespace bindwell::linuxplatform {

// The consumer-control interfaces present now, as udev and sysfs describe
// them: no node is opened, so the scan needs no read access and never
// touches a node the input thread is reading. The interfaces answer their
// properties only; they cannot be seized.
[[nodiscard]] std::vector<HidDeviceRef> scanConsumerControlInterfaces();

} // namespace bindwell::linuxplatform
