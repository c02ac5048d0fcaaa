#include "platform/linux/LinuxPlatform.h"

#include "platform/linux/LinuxEventTap.h"
#include "platform/linux/LinuxHidManager.h"
#include "platform/linux/SysfsInterfaceScan.h"
#include "platform/linux/VirtualKeyTable.h"

namespace bindwell {

std::unique_ptr<HidManager> LinuxPlatform::createHidManager() {
    return std::make_unique<linuxplatform::LinuxHidManager>(inputLoop_);
}

std::optional<uint16_t> LinuxPlatform::outputKeyFor(const KeyCombination& combination) const {
    return linuxplatform::linuxKeyFor(combination);
}

std::vector<HidDeviceRef> LinuxPlatform::scanInterfaces() {
    return linuxplatform::scanInterfaces();
}

std::unique_ptr<EventTap> LinuxPlatform::createEventTap(const EventTapScope& scope,
                                                        EventTap::Handler handler) {
    return linuxplatform::LinuxEventTap::create(inputLoop_, scope, std::move(handler));
}

} // namespace bindwell
