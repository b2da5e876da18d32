#include "ui/qt/qt_help_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
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
  // installation moved to another prefix, then a macOS bundle's resources.
  return {QDir::currentPath().toStdString(), programDir.toStdString(), QUILLET_HELP_DIR,
          QDir::cleanPath(programDir + QStringLiteral("/../share/quillet")).toStdString(),
          QDir::cleanPath(programDir + QStringLiteral("/../Resources")).toStdString()};
}

// Wide enough for the widest lines of the example report (about 850 pixels in the help's fixed
// font) and most of a screen's height, within the screen it opens on; on a smaller screen those
// lines wrap.
QSize QtHelpViewer::DefaultSize() const {
  QSize size(900, 700);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableSize() * 9 / 10);
  }
  return size;
}

bool QtHelpViewer::ShowHelp(const std::string& fileName, int topic) {
  std::string path = FindHelpFile(fileName, folders_());
  if (path.empty()) return false;

  if (!browser_) {
    browser_ = std::make_unique<QTextBrowser>();
    browser_->setWindowTitle(QStringLiteral("Quillet Help"));
    browser_->setWindowIcon(ProgramIcon());
    browser_->setOpenExternalLinks(true);
    // Lines wrap at the window's edge, so nothing needs a sideways scroll bar; the default
    // width leaves the widest lines of the report example whole on most screens.
    browser_->setLineWrapMode(QTextEdit::WidgetWidth);
    browser_->resize(DefaultSize());
    // A window of its own closes from the keyboard like any document window. Each key is
    // bound once: two shortcuts on one key would cancel each other out.
    QList<QKeySequence> closeKeys = {QKeySequence(Qt::Key_Escape),
                                     QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Close)) {
      if (!closeKeys.contains(keys)) closeKeys.append(keys);
    }
    for (const QKeySequence& keys : closeKeys) {
      auto* shortcut = new QShortcut(keys, browser_.get());
      QObject::connect(shortcut, &QShortcut::activated, browser_.get(), &QWidget::close);
    }
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
