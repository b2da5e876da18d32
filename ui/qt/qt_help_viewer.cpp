#include "ui/qt/qt_help_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

#include "ui/help_file.h"
#include "ui/qt/program_icon.h"

#ifndef QUILLET_HELP_DIR
#define QUILLET_HELP_DIR ""
#endif

namespace quillet::qt {

QtHelpViewer::QtHelpViewer(Folders folders) : folders_(std::move(folders)) {}

QtHelpViewer::~QtHelpViewer() = default;

std::vector<std::string> QtHelpViewer::DefaultFolders() {
  QString programDir = QCoreApplication::applicationDirPath();
  // The installed folder as configured, then the same folder relative to the program, for an
  // installation moved to another prefix.
  return {QDir::currentPath().toStdString(), programDir.toStdString(), QUILLET_HELP_DIR,
          QDir::cleanPath(programDir + QStringLiteral("/../share/quillet")).toStdString()};
}

bool QtHelpViewer::ShowHelp(const std::string& fileName, int topic) {
  std::string path = FindHelpFile(fileName, folders_());
  if (path.empty()) return false;

  if (!browser_) {
    browser_ = std::make_unique<QTextBrowser>();
    browser_->setWindowTitle(QStringLiteral("Quillet Help"));
    browser_->setWindowIcon(ProgramIcon());
    browser_->setOpenExternalLinks(true);
    browser_->resize(720, 640);
  }
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
  if (topic != 0) url.setFragment(QString::number(topic));
  browser_->setSource(url, QTextDocument::HtmlResource);
  if (topic == 0) browser_->verticalScrollBar()->setValue(0);

  browser_->show();
  browser_->raise();
  browser_->activateWindow();
  return true;
}

}  // namespace quillet::qt
