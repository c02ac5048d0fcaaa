// Feeds arbitrary bytes to the configuration reader. Besides the sanitizers'
// checks, every text the reader accepts must survive a round trip: written
// back and read again it must give the same text, or the writer and the
// reader disagree about the format.
#include "model/ConfigFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace bindwell;
    const ConfigReadResult first = readConfig({reinterpret_cast<const char*>(data), size});
    if (!first.ok()) {
        return 0;
    }
    const std::string written = writeConfig(first.profiles);
    const ConfigReadResult second = readConfig(written);
    if (!second.ok() || writeConfig(second.profiles) != written) {
        std::abort();
    }
    return 0;
}
