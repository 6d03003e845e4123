#pragma once
// The test controls of the libusb stand-in: a libusb-1.0.so.0 that shows the
// adapters of a simulated bus as FTDI FT232R chips at the USB level, so that
// the real libftdi (and any code calling libusb directly) runs against the
// simulated programmer and sensor on the same virtual clock.
//
// Adapters are named by their serial number (sim::Adapter::serialNumber()).
// Everything here is for tests: no threads, and every answer depends only on
// the calls made, so a run repeats exactly. Synchronous transfers reach the
// chip at once; asynchronous ones complete only while libusb is asked to
// handle events (AsyncTransfers.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#define QUARN_USBSTAND_API __attribute__((visibility("default")))

namespace quarn::sim {
class SimulatedBus;
}

namespace quarn::usbstand {

enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OnePointFive, Two };
enum class FlowControl { None, RtsCts, DtrDsr, XonXoff };

// The serial line settings a chip holds. The defaults are the chip's own
// after power-up.
struct LineSettings {
    int baudRate = 9600;
    int dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    FlowControl flowControl = FlowControl::None;
    int latencyMs = 16;

    bool operator==(const LineSettings&) const = default;
};

struct AdapterFaults {
    bool denyAccess = false;     // libusb_open fails with LIBUSB_ERROR_ACCESS
    bool interfaceBusy = false;  // another program holds the interface: claim fails BUSY
    // Data bytes in each bulk IN packet (at most 62 beside the two status
    // bytes). Fewer make every packet short, so each transfer carries one.
    int inPacketData = 62;
    // The next this many bulk IN transfers end at once with a zero-length packet.
    int zeroLengthPackets = 0;
    // The chip disappears from the bus once bulk IN has delivered this many
    // more bytes: the next transfer fails LIBUSB_ERROR_NO_DEVICE. Negative: never.
    long vanishAfterBytes = -1;
};

// Where an adapter sits on the USB bus: bus 1, behind a hub on root port 1,
// the n-th adapter seen on port n ("1.n", sysfs name "1-1.n"); addresses are
// given from 3 on in the order adapters arrive, a new one on each replug.
struct UsbPlace {
    int bus = 0;
    int address = 0;
    std::vector<std::uint8_t> ports;  // from the root hub
    std::string sysfsName;            // the kernel's name for it: "1-1.2"
};

struct ChipReport {
    LineSettings line;
    bool kernelDriverBound = false;
    int kernelDriverDetaches = 0;
    int kernelDriverAttaches = 0;
    bool interfaceClaimed = false;
};

// Shows the adapters of this bus (nullptr: no bus, no devices). Attaching
// another bus forgets every chip, fault and setting of the previous one and
// the counts of abandoned transfers and event waits;
// attaching the same bus again keeps them. The bus must outlive its
// attachment and every libusb handle opened on it.
QUARN_USBSTAND_API void attachBus(sim::SimulatedBus* bus);
QUARN_USBSTAND_API sim::SimulatedBus* attachedBus();

QUARN_USBSTAND_API void setFaults(const std::string& serial, const AdapterFaults& faults);
// The kernel's ftdi_sio driver is bound to the chip's interface, as after
// plugging in; libusb must detach it before claiming the interface.
QUARN_USBSTAND_API void bindKernelDriver(const std::string& serial);
// The settings another program left in the chip.
QUARN_USBSTAND_API void setLine(const std::string& serial, const LineSettings& line);
// libusb_init fails with this libusb error code; 0 lets it succeed again.
QUARN_USBSTAND_API void setInitFailure(int libusbError);

// Nothing for an adapter the bus has never shown.
QUARN_USBSTAND_API std::optional<ChipReport> chipReport(const std::string& serial);
QUARN_USBSTAND_API std::optional<UsbPlace> placeOf(const std::string& serial);
// libusb contexts not yet exited and device handles not yet closed.
QUARN_USBSTAND_API int liveContexts();
QUARN_USBSTAND_API int openDeviceHandles();

// Asynchronous transfers: allocated and not yet freed; submitted and not yet
// completed; and those freed, or left behind by closing their device, while
// still in flight, which a careful caller never does (counted since the bus
// was attached).
struct TransferCounts {
    int live = 0;
    int inFlight = 0;
    int abandoned = 0;
    bool operator==(const TransferCounts&) const = default;
};
QUARN_USBSTAND_API TransferCounts transferCounts();

// The in-flight bulk IN transfers to this adapter's chip take what it holds
// now, as the host controller fills them while nobody handles events: the
// first in the order they were submitted takes the bytes, those behind it
// the status bytes alone. They complete with it at the next handle_events
// call, even if cancelled first.
QUARN_USBSTAND_API void receiveIntoTransfers(const std::string& serial);
// Lets this many milliseconds pass on the USB side while nobody handles
// events: the chip answers the in-flight bulk IN transfers to it one after
// the other, in the order they were submitted, one each time its latency
// timer runs out, with what it holds at that moment (an idle chip: the
// status bytes alone). Those answered complete at the next handle_events
// call, callbacks and all; the rest are still pending then. Returns how
// many the chip answered.
QUARN_USBSTAND_API int passUsbTime(const std::string& serial, int milliseconds);

// The libusb_handle_events* calls since the last look (or since the bus was
// attached), and the longest time-out any of them was given, in
// microseconds; a call without one, which would wait as long as it takes,
// counts as LONG_MAX.
struct EventWaits {
    int calls = 0;
    long longestUs = 0;
};
QUARN_USBSTAND_API EventWaits takeEventWaits();

}  // namespace quarn::usbstand

// Found by name only in the stand-in: a test looks it up to make sure the
// libusb its process loaded is this one.
extern "C" QUARN_USBSTAND_API const char* quarnUsbStandIn();
