#pragma once
// The window of a Form model. It follows the model's lifetime: the widgets
// are built when the form loads, shown and hidden with it (modal forms block
// the other windows without a nested event loop, so timers keep running),
// and handed to deleteLater when it unloads, because unloading may come from
// a handler of this very window. The client area has the form's size in
// twips; the window is placed once per opening and, unless told otherwise,
// is framed as one of fixed size. Its close box asks the model to close
// instead of closing the widget. An empty caption gives a blank title bar.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "platform/controls/Form.h"
#include "platform/controls/MenuItem.h"
#include "platform/qt/ModelObservation.h"

namespace quarn::qt {

class MenuBarView;

// The top-level widget of a form window.
class FormWidget final : public QMainWindow {
  public:
    explicit FormWidget(std::function<void()> onCloseBox);

    QWidget* client() const { return centralWidget(); }
    MenuBarView* menus() const { return menus_; }
    void setMenus(MenuBarView* menus);
    // The client area follows the window's size instead of fixing it.
    void setResizable();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    std::function<void()> onCloseBox_;
    MenuBarView* menus_ = nullptr;
};

class FormWindow {
  public:
    enum class Placement {
        CenterScreen,   // centred on the screen
        CenterOwner,    // centred on the owner's window (the screen without one)
        SystemDefault,  // where the system puts new windows
    };

    FormWindow(Form& form, Placement placement);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    virtual ~FormWindow();

    Form& form() const { return form_; }
    // The window while the form is loaded, otherwise null.
    FormWidget* widget() const { return widget_; }

    void setOwner(const FormWindow* owner) { owner_ = owner; }
    // What the close box does; by default the form unloads.
    void setCloseBoxHandler(std::function<void()> handler) { closeBox_ = std::move(handler); }
    void setWindowFlags(Qt::WindowFlags flags) { flags_ = flags; }
    // A window laid out at fixed positions tells the window system that its
    // size is fixed (the default): no maximise button, no resizing frame.
    void setFixedSizeFrame(bool fixed) { fixedSizeFrame_ = fixed; }
    // A window whose content follows its size: it opens with the form's
    // client size, and the technician may resize, maximise it or fill the
    // screen with it. Implies a resizing frame.
    void setResizable(bool resizable) {
        resizable_ = resizable;
        fixedSizeFrame_ = fixedSizeFrame_ && !resizable;
    }

  protected:
    // Creates the control views on the client area.
    virtual void buildContent(QWidget& client) = 0;
    // The form's top-level menus, left to right.
    virtual std::vector<MenuItem*> menuItems() const { return {}; }
    // Called once the window and its content exist.
    virtual void windowBuilt(FormWidget& /*window*/) {}

    // Call at the end of the derived constructor: builds the window if the
    // form is loaded already and starts following it.
    void attach();

  private:
    void sync();
    void build();
    void retire();
    void applySize();
    void applyVisibility();
    void place();

    Form& form_;
    Placement placement_;
    const FormWindow* owner_ = nullptr;
    std::function<void()> closeBox_;
    Qt::WindowFlags flags_ = Qt::Window;
    bool fixedSizeFrame_ = true;
    bool resizable_ = false;
    QPointer<FormWidget> widget_;
    std::vector<QPointer<FormWidget>> retired_;
    bool placed_ = false;
    std::unique_ptr<ModelObservation> observation_;
};

}  // namespace quarn::qt
