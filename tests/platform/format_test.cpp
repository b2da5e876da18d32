#include "platform/format.h"
#include "platform/parse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

namespace quillet {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FormatFixed, RoundsHalfwayAwayFromZeroOnTheExactBinaryValue) {
  struct Row {
    double value;
    int decimals;
    const char* expected;
  };
  const Row rows[] = {
      {2.125, 2, "2.13"},  // exactly halfway: away from zero, where printf gives 2.12
      {-2.125, 2, "-2.13"},
      {0.125, 2, "0.13"},
      {0.5, 0, "1"},
      {2.5, 0, "3"},
      {2.675, 2, "2.67"},  // 2.67499999... in binary: below halfway
      {1.005, 2, "1.00"},  // 1.00499999...
      {9.995, 2, "9.99"},  // 9.99499999...
      {9.9999999, 4, "10.0000"},
      {999.996, 2, "1000.00"},
      {0.0, 2, "0.00"},
      {0.004, 2, "0.00"},
      {0.005, 2, "0.01"},  // 0.005000000000000000104...
      {-0.001, 2, "-0.00"},
      {3.841473340988159, 4, "3.8415"},
      {static_cast<float>(1e-7), 6, "0.000000"},
      {static_cast<float>(0.05), 6, "0.050000"},
      {-1e-30, 4, "-0.0000"},                                 // far below the last decimal
      {0.00005, 4, "0.0001"},                                 // 0.0000500000000000000024
      {9223372036854775808.0, 2, "9223372036854775808.00"},   // 2^63
      {18446744073709551616.0, 1, "18446744073709551616.0"},  // 2^64
      {0.1, 19, "0.1000000000000000056"},
      {0.1, 20, "0.10000000000000000555"},
      {1e22, 1, "10000000000000000000000.0"},
      {std::numeric_limits<float>::max(), 2, "340282346638528859811704183484516925440.00"},
      {kInf, 2, "inf"},
      {-kInf, 4, "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), 6, "nan"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.value << " %." << row.decimals << "f");
    EXPECT_EQ(FormatFixed(row.value, row.decimals), row.expected);
  }
}

// Where a value cannot lie exactly halfway (more binary fraction digits than decimals + 1),
// rounding half away from zero and the C library's exact rounding agree: values of every
// magnitude, near powers of ten and near halfway points, at the decimals the program prints.
TEST(FormatFixed, AgreesWithExactRoundingWhereThereIsNoTie) {
  std::vector<double> values = {0.049882,
                                3.8414588206941236,
                                22709.999,
                                9.9999999999999982,
                                0.099999999999999992,
                                1e-7,
                                4.94065645841246544e-324,
                                5.0000000000000001e-7,
                                4.9999999999999996e-7,
                                1234567.89};
  for (double v = 1e-12; v < 1e12; v *= 1.37) values.push_back(v);
  for (int k = -12; k <= 12; ++k) {
    const double ten = std::pow(10.0, k);
    values.push_back(std::nextafter(ten, 0.0));
    values.push_back(std::nextafter(ten, 2 * ten));
    values.push_back(std::nextafter(5 * ten, 0.0));  // just below a halfway point
    values.push_back(std::nextafter(5 * ten, 10 * ten));
  }
  for (double v : values) {
    for (int decimals : {0, 1, 2, 4, 6}) {
      const double scaled = v * std::pow(10.0, decimals);
      if (scaled - std::floor(scaled) == 0.5) continue;  // a tie: the table above has those
      char expected[1200];
      std::snprintf(expected, sizeof expected, "%.*f", decimals, -v);
      SCOPED_TRACE(::testing::Message() << std::hexfloat << v << " %." << decimals << "f");
      EXPECT_EQ(FormatFixed(-v, decimals), expected);
    }
  }
}

// The same for significant digits, against the C library's %g (two-digit exponent).
TEST(FormatGeneral, AgreesWithExactRoundingWhereThereIsNoTie) {
  std::vector<double> values = {0.049882,   1.52397e-23,  4.94065645841246544e-324,
                                0.99999949, 0.0001234565, 123456.5000001,
                                1e-5,       0.03125};
  for (double v = 1e-30; v < 1e30; v *= 1.73) values.push_back(v);
  for (int k = -12; k <= 12; ++k) {
    const double ten = std::pow(10.0, k);
    values.push_back(std::nextafter(ten, 0.0));
    values.push_back(std::nextafter(ten, 2 * ten));
  }
  // Values of every magnitude, and values next to the halfway points of six digits, which the
  // quick way leaves to the exact one.
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> leading(1.0, 10.0);
  std::uniform_int_distribution<int> power(-323, 307);
  std::uniform_int_distribution<int> sixDigits(100000, 999999);
  for (int i = 0; i < 2000; ++i) {
    values.push_back(leading(random) * std::pow(10.0, power(random)));
    values.push_back((sixDigits(random) + 0.5) * std::pow(10.0, power(random) / 4));
  }
  for (double v : values) {
    for (int precision : {1, 3, 6, 9}) {
      char expected[64];
      std::snprintf(expected, sizeof expected, "%.*g", precision, v);
      char halfway[64];  // a tie shows as a 5 followed by nothing at one digit more
      std::snprintf(halfway, sizeof halfway, "%.*e", precision + 40, v);
      const std::string exact(halfway);
      const std::size_t tail = 2 + static_cast<std::size_t>(precision);
      if (exact[tail - 1] == '5' && exact.find_first_not_of('0', tail) >= exact.find('e')) continue;
      SCOPED_TRACE(::testing::Message() << std::hexfloat << v << " %." << precision << "g");
      EXPECT_EQ(FormatGeneral(v, precision, 2), expected);
    }
  }
}

TEST(FormatFixedLeft, PadsOnTheRightToTheWidth) {
  EXPECT_EQ(FormatFixedLeft(static_cast<float>(-123.45), 2, 8), "-123.45 ");
  EXPECT_EQ(FormatFixedLeft(static_cast<float>(-12345.68), 2, 8), "-12345.68");
  EXPECT_EQ(FormatFixedLeft(1.0, 2, 8), "1.00    ");
  EXPECT_EQ(PadRight("4.00", 8), "4.00    ");
  EXPECT_EQ(PadRight("1075.5668", 8), "1075.5668");
  EXPECT_EQ(PadRight("", 8), "        ");
}

TEST(FormatGeneral, SixSignificantDigitsWithAThreeDigitExponent) {
  struct Row {
    double value;
    const char* expected;
  };
  const Row rows[] = {
      {static_cast<float>(0.05), "0.05"},
      {static_cast<float>(-1234.5678), "-1234.57"},
      {static_cast<float>(0.00001), "1e-005"},
      {static_cast<float>(1.90735227e-6), "1.90735e-006"},
      {static_cast<float>(3.84147334), "3.84147"},
      {static_cast<float>(1075.56677), "1075.57"},
      {static_cast<float>(6.63500261), "6.635"},
      {static_cast<float>(6.37926e-6), "6.37926e-006"},
      {524287.0, "524287"},
      {999999.0, "999999"},
      {999999.5, "1e+006"},  // halfway, rounded up into the next decade
      {1234567.0, "1.23457e+006"},
      {0.0001, "0.0001"},
      {0.000123456789, "0.000123457"},
      {0.0000123456, "1.23456e-005"},
      {1e100, "1e+100"},
      {1e-300, "1e-300"},
      {2.5, "2.5"},
      {100.0, "100"},
      {0.0, "0"},
      {-3.0, "-3"},
      {kInf, "inf"},
      {-kInf, "-inf"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(FormatGeneral(row.value, 6), row.expected);
  }
}

// A log-likelihood shown in a field: read back, it is the same double, and it keeps the
// decimals it was written with.
TEST(FormatRoundTrip, ShowsEveryDigitNeededAndTheDecimalsWritten) {
  struct Row {
    double value;
    int decimals;
    const char* expected;
  };
  const Row rows[] = {
      {-3040.1, 0, "-3040.1"},
      {-3040.1, 2, "-3040.10"},
      {-1234567.89, 0, "-1234567.89"},
      {-136006.9467, 4, "-136006.9467"},
      {-12345.66, 2, "-12345.66"},
      {-3040.1f, 0, "-3040.10009765625"},  // a float widened keeps its binary digits
      {-1e-5, 0, "-1e-005"},
      {-2.5e17, 0, "-2.5e+017"},
      {0.0, 0, "0"},
      {-0.0, 0, "0"},
      {0.0, 2, "0.00"},
      {-95.0, 0, "-95"},
      {0.1 + 0.2, 0, "0.30000000000000004"},
      {kInf, 0, "inf"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    const std::string text = FormatRoundTrip(row.value, row.decimals);
    EXPECT_EQ(text, row.expected);
    if (std::isfinite(row.value)) {
      EXPECT_EQ(ParseDoubleField(text), row.value == 0.0 ? 0.0 : row.value);
      EXPECT_EQ(DecimalsWritten(text), std::max(row.decimals, DecimalsWritten(text)));
    }
  }
}

TEST(FormatInt, PrintsTheWholeRange) {
  EXPECT_EQ(FormatInt(0), "0");
  EXPECT_EQ(FormatInt(-12), "-12");
  EXPECT_EQ(FormatInt(std::numeric_limits<int>::min()), "-2147483648");
}

}  // namespace
}  // namespace quillet
