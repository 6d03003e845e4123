#include "gui/ParameterFileDialogs.h"

#include <QFileDialog>

#include "platform/qt/QtConversions.h"

namespace quarn::gui {

namespace {

std::optional<std::string> askParameterFile(QWidget* owner, const QString& title,
                                            const QString& filter, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.setObjectName(QStringLiteral("parameterFileDialog"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return qt::toStdString(dialog.selectedFiles().constFirst());
}

}  // namespace

std::optional<std::string> askParameterFileToSave(QWidget* owner, const QString& title,
                                                  const QString& filter) {
    return askParameterFile(owner, title, filter, QFileDialog::AcceptSave);
}

std::optional<std::string> askParameterFileToLoad(QWidget* owner, const QString& title,
                                                  const QString& filter) {
    return askParameterFile(owner, title, filter, QFileDialog::AcceptOpen);
}

}  // namespace quarn::gui
