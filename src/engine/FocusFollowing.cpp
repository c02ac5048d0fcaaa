#include "engine/FocusFollowing.h"

namespace bindwell {

void followFocus(FocusSource& source, HIDInterceptor& engine,
                 const std::function<void(const std::string& reason)>& onReason) {
    if (onReason) {
        onReason(source.unavailableReason());
    }
    source.setHandler([&source, &engine, onReason](const FocusedApp& app) {
        engine.setFocusedApp(app);
        if (onReason) {
            onReason(source.unavailableReason());
        }
    });
}

} // namespace bindwell
