#include "report/report_writer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "platform/locked_file.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quillet {
namespace {

using testing::ReadTextFile;
using testing::TempDir;
using namespace std::chrono_literals;

// How the writer starts a text: emptying the file, setting a header block off from what the
// file holds, appending as it stands, or, for a text that continues this writer's last one
// when another program has added to the file since, with a header block of its own.
TEST(ReportWriterTest, StartsTheTextAsAsked) {
  struct Row {
    const char* name;
    const char* before;  // null: no file
    bool replace, headerBlock;
    std::string continues, otherwise;
    const char* after;
  };
  const Row rows[] = {
      {"NewFile", nullptr, false, true, "", "", "TEXT"},
      {"EmptyFileHeaderBlock", "", false, true, "", "", "TEXT"},
      {"HeaderBlockAfterText", "old", false, true, "", "", "old\n\n\nTEXT"},
      {"LaterAnalysis", "old", false, false, "", "", "oldTEXT"},
      {"Replace", "old", true, true, "", "", "TEXT"},
      // A later analysis continues only what this writer added last.
      {"ContinuesItsOwnText", "old MINE", false, false, " MINE", "BLOCK", "old MINETEXT"},
      {"AnotherProgramAddedSince", "MINE SCRIPT", false, false, "MINE", "BLOCK",
       "MINE SCRIPT\n\n\nBLOCK"},
      {"FileGoneSince", nullptr, false, false, "MINE", "BLOCK", "BLOCK"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    const std::string path = dir.File("r.txt");
    if (row.before) testing::WriteWholeFile(path, row.before);
    const ReportWrite how{row.replace, row.headerBlock, row.continues,
                          [&row] { return row.otherwise; }};
    EXPECT_EQ(WriteReport(path, "TEXT", how), std::nullopt);
    EXPECT_EQ(ReadTextFile(path), row.after);
  }
}

// While another holder has the file locked, a writer waits for it and never lands inside what
// the holder writes; a holder that does not let go makes the writer give up with a message.
TEST(ReportWriterTest, WaitsForTheLockAndGivesUpOnAStuckHolder) {
  TempDir dir;
  const std::string path = dir.File("r.txt");
  LockedFile holder;
  ASSERT_TRUE(holder.Open(path, 0ms));
  ASSERT_TRUE(holder.Append("holder starts "));

  LockedFile impatient;
  EXPECT_FALSE(impatient.Open(path, 50ms));
  EXPECT_EQ(impatient.Error(), kFileLockedReason);

  auto writer = std::async(std::launch::async, [&path] {
    return WriteReport(path, "WRITER", {false, true, "", nullptr});
  });
  EXPECT_EQ(writer.wait_for(100ms), std::future_status::timeout);
  ASSERT_TRUE(holder.Append("and ends"));
  ASSERT_TRUE(holder.Close());
  EXPECT_EQ(writer.get(), std::nullopt);
  EXPECT_EQ(ReadTextFile(path), "holder starts and ends\n\n\nWRITER");
}

#if !defined(_WIN32)
// Two programs adding to one report at the same time: every analysis arrives whole, each set
// off from the one before, none inside another.
TEST(ReportWriterTest, TwoProcessesNeverInterleave) {
  TempDir dir;
  const std::string path = dir.File("r.txt");
  constexpr int kEach = 150;
  // A long, many-line text per process, so that a write cut in two would show.
  auto block = [](char who) {
    std::string text = "Analysis by ";
    text += who;
    for (int line = 0; line < 200; ++line) text += "\n" + std::string(60, who);
    return text + "\nend " + who;
  };
  pid_t children[2];
  for (int i = 0; i < 2; ++i) {
    const char who = static_cast<char>('A' + i);
    children[i] = fork();
    ASSERT_GE(children[i], 0);
    if (children[i] == 0) {
      const std::string text = block(who);
      for (int n = 0; n < kEach; ++n) {
        if (WriteReport(path, text, {false, true, "", nullptr})) _exit(1);
      }
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  const std::string report = ReadTextFile(path);
  const std::string a = block('A'), b = block('B');
  int counts[2] = {0, 0};
  std::size_t at = 0;
  while (at < report.size()) {
    if (at > 0) {
      ASSERT_EQ(report.compare(at, 3, "\n\n\n"), 0) << "at " << at;
      at += 3;
    }
    const bool isA = report.compare(at, a.size(), a) == 0;
    ASSERT_TRUE(isA || report.compare(at, b.size(), b) == 0) << "a broken analysis at " << at;
    ++counts[isA ? 0 : 1];
    at += isA ? a.size() : b.size();
  }
  EXPECT_EQ(counts[0], kEach);
  EXPECT_EQ(counts[1], kEach);
}
#endif

}  // namespace
}  // namespace quillet
