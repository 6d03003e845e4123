// The main window's controls as they are before the window loads.

#include "app/ShellConstants.h"
#include "app/FormStart.h"

namespace quarn::app {

namespace {

constexpr int kPictureWidthPixels = 474;
constexpr int kPictureHeightPixels = 173;

void SetUpLabel(quarn::Label& label, const std::string& caption, const TwipsRect& geometry,
                const FontSpec& font, Rgb color) {
    label.setCaption(caption);
    label.setGeometry(geometry);
    label.setFont(font);
    label.setForeColor(color);
    label.setAlignment(Alignment::Center);
    label.setTransparent(true);
}

}  // namespace

void FormStart::createControls() {
    setCaption(std::string(kProgramName));
    setClientSize(6060, 2490);

    // The picture lies behind every label; the labels are transparent.
    Image1.setResource(kStartPictureResource);
    Image1.setGeometry(
        {180, 180, kPictureWidthPixels * kTwipsPerPixel, kPictureHeightPixels * kTwipsPerPixel});

    const FontSpec nameFont{"Comic Sans MS", 25.5, true, true};
    const FontSpec versionFont{"Comic Sans MS", 13.5, true, true};
    const FontSpec statusFont{"Arial", 13.5, true, true};
    SetUpLabel(LabelName, std::string(kProgramName), {540, 60, 2952, 792}, nameFont, colors::kNavy);
    SetUpLabel(LabelVer, "Ver 1.00", {3420, 300, 1932, 432}, versionFont, colors::kNavy);
    SetUpLabel(LabelStatusProg, "Stato Programmatore", {120, 960, 5772, 732}, statusFont,
               colors::kGood);
    SetUpLabel(LabelStatusDevice, "Stato dispositivo", {180, 1620, 5712, 672}, statusFont,
               colors::kFault);

    MnuExit.setCaption("&Exit");
    MnuLanguage.setCaption("&Language");
    MnuLanguageIt.setCaption("&Italian");
    MnuLanguageEng.setCaption("&English");
    MnuLanguage.addItem(&MnuLanguageIt);
    MnuLanguage.addItem(&MnuLanguageEng);
    MnuAbout.setCaption("?");
}

void FormStart::connectEvents() {
    // The timers stay idle until the window's load arms them.
    TimerMsgUsb->setTickHandler([this] { TimerMsgUsb_Timer(); });
    TimerVrfyStatus->setTickHandler([this] { TimerVrfyStatus_Timer(); });
    MnuExit.setClickHandler([this] { MnuExit_Click(); });
    MnuLanguageIt.setClickHandler([this] { MnuLanguageIt_Click(); });
    MnuLanguageEng.setClickHandler([this] { MnuLanguageEng_Click(); });
    MnuAbout.setClickHandler([this] { MnuAbout_Click(); });
}

}  // namespace quarn::app
