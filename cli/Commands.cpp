#include "cli/Commands.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>

#include "app/ApplicationFiles.h"
#include "cli/CommandLine.h"
#include "cli/HeadlessSession.h"
#include "cli/SetArguments.h"
#include "cli/Utf8Path.h"
#include "paramfile/FileComparison.h"
#include "paramfile/FileDomain.h"
#include "paramfile/FileKeys.h"
#include "paramfile/LocalTime.h"
#include "paramfile/ParameterFile.h"
#include "workflow/ParameterApply.h"

namespace quarn::cli {

namespace {

using paramfile::deviceWordText;
using paramfile::jsonStringText;
using sensor::Parameter;

constexpr char kProgrammerDescription[] = "QuarnProg";

std::string deviceJson(const link::DeviceIdentity& device) {
    return "{\"type\":" + jsonStringText(deviceWordText(device.type)) +
           ",\"serial\":" + jsonStringText(device.serial) +
           ",\"hardware\":" + jsonStringText(deviceWordText(device.hardwareVersion)) +
           ",\"firmware\":" + jsonStringText(deviceWordText(device.firmwareVersion)) + "}";
}

std::string keyOf(Parameter parameter) {
    return std::string(paramfile::fileKeyOf(parameter).key);
}

std::string valueOf(Parameter parameter, std::int16_t index) {
    return paramfile::fileValueText(parameter, index).value_or("?");
}

// One command's run: the options, the context, and the session once the
// driver is there.
class CommandRun {
  public:
    CommandRun(const Options& options, const ProgramContext& context)
        : options_(options), context_(context), out_(context.out), err_(context.err) {}

    int run();

  private:
    // Checks what can be checked before any sensor: the file to apply, the
    // words of set. 0 when all is well.
    int checkArguments();
    int openSession();
    int statusOfFound(HeadlessSession::Found found);

    int identify();
    int read();
    int save();
    int apply();
    int set();
    int watch();

    int applyIndices(const paramfile::ListIndices& wanted);
    paramfile::ParameterFile sensorRecord();
    bool printRecord(const paramfile::ParameterFile& record, const std::string& heading);

    const Options& options_;
    const ProgramContext& context_;
    std::ostream& out_;
    std::ostream& err_;
    std::unique_ptr<HeadlessSession> session_;
    paramfile::ParameterFile fileToApply_;
    std::vector<Assignment> assignments_;
};

int CommandRun::run() {
    if (const int status = checkArguments(); status != kExitDone) {
        return status;
    }
    if (const int status = openSession(); status != kExitDone) {
        return status;
    }
    int status = kExitDone;
    switch (options_.command) {
        case Command::Identify:
            status = identify();
            break;
        case Command::Read:
            status = read();
            break;
        case Command::Save:
            status = save();
            break;
        case Command::Apply:
            status = apply();
            break;
        case Command::Set:
            status = set();
            break;
        case Command::Watch:
            status = watch();
            break;
    }
    session_->close();
    return status;
}

int CommandRun::checkArguments() {
    if (options_.command == Command::Apply) {
        const paramfile::ReadResult read =
            paramfile::readParameterFileAt(pathFromUtf8(options_.file));
        if (!read.ok()) {
            err_ << options_.file << ": " << read.error->message() << '\n';
            return kExitUsage;
        }
        fileToApply_ = read.file;
    }
    if (options_.command == Command::Set) {
        AssignmentsResult parsed = parseAssignments(options_.assignments);
        if (parsed.error) {
            err_ << "set: " << *parsed.error << '\n';
            return kExitUsage;
        }
        const paramfile::ReadResult checked = assignValues(placeholderRecord(), parsed.assignments);
        if (!checked.ok()) {
            err_ << "set: " << checked.error->message() << '\n';
            return kExitUsage;
        }
        assignments_ = std::move(parsed.assignments);
    }
    return kExitDone;
}

int CommandRun::openSession() {
    std::string problem;
    D2xxDriver* driver = context_.driverFor(options_.driver, problem);
    if (driver == nullptr) {
        err_ << "no usable USB driver: " << problem << '\n';
        return kExitNoProgrammer;
    }
    const auto timeoutMs = static_cast<std::int64_t>(options_.timeoutS * 1000.0);
    session_ = std::make_unique<HeadlessSession>(
        SessionContext{*driver, context_.clock, context_.realTime, context_.applicationDirectory,
                       err_, context_.stop},
        timeoutMs);
    const int status = statusOfFound(session_->findSensor());
    if (status != kExitDone) {
        session_->close();
    }
    return status;
}

int CommandRun::statusOfFound(HeadlessSession::Found found) {
    using Found = HeadlessSession::Found;
    switch (found) {
        case Found::Sensor:
            return kExitDone;
        case Found::NoProgrammer:
            switch (session_->linkStatus().value_or(link::LinkStatus::NotFound)) {
                case link::LinkStatus::MoreThanOne:
                    err_ << "two or more programmers (" << kProgrammerDescription
                         << ") are connected: leave one\n";
                    break;
                case link::LinkStatus::DriverFailed:
                    err_ << "the programmer could not be opened (USB driver error)\n";
                    break;
                default:
                    err_ << "no programmer (" << kProgrammerDescription << ") is connected\n";
                    break;
            }
            return kExitNoProgrammer;
        case Found::OtherDevice:
            err_ << "the device behind the programmer is not a Zel sensor (type "
                 << deviceWordText(session_->device().type) << ")\n";
            return kExitNoSensor;
        case Found::NoSensor:
            err_ << "no Zel sensor answers behind the programmer\n";
            return kExitNoSensor;
        case Found::TimedOut:
            err_ << "time-out: the programmer was not ready within " << options_.timeoutS << " s\n";
            return kExitTimedOut;
        case Found::Stopped:
            err_ << "interrupted\n";
            return kExitInterrupted;
        case Found::Ended:
            return kExitUsage;  // the critical message has said why
    }
    return kExitUsage;
}

paramfile::ParameterFile CommandRun::sensorRecord() {
    paramfile::ParameterFile record;
    record.device = session_->device();
    record.saved = paramfile::isoLocalTime(context_.wallTime());
    record.listIndex = session_->reportedIndices();
    return record;
}

// The record's device and parameters: one JSON line, or a heading and
// one "key: value" line a parameter.
bool CommandRun::printRecord(const paramfile::ParameterFile& record, const std::string& heading) {
    if (options_.json) {
        const paramfile::WriteResult line = paramfile::writeDeviceAndParameters(record);
        if (!line.ok()) {
            err_ << "the sensor's values cannot be written: " << line.error->message() << '\n';
            return false;
        }
        out_ << line.text << '\n';
        return true;
    }
    if (!heading.empty()) {
        out_ << heading << '\n';
    }
    for (const paramfile::FileKey& key : paramfile::kFileKeys) {
        if (const auto& index = record.listIndex[sensor::indexOf(key.parameter)]) {
            out_ << key.key << ": " << valueOf(key.parameter, *index) << '\n';
        }
    }
    return true;
}

int CommandRun::identify() {
    const link::DeviceIdentity& device = session_->device();
    if (options_.json) {
        out_ << "{\"programmer\":" << jsonStringText(kProgrammerDescription)
             << ",\"device\":" << deviceJson(device) << "}\n";
        return kExitDone;
    }
    out_ << "programmer: " << kProgrammerDescription << '\n'
         << "type: " << deviceWordText(device.type) << " (Zel sensor)\n"
         << "serial: " << device.serial << '\n'
         << "hardware: " << deviceWordText(device.hardwareVersion) << '\n'
         << "firmware: " << deviceWordText(device.firmwareVersion) << '\n';
    return kExitDone;
}

int CommandRun::read() {
    return printRecord(sensorRecord(), "") ? kExitDone : kExitNotVerified;
}

int CommandRun::save() {
    const paramfile::ParameterFile record = sensorRecord();
    const paramfile::WriteResult written = paramfile::writeParameterFile(record);
    if (!written.ok()) {
        err_ << "the sensor's values cannot be saved: " << written.error->message() << '\n';
        return kExitNotVerified;
    }
    // Written beside the file and renamed over it, so that a failed write
    // never leaves half a file under the name.
    if (const std::optional<app::ReplaceError> error =
            app::replaceFile(pathFromUtf8(options_.file), written.text)) {
        err_ << options_.file << ": cannot be written";
        if (error->cause) {
            err_ << ": " << error->cause.message();
        }
        err_ << '\n';
        return kExitUsage;
    }
    if (!options_.json) {
        out_ << "saved " << record.device.serial << " to " << options_.file << '\n';
        return kExitDone;
    }
    return printRecord(record, "") ? kExitDone : kExitNotVerified;
}

int CommandRun::apply() {
    const link::DeviceIdentity& device = session_->device();
    const paramfile::FileComparison comparison =
        paramfile::compareWithSensor(fileToApply_, session_->reportedIndices(), device);
    if (comparison.serialDiffers) {
        err_ << "note: the file was saved from sensor " << fileToApply_.device.serial
             << "; applying it to sensor " << device.serial << '\n';
    }
    for (const paramfile::ParameterComparison& entry : comparison.parameters) {
        if (entry.agreement == paramfile::Agreement::NotApplicable && entry.fileIndex) {
            err_ << "note: " << keyOf(entry.parameter) << " is left out: this sensor (firmware "
                 << deviceWordText(device.firmwareVersion) << ") does not carry it\n";
        }
    }
    if (!comparison.canApply) {
        err_ << options_.file << ": cannot be applied to this sensor\n";
        return kExitUsage;
    }
    return applyIndices(comparison.toApply);
}

int CommandRun::set() {
    const link::DeviceIdentity& device = session_->device();
    std::vector<Assignment> carried;
    for (const Assignment& assignment : assignments_) {
        if (sensor::carriedBy(sensor::rowOf(assignment.parameter), device.firmwareVersion)) {
            carried.push_back(assignment);
        } else {
            err_ << "note: " << keyOf(assignment.parameter)
                 << " is left out: this sensor (firmware " << deviceWordText(device.firmwareVersion)
                 << ") does not carry it\n";
        }
    }
    const paramfile::ReadResult wanted = assignValues(sensorRecord(), carried);
    if (!wanted.ok()) {
        err_ << "set: " << wanted.error->message() << '\n';
        return kExitUsage;
    }
    const paramfile::FileComparison comparison =
        paramfile::compareWithSensor(wanted.file, session_->reportedIndices(), device);
    return applyIndices(comparison.toApply);
}

int CommandRun::applyIndices(const paramfile::ListIndices& wanted) {
    workflow::ParameterApply apply(session_->window(), session_->application().state(),
                                   session_->clock());
    apply.start(wanted);
    const RealTimeRunner::Outcome outcome =
        session_->run([&] { return apply.check() != workflow::ApplyOutcome::Pending; });
    if (outcome == RealTimeRunner::Outcome::Stopped) {
        err_ << "interrupted before the sensor confirmed the values\n";
        return kExitInterrupted;
    }
    if (outcome == RealTimeRunner::Outcome::TimedOut) {
        err_ << "time-out: the sensor did not confirm the values within " << options_.timeoutS
             << " s\n";
        return kExitTimedOut;
    }
    switch (apply.outcome()) {
        case workflow::ApplyOutcome::Verified:
            return printRecord(sensorRecord(), "verified " + apply.sensor().serial)
                       ? kExitDone
                       : kExitNotVerified;
        case workflow::ApplyOutcome::Differences:
            for (const workflow::ParameterDifference& difference : apply.differences()) {
                err_ << keyOf(difference.parameter) << ": written "
                     << valueOf(difference.parameter, difference.wanted) << ", the sensor reports "
                     << valueOf(difference.parameter, difference.reported) << '\n';
            }
            return kExitNotVerified;
        case workflow::ApplyOutcome::NotAcknowledged:
            err_ << "the sensor did not acknowledge the write within "
                 << workflow::ParameterApply::kAcknowledgeLimitMs / 1000 << " s\n";
            return kExitNotVerified;
        case workflow::ApplyOutcome::SensorLost:
            err_ << "the sensor stopped answering before the values were confirmed\n";
            return kExitNoSensor;
        case workflow::ApplyOutcome::SensorSwapped:
            err_ << "another sensor answers behind the programmer in place of "
                 << apply.sensor().serial
                 << ": nothing more is written, but the values may have reached it\n";
            return kExitNoSensor;
        case workflow::ApplyOutcome::Pending:
            break;
    }
    return kExitTimedOut;
}

int CommandRun::watch() {
    const std::int64_t startMs = session_->clock().nowMs();
    session_->setSampleHandler([&](const WatchedSample& sample) {
        const std::string time = paramfile::isoLocalTime(context_.wallTime());
        const std::int64_t sinceStart = sample.timeMs - startMs;
        if (options_.json) {
            out_ << "{\"time\":" << jsonStringText(time) << ",\"ms\":" << sinceStart
                 << ",\"level\":" << sample.level << ",\"alarm\":" << (sample.alarm ? 1 : 0)
                 << "}\n";
        } else {
            out_ << time << ',' << sinceStart << ',' << sample.level << ','
                 << (sample.alarm ? 1 : 0) << '\n';
        }
        out_.flush();
    });
    std::optional<std::int64_t> limitMs;
    if (options_.watchSeconds) {
        limitMs = static_cast<std::int64_t>(*options_.watchSeconds * 1000.0);
    }
    sensorwin::SensorWindow& window = session_->window();
    session_->runWithoutTimeout([&] { return !window.visible(); }, limitMs);
    session_->setSampleHandler(nullptr);
    if (!window.visible()) {
        err_ << "the sensor stopped answering\n";
        return kExitNoSensor;
    }
    return kExitDone;  // the time asked for has passed, or Ctrl+C
}

}  // namespace

int runProgram(int argc, const char* const* argv, const ProgramContext& context) {
    const ParsedCommandLine parsed = parseCommandLine(argc, argv, context.out, context.err);
    if (!parsed.options) {
        return parsed.exitStatus;
    }
    CommandRun run(*parsed.options, context);
    return run.run();
}

}  // namespace quarn::cli
