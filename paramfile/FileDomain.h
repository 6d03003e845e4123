#pragma once
// What a parameter file may hold, checked in the same words by the reader
// (on a file) and by the writer (on a record), so that the writer never
// writes what the reader would refuse.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "paramfile/ParameterFile.h"

namespace quarn::paramfile {

// A 16-bit word of the device's identity as the file writes it: "0x0200".
std::string deviceWordText(std::int32_t word);
// "0x" and four hexadecimal digits of either case; nothing otherwise.
std::optional<std::int32_t> deviceWordOf(std::string_view text);

// The problem with a text field of the file: not UTF-8, or longer than
// `maxCharacters` characters.
std::optional<std::string> textProblem(std::string_view text, std::size_t maxCharacters);

// The problem with a device type: "0x0102 is not the Zel sensor (0x0101)".
std::optional<std::string> deviceTypeProblem(std::int32_t type);

// The problem with a height in a file saved from a sensor whose firmware
// does not carry it.
std::string heightNotCarriedProblem(std::int32_t firmwareVersion);

// The first field of the record that lies outside its domain, in the order
// the file writes them.
std::optional<FileError> recordProblem(const ParameterFile& file);

}  // namespace quarn::paramfile
