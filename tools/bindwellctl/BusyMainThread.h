// Main thread only.
#pragma once

#include <QTimer>

namespace bindwell::ctl {

// A test switch: with BINDWELL_TEST_BUSY_MAIN_THREAD=1 in the environment the
// main thread sleeps 200 ms of every 250 ms, as under a slow window or tray
// host, to show that remapping does not wait for it. Off otherwise.
class BusyMainThread final {
public:
    BusyMainThread();

private:
    QTimer timer_;
};

} // namespace bindwell::ctl
