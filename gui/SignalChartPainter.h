#pragma once
// The strip chart of the signal history, drawn with QPainter: the history
// window's chart and the service report's picture of the signal share it.

#include <QPainter>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>

#include "workbench/SignalChart.h"
#include "workbench/SignalHistory.h"

namespace quarn::gui {

struct ChartTexts {
    QString timeAxis;
    QString levelAxis;
    QString peak;
};

// The chart's captions as the painter takes them.
ChartTexts chartTexts(const workbench::ChartCaptions& captions);

// Paints the last `spanMs` of the history, ending at its newest sample (or at `endMs`
// when given, for a paused chart), into `area`: time axis in seconds, level 0 to 20000,
// alarm intervals shaded, held peak marked.
void paintSignalChart(QPainter& painter, const QRectF& area,
                      const workbench::SignalHistory& history, std::int64_t spanMs,
                      const ChartTexts& texts, std::optional<std::int64_t> endMs = {});

}  // namespace quarn::gui
