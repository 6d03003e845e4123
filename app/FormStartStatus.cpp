// The main window's supervision of the programmer and of the device behind
// it, and the opening of the sensor window.

#include <algorithm>

#include "app/Costanti.h"
#include "app/FormStart.h"
#include "link/Commands.h"

namespace quarn::app {

namespace {

void ShowStatus(quarn::Label& label, const std::string& text, Rgb color) {
    label.setCaption(text);
    label.setForeColor(color);
}

}  // namespace

void FormStart::TimerMsgUsb_Timer() {
    links_.receiveCycle.ReceiveMsgUsb();
}

void FormStart::TimerVrfyStatus_Timer() {
    AppState& state = links_.state;
    if (state.SelDevice != 0) {
        return;  // the sensor window is in charge
    }
    // Reopening on every tick notices an adapter unplugged, replaced or doubled.
    links_.usb.CloseUsb();
    progStatus_ = links_.usb.OpenUsb();
    ShowProgStatus(progStatus_);
    if (state.DelayOpenRadar > 0) {
        const int remaining = state.DelayOpenRadar - TimerVrfyStatus->interval();
        state.DelayOpenRadar = static_cast<std::int16_t>(std::max(remaining, -32768));
    }
    TimerVrfyStatus->setEnabled(false);
    TimerVrfyStatus->setInterval(kStatusIntervalMs);
    TimerVrfyStatus->setEnabled(true);
    if (firstCheck_) {
        // No identity request has gone out yet, so there is nothing to show.
        firstCheck_ = false;
    } else {
        ShowDeviceStatus();
    }
    if (!loaded()) {
        return;  // the main window closed meanwhile
    }
    if (state.SelDevice == 0) {
        // The next tick shows the reply to this request; no reply shows as no device.
        ClearDeviceIdentity();
        links_.sender.SendMsg(link::MsgGetIdentity, {}, 0, true);
    }
}

void FormStart::ShowProgStatus(const std::int32_t& status) {
    const StringTableEntries& texts = links_.state.StringTable;
    switch (status) {
        case kProgOpen:
            ShowStatus(LabelStatusProg, texts[entry::kProgOpen], colors::kGood);
            break;
        case kProgDriverFailed:
            ShowStatus(LabelStatusProg, texts[entry::kProgDriverFailed], colors::kFault);
            break;
        case kProgNotFound:
            ShowStatus(LabelStatusProg, texts[entry::kProgNotFound], colors::kFault);
            break;
        case kProgMoreThanOne:
            ShowStatus(LabelStatusProg, texts[entry::kProgMoreThanOne], colors::kFault);
            break;
        default:
            break;
    }
}

void FormStart::ShowDeviceStatus() {
    AppState& state = links_.state;
    const StringTableEntries& texts = state.StringTable;
    if (links_.usb.OpenUsb() != link::kUsbOk) {
        LabelStatusDevice.setCaption("");
        return;
    }
    if (links_.about.visible()) {
        return;  // the About window holds the device label and the opening back
    }
    const std::int32_t deviceType = state.Identity.DeviceType;
    if (deviceType == 0) {
        ShowStatus(LabelStatusDevice, texts[entry::kNoDevice], colors::kFault);
        return;
    }
    if (deviceType != link::kZelDeviceType) {
        ShowStatus(LabelStatusDevice, texts[entry::kOtherDevice], colors::kFault);
        return;
    }
    ShowStatus(LabelStatusDevice, texts[entry::kDeviceFound] + "  " + texts[entry::kSensorModel],
               colors::kGood);
    if (state.DelayOpenRadar <= 0 && sensorWindow_ != nullptr) {
        // The sensor window's load sets SelDevice to 1 and FlagExitProgram to True.
        sensorWindow_->ShowSensorWindow();
        hide();
    }
}

void FormStart::ClearDeviceIdentity() {
    links_.state.Identity.clear();
}

}  // namespace quarn::app
