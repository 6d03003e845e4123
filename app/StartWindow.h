#pragma once
// The start window: start-up, the programmer and device status supervision,
// the language menu, the About command and the shutdown. It lives for the
// whole run; while the sensor window is open it is hidden and its timers keep
// running behind it.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/AboutWindow.h"
#include "app/ApplicationState.h"
#include "app/TrafficMonitor.h"
#include "link/MessageSender.h"
#include "link/ReceiveCycle.h"
#include "link/UsbLink.h"
#include "platform/AdapterAdvisor.h"
#include "platform/DevLog.h"
#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "platform/controls/Form.h"
#include "platform/controls/Label.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "sensorwin/SensorWindowOpener.h"

namespace quarn::app {

// The decorative picture the view draws for backgroundPicture.
inline constexpr char kStartPictureResource[] = "start-picture";

// What the start window works with; all of it outlives the window.
struct StartWindowContext {
    ApplicationState& state;
    link::UsbLink& usb;
    link::ReceiveCycle& receiveCycle;
    link::MessageSender& sender;
    TrafficMonitor& monitor;
    AboutWindow& about;
    TimerService& timers;
    HostServices& host;
    DevLog& log;
};

class StartWindow : public quarn::Form {
  public:
    explicit StartWindow(const StartWindowContext& context);

    // Controls, as the view shows them.
    quarn::ImageControl backgroundPicture{"backgroundPicture"};  // behind the labels
    quarn::Label programName{"programName"};
    quarn::Label versionLabel{"versionLabel"};
    quarn::Label programmerStatus{"programmerStatus"};
    quarn::Label deviceStatus{"deviceStatus"};
    quarn::MenuItem exitMenu{"exitMenu"};
    quarn::MenuItem languageMenu{"languageMenu"};  // holds italianMenuItem, englishMenuItem
    quarn::MenuItem italianMenuItem{"italianMenuItem"};
    quarn::MenuItem englishMenuItem{"englishMenuItem"};
    quarn::MenuItem aboutMenu{"aboutMenu"};
    // Receive cycle every 50 ms; status supervision 1500 ms, then every 500 ms.
    const std::unique_ptr<quarn::Timer> receiveTimer;
    const std::unique_ptr<quarn::Timer> supervisionTimer;

    // The menu bar from left to right.
    std::vector<quarn::MenuItem*> menuBar() { return {&exitMenu, &languageMenu, &aboutMenu}; }

    // Plugs in the sensor window; until then a recognised sensor is shown
    // but no window opens.
    void setSensorWindowOpener(sensorwin::SensorWindowOpener* opener) { sensorWindow_ = opener; }

    // Plugs in the advice on an adapter that is present but cannot be opened;
    // without it a failed open is shown by the status text alone.
    void setAdapterAdvisor(AdapterAdvisor* advisor) { advisor_ = advisor; }

    // Event handlers.
    void onReceiveTick();
    void onSupervisionTick();
    void onExit();
    void onAbout();
    void onItalianChosen();
    void onEnglishChosen();

    // Shows the start window again with empty status labels and a new opening
    // delay, or ends the application when closing the sensor window should.
    void returnToStart();
    void showProgrammerStatus(link::LinkStatus status);
    void showDeviceStatus();
    void clearDeviceIdentity();
    // Loads the string table for the chosen language and sets the menu
    // captions. On a missing or malformed table it shows the fatal message,
    // closes the start window and returns false.
    bool applyLanguage();

    // The programmer status of the last supervision tick; none before the first.
    std::optional<link::LinkStatus> lastLinkStatus() const { return lastLinkStatus_; }
    // True from the load until the first supervision tick has run.
    bool awaitingFirstSupervisionTick() const { return awaitingFirstTick_; }
    // True once the shutdown has run.
    bool ended() const { return ended_; }

  protected:
    void onLoad() override;
    void onUnload() override;

  private:
    void createControls();
    void connectEvents();
    // After an open: the advice on the programmer status while it fails,
    // none once it is open; the log notes each change of the status.
    void explainProgrammerStatus(link::LinkStatus status);

    StartWindowContext context_;
    sensorwin::SensorWindowOpener* sensorWindow_ = nullptr;
    AdapterAdvisor* advisor_ = nullptr;
    std::int32_t loggedDeviceType_ = 0;
    std::optional<link::LinkStatus> lastLinkStatus_;
    bool awaitingFirstTick_ = false;
    bool ended_ = false;
};

// The version label's text, "Ver " + major + "." + minor + revision:
// "Ver 1.00" at 1.0.0.
std::string versionLabelText(const AppVersion& version);

}  // namespace quarn::app
