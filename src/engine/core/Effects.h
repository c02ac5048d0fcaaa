// Any thread; one owner at a time.
#pragma once

#include "engine/core/OutputEvent.h"

#include <string>
#include <vector>

namespace bindwell {

// What the core decided for one input, in the order it decided it: events to
// post, log lines to write and lastEvent texts to publish. The driver chooses
// when each kind happens: the simulator performs them in order, the input
// thread posts first and hands the texts on afterwards. Slots are reused
// between inputs, so a warm buffer decides without allocating.
class Effects final {
public:
    struct Effect {
        enum class Kind : uint8_t { post, log, lastEvent };
        Kind kind = Kind::post;
        OutputEvent output;
        std::string text;
    };

    void post(const OutputEvent& output) { next(Effect::Kind::post).output = output; }
    // The text to fill in for a log line (without the "[Bindwell] " prefix).
    [[nodiscard]] std::string& log() { return next(Effect::Kind::log).text; }
    void log(std::string_view text) { log().assign(text); }
    // The text to fill in for a lastEvent publication.
    [[nodiscard]] std::string& lastEvent() { return next(Effect::Kind::lastEvent).text; }

    [[nodiscard]] Effect* begin() { return slots_.data(); }
    [[nodiscard]] Effect* end() { return slots_.data() + size_; }
    [[nodiscard]] bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

private:
    Effect& next(Effect::Kind kind) {
        if (size_ == slots_.size()) {
            slots_.emplace_back();
        }
        Effect& effect = slots_[size_++];
        effect.kind = kind;
        effect.text.clear();
        return effect;
    }

    std::vector<Effect> slots_;
    size_t size_ = 0;
};

} // namespace bindwell
