#include "workbench/ChangeLogLines.h"

#include <ctime>

#include "paramfile/LocalTime.h"
#include "sensorwin/ListContents.h"
#include "workbench/TextPlaceholders.h"

namespace quarn::workbench {

namespace {

using texts::StringId;

std::string localTimeText(WallTime when, const char* format) {
    std::tm local{};
    if (!paramfile::localCalendarTime(std::chrono::system_clock::to_time_t(when), local)) {
        return {};
    }
    char text[32] = {};
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

std::string captionOf(sensor::Parameter parameter, const TextContext& context) {
    return texts::textOf(context.strings, sensor::rowOf(parameter).caption);
}

std::string readBackText(const ParameterChange& change, const TextContext& context) {
    switch (change.readBack) {
        case ReadBack::Verified:
            return texts::textOf(context.strings, StringId::ReadBackVerified);
        case ReadBack::Differs:
            return withValues(texts::textOf(context.strings, StringId::ReadBackDiffers),
                              {valueText(change.parameter, change.reportedIndex, context)});
        case ReadBack::Awaited:
            break;
    }
    return texts::textOf(context.strings, StringId::ReadBackAwaited);
}

std::string changeText(const ParameterChange& change, const TextContext& context) {
    std::string text = captionOf(change.parameter, context) + ": " +
                       valueText(change.parameter, change.oldIndex, context) + " \u2192 " +
                       valueText(change.parameter, change.newIndex, context) + ", ";
    if (!change.acknowledged) {
        return text + texts::textOf(context.strings, StringId::ChangeNotAcknowledged);
    }
    return text + texts::textOf(context.strings, StringId::ChangeAcknowledged) + ", " +
           readBackText(change, context);
}

std::string refusedText(const RefusedReplyValue& refused, const TextContext& context) {
    return captionOf(refused.parameter, context) + ": " +
           withValues(texts::textOf(context.strings, StringId::RefusedValueLine),
                      {std::to_string(refused.wireValue)});
}

}  // namespace

std::string valueText(sensor::Parameter parameter, std::int16_t index, const TextContext& context) {
    std::string text =
        sensorwin::itemText(parameter, index, context.strings, context.decimalSeparator);
    // An index outside the items has no words; show the number rather than nothing.
    return text.empty() ? std::to_string(index) : text;
}

std::string timeOfDayText(WallTime when) {
    return localTimeText(when, "%H:%M:%S");
}

std::string dateTimeText(WallTime when) {
    return localTimeText(when, "%Y-%m-%d %H:%M:%S");
}

std::string changeLogLine(const ChangeLogEntry& entry, const TextContext& context) {
    return std::visit(
        [&](const auto& event) {
            std::string line = timeOfDayText(event.time) + "  ";
            if constexpr (std::is_same_v<std::decay_t<decltype(event)>, ParameterChange>) {
                return line + changeText(event, context);
            } else {
                return line + refusedText(event, context);
            }
        },
        entry);
}

std::vector<std::string> changeLogLines(const ChangeLog& log, const TextContext& context) {
    std::vector<std::string> lines;
    for (const ChangeLogEntry& entry : log.entries()) {
        lines.push_back(changeLogLine(entry, context));
    }
    if (lines.empty()) {
        lines.push_back(texts::textOf(context.strings, StringId::ChangeLogEmpty));
    }
    return lines;
}

std::string refusedValueToolTip(std::uint8_t wireValue, const texts::StringTableEntries& strings) {
    return withValues(texts::textOf(strings, StringId::RefusedValueToolTip),
                      {std::to_string(wireValue)});
}

}  // namespace quarn::workbench
