// Two units of one model with no serial number and no path tell the system
// nothing that separates them; they count as one controller, as they did
// when only one profile could be active.
#include "engine/ControllerSet.h"

#include <algorithm>

namespace bindwell {

void ControllerSet::setProfiles(std::vector<std::shared_ptr<const DeviceProfile>> profiles) {
    profiles_ = std::move(profiles);
    for (const std::unique_ptr<Controller>& controller : controllers_) {
        const auto* profile = closestProfile(*controller->unit);
        controller->core.setProfile(profile != nullptr ? *profile : nullptr);
    }
}

const std::shared_ptr<const DeviceProfile>*
ControllerSet::closestProfile(const DeviceIdentity& unit) const {
    const std::shared_ptr<const DeviceProfile>* closest = nullptr;
    int closestRank = -1;
    for (const std::shared_ptr<const DeviceProfile>& profile : profiles_) {
        const std::optional<int> rank = profile->matchRank(unit);
        if (rank && *rank > closestRank) {
            closest = &profile;
            closestRank = *rank;
        }
    }
    return closest;
}

void ControllerSet::setFocus(const FocusedApp& app) {
    focus_ = app;
    for (const std::unique_ptr<Controller>& controller : controllers_) {
        controller->core.setFocus(app);
    }
}

Controller* ControllerSet::claim(const DeviceIdentity& unit) {
    const auto* profile = closestProfile(unit);
    if (profile == nullptr) {
        return nullptr;
    }
    const auto found = std::find_if(controllers_.begin(), controllers_.end(), [&](const auto& c) {
        return *c->unit == unit && c->core.profile() == *profile;
    });
    if (found != controllers_.end()) {
        return found->get();
    }
    const auto id = static_cast<uint32_t>(controllers_.size() + 1);
    auto controller = std::make_unique<Controller>(id, unit, outputKeyOf_);
    controller->core.setFocus(focus_);
    controller->core.setProfile(*profile);
    return controllers_.emplace_back(std::move(controller)).get();
}

void ControllerSet::follow(Controller& controller, const HidDeviceRef& device) {
    controller.tracked.push_back(device);
    device->setFollower(controller.id);
}

void ControllerSet::unfollow(Controller& controller, const HidDeviceRef& device) {
    std::erase(controller.tracked, device);
    std::erase(controller.seized, device);
    device->setFollower(0);
}

Controller* ControllerSet::forTapSource(const DeviceIdentity* source) {
    if (source != nullptr) {
        return claim(*source);
    }
    const auto present = std::find_if(controllers_.begin(), controllers_.end(),
                                      [](const auto& c) { return c->isPresent(); });
    if (present != controllers_.end()) {
        return present->get();
    }
    if (!controllers_.empty()) {
        return controllers_.front().get();
    }
    if (profiles_.empty()) {
        return nullptr;
    }
    return claim({.vendorID = profiles_.front()->vendorID,
                  .productID = profiles_.front()->productID,
                  .serialNumber = profiles_.front()->serialNumber,
                  .physicalPath = profiles_.front()->physicalPath});
}

void ControllerSet::releaseInterfaces() {
    for (const std::unique_ptr<Controller>& controller : controllers_) {
        for (const HidDeviceRef& device : controller->seized) {
            device->close();
        }
        for (const HidDeviceRef& device : controller->tracked) {
            device->setFollower(0);
        }
        controller->seized.clear();
        controller->tracked.clear();
        controller->core.forgetArrayPresses();
    }
}

} // namespace bindwell
