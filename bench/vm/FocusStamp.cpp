// The clock for the focus latency figures, in nanoseconds of CLOCK_REALTIME
// (busybox's date has no %N). "bindwell_focus_stamp now" prints the time;
// without arguments it copies standard input, each line prefixed with the
// time it was read and a tab, flushed at once.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "now") {
        std::printf("%lld\n", nowNs());
        return 0;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        std::printf("%lld\t%s\n", nowNs(), line.c_str());
        std::fflush(stdout);
    }
    return 0;
}
