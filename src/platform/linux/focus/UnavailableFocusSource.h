// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"

namespace bindwell::linuxplatform {

// What the probe hands out when no desktop interface answers: it reports
// nothing and says why.
class UnavailableFocusSource final : public FocusSource {
public:
    explicit UnavailableFocusSource(std::string reason) : reason_(std::move(reason)) {}

    [[nodiscard]] std::string_view name() const override { return "none"; }
    [[nodiscard]] std::string unavailableReason() const override { return reason_; }
    void setHandler(Handler) override {}

private:
    std::string reason_;
};

} // namespace bindwell::linuxplatform
