#pragma once
// One running application: the shared state, the USB link, the receive
// cycle, the traffic monitor, the start window and the About window, wired
// together. It holds no global state, so several can live in one process.
// The sensor window is written elsewhere and plugged in with
// setSensorWindow().

#include "app/AboutWindow.h"
#include "app/ApplicationState.h"
#include "app/StartWindow.h"
#include "app/TrafficMonitor.h"
#include "link/MessageSender.h"
#include "link/ReceiveCycle.h"
#include "link/ReceiveRing.h"
#include "link/UsbLink.h"
#include "platform/AdapterAdvisor.h"
#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"
#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "sensorwin/SensorWindowOpener.h"

namespace quarn::app {

class Application {
  public:
    // The driver, timer service, host and log must outlive the application;
    // without a log nothing is logged.
    Application(D2xxDriver& driver, TimerService& timers, HostServices& host,
                DevLog* log = nullptr);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Loads and shows the start window: the whole start-up sequence. If the
    // string table is missing the application has ended when this returns.
    void start();

    // The sensor window (its opener and the decoder of its replies).
    void setSensorWindow(sensorwin::SensorWindowOpener* opener, link::SensorReplyDecoder* decoder);

    // The advice shown beside a programmer status that failed (may be null).
    void setAdapterAdvisor(AdapterAdvisor* advisor) { startWindow_.setAdapterAdvisor(advisor); }

    // Called by the sensor window when it closes.
    void returnToStart() { startWindow_.returnToStart(); }

    // Shows the traffic monitor window (diagnostics).
    void showMonitor() { trafficMonitor_.show(); }

    // True once the start window has shut down.
    bool ended() const { return startWindow_.ended(); }

    ApplicationState& state() { return state_; }
    link::UsbLink& usb() { return usb_; }
    link::ReceiveRing& receiveRing() { return receiveRing_; }
    TrafficMonitor& trafficMonitor() { return trafficMonitor_; }
    link::MessageSender& sender() { return sender_; }
    link::ReceiveCycle& receiveCycle() { return receiveCycle_; }
    StartWindow& startWindow() { return startWindow_; }
    AboutWindow& aboutWindow() { return aboutWindow_; }
    HostServices& host() { return host_; }
    TimerService& timers() { return timers_; }
    DevLog& log() { return log_; }

  private:
    HostServices& host_;
    TimerService& timers_;
    SilentLog silentLog_;
    DevLog& log_;
    ApplicationState state_;
    TrafficMonitor trafficMonitor_;
    link::UsbLink usb_;
    link::ReceiveRing receiveRing_;
    link::MessageSender sender_;
    link::ReceiveCycle receiveCycle_;
    AboutWindow aboutWindow_;
    StartWindow startWindow_;
};

}  // namespace quarn::app
