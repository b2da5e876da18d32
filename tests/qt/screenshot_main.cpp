// Opens the main window, types a worked example into it and runs Calculate, then saves a picture
// of the window to the file named by the first argument.
#include <clocale>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/clock.h"
#include "ui/control_ids.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/qt_dialog_window.h"
#include "ui/qt/qt_help_viewer.h"
#include "ui/qt/qt_modal_host.h"
#include "ui/quillet_dlg.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setWindowIcon(quillet::qt::ProgramIcon());
  using namespace quillet;
  SystemClock clock;
  qt::QtModalHost host;
  qt::QtHelpViewer help;
  CQuilletDlg dialog(host, clock, help, [] { return std::string("/home/user/alignments"); });
  auto window = host.Open(dialog, nullptr);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return 1;

  auto type = [&](int id, const char* text) {
    auto* edit = qobject_cast<QLineEdit*>(window->Control(id));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  };
  auto click = [&](int id) { QTest::mouseClick(window->Control(id), Qt::LeftButton); };
  const std::pair<int, const char*> lnL[] = {
      {ids::kLnLGTR, "-5890.12"}, {ids::kLnLTrN, "-5893.47"}, {ids::kLnLHKY85, "-5901.33"},
      {ids::kLnLF81, "-5960.84"}, {ids::kLnLK2P, "-5931.27"}, {ids::kLnLJC, "-5990.55"}};
  for (auto [id, text] : lnL) type(id, text);
  for (int id : {ids::kGTR, ids::kTrN, ids::kHKY85, ids::kF81, ids::kK2P, ids::kJC, ids::kGammaGTR,
                 ids::kGammaTrN, ids::kGammaHKY85, ids::kGammaF81, ids::kGammaK2P, ids::kGammaJC}) {
    click(id);
  }
  type(ids::kLnLGamma, "-5890.12");
  type(ids::kLnLNoGamma, "-5951.68");
  type(ids::kTaxa, "12");
  type(ids::kLnLClock, "-5899.02");
  type(ids::kLnLNoClock, "-5890.12");
  click(ids::kCalculate);

  const QString path =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshot.png");
  QTest::qWait(500);  // let the window settle before it is drawn
  return window->grab().save(path) ? 0 : 1;
}
