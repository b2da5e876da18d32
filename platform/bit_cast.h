#pragma once

#include <cstring>
#include <type_traits>

namespace quillet {

// std::bit_cast, which not every C++20 library has yet (Emscripten's has none): the object
// representation of `from` read as a `To` of the same size.
template <typename To, typename From>
requires(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
         std::is_trivially_copyable_v<From>) To BitCast(const From& from) {
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

}  // namespace quillet
