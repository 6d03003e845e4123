#pragma once
// Parameter files as a technician's tool would have written them, for the
// scenarios that load or apply one: the device and the parameters given,
// the rest as the format wants it.

#include <string>

namespace quarn::testing {

// parameters: the members of the "parameters" object, without braces.
inline std::string parameterFileText(const std::string& serial, const std::string& firmware,
                                     const std::string& parameters) {
    return R"({"format": "quarnsoft-parameters", "version": 1, "saved": "2026-12-07T15:30:00+01:00",
  "device": {"type": "0x0101", "serial": ")" +
           serial + R"(", "hardware": "0x0102", "firmware": ")" + firmware +
           R"("}, "parameters": {)" + parameters + "}}\n";
}

// Five values, each other than the simulated sensor's, and no height:
// sensitivity 8, relay 3.0 s, fast, 60 Hz, high traffic on.
inline const std::string kFiveOtherValues =
    R"("sensitivity": 8, "relay_on_time_s": 3.0, "reaction_speed": "fast", "mains_filter": "60Hz", "high_traffic": true)";

}  // namespace quarn::testing
