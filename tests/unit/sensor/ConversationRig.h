#pragma once
// The polling tick with everything it touches: the link down to a fake
// driver that records the written frames, the six lists, the status bar and
// a timer for the tick interval.

#include <memory>
#include <string>
#include <vector>

#include "app/ApplicationState.h"
#include "app/TrafficMonitor.h"
#include "link/MessageSender.h"
#include "link/UsbLink.h"
#include "platform/VirtualClock.h"
#include "platform/controls/ComboList.h"
#include "platform/controls/Indicators.h"
#include "sensor/ConversationState.h"
#include "sensor/ParameterMemory.h"
#include "sensor/SensorConversation.h"
#include "support/FakeHost.h"
#include "support/RecordingDriver.h"
#include "unit/sensor/SensorFrames.h"

namespace quarn::testing {

inline void FillList(ComboList& list, int items, std::int16_t selected) {
    list.clear();
    for (int i = 0; i < items; ++i) {
        list.addItem(std::to_string(i));
    }
    list.setListIndex(selected);
}

class ConversationRig {
  public:
    ConversationRig() {
        driver.addAdapter("QuarnProg");
        driver.recording = false;
        monitor.show();
        timer->setInterval(100);
        bar.addPanel("identity");
        app.texts[30] = "Sensore assente";
        FillList(tresh, 9, 4);
        FillList(relay, 9, 0);
        FillList(speed, 3, 1);
        FillList(filter, 3, 0);
        FillList(traffic, 2, 0);
        FillList(height, 3, 0);
        params.lastTresh = 4;
        params.lastVelSense = 1;
        app.identity = {0x0101, "A123456789", 0x0102, 0x0200};
    }

    std::vector<SentFrame> sent() const { return ParseWrites(driver.writes); }
    void clearSent() {
        driver.writes.clear();
        monitor.sentFrames.setText("");
    }
    const std::string& logged() const { return monitor.sentFrames.text(); }

    RecordingDriver driver;
    link::UsbLink usb{driver};
    testing::FakeHost host;
    app::TrafficMonitor monitor{host};
    link::MessageSender sender{usb, monitor};
    sensor::SessionState app;
    VirtualClock clock;
    std::unique_ptr<Timer> timer = clock.createTimer();
    ComboList tresh{"sensitivityList"};
    ComboList relay{"relayOnTimeList"};
    ComboList speed{"reactionSpeedList"};
    ComboList filter{"mainsFilterList"};
    ComboList traffic{"highTrafficList"};
    ComboList height{"installationHeightList"};
    StatusBar bar{"StatusBar"};
    sensor::ParameterMemory params;
    sensor::ConversationState state;
    std::vector<std::size_t> unloadsAtWrite;  // frames written when each unload ran
    sensor::ParameterLists lists{tresh, relay, speed, filter, traffic, height};
    sensor::SensorConversation conversation{
        app, sender, params, state,
        sensor::ConversationControls{lists, *timer, bar,
                                     [this] { unloadsAtWrite.push_back(driver.writes.size()); }}};
};

}  // namespace quarn::testing
