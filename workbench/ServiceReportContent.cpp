#include "workbench/ServiceReportContent.h"

#include "link/DeviceIdentity.h"
#include "link/Frame.h"

namespace quarn::workbench {

namespace {

using texts::StringId;

std::string versionText(const quarn::AppVersion& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

// The note's lines, whatever line ends the technician's system uses.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

bool canWriteServiceReport(const ChangeLog& log) {
    return log.firstRead().has_value() && log.latestRead().has_value();
}

std::optional<ServiceReportContent> assembleServiceReport(const ServiceReportRequest& request,
                                                          const ServiceReportFacts& facts) {
    if (!canWriteServiceReport(facts.log)) {
        return std::nullopt;
    }
    const texts::StringTableEntries& strings = facts.text.strings;
    const auto text = [&strings](StringId id) { return texts::textOf(strings, id); };

    ServiceReportContent report;
    report.title = text(StringId::ServiceReportTitle);
    report.serviceHeading = text(StringId::ServiceSection);
    report.service = {
        {text(StringId::ReportDateLabel), dateTimeText(facts.writtenAt)},
        {text(StringId::ToolVersionLabel), versionText(facts.version)},
        {text(StringId::TechnicianLabel), request.technician},
        {text(StringId::SiteLabel), request.site},
    };
    report.noteHeading = text(StringId::NoteLabel);
    report.noteLines = splitLines(request.note);

    const link::DeviceIdentity identity =
        facts.log.sensorIdentity().value_or(link::DeviceIdentity{});
    report.sensorHeading = text(StringId::SensorSection);
    report.sensor = {
        {text(StringId::SerialLabel), identity.serial},
        {text(StringId::HardwareLabel), link::hexWord(identity.hardwareVersion)},
        {text(StringId::FirmwareLabel), link::hexWord(identity.firmwareVersion)},
    };

    report.parametersHeading = text(StringId::ParametersCaption);
    report.parameterColumns = {text(StringId::ParameterColumn), text(StringId::FirstReadColumn),
                               text(StringId::NowColumn)};
    const ParameterIndices& first = *facts.log.firstRead();
    const ParameterIndices& now = *facts.log.latestRead();
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        ParameterComparison line;
        line.parameter = text(row.caption);
        if (facts.log.sensorIdentity() && !sensor::carriedBy(row, identity.firmwareVersion)) {
            // The sensor's firmware has no such parameter: its reply says 0.
            line.firstRead = line.now = text(StringId::NotCarried);
        } else {
            const std::size_t i = sensor::indexOf(row.parameter);
            line.firstRead = valueText(row.parameter, first[i], facts.text);
            line.now = valueText(row.parameter, now[i], facts.text);
            line.changed = first[i] != now[i];
        }
        report.parameters.push_back(line);
    }

    report.changeLogHeading = text(StringId::ChangeLogTitle);
    report.changeLogLines = workbench::changeLogLines(facts.log, facts.text);
    report.detectionAreaHeading = text(StringId::DetectionAreaSection);
    report.signalChartHeading = text(StringId::SignalChartSection);
    report.pageNumberTemplate = text(StringId::ReportPageNumber);
    return report;
}

}  // namespace quarn::workbench
