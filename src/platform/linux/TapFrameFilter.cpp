#include "platform/linux/TapFrameFilter.h"

#include "platform/linux/TapEventTranslator.h"

namespace bindwell::linuxplatform {
namespace {

constexpr int32_t kKeyRepeat = 2;

bool isScanCode(const EvdevEvent& event) {
    return event.type == EV_MSC && event.code == MSC_SCAN;
}

} // namespace

TapFrameFilter::TapFrameFilter(Verdict verdict) : verdict_(std::move(verdict)) {
    // A frame is a handful of events; this keeps a busy pointer allocation-free.
    frame_.reserve(16);
}

void TapFrameFilter::push(const EvdevEvent& event, std::vector<EvdevEvent>& out) {
    if (event.type == EV_SYN) {
        // SYN_DROPPED never gets here: the reader repairs the stream first.
        if (event.code == SYN_REPORT && !frame_.empty()) {
            out.insert(out.end(), frame_.begin(), frame_.end());
            out.push_back(event);
            frame_.clear();
        }
        return;
    }
    if (swallows(event)) {
        if (!frame_.empty() && isScanCode(frame_.back())) {
            frame_.pop_back();
        }
        return;
    }
    frame_.push_back(event);
}

bool TapFrameFilter::swallows(const EvdevEvent& event) {
    if (event.type != EV_KEY || event.code >= KEY_CNT) {
        return false;
    }
    if (event.value == kKeyRepeat) {
        return swallowedDown_.test(event.code);
    }
    const std::optional<TapEvent> tapEvent = tapEventFor(event);
    if (!tapEvent) {
        return false;
    }
    const bool swallowed = verdict_(*tapEvent) == TapVerdict::swallow;
    swallowedDown_.set(event.code, event.value == 1 && swallowed);
    return swallowed;
}

} // namespace bindwell::linuxplatform
