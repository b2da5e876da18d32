#include "ui/qt/eliding_label.h"

#include <QPainter>
#include <QStyle>

#include "ui/qt/whole_text_tip.h"

namespace quillet::qt {

QRect ElidingLabel::TextRect() const {
  return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

bool ElidingLabel::IsElided() const {
  return fontMetrics().horizontalAdvance(text()) > TextRect().width();
}

// Drawn as the label draws plain text, with the shortened text in its place.
void ElidingLabel::paintEvent(QPaintEvent* event) {
  if (!IsElided()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  const QRect room = TextRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
  style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()),
                        palette(), isEnabled(), shown, foregroundRole());
}

bool ElidingLabel::event(QEvent* event) {
  return HandleWholeTextTip(event, this, IsElided(), text()) || QLabel::event(event);
}

}  // namespace quillet::qt
