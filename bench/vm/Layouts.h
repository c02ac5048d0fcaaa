#pragma once

#include "model/DeviceProfile.h"

#include <string>
#include <vector>

namespace vmtest {

// Writes the profiles, in this order, as /tmp/config's configuration.
void writeConfig(const std::vector<bindwell::DeviceProfile>& profiles);
// The relacon layout of the VM's test controller.
bindwell::DeviceProfile relaconLayout();
// Gives the mapping whose label is `label` a new action.
void remap(bindwell::DeviceProfile& profile, const std::string& label,
           const bindwell::RemapAction& action);

} // namespace vmtest
