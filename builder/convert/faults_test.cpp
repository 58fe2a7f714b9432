// The conversions and the packing when writing or reading fails: a full disk, a device that is
// always full, a read-only folder, an input that vanished or cannot be read. Each ends with a
// clear message and a failure result, and nothing the user had is lost: the input stays as it
// was, and a database that could not be packed is kept.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "builder/convert/byte_io.h"
#include "builder/convert/messages.h"
#include "builder/convert/packing.h"
#include "builder/convert/phone_book.h"
#include "builder/convert/run_conversion.h"
#include "builder/convert/table_database.h"
#include "builder/convert/test/test_support.h"
#include "common/system_reason.h"
#include "common/test/small_disk.h"
#include "format/phone_book_layout.h"

namespace builder {
namespace {

namespace fs = std::filesystem;
using testing::Exists;
using testing::FieldLines;
using testing::ReadBytes;
using testing::RecordingReporter;
using testing::ScratchDir;
using testing::SourceFile;
using testing::WriteBytes;
using testing_support::SmallDisk;

// A two-field source file of `records` data lines, about 25 bytes each.
std::string Book(int records) {
  std::string data;
  for (int i = 1; i <= records; ++i) data += "Ivanov Petr;" + std::to_string(100000 + i) + "\r\n";
  FieldLines name;
  name.name = "Name";
  FieldLines number;
  number.name = "Number";
  number.type = 2;
  number.size = 4;
  return SourceFile({name, number}, data);
}

std::string PhoneList(int records) {
  std::string text;
  for (int i = 0; i < records; ++i) text += "555;Ivanov;Petr;Sales;Room 4\r\n";
  return text;
}

// A complete phone book of about `size` bytes whose texts do not compress, so that its packed
// copy is about as large as it is.
std::string IncompressibleDatabase(std::size_t size) {
  std::mt19937 random(7);
  std::string records;
  std::uint32_t count = 0;
  while (records.size() < size) {
    std::string record(1, '\0');
    for (int field = 0; field < 4; ++field) {
      for (int i = 0; i < 62; ++i) record += static_cast<char>(1 + random() % 255);
      record += '\0';
    }
    record[0] = static_cast<char>(record.size());
    records += record;
    ++count;
  }
  const auto header = format::EncodePhoneBookHeader({static_cast<std::uint32_t>(count), 0, ""});
  return std::string(header.data(), header.size()) + records + "\xFF\xFF";
}

bool IsCompleteTableDatabase(const std::string& bytes) {
  return bytes.size() > format::kDbHeaderSize && bytes.compare(0, 4, "BRWK") == 0 &&
         bytes.compare(bytes.size() - 2, 2, "\xFF\xFF") == 0;
}

TEST(FileSinkFaults, BytesThatNeverReachTheFileFailTheClose) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  FileSink sink("/dev/full");
  ASSERT_TRUE(sink.is_open());
  EXPECT_TRUE(sink.Write("held in the buffer").ok());  // nothing has reached the device yet
  const Status closed = sink.Close();
  EXPECT_EQ(closed.kind(), StatusKind::kNoOutput);
  EXPECT_FALSE(closed.message().empty());
  EXPECT_FALSE(sink.Write("more").ok());  // a closed sink never pretends to write
}

// The header that marks a database complete is written last, at offset 0, where the disk has
// room already: after a failed write it must never reach the file.
TEST(FileSinkFaults, NothingIsWrittenAfterAFailure) {
  SmallDisk disk(4096);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  const std::string path = disk.Path("book.db");
  WriteBytes(path, std::string(4096, 'a'));  // takes the one page
  {
    FileSink sink(path);  // empties the file: the page is free again, and nothing else is
    ASSERT_TRUE(sink.is_open());
    EXPECT_FALSE(sink.Write(std::string(3 * 4096, 'b')).ok());  // one page of it fits
    EXPECT_FALSE(sink.WriteAt(0, "BRWK").ok());
    EXPECT_FALSE(sink.Write("more").ok());
    EXPECT_FALSE(sink.Close().ok());
  }
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.substr(0, 4), "bbbb");
  EXPECT_EQ(bytes.find("BRWK"), std::string::npos);
  EXPECT_EQ(bytes.find("more"), std::string::npos);
}

// 3 records stay in the write buffer until the file is closed; 3000 fail while converting. The
// converter gives the system's reason; the run names the file the user asked for.
TEST(ConversionFaults, ADatabaseThatCannotBeWrittenFailsWithTheOutputsName) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  for (const int records : {3, 3000}) {
    SCOPED_TRACE(records);
    ScratchDir dir;
    const std::string book = dir.File("book.fsr");
    WriteBytes(book, Book(records));
    RecordingReporter table;
    const ConversionResult direct = ConvertSourceFile(book, "/dev/full", table);
    EXPECT_EQ(direct.kind(), StatusKind::kNoOutput);
    EXPECT_EQ(direct.message(), SystemReason(ENOSPC));

    const std::string list = dir.File("list.txt");
    WriteBytes(list, PhoneList(records));
    RecordingReporter phones;
    EXPECT_EQ(ConvertPhoneBook(list, "/dev/full", "Phones", ';', 3, phones).message(),
              SystemReason(ENOSPC));

    fs::create_symlink("/dev/full", dir.File("book.db"));
    RecordingReporter run;
    ConversionRequest request;
    request.path = book;
    request.keep_intermediate = request.replace_kept = true;
    const ConversionResult converted = RunConversion(request, run);
    EXPECT_EQ(converted.kind(), StatusKind::kNoOutput);
    EXPECT_EQ(converted.message(),
              messages::WriteFailed(dir.File("book.db"), SystemReason(ENOSPC)));
    EXPECT_TRUE(converted.general_follows);
    EXPECT_EQ(ReadBytes(book), Book(records));
  }
}

TEST(ConversionFaults, AFullDiskStopsBothConversionsWithAMessage) {
  SmallDisk disk(16 * 1024);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  ScratchDir dir;
  const std::string book = dir.File("book.fsr");
  WriteBytes(book, Book(3000));
  const std::string list = dir.File("list.txt");
  WriteBytes(list, PhoneList(3000));
  disk.Fill();

  RecordingReporter table;
  EXPECT_EQ(ConvertSourceFile(book, disk.Path("book.db"), table).message(), SystemReason(ENOSPC));
  RecordingReporter phones;
  EXPECT_EQ(ConvertPhoneBook(list, disk.Path("list.db"), "Phones", ';', 3, phones).message(),
            SystemReason(ENOSPC));
  EXPECT_EQ(ReadBytes(book), Book(3000));
  EXPECT_EQ(ReadBytes(list), PhoneList(3000));
}

TEST(ConversionFaults, AReadOnlyFolderGivesNoOutputAndTheSystemsReason) {
  SmallDisk disk(64 * 1024);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  const std::string book = disk.Path("book.fsr");
  WriteBytes(book, Book(20));
  ASSERT_TRUE(disk.MakeReadOnly());

  RecordingReporter direct;
  EXPECT_EQ(ConvertSourceFile(book, disk.Path("book.db"), direct).kind(), StatusKind::kNoOutput);
  EXPECT_EQ(ConvertPhoneBook(book, disk.Path("list.db"), "Phones", ';', 3, direct).kind(),
            StatusKind::kNoOutput);

  RecordingReporter run;
  ConversionRequest request;
  request.path = book;
  const ConversionResult converted = RunConversion(request, run);
  EXPECT_EQ(converted.kind(), StatusKind::kNoOutput);
  EXPECT_EQ(converted.message(), messages::DatabaseNotCreated(fs::path(book).parent_path().string(),
                                                              SystemReason(EROFS)));
  EXPECT_TRUE(converted.general_follows) << "the reason, then the general message";
  EXPECT_FALSE(Exists(disk.Path("book.fdb")));
  EXPECT_EQ(ReadBytes(book), Book(20));
}

TEST(ConversionFaults, AnInputThatVanishedOrCannotBeReadIsReported) {
  ScratchDir dir;
  RecordingReporter gone;
  ConversionRequest request;
  request.path = dir.File("gone.fsr");
  const ConversionResult converted = RunConversion(request, gone);
  EXPECT_EQ(converted.kind(), StatusKind::kError);
  EXPECT_FALSE(Exists(dir.File("gone.db")));
  EXPECT_FALSE(Exists(dir.File("gone.fdb")));
  EXPECT_TRUE(converted.general_follows);

  // A folder opens for reading but every read of it fails.
  const std::string folder = dir.File("folder.fsr");
  fs::create_directory(folder);
  RecordingReporter unreadable;
  const ConversionResult read = ConvertSourceFile(folder, dir.File("folder.db"), unreadable);
  EXPECT_EQ(read.kind(), StatusKind::kError);
  EXPECT_EQ(read.message(), messages::ReadFailed(folder, SystemReason(EISDIR)));
}

TEST(PackingFaults, APackedFileThatCannotBeWrittenKeepsTheDatabase) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  ScratchDir dir;
  const std::string book = dir.File("book.fsr");
  WriteBytes(book, Book(3000));
  // The target name leads to a device on which every write fails.
  fs::create_symlink("/dev/full", dir.File("book.fdb"));

  RecordingReporter reporter;
  ConversionRequest request;
  request.path = book;
  request.keep_intermediate = true;
  const ConversionResult converted = RunConversion(request, reporter);
  EXPECT_EQ(converted.kind(), StatusKind::kNoOutput);
  EXPECT_STREQ(converted.caption, kCaptionPackError);
  EXPECT_NE(reporter.statuses.back(), "Готово");
  EXPECT_TRUE(IsCompleteTableDatabase(ReadBytes(dir.File("book.db"))))
      << "the database asked to be kept is complete, packed or not";
  EXPECT_TRUE(fs::is_character_file("/dev/full")) << "a device is never removed";
}

TEST(PackingFaults, AFullDiskKeepsTheUsersDatabaseAndLeavesNoBrokenPackedFile) {
  SmallDisk disk(64 * 1024);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  const std::string database = disk.Path("user.db");
  const std::string bytes = IncompressibleDatabase(40 * 1024);
  WriteBytes(database, bytes);

  RecordingReporter reporter;
  ConversionRequest request;
  request.path = database;
  const ConversionResult converted = RunConversion(request, reporter);
  EXPECT_EQ(converted.kind(), StatusKind::kNoOutput);
  EXPECT_STREQ(converted.caption, kCaptionPackError);
  EXPECT_EQ(ReadBytes(database), bytes);
  EXPECT_FALSE(Exists(disk.Path("user.zdb")));
}

TEST(PackingFaults, AReadErrorEndsThePackingWithAMessageNotTheProgram) {
  ScratchDir dir;
  const std::string folder = dir.File("folder.db");
  fs::create_directory(folder);
  RecordingReporter reporter;
  EXPECT_EQ(PackFile(folder, dir.File("folder.zdb"), "wb", reporter).message(),
            messages::PackReadFailed(folder, SystemReason(EISDIR)));
  EXPECT_FALSE(Exists(dir.File("folder.zdb")));

  const Status missing = PackFile(dir.File("gone.db"), dir.File("gone.zdb"), "wb", reporter);
  EXPECT_EQ(missing.kind(), StatusKind::kNoInput);
  EXPECT_FALSE(Exists(dir.File("gone.zdb")));
}

}  // namespace
}  // namespace builder
