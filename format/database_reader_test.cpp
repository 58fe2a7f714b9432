#include "format/database_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/test/gzip.h"
#include "common/test/hex.h"

namespace format {
namespace {

using testing_support::Gzip;
using testing_support::Hex;

std::string Bytes(const auto& array) { return std::string(array.begin(), array.end()); }

// A table database of a text field and numeric fields of 1 to 4 bytes, with one record whose
// numbers have their high bit set.
std::string SampleBook() {
  DbHeader header;
  header.version = 13;
  header.field_count = 5;
  header.record_count = 1;
  header.name = "Book";
  std::string bytes = Bytes(EncodeDbHeader(header, true)) +
                      Bytes(EncodeDbFieldDesc({.name = "Name", .type = kTypeText}));
  for (std::uint8_t size = 1; size <= 4; ++size)
    bytes += Bytes(EncodeDbFieldDesc({.name = "N", .type = kTypeNumeric, .num_size = size}));
  return bytes + Hex("0E 41 62 00 C8 FF FF FF FF FF FF FF FF FF") + kEndMarker;
}

// Fails once it has handed out `good` bytes, unless those are all it has.
class FailingSource : public ByteSource {
 public:
  FailingSource(std::string bytes, std::size_t good)
      : bytes_(std::move(bytes)), good_(std::min(good, bytes_.size())) {}
  StatusOr<std::size_t> Read(char* buffer, std::size_t size) override {
    const std::size_t got = std::min(size, good_ - position_);
    bytes_.copy(buffer, got, position_);
    position_ += got;
    if (got == 0 && good_ < bytes_.size()) return Status::Error("сбой диска");
    return got;
  }

 private:
  std::string bytes_;
  std::size_t good_;
  std::size_t position_ = 0;
};

std::vector<std::string> ReadAll(ByteSource& source, bool& packed, Status& status) {
  DatabaseReader reader(source);
  status = reader.ReadHeader();
  std::vector<std::string> texts;
  BookRecord record;
  while (status.ok() && reader.NextRecord(record)) {
    for (const StoredValue& value : record.values)
      texts.push_back(value.numeric() ? NumberText(value.number, value.number_size)
                                      : std::string(value.text));
  }
  packed = reader.packed();
  if (status.ok()) status = reader.status();
  return texts;
}

TEST(DatabaseReader, ReadsTheSameBookPlainOrPacked) {
  const std::string book = SampleBook();
  const std::size_t half = book.size() / 2;
  struct Case {
    const char* what;
    std::string bytes;
    bool packed;
  };
  const Case cases[] = {
      {"plain", book, false},
      {"packed", Gzip(book), true},
      // gzip reads members that follow one another as one stream.
      {"two members", Gzip(book.substr(0, half)) + Gzip(book.substr(half)), true},
  };
  for (const Case& c : cases) {
    MemorySource source(c.bytes);
    bool packed = false;
    Status status = Status::Ok();
    EXPECT_EQ(ReadAll(source, packed, status),
              (std::vector<std::string>{"Ab", "200", "65535", "16777215", "-1"}))
        << c.what;
    EXPECT_TRUE(status.ok()) << c.what << ": " << status.message();
    EXPECT_EQ(packed, c.packed) << c.what;
  }
}

TEST(DatabaseReader, FaultsOfPackedDataAndOfReadingNameTheUnpackedOffset) {
  const std::string book = SampleBook();
  std::string bad_check = Gzip(book);
  bad_check[bad_check.size() - 6] ^= 0x55;  // in the check value or the length
  struct Case {
    const char* what;
    std::string bytes;
    std::size_t good;
    std::string message;
  };
  const std::string packed = Gzip(book);
  const Case cases[] = {
      {"cut packed data", packed.substr(0, packed.size() - 4), std::string::npos,
       "смещение 220 распакованных данных: сжатые данные обрываются"},
      {"check value", bad_check, std::string::npos,
       "смещение 220 распакованных данных: сжатые данные повреждены: не совпадает контрольная "
       "сумма данных (CRC-32)"},
      {"bytes after the last member", packed + "junk", std::string::npos,
       "смещение 220 распакованных данных: после сжатых данных есть посторонние байты"},
      {"read error", book, 100, "смещение 100: ошибка чтения: сбой диска"},
  };
  for (const Case& c : cases) {
    FailingSource source(c.bytes, c.good);
    bool packed = false;
    Status status = Status::Ok();
    ReadAll(source, packed, status);
    EXPECT_EQ(status.message().rfind(c.message, 0), 0u) << c.what << ": " << status.message();
  }
}

}  // namespace
}  // namespace format
