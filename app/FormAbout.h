#pragma once
// The About window: the maker's logo and contact details, closed by its OK
// button. The main window shows it modal; while it is visible the status
// supervision leaves the device label alone and does not open the sensor
// window.

#include <string>

#include "platform/controls/Form.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"

namespace quarn::app {

// The image the view draws for Image1.
inline constexpr char kAboutLogoResource[] = "about-logo";

class FormAbout : public quarn::Form {
  public:
    FormAbout();

    quarn::ImageControl Image1{"Image1"};          // logo, 197 x 64 pixels
    quarn::Label LabelAbout{"LabelAbout"};         // six lines of contact details
    quarn::Button CommExitAbout{"CommExitAbout"};  // "OK"

    void CommExitAbout_Click();

  protected:
    void onLoad() override;
};

// The text of LabelAbout: six lines, each ended by CR LF.
std::string AboutText();

}  // namespace quarn::app
