#include "workbench/HistoryCsv.h"

#include <cstdio>

#include "paramfile/LocalTime.h"
#include "workbench/FilePaths.h"

namespace quarn::workbench {

namespace {

constexpr char kLineEnd[] = "\r\n";
// "YYYY-MM-DDTHH:MM:SS": where the fraction of the second goes.
constexpr std::size_t kSecondsEnd = 19;

}  // namespace

std::string isoLocalTimeMs(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    std::string text = paramfile::isoLocalTime(when);
    if (text.size() < kSecondsEnd) {
        return {};
    }
    const auto millis = duration_cast<milliseconds>(when - floor<seconds>(when)).count();
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03d", static_cast<int>(millis));
    text.insert(kSecondsEnd, fraction);
    return text;
}

std::string historyCsvText(const SignalHistory& history) {
    std::string text;
    constexpr std::size_t kTypicalLine = 48;
    text.reserve((history.size() + 1) * kTypicalLine);
    text += kHistoryCsvHeader;
    text += kLineEnd;
    for (std::size_t i = 0; i < history.size(); ++i) {
        const HistorySample& sample = history.at(i);
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, ",%lld,%ld,%d",
                      static_cast<long long>(sample.msSinceOpen), static_cast<long>(sample.level),
                      sample.alarm ? 1 : 0);
        text += isoLocalTimeMs(sample.wallClock);
        text += numbers;
        text += kLineEnd;
    }
    return text;
}

CsvExportResult exportHistoryCsv(const SignalHistory& history, const std::string& utf8Path) {
    CsvExportResult result;
    result.error = app::replaceFile(pathFromUtf8(utf8Path), historyCsvText(history));
    if (result.ok()) {
        result.sampleLines = history.size();
    }
    return result;
}

}  // namespace quarn::workbench
