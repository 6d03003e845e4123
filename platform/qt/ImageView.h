#pragma once
// Shows an ImageControl model: the picture its resource names, at its
// natural size. When the model gives no size the view takes the picture's.
// The pictures come from the application: it passes the function that draws
// the picture a resource name stands for.

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/controls/PictureBox.h"
#include "platform/qt/ControlView.h"

namespace quarn::qt {

using ArtworkSource = std::function<QImage(const std::string& resource)>;

class ImageView final : public ControlView<QWidget, ImageControl> {
  public:
    ImageView(ImageControl& model, ArtworkSource artwork, QWidget* parent);

    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sync() override;

    ArtworkSource artwork_;
    std::string shownResource_;
    QImage image_;
};

}  // namespace quarn::qt
