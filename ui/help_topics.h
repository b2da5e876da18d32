#pragma once

#include <optional>

namespace quillet {

// The help file the Help button and F1 open.
inline constexpr char kHelpFileName[] = "Quillet.hlp";

// F1 opens the help at a topic numbered from the window that has the focus: this base plus
// the window's template id, so 131174 in the main window and 131172 in the About box.
inline constexpr int kHelpTopicBase = 0x20000;

// The Save As dialog is the platform's and has no template; its help is numbered as if it were
// template 131, the next after the comments dialog, so its topic is 131203.
inline constexpr int kSaveAsHelpId = 131;

inline constexpr char kHelpMissingMessage[] =
    "Cannot find the help file Quillet.hlp. It is looked for in the current folder, beside the "
    "program and in the folder Quillet was installed to.";

// The topic F1 opens in the window built from `templateId` (kSaveAsHelpId for the Save As
// dialog); nothing for windows that have no topic.
std::optional<int> F1HelpTopic(int templateId);

}  // namespace quillet
