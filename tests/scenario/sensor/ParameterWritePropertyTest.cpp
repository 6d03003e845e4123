// Thousands of short sessions with a faulty line, a faulty sensor and a
// technician who clicks at random. Whatever happens, every parameter write
// the sensor receives carries, in each parameter, either a value the sensor
// itself held or a value the technician picked for that parameter.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "scenario/sensor/SensorSession.h"

namespace quarn::sensorwin {
namespace {

using sensor::Parameter;

constexpr std::uint32_t kSessions = 2000;
constexpr std::int64_t kSessionMs = 9000;  // about 3 s of it before the window opens
constexpr std::int64_t kStepMs = 10;

constexpr std::array<std::uint8_t, 6> kMin{1, 1, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 6> kMax{9, 9, 2, 2, 1, 2};

struct Totals {
    int sessionsWithWindow = 0;
    int writes = 0;
    int choices = 0;
    int reads = 0;
};

class RandomSession {
  public:
    RandomSession(const std::string& directory, std::uint32_t seed)
        : seed_(seed), rng_(seed), session_(directory) {}

    // Returns an empty text, or a description of the first bad write.
    std::string run(Totals& totals) {
        sim::DeviceConfig config = randomSensor();
        for (std::size_t i = 0; i < 6; ++i) {
            allowed_[i].insert(wireValues(config.parameters)[i]);
        }
        adapter_ = &session_.plug(config);
        adapter_->setSeed(seed_);
        adapter_->setReplyDelayMs(pick({0, 5, 20, 45, 70, 120}));
        adapter_->setDropReplyRate(pickRate({0.0, 0.0, 0.05, 0.2, 0.5}));
        adapter_->setCorruptChecksumRate(pickRate({0.0, 0.0, 0.05, 0.2}));
        adapter_->setShortReplyRate(pickRate({0.0, 0.0, 0.05, 0.2}));
        session_.start(false);

        bool opened = false;
        std::size_t seen = 0;
        while (session_.clock.nowMs() < kSessionMs && !session_.app.ended()) {
            act(totals);
            session_.clock.advance(kStepMs);
            opened = opened || session_.window.visible();
            const auto& frames = adapter_->receivedFrames();
            for (; seen < frames.size(); ++seen) {
                const std::string fault = check(frames[seen], totals);
                if (!fault.empty()) {
                    return fault;
                }
            }
        }
        totals.sessionsWithWindow += opened ? 1 : 0;
        return {};
    }

  private:
    static std::array<std::uint8_t, 6> wireValues(const sim::ZelParameters& p) {
        return {p.sensitivity, p.relayOnTime, p.reactionSpeed,
                p.mainsFilter, p.highTraffic, p.height};
    }

    int pick(std::initializer_list<int> options) {
        std::uniform_int_distribution<std::size_t> d(0, options.size() - 1);
        return *(options.begin() + d(rng_));
    }
    double pickRate(std::initializer_list<double> options) {
        std::uniform_int_distribution<std::size_t> d(0, options.size() - 1);
        return *(options.begin() + d(rng_));
    }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    sim::DeviceConfig randomSensor() {
        sim::DeviceConfig config;
        config.firmware = static_cast<std::uint16_t>(pick({0x0100, 0x01FF, 0x0200, 0x0310}));
        std::array<std::uint8_t, 6> v{};
        for (std::size_t i = 0; i < 6; ++i) {
            v[i] = static_cast<std::uint8_t>(uniform(kMin[i], kMax[i]));
        }
        config.parameters = {v[0], v[1], v[2], v[3], v[4], v[5]};
        config.randomMotion = chance(0.3);
        config.seed = seed_;
        return config;
    }

    // Replies that report the sensor's values with one of them out of range.
    void forceBadReplies() {
        auto values = wireValues(adapter_->zelSensor()->parameters());
        const auto k = static_cast<std::size_t>(uniform(0, 5));
        values[k] = k < 2 ? static_cast<std::uint8_t>(pick({0, 10, 200}))
                          : static_cast<std::uint8_t>(uniform(kMax[k] + 1, 255));
        adapter_->zelSensor()->setForcedReplyValues(values);
    }

    void act(Totals& totals) {
        SensorWindow& w = session_.window;
        // The five visible lists, in payload order.
        auto list = [&w](std::size_t which) -> ComboList& {
            return w.parameterList(static_cast<Parameter>(which));
        };
        if (w.visible() && chance(0.04)) {
            const auto which = static_cast<std::size_t>(uniform(0, 4));
            ComboList& chosen = list(which);
            if (chance(0.8)) {
                chosen.dropDown();
            }
            const auto index = static_cast<std::int16_t>(uniform(0, chosen.listCount() - 1));
            chosen.userSelect(index);
            allowed_[which].insert(static_cast<std::uint8_t>(index + (which < 2 ? 1 : 0)));
            ++totals.choices;
        }
        if (w.visible() && chance(0.015)) {
            list(static_cast<std::size_t>(uniform(0, 4))).dropDown();  // closed unclicked
        }
        if (adapter_->zelSensor() != nullptr) {
            // Bad replies now and then, for about a second at a time.
            if (!adapter_->zelSensor()->config().forcedReplyValues && chance(0.002)) {
                forceBadReplies();
            } else if (chance(0.01)) {
                adapter_->zelSensor()->setForcedReplyValues(std::nullopt);
            }
        }
        if (chance(0.003)) {
            if (adapter_->hasDevice()) {
                adapter_->detachDevice();
            } else {
                adapter_->reattachDevice();
            }
        }
        if (chance(0.002)) {
            if (adapter_->plugged()) {
                session_.bus.unplug(*adapter_);
            } else {
                session_.bus.replug(*adapter_);
            }
        }
        if (w.visible() && chance(0.0005)) {
            w.exitMenu.click();
        }
    }

    std::string check(const sim::ReceivedFrame& frame, Totals& totals) {
        if (frame.command == 2) {
            ++totals.reads;
        }
        if (frame.command != 4 || !frame.checksumOk) {
            return {};
        }
        ++totals.writes;
        for (std::size_t i = 0; i < frame.payload.size() && i < 6; ++i) {
            if (allowed_[i].count(frame.payload[i]) == 0) {
                std::ostringstream out;
                out << "seed " << seed_ << " at " << frame.timeMs << " ms: parameter " << i
                    << " written as " << int(frame.payload[i]) << ", allowed:";
                for (const auto v : allowed_[i]) {
                    out << ' ' << int(v);
                }
                return out.str();
            }
        }
        return {};
    }

    std::uint32_t seed_;
    std::mt19937 rng_;
    testing::SensorSession session_;
    sim::Adapter* adapter_ = nullptr;
    std::array<std::set<std::uint8_t>, 6> allowed_;
};

TEST(ParameterWriteProperty, SensorReceivesOnlyValuesItHeldOrTheTechnicianPicked) {
    testing::SessionDirectory dir;
    Totals totals;
    for (std::uint32_t seed = 1; seed <= kSessions; ++seed) {
        RandomSession session(dir.path.string(), seed);
        const std::string fault = session.run(totals);
        ASSERT_EQ(fault, "");
    }
    std::cout << "sessions with the window open: " << totals.sessionsWithWindow
              << ", choices: " << totals.choices << ", writes: " << totals.writes
              << ", reads: " << totals.reads << '\n';
    // The sessions did exercise the window and the writes.
    EXPECT_GT(totals.sessionsWithWindow, static_cast<int>(kSessions) / 2);
    EXPECT_GT(totals.writes, static_cast<int>(kSessions));
    EXPECT_GT(totals.choices, static_cast<int>(kSessions));
}

}  // namespace
}  // namespace quarn::sensorwin
