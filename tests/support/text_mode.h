#pragma once

#include <string>
#include <string_view>

namespace quillet::testing {

// The bytes a file opened in text mode holds once `text` has been written to it: the C library
// writes each "\n" as "\r\n" on Windows and unchanged elsewhere. Expected report contents go
// through this; what a test writes itself in binary mode does not.
inline std::string TextModeBytes(std::string_view text) {
#if defined(_WIN32)
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
#else
  return std::string(text);
#endif
}

}  // namespace quillet::testing
