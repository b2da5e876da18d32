#pragma once

#include "platform/dialog.h"

namespace quillet {

// The chi-square calculator (template 129). Its three values live as long as the form that
// holds it, so they survive between openings.
class CChiSquareDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 129;
  static constexpr int kIdChiSquare = 1061;
  static constexpr int kIdDf = 1062;
  static constexpr int kIdPValue = 1063;
  static constexpr int kIdCalcChiSquare = 1064;
  static constexpr int kIdCalcPValue = 1065;

  float m_fChiSquare = 0.0f;
  int m_nDf = 0;
  float m_fPValue = 0.0f;

  int TemplateId() const override { return kTemplateId; }
  bool DoDataExchange(Window& window, bool fromWindow) override;
  std::optional<int> OnCommand(Window& window, int controlId) override;

  void OnCalcChiSquare(Window& window);
  void OnCalcPValue(Window& window);

 private:
  bool CheckDf(Window& window);
};

inline constexpr char kCalculatorDfRangeText[] =
    "degrees of freedom: please enter a whole number of 1 or more.";
inline constexpr char kCalculatorChiSquareRangeText[] =
    "Chi Square: please enter a number of 0 or more.";
inline constexpr char kCalculatorPValueRangeText[] =
    "p-value: please enter a number greater than 0 and at most 1.";

}  // namespace quillet
