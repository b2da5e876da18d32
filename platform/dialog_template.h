#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quillet {

// A window described as data, in the manner of a dialog resource: the controls in creation
// order (which is also the tab order), each with its id, kind, caption and rectangle in dialog
// units. A dialog unit is a quarter of the dialog font's average character width horizontally
// and an eighth of its height vertically, so the layout keeps its proportions on any font.
enum class ControlKind {
  kPushButton,
  kCheckBox,
  kEdit,      // single-line, or multi-line with kMultiLine
  kStatic,    // label or result text
  kGroupBox,  // frame with a caption; never has an id
  kIcon,      // the program icon
  kComboBox,  // drop-down list to choose one item from; the program fills its items
  kTable,     // read-only rows and columns, sortable by any column; the program fills it
};

// Control styles.
namespace style {
inline constexpr std::uint32_t kTabStop = 1u << 0;
inline constexpr std::uint32_t kDefault = 1u << 1;   // default-button look; Enter presses it
inline constexpr std::uint32_t kCenter = 1u << 2;    // centred static text
inline constexpr std::uint32_t kNoPrefix = 1u << 3;  // '&' shown as typed
inline constexpr std::uint32_t kBorder = 1u << 4;
inline constexpr std::uint32_t kAutoHScroll = 1u << 5;
inline constexpr std::uint32_t kMultiLine = 1u << 6;  // wraps at the right edge
inline constexpr std::uint32_t kAutoVScroll = 1u << 7;
inline constexpr std::uint32_t kVScroll = 1u << 8;
inline constexpr std::uint32_t kReadOnly = 1u << 9;  // an edit the user can read and copy from
// How a control follows a window that can be resized (window_style::kResizable), whose template
// size is its smallest: without these it keeps its place and size; with them it takes the extra
// width or height, or moves with the right or the bottom edge.
inline constexpr std::uint32_t kGrowWidth = 1u << 10;
inline constexpr std::uint32_t kGrowHeight = 1u << 11;
inline constexpr std::uint32_t kFollowRight = 1u << 12;
inline constexpr std::uint32_t kFollowBottom = 1u << 13;
}  // namespace style

// Window styles.
namespace window_style {
inline constexpr std::uint32_t kSysMenu = 1u << 0;  // close box and system menu
inline constexpr std::uint32_t kMinimizeBox = 1u << 1;
inline constexpr std::uint32_t kMaximizeBox = 1u << 2;
inline constexpr std::uint32_t kAppWindow = 1u << 3;  // a task bar button of its own
inline constexpr std::uint32_t kCentered = 1u << 4;
// A sizing border: the user may make the window larger than its template, never smaller.
inline constexpr std::uint32_t kResizable = 1u << 5;
}  // namespace window_style

inline constexpr int kNoId = -1;

struct ControlTemplate {
  int id;  // kNoId for controls nothing refers to
  ControlKind kind;
  std::string_view caption;
  int x, y, cx, cy;
  std::uint32_t styles;
};

struct DialogTemplate {
  int id;
  std::string_view caption;
  int cx, cy;  // client area
  std::string_view fontName;
  int fontPoints;
  std::uint32_t styles;
  std::span<const ControlTemplate> controls;
};

}  // namespace quillet
