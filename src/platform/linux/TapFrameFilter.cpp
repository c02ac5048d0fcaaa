#include "platform/linux/TapFrameFilter.h"

#include "platform/linux/TapEventTranslator.h"

#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

constexpr int32_t kKeyRepeat = 2;

bool isScanCode(const EvdevEvent& event) {
    return event.type == EV_MSC && event.code == MSC_SCAN;
}

} // namespace

TapFrameFilter::TapFrameFilter(Verdict verdict) : verdict_(std::move(verdict)) {}

std::vector<EvdevEvent> TapFrameFilter::push(const EvdevEvent& event) {
    if (event.type == EV_SYN) {
        if (event.code != SYN_REPORT || frame_.empty()) {
            // SYN_DROPPED is the reader's business: libevdev replays the state.
            return {};
        }
        std::vector<EvdevEvent> frame = std::move(frame_);
        frame_.clear();
        frame.push_back(event);
        return frame;
    }
    if (swallows(event)) {
        if (!frame_.empty() && isScanCode(frame_.back())) {
            frame_.pop_back();
        }
        return {};
    }
    frame_.push_back(event);
    return {};
}

bool TapFrameFilter::swallows(const EvdevEvent& event) {
    if (event.type != EV_KEY) {
        return false;
    }
    if (event.value == kKeyRepeat) {
        const auto it = heldVerdicts_.find(event.code);
        return it != heldVerdicts_.end() && it->second == TapVerdict::swallow;
    }
    const std::optional<TapEvent> tapEvent = tapEventFor(event);
    if (!tapEvent) {
        return false;
    }
    const TapVerdict verdict = verdict_(*tapEvent);
    if (event.value == 1) {
        heldVerdicts_[event.code] = verdict;
    } else {
        heldVerdicts_.erase(event.code);
    }
    return verdict == TapVerdict::swallow;
}

} // namespace bindwell::linuxplatform
