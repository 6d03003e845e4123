#pragma once
// Shows a PictureBox model: its fill, the lines drawn on it in the user
// scale, and the oval shapes lying on it. An oval is combined with the
// picture beneath by bitwise AND, so dark lines stay visible through its
// light fill. The picture is composed in an off-screen image on every
// change and after every uncovering.

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/controls/PictureBox.h"
#include "platform/qt/ControlView.h"
#include "platform/qt/ModelObservation.h"

namespace quarn::qt {

class PictureBoxView final : public ControlView<QWidget, PictureBox> {
  public:
    PictureBoxView(PictureBox& model, std::vector<OvalShape*> shapes, QWidget* parent);

    // The inner picture (without the sunken border) at the given pixel size.
    QImage compose(QSize innerSize, qreal devicePixelRatio = 1.0) const;

    static constexpr int kBorder = 2;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sync() override;

    std::vector<OvalShape*> shapes_;
    std::vector<std::unique_ptr<ModelObservation>> shapeObservations_;
};

}  // namespace quarn::qt
