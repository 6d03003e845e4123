#pragma once
// Asks the technician for the service report's technician, site and free
// note, with OK and Cancel, in the current language. A plain Qt dialog: it
// holds no logic beyond handing the three texts back.

#include <optional>

#include "texts/StringTable.h"
#include "workbench/ServiceReportContent.h"

class QWidget;

namespace quarn::gui {

// Shows the dialog modal over `owner`; nothing when the technician cancels.
std::optional<workbench::ServiceReportRequest> askServiceReportRequest(
    QWidget* owner, const texts::StringTableEntries& strings);

}  // namespace quarn::gui
