#pragma once
// One application's worth of link objects wired to the recording driver, with
// a programmer adapter attached.

#include <cstdint>
#include <string>
#include <vector>

#include "app/TrafficMonitor.h"
#include "link/DeviceIdentity.h"
#include "link/MessageSender.h"
#include "link/ReceiveCycle.h"
#include "link/ReceiveRing.h"
#include "link/UsbLink.h"
#include "support/FakeHost.h"
#include "support/RecordingDriver.h"

namespace quarn::testing {

using Bytes = std::vector<std::uint8_t>;

struct LinkRig {
    LinkRig() { driver.addAdapter("QuarnProg"); }

    // The monitor window as the diagnostic option would show it.
    void showMonitor() { monitor.show(); }

    RecordingDriver driver;
    link::UsbLink usb{driver};
    link::ReceiveRing ring;
    link::ActiveWindow activeWindow = link::ActiveWindow::Start;
    link::DeviceIdentity identity;
    FakeHost host;
    app::TrafficMonitor monitor{host};
    link::ReceiveCycle cycle{usb, ring, activeWindow, identity, monitor};
    link::MessageSender sender{usb, monitor};
};

// Places bytes in the ring as a read would, after those already there.
inline void PutInRing(link::ReceiveRing& ring, const Bytes& bytes) {
    ring.append(bytes);
}

// A frame as the programmer would put it on the wire, from its message bytes
// (command, payload, checksum), with every 0x01 doubled.
inline Bytes WireFrame(const Bytes& message) {
    Bytes wire{0x01, 0x02};
    for (std::uint8_t byte : message) {
        wire.push_back(byte);
        if (byte == 0x01) {
            wire.push_back(0x01);
        }
    }
    wire.push_back(0x01);
    wire.push_back(0x03);
    return wire;
}

// Command and payload followed by their checksum, high byte first.
inline Bytes WithChecksum(Bytes message) {
    int sum = 0;
    for (std::uint8_t byte : message) {
        sum += byte;
    }
    message.push_back(static_cast<std::uint8_t>(sum / 256));
    message.push_back(static_cast<std::uint8_t>(sum % 256));
    return message;
}

// The identity reply's message: 0x0101, "ABCDEFGHIJ", 0x0100, 0x0200.
inline Bytes IdentityReplyMessage() {
    return WithChecksum({0x01, 0x01, 0x01, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 0x01,
                         0x00, 0x02, 0x00});
}

}  // namespace quarn::testing
