#include "format/database_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/little_endian.h"
#include "format/zlib_reason.h"

namespace format {
namespace {

constexpr unsigned char kGzipMagic[] = {0x1F, 0x8B};
// The most the reader asks for at once: a header with its descriptors, or a record.
constexpr std::size_t kMaxTake = kDbHeaderSize + kMaxFields * kDbFieldDescSize;
static_assert(kMaxTake >= kMaxRecordLength);
// The room of each buffer: a block and what is left of the one before. Small enough for the
// allocators' pools (the sanitizers' map memory of its own for each larger block, which made
// reading a small book several times slower), large enough that a read costs little.
constexpr std::size_t kBufferSize = 64 * 1024;
// zlib's window for a gzip stream.
constexpr int kGzipWindowBits = 16 + MAX_WBITS;

bool IsGzipStart(const unsigned char* bytes) {
  return bytes[0] == kGzipMagic[0] && bytes[1] == kGzipMagic[1];
}

}  // namespace

// The unpacked data of the source: its bytes as they stand, or inflated when they begin with
// gzip's magic. Members that follow one another are one stream, as gzip reads them; bytes after
// the last member that begin no member are passed over, as zlib's own gzip reader does.
class DatabaseReader::Input {
 public:
  // The buffers are left uninitialised, as every read fills what it uses: a reader is made for
  // every book read, and clearing them each time would cost more than a small book's reading.
  explicit Input(ByteSource& source)
      : source_(source), data_(std::make_unique_for_overwrite<unsigned char[]>(kBufferSize)) {}
  ~Input() {
    if (packed_) inflateEnd(&stream_);
  }

  // Reads the first bytes and tells packed data from plain. False when that fails.
  bool Start() {
    while (end_ < 2 && FillPlain()) {
    }
    if (end_ < 2 || !IsGzipStart(data_.get())) return failure_.empty();
    packed_ = true;
    packed_input_ = std::make_unique_for_overwrite<unsigned char[]>(kBufferSize);
    std::memcpy(packed_input_.get(), data_.get(), end_);
    stream_.next_in = packed_input_.get();
    stream_.avail_in = static_cast<uInt>(end_);
    end_ = 0;
    if (inflateInit2(&stream_, kGzipWindowBits) != Z_OK) {
      failure_ = "не хватает памяти для распаковки";
      return false;
    }
    return true;
  }

  bool packed() const { return packed_; }
  // Offset of the next byte in the unpacked data.
  std::uint64_t offset() const { return offset_; }
  std::size_t available() const { return end_ - position_; }
  // Why the data ended early: a read error or broken packed data; empty when it simply ended.
  const std::string& failure() const { return failure_; }

  // Makes `size` bytes (at most kMaxTake) available at data(); false when the data ends first.
  bool Ensure(std::size_t size) {
    if (available() >= size) return true;
    std::memmove(data_.get(), data_.get() + position_, available());
    end_ -= position_;
    position_ = 0;
    while (available() < size && Fill()) {
    }
    return available() >= size;
  }
  const unsigned char* data() const { return data_.get() + position_; }
  void Skip(std::size_t size) {
    position_ += size;
    offset_ += size;
  }
  // True when no byte follows.
  bool AtEnd() { return !Ensure(1) && failure_.empty(); }

 private:
  bool Fill() { return failure_.empty() && (packed_ ? FillPacked() : FillPlain()); }

  bool FillPlain() {
    const std::size_t got = ReadSource(data_.get() + end_, kBufferSize - end_);
    end_ += got;
    return got > 0;
  }

  // Reads what the source gives into `buffer`; 0 at the end or on a failure, which is kept.
  std::size_t ReadSource(unsigned char* buffer, std::size_t size) {
    StatusOr<std::size_t> got = source_.Read(reinterpret_cast<char*>(buffer), size);
    if (got.ok()) return got.value();
    failure_ = "ошибка чтения: " + got.status().message();
    return 0;
  }

  // Reads more packed bytes behind those not yet inflated; false at the end or on a failure.
  bool ReadPacked() {
    if (stream_.avail_in > 0 && stream_.next_in != packed_input_.get())
      std::memmove(packed_input_.get(), stream_.next_in, stream_.avail_in);
    const std::size_t kept = stream_.avail_in;
    const std::size_t got = ReadSource(packed_input_.get() + kept, kBufferSize - kept);
    stream_.next_in = packed_input_.get();
    stream_.avail_in = static_cast<uInt>(kept + got);
    return got > 0;
  }

  bool FillPacked() {
    while (!members_ended_) {
      if (stream_.avail_in == 0 && !ReadPacked()) {
        if (failure_.empty()) failure_ = "сжатые данные обрываются";
        return false;
      }
      stream_.next_out = data_.get() + end_;
      stream_.avail_out = static_cast<uInt>(kBufferSize - end_);
      const int result = inflate(&stream_, Z_NO_FLUSH);
      const std::size_t produced = kBufferSize - end_ - stream_.avail_out;
      end_ += produced;
      if (result == Z_STREAM_END) {
        NextMember();
      } else if (result != Z_OK && result != Z_BUF_ERROR) {
        failure_ = "сжатые данные повреждены: " + ZlibReason(result, stream_.msg);
        return false;
      }
      if (produced > 0) return true;
    }
    return false;
  }

  // At the end of a member: another one goes on with the data, the end of the file ends it, and
  // anything else is refused: a book is gzip and nothing more.
  void NextMember() {
    while (stream_.avail_in < 2 && ReadPacked()) {
    }
    if (stream_.avail_in >= 2 && IsGzipStart(stream_.next_in)) {
      inflateReset(&stream_);
      return;
    }
    members_ended_ = true;
    if (stream_.avail_in > 0 && failure_.empty())
      failure_ = "после сжатых данных есть посторонние байты";
  }

  ByteSource& source_;
  std::unique_ptr<unsigned char[]> data_;  // unpacked bytes; those before position_ are used
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  std::uint64_t offset_ = 0;
  bool packed_ = false;
  std::unique_ptr<unsigned char[]> packed_input_;  // once the data are found packed
  z_stream stream_{};
  bool members_ended_ = false;
  std::string failure_;
};

DatabaseReader::DatabaseReader(ByteSource& source) : input_(std::make_unique<Input>(source)) {}

DatabaseReader::~DatabaseReader() = default;

std::uint32_t DatabaseReader::record_count() const {
  return kind_ == BookKind::kTable ? header_.record_count : phone_book_.record_count;
}

Status DatabaseReader::Fault(std::uint64_t offset, const std::string& reason) {
  status_ = Status::Error("смещение " + std::to_string(offset) +
                          (packed_ ? " распакованных данных: " : ": ") + reason);
  return status_;
}

Status DatabaseReader::ReadHeader() {
  if (!input_->Start()) return Fault(0, input_->failure());
  packed_ = input_->packed();
  constexpr std::size_t kKindBytes = 6;
  if (!input_->Ensure(kKindBytes)) {
    return Fault(input_->available(),
                 input_->failure().empty() ? "данные обрываются в заголовке" : input_->failure());
  }
  const unsigned char* start = input_->data();
  // A provisional header begins with the prefix line, which the check of the magic reports.
  if (std::memcmp(start, kDbMagic, kDbMagicSize) == 0 ||
      std::memcmp(start, kSourcePrefix, kDbMagicSize) == 0) {
    kind_ = BookKind::kTable;
    status_ = ReadTableHeader();
  } else if (start[4] == static_cast<unsigned char>(kPhoneBookMarker)) {
    kind_ = BookKind::kPhoneBook;
    status_ = ReadPhoneBookHeader();
  } else {
    return Fault(0, "это не табличная база (метка BRWK) и не телефонная книга (байт 4 равен 0x0B)");
  }
  header_read_ = status_.ok();
  values_.resize(number_sizes_.size());
  return status_;
}

Status DatabaseReader::ReadTableHeader() {
  if (!input_->Ensure(kDbHeaderSize)) {
    return Fault(input_->available(),
                 input_->failure().empty() ? "данные обрываются в заголовке" : input_->failure());
  }
  const unsigned char* bytes = input_->data();
  if (std::memcmp(bytes, kDbMagic, kDbMagicSize) != 0)
    return Fault(0, "нет метки BRWK: преобразование, которое писало этот файл, не завершилось");
  if (std::memchr(bytes + kDbHeaderNameOffset, 0, kDbHeaderSize - kDbHeaderNameOffset) == nullptr)
    return Fault(kDbHeaderNameOffset, "название справочника не завершено нулевым байтом");
  header_ = DecodeDbHeader(bytes);
  if (header_.field_count < 1 || header_.field_count > kMaxFields) {
    return Fault(5, "число полей " + std::to_string(header_.field_count) + " не от 1 до " +
                        std::to_string(kMaxFields));
  }
  header_bytes_.assign(reinterpret_cast<const char*>(bytes), kDbHeaderSize);
  input_->Skip(kDbHeaderSize);

  for (int i = 1; i <= header_.field_count; ++i) {
    const std::uint64_t at = input_->offset();
    if (!input_->Ensure(kDbFieldDescSize)) {
      return Fault(at + input_->available(),
                   input_->failure().empty()
                       ? "данные обрываются в описании поля " + std::to_string(i)
                       : input_->failure());
    }
    const DbFieldDesc field = DecodeDbFieldDesc(input_->data());
    // The conversion refuses any other size, so no file of ours holds one.
    if (field.numeric() && (field.num_size < 1 || field.num_size > kMaxNumericSize)) {
      return Fault(at + 18, "у поля " + std::to_string(i) + " размер числа " +
                                std::to_string(field.num_size) + " (бывает от 1 до " +
                                std::to_string(kMaxNumericSize) + ")");
    }
    header_bytes_.append(reinterpret_cast<const char*>(input_->data()), kDbFieldDescSize);
    input_->Skip(kDbFieldDescSize);
    number_sizes_.push_back(field.numeric() ? field.num_size : 0);
    fields_.push_back(field);
  }
  return Status::Ok();
}

Status DatabaseReader::ReadPhoneBookHeader() {
  if (!input_->Ensure(kPhoneBookHeaderSize)) {
    return Fault(input_->available(),
                 input_->failure().empty() ? "данные обрываются в заголовке" : input_->failure());
  }
  const unsigned char* bytes = input_->data();
  if (std::memchr(bytes + 6, 0, kPhoneBookNameField) == nullptr)
    return Fault(6, "название телефонной книги не завершено нулевым байтом");
  phone_book_ = DecodePhoneBookHeader(bytes);
  header_bytes_.assign(reinterpret_cast<const char*>(bytes), kPhoneBookHeaderSize);
  input_->Skip(kPhoneBookHeaderSize);
  number_sizes_.assign(kPhoneBookTextValues, 0);
  return Status::Ok();
}

Status DatabaseReader::DecodeValues(const unsigned char* data, std::size_t size) {
  std::size_t used = 0;
  for (std::size_t i = 0; i < number_sizes_.size(); ++i) {
    const std::size_t number_size = static_cast<std::size_t>(number_sizes_[i]);
    StoredValue& value = values_[i];
    const unsigned char* at = data + used;
    const void* nul = number_size > 0 ? nullptr : std::memchr(at, 0, size - used);
    if (number_size > 0 ? size - used < number_size : nul == nullptr) {
      return Status::Error("значение " + std::to_string(i + 1) + " выходит за длину записи");
    }
    if (number_size > 0) {
      value = {
          {}, GetLittleEndian(at, static_cast<int>(number_size)), static_cast<int>(number_size)};
      used += number_size;
    } else {
      const std::size_t length = static_cast<const unsigned char*>(nul) - at;
      value = {std::string_view(reinterpret_cast<const char*>(at), length), 0, 0};
      used += length + 1;
    }
  }
  if (used != size) {
    return Status::Error("значения занимают " + std::to_string(used + 1) +
                         " байт, а байт длины говорит " + std::to_string(size + 1));
  }
  return Status::Ok();
}

bool DatabaseReader::NextRecord(BookRecord& record) {
  if (!header_read_ || ended_ || !status_.ok()) return false;
  if (next_record_ > record_count()) {
    ended_ = true;
    CheckEnd();
    return false;
  }
  const std::uint64_t start = input_->offset();
  const auto number = [this] { return std::to_string(next_record_); };
  if (!input_->Ensure(1) || !input_->Ensure(input_->data()[0])) {
    Fault(start + input_->available(),
          input_->failure().empty() ? "данные обрываются в записи " + number() : input_->failure());
    return false;
  }
  const unsigned char length = input_->data()[0];
  if (length == 0) {
    Fault(start, "у записи " + number() + " длина 0");
    return false;
  }
  if (const Status decoded = DecodeValues(input_->data() + 1, length - 1u); !decoded.ok()) {
    Fault(start, "запись " + number() + ": " + decoded.message());
    return false;
  }
  input_->Skip(length);
  record.number = static_cast<std::uint32_t>(next_record_++);
  record.offset = start;
  record.values = values_;
  return true;
}

bool DatabaseReader::CheckEnd() {
  const std::uint64_t end = input_->offset();
  if (!input_->Ensure(kEndMarkerSize)) {
    Fault(end + input_->available(), input_->failure().empty()
                                         ? "данные кончаются без конечной метки FF FF"
                                         : input_->failure());
    return false;
  }
  if (std::memcmp(input_->data(), kEndMarker, kEndMarkerSize) != 0) {
    Fault(end, "после последней записи нет конечной метки FF FF");
    return false;
  }
  input_->Skip(kEndMarkerSize);
  if (!input_->AtEnd()) {
    Fault(input_->offset(),
          input_->failure().empty() ? "после конечной метки есть ещё байты" : input_->failure());
    return false;
  }
  return true;
}

Status CheckUnpackedDatabase(const std::string& path) {
  FileSource source(path);
  if (!source.is_open()) return Status::Error(source.open_error());
  DatabaseReader reader(source);
  const Status header = reader.ReadHeader();
  if (reader.packed()) return Status::Error("файл уже сжат");
  if (!header.ok()) return header;
  BookRecord record;
  while (reader.NextRecord(record)) {
  }
  return reader.status();
}

}  // namespace format
