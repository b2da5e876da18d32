#include "report/report_writer.h"

#include <chrono>

#include "platform/locked_file.h"

namespace quillet {

namespace {

// Another writer holds the lock for the time of one analysis, far below this; a program that
// keeps it longer is stuck, and the user is told instead of waiting on it.
constexpr std::chrono::milliseconds kLockPatience{5000};

}  // namespace

std::optional<std::string> WriteReport(const std::string& path, std::string_view text,
                                       const ReportWrite& how, std::string* written) {
  LockedFile file;
  std::string otherwise;  // holds the text when `how.otherwise` made it
  if (file.Open(path, kLockPatience)) {
    // Decided under the lock, so that two header blocks never run into each other and an
    // analysis never continues another program's.
    bool headerBlock = how.headerBlock;
    if (!how.replace && !how.continues.empty() && !file.EndsWith(how.continues)) {
      otherwise = how.otherwise ? how.otherwise() : std::string();
      text = otherwise;
      headerBlock = true;
    }
    if (how.replace) {
      file.Truncate();
    } else if (headerBlock && file.HoldsText()) {
      file.Append("\n\n\n");
    }
    file.Append(text);
  }
  if (file.Close()) {
    if (written) *written = text;
    return std::nullopt;
  }
  return "The analysis could not be written to the report file\n" + path + "\n\n" + file.Error();
}

}  // namespace quillet
