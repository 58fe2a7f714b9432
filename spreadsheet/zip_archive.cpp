#include "spreadsheet/zip_archive.h"

#include "common/system_reason.h"
#include "spreadsheet/failure.h"

namespace spreadsheet {
namespace {

std::string Reason(const zip_error_t* error) {
  switch (zip_error_code_zip(error)) {
    case ZIP_ER_NOZIP:
      return "это не архив zip";
    case ZIP_ER_CRC:
      return "контрольная сумма не сходится";
    case ZIP_ER_COMPNOTSUPP:
      return "сжатие неизвестного вида";
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
      return "файл защищён паролем";
    case ZIP_ER_MEMORY:
      return "не хватает памяти";
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
      if (zip_error_code_system(error) != 0) return SystemReason(zip_error_code_system(error));
      return "ошибка чтения";
    default:
      return "архив повреждён";
  }
}

}  // namespace

ZipArchive::ZipArchive(std::string bytes, std::string file)
    : bytes_(std::move(bytes)), file_(std::move(file)) {}

ZipArchive::~ZipArchive() {
  if (zip_ != nullptr) zip_discard(zip_);
}

Status ZipArchive::Attach(zip_source_t* source, zip_error_t& error) {
  zip_ = source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &error);
  Status status = Status::Ok();
  if (zip_ == nullptr) {
    if (source != nullptr) zip_source_free(source);
    status = Damaged(file_, "оглавление архива", Reason(&error));
  }
  zip_error_fini(&error);
  return status;
}

StatusOr<std::unique_ptr<ZipArchive>> ZipArchive::OpenFile(const std::string& path,
                                                           const std::string& file) {
  if (Status readable = CheckReadable(path, file); !readable.ok()) return readable;
  std::unique_ptr<ZipArchive> made(new ZipArchive({}, file));
  zip_error_t error;
  zip_error_init(&error);
  if (Status status = made->Attach(zip_source_file_create(path.c_str(), 0, -1, &error), error);
      !status.ok())
    return status;
  return made;
}

StatusOr<std::unique_ptr<ZipArchive>> ZipArchive::OpenMemory(std::string bytes,
                                                             const std::string& file) {
  // The source reads the bytes in place, so they are the archive's before it is made.
  std::unique_ptr<ZipArchive> made(new ZipArchive(std::move(bytes), file));
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source =
      zip_source_buffer_create(made->bytes_.data(), made->bytes_.size(), 0, &error);
  if (Status status = made->Attach(source, error); !status.ok()) return status;
  return made;
}

bool ZipArchive::Has(const std::string& name) const {
  return zip_name_locate(zip_, name.c_str(), ZIP_FL_NOCASE) >= 0;
}

StatusOr<std::unique_ptr<ZipMember>> ZipArchive::Open(const std::string& name,
                                                      const std::string& part) const {
  const zip_int64_t index = zip_name_locate(zip_, name.c_str(), ZIP_FL_NOCASE);
  if (index < 0) return Damaged(file_, part, "в архиве нет части " + name);
  zip_stat_t stat;
  if (zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
      (stat.valid & (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE)) != (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE))
    return Damaged(file_, part, Reason(zip_get_error(zip_)));
  if (stat.size > kMaxMemberBytes) return Damaged(file_, part, "больше 2 ГиБ в распакованном виде");
  if (stat.size > stat.comp_size * kMaxPackingRatio)
    return Damaged(file_, part, "сжата больше чем в 200 раз");
  zip_file_t* opened = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
  if (opened == nullptr) return Damaged(file_, part, Reason(zip_get_error(zip_)));
  return std::make_unique<ZipMember>(opened, stat.size, file_, part);
}

ZipMember::ZipMember(zip_file_t* member, std::uint64_t size, std::string file, std::string part)
    : member_(member), size_(size), file_(std::move(file)), part_(std::move(part)) {}

ZipMember::~ZipMember() { zip_fclose(member_); }

StatusOr<std::size_t> ZipMember::Read(char* buffer, std::size_t size) {
  const zip_int64_t count = zip_fread(member_, buffer, size);
  if (count < 0) return Damaged(file_, part_, Reason(zip_file_get_error(member_)));
  read_ += static_cast<std::uint64_t>(count);
  // The declared size passed the limits; a member that unpacks to more than it declares lies.
  if (read_ > size_) return Damaged(file_, part_, "распаковывается длиннее заявленного");
  return static_cast<std::size_t>(count);
}

}  // namespace spreadsheet
