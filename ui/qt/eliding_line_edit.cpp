#include "ui/qt/eliding_line_edit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include "ui/qt/whole_text_tip.h"

namespace quillet::qt {

namespace {

// The space a line edit keeps on each side of its text, inside its contents.
constexpr int kTextMargin = 2;

}  // namespace

QRect ElidingLineEdit::TextRect() const {
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
  room = room.marginsRemoved(textMargins());
  return room.adjusted(kTextMargin, 0, -kTextMargin, 0);
}

bool ElidingLineEdit::IsElided() const {
  return fontMetrics().horizontalAdvance(text()) > TextRect().width();
}

// Painted as the edit paints itself (its panel, its line centred the same way), with the
// shortened text in place of the whole.
void ElidingLineEdit::paintEvent(QPaintEvent* event) {
  if (hasFocus() || !IsElided()) {
    QLineEdit::paintEvent(event);
    return;
  }
  QPainter painter(this);
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
  const QRect room = TextRect();
  const QFontMetrics metrics = fontMetrics();
  const QRect line(room.x(), room.y() + (room.height() - metrics.height() + 1) / 2, room.width(),
                   metrics.height());
  painter.setPen(palette().text().color());
  painter.drawText(line, Qt::AlignLeft | Qt::AlignTop,
                   metrics.elidedText(text(), Qt::ElideRight, room.width()));
}

bool ElidingLineEdit::event(QEvent* event) {
  return HandleWholeTextTip(event, this, IsElided(), text()) || QLineEdit::event(event);
}

}  // namespace quillet::qt
