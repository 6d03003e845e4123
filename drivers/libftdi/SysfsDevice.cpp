#include "drivers/libftdi/SysfsDevice.h"

#include <filesystem>
#include <fstream>

namespace quarn::libftdi {

namespace {
// Configuration 1, interface 0: the only one an FT232R has.
constexpr char kFirstInterface[] = ":1.0";
}  // namespace

std::string dottedPorts(const std::vector<std::uint8_t>& ports) {
    std::string dotted;
    for (const std::uint8_t port : ports) {
        if (!dotted.empty()) {
            dotted += '.';
        }
        dotted += std::to_string(port);
    }
    return dotted;
}

std::string sysfsDeviceName(int bus, const std::string& dottedPorts) {
    return std::to_string(bus) + "-" + dottedPorts;
}

std::optional<std::string> readSysfsAttribute(const std::string& root, const std::string& device,
                                              const std::string& attribute) {
    std::ifstream in(std::filesystem::path(root) / device / attribute);
    std::string line;
    if (!in || !std::getline(in, line)) {
        return std::nullopt;
    }
    return line;
}

SysfsKernelDriver sysfsKernelDriver(const std::string& root, const std::string& device) {
    const std::filesystem::path interface =
        std::filesystem::path(root) / (device + kFirstInterface);
    std::error_code error;
    if (!std::filesystem::is_directory(interface, error)) {
        return {};
    }
    const std::filesystem::path driver = std::filesystem::read_symlink(interface / "driver", error);
    if (error) {
        return {diagnosis::KernelDriver::None, {}};
    }
    return {diagnosis::KernelDriver::Attached, driver.filename().string()};
}

}  // namespace quarn::libftdi
