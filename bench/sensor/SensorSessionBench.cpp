// One hour of a sensor session on the virtual clock, headless: the identity
// cycle, 20 signal samples a second with motion events, and a parameter
// change by the technician once a minute. Reports how many times faster than
// real time the hour runs.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "SensorSession.h"

namespace {

using quarn::testing::SensorSession;
using quarn::testing::SessionDirectory;

constexpr std::int64_t kHourMs = 60LL * 60 * 1000;
constexpr std::int64_t kMinuteMs = 60 * 1000;
// The receive timer runs every 50 ms; stepping by it visits every tick.
constexpr std::int64_t kStepMs = 50;

void BM_OneHourSensorSession(benchmark::State& state) {
    const bool monitorShown = state.range(0) != 0;
    std::int64_t writes = 0;
    double realSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SessionDirectory directory;
        SensorSession session(directory.path.string());
        quarn::sim::DeviceConfig config;
        config.randomMotion = true;
        quarn::sim::Adapter& adapter = session.plug(config);
        session.start(monitorShown);
        if (!session.openWindow()) {
            state.SkipWithError("the sensor window did not open");
            return;
        }
        state.ResumeTiming();

        const auto began = std::chrono::steady_clock::now();
        const std::int64_t end = session.clock.nowMs() + kHourMs;
        std::int64_t nextChange = session.clock.nowMs() + kMinuteMs;
        std::int16_t sensitivity = 0;
        while (session.clock.nowMs() < end) {
            session.clock.advance(kStepMs);
            if (session.clock.nowMs() >= nextChange) {
                // The technician picks another sensitivity, as with the mouse.
                sensitivity = static_cast<std::int16_t>((sensitivity + 1) % 9);
                session.window.parameterList(quarn::sensor::Parameter::Sensitivity).dropDown();
                session.window.parameterList(quarn::sensor::Parameter::Sensitivity)
                    .userSelect(sensitivity);
                nextChange += kMinuteMs;
            }
        }
        realSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

        state.PauseTiming();
        if (!session.window.visible()) {
            state.SkipWithError("the sensor window closed during the hour");
            return;
        }
        for (const auto& frame : adapter.receivedFrames()) {
            writes += frame.command == quarn::link::commandByte(quarn::link::Command::SetParameters)
                          ? 1
                          : 0;
        }
        state.ResumeTiming();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["x_real_time"] = iterations * (kHourMs / 1000.0) / realSeconds;
    state.counters["writes_seen_per_hour"] = static_cast<double>(writes) / iterations;
}
BENCHMARK(BM_OneHourSensorSession)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("monitor")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
