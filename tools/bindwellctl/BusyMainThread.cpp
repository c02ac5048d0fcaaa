#include "BusyMainThread.h"

#include <QtGlobal>
#include <thread>

namespace bindwell::ctl {

BusyMainThread::BusyMainThread() {
    if (qEnvironmentVariableIntValue("BINDWELL_TEST_BUSY_MAIN_THREAD") != 1) {
        return;
    }
    timer_.setInterval(250);
    QObject::connect(&timer_, &QTimer::timeout,
                     [] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); });
    timer_.start();
}

} // namespace bindwell::ctl
