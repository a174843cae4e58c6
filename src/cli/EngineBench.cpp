#include "cli/EngineBench.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "engine/EngineClient.h"

namespace vxlo {

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// A joseki line of some length, different for each n so that no engine
// answers from its cache.
std::vector<TPoint> BenchLine(int n) {
    std::vector<TPoint> line = {{16, 4}, {17, 6}, {15, 6}, {17, 3}, {16, 3}, {16, 2}};
    line.push_back({3 + n % 13, 16 - n / 13 % 10});
    return line;
}

// Median seconds of one query answered, and the client's CPU per query.
std::pair<double, double> TimeQueries(TEngineClient& client, int count, int visits) {
    client.Await(client.Submit(BenchLine(1000), visits));  // the start and the network's loading
    std::vector<double> times;
    const double cpu = CpuSeconds();
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        client.Await(client.Submit(BenchLine(i), visits));
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    return {Median(times), (CpuSeconds() - cpu) / count};
}

}  // namespace

void BenchEngine(const std::string& fakeEngine, const std::string& kataGoDir, TBenchReport& report) {
    double client = 0;
    if (!fakeEngine.empty() && std::filesystem::exists(fakeEngine)) {
        TEngineSettings settings;
        settings.command = {fakeEngine};
        TEngineClient fake(settings);
        const auto [median, cpu] = TimeQueries(fake, 300, 200);
        client = median;
        report.Figure("engine client: query with the fake engine: median us", median * 1e6,
                      "engine client: a query answered by the fake engine: %.0f us (median of 300)", median * 1e6);
        report.Figure("engine client: own CPU per query: us", cpu * 1e6,
                      "engine client: its own CPU per query: %.0f us", cpu * 1e6);
    }
    const std::filesystem::path dir = kataGoDir;
    if (kataGoDir.empty() || !std::filesystem::exists(dir / "katago")) return;
    TEngineSettings settings;
    settings.command = {(dir / "katago").string(), "analysis", "-config", (dir / "analysis.cfg").string(), "-model",
                        (dir / "g170-b6c96.bin.gz").string()};
    try {
        TEngineClient kataGo(settings);
        const double engine = TimeQueries(kataGo, 3, 200).first;
        report.Figure("engine: 200 visits: median s", engine, "engine: 200 visits of KataGo: %.2f s (median of 3)",
                      engine);
        if (client > 0) {
            report.Figure("engine client: share of 200 visits: %", 100 * client / engine,
                          "engine client: %.3f %% of 200 visits (goal: under 5 %%)", 100 * client / engine);
        }
    } catch (const EVxloError& e) {
        // A KataGo that cannot run here (libzip4 missing) leaves its figures out.
        std::fprintf(stderr, "no KataGo figures: %s\n", ErrorDisplayText(e).c_str());
    }
}

}  // namespace vxlo
