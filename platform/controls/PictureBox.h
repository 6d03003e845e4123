#pragma once
// A picture box with a user coordinate scale on which lines are drawn, and
// the oval shape that lies on it. Drawing the same line again leaves the
// picture as it was, as drawing over the same pixels does.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls/Control.h"

namespace quarn {

struct PictureLine {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    Rgb color;
    friend bool operator==(const PictureLine&, const PictureLine&) = default;
};

// Position and size in the picture's user units.
struct UserBox {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const UserBox&, const UserBox&) = default;
};

// An oval combined with the picture beneath by bitwise AND of the colours.
class OvalShape : public Control {
  public:
    using Control::Control;

    const UserBox& box() const { return box_; }
    void setBox(const UserBox& box) { set(box_, box); }

    Rgb fillColor() const { return fill_; }
    Rgb outlineColor() const { return outline_; }
    int outlineWidthPixels() const { return outlineWidth_; }
    void setLook(Rgb fill, Rgb outline, int outlineWidthPixels) {
        fill_ = fill;
        outline_ = outline;
        outlineWidth_ = outlineWidthPixels;
        notifyChanged();
    }

  private:
    UserBox box_;
    Rgb fill_{255, 128, 128};
    Rgb outline_{255, 0, 0};
    int outlineWidth_ = 3;
};

class PictureBox : public Control {
  public:
    using Control::Control;

    float scaleWidth() const { return scaleWidth_; }
    float scaleHeight() const { return scaleHeight_; }
    void setScale(float width, float height) {
        scaleWidth_ = width;
        scaleHeight_ = height;
        notifyChanged();
    }

    Rgb backColor() const { return backColor_; }
    void setBackColor(Rgb color) { set(backColor_, color); }

    const std::vector<PictureLine>& lines() const { return lines_; }
    void drawLine(const PictureLine& line) {
        if (std::find(lines_.begin(), lines_.end(), line) == lines_.end()) {
            lines_.push_back(line);
            notifyChanged();
        }
    }
    void clearDrawing() {
        if (!lines_.empty()) {
            lines_.clear();
            notifyChanged();
        }
    }

  private:
    float scaleWidth_ = 0;
    float scaleHeight_ = 0;
    Rgb backColor_ = colors::kWhite;
    std::vector<PictureLine> lines_;
};

// A decorative picture: the view looks the image up by its resource name.
class ImageControl : public Control {
  public:
    using Control::Control;

    const std::string& resource() const { return resource_; }
    void setResource(const std::string& resource) { set(resource_, resource); }

  private:
    std::string resource_;
};

}  // namespace quarn
