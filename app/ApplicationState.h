#pragma once
// The application-wide state: what the windows share (see SessionState),
// plus what only the shell keeps. One instance per application; no globals.

#include <cstdint>

#include "app/Language.h"
#include "sensor/SessionState.h"

namespace quarn::app {

using texts::kStringTableEntries;
using texts::StringTableEntries;

struct ApplicationState : sensor::SessionState {
    std::int16_t sensorWindowDelayMs = 0;  // ms still to wait before the sensor window may open
    Language language = Language::Italian;
};

}  // namespace quarn::app
