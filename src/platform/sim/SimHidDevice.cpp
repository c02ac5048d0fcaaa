#include "platform/sim/SimHidDevice.h"

namespace bindwell::sim {

int32_t SimHidDevice::openSeized() {
    if (seizeResult_ == 0) {
        isSeized_ = true;
    }
    return seizeResult_;
}

} // namespace bindwell::sim
