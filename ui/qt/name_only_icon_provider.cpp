#include "ui/qt/name_only_icon_provider.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>

namespace quillet::qt {

// The overloads taking a file name look at the name alone; those taking a QFileInfo would open
// the file.
QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  if (info.isRoot()) return icon(Drive);
  if (info.isDir()) return icon(Folder);
  QMimeType mime = mimeTypes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
  QIcon themed = QIcon::fromTheme(mime.iconName());
  if (themed.isNull()) themed = QIcon::fromTheme(mime.genericIconName());
  return themed.isNull() ? icon(File) : themed;
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  // Folders, links and special files are told apart by the listing alone.
  if (!info.isFile()) return QFileIconProvider::type(info);
  QMimeType mime = mimeTypes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
  if (mime.isDefault() || mime.comment().isEmpty()) {
    return QCoreApplication::translate("QAbstractFileIconProvider", "File");
  }
  return mime.comment();
}

}  // namespace quillet::qt
