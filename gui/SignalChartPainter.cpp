#include "gui/SignalChartPainter.h"

#include "platform/qt/QtConversions.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <algorithm>
#include <array>

namespace quarn::gui {

namespace {

constexpr double kLevelTop = 20000.0;
constexpr int kLevelStep = 5000;
// Samples further apart than this were not one stream (the sensor window
// was closed in between, or the sensor stopped answering): no line joins them.
constexpr std::int64_t kGapMs = 1000;
// The time grid: the smallest of these steps that gives at most this many lines.
constexpr std::array<std::int64_t, 10> kTimeStepsMs = {1000,  2000,  5000,  10000,  15000,
                                                       20000, 30000, 60000, 120000, 300000};
constexpr int kMaxTimeLines = 8;

const QColor kBackground(255, 255, 255);
const QColor kGrid(220, 220, 220);
const QColor kAxis(96, 96, 96);
// Translucent, so that the grid stays visible under an alarm.
const QColor kAlarmShade(255, 0, 0, 56);
const QColor kLevelLine(0, 0, 160);
const QColor kPeakLine(208, 96, 0);

std::int64_t timeStepFor(std::int64_t spanMs) {
    for (const std::int64_t step : kTimeStepsMs) {
        if (spanMs / step <= kMaxTimeLines) {
            return step;
        }
    }
    return kTimeStepsMs.back();
}

// Where the plot goes inside `area`: room on the left for the level
// figures and caption, below for the seconds and the time caption.
QRectF plotArea(const QRectF& area, const QFontMetricsF& metrics) {
    const double line = metrics.height();
    const double left = line * 1.5 + metrics.horizontalAdvance(QStringLiteral("20000")) + 6;
    const double bottom = line * 2.5;
    const double top = line * 0.75;
    const double right = metrics.horizontalAdvance(QStringLiteral("0")) * 2 + 4;
    return area.adjusted(left, top, -right, -bottom);
}

class ChartGeometry {
  public:
    ChartGeometry(const QRectF& plot, std::int64_t startMs, std::int64_t spanMs)
        : plot_(plot), startMs_(startMs), spanMs_(std::max<std::int64_t>(spanMs, 1)) {}

    double x(std::int64_t clockMs) const {
        const double share = static_cast<double>(clockMs - startMs_) / static_cast<double>(spanMs_);
        return plot_.left() + std::clamp(share, 0.0, 1.0) * plot_.width();
    }
    double y(double level) const {
        return plot_.bottom() - std::clamp(level / kLevelTop, 0.0, 1.0) * plot_.height();
    }

  private:
    QRectF plot_;
    std::int64_t startMs_;
    std::int64_t spanMs_;
};

// The grid, axes, figures and captions: they depend on the plot and the
// span only, never on the samples, so a view can keep them painted.
void paintGrid(QPainter& painter, const QRectF& plot, const ChartGeometry& at, std::int64_t startMs,
               std::int64_t endMs, const ChartTexts& texts) {
    const QFontMetricsF metrics(painter.font());
    painter.setPen(QPen(kGrid, 0));
    for (int level = 0; level <= static_cast<int>(kLevelTop); level += kLevelStep) {
        painter.drawLine(QPointF(plot.left(), at.y(level)), QPointF(plot.right(), at.y(level)));
    }
    const std::int64_t step = timeStepFor(endMs - startMs);
    for (std::int64_t before = 0; before <= endMs - startMs; before += step) {
        const double x = at.x(endMs - before);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }

    painter.setPen(QPen(kAxis, 0));
    painter.drawRect(plot);
    const double line = metrics.height();
    for (int level = 0; level <= static_cast<int>(kLevelTop); level += kLevelStep) {
        const QRectF label(plot.left() - 200, at.y(level) - line / 2, 200 - 4, line);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(level));
    }
    // Seconds before the chart's end: -120 ... 0.
    for (std::int64_t before = 0; before <= endMs - startMs; before += step) {
        const double x = at.x(endMs - before);
        const QString seconds = QString::number(before == 0 ? 0 : -before / 1000);
        painter.drawText(QRectF(x - 40, plot.bottom() + 2, 80, line),
                         Qt::AlignHCenter | Qt::AlignTop, seconds);
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + line + 4, plot.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, texts.timeAxis);
    painter.save();
    painter.translate(plot.left() - metrics.horizontalAdvance(QStringLiteral("20000")) - 8 - line,
                      plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line),
                     Qt::AlignHCenter | Qt::AlignTop, texts.levelAxis);
    painter.restore();
}

// Each stretch of samples with the alarm on, to the next sample.
void paintAlarmShading(QPainter& painter, const QRectF& plot, const ChartGeometry& at,
                       const workbench::SignalHistory& history, std::size_t first,
                       std::size_t end) {
    for (std::size_t i = first; i < end; ++i) {
        if (!history.at(i).alarm) {
            continue;
        }
        const std::size_t runStart = i;
        while (i + 1 < end && history.at(i + 1).alarm &&
               history.at(i + 1).clockMs - history.at(i).clockMs <= kGapMs) {
            ++i;
        }
        const std::int64_t fromMs = history.at(runStart).clockMs;
        std::int64_t toMs = history.at(i).clockMs + 1000 / workbench::kSignalSamplesPerSecond;
        if (i + 1 < history.size() && history.at(i + 1).clockMs - history.at(i).clockMs <= kGapMs) {
            toMs = history.at(i + 1).clockMs;
        }
        const double left = at.x(fromMs);
        painter.fillRect(QRectF(left, plot.top(), std::max(at.x(toMs) - left, 1.0), plot.height()),
                         kAlarmShade);
    }
}

// The level line. Where several samples fall on one pixel column only the
// first, the extremes and the last of them are drawn there: the line looks
// the same and costs a few points a column, not one a sample.
void paintLevel(QPainter& painter, const ChartGeometry& at, const workbench::SignalHistory& history,
                std::size_t first, std::size_t end) {
    painter.setPen(QPen(kLevelLine, 1));
    QPolygonF stretch;
    auto flush = [&] {
        if (stretch.size() == 1) {
            painter.drawPoint(stretch.front());
        } else if (stretch.size() > 1) {
            painter.drawPolyline(stretch);
        }
        stretch.clear();
    };
    // The samples of the current pixel column: its x, the extremes of their
    // y, the last one's y. The first one's point is in the stretch already.
    struct Column {
        int x = 0;
        double top = 0;
        double bottom = 0;
        double last = 0;
        int count = 0;
    } column;
    auto closeColumn = [&] {
        if (column.count > 2) {
            stretch.append(QPointF(column.x, column.top));
            stretch.append(QPointF(column.x, column.bottom));
        }
        if (column.count > 1) {
            stretch.append(QPointF(column.x, column.last));
        }
        column.count = 0;
    };
    for (std::size_t i = first; i < end; ++i) {
        const workbench::HistorySample& sample = history.at(i);
        if (i > first && sample.clockMs - history.at(i - 1).clockMs > kGapMs) {
            closeColumn();
            flush();
        }
        const int x = static_cast<int>(at.x(sample.clockMs));
        const double y = at.y(sample.level);
        if (column.count > 0 && x != column.x) {
            closeColumn();
        }
        if (column.count == 0) {
            column = Column{x, y, y, y, 0};
            stretch.append(QPointF(x, y));
        }
        column.top = std::min(column.top, y);
        column.bottom = std::max(column.bottom, y);
        column.last = y;
        ++column.count;
    }
    closeColumn();
    flush();
}

// The peak the signal column held at the chart's last sample: a dashed line
// across the plot with its value at the right.
void paintHeldPeak(QPainter& painter, const QRectF& plot, const ChartGeometry& at,
                   std::int32_t peak, const ChartTexts& texts) {
    const double y = at.y(peak);
    painter.setPen(QPen(kPeakLine, 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    const QString label = texts.peak + QLatin1Char(' ') + QString::number(peak);
    const QFontMetricsF metrics(painter.font());
    const double width = metrics.horizontalAdvance(label) + 8;
    const double height = metrics.height();
    // Below the line when it runs along the top of the plot.
    const double top = y - height - 2 < plot.top() ? y + 2 : y - height - 2;
    const QRectF box(plot.right() - width - 2, top, width, height);
    painter.fillRect(box, QColor(255, 255, 255, 220));
    painter.setPen(QPen(kPeakLine, 0));
    painter.drawText(box, Qt::AlignCenter, label);
}

}  // namespace

// Where the chart's plot and time axis lie for `area` and `spanMs`;
// nothing when the area is too small to hold a plot.
std::optional<QRectF> plotFor(const QPainter& painter, const QRectF& area, std::int64_t spanMs) {
    const QRectF plot = plotArea(area, QFontMetricsF(painter.font()));
    if (plot.width() <= 1 || plot.height() <= 1 || spanMs <= 0) {
        return std::nullopt;
    }
    return plot;
}

void paintChartBackdrop(QPainter& painter, const QRectF& area, std::int64_t spanMs,
                        const ChartTexts& texts) {
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, kBackground);
    if (const std::optional<QRectF> plot = plotFor(painter, area, spanMs)) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        // The grid counts back from the chart's end, wherever that is.
        const ChartGeometry at(*plot, 0, spanMs);
        paintGrid(painter, *plot, at, 0, spanMs, texts);
    }
    painter.restore();
}

void paintChartTrace(QPainter& painter, const QRectF& area, const workbench::SignalHistory& history,
                     std::int64_t spanMs, const ChartTexts& texts,
                     std::optional<std::int64_t> endMs) {
    const std::optional<QRectF> plot = plotFor(painter, area, spanMs);
    if (!plot) {
        return;
    }
    const std::int64_t end = endMs ? *endMs : (history.empty() ? spanMs : history.newest().clockMs);
    const std::int64_t start = end - spanMs;
    const ChartGeometry at(*plot, start, spanMs);

    const std::size_t first = history.firstAtOrAfter(start);
    const std::size_t last = history.firstAtOrAfter(end + 1);  // one past the chart's end

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(plot->adjusted(0, -1, 1, 1));
    paintAlarmShading(painter, *plot, at, history, first, last);
    paintLevel(painter, at, history, first, last);
    if (last > first) {
        paintHeldPeak(painter, *plot, at, history.at(last - 1).heldPeak, texts);
    }
    painter.restore();
}

void paintSignalChart(QPainter& painter, const QRectF& area,
                      const workbench::SignalHistory& history, std::int64_t spanMs,
                      const ChartTexts& texts, std::optional<std::int64_t> endMs) {
    paintChartBackdrop(painter, area, spanMs, texts);
    paintChartTrace(painter, area, history, spanMs, texts, endMs);
}

ChartTexts chartTexts(const workbench::ChartCaptions& captions) {
    return {qt::toQString(captions.timeAxis), qt::toQString(captions.levelAxis),
            qt::toQString(captions.peak)};
}

}  // namespace quarn::gui
