// Time from a presenter's key report to the key read back from Bindwell's
// virtual keyboard, for keys its profile remaps and keys it passes through
// unchanged, pressed in turn within one run so that the guest's drift under
// software emulation falls on both alike. Figures are printed, not asserted.
#include "Harness.h"
#include "Layouts.h"
#include "Measurements.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <linux/input.h>

namespace vmtest {
namespace {

constexpr size_t kPresses = 800;
// Each remapped action comes round only every eighth press, well outside
// the engine's 0.1 s repeat filter; passed keys take the same pace.
constexpr long long kRepeatGapMicros = 130'000;

struct Key {
    uint8_t usage;
    unsigned posted;
    bool remapped;
};

// Remapped and passed keys alternate.
constexpr Key kKeys[] = {
    {0x4E, KEY_ENTER, true}, {0x05, KEY_B, false}, {0x4B, KEY_TAB, true},   {0x06, KEY_C, false},
    {0x3E, KEY_ESC, true},   {0x07, KEY_D, false}, {0x37, KEY_SPACE, true}, {0x08, KEY_E, false},
};

const UhidDevice::Identity kPresenter{"VM Presenter", 0x1a2b, 0x5e5e, 0x03};

bindwell::DeviceProfile presenterProfile() {
    const bindwell::RemapAction actions[] = {
        bindwell::RemapAction::enterKey(), bindwell::RemapAction::tabKey(),
        bindwell::RemapAction::escapeKey(), bindwell::RemapAction::spaceBar()};
    bindwell::DeviceProfile profile{.id = "presenter",
                                    .deviceName = kPresenter.name,
                                    .vendorID = kPresenter.vendor,
                                    .productID = kPresenter.product,
                                    .serialNumber = {},
                                    .physicalPath = {},
                                    .buttonMappings = {},
                                    .isActive = true};
    const bindwell::RemapAction* action = actions;
    for (const Key& key : kKeys) {
        if (key.remapped) {
            profile.buttonMappings.push_back(
                {.id = std::to_string(key.usage),
                 .source = {bindwell::kKeyboardUsagePage, key.usage, std::nullopt},
                 .action = *action++,
                 .label = std::to_string(key.usage),
                 .isRemappable = true});
        }
    }
    return profile;
}

std::vector<uint8_t> keyReport(uint8_t usage) {
    return {0, 0, usage, 0, 0, 0, 0, 0};
}

double median(std::vector<long long> samples) {
    if (samples.empty()) {
        return 0;
    }
    std::nth_element(samples.begin(), samples.begin() + long(samples.size() / 2), samples.end());
    return double(samples[samples.size() / 2]);
}

} // namespace

void passedKeyLatency() {
    writeConfig({presenterProfile()});
    UhidDevice presenter(kPresenter, loadDescriptor("/vm/keyboard.hid"));
    const auto node = nodeOf(kPresenter);
    BindwellProcess bindwell({});
    const auto virtualNode = virtualDeviceNode();
    if (!check(node && waitForGrab(node->devnode, 5000) && virtualNode,
               "passed-key latency: Bindwell seizes the presenter")) {
        return;
    }
    sleepMs(1000); // start-up is not steady state
    EvdevReader out(virtualNode->devnode);
    std::vector<long long> remapped, passed;
    long long lastPress[std::size(kKeys)] = {};
    for (size_t i = 0; i < kPresses; ++i) {
        const size_t index = i % std::size(kKeys);
        const Key& key = kKeys[index];
        if (const long long wait = lastPress[index] + kRepeatGapMicros - nowMicros(); wait > 0) {
            sleepMs(int(wait / 1000) + 1);
        }
        const long long start = nowMicros();
        presenter.send(keyReport(key.usage));
        while (const auto event = out.next(EV_KEY, 2000)) {
            if (event->code == key.posted && event->value == 1) {
                (key.remapped ? remapped : passed).push_back(nowMicros() - start);
                break;
            }
        }
        lastPress[index] = nowMicros();
        presenter.send(keyReport(0));
        (void)out.keysWithin(2);
    }
    (void)bindwell.stop(SIGTERM);
    const double remappedMedian = median(remapped);
    const double passedMedian = median(passed);
    std::printf("latency presenter: remapped %zu of %zu, median %.0f us; passed %zu of %zu, "
                "median %.0f us; passed / remapped %.2f (target: <= 1.0)\n",
                remapped.size(), kPresses / 2, remappedMedian, passed.size(), kPresses / 2,
                passedMedian, remappedMedian > 0 ? passedMedian / remappedMedian : 0.0);
    check(remapped.size() + passed.size() == kPresses,
          "passed-key latency: every press came through");
}

} // namespace vmtest
