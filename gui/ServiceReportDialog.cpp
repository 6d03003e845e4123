#include "gui/ServiceReportDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/qt/QtConversions.h"

namespace quarn::gui {

namespace {

using texts::StringId;

constexpr int kFieldWidthPixels = 360;
constexpr int kNoteHeightPixels = 120;
// Longer texts would not fit the report's rows.
constexpr int kMaxNameLength = 80;

}  // namespace

std::optional<workbench::ServiceReportRequest> askServiceReportRequest(
    QWidget* owner, const texts::StringTableEntries& strings) {
    const auto text = [&strings](StringId id) { return qt::toQString(texts::textOf(strings, id)); };

    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("serviceReportDialog"));
    dialog.setWindowTitle(text(StringId::ServiceReportTitle));

    auto* technician = new QLineEdit(&dialog);
    technician->setObjectName(QStringLiteral("technicianBox"));
    technician->setMaxLength(kMaxNameLength);
    technician->setMinimumWidth(kFieldWidthPixels);
    auto* site = new QLineEdit(&dialog);
    site->setObjectName(QStringLiteral("siteBox"));
    site->setMaxLength(kMaxNameLength);
    auto* note = new QPlainTextEdit(&dialog);
    note->setObjectName(QStringLiteral("noteBox"));
    note->setTabChangesFocus(true);
    note->setMinimumHeight(kNoteHeightPixels);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(text(StringId::OkButton));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(StringId::CancelButton));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* form = new QFormLayout(&dialog);
    form->addRow(text(StringId::TechnicianLabel), technician);
    form->addRow(text(StringId::SiteLabel), site);
    form->addRow(text(StringId::NoteLabel), note);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return workbench::ServiceReportRequest{technician->text().trimmed().toStdString(),
                                           site->text().trimmed().toStdString(),
                                           note->toPlainText().toStdString()};
}

}  // namespace quarn::gui
