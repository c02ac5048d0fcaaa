// Any thread.
#pragma once

#include "CaseTable.h"
#include "platform/linux/EvdevTranslator.h"

#include <gtest/gtest.h>
#include <libevdev/libevdev.h>
#include <ostream>

// Events and HID records as the tables beside these suites write them: the
// kernel's names with their values ("MSC_SCAN=0xc0041 KEY_MENU=1 SYN_REPORT",
// 0 when left out) and page:usage=value, page and usage in hex ("c:e9=1").
namespace bindwell::test {

inline std::vector<linuxplatform::EvdevEvent> eventsNamed(const std::string& text) {
    std::vector<linuxplatform::EvdevEvent> events;
    for (const std::string& word : words(text)) {
        const std::string name = word.substr(0, word.find('='));
        const int code = libevdev_event_code_from_code_name(name.c_str());
        EXPECT_GE(code, 0) << "no event named " << name;
        events.push_back({static_cast<uint16_t>(libevdev_event_type_from_code_name(name.c_str())),
                          static_cast<uint16_t>(code),
                          name == word ? 0 : std::stoi(word.substr(name.size() + 1), nullptr, 0)});
    }
    return events;
}

inline std::vector<linuxplatform::HidRecord> recordsNamed(const std::string& text) {
    std::vector<linuxplatform::HidRecord> records;
    for (const std::string& word : words(text)) {
        const size_t colon = word.find(':');
        const size_t equals = word.find('=');
        records.push_back({static_cast<uint32_t>(std::stoul(word.substr(0, colon), nullptr, 16)),
                           static_cast<uint32_t>(std::stoul(word.substr(colon + 1), nullptr, 16)),
                           std::stoll(word.substr(equals + 1), nullptr, 0)});
    }
    return records;
}

} // namespace bindwell::test

namespace bindwell::linuxplatform {

// Failed checks print in the same notation.
inline void PrintTo(const EvdevEvent& event, std::ostream* out) {
    *out << libevdev_event_code_get_name(event.type, event.code) << '=' << event.value;
}
inline void PrintTo(const HidRecord& record, std::ostream* out) {
    *out << std::hex << record.page << ':' << record.usage << '=' << std::dec << record.value;
}

} // namespace bindwell::linuxplatform
