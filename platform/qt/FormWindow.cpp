#include "platform/qt/FormWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include "platform/qt/MenuBarView.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

namespace {

// The title bar's text. Qt shows the application's name in place of an
// empty title; a blank title is one space.
QString titleFor(const std::string& caption) {
    return caption.empty() ? QStringLiteral(" ") : toQString(caption);
}

}  // namespace

FormWidget::FormWidget(std::function<void()> onCloseBox) : onCloseBox_(std::move(onCloseBox)) {
    setCentralWidget(new QWidget(this));
    // The window takes exactly the client size plus its menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void FormWidget::setResizable() {
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
}

void FormWidget::setMenus(MenuBarView* menus) {
    menus_ = menus;
    setMenuBar(menus);
}

void FormWidget::closeEvent(QCloseEvent* event) {
    // The model decides whether and how the window goes away.
    event->ignore();
    if (onCloseBox_) {
        auto handler = onCloseBox_;
        handler();
    }
}

FormWindow::FormWindow(Form& form, Placement placement)
    : form_(form), placement_(placement), closeBox_([&form] { form.unload(); }) {}

FormWindow::~FormWindow() {
    observation_.reset();
    // At the end of the program nothing processes deferred deletions any
    // more: the views must go while their models still exist.
    retired_.push_back(widget_);
    for (auto& window : retired_) {
        delete window.data();
    }
}

void FormWindow::attach() {
    observation_ = std::make_unique<ModelObservation>(form_, [this] { sync(); });
    sync();
}

void FormWindow::sync() {
    if (form_.loaded() && widget_ == nullptr) {
        build();
    } else if (!form_.loaded() && widget_ != nullptr) {
        retire();
        return;
    }
    if (widget_ == nullptr) {
        return;
    }
    widget_->setWindowTitle(titleFor(form_.caption()));
    applySize();
    applyVisibility();
}

void FormWindow::build() {
    widget_ = new FormWidget([this] {
        auto handler = closeBox_;
        handler();
    });
    widget_->setObjectName(toQString(form_.name()));
    Qt::WindowFlags flags = flags_;
    if (fixedSizeFrame_) {
        // No resizing frame on Windows, and no maximise button asked for.
        flags |= Qt::MSWindowsFixedSizeDialogHint;
        flags &= ~Qt::WindowMaximizeButtonHint;
    }
    widget_->setWindowFlags(flags);
    if (resizable_) {
        widget_->setResizable();
    }
    placed_ = false;
    const auto menus = menuItems();
    if (!menus.empty()) {
        widget_->setMenus(new MenuBarView(menus, widget_));
    }
    buildContent(*widget_->client());
    windowBuilt(*widget_);
}

void FormWindow::retire() {
    FormWidget* window = widget_;
    widget_ = nullptr;
    window->hide();
    // This may run inside a handler of the window itself: delete it later.
    window->deleteLater();
    retired_.erase(std::remove(retired_.begin(), retired_.end(), nullptr), retired_.end());
    retired_.emplace_back(window);
}

void FormWindow::applySize() {
    FormWidget* const widget = widget_.data();
    if (widget == nullptr) {
        return;
    }
    int width = twipsToPixels(form_.clientWidth());
    if (form_.outerWidth() > 0) {
        // The outer width includes the window frame, known once it is shown.
        const int frame =
            widget->isVisible() ? widget->frameGeometry().width() - widget->width() : 0;
        width = twipsToPixels(form_.outerWidth()) - frame;
    }
    const QSize size(std::max(width, 0), std::max(twipsToPixels(form_.clientHeight()), 0));
    if (resizable_) {
        // The form's size is where the window starts; from then on the
        // content follows the window.
        if (!placed_ && !widget->isVisible()) {
            const int menuHeight =
                widget->menus() != nullptr ? widget->menus()->sizeHint().height() : 0;
            widget->resize(size.width(), size.height() + menuHeight);
        }
        return;
    }
    if (widget->client()->size() != size || widget->client()->minimumSize() != size) {
        widget->client()->setFixedSize(size);
    }
    if (fixedSizeFrame_) {
        // The window's own limits, not only its layout's, and set before the
        // window is first shown, so that the window manager learns them when
        // it takes the window on and neither resizes nor maximises it.
        widget->ensurePolished();
        widget->layout()->activate();
        const QSize windowSize = widget->sizeHint();
        if (widget->minimumSize() != windowSize || widget->maximumSize() != windowSize) {
            widget->setFixedSize(windowSize);
        }
    }
}

void FormWindow::applyVisibility() {
    FormWidget& window = *widget_;
    if (!form_.visible()) {
        if (!window.isHidden()) {
            window.hide();
        }
        return;
    }
    const Qt::WindowModality modality = form_.modal() ? Qt::ApplicationModal : Qt::NonModal;
    if (window.windowModality() != modality) {
        // Modality can only change while the window is hidden.
        window.hide();
        window.setWindowModality(modality);
    }
    if (window.isHidden()) {
        const bool firstShow = !placed_;
        if (firstShow) {
            place();
        }
        window.show();
        if (firstShow) {
            // Once shown the window frame is known: an outer width can now
            // be met exactly, and the frame itself is centred.
            applySize();
            place();
            placed_ = true;
        }
        window.activateWindow();
    }
}

void FormWindow::place() {
    FormWidget& window = *widget_;
    // Polish first: the style may still change the window's size.
    window.ensurePolished();
    if (!resizable_) {
        window.adjustSize();
    }
    if (placement_ == Placement::SystemDefault) {
        return;
    }
    QRect area;
    const FormWidget* ownerWindow = owner_ != nullptr ? owner_->widget() : nullptr;
    if (placement_ == Placement::CenterOwner && ownerWindow != nullptr &&
        ownerWindow->isVisible()) {
        area = ownerWindow->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isEmpty()) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

}  // namespace quarn::qt
