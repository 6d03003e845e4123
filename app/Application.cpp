#include "app/Application.h"

namespace quarn::app {

Application::Application(D2xxDriver& driver, TimerService& timers, HostServices& host, DevLog* log)
    : host_(host),
      timers_(timers),
      log_(log != nullptr ? *log : silentLog_),
      trafficMonitor_(host_),
      usb_(driver),
      sender_(usb_, trafficMonitor_),
      receiveCycle_(usb_, receiveRing_, state_.activeWindow, state_.identity, trafficMonitor_),
      startWindow_(StartWindowContext{state_, usb_, receiveCycle_, sender_, trafficMonitor_,
                                      aboutWindow_, timers_, host_, log_}) {}

void Application::start() {
    if (!startWindow_.ended()) {
        startWindow_.show();
    }
}

void Application::setSensorWindow(sensorwin::SensorWindowOpener* opener,
                                  link::SensorReplyDecoder* decoder) {
    startWindow_.setSensorWindowOpener(opener);
    receiveCycle_.setSensorDecoder(decoder);
}

}  // namespace quarn::app
