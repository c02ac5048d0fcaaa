// Tap, hold and double tap on the real path: the controller's presses carry
// the kernel's timestamps, and the output's timestamps show when a gesture
// was decided.
#include "Harness.h"
#include "Scenarios.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <linux/input.h>

namespace vmtest {
namespace {
using bindwell::RemapAction;

constexpr uint16_t kSkipForward = 0xB5; // Enter, held Escape, double Tab
constexpr uint16_t kSkipBack = 0xB6;    // Enter, held Escape

// Microseconds on the clock an evdev reader's timestamps use by default.
long long realMicros() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

long long stampMicros(const input_event& event) {
    return event.input_event_sec * 1000000LL + event.input_event_usec;
}

void addGestures(bindwell::DeviceProfile& profile, const std::string& label,
                 std::optional<RemapAction> hold, std::optional<RemapAction> doubleTap) {
    for (bindwell::ButtonMapping& mapping : profile.buttonMappings) {
        if (mapping.label == label) {
            mapping.action = RemapAction::enterKey();
            mapping.holdAction = hold;
            mapping.doubleTapAction = doubleTap;
        }
    }
}

// Sends one report and answers when it was sent.
long long sendAt(UhidDevice& device, uint16_t usage) {
    const long long sent = realMicros();
    device.send(consumerReport(usage));
    return sent;
}

// The first key event with this code and value within the timeout; the
// other key events on the way are added to `seen`.
std::optional<input_event> awaitKey(EvdevReader& out, KeyEvent wanted, int timeoutMs,
                                    std::vector<KeyEvent>& seen) {
    const long long deadline = nowMicros() + timeoutMs * 1000LL;
    while (const auto event = out.next(EV_KEY, int((deadline - nowMicros()) / 1000))) {
        seen.push_back({event->code, event->value});
        if (seen.back() == wanted) {
            return event;
        }
    }
    return std::nullopt;
}

void holdPastTheHoldTime(UhidDevice& remote, EvdevReader& out) {
    std::vector<KeyEvent> seen;
    const long long pressed = sendAt(remote, kSkipForward);
    const auto escape = awaitKey(out, {KEY_ESC, 1}, 1500, seen);
    sleepMs(int(450 - (realMicros() - pressed) / 1000));
    sendAt(remote, 0);
    const std::vector<KeyEvent> rest = out.keysWithin(400);
    seen.insert(seen.end(), rest.begin(), rest.end());
    const long long after = escape ? (stampMicros(*escape) - pressed) / 1000 : -1;
    check(after >= 400 && seen == std::vector<KeyEvent>{{KEY_ESC, 1}, {KEY_ESC, 0}},
          "gestures: held 450 ms gives Escape at the hold time",
          "saw " + describe(seen) + ", Escape " + std::to_string(after) + " ms after the press");
    std::printf("gestures: Escape posted %lld ms after the press\n", after);
}

void doubleTap(UhidDevice& remote, EvdevReader& out) {
    const long long first = sendAt(remote, kSkipForward);
    sleepMs(60);
    sendAt(remote, 0);
    sleepMs(70);
    const long long second = sendAt(remote, kSkipForward);
    sleepMs(60);
    sendAt(remote, 0);
    const std::vector<KeyEvent> seen = out.keysWithin(600);
    check(seen == std::vector<KeyEvent>{{KEY_TAB, 1}, {KEY_TAB, 0}},
          "gestures: a second press within the window gives only Tab",
          "saw " + describe(seen) + ", presses " + std::to_string((second - first) / 1000) +
              " ms apart");
}

void tapOfHoldOnlyButton(UhidDevice& remote, EvdevReader& out) {
    std::vector<KeyEvent> seen;
    sendAt(remote, kSkipBack);
    sleepMs(50);
    const long long released = sendAt(remote, 0);
    const auto enter = awaitKey(out, {KEY_ENTER, 1}, 1000, seen);
    const long long delay = enter ? stampMicros(*enter) - released : -1;
    check(enter && delay >= 0 && out.expectKeys({{KEY_ENTER, 0}}, 500),
          "gestures: a tap of a hold-only button gives Enter at its release",
          "saw " + describe(seen) + ", " + std::to_string(delay) + " us after the release");
    std::printf("gestures: Enter posted %lld us after the release\n", delay);
}

} // namespace

void gestures() {
    const int failuresBefore = failures();
    bindwell::DeviceProfile profile = relaconLayout();
    addGestures(profile, "Skip Forward", RemapAction::escapeKey(), RemapAction::tabKey());
    addGestures(profile, "Skip Back", RemapAction::escapeKey(), std::nullopt);
    writeConfig(profile);
    auto remote = plugController();
    const auto consumer = controllerConsumerNode();
    BindwellProcess bindwell({});
    const auto output = virtualDeviceNode();
    if (!check(consumer && waitForGrab(consumer->devnode) && output, "gestures: Bindwell runs")) {
        dumpOnFailure(bindwell, failuresBefore);
        return;
    }
    EvdevReader out(output->devnode);
    constexpr void (*kSteps[])(UhidDevice&, EvdevReader&) = {holdPastTheHoldTime, doubleTap,
                                                             tapOfHoldOnlyButton};
    for (const auto step : kSteps) {
        step(*remote, out);
        // Past the double-tap window and the repeat filter before the next.
        sleepMs(300);
        out.drain();
    }
    check(bindwell.stop(SIGTERM) == 0, "gestures: clean exit");
    dumpOnFailure(bindwell, failuresBefore);
}

} // namespace vmtest
