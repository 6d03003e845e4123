#include "app/AboutWindow.h"

namespace quarn::app {

namespace {

constexpr int kLogoWidthPixels = 197;
constexpr int kLogoHeightPixels = 64;

// The maker's details. Every name, address and number here is made up.
constexpr const char* kContactLines[] = {
    "Quarn Elettronica S.r.l.", "Via dei Sensori, 12",  "00000 Borgo Esempio (BE) - Italia",
    "Tel. +39 0000 000001",     "Fax. +39 0000 000002", "info@example.com - www.example.com",
};

}  // namespace

std::string contactDetailsText() {
    // The first line is assigned, each further line appended, each with CR LF.
    std::string text;
    for (const char* line : kContactLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

AboutWindow::AboutWindow() : Form("AboutWindow") {
    setCaption("");
    setClientSize(3960, 2520);

    logo.setResource(kAboutLogoResource);
    logo.setGeometry(
        {720, 60, kLogoWidthPixels * kTwipsPerPixel, kLogoHeightPixels * kTwipsPerPixel});

    contactDetails.setGeometry({360, 780, 3192, 1512});
    contactDetails.setAlignment(Alignment::Center);
    contactDetails.setTransparent(true);

    okButton.setCaption("OK");
    okButton.setGeometry({1440, 2100, 972, 372});
    okButton.setClickHandler([this] { onOk(); });
}

void AboutWindow::onOk() {
    unload();
}

void AboutWindow::onLoad() {
    contactDetails.setCaption(contactDetailsText());
}

}  // namespace quarn::app
