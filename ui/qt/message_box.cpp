#include "ui/qt/message_box.h"

#include <QMessageBox>

#include "ui/program_name.h"
#include "ui/qt/program_icon.h"

namespace quillet::qt {

void ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption) {
  QString title = QString::fromStdString(caption.empty() ? std::string(kProgramName) : caption);
  QMessageBox box(QMessageBox::NoIcon, title, QString::fromStdString(text), QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.setWindowIcon(ProgramIcon());
  box.setWindowModality(Qt::WindowModal);
  box.exec();
  // Not every window manager gives the activation back to the owner of a closed box.
  if (owner) owner->activateWindow();
}

}  // namespace quillet::qt
