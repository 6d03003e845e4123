// Wire bytes, cut into arbitrary chunks, through the whole receive path of a
// running application: driver queue, ring, frame extraction, and the
// decoder of the mode the application is in. In programmer mode frames reach
// the programmer-level decoder; in sensor mode the sensor window is open and
// frames reach the sensor decoder, the parameter presentation and the signal
// display. Time moves between chunks when the input asks, so the status
// supervision, the polling tick and the identity cycle (which may close the
// window and bring back programmer mode) run on the fuzzed state too.
//
// Input: one byte of options, then chunks. Each chunk is a control byte
// (low six bits: chunk length; high two bits: how far the clock moves after
// it) followed by that many wire bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "app/TrafficMonitor.h"
#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "link/ReceiveRing.h"
#include "platform/Cp1252.h"
#include "scenario/sensor/SensorSession.h"

namespace {

using quarn::fuzz::Expect;

constexpr std::uint8_t kOptionSensorMode = 0x01;
constexpr std::uint8_t kOptionHeightFirmware = 0x02;
constexpr std::uint8_t kOptionMonitorVisible = 0x04;
constexpr std::int64_t kClockSteps[] = {0, 50, 100, 700};

quarn::fuzz::ScratchDirectory& Directory() {
    // One application directory for the whole process, made on first use.
    static quarn::fuzz::ScratchDirectory directory;
    return directory;
}

void OpenSensorWindow(quarn::testing::SensorSession& session, bool heightFirmware) {
    // What the status supervision does when it has recognised the sensor.
    quarn::link::DeviceIdentity& identity = session.app.state().identity;
    identity.type = quarn::link::kZelDeviceType;
    identity.serial = "FUZZ000001";
    identity.hardwareVersion = 0x0102;
    identity.firmwareVersion = heightFirmware ? 0x0200 : 0x01FF;
    session.window.showSensorWindow();
    session.app.startWindow().hide();
}

void CheckListBounds(const quarn::ComboList& list) {
    Expect(list.listIndex() >= -1 && list.listIndex() < list.listCount(),
           "a list selection outside its items");
}

void CheckState(quarn::testing::SensorSession& session) {
    const quarn::link::ReceiveRing& ring = session.app.receiveRing();
    Expect(ring.bufferedBytes() <= quarn::link::kRingSize - 1, "more than 1999 bytes buffered");
    Expect(static_cast<std::size_t>(ring.bufferedBytes()) + ring.freeRoom() ==
               quarn::link::kRingSize - 1,
           "the ring's buffered bytes and its free room disagree");

    const quarn::link::DeviceIdentity& identity = session.app.state().identity;
    Expect(identity.type >= 0 && identity.type <= 0xFFFF, "device type not a word");
    Expect(identity.hardwareVersion >= 0 && identity.hardwareVersion <= 0xFFFF,
           "hardware not a word");
    Expect(identity.firmwareVersion >= 0 && identity.firmwareVersion <= 0xFFFF,
           "firmware not a word");
    Expect(identity.serial.empty() || quarn::utf8Length(identity.serial) == 10,
           "a serial number that is not ten characters");

    const quarn::app::TrafficMonitor& monitor = session.app.trafficMonitor();
    Expect(quarn::utf8Length(monitor.receivedFrames.text()) <= quarn::app::kMonitorBoxLimit,
           "receive box past its limit");
    Expect(quarn::utf8Length(monitor.sentFrames.text()) <= quarn::app::kMonitorBoxLimit,
           "send box past its limit");

    const auto& w = session.window;
    for (const quarn::sensor::ParameterRow& row : quarn::sensor::kParameterTable) {
        CheckListBounds(w.parameterList(row.parameter));
    }
    const bool sensorActive = session.app.state().activeWindow == quarn::link::ActiveWindow::Sensor;
    Expect(sensorActive == w.loaded(), "sensor mode and sensor window disagree");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const quarn::fuzz::ScratchDirectory& directory = Directory();
    if (!std::filesystem::exists(directory.file("StringTable.txt"))) {
        directory.write("StringTable.txt", quarn::fuzz::WorkingStringTable());
    }

    const std::span<const std::uint8_t> input(data, size);
    const std::uint8_t options = input[0];
    quarn::testing::SensorSession session(directory.str());
    quarn::sim::Adapter& adapter = session.bus.plugAdapter("QuarnProg");
    session.start((options & kOptionMonitorVisible) != 0);
    Expect(!session.app.ended(), "the application did not start");
    if ((options & kOptionSensorMode) != 0) {
        OpenSensorWindow(session, (options & kOptionHeightFirmware) != 0);
    }

    std::size_t at = 1;
    while (at < input.size() && !session.app.ended()) {
        const std::uint8_t control = input[at++];
        const std::size_t length = std::min<std::size_t>(control & 0x3FU, input.size() - at);
        adapter.injectNoise(input.subspan(at, length));
        at += length;
        session.app.receiveCycle().receive();
        CheckState(session);
        const std::int64_t step = kClockSteps[control >> 6];
        if (step > 0) {
            session.clock.advance(step);
            CheckState(session);
        }
    }
    return 0;
}
