// The start window's supervision of the programmer and of the device behind
// it, and the opening of the sensor window.

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "app/ShellConstants.h"
#include "app/StartWindow.h"
#include "link/Commands.h"

namespace quarn::app {

using texts::StringId;
using texts::textOf;

namespace {

void showStatus(quarn::Label& label, const std::string& text, Rgb color) {
    label.setCaption(text);
    label.setForeColor(color);
}

std::string identityLogLine(const link::DeviceIdentity& identity) {
    if (identity.type == 0) {
        return "device: none answers";
    }
    char line[128];
    std::snprintf(
        line, sizeof line, "device: type 0x%04X, hardware 0x%04X, firmware 0x%04X, serial ",
        static_cast<unsigned>(identity.type), static_cast<unsigned>(identity.hardwareVersion),
        static_cast<unsigned>(identity.firmwareVersion));
    return line + identity.serial;
}

}  // namespace

void StartWindow::onReceiveTick() {
    context_.receiveCycle.receive();
}

void StartWindow::onSupervisionTick() {
    ApplicationState& state = context_.state;
    if (state.activeWindow != link::ActiveWindow::Start) {
        return;  // the sensor window is in charge
    }
    // Reopening on every tick notices an adapter unplugged, replaced or doubled.
    context_.usb.close();
    const std::optional<link::LinkStatus> previous = lastLinkStatus_;
    lastLinkStatus_ = context_.usb.open();
    showProgrammerStatus(*lastLinkStatus_);
    if (previous != lastLinkStatus_) {
        logIf(context_.log, LogArea::Link, [&] {
            return "programmer: " +
                   std::string(previous ? link::linkStatusName(*previous) : "none") + " -> " +
                   link::linkStatusName(*lastLinkStatus_);
        });
    }
    explainProgrammerStatus(*lastLinkStatus_);
    if (state.sensorWindowDelayMs > 0) {
        const int remaining = state.sensorWindowDelayMs - supervisionTimer->interval();
        state.sensorWindowDelayMs = static_cast<std::int16_t>(std::max(remaining, -32768));
    }
    supervisionTimer->setEnabled(false);
    supervisionTimer->setInterval(kSupervisionIntervalMs);
    supervisionTimer->setEnabled(true);
    if (awaitingFirstTick_) {
        // No identity request has gone out yet, so there is nothing to show.
        awaitingFirstTick_ = false;
    } else {
        showDeviceStatus();
    }
    if (!loaded()) {
        return;  // the start window closed meanwhile
    }
    if (state.activeWindow == link::ActiveWindow::Start) {
        // The next tick shows the reply to this request; no reply shows as no device.
        clearDeviceIdentity();
        context_.sender.send(link::Command::GetIdentity, {}, 0, true);
    }
}

void StartWindow::showProgrammerStatus(link::LinkStatus status) {
    struct StatusText {
        link::LinkStatus status;
        StringId text;
        Rgb color;
    };
    static constexpr std::array<StatusText, 4> kStatusTexts{{
        {link::LinkStatus::Open, StringId::ProgrammerConnected, colors::kGood},
        {link::LinkStatus::DriverFailed, StringId::UsbDriverError, colors::kFault},
        {link::LinkStatus::NotFound, StringId::ProgrammerNotFound, colors::kFault},
        {link::LinkStatus::MoreThanOne, StringId::MoreThanOneProgrammer, colors::kFault},
    }};
    for (const StatusText& entry : kStatusTexts) {
        if (entry.status == status) {
            showStatus(programmerStatus, textOf(context_.state.texts, entry.text), entry.color);
        }
    }
}

void StartWindow::explainProgrammerStatus(link::LinkStatus status) {
    const bool mayBeExplained =
        status == link::LinkStatus::DriverFailed || status == link::LinkStatus::NotFound;
    std::optional<AdapterAdvice> advice;
    if (mayBeExplained && advisor_ != nullptr) {
        advice = advisor_->adviseOnFailedOpen();
    }
    programmerStatus.setToolTip(advice ? advice->problem + "\nFix: " + advice->fix : std::string());
}

void StartWindow::showDeviceStatus() {
    ApplicationState& state = context_.state;
    const StringTableEntries& texts = state.texts;
    if (context_.usb.open() != link::LinkStatus::Open) {
        deviceStatus.setCaption("");
        return;
    }
    if (context_.about.visible()) {
        return;  // the About window holds the device label and the opening back
    }
    const std::int32_t deviceType = state.identity.type;
    if (deviceType != loggedDeviceType_) {
        loggedDeviceType_ = deviceType;
        logIf(context_.log, LogArea::Sensor, [&] { return identityLogLine(state.identity); });
    }
    if (deviceType == 0) {
        showStatus(deviceStatus, textOf(texts, StringId::NoDeviceConnected), colors::kFault);
        return;
    }
    if (deviceType != link::kZelDeviceType) {
        showStatus(deviceStatus, textOf(texts, StringId::UnsupportedDevice), colors::kFault);
        return;
    }
    showStatus(
        deviceStatus,
        textOf(texts, StringId::DeviceConnected) + "  " + textOf(texts, StringId::SensorModelName),
        colors::kGood);
    if (state.sensorWindowDelayMs <= 0 && sensorWindow_ != nullptr) {
        // The sensor window's load sets the active window to the sensor window and
        // endWithSensorWindow to True.
        sensorWindow_->showSensorWindow();
        hide();
    }
}

void StartWindow::clearDeviceIdentity() {
    context_.state.identity.clear();
}

}  // namespace quarn::app
