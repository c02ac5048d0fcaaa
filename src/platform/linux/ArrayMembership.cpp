#include "platform/linux/ArrayMembership.h"

#include "model/HIDButtonSource.h"
#include "platform/linux/ReportDescriptorParser.h"
#include "support/Log.h"

#include <string>

namespace bindwell::linuxplatform {
namespace {

EvdevTranslator::ArrayMembership everyConsumerUsage() {
    return [](uint32_t page, uint32_t) { return page == kConsumerUsagePage; };
}

} // namespace

EvdevTranslator::ArrayMembership arrayMembershipFor(const InputNodeInfo& info,
                                                    std::string_view name) {
    if (!info.hidSyspath) {
        // Not a HID device (a PS/2 keyboard's media keys): no array fields.
        return [](uint32_t, uint32_t) { return false; };
    }
    // A device unplugged during the read fails it with ENODEV: an ordinary
    // race on every replug, answered like any unreadable descriptor.
    const SysfsRead descriptor = readReportDescriptor(info);
    if (descriptor.error != 0 || descriptor.bytes.empty()) {
        log("⚠️ Could not read the HID report descriptor of " + std::string(name) +
            "; treating its consumer buttons as array buttons");
        return everyConsumerUsage();
    }
    std::optional<ParsedDescriptor> parsed = parseReportDescriptor(descriptor.bytes);
    if (!parsed) {
        log("⚠️ The HID report descriptor of " + std::string(name) +
            " does not parse; treating its consumer buttons as array buttons");
        return everyConsumerUsage();
    }
    return [descriptor = std::move(*parsed)](uint32_t page, uint32_t usage) {
        return descriptor.isArrayMember(page, usage);
    };
}

} // namespace bindwell::linuxplatform
