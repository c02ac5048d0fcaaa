// Write and read times of a large configuration (1,000 profiles of 12
// mappings), and the reader's cost against a bare parse of the same text, the
// least any reader built on the same JSON library could spend.
#include "model/ConfigFormat.h"
#include "model/DefaultProfiles.h"
#include "model/ShortcutCatalogue.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <unistd.h>

namespace bindwell {
namespace {

constexpr int kProfiles = 1000;

std::vector<DeviceProfile> largeConfig() {
    std::vector<DeviceProfile> profiles;
    const auto presets = RemapAction::allCases();
    for (int i = 0; i < kProfiles; ++i) {
        DeviceProfile profile = genericProfile({.id = {},
                                                .name = "Controller ⌘ " + std::to_string(i),
                                                .manufacturer = "Acme",
                                                .vendorID = 1000 + i,
                                                .productID = 342,
                                                .transport = "USB"});
        profile.isActive = i == 0;
        for (size_t m = 0; m < profile.buttonMappings.size(); ++m) {
            profile.buttonMappings[m].action = presets[(i + m) % presets.size()];
        }
        profiles.push_back(std::move(profile));
    }
    return profiles;
}

const std::vector<DeviceProfile>& config() {
    static const std::vector<DeviceProfile> profiles = largeConfig();
    return profiles;
}

const std::string& configText() {
    static const std::string text = writeConfig(config());
    return text;
}

void writeBenchmark(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(writeConfig(config()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(configText().size()));
}

void readBenchmark(benchmark::State& state) {
    for (auto _ : state) {
        ConfigReadResult result = readConfig(configText());
        if (!result.ok()) {
            state.SkipWithError(result.error.c_str());
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(configText().size()));
}

void bareParseBenchmark(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(nlohmann::json::parse(configText()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(configText().size()));
}

// Keeps each benchmark's time per iteration so the ratio can be printed.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so saved output stays plain text.
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // With repetitions the mean arrives after the single runs and wins.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") {
                continue;
            }
            realTimes[run.run_name.str()] = run.GetAdjustedRealTime();
            cpuTimes[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The ratio of read to bare parse, or 0 when either did not run.
    [[nodiscard]] static double ratio(const std::map<std::string, double>& times) {
        const auto read = times.find("read");
        const auto bare = times.find("bare_parse");
        if (read == times.end() || bare == times.end() || bare->second <= 0) {
            return 0;
        }
        return read->second / bare->second;
    }

    std::map<std::string, double> realTimes;
    std::map<std::string, double> cpuTimes;
};

} // namespace
} // namespace bindwell

int main(int argc, char** argv) {
    using namespace bindwell;
    benchmark::RegisterBenchmark("write", writeBenchmark)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("read", readBenchmark)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("bare_parse", bareParseBenchmark)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    std::printf("config: %d profiles x 12 mappings, %zu bytes\n", kProfiles, configText().size());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // CPU time is the fairer figure on a machine shared with other work.
    std::printf("read / bare parse: %.2f by CPU time, %.2f by wall time (target <= 1.50)\n",
                RatioReporter::ratio(reporter.cpuTimes), RatioReporter::ratio(reporter.realTimes));
    benchmark::Shutdown();
    return 0;
}
