#include "app/AboutWindow.h"

namespace quarn::app {

namespace {

constexpr int kLogoWidthPixels = 197;
constexpr int kLogoHeightPixels = 64;

// The maker's details. Every name, address and number here is made up.
constexpr const char* kAboutLines[] = {
    "Quarn Elettronica S.r.l.", "Via dei Sensori, 12",  "00000 Borgo Esempio (BE) - Italia",
    "Tel. +39 0000 000001",     "Fax. +39 0000 000002", "info@example.com - www.example.com",
};

}  // namespace

std::string aboutText() {
    // The first line is assigned, each further line appended, each with CR LF.
    std::string text;
    for (const char* line : kAboutLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

AboutWindow::AboutWindow() : Form("AboutWindow") {
    setCaption("");
    setClientSize(3960, 2520);

    picture.setResource(kAboutLogoResource);
    picture.setGeometry(
        {720, 60, kLogoWidthPixels * kTwipsPerPixel, kLogoHeightPixels * kTwipsPerPixel});

    aboutLabel.setGeometry({360, 780, 3192, 1512});
    aboutLabel.setAlignment(Alignment::Center);
    aboutLabel.setTransparent(true);

    okButton.setCaption("OK");
    okButton.setGeometry({1440, 2100, 972, 372});
    okButton.setClickHandler([this] { onOk(); });
}

void AboutWindow::onOk() {
    unload();
}

void AboutWindow::onLoad() {
    aboutLabel.setCaption(aboutText());
}

}  // namespace quarn::app
