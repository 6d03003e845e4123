#pragma once
// Shows an ImageControl model: the picture its resource names, at its
// natural size. When the model gives no size the view takes the picture's.

#include <QImage>
#include <QWidget>
#include <string>

#include "platform/controls/PictureBox.h"
#include "platform/qt/ModelObservation.h"

namespace quarn::qt {

class ImageView : public QWidget {
  public:
    ImageView(ImageControl& model, QWidget* parent);

    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sync();

    ImageControl& model_;
    std::string shownResource_;
    QImage image_;
    ModelObservation observation_;
};

}  // namespace quarn::qt
