#pragma once

#include <QFileIconProvider>
#include <QMimeDatabase>

namespace quillet::qt {

// Icons and type names for the Save As dialog's list, chosen from what the folder listing
// tells (folder or file) and from each file's name, never from its contents. The standard
// provider reads the first bytes of every file whose name does not settle its type, and in a
// folder such as /proc a read can wait forever (/proc/kmsg waits for the next kernel message),
// taking the dialog with it.
class NameOnlyIconProvider : public QFileIconProvider {
 public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;

 private:
  QMimeDatabase mimeTypes_;
};

}  // namespace quillet::qt
