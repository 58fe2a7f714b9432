#include "builder/convert/packing.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include "builder/convert/test/test_support.h"
#include "common/system_reason.h"

namespace builder {
namespace {

using testing::Exists;
using testing::Hex;
using testing::ReadBytes;
using testing::RecordingReporter;
using testing::ScratchDir;
using testing::WriteBytes;

// Unpacks with zlib's own gzip reader; false when the stream is broken (CRC, length, truncation).
bool Unpack(const std::string& path, std::string& data) {
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  data.clear();
  char block[4096];
  int got;
  while ((got = gzread(file, block, sizeof block)) > 0) data.append(block, got);
  return gzclose(file) == Z_OK && got == 0;
}

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7919) >> 3);
  return bytes;
}

class PackFileTest : public ::testing::Test {
 protected:
  ScratchDir dir_;
  std::string source_ = dir_.File("book.db");
  std::string target_ = dir_.File("book.fdb");
  RecordingReporter reporter_;
};

TEST_F(PackFileTest, OneGzipMemberWithOurHeaderAndBlockProgress) {
  const std::string data = Pattern(2 * 16384 + 100);
  WriteBytes(source_, data);
  ASSERT_TRUE(PackFile(source_, target_, "wb", reporter_).ok());
  const std::string packed = ReadBytes(target_);
  EXPECT_EQ(packed.substr(0, 10), Hex("1F 8B 08 00 00 00 00 00 00 0B"));
  std::string unpacked;
  ASSERT_TRUE(Unpack(target_, unpacked));
  EXPECT_EQ(unpacked, data);
  EXPECT_EQ(reporter_.statuses,
            (std::vector<std::string>{"Упаковка: 16384", "Упаковка: 32768", "Упаковка: 32868"}));
  // Trailer: CRC-32 and length of the input, little-endian.
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(data.data()), data.size());
  EXPECT_EQ(packed.substr(packed.size() - 8, 4),
            std::string({char(crc), char(crc >> 8), char(crc >> 16), char(crc >> 24)}));
}

TEST_F(PackFileTest, EmptySourceGivesCompleteEmptyMember) {
  WriteBytes(source_, "");
  ASSERT_TRUE(PackFile(source_, target_, "wb", reporter_).ok());
  std::string unpacked = "x";
  ASSERT_TRUE(Unpack(target_, unpacked));
  EXPECT_EQ(unpacked, "");
  EXPECT_TRUE(reporter_.statuses.empty());
  EXPECT_EQ(ReadBytes(target_).substr(ReadBytes(target_).size() - 8), std::string(8, '\0'));
}

TEST_F(PackFileTest, ExistingTargetIsOverwritten) {
  WriteBytes(target_, std::string(100000, 'z'));
  WriteBytes(source_, "abc");
  ASSERT_TRUE(PackFile(source_, target_, "wb", reporter_).ok());
  std::string unpacked;
  ASSERT_TRUE(Unpack(target_, unpacked));
  EXPECT_EQ(unpacked, "abc");
}

TEST_F(PackFileTest, MissingSourceCreatesNoTargetAndSaysWhy) {
  const Status packed = PackFile(dir_.File("missing.db"), target_, "wb", reporter_);
  EXPECT_FALSE(Exists(target_));
  EXPECT_EQ(packed.kind(), StatusKind::kNoInput);
  EXPECT_EQ(packed.message(), "Не могу открыть файл для упаковки - " + dir_.File("missing.db") +
                                  ": " + SystemReason(ENOENT));
}

TEST_F(PackFileTest, TargetThatCannotBeCreatedIsReported) {
  WriteBytes(source_, "abc");
  const std::string target = dir_.File("no/such/dir/book.fdb");
  const Status packed = PackFile(source_, target, "wb", reporter_);
  EXPECT_EQ(packed.kind(), StatusKind::kNoOutput);
  EXPECT_EQ(packed.message(),
            "Не удалось создать упакованный файл - " + target + ": " + SystemReason(ENOENT));
}

// A source that fails while being read: the packing ends with a message, the program goes on
// and no half-written target remains.
class FailingSource : public ByteSource {
 public:
  StatusOr<std::size_t> Read(char* buffer, std::size_t size) override {
    if (reads_++ == 0) {
      std::fill(buffer, buffer + size, 'a');
      return size;
    }
    return Status::Error("Input/output error");
  }

 private:
  int reads_ = 0;
};

TEST_F(PackFileTest, ReadErrorEndsThePackingWithAMessage) {
  FailingSource source;
  gzFile gzip = gzopen(target_.c_str(), "wb");
  ASSERT_NE(gzip, nullptr);
  const Status copied = CopyToGzip(source, gzip, source_, target_, reporter_);
  EXPECT_EQ(copied.kind(), StatusKind::kNoInput);
  EXPECT_EQ(copied.message(),
            "Ошибка чтения файла при упаковке - " + source_ + ": Input/output error");
  EXPECT_EQ(reporter_.statuses, std::vector<std::string>{"Упаковка: 16384"});
}

// Lowers the largest file this process may write, so writes past it fail (EFBIG).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_signal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previous_signal_);
  }

 private:
  rlimit previous_{};
  void (*previous_signal_)(int) = nullptr;
};

TEST_F(PackFileTest, WriteFailureRemovesTheBrokenTarget) {
  std::string data(300000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 2654435761u >> 13);
  WriteBytes(source_, data);
  Status packed = Status::Ok();
  {
    FileSizeLimit limit(4096);
    packed = PackFile(source_, target_, "wb", reporter_);
  }
  EXPECT_EQ(packed.kind(), StatusKind::kNoOutput);
  EXPECT_NE(packed.message(), "");
  EXPECT_FALSE(Exists(target_));
  EXPECT_TRUE(Exists(source_));
}

}  // namespace
}  // namespace builder
