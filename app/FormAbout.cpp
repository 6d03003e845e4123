#include "app/FormAbout.h"

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

std::string AboutText() {
    // The first line is assigned, each further line appended, each with CR LF.
    std::string text;
    for (const char* line : kAboutLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

FormAbout::FormAbout() : Form("FormAbout") {
    setCaption("");
    setClientSize(3960, 2520);

    Image1.setResource(kAboutLogoResource);
    Image1.setGeometry(
        {720, 60, kLogoWidthPixels * kTwipsPerPixel, kLogoHeightPixels * kTwipsPerPixel});

    LabelAbout.setGeometry({360, 780, 3192, 1512});
    LabelAbout.setAlignment(Alignment::Center);
    LabelAbout.setTransparent(true);

    CommExitAbout.setCaption("OK");
    CommExitAbout.setGeometry({1440, 2100, 972, 372});
    CommExitAbout.setClickHandler([this] { CommExitAbout_Click(); });
}

void FormAbout::CommExitAbout_Click() {
    unload();
}

void FormAbout::onLoad() {
    LabelAbout.setCaption(AboutText());
}

}  // namespace quarn::app
