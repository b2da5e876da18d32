#pragma once

namespace quillet {

// The name message boxes without a caption of their own carry.
inline constexpr char kProgramName[] = "Quillet";

// The About entry of the main window's system menu (command CQuilletDlg::kIdmAboutBox).
inline constexpr char kAboutMenuText[] = "&About Quillet...";

}  // namespace quillet
