#pragma once
// What the service report says, as texts in the current language, ready to
// be laid out on paper: the visit (date and time, tool version, technician,
// site), the technician's note, the sensor's identity, its parameters as
// first read in this session and as last read, and the change log. The
// detection-area picture and the signal chart are drawn by the page layout;
// only their headings are here.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/HostServices.h"
#include "workbench/ChangeLog.h"
#include "workbench/ChangeLogLines.h"

namespace quarn::workbench {

// What the technician types before the report is written.
struct ServiceReportRequest {
    std::string technician;
    std::string site;
    std::string note;  // may hold several lines
};

struct LabelledValue {
    std::string label;
    std::string value;
};

struct ParameterComparison {
    std::string parameter;
    std::string firstRead;
    std::string now;
    bool changed = false;  // now differs from the first read
};

struct ServiceReportContent {
    std::string title;
    std::string serviceHeading;
    std::vector<LabelledValue> service;  // date and time, tool version, technician, site
    std::string noteHeading;
    std::vector<std::string> noteLines;
    std::string sensorHeading;
    std::vector<LabelledValue> sensor;  // serial, hardware, firmware
    std::string parametersHeading;
    std::array<std::string, 3> parameterColumns;  // parameter, first read, now
    std::vector<ParameterComparison> parameters;
    std::string changeLogHeading;
    std::vector<std::string> changeLogLines;
    std::string detectionAreaHeading;
    std::string signalChartHeading;
    std::string pageNumberTemplate;  // "%1" the page, "%2" the page count
};

// What the report is made of besides the technician's request.
struct ServiceReportFacts {
    const ChangeLog& log;
    TextContext text;
    quarn::AppVersion version;
    WallTime writtenAt;
};

// Whether a report can be written: a sensor has been read in this session.
bool canWriteServiceReport(const ChangeLog& log);

// The report's content; nothing when no sensor has been read in this session.
std::optional<ServiceReportContent> assembleServiceReport(const ServiceReportRequest& request,
                                                          const ServiceReportFacts& facts);

}  // namespace quarn::workbench
