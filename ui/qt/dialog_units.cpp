#include "ui/qt/dialog_units.h"

#include <QFontMetrics>

namespace quillet::qt {

#include <algorithm>
#include <cmath>

// The average width is taken over the 52 letters, rounded to the nearest pixel, the way
// dialog layouts have always measured it.
DialogUnits::DialogUnits(const QFont& font) {
  QFontMetrics metrics(font);
  int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseX_ = std::max(1, (letters / 26 + 1) / 2);
  baseY_ = std::max(1, metrics.height());
  fontBaseX_ = baseX_;
}

void DialogUnits::WidenToFit(int pixels, int units, double limit) {
  if (units <= 0) return;
  double wanted = 4.0 * pixels / units;
  double ceiling = (fontBaseX_ > 0 ? fontBaseX_ : baseX_) * limit;
  baseX_ = std::max(baseX_, std::min(wanted, ceiling));
}

int DialogUnits::ToPixelsX(int units) const {
  return static_cast<int>(std::lround(units * baseX_ / 4.0));
}
int DialogUnits::ToPixelsY(int units) const {
  return static_cast<int>(std::lround(units * baseY_ / 8.0));
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
  return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(cx), ToPixelsY(cy));
}

QSize DialogUnits::ToPixels(int cx, int cy) const { return QSize(ToPixelsX(cx), ToPixelsY(cy)); }

}  // namespace quillet::qt
