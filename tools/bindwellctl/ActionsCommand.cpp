// bindwellctl actions: what the action picker offers and what each choice
// posts, so the catalogue can be checked against a desktop's shortcut list
// without a display.
#include "Command.h"
#include "model/ShortcutCatalogue.h"
#include "platform/linux/PostedKeyNames.h"

#include <cstdio>

namespace bindwell::ctl {
namespace {

void printGroup(std::string_view title, const std::vector<RemapAction>& actions) {
    std::printf("# %.*s\n", static_cast<int>(title.size()), title.data());
    for (const RemapAction& action : actions) {
        std::printf("%s\t%s\n", action.displayName().c_str(),
                    linuxplatform::describePostedKeys(action).c_str());
    }
}

int actions(const std::vector<std::string_view>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: bindwellctl actions\n");
        return 2;
    }
    std::vector<RemapAction> fixed;
    for (const RemapAction::Kind kind : RemapAction::payloadFreeKinds()) {
        fixed.push_back(RemapAction::payloadFree(kind));
    }
    printGroup(kFixedActionsTitle, fixed);
    for (const PresetGroup& group : presetGroups()) {
        printGroup(group.title, group.presets);
    }
    return 0;
}

const CommandRegistration registration({
    .name = "actions",
    .usage = "actions",
    .summary = "list what the action picker offers and the Linux key codes each choice posts",
    .run = actions,
});

} // namespace
} // namespace bindwell::ctl
