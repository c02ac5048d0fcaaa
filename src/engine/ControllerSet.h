// Input loop only.
#pragma once

#include "engine/Controller.h"
#include "model/DeviceProfile.h"

#include <memory>
#include <vector>

namespace bindwell {

// The controllers of one remapping run and the profiles they answer to. A
// unit is claimed by the closest active profile (DeviceProfile::matchRank),
// and its interfaces gather into one controller per profile and unit.
// Controllers outlive their interfaces and the run: a restart on edited
// profiles keeps what a button holds down (its release still lets go) and
// what the repeat filter knows.
class ControllerSet final {
public:
    explicit ControllerSet(OutputKeyOf outputKeyOf) : outputKeyOf_(std::move(outputKeyOf)) {}

    // The profiles of the next run. Controllers kept from the last run move
    // to their unit's profile now (or none).
    void setProfiles(std::vector<std::shared_ptr<const DeviceProfile>> profiles);
    [[nodiscard]] const std::vector<std::shared_ptr<const DeviceProfile>>& profiles() const {
        return profiles_;
    }

    // The focused application, for every controller now and later.
    void setFocus(const FocusedApp& app);

    // Whether some profile claims the unit.
    [[nodiscard]] bool claims(const DeviceIdentity& unit) const {
        return closestProfile(unit) != nullptr;
    }
    // The controller an interface of `unit` belongs to, made on first sight;
    // null when no profile claims the unit.
    [[nodiscard]] Controller* claim(const DeviceIdentity& unit);
    // The controller following the interface, or null.
    [[nodiscard]] Controller* following(const HidDevice& device) const {
        const uint32_t id = device.follower();
        return id != 0 ? controllers_[id - 1].get() : nullptr;
    }
    // The controller follows the interface from now on, or no longer.
    static void follow(Controller& controller, const HidDeviceRef& device);
    static void unfollow(Controller& controller, const HidDeviceRef& device);
    // The controller for a tap event: its source's, else (a platform that
    // cannot tell) the first present controller, else the first profile's.
    [[nodiscard]] Controller* forTapSource(const DeviceIdentity* source);

    template <typename Visit> void forEach(Visit&& visit) {
        for (const std::unique_ptr<Controller>& controller : controllers_) {
            visit(*controller);
        }
    }
    // Lets go of every interface.
    void releaseInterfaces();

private:
    [[nodiscard]] const std::shared_ptr<const DeviceProfile>*
    closestProfile(const DeviceIdentity& unit) const;

    OutputKeyOf outputKeyOf_;
    std::vector<std::shared_ptr<const DeviceProfile>> profiles_;
    std::vector<std::unique_ptr<Controller>> controllers_;
    FocusedApp focus_;
    // Never shrinks: a controller's id is its place plus one.
};

} // namespace bindwell
