#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// How one piece of report text goes into its file.
struct ReportWrite {
  bool replace = false;      // empty the file first (a newly chosen report)
  bool headerBlock = false;  // the text starts a header block: after text already in the file,
                             // three line feeds separate it from what is there
  // For a text that continues what this writer added last (`continues`, not empty): when the
  // file no longer ends with that, because another program added to it since, the writer adds
  // what `otherwise` makes instead, as a header block of its own. It is made only then.
  std::string continues;
  std::function<std::string()> otherwise;
};

// Adds `text` to the report file at `path`, holding the file's lock for the whole write so that
// another program adding to the same report (the window, a script) never lands inside it, and
// deciding under the lock how the text starts.
// Returns the message for the user when the file could not be opened or written: it names the
// file and gives the system's reason. Nothing is returned when all went well, and `written`
// (if given) receives the text added: `text`, or what `how.otherwise` made.
std::optional<std::string> WriteReport(const std::string& path, std::string_view text,
                                       const ReportWrite& how, std::string* written = nullptr);

}  // namespace quillet
