#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <set>
#include <string>

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

#include "gui_driver.h"

#ifdef __linux__
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillet::qt::testing {
namespace {

#ifdef __linux__

// Names of the entries of one folder that anyone opened or read, as the kernel reports it.
class OpenWatch {
 public:
  explicit OpenWatch(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ >= 0) {
      inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN | IN_ACCESS);
    }
  }
  ~OpenWatch() {
    if (fd_ >= 0) close(fd_);
  }
  bool ok() const { return fd_ >= 0; }

  std::set<std::string> EntriesTouched() {
    std::set<std::string> names;
    alignas(inotify_event) char buffer[8192];
    ssize_t n;
    while ((n = read(fd_, buffer, sizeof buffer)) > 0) {
      for (char* p = buffer; p < buffer + n;) {
        auto* event = reinterpret_cast<inotify_event*>(p);
        // The folder itself is read to list it; that is expected.
        if (event->len > 0 && !(event->mask & IN_ISDIR)) names.insert(event->name);
        p += sizeof(inotify_event) + event->len;
      }
    }
    return names;
  }

 private:
  int fd_;
};

struct EntryCase {
  const char* name;
  const char* fileName;
  std::function<bool(const QString& path)> make;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class SaveAsListTest : public ::testing::TestWithParam<EntryCase> {
 protected:
  MainWindowHarness ui;
};

// The Save As dialog draws its list from names and the folder listing alone. A file whose read
// never returns (/proc/kmsg for root, a pipe nobody writes to) must not be able to freeze it,
// so no file of the folder is opened at all. The dialog opens in the folder of the report
// chosen before, as it does when reopened.
TEST_P(SaveAsListTest, ListsTheFolderWithoutOpeningItsFiles) {
  const EntryCase& c = GetParam();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString entry = dir.filePath(QString::fromUtf8(c.fileName));
  ASSERT_TRUE(c.make(entry));
  // A file the dialog lists after it has looked at every entry of the folder: the listing
  // reaches the model as one batch once the folder has been gone through.
  const QString sentinel = dir.filePath("zz-listed.txt");
  ASSERT_TRUE(WriteFile(sentinel, "x"));
  OpenWatch watch(dir.path());
  ASSERT_TRUE(watch.ok());

  QString entryType;
  QString sentinelType;
  ModalScript script;
  script.Then([&](QWidget* modal) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(files, nullptr);
    auto* model = files->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    auto typeOf = [model](const QString& path) {
      return model->data(model->index(path).siblingAtColumn(2)).toString();
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          sentinelType = typeOf(sentinel);
          return !sentinelType.isEmpty();
        },
        5000));
    entryType = typeOf(entry);
    files->reject();
  });
  EXPECT_EQ(ui.host.RunSaveAs(SaveAsSettings{}, dir.filePath("report.txt").toStdString()),
            std::nullopt);
  EXPECT_TRUE(script.Done());
  EXPECT_FALSE(sentinelType.isEmpty()) << "the folder was never listed";
  EXPECT_EQ(watch.EntriesTouched(), std::set<std::string>{});
  EXPECT_NE(entryType, "PDF document") << "the type came from the file's contents";
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SaveAsListTest,
    ::testing::Values(
        // Its name says nothing, so the standard provider would read its first bytes.
        EntryCase{"FileWithoutExtension", "kmsg",
                  [](const QString& path) { return WriteFile(path, "%PDF-1.4\n"); }},
        EntryCase{"TextFile", "notes.txt",
                  [](const QString& path) { return WriteFile(path, "cytb alignment\n"); }},
        EntryCase{"Pipe", "pipe",
                  [](const QString& path) {
                    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
                  }},
        EntryCase{"LinkToAPipe", "link",
                  [](const QString& path) {
                    QString target = path + ".fifo";
                    return mkfifo(QFile::encodeName(target).constData(), 0600) == 0 &&
                           QFile::link(target, path);
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

#endif  // __linux__

}  // namespace
}  // namespace quillet::qt::testing
