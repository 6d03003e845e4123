#include "cli/SetArguments.h"

#include <algorithm>

#include "paramfile/FileKeys.h"

namespace quarn::cli {

namespace {

std::optional<sensor::Parameter> parameterNamed(std::string_view name) {
    for (const paramfile::FileKey& key : paramfile::kFileKeys) {
        if (key.key == name) {
            return key.parameter;
        }
    }
    return std::nullopt;
}

std::string knownNames() {
    std::string names;
    for (const paramfile::FileKey& key : paramfile::kFileKeys) {
        names += (names.empty() ? "" : ", ") + std::string(key.key);
    }
    return names;
}

// A bare JSON literal (number or boolean) as typed: only characters that
// cannot end the value or start another member.
bool bareLiteral(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               c == '.' || c == '+' || c == '-';
    });
}

}  // namespace

AssignmentsResult parseAssignments(const std::vector<std::string>& words) {
    AssignmentsResult result;
    for (const std::string& word : words) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) {
            result.error = "'" + word + "' is not NAME=VALUE";
            return result;
        }
        const std::string name = word.substr(0, equals);
        const auto parameter = parameterNamed(name);
        if (!parameter) {
            result.error = "'" + name + "' is not a parameter; the names are " + knownNames();
            return result;
        }
        if (std::any_of(result.assignments.begin(), result.assignments.end(),
                        [&](const Assignment& a) { return a.parameter == *parameter; })) {
            result.error = name + " is given twice";
            return result;
        }
        if (equals + 1 == word.size()) {
            result.error = name + " needs a value: " + paramfile::fileDomainText(*parameter);
            return result;
        }
        result.assignments.push_back({*parameter, word.substr(equals + 1)});
    }
    return result;
}

paramfile::ReadResult assignValues(const paramfile::ParameterFile& current,
                                   const std::vector<Assignment>& assignments) {
    const paramfile::WriteResult written = paramfile::writeParameterFile(current);
    if (!written.ok()) {
        return {{}, written.error};
    }
    // The writer puts the parameters object last: the text up to it is kept
    // (format, time, device), the object is written again with the values.
    const std::string_view marker = "\n  \"parameters\": ";
    const std::size_t at = written.text.rfind(marker);
    if (at == std::string::npos) {
        return {{}, paramfile::FileError{"parameters", "missing"}};
    }
    std::string text = written.text.substr(0, at + marker.size()) + "{";
    bool first = true;
    for (const paramfile::FileKey& key : paramfile::kFileKeys) {
        std::string value;
        const auto assigned =
            std::find_if(assignments.begin(), assignments.end(),
                         [&](const Assignment& a) { return a.parameter == key.parameter; });
        if (assigned != assignments.end()) {
            if (key.value == paramfile::FileValue::Words) {
                value = paramfile::jsonStringText(assigned->literal);
            } else if (bareLiteral(assigned->literal)) {
                value = assigned->literal;
            } else {
                return {{},
                        paramfile::FileError{"parameters." + std::string(key.key),
                                             assigned->literal + " is not one of " +
                                                 paramfile::fileDomainText(key.parameter)}};
            }
        } else if (const auto& index = current.listIndex[sensor::indexOf(key.parameter)]) {
            const std::optional<std::string> literal =
                paramfile::fileValueText(key.parameter, *index);
            if (!literal) {
                continue;
            }
            value = key.value == paramfile::FileValue::Words ? paramfile::jsonStringText(*literal)
                                                             : *literal;
        } else {
            continue;
        }
        text += (first ? "" : ", ") + paramfile::jsonStringText(key.key) + ": " + value;
        first = false;
    }
    text += "}\n}\n";
    return paramfile::readParameterFile(text);
}

paramfile::ParameterFile placeholderRecord() {
    paramfile::ParameterFile record;
    record.device = {link::kZelDeviceType, "0000000000", 0, link::kHeightFirmware};
    record.saved = "2026-01-01T00:00:00+00:00";
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        record.listIndex[sensor::indexOf(row.parameter)] = row.loadSelection;
    }
    return record;
}

}  // namespace quarn::cli
