#pragma once
// The walk test window: the live level as a large bar and figure, the alarm
// as a large coloured field and the held peak, read from a distance while
// the technician walks through the detection field. It listens to the sensor
// window for the whole run, shown or not, and shows exactly that window's
// level, alarm and held peak; while the sensor window is closed it shows
// that no signal comes. A tone can mark each alarm start. The Qt view lays
// the controls out to fill the window, so they carry no geometry.

#include <cstdint>

#include "platform/controls/Captioned.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/Form.h"
#include "platform/controls/Indicators.h"
#include "platform/controls/Label.h"
#include "sensor/SessionState.h"
#include "sensorwin/SensorWindowListener.h"
#include "workbench/AlarmTone.h"

namespace quarn::workbench {

// What the alarm field shows.
enum class AlarmFieldState { NoSignal, Quiet, Alarm };

class WalkTestWindow final : public quarn::Form, public sensorwin::SensorWindowListener {
  public:
    // The session and the tone must outlive the window.
    WalkTestWindow(const sensor::SessionState& session, AlarmTone& tone);

    // --- Controls -------------------------------------------------------
    quarn::Label levelCaption{"levelCaption"};
    quarn::Label levelValue{"levelValue"};  // empty while no signal comes
    quarn::Slider levelBar{"levelBar"};     // the sensor window's scale
    quarn::Label alarmField{"alarmField"};  // text and background colour
    quarn::Label peakCaption{"peakCaption"};
    quarn::Label peakValue{"peakValue"};  // empty while no signal comes
    quarn::Button fullScreenButton{"fullScreenButton"};
    quarn::CheckBox toneCheck{"toneCheck"};  // off at start

    AlarmFieldState alarmFieldState() const { return alarmState_; }

    // Whether the window fills the screen; the view follows.
    bool fullScreen() const { return fullScreen_; }
    void setFullScreen(bool fullScreen);

    // --- Events -----------------------------------------------------------
    // The full-screen button and F11.
    void onFullScreenToggle() { setFullScreen(!fullScreen_); }

    // --- What the sensor window tells -------------------------------------
    void sensorWindowOpened() override;
    void sensorWindowClosed() override;
    void signalShown(const sensor::SignalSample& sample) override;
    void peakShown(std::int32_t peak) override;

  protected:
    void onLoad() override;
    void onUnload() override;

  private:
    void showTexts();
    void showNoSignal();
    void showAlarmField(AlarmFieldState state);
    void showFullScreenCaption();

    const sensor::SessionState& session_;
    AlarmTone& tone_;
    AlarmFieldState alarmState_ = AlarmFieldState::NoSignal;
    // The sensor window's held peak, shown while a signal comes.
    std::int32_t heldPeak_ = 0;
    bool fullScreen_ = false;
};

}  // namespace quarn::workbench
