#pragma once

#include <QLineEdit>

namespace quillet::qt {

// A one-line number field that never shows a value cut short without saying so. While it does
// not have the focus, text wider than the field ends in an ellipsis and the tooltip gives the
// whole of it; with the focus it is an ordinary edit that scrolls as the caret moves.
class ElidingLineEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

  // True when the text is wider than the room the field gives it.
  bool IsElided() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QRect TextRect() const;
};

}  // namespace quillet::qt
