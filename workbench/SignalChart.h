#pragma once
// The strip chart of the signal history window as a control model: how much
// of the history it shows, where it ends while paused, and its captions.
// Each kept sample tells the view to repaint while the chart follows the
// signal; a paused chart stands still.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/controls/Control.h"
#include "texts/StringTable.h"

namespace quarn::workbench {

// The chart shows the last two minutes.
inline constexpr std::int64_t kChartSpanMs = 2 * 60 * 1000;
// A following chart is redrawn at most this often: two minutes across some
// 600 pixels move by about two pixels in this time, a step the eye follows
// as a smooth scroll; redrawing with every sample (50 ms) would only cost
// time (measured by bench/gui/gui_bench.sh).
inline constexpr std::int64_t kChartRedrawMs = 400;

struct ChartCaptions {
    std::string timeAxis;
    std::string levelAxis;
    std::string peak;
    friend bool operator==(const ChartCaptions&, const ChartCaptions&) = default;
};

// The captions in the chosen language (the window's chart and the report's).
ChartCaptions chartCaptions(const texts::StringTableEntries& strings);

class SignalChart final : public quarn::Control {
  public:
    using Control::Control;

    std::int64_t spanMs() const { return kChartSpanMs; }

    // Where a paused chart ends (the history clock's time); none while the
    // chart follows the newest sample.
    const std::optional<std::int64_t>& frozenEndMs() const { return frozenEndMs_; }
    bool paused() const { return frozenEndMs_.has_value(); }
    // Stops at `endMs`, or follows the newest sample again.
    void pause(std::int64_t endMs) {
        frozenEndMs_ = endMs;
        notifyChanged();
    }
    void resume() {
        frozenEndMs_.reset();
        lastRedrawMs_.reset();
        notifyChanged();
    }
    // A sample was kept at `clockMs`: a chart that follows the signal moves
    // on, once the redraw time has passed since it last moved.
    void sampleKept(std::int64_t clockMs) {
        if (paused() || (lastRedrawMs_ && clockMs >= *lastRedrawMs_ &&
                         clockMs - *lastRedrawMs_ < kChartRedrawMs)) {
            return;
        }
        lastRedrawMs_ = clockMs;
        notifyChanged();
    }

    const ChartCaptions& captions() const { return captions_; }
    void setCaptions(const ChartCaptions& captions) { set(captions_, captions); }

  private:
    std::optional<std::int64_t> frozenEndMs_;
    std::optional<std::int64_t> lastRedrawMs_;
    ChartCaptions captions_;
};

}  // namespace quarn::workbench
