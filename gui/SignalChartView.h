#pragma once
// Shows the signal history window's chart model: repaints when the model
// says a sample came in, and paints with paintSignalChart.

#include <QPixmap>
#include <QWidget>
#include <cstdint>

#include "gui/SignalChartPainter.h"

#include "platform/qt/ControlView.h"
#include "workbench/SignalChart.h"
#include "workbench/SignalHistory.h"

namespace quarn::gui {

class SignalChartView final : public qt::ControlView<QWidget, workbench::SignalChart> {
  public:
    SignalChartView(workbench::SignalChart& model, const workbench::SignalHistory& history,
                    QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sync() override;

    const workbench::SignalHistory& history_;
    // The chart's backdrop as last painted, and what it was painted for.
    QPixmap backdrop_;
    ChartTexts backdropTexts_;
    std::int64_t backdropSpanMs_ = 0;
};

}  // namespace quarn::gui
