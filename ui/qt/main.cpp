#include <clocale>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>

#include "platform/clock.h"
#include "platform/current_directory.h"
#include "ui/help_file.h"
#include "ui/help_topics.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/qt_help_viewer.h"
#include "ui/qt/qt_modal_host.h"
#include "ui/qt/startup_import.h"
#include "ui/quillet_dlg.h"

namespace {

// Prints where the help that F1 opens is found, so that an installation can be checked from a
// terminal or a script. Returns the exit status: 1 when the help is nowhere to be found.
int PrintHelpPath() {
  const std::vector<std::string> folders = quillet::qt::QtHelpViewer::DefaultFolders();
  const std::string path = quillet::FindHelpFile(quillet::kHelpFileName, folders);
  if (path.empty()) {
    std::fprintf(stderr, "%s was not found in any of these folders:\n", quillet::kHelpFileName);
    for (const std::string& folder : folders) std::fprintf(stderr, "  %s\n", folder.c_str());
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("Quillet"));
  QCoreApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Likelihood ratio tests of nucleotide substitution models, the molecular clock and rate "
      "heterogeneity."));
  const QCommandLineOption helpOption = parser.addHelpOption();
  const QCommandLineOption versionOption = parser.addVersionOption();
  const QCommandLineOption helpPathOption(
      QStringLiteral("help-path"),
      QStringLiteral("Displays the full path of the help file the program opens."));
  parser.addOption(helpPathOption);
  parser.addPositionalArgument(
      QStringLiteral("files"),
      QStringLiteral("Output files of model-fitting programs to import log-likelihoods from."),
      QStringLiteral("[FILE...]"));

  // Options that only print are answered without a window, so they work without a display
  // too. This first look only picks the kind of application: Qt's own options (-platform,
  // -style, ...) are known only to QApplication, which takes them out of argv before
  // process() below checks the rest and does the printing.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  parser.parse(arguments);
  const bool printOnly = parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all")) ||
                         parser.isSet(versionOption) || parser.isSet(helpPathOption);

  std::unique_ptr<QCoreApplication> app;
  if (printOnly) {
    app = std::make_unique<QCoreApplication>(argc, argv);
  } else {
    app = std::make_unique<QApplication>(argc, argv);
  }
  // --help and --version print and end the program here, as does an unknown option.
  parser.process(*app);
  if (parser.isSet(helpPathOption)) return PrintHelpPath();

  // Qt adopts the user's locale for the C library; numbers must not follow it.
  std::setlocale(LC_NUMERIC, "C");
  QGuiApplication::setDesktopFileName(QStringLiteral("quillet"));
  QApplication::setWindowIcon(quillet::qt::ProgramIcon());

  quillet::SystemClock clock;
  quillet::qt::QtModalHost host;
  quillet::qt::QtHelpViewer help;
  quillet::CQuilletDlg dialog(host, clock, help, quillet::CurrentDirectory);
  quillet::qt::ImportAtStart(host, dialog, parser.positionalArguments());
  // The program lives as long as its main window; nothing is saved when it closes.
  host.DoModal(dialog);
  return 0;
}
