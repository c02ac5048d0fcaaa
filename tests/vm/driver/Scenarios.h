#pragma once

namespace vmtest {

void seizeRefused();
void twinControllers();
void soak();
void withoutUinput();
void unreadableNode();
void commands();
void udevRules();
void presenter();
void pedal();
void gestures();

} // namespace vmtest
