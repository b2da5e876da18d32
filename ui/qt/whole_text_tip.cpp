#include "ui/qt/whole_text_tip.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace quillet::qt {

bool HandleWholeTextTip(QEvent* event, QWidget* control, bool elided, const QString& text) {
  if (event->type() != QEvent::ToolTip || !control->toolTip().isEmpty()) return false;
  if (elided) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

}  // namespace quillet::qt
