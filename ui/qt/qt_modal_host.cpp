#include "ui/qt/qt_modal_host.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

#include "platform/window.h"
#include "ui/dialog_templates.h"
#include "ui/help_topics.h"
#include "ui/import_dlg.h"
#include "ui/qt/message_box.h"
#include "ui/qt/name_only_icon_provider.h"

namespace quillet::qt {

namespace {

// The Save As dialog through the window seam. None of its controls are ours; it only owns the
// message that F1 shows when the help file is missing.
class FileDialogWindow : public Window {
 public:
  explicit FileDialogWindow(QWidget* dialog) : dialog_(dialog) {}

  std::string GetControlText(int) const override { return {}; }
  void SetControlText(int, const std::string&) override {}
  int GetCheck(int) const override { return 0; }
  void SetCheck(int, int) override {}
  void EnableControl(int, bool) override {}
  void SetComboItems(int, const std::vector<std::string>&) override {}
  int GetComboSelection(int) const override { return -1; }
  void SetComboSelection(int, int) override {}
  void SetTable(int, const TableContent&) override {}
  void SetClipboardText(const std::string& text) override {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  }
  void FocusAndSelect(int) override {}
  void FocusAtEnd(int) override {}
  void MessageBox(const std::string& text, const std::string& caption = {}) override {
    ShowMessageBox(dialog_, text, caption);
  }

 private:
  QWidget* dialog_;
};

}  // namespace

std::unique_ptr<QtDialogWindow> QtModalHost::Open(Dialog& dialog, QWidget* parent) {
  const DialogTemplate* tmpl = FindDialogTemplate(dialog.TemplateId());
  if (!tmpl) return nullptr;
  auto window = std::make_unique<QtDialogWindow>(dialog, *tmpl, open_, parent);
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
  // F1 opens the Save As topic, as it opens each window's own topic elsewhere: the open windows'
  // dialogs are asked as if this one had been built from a template of that number.
  FileDialogWindow asWindow(&dialog);
  QShortcut help(QKeySequence(Qt::Key_F1), &dialog);
  QObject::connect(&help, &QShortcut::activated, &dialog,
                   [this, &asWindow] { open_.HelpKey(asWindow, kSaveAsHelpId); });
  int code = dialog.exec();
  if (QtDialogWindow* owner = TopWindow()) owner->activateWindow();
  if (code != QDialog::Accepted) return std::nullopt;
  QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QFileInfo(files.first()).absoluteFilePath().toStdString();
}

// Qt's own dialog, as for Save As, so that listing a folder never reads a file. Several files may
// be chosen; each is read only once the dialog has closed.
std::vector<std::string> QtModalHost::RunOpenFiles(const std::string& caption,
                                                   const std::string& folder) {
  NameOnlyIconProvider icons;
  QFileDialog dialog(TopWindow(), QString::fromStdString(caption));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setIconProvider(&icons);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (!folder.empty()) dialog.setDirectory(QString::fromStdString(folder));
  if (TopWindow()) dialog.setWindowModality(Qt::WindowModal);
  // F1 opens the import's topic, which also tells what files are read.
  FileDialogWindow asWindow(&dialog);
  QShortcut help(QKeySequence(Qt::Key_F1), &dialog);
  QObject::connect(&help, &QShortcut::activated, &dialog,
                   [this, &asWindow] { open_.HelpKey(asWindow, CImportDlg::kTemplateId); });
  int code = dialog.exec();
  if (QtDialogWindow* owner = TopWindow()) owner->activateWindow();
  std::vector<std::string> paths;
  if (code != QDialog::Accepted) return paths;
  for (const QString& file : dialog.selectedFiles()) {
    paths.push_back(QFileInfo(file).absoluteFilePath().toStdString());
  }
  return paths;
}

// A box like the program's other messages, without an icon, with one button per answer; the
// last button is the one Escape and the close box press.
std::optional<int> QtModalHost::Ask(const std::string& text, const std::string& caption,
                                    std::span<const std::string> buttons) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::NoButton, TopWindow());
  box.setTextFormat(Qt::PlainText);
  std::vector<QAbstractButton*> added;
  for (const std::string& label : buttons) {
    added.push_back(box.addButton(QString::fromStdString(label), QMessageBox::AcceptRole));
  }
  if (!added.empty()) {
    box.setDefaultButton(static_cast<QPushButton*>(added.front()));
    box.setEscapeButton(added.back());
  }
  if (TopWindow()) box.setWindowModality(Qt::WindowModal);
  box.exec();
  if (QtDialogWindow* owner = TopWindow()) owner->activateWindow();
  for (std::size_t i = 0; i < added.size(); ++i) {
    if (box.clickedButton() == added[i]) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace quillet::qt
