#include "engine/ports/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace bindwell {
namespace {

std::unique_ptr<Platform>& installed() {
    static std::unique_ptr<Platform> platform;
    return platform;
}

} // namespace

void installPlatform(std::unique_ptr<Platform> platform) {
    installed() = std::move(platform);
}

Platform& currentPlatform() {
    if (!installed()) {
        // A programming error, not a user's: every entry point installs one first.
        std::fputs("[Bindwell] No platform installed before first use\n", stderr);
        std::abort();
    }
    return *installed();
}

} // namespace bindwell
