// Reads a table database or a phone-book database, packed (gzip) or not, from any byte source:
// the header first, then record by record, in constant memory whatever the size of the book.
// Every length is checked against the data before it is used; a fault ends the reading with an
// Error whose text names the offset (in the unpacked data of a packed file) and what is wrong.
//
//   DatabaseReader reader(source);
//   Status status = reader.ReadHeader();
//   BookRecord record;
//   while (status.ok() && reader.NextRecord(record)) { ... record.values ... }
//   status = reader.status();  // Ok only when the end marker ended the data as it should
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_source.h"
#include "common/status.h"
#include "format/phone_book_layout.h"
#include "format/table_layout.h"

namespace format {

enum class BookKind { kTable, kPhoneBook };

// One value of a record as it is stored.
struct StoredValue {
  std::string_view text;     // a text value: its bytes before the NUL
  std::uint32_t number = 0;  // a numeric value: its bytes, least significant first
  int number_size = 0;       // 1 to 4 for a numeric value, 0 for a text value

  bool numeric() const { return number_size > 0; }
};

struct BookRecord {
  std::uint32_t number = 0;  // 1 for the first record
  std::uint64_t offset = 0;  // of its length byte, in the unpacked data
  // One value per field (four texts in a phone book); they view the reader's buffer and stay
  // valid until the next call of NextRecord.
  std::span<const StoredValue> values;
};

class DatabaseReader {
 public:
  explicit DatabaseReader(ByteSource& source);
  ~DatabaseReader();
  DatabaseReader(const DatabaseReader&) = delete;
  DatabaseReader& operator=(const DatabaseReader&) = delete;

  // Reads the header, and the field descriptors of a table database, which must describe
  // records this reader can decode (1 to 10 fields, numeric sizes 1 to 4).
  Status ReadHeader();

  // After ReadHeader succeeded:
  bool packed() const { return packed_; }
  BookKind kind() const { return kind_; }
  const DbHeader& header() const { return header_; }                  // a table database
  const std::vector<DbFieldDesc>& fields() const { return fields_; }  // a table database
  const PhoneBookHeader& phone_book() const { return phone_book_; }   // a phone book
  std::uint32_t record_count() const;
  // The header and the descriptors as the file holds them: 64 + 28 × n bytes of a table
  // database, 29 of a phone book.
  std::string_view header_bytes() const { return header_bytes_; }

  // Reads the next record. False after the last one, when the end marker and the end of the
  // data have been checked too, or on a fault; status() tells which.
  bool NextRecord(BookRecord& record);
  const Status& status() const { return status_; }

 private:
  class Input;

  Status Fault(std::uint64_t offset, const std::string& reason);
  Status ReadTableHeader();
  Status ReadPhoneBookHeader();
  // Splits the `size` value bytes of a record into values_; an error with the reason on a
  // mismatch.
  Status DecodeValues(const unsigned char* data, std::size_t size);
  bool CheckEnd();

  std::unique_ptr<Input> input_;
  bool packed_ = false;
  BookKind kind_ = BookKind::kTable;
  DbHeader header_;
  std::vector<DbFieldDesc> fields_;
  PhoneBookHeader phone_book_;
  std::string header_bytes_;
  std::vector<int> number_sizes_;  // per value: 0 text, 1 to 4 numeric
  std::vector<StoredValue> values_;
  std::uint64_t next_record_ = 1;
  bool header_read_ = false;
  bool ended_ = false;
  Status status_ = Status::Ok();
};

// Whether the file at `path` holds one whole unpacked database, as a conversion that finished
// leaves it: header, descriptors, records and end marker agree, and nothing follows. An Error
// that says what is wrong otherwise (a packed file included).
Status CheckUnpackedDatabase(const std::string& path);

}  // namespace format
