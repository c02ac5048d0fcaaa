#pragma once

namespace vmtest {

void seize();
void seizeRefused();
void twinControllers();
void exitMidHold();
void overflow();
void replugStorm();
void soak();
void withoutUinput();
void unreadableNode();
void devicesCommand();
void monitorCommand();
void udevRules();

} // namespace vmtest
