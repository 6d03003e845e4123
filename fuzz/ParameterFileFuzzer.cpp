// Arbitrary bytes as a parameter file. Whatever the bytes, reading them
// gives either a record or one error whose message is plain UTF-8 text. A
// record read once is written back without complaint, and the text written
// reads as the same record, set against any sensor it applies only values
// from the file or the sensor.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "paramfile/FileComparison.h"
#include "paramfile/ParameterFile.h"

namespace {

using quarn::fuzz::Expect;
namespace paramfile = quarn::paramfile;

void checkApplying(const paramfile::ParameterFile& file) {
    // The sensor the file came from, reporting every value but the first.
    paramfile::ListIndices reported;
    for (std::size_t i = 1; i < reported.size(); ++i) {
        reported[i] = 0;
    }
    const paramfile::FileComparison comparison =
        paramfile::compareWithSensor(file, reported, file.device);
    for (std::size_t i = 0; i < reported.size(); ++i) {
        const auto& applied = comparison.toApply[i];
        Expect(!applied || applied == file.listIndex[i] || applied == reported[i],
               "applying writes a value neither the file nor the sensor gave");
    }
    Expect(comparison.canApply, "a file read whole cannot be applied to its own sensor");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const paramfile::ReadResult read = paramfile::readParameterFile(text);
    if (!read.ok()) {
        const std::string message = read.error->message();
        Expect(!read.error->problem.empty(), "an error without a problem");
        Expect(quarn::fuzz::IsUtf8(message), "an error message that is not UTF-8");
        Expect(message.find('\0') == std::string::npos, "an error message with a NUL");
        Expect(message.size() < 512, "an error message that echoes the file");
        Expect(read.file == paramfile::ParameterFile(), "a record kept beside an error");
        return 0;
    }
    const paramfile::WriteResult written = paramfile::writeParameterFile(read.file);
    Expect(written.ok(), "a record read from a file cannot be written");
    const paramfile::ReadResult again = paramfile::readParameterFile(written.text);
    Expect(again.ok(), "a written file does not read");
    Expect(again.file == read.file, "a written file reads as another record");
    Expect(paramfile::writeParameterFile(again.file).text == written.text,
           "writing the same record twice gives two texts");
    checkApplying(read.file);
    return 0;
}
