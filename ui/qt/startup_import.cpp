#include "ui/qt/startup_import.h"

#include <string>
#include <vector>

#include <QTimer>

#include "ui/qt/qt_dialog_window.h"
#include "ui/qt/qt_modal_host.h"
#include "ui/quillet_dlg.h"

namespace quillet::qt {

// The timer fires once the main window's loop runs, so the import dialog opens over the window
// rather than before it. Names are kept as given: they are read before anything could change
// the current folder, and the messages then name the files as the user typed them.
void ImportAtStart(QtModalHost& host, CQuilletDlg& dialog, const QStringList& files) {
  if (files.isEmpty()) return;
  std::vector<std::string> paths;
  for (const QString& file : files) paths.push_back(file.toStdString());
  QTimer::singleShot(0, [&host, &dialog, paths = std::move(paths)] {
    QtDialogWindow* window = host.TopWindow();
    if (window && &window->dialog() == &dialog) dialog.OnImport(*window, paths);
  });
}

}  // namespace quillet::qt
