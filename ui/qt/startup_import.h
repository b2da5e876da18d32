#pragma once

#include <QStringList>

namespace quillet {
class CQuilletDlg;
}

namespace quillet::qt {

class QtModalHost;

// Imports the files named on the command line (`quillet a.txt b.txt`) as soon as the main
// window is up, as if they had been dropped on it. Nothing happens for an empty list.
void ImportAtStart(QtModalHost& host, CQuilletDlg& dialog, const QStringList& files);

}  // namespace quillet::qt
