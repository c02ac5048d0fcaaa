#include "platform/linux/LinuxHidDevice.h"

#include <cerrno>
#include <functional>

namespace bindwell::linuxplatform {

LinuxHidDevice::LinuxHidDevice(InputNodeInfo info, std::unique_ptr<EvdevHandle> handle,
                               EvdevTranslator translator, int openError)
    : info_(std::move(info)), handle_(std::move(handle)), description_(describeNode(info_)),
      translator_(std::move(translator)), openError_(openError) {}

int32_t LinuxHidDevice::openSeized() {
    if (handle_) {
        return handle_->grab();
    }
    return openError_ != 0 ? -openError_ : -ENODEV;
}

void LinuxHidDevice::close() {
    if (handle_) {
        handle_->ungrab();
    }
}

void LinuxHidDevice::attach(std::unique_ptr<EvdevHandle> handle) {
    handle_ = std::move(handle);
    openError_ = 0;
}

void LinuxHidDevice::watch(InputThread& loop, std::function<void()> onReadable) {
    watcher_ = std::make_unique<FdWatcher>(loop, handle_->fd(), std::move(onReadable));
}

EvdevHandle::ReadStatus LinuxHidDevice::readPending(
    const std::function<bool(const HidRecord&, uint16_t, double)>& deliver) {
    const std::shared_ptr<EvdevHandle> handle = handle_;
    if (!handle) {
        return EvdevHandle::ReadStatus::stopped;
    }
    const auto translate = [&](const EvdevEvent& event) {
        const HidRecords records = translator_.translate(event);
        for (const HidRecord& record : records) {
            if (!deliver(record, records.key, handle->eventTime())) {
                return false;
            }
        }
        return true;
    };
    // By reference: a std::function holding this lambda itself would
    // allocate on every read.
    return handle->readPending(std::ref(translate));
}

void LinuxHidDevice::detach() {
    watcher_.reset();
    handle_.reset();
}

} // namespace bindwell::linuxplatform
