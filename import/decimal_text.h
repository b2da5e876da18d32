#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Log-likelihoods as files write them: [sign] digits [. digits] [e|E [sign] digits], or without
// digits before the point. No "inf", "nan", hex or decimal comma. The exponent has at most three
// digits, which covers every double and keeps the comparisons below short.
bool IsDecimal(std::string_view text);

// The value of a decimal that IsDecimal accepts and that is finite as a double, converted
// without the locale (nearest double); nothing otherwise.
std::optional<double> DecimalValue(std::string_view text);

// The decimal with its sign turned round, for columns of -ln L: "9533.494" -> "-9533.494",
// "-2.5" -> "2.5", "+1" -> "-1". A zero stays unsigned ("0.000").
std::string NegatedDecimal(std::string_view text);

// Whether two decimals can be one value printed at two precisions: equal, or the less precise
// one is within half a unit of its last digit of the more precise one (so "-9533.494" and
// "-9533.4938" agree, as do "-1.235" and "-1.2345"). Both must be IsDecimal.
bool AgreeToPrecision(std::string_view a, std::string_view b);

// How finely a decimal is written: the power of ten of its last digit (-4 for "-9533.4938",
// 0 for "12", 3 for "1e3").
int LastDigitPower(std::string_view text);

}  // namespace quillet
