// Any thread; no state of its own.
#pragma once

#include "model/DetectedHIDDevice.h"
#include "model/DeviceProfile.h"

namespace bindwell {

// A fresh active profile for the device: the controller's own layout when the
// device is that controller (by name or by IDs), the generic layout otherwise.
// The profile is for the whole model ("device_<vid>_<pid>") unless the device
// has a twin: then it names the unit, and its id carries the unit's name, so
// each twin keeps a profile of its own.
[[nodiscard]] DeviceProfile defaultProfile(const DetectedHIDDevice& device);
[[nodiscard]] DeviceProfile genericProfile(const DetectedHIDDevice& device);
[[nodiscard]] DeviceProfile relaconProfile(const DetectedHIDDevice& device);

[[nodiscard]] bool isRelaconDevice(const DetectedHIDDevice& device);

} // namespace bindwell
