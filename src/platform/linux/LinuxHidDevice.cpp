#include "platform/linux/LinuxHidDevice.h"

#include <cerrno>

namespace bindwell::linuxplatform {

LinuxHidDevice::LinuxHidDevice(InputNodeInfo info, std::unique_ptr<EvdevHandle> handle,
                               HidProperties properties, EvdevTranslator translator)
    : info_(std::move(info)), handle_(std::move(handle)), properties_(std::move(properties)),
      translator_(std::move(translator)) {}

std::optional<HidPropertyValue> LinuxHidDevice::property(std::string_view key) const {
    const auto it = properties_.find(key);
    return it == properties_.end() ? std::nullopt : std::optional<HidPropertyValue>(it->second);
}

int32_t LinuxHidDevice::openSeized() {
    return handle_ ? handle_->grab() : -ENODEV;
}

void LinuxHidDevice::close() {
    if (handle_) {
        handle_->ungrab();
    }
}

void LinuxHidDevice::watch(std::function<void()> onReadable) {
    watcher_ = std::make_unique<FdWatcher>(handle_->fd(), std::move(onReadable));
}

LinuxHidDevice::ReadResult LinuxHidDevice::readPending() {
    ReadResult result;
    if (!handle_) {
        return result;
    }
    const EvdevHandle::ReadStatus status = handle_->readPending([&](const EvdevEvent& event) {
        std::vector<HidRecord> records = translator_.translate(event);
        result.records.insert(result.records.end(), records.begin(), records.end());
    });
    result.gone = status == EvdevHandle::ReadStatus::gone;
    return result;
}

void LinuxHidDevice::detach() {
    watcher_.reset();
    handle_.reset();
}

} // namespace bindwell::linuxplatform
