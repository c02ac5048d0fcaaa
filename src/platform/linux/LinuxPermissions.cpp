#include "platform/linux/LinuxPermissions.h"

#include "platform/linux/NodeSurvey.h"

#include <fcntl.h>
#include <unistd.h>

namespace bindwell::linuxplatform {

bool LinuxPermissions::canPostEvents() {
    const int fd = ::open("/dev/uinput", O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

bool LinuxPermissions::canMonitorInput() {
    return canReadSomeController(surveyInputNodes());
}

bool LinuxPermissions::canReadDevice(int64_t vendorID, int64_t productID, bool keyboardKeysToo) {
    return canReadEveryNode(surveyInputNodes(), vendorID, productID, keyboardKeysToo);
}

} // namespace bindwell::linuxplatform
