#include "platform/data_exchange.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/fake_window.h"

namespace quillet {
namespace {

// Whatever a float field accepted, the text the window shows back must be accepted again.
TEST(DataExchange, FloatFieldsReadBackWhatTheyShow) {
  const char* typed[] = {"-1e-50", "1e-50", "-0.000000001e-40", "0.05", "-3050.25", "1e39"};
  for (const char* text : typed) {
    SCOPED_TRACE(text);
    testing::FakeWindow window;
    window.SetControlText(7, text);
    float value = 1.0f;
    ASSERT_TRUE(DataExchange(window, true).Float(7, value));
    DataExchange(window, false).Float(7, value);
    const std::string shown = window.GetControlText(7);
    float again = 2.0f;
    const bool accepted = DataExchange(window, true).Float(7, again);
    if (std::isfinite(value)) {  // the shown text reads back
      EXPECT_TRUE(accepted) << shown;
      EXPECT_EQ(again, value);
    } else {  // an infinity shows as a word the parser refuses, keeping the value
      EXPECT_FALSE(accepted) << shown;
      EXPECT_EQ(window.messages.back().text, kPleaseEnterNumber);
    }
  }
}

}  // namespace
}  // namespace quillet
