#include "workbench/ParameterBackup.h"

#include "app/ApplicationFiles.h"
#include "paramfile/LocalTime.h"
#include "workbench/FilePaths.h"
#include "workbench/TextPlaceholders.h"

namespace quarn::workbench {

using texts::StringId;

ParameterBackup::ParameterBackup(const ReportedParameters& reported,
                                 const sensor::SessionState& session,
                                 const quarn::HostServices& host)
    : reported_(reported), session_(session), host_(host) {}

std::optional<std::string> ParameterBackup::refusal() const {
    switch (reported_.state()) {
        case ReportState::NotReported:
            return texts::textOf(session_.texts, StringId::SaveRefusedNoReply);
        case ReportState::Incomplete:
            return texts::textOf(session_.texts, StringId::SaveRefusedBadReply);
        case ReportState::Reported:
            break;
    }
    if (reported_.sensor().type != link::kZelDeviceType) {
        return texts::textOf(session_.texts, StringId::SaveRefusedNoReply);
    }
    return std::nullopt;
}

std::optional<paramfile::ParameterFile> ParameterBackup::record() const {
    if (refusal()) {
        return std::nullopt;
    }
    paramfile::ParameterFile file;
    file.device = reported_.sensor();
    file.saved = paramfile::isoLocalTime(host_.wallClock());
    file.listIndex = reported_.indices();
    return file;
}

SaveOutcome ParameterBackup::save(const std::string& utf8Path) const {
    if (const auto reason = refusal()) {
        return {false, *reason};
    }
    const paramfile::ParameterFile file = *record();
    const paramfile::WriteResult written = paramfile::writeParameterFile(file);
    const std::string notWritten =
        withValues(texts::textOf(session_.texts, StringId::ParameterFileNotWritten), {utf8Path});
    if (!written.ok()) {
        // The sensor reported something the file cannot hold (a serial
        // number with bytes that are not text, say): said, not written.
        return {false, notWritten + "\n" + written.error->message()};
    }
    if (app::replaceFile(pathFromUtf8(utf8Path), written.text)) {
        return {false, notWritten};
    }
    return {true, withValues(texts::textOf(session_.texts, StringId::ParametersSavedTo),
                             {file.device.serial, utf8Path})};
}

}  // namespace quarn::workbench
