#include <clocale>

#include <QApplication>

#include "platform/clock.h"
#include "platform/current_directory.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/qt_help_viewer.h"
#include "ui/qt/qt_modal_host.h"
#include "ui/qt/startup_import.h"
#include "ui/quillet_dlg.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Qt adopts the user's locale for the C library; numbers must not follow it.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Quillet"));
  QGuiApplication::setDesktopFileName(QStringLiteral("quillet"));
  QApplication::setWindowIcon(quillet::qt::ProgramIcon());

  quillet::SystemClock clock;
  quillet::qt::QtModalHost host;
  quillet::qt::QtHelpViewer help;
  quillet::CQuilletDlg dialog(host, clock, help, quillet::CurrentDirectory);
  host.SetMainDialog(&dialog);
  quillet::qt::ImportAtStart(host, dialog, QCoreApplication::arguments().mid(1));
  // The program lives as long as its main window; nothing is saved when it closes.
  host.DoModal(dialog);
  return 0;
}
