#include "import/likelihood_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "import/value_list.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::TempDir;
using testing::ValueList;
using testing::WriteWholeFile;

// ASCII text as UTF-16 writes it, without a byte order mark.
std::string Utf16(const std::string& ascii, bool bigEndian) {
  std::string bytes;
  for (char c : ascii) {
    bytes += bigEndian ? '\0' : c;
    bytes += bigEndian ? c : '\0';
  }
  return bytes;
}

TEST(ReadLikelihoodText, RefusesWhatIsNotTextOrNotAKnownFormat) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"a NUL byte", std::string("Model,lnL\nJC,-1\0\n", 17), "binary data, not text"},
      {"control characters", std::string("Model,lnL\n") + std::string(20, '\x01') + "\nJC,-1\n",
       "binary data, not text"},
      {"UTF-16", std::string("\xff\xfeM\0o\0", 6), "UTF-16 text; save it as UTF-8 or plain text"},
      {"UTF-16 without a byte order mark, little-endian", Utf16("Model,lnL\nJC,-1\n", false),
       "UTF-16 text; save it as UTF-8 or plain text"},
      {"UTF-16 without a byte order mark, big-endian", Utf16("Model,lnL\nJC,-1\n", true),
       "UTF-16 text; save it as UTF-8 or plain text"},
      {"gzip", std::string("\x1f\x8b\x08\0\0\0", 6), "a gzip-compressed file; unpack it first"},
      {"zip", std::string("PK\x03\x04rest"), "a zip archive; unpack it first"},
      {"empty", "", "the file is empty"},
      {"blank", " \n\t\n", "the file is empty"},
      {"some other text", "Dear colleague,\nhere are my numbers: JC -1000.\n",
       "not a format Quillet reads (an IQ-TREE report or log, PhyML statistics, a RAxML-NG "
       "log, PAML baseml output, a PAUP* log, or a table with a model and a log-likelihood "
       "column)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.bytes, "in.txt");
    ASSERT_TRUE(file.refusal);
    EXPECT_EQ(*file.refusal, std::string("in.txt: ") + c.reason);
    EXPECT_TRUE(file.values.empty());
  }
}

TEST(ReadLikelihoodText, AllowsAFewStrayControlCharacters) {
  const FileImport file = ReadLikelihoodText(
      "Model,lnL\n\x1b[0mJC,-1\n\fK2P,-0.5\nF81,-0.75\n" + std::string(400, ' '), "in.txt");
  ASSERT_FALSE(file.refusal) << *file.refusal;
  EXPECT_EQ(ValueList(file), "K2P -0.5; F81 -0.75");
}

TEST(ReadLikelihoodFile, ReadsFilesByContentUnderAnyNameAndRefusesWhatItCannotOpen) {
  TempDir dir;
  const std::string table = "Model,lnL\nJC,-1000.5\n";
  const std::string utf8Name = dir.File(
      "donn\xc3\xa9"
      "es \xe2\x80\x93 fits.dat");
  WriteWholeFile(utf8Name, table);
  FileImport file = ReadLikelihoodFile(utf8Name);
  ASSERT_FALSE(file.refusal) << *file.refusal;
  EXPECT_EQ(ValueList(file), "JC -1000.5");
  EXPECT_EQ(file.source, utf8Name);
  EXPECT_EQ(file.values[0].source, utf8Name);

  file = ReadLikelihoodFile(dir.File("missing.iqtree"));
  ASSERT_TRUE(file.refusal);
  EXPECT_EQ(*file.refusal, dir.File("missing.iqtree") + ": no such file");

  file = ReadLikelihoodFile(dir.path().string());
  ASSERT_TRUE(file.refusal);
  EXPECT_EQ(*file.refusal, dir.path().string() + ": not a regular file");
}

TEST(ReadLikelihoodFile, RefusesAFileOverTheLimitBeforeReadingIt) {
  TempDir dir;
  const std::string big = dir.File("big.csv");
  WriteWholeFile(big, "Model,lnL\nJC,-1\n");
  // Sparse where the file system allows, so the test writes next to nothing.
  std::filesystem::resize_file(big, kMaxImportBytes + 1);
  FileImport file = ReadLikelihoodFile(big);
  ASSERT_TRUE(file.refusal);
  EXPECT_EQ(*file.refusal, big + ": larger than 64 MiB, which no output Quillet reads comes near");

  std::filesystem::resize_file(big, 16);  // "Model,lnL\nJC,-1\n" again, exactly
  file = ReadLikelihoodFile(big);
  ASSERT_FALSE(file.refusal) << *file.refusal;
  EXPECT_EQ(ValueList(file), "JC -1");
}

}  // namespace
}  // namespace quillet
