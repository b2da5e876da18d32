#pragma once

#include <QGroupBox>

namespace quillet::qt {

// A frame whose top line runs through the middle of its caption, as the templates were laid out
// for: the controls of a frame start just below that line. Styles that put the caption above
// the line instead push the line down onto the frame's first row of controls.
class CaptionFrame : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillet::qt
