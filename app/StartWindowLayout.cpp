// The start window's controls as they are before the window loads.

#include "app/ShellConstants.h"
#include "app/StartWindow.h"

namespace quarn::app {

namespace {

constexpr int kPictureWidthPixels = 474;
constexpr int kPictureHeightPixels = 173;

void setUpLabel(quarn::Label& label, const std::string& caption, const TwipsRect& geometry,
                const FontSpec& font, Rgb color) {
    label.setCaption(caption);
    label.setGeometry(geometry);
    label.setFont(font);
    label.setForeColor(color);
    label.setAlignment(Alignment::Center);
    label.setTransparent(true);
}

}  // namespace

void StartWindow::createControls() {
    setCaption(std::string(kProgramName));
    setClientSize(6060, 2490);

    // The picture lies behind every label; the labels are transparent.
    backgroundPicture.setResource(kStartPictureResource);
    backgroundPicture.setGeometry(
        {180, 180, kPictureWidthPixels * kTwipsPerPixel, kPictureHeightPixels * kTwipsPerPixel});

    const FontSpec nameFont{"Comic Sans MS", 25.5, true, true};
    const FontSpec versionFont{"Comic Sans MS", 13.5, true, true};
    const FontSpec statusFont{"Arial", 13.5, true, true};
    setUpLabel(programName, std::string(kProgramName), {540, 60, 2952, 792}, nameFont,
               colors::kNavy);
    setUpLabel(versionLabel, "Ver 1.00", {3420, 300, 1932, 432}, versionFont, colors::kNavy);
    setUpLabel(programmerStatus, "Stato Programmatore", {120, 960, 5772, 732}, statusFont,
               colors::kGood);
    setUpLabel(deviceStatus, "Stato dispositivo", {180, 1620, 5712, 672}, statusFont,
               colors::kFault);

    exitMenu.setCaption("&Exit");
    languageMenu.setCaption("&Language");
    italianMenuItem.setCaption("&Italian");
    englishMenuItem.setCaption("&English");
    languageMenu.addItem(&italianMenuItem);
    languageMenu.addItem(&englishMenuItem);
    aboutMenu.setCaption("?");
}

void StartWindow::connectEvents() {
    // The timers stay idle until the window's load arms them.
    receiveTimer->setTickHandler([this] { onReceiveTick(); });
    supervisionTimer->setTickHandler([this] { onSupervisionTick(); });
    exitMenu.setClickHandler([this] { onExit(); });
    italianMenuItem.setClickHandler([this] { onItalianChosen(); });
    englishMenuItem.setClickHandler([this] { onEnglishChosen(); });
    aboutMenu.setClickHandler([this] { onAbout(); });
}

}  // namespace quarn::app
