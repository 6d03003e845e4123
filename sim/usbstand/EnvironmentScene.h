#pragma once
// A USB bus described by the environment, for running a whole program (not
// a test process, which attaches its own bus) on the stand-in: the demo of a
// fault, the check of a diagnosis, a screenshot.
//
//   QUARN_USBSTAND_SCENE        adapters separated by ';', each its USB
//                               product string, optionally followed by ':'
//                               and faults separated by ',':
//                                 access    the user may not open it
//                                 busy      another program holds it
//                                 kernel    ftdi_sio is bound to it
//                                 nodevice  nothing behind the adapter
//                               e.g. "QuarnProg:access;FT232R USB UART"
//   QUARN_USBSTAND_INIT_FAILURE a libusb error code libusb_init returns
//
// Each adapter other than one marked nodevice has a Zel sensor behind it.
// The bus runs on real time.

namespace quarn::usbstand {

class StandInWorld;

// Attaches the described bus to the world when the environment describes
// one; once per process.
void attachEnvironmentScene(StandInWorld& world);

}  // namespace quarn::usbstand
