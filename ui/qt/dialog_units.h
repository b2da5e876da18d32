#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace quillet::qt {

// Converts dialog units to pixels for one font: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  DialogUnits(double baseX, double baseY) : baseX_(baseX), baseY_(baseY), fontBaseX_(baseX) {}

  // Widens every horizontal unit so that `pixels` fit into `units`, by at most `limit` times
  // the font's own unit. Used so that captions measured in this font fit their controls
  // while the layout keeps its proportions.
  void WidenToFit(int pixels, int units, double limit);

  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  QRect ToPixels(int x, int y, int cx, int cy) const;
  QSize ToPixels(int cx, int cy) const;

  double baseX() const { return baseX_; }
  double baseY() const { return baseY_; }

 private:
  double baseX_;
  double baseY_;
  double fontBaseX_ = 0;
};

}  // namespace quillet::qt
