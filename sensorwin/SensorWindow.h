#pragma once
// The sensor window. Its controls are public models named as the window's
// controls are named; the Qt view mirrors them and forwards the technician's
// actions (menu click, close box through unload(), list DropDown and item
// choice through the list models). The form object lives for the whole
// application: every opening rebuilds its contents in onLoad, and the
// conversation state it keeps survives between openings.
//
// Geometry is in twips. Controls marked "in parametersFrame" are positioned
// relative to that frame, detectionArea in detectionAreaPicture's user units;
// all others relative to the window's client area.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/Commands.h"
#include "link/MessageSender.h"
#include "link/ReceiveCycle.h"
#include "link/TrafficObserver.h"
#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "platform/controls/Captioned.h"
#include "platform/controls/ComboList.h"
#include "platform/controls/Form.h"
#include "platform/controls/Indicators.h"
#include "platform/controls/Label.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "sensor/ConversationState.h"
#include "sensor/EditGuard.h"
#include "sensor/ParameterMemory.h"
#include "sensor/ParameterTable.h"
#include "sensor/SensorConversation.h"
#include "sensor/SensorDisplay.h"
#include "sensor/SessionState.h"
#include "sensor/ZelReplyDecoder.h"
#include "sensorwin/ParameterControls.h"
#include "sensorwin/ParameterPresenter.h"
#include "sensorwin/SensorTools.h"
#include "sensorwin/SensorWindowListener.h"
#include "sensorwin/SensorWindowOpener.h"
#include "sensorwin/SeparatorLine.h"
#include "sensorwin/SignalDisplay.h"

namespace quarn::sensorwin {

using sensor::kIdentityPanel;
inline constexpr int kDesignClientWidth = 7800;
inline constexpr int kDesignClientHeight = 4665;
inline constexpr int kConversationTickMs = 100;

class SensorWindow final : public quarn::Form,
                           public sensorwin::SensorWindowOpener,
                           public sensor::SensorDisplay {
  public:
    SensorWindow(sensor::SessionState& session, link::MessageSender& sender,
                 link::TrafficObserver& traffic, quarn::TimerService& timers,
                 const quarn::HostServices& host, std::function<void()> returnToStart);
    ~SensorWindow() override;
    SensorWindow(const SensorWindow&) = delete;
    SensorWindow& operator=(const SensorWindow&) = delete;

    // --- Controls -------------------------------------------------------
    quarn::MenuItem exitMenu{"exitMenu"};
    // After Exit: the tool windows (sensorwin/SensorTools.h).
    quarn::MenuItem toolsMenu{"toolsMenu"};
    quarn::MenuItem& toolMenuItem(SensorTool tool) { return toolMenuItems_[indexOf(tool)]; }
    SeparatorLine menuShadowLine{0, 0, 9855, 0, SystemShade::Shadow3D};
    SeparatorLine menuHighlightLine{0, 15, 9810, 15, SystemShade::Highlight3D};

    // Signal column.
    quarn::Label signalCaption{"signalCaption"};
    quarn::Led alarmLed{"alarmLed"};
    quarn::Slider levelBar{"levelBar"};
    quarn::Label levelValue{"levelValue"};
    quarn::Label peakValue{"peakValue"};

    // Parameter frame and what it contains (in parametersFrame).
    quarn::Frame parametersFrame{"parametersFrame"};
    quarn::Label heightLabel{"heightLabel"};
    quarn::PictureBox detectionAreaPicture{"detectionAreaPicture"};
    quarn::OvalShape detectionArea{"detectionArea"};  // on detectionAreaPicture
    // Each parameter's caption and list (in parametersFrame), named after
    // its row of the parameter table.
    quarn::ComboList& parameterList(sensor::Parameter parameter) {
        return parameterControls_[sensor::indexOf(parameter)].list;
    }
    const quarn::ComboList& parameterList(sensor::Parameter parameter) const {
        return parameterControls_[sensor::indexOf(parameter)].list;
    }
    quarn::Label& parameterCaption(sensor::Parameter parameter) {
        return parameterControls_[sensor::indexOf(parameter)].caption;
    }

    // Bottom edge, full width; one panel keyed "identity".
    quarn::StatusBar statusBar{"statusBar"};

    // Window timers, created once with the form.
    const std::unique_ptr<quarn::Timer> conversationTimer;
    const std::unique_ptr<quarn::Timer> peakHoldTimer;

    // Controls inside parametersFrame, in keyboard focus order after the
    // picture (the lists run from sensitivity to height).
    std::vector<quarn::Control*> parametersFrameControls();

    // --- Events -----------------------------------------------------------
    void onExit();
    void onConversationTick();
    void onPeakHoldExpired();

    // The held peak the signal column shows.
    std::int32_t heldPeak() const { return signal_.heldPeak(); }

    // Shows the window modeless; its load runs at once.
    void showSensorWindow() override;

    // What a click on a Tools menu item opens (may be empty).
    void setToolOpener(std::function<void(SensorTool)> opener) { toolOpener_ = std::move(opener); }
    // Listeners are told of the window's events in the order they were
    // added; each must outlive the window or be removed first.
    void addListener(SensorWindowListener& listener);
    void removeListener(SensorWindowListener& listener);

    // --- Presentation -------------------------------------------------------
    void showParameters(const sensor::ParameterReply& reply) override;
    void showSignal(const sensor::SignalSample& sample) override;
    void writeAcknowledged() override;

    // The decoder that the receive cycle must use while this window is open.
    link::SensorReplyDecoder& replyDecoder() { return decoder_; }

    // The conversation's state, kept across openings.
    sensor::ParameterMemory& parameterMemory() { return memory_; }
    sensor::ConversationState& conversation() { return state_; }
    void conversationTick() { conversation_.conversationTick(); }

  protected:
    void onLoad() override;
    void onUnload() override;

  private:
    void layOutControls();
    sensor::ParameterLists parameterLists();
    static std::array<quarn::MenuItem, kSensorTools.size()> makeToolMenuItems();
    template <typename Event>
    void tellListeners(Event event) {
        for (SensorWindowListener* listener : listeners_) {
            event(*listener);
        }
    }

    sensor::SessionState& session_;
    link::MessageSender& sender_;
    const quarn::HostServices& host_;
    std::function<void()> returnToStart_;

    std::array<quarn::MenuItem, kSensorTools.size()> toolMenuItems_ = makeToolMenuItems();
    std::function<void(SensorTool)> toolOpener_;
    std::vector<SensorWindowListener*> listeners_;
    AllParameterControls parameterControls_ = makeParameterControls();
    sensor::ParameterMemory memory_;
    sensor::ConversationState state_;
    sensor::EditGuard guard_{memory_};
    sensor::SensorConversation conversation_;
    sensor::ZelReplyDecoder decoder_;
    ParameterPresenter presenter_;
    SignalDisplay signal_;
};

}  // namespace quarn::sensorwin
