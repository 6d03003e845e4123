#include "gui/DriverStack.h"

#include <QCoreApplication>
#include <cstdio>

#include "drivers/backend/HardwareBackend.h"
#include "drivers/backend/MachineDiagnosis.h"
#include "drivers/capture/CaptureFile.h"
#include "drivers/capture/CaptureRecorder.h"
#include "drivers/capture/ReplayDriver.h"
#include "drivers/capture/WriteDifference.h"
#include "gui/ConsoleAdvisor.h"
#include "gui/DemoBus.h"
#include "platform/LoggedDriver.h"
#include "platform/SteadyClock.h"
#include "platform/qt/QtConversions.h"

namespace quarn::gui {

struct DriverStack::Parts {
    SteadyClock clock;  // the capture's times count from the program's start
    std::unique_ptr<DemoBus> demo;
    std::unique_ptr<capture::ReplayDriver> replay;
    std::unique_ptr<backend::HardwareBackend> hardware;
    std::unique_ptr<AdapterAdvisor> machineAdvisor;
    std::unique_ptr<LoggedDriver> logged;
    std::unique_ptr<capture::CaptureRecorder> recorder;
};

DriverStack::DriverStack(const Setting& setting, DevLog& log) : parts_(std::make_unique<Parts>()) {
    buildBottom(setting, log);
    if (top_ == nullptr) {
        return;
    }
    parts_->logged = std::make_unique<LoggedDriver>(*top_, log);
    top_ = parts_->logged.get();

    const QString& recordPath = setting.options.recordPath;
    if (!recordPath.isEmpty()) {
        const std::string note = "recorded by " +
                                 QCoreApplication::applicationName().toStdString() + " " +
                                 QCoreApplication::applicationVersion().toStdString();
        capture::CaptureRecorder::Opening opening = capture::CaptureRecorder::create(
            *top_, parts_->clock, qt::toFilesystemPath(recordPath), note);
        if (!opening.recorder) {
            fatal_ = qt::toStdString(recordPath) + ": " + opening.error;
            return;
        }
        parts_->recorder = std::move(opening.recorder);
        top_ = parts_->recorder.get();
    }
}

void DriverStack::buildBottom(const Setting& setting, DevLog& log) {
    const LaunchOptions& options = setting.options;
    if (!options.replayPath.isEmpty()) {
        capture::ParsedCapture parsed =
            capture::readCaptureFile(qt::toFilesystemPath(options.replayPath));
        if (!parsed.ok()) {
            fatal_ = qt::toStdString(options.replayPath) + ": " + parsed.error->message();
            return;
        }
        parts_->replay = std::make_unique<capture::ReplayDriver>(
            std::move(parsed.events), parts_->clock,
            [this](const capture::WriteDifference& difference) {
                reportDifference(capture::describe(difference));
            });
        top_ = parts_->replay.get();
        return;
    }
    if (options.simulate()) {
        parts_->demo = std::make_unique<DemoBus>(setting.simulatedSensor);
        top_ = &parts_->demo->driver();
        return;
    }
    parts_->hardware = std::make_unique<backend::HardwareBackend>(options.driver, log);
    top_ = &parts_->hardware->driver();
    if (!parts_->hardware->usable()) {
        problems_ += "no USB driver can be used: " + parts_->hardware->problem() + "\n";
    }
    parts_->machineAdvisor = backend::makeMachineAdvisor(setting.udevRuleSource, log);
    advisor_ = std::make_unique<ConsoleAdvisor>(*parts_->machineAdvisor, stderr);
}

void DriverStack::reportDifference(const std::string& line) {
    std::fprintf(stderr, "quarnsoft: replay: %s\n", line.c_str());
    std::fflush(stderr);
    if (differenceListener_) {
        differenceListener_(line);
    }
}

DriverStack::~DriverStack() = default;

}  // namespace quarn::gui
