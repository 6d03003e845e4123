#pragma once
// A window as a model: caption, client size in twips, and its lifetime
// (loaded, shown modeless or modal, hidden, unloaded). Load and Unload run
// the form's handlers at once, as the window toolkit does. A form object
// lives as long as the application: unloading clears its state, it does not
// destroy the object, so a form may be unloaded from inside its own handler.
// The Qt layer observes the form and creates or destroys its widgets to match.

#include "platform/controls/Control.h"

namespace quarn {

class Form : public Observable {
  public:
    explicit Form(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    // Client area in twips; the outer width when the form sets it at load.
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    void setClientSize(int widthTwips, int heightTwips);
    int outerWidth() const { return outerWidth_; }
    void setOuterWidth(int widthTwips);

    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }
    bool modal() const { return modal_; }

    // Loads the form (running onLoad) if it is not loaded yet.
    void load();
    void show();
    // Shown as a modal window: the Qt view blocks input to the other windows.
    // Timers keep running; the call returns at once.
    void showModal();
    void hide();
    // Runs onUnload and marks the form unloaded and hidden. Nothing
    // happens when it is not loaded.
    void unload();

  protected:
    virtual void onLoad() {}
    virtual void onUnload() {}

  private:
    std::string name_;
    std::string caption_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int outerWidth_ = 0;
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
    bool loading_ = false;
    bool unloading_ = false;
};

}  // namespace quarn
