#pragma once
// Which driver backend a front end is asked to use: the vendor's D2XX
// library, libftdi1, the first of the two that can be used, or the built-in
// simulator.

#include <optional>
#include <string_view>

namespace quarn::backend {

enum class DriverChoice { Auto, D2xx, LibFtdi, Simulate };

// The word on the command line: "auto", "d2xx", "libftdi", "simulate".
constexpr std::string_view driverChoiceName(DriverChoice choice) {
    switch (choice) {
        case DriverChoice::Auto:
            return "auto";
        case DriverChoice::D2xx:
            return "d2xx";
        case DriverChoice::LibFtdi:
            return "libftdi";
        case DriverChoice::Simulate:
            return "simulate";
    }
    return "auto";
}

// Nothing for a word that names no choice.
constexpr std::optional<DriverChoice> parseDriverChoice(std::string_view word) {
    for (const DriverChoice choice :
         {DriverChoice::Auto, DriverChoice::D2xx, DriverChoice::LibFtdi, DriverChoice::Simulate}) {
        if (word == driverChoiceName(choice)) {
            return choice;
        }
    }
    return std::nullopt;
}

}  // namespace quarn::backend
