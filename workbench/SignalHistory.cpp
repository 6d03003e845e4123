#include "workbench/SignalHistory.h"

#include <utility>

#include "sensorwin/SignalDisplay.h"

namespace quarn::workbench {

SignalHistory::SignalHistory(const Clock& clock, const HostServices& host,
                             std::function<std::int32_t()> heldPeak)
    : clock_(clock), host_(host), heldPeak_(std::move(heldPeak)), ring_(kHistoryCapacity) {}

std::size_t SignalHistory::firstAtOrAfter(std::int64_t clockMs) const {
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (at(middle).clockMs < clockMs) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

void SignalHistory::sensorWindowOpened() {
    openedAtMs_ = clock_.nowMs();
}

void SignalHistory::sensorWindowClosed() {
    openedAtMs_.reset();
}

void SignalHistory::signalShown(const sensor::SignalSample& sample) {
    if (!sensorwin::carriesLevel(sample)) {
        return;
    }
    const std::int64_t now = clock_.nowMs();
    if (!openedAtMs_) {
        openedAtMs_ = now;
    }
    HistorySample kept;
    kept.clockMs = now;
    kept.msSinceOpen = now - *openedAtMs_;
    kept.wallClock = host_.wallClock();
    kept.level = sample.level;
    kept.heldPeak = heldPeak_ ? heldPeak_() : sample.level;
    kept.alarm = sample.alarm;

    if (count_ < ring_.size()) {
        ring_[(oldest_ + count_) % ring_.size()] = kept;
        ++count_;
    } else {
        ring_[oldest_] = kept;
        oldest_ = (oldest_ + 1) % ring_.size();
    }
    if (sampleHandler_) {
        auto handler = sampleHandler_;
        handler();
    }
}

}  // namespace quarn::workbench
