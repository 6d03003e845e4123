#pragma once
// The command line of quarnsoft-cli: global options, then one command and
// its arguments. Parsing prints help, the version and usage errors itself.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "drivers/backend/DriverChoice.h"

namespace quarn::cli {

enum class Command { Identify, Read, Save, Apply, Set, Watch };

inline constexpr double kDefaultTimeoutS = 20.0;

struct Options {
    backend::DriverChoice driver = backend::DriverChoice::Auto;
    bool json = false;
    double timeoutS = kDefaultTimeoutS;
    Command command = Command::Identify;
    std::string file;                      // save, apply
    std::vector<std::string> assignments;  // set: NAME=VALUE words
    std::optional<double> watchSeconds;    // watch: nothing runs until stopped
};

// Options to run, or the exit status when the command line has been
// answered already (help, version: 0) or refused (1).
struct ParsedCommandLine {
    std::optional<Options> options;
    int exitStatus = 0;
};

ParsedCommandLine parseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err);

// "quarnsoft-cli 1.0.0".
std::string versionText();

}  // namespace quarn::cli
