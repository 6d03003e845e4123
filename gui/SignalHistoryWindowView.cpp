#include "gui/SignalHistoryWindowView.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>

#include "gui/SignalChartView.h"
#include "platform/qt/ButtonView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/QtConversions.h"

namespace quarn::gui {

namespace {
constexpr char kCsvSuffix[] = "csv";
}  // namespace

SignalHistoryWindowView::SignalHistoryWindowView(workbench::SignalHistoryWindow& form)
    : FormWindow(form, Placement::SystemDefault), form_(form) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    form_.setExportPathChooser([this] { return askExportPath(); });
    attach();
}

SignalHistoryWindowView::~SignalHistoryWindowView() {
    form_.setExportPathChooser({});
}

void SignalHistoryWindowView::raise() {
    if (QWidget* window = widget()) {
        window->raise();
        window->activateWindow();
    }
}

void SignalHistoryWindowView::buildContent(QWidget& client) {
    new SignalChartView(form_.chart, form_.history(), &client);
    new qt::ButtonView(form_.pauseButton, &client);
    new qt::ButtonView(form_.exportButton, &client);
    new qt::LabelView(form_.statusLine, &client);
}

std::optional<std::string> SignalHistoryWindowView::askExportPath() {
    // Qt's own dialog, the same on every system (and one a test can type into).
    // The dialog runs its own event loop, in which its parent window may go
    // (the application ends): it is held by a guarded pointer, not on the stack.
    QPointer<QFileDialog> dialog =
        new QFileDialog(widget(), qt::toQString(form_.exportDialogTitle()), QDir::homePath(),
                        qt::toQString(form_.csvFileFilter()));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QString::fromLatin1(kCsvSuffix));
    const int answer = dialog->exec();
    if (dialog == nullptr) {
        return std::nullopt;
    }
    const QStringList chosen = dialog->selectedFiles();
    delete dialog.data();
    if (answer != QDialog::Accepted || chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.constFirst().toStdString();
}

}  // namespace quarn::gui
