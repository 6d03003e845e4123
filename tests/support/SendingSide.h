#pragma once
// The PC's sending side without windows: a recording driver behind the USB
// link, the message sender, the traffic monitor it reports to, and the
// session state the sensor window shares. Rigs of the sensor layers start
// from it.

#include "app/TrafficMonitor.h"
#include "link/MessageSender.h"
#include "link/UsbLink.h"
#include "sensor/SessionState.h"
#include "support/FakeHost.h"
#include "support/RecordingDriver.h"

namespace quarn::testing {

struct SendingSide {
    RecordingDriver driver;
    link::UsbLink usb{driver};
    FakeHost host;
    app::TrafficMonitor monitor{host};
    link::MessageSender sender{usb, monitor};
    sensor::SessionState session;
};

}  // namespace quarn::testing
