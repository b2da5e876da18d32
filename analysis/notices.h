#pragma once

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
inline constexpr char kTaxaRangeText[] = "Number of taxa: the clock test needs 3 or more taxa.";
inline constexpr char kF81K2PWarning[] =
    "Please note that K2P is not a special case of F81, so LRT may not be adequate in this "
    "case.\nValues are being calculated anyway. Use them at your own risk.";

}  // namespace quillet
