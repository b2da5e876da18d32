#include "ui/qt/caption_frame.h"

#include <QPainter>
#include <QRegion>
#include <QStyle>

namespace quillet::qt {

// Drawn here rather than by the style, which would place the line below the caption.
void CaptionFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const int pad = metrics.horizontalAdvance(u' ') / 2;
  const QRect caption(metrics.averageCharWidth(), 0, metrics.horizontalAdvance(title()) + 2 * pad,
                      metrics.height());
  const QRectF line = QRectF(rect().adjusted(0, metrics.height() / 2, -1, -1)).translated(0.5, 0.5);

  // The line stops either side of the caption.
  if (!title().isEmpty()) painter.setClipRegion(QRegion(rect()) - QRegion(caption));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRoundedRect(line, 2, 2);
  painter.setClipping(false);
  if (title().isEmpty()) return;
  // A frame is never disabled: its caption keeps the normal look.
  style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), true, title(),
                        QPalette::WindowText);
}

}  // namespace quillet::qt
