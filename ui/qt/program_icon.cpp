#include "ui/qt/program_icon.h"

namespace quillet::qt {

QIcon ProgramIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/quillet-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/icons/quillet-32.png"), QSize(32, 32));
  return icon;
}

}  // namespace quillet::qt
