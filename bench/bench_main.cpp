// Runs every benchmark, then prints the ratios that matter, measured side by
// side in this one run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/report.h"

namespace {

// Keeps each benchmark's passes per second as it is reported.
class PassRateReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            const auto rate = run.counters.find("items_per_second");
            if (rate != run.counters.end() && run.run_type == Run::RT_Iteration) {
                passesPerSecond[run.benchmark_name()] = rate->second.value;
            }
            const auto live = run.counters.find("live_us");
            const auto engine = run.counters.find("engine_us");
            if (live != run.counters.end() && engine != run.counters.end()) {
                inTurn[run.benchmark_name()] = {live->second.value, engine->second.value};
            }
        }
    }

    std::map<std::string, double> passesPerSecond;
    // The live window and the engine alone, timed in turn: us a pass.
    std::map<std::string, std::pair<double, double>> inTurn;
};

// What was reported under a benchmark's name. A name may carry a suffix such
// as "/iterations:1"; a longer full scale ("D1000" after "D10") never follows
// the name directly.
template <typename Value>
[[nodiscard]] const Value* reportedAs(const std::map<std::string, Value>& reported,
                                      const std::string& name) {
    for (const auto& [reportedName, value] : reported) {
        if (reportedName == name || reportedName.starts_with(name + "/")) {
            return &value;
        }
    }
    return nullptr;
}

[[nodiscard]] double nanosecondsPerPass(const PassRateReporter& reporter, const std::string& name) {
    const double* rate = reportedAs(reporter.passesPerSecond, name);
    return rate != nullptr && *rate > 0 ? 1e9 / *rate : 0;
}

// Summary lines start with the platform they were measured on, so that runs on
// several platforms can be told apart when their summaries are put together.
void printRatio(const PassRateReporter& reporter, const std::string& platform,
                const std::string& label, const std::string& slower, const std::string& faster,
                bool atLeastOne = false) {
    const double numerator = nanosecondsPerPass(reporter, slower);
    const double denominator = nanosecondsPerPass(reporter, faster);
    if (numerator > 0 && denominator > 0) {
        aurisplot::bench::printRatio(platform, label, numerator / 1000, denominator / 1000,
                                     atLeastOne);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The window benchmarks need no display unless one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // Qt has made the desktop's locale the C library's; the benchmark options
    // and the figures printed here are numbers with decimal points.
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    PassRateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const std::string platform =
        QStringLiteral("[%1]").arg(QGuiApplication::platformName()).toStdString();
    std::printf("\n");
    for (const auto& [name, rate] : reporter.passesPerSecond) {
        if (name.starts_with("engineAlone")) {
            std::printf("%-12s %-40s %8.1f million passes per second\n", platform.c_str(),
                        name.c_str(), rate / 1e6);
        }
    }
    for (const std::string size : {"D10", "D1000"}) {
        const std::string live = "liveWindow/mm_" + size;
        printRatio(reporter, platform, "live window / toolkit floor, 1 mm " + size, live,
                   "toolkitFloor/mm_" + size);
        printRatio(reporter, platform, "live window / drawing floor, 1 mm " + size, live,
                   "drawingFloor/mm_" + size);
        printRatio(reporter, platform, "naive repaint / live window, 1 mm " + size,
                   "naiveRepaint/mm_" + size, live);
    }
    // (The smaller size runs so that the smoke test keeps it working.)
    if (const auto* inTurn = reportedAs(reporter.inTurn, "liveBesideEngine/mm_D1000")) {
        const auto [live, engine] = *inTurn;
        aurisplot::bench::printRatio(platform,
                                     std::string("live window / engine alone, 1 mm D1000") +
                                         aurisplot::bench::kInTurn + aurisplot::bench::kCleanEngine,
                                     live, engine, true);
    }
    printRatio(reporter, platform, "repeats drawn / live window, 1 mm D1000",
               "repeatsDrawn/mm_D1000", "liveWindow/mm_D1000", true);
    return 0;
}
