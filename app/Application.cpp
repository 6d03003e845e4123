#include "app/Application.h"

namespace quarn::app {

Application::Application(D2xxDriver& driver, TimerService& timers, HostServices& host)
    : host_(host),
      timers_(timers),
      trafficMonitor_(host_),
      usb_(driver),
      sender_(usb_, trafficMonitor_),
      receiveCycle_(usb_, receiveRing_, state_.activeWindow, state_.identity, trafficMonitor_),
      startWindow_(StartWindowContext{state_, usb_, receiveCycle_, sender_, trafficMonitor_,
                                      aboutWindow_, timers_, host_}) {}

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
