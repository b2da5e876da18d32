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
// A typed chi-square value beyond the single-precision range (1e400, 4e38).
inline constexpr char kCalculatorChiSquareTooLargeText[] =
    "Chi Square: too large for single precision; please enter a number of at most "
    "3.40282e+038.";
inline constexpr char kCalculatorPValueRangeText[] =
    "p-value: please enter a number greater than 0 and at most 1.";
// A typed p-value above 0 but below what single precision holds to six digits (1e-300).
inline constexpr char kCalculatorPValueTooSmallText[] =
    "p-value: too small for single precision; please enter a number of at least 1e-038.";
// A computed p-value below that (chi-square 2000 with 1 df).
inline constexpr char kCalculatorPValueBelowRangeText[] =
    "p-value: below 1e-038, too small for single precision; shown as 0.";

}  // namespace quillet
