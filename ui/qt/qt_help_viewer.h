#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QSize>

#include "platform/help_viewer.h"

class QTextBrowser;

namespace quillet::qt {

// Shows the help file, an HTML document, in a window of its own that blocks nothing: the main
// window stays usable beside it. Topics are anchors named by their numbers.
class QtHelpViewer : public HelpViewer {
 public:
  // Folders to look in for the help file, in order, asked afresh at every call.
  using Folders = std::function<std::vector<std::string>()>;

  explicit QtHelpViewer(Folders folders = DefaultFolders);
  ~QtHelpViewer() override;

  bool ShowHelp(const std::string& fileName, int topic) override;

  // The help window once it has been opened, else nullptr.
  QTextBrowser* browser() const { return browser_.get(); }

  // The current folder, the program's folder, then the folder the help was installed to.
  static std::vector<std::string> DefaultFolders();

 private:
  QSize DefaultSize() const;

  Folders folders_;
  std::unique_ptr<QTextBrowser> browser_;
};

}  // namespace quillet::qt
