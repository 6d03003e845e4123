#include "workbench/ParameterRestoreWindow.h"

#include "sensorwin/ListContents.h"
#include "workbench/FilePaths.h"
#include "workbench/TextPlaceholders.h"

namespace quarn::workbench {

using texts::StringId;
using workflow::ApplyOutcome;

namespace {

// Shown where a side has no value.
constexpr char kNoValue[] = "\xE2\x80\x94";  // an em dash

constexpr quarn::Rgb kDisabledGrey{128, 128, 128};

bool otherSensor(const link::DeviceIdentity& answering, const link::DeviceIdentity& compared) {
    return answering.type != 0 &&
           (answering.type != compared.type || answering.serial != compared.serial);
}

}  // namespace

ParameterRestoreWindow::ParameterRestoreWindow(sensorwin::SensorWindow& sensorWindow,
                                               const sensor::SessionState& session,
                                               const ReportedParameters& reported,
                                               quarn::TimerService& timers,
                                               const quarn::HostServices& host)
    : Form("ParameterRestoreWindow"),
      checkTimer(timers.createTimer()),
      sensorWindow_(sensorWindow),
      session_(session),
      reported_(reported),
      host_(host),
      apply_(sensorWindow, session, clock_) {
    layOutControls();
    applyButton.setClickHandler([this] { onApply(); });
    closeButton.setClickHandler([this] { onClose(); });
    checkTimer->setTickHandler([this] { onCheckTick(); });
    checkTimer->setInterval(kCheckIntervalMs);
    sensorWindow_.addListener(*this);
}

ParameterRestoreWindow::~ParameterRestoreWindow() {
    sensorWindow_.removeListener(*this);
    checkTimer->setEnabled(false);
}

std::optional<std::string> ParameterRestoreWindow::openRefusal() const {
    const texts::StringTableEntries& text = session_.texts;
    if (applying()) {
        return texts::textOf(text, StringId::RestoreBusy);
    }
    if (!sensorWindow_.visible() || reported_.state() != ReportState::Reported ||
        reported_.sensor().type != link::kZelDeviceType) {
        return texts::textOf(text, StringId::RestoreSensorNotRead);
    }
    return std::nullopt;
}

std::optional<std::string> ParameterRestoreWindow::open(const std::string& utf8Path) {
    if (auto refusal = openRefusal()) {
        return refusal;
    }
    const texts::StringTableEntries& text = session_.texts;
    const paramfile::ReadResult read = paramfile::readParameterFileAt(pathFromUtf8(utf8Path));
    if (!read.ok()) {
        return withValues(texts::textOf(text, StringId::ParameterFileRefused),
                          {fileNameOf(utf8Path), read.error->message()});
    }
    file_ = read.file;
    fileName_ = fileNameOf(utf8Path);
    comparedSensor_ = reported_.sensor();
    applyStarted_ = false;
    outdated_ = false;
    compare();
    if (loaded()) {
        showTexts();
    } else {
        load();
    }
    show();
    return std::nullopt;
}

void ParameterRestoreWindow::onApply() {
    if (!canApplyNow()) {
        return;
    }
    applyStarted_ = true;
    apply_.start(comparison_.toApply);
    checkTimer->setEnabled(true);
    showTexts();
}

void ParameterRestoreWindow::onClose() {
    unload();
}

void ParameterRestoreWindow::onCheckTick() {
    clock_.tick(checkTimer->interval());
    checkApply();
    noticeSensorChange();
    compare();
    if (loaded()) {
        showTexts();
    } else if (!applying()) {
        checkTimer->setEnabled(false);
    }
}

void ParameterRestoreWindow::sensorWindowClosed() {
    checkApply();
    outdated_ = true;
    if (loaded()) {
        showTexts();
    }
}

void ParameterRestoreWindow::parameterWriteAcknowledged() {
    checkApply();
}

void ParameterRestoreWindow::onLoad() {
    showTexts();
    checkTimer->setEnabled(true);
}

// A closed window still follows an apply to its end: when the apply gives
// up it puts the sensor window's lists back, so that nothing more is written.
void ParameterRestoreWindow::onUnload() {
    if (!applying()) {
        checkTimer->setEnabled(false);
    }
}

void ParameterRestoreWindow::checkApply() {
    if (!applying() || apply_.check() != ApplyOutcome::SensorSwapped) {
        return;
    }
    // Kept now: the identity is cleared at every identity cycle.
    const link::DeviceIdentity& answering = session_.identity.type != 0
                                                ? session_.identity
                                                : sensorWindow_.conversation().listsReportedBy;
    swappedTo_ = answering.serial;
}

void ParameterRestoreWindow::noticeSensorChange() {
    if (outdated_) {
        return;
    }
    outdated_ = !sensorWindow_.visible() || otherSensor(session_.identity, comparedSensor_) ||
                otherSensor(sensorWindow_.conversation().listsReportedBy, comparedSensor_);
}

// The sensor's column follows its replies (after an apply it shows the
// values read back) for as long as the comparison is about that sensor.
void ParameterRestoreWindow::compare() {
    if (outdated_ || reported_.state() != ReportState::Reported) {
        return;
    }
    comparison_ = paramfile::compareWithSensor(file_, reported_.indices(), comparedSensor_);
}

bool ParameterRestoreWindow::canApplyNow() const {
    return loaded() && !outdated_ && !applying() && sensorWindow_.visible() &&
           reported_.state() == ReportState::Reported &&
           sensorWindow_.conversation().missedIdentities == 0 &&
           !sensorWindow_.conversation().readParametersPending && comparison_.canApply &&
           comparison_.changesSensor();
}

std::string ParameterRestoreWindow::outcomeText() const {
    const texts::StringTableEntries& text = session_.texts;
    const std::string& separator = host_.decimalSeparator();
    std::string line;
    if (!applyStarted_) {
        if (!comparison_.canApply) {
            line = texts::textOf(text, StringId::RestoreSensorNotRead);
        } else if (!comparison_.changesSensor()) {
            line = texts::textOf(text, StringId::RestoreNothingToApply);
        }
    } else {
        switch (apply_.outcome()) {
            case ApplyOutcome::Pending:
                line = texts::textOf(text, StringId::RestoreApplying);
                break;
            case ApplyOutcome::Verified:
                line = texts::textOf(text, StringId::RestoreVerified);
                break;
            case ApplyOutcome::Differences: {
                std::string differences;
                for (const workflow::ParameterDifference& difference : apply_.differences()) {
                    const sensor::Parameter parameter = difference.parameter;
                    differences +=
                        (differences.empty() ? "" : "; ") +
                        withValues(
                            texts::textOf(text, StringId::RestoreDifference),
                            {texts::textOf(text, sensor::rowOf(parameter).caption),
                             sensorwin::itemText(parameter, difference.wanted, text, separator),
                             sensorwin::itemText(parameter, difference.reported, text, separator)});
                }
                line = withValues(texts::textOf(text, StringId::RestoreReportedOtherwise),
                                  {differences});
                break;
            }
            case ApplyOutcome::NotAcknowledged:
                line = withValues(
                    texts::textOf(text, StringId::RestoreNotAcknowledged),
                    {std::to_string(workflow::ParameterApply::kAcknowledgeLimitMs / 1000)});
                break;
            case ApplyOutcome::SensorLost:
                line = texts::textOf(text, StringId::RestoreSensorLost);
                break;
            case ApplyOutcome::SensorSwapped:
                line = withValues(texts::textOf(text, StringId::RestoreSensorSwapped),
                                  {swappedTo_, apply_.sensor().serial});
                break;
        }
    }
    if (outdated_) {
        line += (line.empty() ? "" : "\n") + texts::textOf(text, StringId::RestoreComparisonStale);
    }
    return line;
}

void ParameterRestoreWindow::showTexts() {
    const texts::StringTableEntries& text = session_.texts;
    const std::string& separator = host_.decimalSeparator();
    const auto value = [&](sensor::Parameter parameter, const std::optional<std::int16_t>& index) {
        return index ? sensorwin::itemText(parameter, *index, text, separator)
                     : std::string(kNoValue);
    };

    setCaption(texts::textOf(text, StringId::LoadParametersTitle));
    fileLine.setCaption(withValues(texts::textOf(text, StringId::RestoreFileLine), {fileName_}));
    serialLine.setVisible(comparison_.serialDiffers);
    serialLine.setCaption(withValues(texts::textOf(text, StringId::RestoreSerialDiffers),
                                     {file_.device.serial, comparedSensor_.serial}));
    parameterHeading.setCaption(texts::textOf(text, StringId::RestoreParameterColumn));
    sensorHeading.setCaption(texts::textOf(text, StringId::RestoreSensorColumn));
    fileHeading.setCaption(texts::textOf(text, StringId::RestoreFileColumn));
    stateHeading.setCaption(texts::textOf(text, StringId::RestoreStateColumn));

    for (const paramfile::ParameterComparison& compared : comparison_.parameters) {
        RestoreRow& shown = row(compared.parameter);
        shown.caption.setCaption(texts::textOf(text, sensor::rowOf(compared.parameter).caption));
        shown.sensorValue.setCaption(value(compared.parameter, compared.sensorIndex));
        shown.fileValue.setCaption(value(compared.parameter, compared.fileIndex));
        StringId state = StringId::RestoreDiffers;
        quarn::Rgb color = colors::kBlack;
        switch (compared.agreement) {
            case paramfile::Agreement::Same:
                break;
            case paramfile::Agreement::Differs:
                color = colors::kFault;
                break;
            case paramfile::Agreement::NotApplicable:
                state = StringId::RestoreNotApplicable;
                color = kDisabledGrey;
                break;
            case paramfile::Agreement::NotInFile:
                state = StringId::RestoreNotInFile;
                color = kDisabledGrey;
                break;
        }
        const bool marked = compared.agreement != paramfile::Agreement::Same;
        shown.state.setCaption(marked ? texts::textOf(text, state) : std::string());
        shown.state.setForeColor(color);
        shown.fileValue.setForeColor(color);
        quarn::FontSpec font = shown.fileValue.font();
        font.bold = compared.agreement == paramfile::Agreement::Differs;
        shown.fileValue.setFont(font);
        shown.state.setFont(font);
    }

    outcomeLine.setCaption(outcomeText());
    const bool good = applyStarted_ && apply_.outcome() == ApplyOutcome::Verified;
    const bool bad = outdated_ || (applyStarted_ && apply_.outcome() != ApplyOutcome::Pending &&
                                   apply_.outcome() != ApplyOutcome::Verified);
    outcomeLine.setForeColor(bad ? colors::kFault : good ? colors::kGood : colors::kBlack);

    applyButton.setCaption(texts::textOf(text, StringId::RestoreApplyButton));
    applyButton.setEnabled(canApplyNow());
    closeButton.setCaption(texts::textOf(text, StringId::RestoreCloseButton));
}

}  // namespace quarn::workbench
