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
    friend bool operator==(const ChartTexts&, const ChartTexts&) = default;
};

// The chart's captions as the painter takes them.
ChartTexts chartTexts(const workbench::ChartCaptions& captions);

// Paints the last `spanMs` of the history, ending at its newest sample (or at `endMs`
// when given, for a paused chart), into `area`: time axis in seconds, level 0 to 20000,
// alarm intervals shaded, held peak marked.
void paintSignalChart(QPainter& painter, const QRectF& area,
                      const workbench::SignalHistory& history, std::int64_t spanMs,
                      const ChartTexts& texts, std::optional<std::int64_t> endMs = {});

// The same chart in two layers, for a view that repaints it many times a
// second: the backdrop (background, grid, axes, figures and captions),
// which depends only on the area, the span and the texts and can be kept
// in a pixmap, and the trace (alarm shading, level line, held peak) drawn
// over it.
void paintChartBackdrop(QPainter& painter, const QRectF& area, std::int64_t spanMs,
                        const ChartTexts& texts);
void paintChartTrace(QPainter& painter, const QRectF& area, const workbench::SignalHistory& history,
                     std::int64_t spanMs, const ChartTexts& texts,
                     std::optional<std::int64_t> endMs = {});

}  // namespace quarn::gui
