#include "builder/convert/database_reader.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>

#include "builder/convert/phone_book.h"
#include "builder/convert/table_database.h"
#include "common/system_reason.h"

namespace builder {
namespace {

constexpr std::size_t kPhoneTextFields = 4;

// Bytes of the unpacked data, through zlib's gzip reader (which passes unpacked files through).
class Input {
 public:
  explicit Input(gzFile file) : file_(file) {}
  ~Input() { gzclose(file_); }
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

  std::uint64_t offset() const { return offset_; }

  // Reads exactly `size` bytes; false with a reason when the data ends or is broken.
  bool Read(void* buffer, std::size_t size, const char* what, ReadFailure& failure) {
    const int got = size == 0 ? 0 : gzread(file_, buffer, static_cast<unsigned>(size));
    if (got < 0) return Broken(failure);
    if (static_cast<std::size_t>(got) < size) {
      int code = 0;
      gzerror(file_, &code);
      if (code != Z_OK && code != Z_BUF_ERROR) return Broken(failure);
      failure = {offset_ + got, std::string("the data ends inside ") + what};
      return false;
    }
    offset_ += size;
    return true;
  }

  // True when no byte follows; a trailing byte or a broken packed stream is a failure.
  bool AtEnd(ReadFailure& failure) {
    char extra;
    const int got = gzread(file_, &extra, 1);
    if (got < 0) return Broken(failure);
    if (got > 0) {
      failure = {offset_, "bytes follow the end marker"};
      return false;
    }
    int code = 0;
    gzerror(file_, &code);
    if (code != Z_OK && code != Z_BUF_ERROR) return Broken(failure);
    return true;
  }

 private:
  bool Broken(ReadFailure& failure) {
    int code = 0;
    const char* text = gzerror(file_, &code);
    failure = {offset_, std::string("the packed data is broken: ") +
                            (code == Z_ERRNO ? SystemReason(errno) : text)};
    return false;
  }

  gzFile file_;
  std::uint64_t offset_ = 0;
};

std::uint32_t LittleEndian(const unsigned char* bytes, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

// Sets `text` to the bytes before the first NUL of `bytes`; false when there is none.
bool TextUpToNul(const unsigned char* bytes, std::size_t size, std::string& text) {
  const void* nul = std::memchr(bytes, 0, size);
  if (nul == nullptr) return false;
  text.assign(reinterpret_cast<const char*>(bytes), static_cast<const unsigned char*>(nul) - bytes);
  return true;
}

std::string SignedNumber(const unsigned char* bytes, int size) {
  std::int64_t value = LittleEndian(bytes, size);
  if (size > 0 && size < 4 && (bytes[size - 1] & 0x80)) value -= std::int64_t{1} << (8 * size);
  if (size == 4) value = static_cast<std::int32_t>(value);
  return std::to_string(value);
}

// Decodes the values of one record, `size` bytes after its length byte: value i is a number of
// `number_sizes[i]` bytes, or a NUL-ended text where that is 0. The values must fill the record
// exactly. `what` names a value in the reason of a failure.
bool DecodeRecord(const unsigned char* data, std::size_t size,
                  const std::vector<std::size_t>& number_sizes, const std::string& what,
                  std::vector<std::string>& values, std::string& reason) {
  std::size_t used = 0;
  for (std::size_t i = 0; i < number_sizes.size(); ++i) {
    const std::size_t number_size = number_sizes[i];
    std::string text;
    const bool fits =
        number_size > 0 ? size - used >= number_size : TextUpToNul(data + used, size - used, text);
    if (!fits) {
      reason = what + " " + std::to_string(i + 1) + " runs past the record's length";
      return false;
    }
    if (number_size > 0) {
      values.push_back(SignedNumber(data + used, static_cast<int>(number_size)));
      used += number_size;
    } else {
      used += text.size() + 1;
      values.push_back(std::move(text));
    }
  }
  if (used != size) {
    reason = "the " + what + "s take " + std::to_string(used + 1) +
             " bytes, the length byte says " + std::to_string(size + 1);
    return false;
  }
  return true;
}

// Reads `count` records, each a length byte and values that must fill it exactly, then the
// end marker and the end of the data.
template <typename DecodeValues>
bool ReadRecords(Input& input, std::uint32_t count, DecodeValues decode, DatabaseVisitor& visitor,
                 ReadFailure& failure) {
  unsigned char record[256];
  std::vector<std::string> values;
  for (std::int64_t number = 1; number <= count; ++number) {
    const std::uint64_t start = input.offset();
    if (!input.Read(record, 1, "a record's length byte", failure)) return false;
    if (record[0] == 0) {
      failure = {start, "record " + std::to_string(number) + " has the length " +
                            std::to_string(record[0])};
      return false;
    }
    if (!input.Read(record + 1, record[0] - 1u, "a record", failure)) return false;
    values.clear();
    std::string reason;
    if (!decode(record + 1, record[0] - 1u, values, reason)) {
      failure = {start, "record " + std::to_string(number) + ": " + reason};
      return false;
    }
    visitor.Record(number, values);
  }
  const std::uint64_t end = input.offset();
  unsigned char marker[2];
  if (!input.Read(marker, 2, "the end marker", failure)) return false;
  if (marker[0] != 0xFF || marker[1] != 0xFF) {
    failure = {end, "no end marker FF FF after the last record"};
    return false;
  }
  if (!input.AtEnd(failure)) return false;
  visitor.End(count);
  return true;
}

bool ReadTable(Input& input, const unsigned char* start, DatabaseVisitor& visitor,
               ReadFailure& failure) {
  unsigned char bytes[kDbHeaderSize];
  std::memcpy(bytes, start, 6);
  if (!input.Read(bytes + 6, sizeof bytes - 6, "the header", failure)) return false;
  if (std::memcmp(bytes, kDbMagic, kDbMagicSize) != 0) {
    failure = {0, "no magic BRWK: the conversion that wrote this file did not finish"};
    return false;
  }
  DbHeader header;
  std::memcpy(header.prefix_line.data(), bytes, header.prefix_line.size());
  header.version = bytes[4];
  header.field_count = bytes[5];
  header.record_count = LittleEndian(bytes + 8, 4);
  header.flags = bytes[12];
  const std::size_t name_room = kDbHeaderSize - kDbHeaderNameOffset;
  if (!TextUpToNul(bytes + kDbHeaderNameOffset, name_room, header.name)) {
    failure = {kDbHeaderNameOffset, "the database name has no terminating NUL"};
    return false;
  }
  if (header.field_count < 1 || header.field_count > kMaxFields) {
    failure = {5, "field count " + std::to_string(header.field_count) + " is not 1 to 10"};
    return false;
  }
  visitor.TableHeader(header);

  std::vector<DbFieldDesc> fields(header.field_count);
  for (int i = 0; i < header.field_count; ++i) {
    const std::uint64_t at = input.offset();
    unsigned char desc[kDbFieldDescSize];
    if (!input.Read(desc, sizeof desc, "a field descriptor", failure)) return false;
    DbFieldDesc& field = fields[i];
    const void* nul = std::memchr(desc, 0, kMaxFieldNameBytes);
    field.name.assign(reinterpret_cast<const char*>(desc),
                      nul ? static_cast<const unsigned char*>(nul) - desc : kMaxFieldNameBytes);
    field.type = desc[16];
    field.flags = desc[17];
    field.num_size = desc[18];
    field.query_index = desc[19];
    field.result_index = desc[20];
    field.detail_index = desc[21];
    field.edit_size = static_cast<std::uint16_t>(LittleEndian(desc + 22, 2));
    field.result_size = static_cast<std::uint16_t>(LittleEndian(desc + 24, 2));
    field.max_size = static_cast<std::uint16_t>(LittleEndian(desc + 26, 2));
    // The conversion refuses any other size, so no file of ours holds one.
    if (field.type == kNumericType && (field.num_size < 1 || field.num_size > kMaxNumericSize)) {
      failure = {at + 18, "field " + std::to_string(i + 1) + " has the numeric size " +
                              std::to_string(field.num_size)};
      return false;
    }
    visitor.TableField(i + 1, field);
  }

  std::vector<std::size_t> number_sizes;
  for (const DbFieldDesc& field : fields)
    number_sizes.push_back(field.type == kNumericType ? field.num_size : 0);
  const auto decode = [&number_sizes](const unsigned char* data, std::size_t size,
                                      std::vector<std::string>& values, std::string& reason) {
    return DecodeRecord(data, size, number_sizes, "value", values, reason);
  };
  return ReadRecords(input, header.record_count, decode, visitor, failure);
}

bool ReadPhoneBook(Input& input, const unsigned char* start, DatabaseVisitor& visitor,
                   ReadFailure& failure) {
  unsigned char bytes[kPhoneBookHeaderSize];
  std::memcpy(bytes, start, 6);
  if (!input.Read(bytes + 6, sizeof bytes - 6, "the header", failure)) return false;
  std::string name;
  if (!TextUpToNul(bytes + 6, kPhoneBookNameField, name)) {
    failure = {6, "the phone book's name has no terminating NUL"};
    return false;
  }
  const std::uint32_t count = LittleEndian(bytes, 4);
  visitor.PhoneBookHeader(count, bytes[5], name);
  const std::vector<std::size_t> text_only(kPhoneTextFields, 0);
  const auto decode = [&text_only](const unsigned char* data, std::size_t size,
                                   std::vector<std::string>& values, std::string& reason) {
    return DecodeRecord(data, size, text_only, "text", values, reason);
  };
  return ReadRecords(input, count, decode, visitor, failure);
}

}  // namespace

bool ReadDatabase(const std::string& path, DatabaseVisitor& visitor, bool& packed,
                  ReadFailure& failure) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    packed = false;
    failure = {0, SystemReason(errno)};
    return false;
  }
  return ReadDatabase(descriptor, visitor, packed, failure);
}

bool ReadDatabase(int descriptor, DatabaseVisitor& visitor, bool& packed, ReadFailure& failure) {
  packed = false;
  gzFile file = gzdopen(descriptor, "rb");
  if (file == nullptr) {
    close(descriptor);
    failure = {0, SystemReason(errno ? errno : ENOMEM)};
    return false;
  }
  Input input(file);
  unsigned char start[6];
  const bool read = input.Read(start, sizeof start, "the header", failure);
  // Whether zlib unpacks is known once it has seen the first bytes.
  packed = gzdirect(file) == 0;
  if (!read) return false;
  if (std::memcmp(start, kDbMagic, kDbMagicSize) == 0 ||
      std::memcmp(start, kSourcePrefix, kDbMagicSize) == 0) {
    return ReadTable(input, start, visitor, failure);
  }
  if (start[4] == static_cast<unsigned char>(kPhoneBookMarker)) {
    return ReadPhoneBook(input, start, visitor, failure);
  }
  failure = {0, "neither a table database (magic BRWK) nor a phone book (byte 4 is 0x0B)"};
  return false;
}

bool CheckUnpackedDatabase(const std::string& path, ReadFailure& failure) {
  struct : DatabaseVisitor {
    void TableHeader(const DbHeader&) override {}
    void TableField(int, const DbFieldDesc&) override {}
    void Record(std::int64_t, const std::vector<std::string>&) override {}
    void PhoneBookHeader(std::uint32_t, int, const std::string&) override {}
    void End(std::int64_t) override {}
  } nothing;
  bool packed = false;
  if (!ReadDatabase(path, nothing, packed, failure)) return false;
  if (packed) failure = {0, "the file is packed already"};
  return !packed;
}

}  // namespace builder
