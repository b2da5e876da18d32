#pragma once

#include <string>

namespace quillet {

// The texts of the messages a calculation can show.
inline constexpr char kNothingChosenText[] =
    "Calculate what? \nPlease choose some type of analysis!";
inline constexpr char kClockMissingText[] = "You must define all values to do the clock test!";
inline constexpr char kGammaMissingText[] = "You must define all values to do the gamma test!";
inline constexpr char kSomethingIsZeroCaption[] = "Something is zero...";
inline constexpr char kModelMissingText[] =
    "You must define the ln L of every model you tick to do the test of models!\nLeft out: ";
inline constexpr char kModelsNeedTwoText[] =
    "The test of models needs two or more models ticked, each with its ln L.";
inline constexpr char kPValueRangeText[] =
    "Desired p value: please enter a number greater than 0 and less than 1.";
inline constexpr char kPValueRangeReason[] = "please enter a number greater than 0 and less than 1.";
inline constexpr char kPValueLabel[] = "Desired p value";
inline constexpr char kPValueTooSmallReason[] =
    " is below what single precision holds (about 1.2e-38); please enter a level from 1.2e-38 "
    "up to, but not including, 1.";
inline constexpr char kTaxaRangeText[] = "Number of taxa: the clock test needs 3 or more taxa.";
inline constexpr char kTaxaRangeReason[] = "the clock test needs 3 or more taxa.";

// Labels of the log-likelihood fields, as messages about them name them.
inline constexpr char kLnLClockLabel[] = "ln L with clock";
inline constexpr char kLnLNoClockLabel[] = "ln L without clock";
inline constexpr char kLnLGammaLabel[] = "ln L with gamma/ invar";
inline constexpr char kLnLNoGammaLabel[] = "ln L without gamma/ invar";
inline constexpr char kLnLAboveZeroReason[] =
    " is above 0, which no log-likelihood of sequence data can be (a minus sign forgotten?).";
inline constexpr char kLnLNotFiniteReason[] =
    "this is not a finite number; please enter the log-likelihood the fitting program gave.";

inline constexpr char kWorseFitCaption[] = "A fit did not reach its maximum";
inline constexpr char kF81K2PWarning[] =
    "Please note that K2P is not a special case of F81, so LRT may not be adequate in this "
    "case.\nValues are being calculated anyway. Use them at your own risk.";

// The notice for a test whose more complex model has the lower ln L: it names both models and
// their values, and what to do.
std::string WorseFitText(const std::string& complexName, double complexLnL,
                         const std::string& simplerName, double simplerLnL);

}  // namespace quillet
