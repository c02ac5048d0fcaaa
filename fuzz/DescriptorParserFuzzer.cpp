// Feeds arbitrary bytes to the HID report-descriptor parser: a controller
// chooses its own descriptor, so a hostile one must neither crash the parser
// nor make it read past the end. Besides the sanitizers' checks:
// - every usage range of an accepted descriptor runs forwards, and the array
//   fields answer for their own first and last usage;
// - an accepted descriptor followed by an item cut short is refused, so a
//   truncated read from sysfs can never pass for a complete one.
#include "platform/linux/ReportDescriptorParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace bindwell::linuxplatform;

void checkFields(const ParsedDescriptor& parsed) {
    for (const InputField& field : parsed.inputs) {
        for (const UsageRange& range : field.usages) {
            if (range.min > range.max) {
                std::abort();
            }
            if (field.isArray && (!parsed.isArrayMember(range.page, range.min) ||
                                  !parsed.isArrayMember(range.page, range.max))) {
                std::abort();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<ParsedDescriptor> parsed = parseReportDescriptor({data, size});
    if (!parsed) {
        return 0;
    }
    checkFields(*parsed);
    // A Usage Page item announcing two data bytes, with only one present.
    std::vector<uint8_t> cut(data, data + size);
    cut.insert(cut.end(), {0x06, 0x0C});
    if (parseReportDescriptor(cut)) {
        std::abort();
    }
    return 0;
}
