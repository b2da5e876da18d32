#include "ui/qt/qt_modal_host.h"

#include <QFileDialog>
#include <QFileInfo>

#include "ui/dialog_templates.h"
#include "ui/qt/name_only_icon_provider.h"
#include "ui/qt/qt_dialog_window.h"

namespace quillet::qt {

std::unique_ptr<QtDialogWindow> QtModalHost::Open(Dialog& dialog, QWidget* parent) {
  const DialogTemplate* tmpl = FindDialogTemplate(dialog.TemplateId());
  if (!tmpl) return nullptr;
  auto window = std::make_unique<QtDialogWindow>(dialog, *tmpl, *this, parent);
  dialog.OnInitDialog(*window);
  if (!window->FocusPlaced()) window->FocusFirstTabStop();
  return window;
}

// A dialog that cannot be built ends at once with -1, as a failed creation does.
int QtModalHost::DoModal(Dialog& dialog) {
  QtDialogWindow* owner = TopWindow();
  std::unique_ptr<QtDialogWindow> window = Open(dialog, owner);
  if (!window) return -1;
  int code = window->RunModal();
  window.reset();
  // Not every window manager gives the activation back to the owner of a closed dialog.
  if (owner) owner->activateWindow();
  return code;
}

std::optional<std::string> QtModalHost::RunSaveAs(const SaveAsSettings& settings,
                                                  const std::string& lastPath) {
  // Qt's own dialog on every platform, so that its list is drawn without reading any file.
  NameOnlyIconProvider icons;
  QFileDialog dialog(TopWindow());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setIconProvider(&icons);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.overwritePrompt);
  // Opens on the file accepted last: its folder, with its name filled in.
  if (!lastPath.empty()) dialog.selectFile(QString::fromStdString(lastPath));
  if (TopWindow()) dialog.setWindowModality(Qt::WindowModal);
  int code = dialog.exec();
  if (QtDialogWindow* owner = TopWindow()) owner->activateWindow();
  if (code != QDialog::Accepted) return std::nullopt;
  QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QFileInfo(files.first()).absoluteFilePath().toStdString();
}

QtDialogWindow* QtModalHost::TopWindow() const { return open_.empty() ? nullptr : open_.back(); }

}  // namespace quillet::qt
