#pragma once

#include <QLabel>

namespace quillet::qt {

// A one-line static text that never shows its text cut short without saying so: text wider
// than the control ends in an ellipsis, and the tooltip gives the whole of it. The text itself,
// as the program reads it back, is always whole.
class ElidingLabel : public QLabel {
 public:
  using QLabel::QLabel;

  // True when the text is wider than the control and is shown shortened.
  bool IsElided() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QRect TextRect() const;
};

}  // namespace quillet::qt
