#pragma once

namespace quillet {

// The texts of the messages a calculation can show.
inline constexpr char kNothingChosenText[] =
    "Calculate what? \nPlease choose some type of analysis!";
inline constexpr char kClockMissingText[] = "You must define all values to do the clock test!";
inline constexpr char kGammaMissingText[] = "You must define all values to do the gamma test!";
inline constexpr char kSomethingIsZeroCaption[] = "Something is zero...";
inline constexpr char kF81K2PWarning[] =
    "Please note that K2P is not a special case of F81, so LRT may not be adequate in this "
    "case.\nValues are being calculated anyway. Use them at your own risk.";

}  // namespace quillet
