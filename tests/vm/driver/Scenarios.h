#pragma once

namespace vmtest {

void seizeRefused();
void twinControllers();
void soak();
void withoutUinput();
void unreadableNode();
void commands();
void udevRules();

} // namespace vmtest
