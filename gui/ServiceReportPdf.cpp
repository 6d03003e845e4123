#include "gui/ServiceReportPdf.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <vector>

#include "platform/qt/PictureBoxView.h"
#include "platform/qt/QtConversions.h"
#include "workbench/ChangeLogLines.h"
#include "workbench/TextPlaceholders.h"

namespace quarn::gui {

namespace {

constexpr int kDotsPerInch = 300;
constexpr qreal kMarginMillimetres = 18.0;
constexpr qreal kTitlePoints = 18.0;
constexpr qreal kHeadingPoints = 12.5;
constexpr qreal kBodyPoints = 10.0;
constexpr qreal kSmallPoints = 8.5;
constexpr int kPageCount = 2;
// Space before a heading and after a section, in body lines.
constexpr qreal kSectionGapLines = 0.9;
// The note takes at most this many lines; the rest is cut.
constexpr int kMaxNoteLines = 8;
// Width of the label column of label-value rows, of the text width.
constexpr qreal kLabelColumnShare = 0.32;
// The parameter table's columns, of the text width.
constexpr qreal kParameterColumnShare = 0.44;
constexpr qreal kValueColumnShare = 0.28;
// The detection-area picture's size, of the text width, at the sensor
// window's 4:3 proportion.
constexpr qreal kAreaWidthShare = 0.5;
constexpr qreal kAreaAspect = 3.0 / 4.0;
// The signal chart's height, of the text width.
constexpr qreal kChartHeightShare = 0.45;
const QColor kRuleColor(128, 128, 128);
const QColor kChangedRowShade(255, 244, 200);

QString qs(const std::string& text) {
    return qt::toQString(text);
}

// Lays the report's blocks out top to bottom on one page at a time.
class PageLayout {
  public:
    PageLayout(QPainter& painter, const QRectF& textArea) : painter_(painter), area_(textArea) {
        top_ = area_.top();
    }

    qreal width() const { return area_.width(); }
    qreal remaining() const { return area_.bottom() - top_; }
    qreal lineHeight(qreal points) const {
        painter_.setFont(font(points));
        return painter_.fontMetrics().lineSpacing();
    }
    // Leaves the painter with the plain text font of this size, for a
    // drawing that writes its own captions.
    void useFont(qreal points) { painter_.setFont(font(points)); }

    void title(const std::string& text) {
        painter_.setFont(font(kTitlePoints, true));
        const qreal height = painter_.fontMetrics().lineSpacing();
        painter_.drawText(QRectF(area_.left(), top_, width(), height), Qt::AlignLeft, qs(text));
        top_ += height;
        rule();
    }

    void heading(const std::string& text) {
        top_ += lineHeight(kBodyPoints) * kSectionGapLines;
        painter_.setFont(font(kHeadingPoints, true));
        const qreal height = painter_.fontMetrics().lineSpacing();
        painter_.drawText(QRectF(area_.left(), top_, width(), height), Qt::AlignLeft, qs(text));
        top_ += height * 1.1;
    }

    void labelledRows(const std::vector<workbench::LabelledValue>& rows) {
        const qreal labelWidth = width() * kLabelColumnShare;
        for (const workbench::LabelledValue& row : rows) {
            const qreal height = lineHeight(kBodyPoints);
            painter_.setFont(font(kBodyPoints, true));
            painter_.drawText(QRectF(area_.left(), top_, labelWidth, height), Qt::AlignLeft,
                              qs(row.label));
            painter_.setFont(font(kBodyPoints));
            const QString value = painter_.fontMetrics().elidedText(
                qs(row.value), Qt::ElideRight, static_cast<int>(width() - labelWidth));
            painter_.drawText(QRectF(area_.left() + labelWidth, top_, width() - labelWidth, height),
                              Qt::AlignLeft, value);
            top_ += height;
        }
    }

    // Wrapped text, cut after maxLines lines.
    void paragraph(const std::vector<std::string>& lines, int maxLines) {
        painter_.setFont(font(kBodyPoints));
        QString text;
        for (const std::string& line : lines) {
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + qs(line);
        }
        const qreal lineHeight = painter_.fontMetrics().lineSpacing();
        const QRectF most(area_.left(), top_, width(), lineHeight * maxLines);
        const QRectF needed = painter_.boundingRect(most, Qt::AlignLeft | Qt::TextWordWrap, text);
        const QRectF box(most.left(), most.top(), most.width(),
                         std::max(lineHeight, std::min(needed.height(), most.height())));
        painter_.save();
        painter_.setClipRect(box);
        painter_.drawText(box, Qt::AlignLeft | Qt::TextWordWrap, text);
        painter_.restore();
        top_ += box.height();
    }

    void parameterTable(const std::array<std::string, 3>& columns,
                        const std::vector<workbench::ParameterComparison>& rows) {
        const std::array<qreal, 3> widths = {width() * kParameterColumnShare,
                                             width() * kValueColumnShare,
                                             width() * kValueColumnShare};
        const auto drawRow = [&](const std::array<QString, 3>& cells, bool bold) {
            painter_.setFont(font(kBodyPoints, bold));
            const qreal height = painter_.fontMetrics().lineSpacing() * 1.25;
            qreal left = area_.left();
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const QRectF cell(left, top_, widths[i], height);
                painter_.drawText(cell.adjusted(height * 0.2, 0, 0, 0),
                                  Qt::AlignLeft | Qt::AlignVCenter, cells[i]);
                left += widths[i];
            }
            top_ += height;
        };
        drawRow({qs(columns[0]), qs(columns[1]), qs(columns[2])}, true);
        rule();
        for (const workbench::ParameterComparison& row : rows) {
            if (row.changed) {
                // A value changed in this session stands out.
                const qreal height = lineHeight(kBodyPoints) * 1.25;
                painter_.fillRect(QRectF(area_.left(), top_, width(), height), kChangedRowShade);
            }
            drawRow({qs(row.parameter), qs(row.firstRead), qs(row.now)}, row.changed);
        }
        rule();
    }

    // One text line each, keeping `reserved` free at the bottom; when they
    // do not all fit, the last line that would fit says how many are left out.
    void lines(const std::vector<std::string>& lines, qreal reserved) {
        painter_.setFont(font(kSmallPoints));
        const qreal height = painter_.fontMetrics().lineSpacing();
        const auto fitting =
            static_cast<std::size_t>(std::max(0.0, (remaining() - reserved) / height));
        for (std::size_t i = 0; i < lines.size() && i < fitting; ++i) {
            QString text = qs(lines[i]);
            if (i + 1 == fitting && lines.size() > fitting) {
                text = QStringLiteral("\u2026 (+%1)").arg(lines.size() - i);
            }
            painter_.drawText(
                QRectF(area_.left(), top_, width(), height), Qt::AlignLeft,
                painter_.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(width())));
            top_ += height;
        }
    }

    // A box of the given size at the left edge, for a picture.
    QRectF take(qreal boxWidth, qreal boxHeight) {
        const QRectF box(area_.left(), top_, boxWidth, boxHeight);
        top_ += boxHeight;
        return box;
    }

    void footer(const std::string& text) {
        painter_.setFont(font(kSmallPoints));
        const qreal height = painter_.fontMetrics().lineSpacing();
        painter_.drawText(QRectF(area_.left(), area_.bottom() - height, width(), height),
                          Qt::AlignRight, qs(text));
    }

  private:
    QFont font(qreal points, bool bold = false) const {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        // No ligatures: words in the PDF stay searchable and copy as typed.
        f.setStyleStrategy(QFont::PreferNoShaping);
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }
    void rule() {
        painter_.save();
        painter_.setPen(QPen(kRuleColor, 2));
        painter_.drawLine(QPointF(area_.left(), top_ + 4), QPointF(area_.right(), top_ + 4));
        painter_.restore();
        top_ += 12;
    }

    QPainter& painter_;
    QRectF area_;
    qreal top_ = 0;
};

std::string pageFooter(const workbench::ServiceReportContent& content, int page) {
    const std::string serial =
        content.sensor.empty() ? std::string() : content.sensor.front().value;
    return content.title + " \u2014 " + serial + " \u2014 " +
           workbench::withValues(content.pageNumberTemplate,
                                 {std::to_string(page), std::to_string(kPageCount)});
}

void drawPageOne(PageLayout& page, const workbench::ServiceReportContent& content,
                 const ServiceReportDrawings& drawings, QPainter& painter) {
    page.title(content.title);
    page.heading(content.serviceHeading);
    page.labelledRows(content.service);
    if (!content.noteLines.empty()) {
        page.heading(content.noteHeading);
        page.paragraph(content.noteLines, kMaxNoteLines);
    }
    page.heading(content.sensorHeading);
    page.labelledRows(content.sensor);
    page.heading(content.parametersHeading);
    page.parameterTable(content.parameterColumns, content.parameters);
    page.heading(content.detectionAreaHeading);
    const qreal areaWidth = page.width() * kAreaWidthShare;
    const qreal footerRoom = page.lineHeight(kSmallPoints) * 2;
    const qreal areaHeight =
        std::max(0.0, std::min(areaWidth * kAreaAspect, page.remaining() - footerRoom));
    const QRectF area = page.take(areaHeight / kAreaAspect, areaHeight);
    if (drawings.drawDetectionArea && !area.isEmpty()) {
        painter.save();
        drawings.drawDetectionArea(painter, area);
        painter.restore();
    }
    page.footer(pageFooter(content, 1));
}

void drawPageTwo(PageLayout& page, const workbench::ServiceReportContent& content,
                 const ServiceReportDrawings& drawings, QPainter& painter) {
    page.heading(content.signalChartHeading);
    const QRectF chart = page.take(page.width(), page.width() * kChartHeightShare);
    if (drawings.drawSignalChart) {
        painter.save();
        page.useFont(kSmallPoints);
        drawings.drawSignalChart(painter, chart);
        painter.restore();
    }
    page.heading(content.changeLogHeading);
    page.lines(content.changeLogLines, page.lineHeight(kSmallPoints) * 2);
    page.footer(pageFooter(content, 2));
}

}  // namespace

std::optional<QString> writeServiceReportPdf(const workbench::ServiceReportContent& content,
                                             const ServiceReportDrawings& drawings,
                                             const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    QPdfWriter writer(&file);
    writer.setResolution(kDotsPerInch);
    writer.setTitle(qs(content.title));
    writer.setCreator(QStringLiteral("QuarnSoft"));
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return file.errorString();
    }
    const QRectF textArea(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
    {
        PageLayout page(painter, textArea);
        drawPageOne(page, content, drawings, painter);
    }
    writer.newPage();
    {
        PageLayout page(painter, textArea);
        drawPageTwo(page, content, drawings, painter);
    }
    painter.end();
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

void paintDetectionArea(QPainter& painter, const QRectF& box, quarn::PictureBox& picture,
                        quarn::OvalShape& area) {
    // The view that shows the picture on screen composes it here too, off
    // screen and never shown.
    // Composed at screen resolution and scaled, so that the grid lines keep
    // the weight they have on screen.
    constexpr qreal kScreenDotsPerInch = 96.0;
    const qreal scale = kScreenDotsPerInch / std::max(1, painter.device()->logicalDpiX());
    const qt::PictureBoxView view(picture, {&area}, nullptr);
    const QImage image = view.compose((box.size() * scale).toSize());
    painter.drawImage(box, image);
    painter.setPen(QPen(kRuleColor, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

void paintChartFrame(QPainter& painter, const QRectF& box) {
    painter.setPen(QPen(kRuleColor, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

}  // namespace quarn::gui
