#pragma once
// What can be learnt about the USB side of this machine without the
// programmer's help: the driver backends and every FTDI adapter on the bus.
// The libftdi backend's survey fills these; the diagnosis reads them.

#include <cstdint>
#include <string>
#include <vector>

namespace quarn::diagnosis {

enum class KernelDriver { None, Attached, Unknown };

// The result of trying to open the adapter's device node.
enum class OpenOutcome { Opened, AccessDenied, Busy, Gone, Failed, NotTried };

// Whether the file permissions of the device node let this user open it,
// read from the node itself (not from an attempt to open the adapter).
enum class NodeAccess { Unknown, Allowed, Denied };

struct AdapterFacts {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string description;  // the USB product string; empty when unreadable
    std::string serial;
    int bus = 0;
    int address = 0;
    std::string port;      // port numbers from the root hub, dotted: "1.4"
    std::string nodePath;  // the device node: /dev/bus/usb/001/004
    KernelDriver kernelDriver = KernelDriver::Unknown;
    std::string kernelDriverName;  // "ftdi_sio" when known
    OpenOutcome open = OpenOutcome::NotTried;
    std::string openDetail;  // the USB library's own name for the failure
    NodeAccess nodeAccess = NodeAccess::Unknown;
};

// The names the backends are known by in BackendFacts::name.
inline constexpr char kVendorBackendName[] = "d2xx";
inline constexpr char kLibFtdiBackendName[] = "libftdi";

struct BackendFacts {
    std::string name;  // "d2xx", "libftdi"
    bool usable = false;
    std::string fileTried;  // the library file looked for
    std::string failure;    // why it is not usable; empty when usable
};

struct SurveyResult {
    bool usbUsable = false;  // the USB library could be started
    std::string failure;     // why not, when it could not
    std::vector<AdapterFacts> adapters;
};

}  // namespace quarn::diagnosis
