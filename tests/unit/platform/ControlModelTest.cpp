#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/controls/ComboList.h"
#include "platform/controls/Form.h"
#include "platform/controls/Label.h"

namespace quarn {
namespace {

TEST(ComboList, SelectionFromCodeRaisesClickEvenWhenUnchanged) {
    ComboList list("sensitivityList");
    int clicks = 0;
    int drops = 0;
    list.setClickHandler([&] { ++clicks; });
    list.setDropDownHandler([&] { ++drops; });
    for (int i = 1; i <= 9; ++i) {
        list.addItem(std::to_string(i));
    }
    list.setListIndex(4);
    list.setListIndex(4);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(list.listIndex(), 4);
    list.dropDown();
    EXPECT_EQ(drops, 1);
    // Out of range is refused without an event.
    list.setListIndex(9);
    list.setListIndex(-2);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(list.listIndex(), 4);
    list.clear();
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.listCount(), 0);
}

TEST(Label, NotifiesObserversOnlyOnRealChanges) {
    Label label("programmerStatus");
    int notes = 0;
    const int token = label.observe([&] { ++notes; });
    label.setCaption("x");
    label.setCaption("x");
    label.setForeColor(colors::kFault);
    EXPECT_EQ(notes, 2);
    label.unobserve(token);
    label.setCaption("y");
    EXPECT_EQ(notes, 2);
}

class ProbeForm : public Form {
  public:
    ProbeForm() : Form("Probe") {}
    std::vector<std::string> events;
    bool unloadSelfOnLoad = false;

  protected:
    void onLoad() override {
        events.push_back("load");
        if (unloadSelfOnLoad) {
            unload();
        }
    }
    void onUnload() override {
        events.push_back("unload");
        unload();  // re-entrant unload from the handler is ignored
    }
};

TEST(Form, LifetimeRunsHandlersAtOnceAndOnlyOnce) {
    ProbeForm form;
    form.show();
    EXPECT_TRUE(form.loaded());
    EXPECT_TRUE(form.visible());
    EXPECT_FALSE(form.modal());
    form.hide();
    EXPECT_TRUE(form.loaded());
    form.showModal();
    EXPECT_TRUE(form.modal());
    form.unload();
    form.unload();
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(form.events, (std::vector<std::string>{"load", "unload"}));
    form.show();  // a second opening loads again
    EXPECT_EQ(form.events.back(), "load");
}

TEST(Form, UnloadFromInsideLoadLeavesTheFormHidden) {
    ProbeForm form;
    form.unloadSelfOnLoad = true;
    form.show();
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(form.visible());
}

TEST(Cp1252, EveryByteIsOneCharacter) {
    const std::string bytes("A\0\x80\xE0\x81\xFF", 6);
    const std::string text = cp1252ToUtf8(bytes);
    EXPECT_EQ(utf8Length(text), 6U);
    EXPECT_EQ(text, std::string("A\0\xE2\x82\xAC\xC3\xA0\xC2\x81\xC3\xBF", 11));
}

}  // namespace
}  // namespace quarn
