#include "app/Application.h"

namespace quarn::app {

Application::Application(D2xxDriver& driver, TimerService& timers, HostServices& host)
    : host_(host),
      timers_(timers),
      trafficMonitor_(host_),
      usb_(driver),
      sender_(usb_, trafficMonitor_),
      receiveCycle_(usb_, receiveRing_, state_.activeWindow, state_.identity, trafficMonitor_),
      formStart_(StartWindowLinks{state_, usb_, receiveCycle_, sender_, trafficMonitor_, formAbout_,
                                  timers_, host_}) {}

void Application::start() {
    if (!formStart_.ended()) {
        formStart_.show();
    }
}

void Application::setSensorWindow(sensorwin::SensorWindowOpener* opener,
                                  link::SensorReplyDecoder* decoder) {
    formStart_.setSensorWindowOpener(opener);
    receiveCycle_.setSensorDecoder(decoder);
}

}  // namespace quarn::app
