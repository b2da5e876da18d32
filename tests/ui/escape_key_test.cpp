#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "support/fake_window.h"
#include "support/fixed_clock.h"
#include "support/scripted_host.h"
#include "ui/about_dlg.h"
#include "ui/chi_square_dlg.h"
#include "ui/comments_dlg.h"
#include "ui/control_ids.h"
#include "ui/quillet_dlg.h"

namespace quillet {
namespace {

using testing::FakeWindow;

class NoHelp : public HelpViewer {
 public:
  bool ShowHelp(const std::string&, int) override { return false; }
};

// Everything a dialog of the program needs to exist, so that each row can build its own.
struct Parts {
  testing::ScriptedHost host;
  testing::FixedClock clock{testing::MakeTime(2000, 11, 14, 9, 5, 3, 2)};
  NoHelp help;
};

struct EscapeCase {
  const char* name;
  std::function<std::unique_ptr<Dialog>(Parts&)> make;
  int typedInto;              // a field the user typed into before the key; 0 for none
  std::optional<int> escape;  // what Escape ends the window with; nothing = it stays open
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.name; }

class EscapeKeyTest : public ::testing::TestWithParam<EscapeCase> {};

// The main window holds all the typed work, so Escape must not end it; the close box still
// does, at once. The small dialogs close on Escape as before. No window reads its fields on
// either way out, so text that does not parse shows no message.
TEST_P(EscapeKeyTest, OnlyTheMainWindowStaysOpen) {
  const EscapeCase& c = GetParam();
  Parts parts;
  std::unique_ptr<Dialog> dialog = c.make(parts);
  FakeWindow window;
  dialog->OnInitDialog(window);
  if (c.typedInto != 0) window.SetControlText(c.typedInto, "typed, not a number");

  EXPECT_EQ(dialog->OnEscapeKey(window), c.escape);
  if (c.typedInto != 0) {
    EXPECT_EQ(window.GetControlText(c.typedInto), "typed, not a number");
  }
  EXPECT_EQ(dialog->OnCancel(window), kIdCancel) << "the close box always closes";
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(parts.host.events.empty());
}

INSTANTIATE_TEST_SUITE_P(Windows, EscapeKeyTest,
                         ::testing::Values(EscapeCase{"MainWindow",
                                                      [](Parts& p) -> std::unique_ptr<Dialog> {
                                                        return std::make_unique<CQuilletDlg>(
                                                            p.host, p.clock, p.help, nullptr);
                                                      },
                                                      ids::kLnLHKY85, std::nullopt},
                                           EscapeCase{"MainWindowUntouched",
                                                      [](Parts& p) -> std::unique_ptr<Dialog> {
                                                        return std::make_unique<CQuilletDlg>(
                                                            p.host, p.clock, p.help, nullptr);
                                                      },
                                                      0, std::nullopt},
                                           EscapeCase{"Calculator",
                                                      [](Parts&) -> std::unique_ptr<Dialog> {
                                                        return std::make_unique<CChiSquareDlg>();
                                                      },
                                                      CChiSquareDlg::kIdDf, kIdCancel},
                                           EscapeCase{"Comments",
                                                      [](Parts&) -> std::unique_ptr<Dialog> {
                                                        return std::make_unique<CCommentsDlg>();
                                                      },
                                                      CCommentsDlg::kIdComments, kIdCancel},
                                           EscapeCase{"About",
                                                      [](Parts&) -> std::unique_ptr<Dialog> {
                                                        return std::make_unique<CAboutDlg>();
                                                      },
                                                      0, kIdCancel}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet
