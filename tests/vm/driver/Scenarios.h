#pragma once

namespace vmtest {

void relaconCaptureAndActions();
void genericLayoutAndTap();
void twinControllers();
void seizeRefused();
void replugStorm();
void soak();
void withoutUinput();
void unreadableNode();
void devicesCommand();
void monitorCommand();
void udevRules();
void latency();
void inputPathCost();
void tenControllers();

} // namespace vmtest
