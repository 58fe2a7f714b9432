// Saving when writing fails: a full disk, a device that is always full, a read-only folder and an
// opened file that vanished. Each save ends with a clear message, and the opened file (or its
// ".BAK" backup) still holds every data line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "common/system_reason.h"
#include "common/test/scratch_folder.h"
#include "common/test/small_disk.h"
#include "designer/model/csv_import.h"
#include "designer/model/source_file.h"
#include "designer/model/test/fake_window.h"

namespace designer {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::SmallDisk;
using testing_support::WriteBytes;

// A CSV export of `records` data lines after a line of names, about 24 bytes a line.
std::string CsvText(int records) {
  std::string text = "id;name;phone\r\n";
  for (int i = 1; i <= records; ++i) text += std::to_string(1000 + i) + ";Ivanov Petr;2-15-47\r\n";
  return text;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class SaveFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override { view_.database_name = "Staff"; }

  std::string PathOf(const std::string& name) const { return scratch_.File(name); }

  // Writes a CSV file of `records` data lines at `path` and opens it as the designer does.
  Document OpenCsv(const std::string& path, int records) {
    WriteBytes(path, CsvText(records));
    Document doc;
    EXPECT_TRUE(LoadCSV(doc, path, view_).ok());
    return doc;
  }

  // The save must fail with an input/output error whose message names `file` and the reason.
  void ExpectFailure(const Status& status, const std::string& file, int error_number) {
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.refusal()) << status.message();
    EXPECT_TRUE(Contains(status.message(), file)) << status.message();
    EXPECT_TRUE(Contains(status.message(), SystemReason(error_number))) << status.message();
  }

  testing_support::ScratchFolder scratch_;
  FakeWindow view_;
};

TEST_F(SaveFaultsTest, SavingOverTheOpenedCsvOnAFullDiskPutsItBack) {
  SmallDisk disk(64 * 1024);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  const std::string csv = disk.Path("staff.csv");
  Document doc = OpenCsv(csv, 1800);  // about 43 KB: a second copy does not fit
  const std::string before = ReadBytes(csv);

  const Status status = SaveFSR(doc, csv, view_);

  ExpectFailure(status, "staff.csv", ENOSPC);
  EXPECT_EQ(ReadBytes(csv), before);
  EXPECT_FALSE(fs::exists(csv + ".BAK"));
  EXPECT_EQ(doc.RecordCount, 1800);
  EXPECT_FALSE(doc.SourceIsFsr);
  EXPECT_EQ(doc.SourceFileName, csv);
}

TEST_F(SaveFaultsTest, SavingOverTheOpenedSourceFileOnAFullDiskPutsItBack) {
  SmallDisk disk(128 * 1024);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  const std::string book = disk.Path("staff.fsr");
  Document from_csv = OpenCsv(PathOf("staff.csv"), 1500);
  ASSERT_TRUE(SaveFSR(from_csv, book, view_).ok());
  WriteBytes(book + ".BAK", "an older backup\r\n");

  Document doc;
  ASSERT_TRUE(LoadFSR(doc, book, view_).ok());
  const std::string before = ReadBytes(book);
  disk.Fill();
  const Status status = SaveFSR(doc, book, view_);

  ExpectFailure(status, "staff.fsr", ENOSPC);
  EXPECT_EQ(ReadBytes(book), before) << "the opened file must come back whole";
  EXPECT_EQ(doc.RecordCount, 1500);
  EXPECT_EQ(doc.HeaderLineCount, WrittenHeaderLines(3));
}

TEST_F(SaveFaultsTest, SavingElsewhereOnAFullDiskLeavesTheOpenedFileAndTheOldTarget) {
  SmallDisk disk(16 * 1024);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  const std::string csv = PathOf("staff.csv");
  Document doc = OpenCsv(csv, 1000);
  const std::string before = ReadBytes(csv);
  WriteBytes(disk.Path("copy.fsr"), "an older copy\r\n");
  disk.Fill();

  const Status status = SaveFSR(doc, disk.Path("copy.fsr"), view_);

  ExpectFailure(status, "copy.fsr", ENOSPC);
  EXPECT_EQ(ReadBytes(disk.Path("copy.fsr")), "an older copy\r\n");
  EXPECT_EQ(
      std::distance(fs::directory_iterator(fs::path(disk.Path("copy.fsr")).parent_path()), {}), 3)
      << "the old copy and the two fillers only: no part of the new file is left";
  EXPECT_EQ(ReadBytes(csv), before);
  EXPECT_EQ(doc.RecordCount, 1000);
  EXPECT_EQ(doc.SourceFileName, csv);
}

TEST_F(SaveFaultsTest, SavingToADeviceThatIsAlwaysFullFails) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const std::string csv = PathOf("staff.csv");
  Document doc = OpenCsv(csv, 50);
  const std::string before = ReadBytes(csv);

  const Status status = SaveFSR(doc, "/dev/full", view_);

  ExpectFailure(status, "/dev/full", ENOSPC);
  EXPECT_EQ(ReadBytes(csv), before);
  EXPECT_EQ(doc.RecordCount, 50);
}

TEST_F(SaveFaultsTest, SavingInAReadOnlyFolderTouchesNothing) {
  SmallDisk disk(64 * 1024);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  const std::string csv = disk.Path("staff.csv");
  Document doc = OpenCsv(csv, 100);
  const std::string before = ReadBytes(csv);
  ASSERT_TRUE(disk.MakeReadOnly());

  // Over the opened file: the new file cannot be created beside it.
  Status status = SaveFSR(doc, csv, view_);
  ExpectFailure(status, "staff.csv", EROFS);
  EXPECT_EQ(ReadBytes(csv), before);

  // Beside it: the target cannot be created.
  status = SaveFSR(doc, disk.Path("staff.fsr"), view_);
  ExpectFailure(status, "staff.fsr", EROFS);
  EXPECT_FALSE(fs::exists(disk.Path("staff.fsr")));
  EXPECT_EQ(ReadBytes(csv), before);
}

TEST_F(SaveFaultsTest, AnOpenedFileDeletedBeforeTheSaveGivesAMessageAndNoFile) {
  // Saved over its own name: there is nothing to copy the data lines from.
  const std::string csv = PathOf("staff.csv");
  Document doc = OpenCsv(csv, 10);
  fs::remove(csv);
  Status status = SaveFSR(doc, csv, view_);
  ExpectFailure(status, "staff.csv", ENOENT);
  EXPECT_FALSE(fs::exists(csv));
  EXPECT_FALSE(fs::exists(csv + ".BAK"));

  // An opened source file saved elsewhere: the target is not even created.
  const std::string book = PathOf("book.fsr");
  doc = OpenCsv(csv, 10);
  ASSERT_TRUE(SaveFSR(doc, book, view_).ok());
  Document opened;
  ASSERT_TRUE(LoadFSR(opened, book, view_).ok());
  fs::remove(book);
  status = SaveFSR(opened, PathOf("copy.fsr"), view_);
  ExpectFailure(status, "book.fsr", ENOENT);
  EXPECT_FALSE(fs::exists(PathOf("copy.fsr")));
  EXPECT_EQ(opened.RecordCount, 10);
}

}  // namespace
}  // namespace designer
