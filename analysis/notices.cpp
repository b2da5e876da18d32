#include "analysis/notices.h"

#include <cctype>

#include "platform/format.h"

namespace quillet {

std::string WorseFitText(const std::string& complexName, double complexLnL,
                         const std::string& simplerName, double simplerLnL) {
  std::string text = complexName + " fits worse than " + simplerName +
                     ", which is nested in it (ln L " + FormatRoundTrip(complexLnL) +
                     " against " + FormatRoundTrip(simplerLnL) + "). The fit of " + complexName +
                     " did not reach its maximum, or the two values are swapped: refit it. The "
                     "test is shown as NOT rejected, with p 1.";
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}

}  // namespace quillet
