#pragma once
// The polling tick with everything it touches: the link down to a fake
// driver that records the written frames, the parameter lists, the status
// bar and a timer for the tick interval.

#include <memory>
#include <string>
#include <vector>

#include "app/TrafficMonitor.h"
#include "link/MessageSender.h"
#include "link/UsbLink.h"
#include "platform/VirtualClock.h"
#include "platform/controls/ComboList.h"
#include "platform/controls/Indicators.h"
#include "sensor/ConversationState.h"
#include "sensor/ParameterLists.h"
#include "sensor/ParameterMemory.h"
#include "sensor/ParameterTable.h"
#include "sensor/SensorConversation.h"
#include "sensor/SessionState.h"
#include "support/FakeHost.h"
#include "support/ParameterListSet.h"
#include "support/RecordingDriver.h"
#include "support/SendingSide.h"
#include "unit/sensor/SensorFrames.h"

namespace quarn::testing {

// Items named by their index; the load selection is what the sensor last
// reported.
inline void fillList(ComboList& list, const sensor::ParameterRow& row,
                     sensor::ParameterMemory& memory) {
    list.clear();
    for (int i = 0; i < row.itemCount; ++i) {
        list.addItem(std::to_string(i));
    }
    list.setListIndex(row.loadSelection);
    memory[row.parameter].lastReported = row.loadSelection;
}

class ConversationRig : public SendingSide, public ParameterListSet {
  public:
    ConversationRig() {
        driver.addAdapter("QuarnProg");
        driver.recording = false;
        monitor.show();
        timer->setInterval(100);
        bar.addPanel("identity");
        session.texts[30] = "Sensore assente";
        for (const sensor::ParameterRow& row : sensor::kParameterTable) {
            fillList(lists[row.parameter], row, memory);
        }
        session.identity = {0x0101, "A123456789", 0x0102, 0x0200};
    }

    std::vector<SentFrame> sent() const { return parseWrites(driver.writes); }
    void clearSent() {
        driver.writes.clear();
        monitor.sentFrames.setText("");
    }
    const std::string& logged() const { return monitor.sentFrames.text(); }

    VirtualClock clock;
    std::unique_ptr<Timer> timer = clock.createTimer();
    StatusBar bar{"StatusBar"};
    sensor::ParameterMemory memory;
    sensor::ConversationState state;
    std::vector<std::size_t> unloadsAtWrite;  // frames written when each unload ran
    sensor::SensorConversation conversation{
        session, sender, memory, state,
        sensor::ConversationControls{
            lists, *timer, bar, [this] { unloadsAtWrite.push_back(driver.writes.size()); }, {}}};
};

}  // namespace quarn::testing
