#pragma once
// The main window: start-up, the programmer and device status supervision,
// the language menu, the About command and the shutdown. It lives for the
// whole run; while the sensor window is open it is hidden and its timers keep
// running behind it.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/AppState.h"
#include "app/FormAbout.h"
#include "app/TrafficMonitor.h"
#include "link/MessageSender.h"
#include "link/ReceiveCycle.h"
#include "link/UsbLink.h"
#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "platform/controls/Form.h"
#include "platform/controls/Label.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "sensorwin/SensorWindowOpener.h"

namespace quarn::app {

// The decorative picture the view draws for Image1.
inline constexpr char kStartPictureResource[] = "start-picture";

// What the main window works with; all of it outlives the window.
struct FormStartLinks {
    AppState& state;
    link::UsbLink& usb;
    link::ReceiveCycle& receiveCycle;
    link::MessageSender& sender;
    TrafficMonitor& monitor;
    FormAbout& about;
    TimerService& timers;
    HostServices& host;
};

class FormStart : public quarn::Form {
  public:
    explicit FormStart(const FormStartLinks& links);

    // Controls, as the view shows them.
    quarn::ImageControl Image1{"Image1"};
    quarn::Label LabelName{"LabelName"};
    quarn::Label LabelVer{"LabelVer"};
    quarn::Label LabelStatusProg{"LabelStatusProg"};
    quarn::Label LabelStatusDevice{"LabelStatusDevice"};
    quarn::MenuItem MnuExit{"MnuExit"};
    quarn::MenuItem MnuLanguage{"MnuLanguage"};  // holds MnuLanguageIt, MnuLanguageEng
    quarn::MenuItem MnuLanguageIt{"MnuLanguageIt"};
    quarn::MenuItem MnuLanguageEng{"MnuLanguageEng"};
    quarn::MenuItem MnuAbout{"MnuAbout"};
    // Receive cycle every 50 ms; status supervision 1500 ms, then every 500 ms.
    const std::unique_ptr<quarn::Timer> TimerMsgUsb;
    const std::unique_ptr<quarn::Timer> TimerVrfyStatus;

    // The menu bar from left to right.
    std::vector<quarn::MenuItem*> menuBar() { return {&MnuExit, &MnuLanguage, &MnuAbout}; }

    // Plugs in the sensor window; until then a recognised sensor is shown
    // but no window opens.
    void setSensorWindowOpener(sensorwin::SensorWindowOpener* opener) { sensorWindow_ = opener; }

    // Event handlers.
    void TimerMsgUsb_Timer();
    void TimerVrfyStatus_Timer();
    void MnuExit_Click();
    void MnuAbout_Click();
    void MnuLanguageIt_Click();
    void MnuLanguageEng_Click();

    // Shows the main window again with empty status labels and a new opening
    // delay, or ends the application when closing the sensor window should.
    void ReturnToStart();
    void ShowProgStatus(link::LinkStatus status);
    void ShowDeviceStatus();
    void ClearDeviceIdentity();
    // Loads the string table for SelLanguage and sets the menu captions.
    // On a missing or malformed table it shows the fatal message, closes the
    // main window and returns false.
    bool ApplyLanguage();

    // The programmer status of the last supervision tick; none before the first.
    std::optional<link::LinkStatus> ProgStatus() const { return progStatus_; }
    bool FirstCheck() const { return firstCheck_; }
    // True once the shutdown has run.
    bool ended() const { return ended_; }

  protected:
    void onLoad() override;
    void onUnload() override;

  private:
    void createControls();
    void connectEvents();

    FormStartLinks links_;
    sensorwin::SensorWindowOpener* sensorWindow_ = nullptr;
    std::optional<link::LinkStatus> progStatus_;
    bool firstCheck_ = false;
    bool ended_ = false;
};

// "Ver " + major + "." + minor + revision: "Ver 1.00" at 1.0.0.
std::string VersionCaption(const AppVersion& version);

}  // namespace quarn::app
