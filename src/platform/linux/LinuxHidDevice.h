// The input loop's thread.
#pragma once

#include "engine/ports/HidDevice.h"
#include "platform/linux/EvdevHandle.h"
#include "platform/linux/EvdevTranslator.h"
#include "platform/linux/FdWatcher.h"
#include "platform/linux/InputNodeInfo.h"

#include <memory>
#include <vector>

namespace bindwell::linuxplatform {

// One consumer-control or keyboard-key evdev node followed by a
// LinuxHidManager. Its description stays readable after the node is gone;
// seizing it then fails.
class LinuxHidDevice final : public HidDevice {
public:
    // Without a handle, `openError` is why the node could not be opened;
    // seizing then reports it.
    LinuxHidDevice(InputNodeInfo info, std::unique_ptr<EvdevHandle> handle,
                   EvdevTranslator translator, int openError = 0);

    [[nodiscard]] const HidDeviceDescription& description() const override { return description_; }
    [[nodiscard]] int32_t openSeized() override;
    void close() override;

    [[nodiscard]] const InputNodeInfo& info() const { return info_; }
    [[nodiscard]] bool isAttached() const { return handle_ != nullptr; }

    // Gives a node that could not be opened its handle once it can be.
    void attach(std::unique_ptr<EvdevHandle> handle);
    void watch(InputThread& loop, std::function<void()> onReadable);
    // Translates pending input and hands each record over as soon as it is
    // complete, with its key code (HidRecords::key) and the time it happened
    // (EvdevHandle::eventTime), until
    // `deliver` answers false. Safe against detach() from
    // inside `deliver`: the node then closes when reading ends.
    [[nodiscard]] EvdevHandle::ReadStatus
    readPending(const std::function<bool(const HidRecord&, uint16_t, double)>& deliver);
    // Stops watching, releases any grab and closes the node.
    void detach();

private:
    InputNodeInfo info_;
    std::shared_ptr<EvdevHandle> handle_;
    HidDeviceDescription description_;
    EvdevTranslator translator_;
    std::unique_ptr<FdWatcher> watcher_;
    int openError_ = 0;
};

} // namespace bindwell::linuxplatform
