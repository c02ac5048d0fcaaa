#include "platform/sim/SimEventTap.h"

#include "platform/sim/SimPlatform.h"

namespace bindwell::sim {

SimEventTap::SimEventTap(SimPlatform& platform, EventTapScope scope, Handler handler)
    : platform_(platform), scope_(scope), handler_(std::move(handler)) {}

SimEventTap::~SimEventTap() {
    platform_.tapDestroyed(this);
}

TapVerdict SimEventTap::deliver(const TapEvent& event, const DeviceIdentity* source) {
    if (!isEnabled_) {
        return TapVerdict::pass;
    }
    return handler_(event, source);
}

} // namespace bindwell::sim
