#pragma once
// The file dialogs of the parameter backup and restore: Qt's own dialog (not
// the system's), so that a technician, or a test, can type a path and press
// Enter; parameter files only ("*.json"), and a name typed without a suffix
// gets ".json".

#include <QString>
#include <optional>

class QWidget;

namespace quarn::gui {

// The UTF-8 path chosen, or nothing when the dialog was cancelled.
std::optional<std::string> askParameterFileToSave(QWidget* owner, const QString& title,
                                                  const QString& filter);
std::optional<std::string> askParameterFileToLoad(QWidget* owner, const QString& title,
                                                  const QString& filter);

}  // namespace quarn::gui
