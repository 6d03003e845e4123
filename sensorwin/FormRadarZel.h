#pragma once
// The sensor window. Its controls are public models named as the window's
// controls are named; the Qt view mirrors them and forwards the technician's
// actions (menu click, close box through unload(), list DropDown and item
// choice through the list models). The form object lives for the whole
// application: every opening rebuilds its contents in onLoad, and the
// conversation state it keeps survives between openings.
//
// Geometry is in twips. Controls marked "in FrameParamZel" are positioned
// relative to that frame, AreaRadarZel in PictureAreaRadarZel's user units;
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
#include "platform/controls/ComboList.h"
#include "platform/controls/Form.h"
#include "platform/controls/Indicators.h"
#include "platform/controls/Label.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "sensor/ConversationState.h"
#include "sensor/EditGuard.h"
#include "sensor/RadarZelDecoder.h"
#include "sensor/SensorConversation.h"
#include "sensor/SensorDisplay.h"
#include "sensor/SensorParams.h"
#include "sensor/SessionState.h"
#include "sensorwin/ParamPresenter.h"
#include "sensorwin/SensorWindowOpener.h"
#include "sensorwin/SeparatorLine.h"
#include "sensorwin/SignalDisplay.h"

namespace quarn::sensorwin {

using sensor::kDevMatrPanel;
inline constexpr int kDesignClientWidth = 7800;
inline constexpr int kDesignClientHeight = 4665;
inline constexpr int kConversationTickMs = 100;

class FormRadarZel final : public quarn::Form,
                           public sensorwin::SensorWindowOpener,
                           public sensor::SensorDisplay {
  public:
    FormRadarZel(sensor::SessionState& session, link::MessageSender& sender,
                 link::TrafficObserver& traffic, quarn::TimerService& timers,
                 const quarn::HostServices& host, std::function<void()> returnToStart);
    ~FormRadarZel() override;
    FormRadarZel(const FormRadarZel&) = delete;
    FormRadarZel& operator=(const FormRadarZel&) = delete;

    // --- Controls -------------------------------------------------------
    quarn::MenuItem MenuFileExit{"MenuFileExit"};
    SeparatorLine Line1{0, 0, 9855, 0, SystemShade::Shadow3D};
    SeparatorLine Line2{0, 15, 9810, 15, SystemShade::Highlight3D};

    // Signal column.
    quarn::Label LabelSignal{"LabelSignal"};
    quarn::Led LedStatusRadarZel{"LedStatusRadarZel"};
    quarn::Slider BarSignZel{"BarSignZel"};
    quarn::Label ValueAlarmRadarZel{"ValueAlarmRadarZel"};
    quarn::Label ValueAlarmRadarZelPeak{"ValueAlarmRadarZelPeak"};

    // Parameter frame and what it contains (in FrameParamZel).
    quarn::Frame FrameParamZel{"FrameParamZel"};
    quarn::Label LabelHeightRadarZel{"LabelHeightRadarZel"};
    quarn::PictureBox PictureAreaRadarZel{"PictureAreaRadarZel"};
    quarn::OvalShape AreaRadarZel{"AreaRadarZel"};  // on PictureAreaRadarZel
    quarn::Label PrmSensitivity{"PrmSensitivity"};
    quarn::ComboList TreshRadarZel{"TreshRadarZel"};
    quarn::Label ParTonRele{"ParTonRele"};
    quarn::ComboList ValueTonReleZel{"ValueTonReleZel"};
    quarn::Label ParVel{"ParVel"};
    quarn::ComboList VelSenseRadarZel{"VelSenseRadarZel"};
    quarn::Label ParFilter{"ParFilter"};
    quarn::ComboList FilterLineRadarZel{"FilterLineRadarZel"};
    quarn::Label ParHighTrafic{"ParHighTrafic"};
    quarn::ComboList FlagHighTrafficRadarZel{"FlagHighTrafficRadarZel"};
    quarn::Label ParHeight{"ParHeight"};
    quarn::ComboList SelHeightRadarZel{"SelHeightRadarZel"};

    // Bottom edge, full width; one panel keyed "DevMatr".
    quarn::StatusBar StatusBar{"StatusBar"};

    // Window timers, created once with the form.
    const std::unique_ptr<quarn::Timer> TimerGestConn;
    const std::unique_ptr<quarn::Timer> TimerDisplayPeak;

    // Controls inside FrameParamZel, in keyboard focus order after the
    // picture (the lists run from sensitivity to height).
    std::vector<quarn::Control*> paramFrameControls();

    // --- Events -----------------------------------------------------------
    void MenuFileExit_Click();
    void TimerGestConn_Timer();
    void TimerDisplayPeak_Timer();

    // Shows the window modeless; its load runs at once.
    void ShowSensorWindow() override;

    // --- Presentation -------------------------------------------------------
    bool ShowParams(const link::MsgBytes& frame) override;
    void ShowSignal(const link::MsgBytes& frame) override;
    void ShowHeight();
    void DrawArea(std::int16_t size);

    // The decoder that the receive cycle must use while this window is open.
    link::SensorReplyDecoder& replyDecoder() { return decoder_; }

    // The conversation's state, kept across openings.
    sensor::SensorParams& sensorParams() { return params_; }
    sensor::ConversationState& conversation() { return state_; }
    void SensorTick() { conversation_.SensorTick(); }

  protected:
    void onLoad() override;
    void onUnload() override;

  private:
    void SetDesign();
    sensor::ParamLists Lists();

    sensor::SessionState& session_;
    link::MessageSender& sender_;
    const quarn::HostServices& host_;
    std::function<void()> returnToStart_;

    sensor::SensorParams params_;
    sensor::ConversationState state_;
    sensor::EditGuard guard_{params_};
    sensor::SensorConversation conversation_;
    sensor::RadarZelDecoder decoder_;
    ParamPresenter presenter_;
    SignalDisplay signal_;
};

}  // namespace quarn::sensorwin
