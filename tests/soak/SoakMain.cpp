// The fault soak: quarn_soak [--seeds N] [--hours H] [--first-seed S]
// Runs N seeds (default 2) of H virtual hours each (default 1), prints the
// figures and exits with 1 if any invariant was violated.

#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "scenario/sensor/SensorSession.h"
#include "soak/SoakRun.h"

namespace {

struct Options {
    std::uint32_t seeds = 2;
    double hours = 1;
    std::uint32_t firstSeed = 1;
};

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        const char* value = argv[++i];
        char* end = nullptr;
        if (name == "--seeds") {
            options.seeds = static_cast<std::uint32_t>(std::strtoul(value, &end, 10));
        } else if (name == "--hours") {
            options.hours = std::strtod(value, &end);
        } else if (name == "--first-seed") {
            options.firstSeed = static_cast<std::uint32_t>(std::strtoul(value, &end, 10));
        } else {
            return false;
        }
        if (end == value || *end != '\0') {
            return false;
        }
    }
    return options.seeds > 0 && options.hours > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::cerr << "usage: quarn_soak [--seeds N] [--hours H] [--first-seed S]\n";
        return 2;
    }
    try {
        quarn::testing::SessionDirectory directory;
        quarn::soak::SoakFigures total;
        for (std::uint32_t k = 0; k < options.seeds; ++k) {
            const std::uint32_t seed = options.firstSeed + k;
            const quarn::soak::SoakFigures one =
                quarn::soak::RunSeed(directory.path.string(), seed, options.hours);
            std::cout << "seed " << seed << ": " << one.violations.size() << " violations, "
                      << one.wallSeconds << " s" << std::endl;
            total.add(one);
        }
        total.print(std::cout);
        return total.violations.empty() ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "soak could not run: " << error.what() << '\n';
        return 2;
    }
}
