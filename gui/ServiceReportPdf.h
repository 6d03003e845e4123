#pragma once
// The service report on A4 paper as a PDF: page 1 the visit, the note, the
// sensor, its parameters first read and now, and the detection area; page 2
// the signal chart and the change log. The pictures are drawn by callbacks
// into the boxes the layout gives them.

#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

#include "platform/controls/PictureBox.h"
#include "workbench/ServiceReportContent.h"

class QPainter;

namespace quarn::gui {

using ReportDrawing = std::function<void(QPainter&, const QRectF&)>;

struct ServiceReportDrawings {
    ReportDrawing drawDetectionArea;
    ReportDrawing drawSignalChart;
};

// Writes the report to `path`: to a temporary file beside it first, renamed
// to `path` only once complete, so a failure never leaves half a report (nor
// spoils an older one). Returns the reason when it could not be written.
std::optional<QString> writeServiceReportPdf(const workbench::ServiceReportContent& content,
                                             const ServiceReportDrawings& drawings,
                                             const QString& path);

// Draws a detection-area picture and its oval into `box`, as the sensor
// window shows them, keeping the picture's proportions.
void paintDetectionArea(QPainter& painter, const QRectF& box, quarn::PictureBox& picture,
                        quarn::OvalShape& area);

// A framed, empty chart area (the layout writes its heading), for a session
// without a signal chart.
void paintChartFrame(QPainter& painter, const QRectF& box);

}  // namespace quarn::gui
