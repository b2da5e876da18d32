#pragma once

#include <string>

namespace quillet {

// Opens the program's help without waiting for the user to close it.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;

  // Shows the help file `fileName` at the numbered topic, or at its beginning when topic is 0.
  // Returns false when the file cannot be found; the caller tells the user.
  virtual bool ShowHelp(const std::string& fileName, int topic) = 0;
};

}  // namespace quillet
