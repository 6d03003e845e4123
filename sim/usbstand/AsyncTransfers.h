#pragma once
// libusb's asynchronous transfers on the stand-in, without threads: a
// submitted bulk transfer waits in its context until a handle_events call on
// that context completes it with what the chip has at that moment (a bulk IN
// transfer: its packets, each led by the two status bytes, or the status
// bytes alone when nothing waits; a real chip sends those when its latency
// timer runs out, the virtual clock has no need to wait). A call completes
// only the transfers submitted before it began, so one resubmitted from its
// callback waits for the next call and no call runs on for ever. Several
// transfers in flight to one chip complete in the order they were
// submitted, as the host controller serves them: the first takes what the
// chip holds, those behind it what is left, the status bytes alone when
// nothing is. A cancelled transfer completes LIBUSB_TRANSFER_CANCELLED at
// the next call, in its place. The chip's faults (zero-length and short
// packets, vanishing) apply as to synchronous transfers, each to the
// transfer that meets it.
//
// The test controls can make in-flight IN transfers take the chip's data
// before any call handles them, as the host controller does while nobody
// handles events: all of them, or as many as the chip answers in a stretch
// of time, one per latency period. Such a transfer can no longer be
// cancelled and completes with its data.

#include <map>
#include <vector>

#include "sim/usbstand/UsbStandIn.h"

struct libusb_context;
struct libusb_device_handle;
struct libusb_transfer;
struct timeval;

namespace quarn::usbstand {

class EmulatedChip;

class AsyncTransfers {
  public:
    static AsyncTransfers& instance();

    // libusb's calls of the same names; each answers as libusb would.
    libusb_transfer* allocate(int isoPackets);
    void release(libusb_transfer* transfer);
    int submit(libusb_transfer* transfer);
    int cancel(libusb_transfer* transfer);
    int handleEvents(libusb_context* context, const timeval* timeout, const int* completed);

    // In-flight IN transfers to this chip that have not taken anything yet
    // take what it has now, in the order they were submitted, at most limit
    // of them (negative: all). Returns how many did.
    int receiveNow(const EmulatedChip& chip, int limit = -1);
    // The handle is closing: its transfers still in flight will never
    // complete and count as abandoned.
    void abandon(const libusb_device_handle* handle);

    TransferCounts counts() const;
    EventWaits takeEventWaits();
    // Forgets the abandoned count and the event waits, as for a new bus.
    void startOver();

  private:
    struct State {
        bool inFlight = false;
        bool cancelled = false;
        bool arrived = false;  // has its data; completes at the next call
        int status = 0;
        int actualLength = 0;
        unsigned long callsBeforeSubmit = 0;  // handle_events calls begun before it was submitted
    };

    // Carries the transfer out on its chip now.
    static void transact(libusb_transfer& transfer, State& state);
    void complete(libusb_transfer* transfer);
    void dropFromFlight(libusb_transfer* transfer);

    std::map<libusb_transfer*, State> live_;
    std::vector<libusb_transfer*> inFlight_;  // in the order they were submitted
    unsigned long callsBegun_ = 0;
    int abandoned_ = 0;
    EventWaits waits_;
};

}  // namespace quarn::usbstand
