#pragma once
// Views of control models for a window laid out by Qt layouts instead of
// twips positions, as the walk test window is: they take their place and
// size from the layout and only mirror the model's text, colours, state and
// visibility. The labels and the bar grow with the room the layout gives
// them, so that their figures stay readable from a distance.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "platform/controls/Captioned.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/Indicators.h"
#include "platform/controls/Label.h"
#include "platform/qt/ControlView.h"

namespace quarn::gui {

// A label whose type fills its box: as high as `heightShare` of the box
// allows, narrower when the caption would not fit the width otherwise.
class ScaledLabelView final : public qt::ControlView<QLabel, Label> {
  public:
    ScaledLabelView(Label& model, double heightShare, QWidget* parent);

    // The pixel size of type that fits `text` into `box`.
    static int fittingPixelSize(const QString& text, const QFont& font, QSize box,
                                double heightShare);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void sync() override;
    void fitType();

    double heightShare_;
};

// A level bar across the whole width with its scale below; a level above
// the scale's maximum fills the whole bar.
class WideLevelBarView final : public qt::ControlView<QWidget, Slider> {
  public:
    WideLevelBarView(Slider& model, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sync() override;
};

class LaidOutButtonView final : public qt::ControlView<QPushButton, Button> {
  public:
    LaidOutButtonView(Button& model, QWidget* parent);

  private:
    void sync() override;
};

class LaidOutCheckBoxView final : public qt::ControlView<QCheckBox, CheckBox> {
  public:
    LaidOutCheckBoxView(CheckBox& model, QWidget* parent);

  private:
    void sync() override;
};

}  // namespace quarn::gui
