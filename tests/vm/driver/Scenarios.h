#pragma once

namespace vmtest {

void relaconCaptureAndActions();
void genericLayoutAndTap();
void seizeRefused();
void unplugAndReplug();
void withoutUinput();
void unreadableNode();
void devicesCommand();
void monitorCommand();
void udevRules();
void pickerScan();
void latency();

} // namespace vmtest
