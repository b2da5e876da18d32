#pragma once

namespace quillet::cli {

// The version of the command-line program, the project's version.
#ifdef QUILLET_VERSION
inline constexpr char kVersion[] = QUILLET_VERSION;
#else
inline constexpr char kVersion[] = "unknown";
#endif

}  // namespace quillet::cli
