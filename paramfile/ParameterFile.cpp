#include "paramfile/ParameterFile.h"

namespace quarn::paramfile {

bool operator==(const ParameterFile& a, const ParameterFile& b) {
    return a.device.type == b.device.type && a.device.serial == b.device.serial &&
           a.device.hardwareVersion == b.device.hardwareVersion &&
           a.device.firmwareVersion == b.device.firmwareVersion && a.saved == b.saved &&
           a.listIndex == b.listIndex;
}

std::string FileError::message() const {
    return field.empty() ? problem : field + ": " + problem;
}

}  // namespace quarn::paramfile
