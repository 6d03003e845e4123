#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

namespace quarn::cli {

std::string versionText() {
    return std::string("quarnsoft-cli ") + QUARN_VERSION_TEXT;
}

ParsedCommandLine parseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err) {
    Options options;
    std::string driver = "auto";

    CLI::App app{"Configures a Zel radar motion sensor through the QuarnProg programmer.",
                 "quarnsoft-cli"};
    app.set_version_flag("--version", versionText());
    app.add_option("--driver", driver, "auto, d2xx, libftdi or simulate")
        ->check(CLI::IsMember({"auto", "d2xx", "libftdi", "simulate"}));
    app.add_flag("--json", options.json, "results as one JSON object (one per line for watch)");
    app.add_option("--timeout", options.timeoutS,
                   "seconds for finding the sensor and completing the command (default 20)")
        ->check(CLI::PositiveNumber);
    app.require_subcommand(1, 1);

    CLI::App* identify =
        app.add_subcommand("identify", "programmer and device: type, serial, hardware, firmware");
    CLI::App* read = app.add_subcommand("read", "the six parameters, in words");
    CLI::App* save =
        app.add_subcommand("save", "the parameters the sensor reports, to a parameter file");
    save->add_option("FILE", options.file, "parameter file to write")->required();
    CLI::App* apply =
        app.add_subcommand("apply", "write the file's parameters, read them back, verify");
    apply->add_option("FILE", options.file, "parameter file to apply")->required();
    CLI::App* set = app.add_subcommand(
        "set", "change named parameters (sensitivity=7 relay_on_time_s=2.5 ...)");
    set->add_option("NAME=VALUE", options.assignments, "file keys and values")->required();
    CLI::App* watch = app.add_subcommand(
        "watch", "live level and alarm, one CSV line a sample, until Ctrl+C or SECONDS");
    double seconds = 0;
    CLI::Option* secondsOption =
        watch->add_option("SECONDS", seconds, "how long to watch")->check(CLI::PositiveNumber);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error, out, err);
        return {std::nullopt, status == 0 ? 0 : 1};
    }

    options.driver = *backend::parseDriverChoice(driver);
    const std::pair<CLI::App*, Command> commands[] = {
        {identify, Command::Identify}, {read, Command::Read}, {save, Command::Save},
        {apply, Command::Apply},       {set, Command::Set},   {watch, Command::Watch},
    };
    for (const auto& [sub, command] : commands) {
        if (sub->parsed()) {
            options.command = command;
        }
    }
    if (secondsOption->count() > 0) {
        options.watchSeconds = seconds;
    }
    return {options, 0};
}

}  // namespace quarn::cli
