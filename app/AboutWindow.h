#pragma once
// The About window: the maker's logo and contact details, closed by its OK
// button. The start window shows it modal; while it is visible the status
// supervision leaves the device label alone and does not open the sensor
// window.

#include <string>

#include "platform/controls/Captioned.h"
#include "platform/controls/Form.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"

namespace quarn::app {

// The image the view draws for logo.
inline constexpr char kAboutLogoResource[] = "about-logo";

class AboutWindow : public quarn::Form {
  public:
    AboutWindow();

    quarn::ImageControl logo{"logo"};               // 197 x 64 pixels
    quarn::Label contactDetails{"contactDetails"};  // six lines
    quarn::Button okButton{"okButton"};             // "OK"

    void onOk();

  protected:
    void onLoad() override;
};

// The text of contactDetails: six lines, each ended by CR LF.
std::string contactDetailsText();

}  // namespace quarn::app
