#pragma once
// The parameter file of the format's documentation, as a record and as the
// text the writer gives for it.

#include <initializer_list>
#include <string>
#include <utility>

#include "paramfile/ParameterFile.h"

namespace quarn::paramfile::testing {

// Sensitivity 5, relay 1.0 s, normal, 50 Hz, high traffic off, 2.30 m, from
// a sensor with firmware 0x0200.
inline ParameterFile exampleFile() {
    ParameterFile file;
    file.device.type = link::kZelDeviceType;
    file.device.serial = "A123456789";
    file.device.hardwareVersion = 0x0102;
    file.device.firmwareVersion = 0x0200;
    file.saved = "2026-12-07T15:30:00+01:00";
    file.listIndex = {4, 1, 1, 1, 0, 0};
    return file;
}

inline const std::string kExampleText = R"({
  "format": "quarnsoft-parameters",
  "version": 1,
  "saved": "2026-12-07T15:30:00+01:00",
  "device": {
    "type": "0x0101",
    "serial": "A123456789",
    "hardware": "0x0102",
    "firmware": "0x0200"
  },
  "parameters": {
    "sensitivity": 5,
    "relay_on_time_s": 1.0,
    "reaction_speed": "normal",
    "mains_filter": "50Hz",
    "high_traffic": false,
    "installation_height_m": 2.30
  }
}
)";

// The example text with the first `from` of each change replaced by its `to`.
inline std::string exampleWith(std::initializer_list<std::pair<std::string, std::string>> changes) {
    std::string text = kExampleText;
    for (const auto& [from, to] : changes) {
        const std::size_t at = text.find(from);
        if (at == std::string::npos) {
            return "the example has no " + from;
        }
        text.replace(at, from.size(), to);
    }
    return text;
}

inline std::string exampleWith(const std::string& from, const std::string& to) {
    return exampleWith({{from, to}});
}

}  // namespace quarn::paramfile::testing
