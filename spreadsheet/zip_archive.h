// The members of a zip archive (.xlsx, .ods) read as streams, within limits that keep a small
// file from unpacking into an enormous one: a member is refused past 2 GiB unpacked or past 200
// unpacked bytes for one packed byte.
#pragma once

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/status.h"

namespace spreadsheet {

constexpr std::uint64_t kMaxMemberBytes = std::uint64_t{2} << 30;
constexpr std::uint64_t kMaxPackingRatio = 200;

class ZipMember;

class ZipArchive {
 public:
  // `file` names the archive in messages.
  static StatusOr<std::unique_ptr<ZipArchive>> OpenFile(const std::string& path,
                                                        const std::string& file);
  static StatusOr<std::unique_ptr<ZipArchive>> OpenMemory(std::string bytes,
                                                          const std::string& file);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  bool Has(const std::string& name) const;
  // Opens member `name` (letter case aside) for reading; `part` names it in messages.
  StatusOr<std::unique_ptr<ZipMember>> Open(const std::string& name, const std::string& part) const;
  const std::string& file() const { return file_; }

 private:
  ZipArchive(std::string bytes, std::string file);
  // Opens the archive on `source` (taken over, null when it could not be made).
  Status Attach(zip_source_t* source, zip_error_t& error);

  zip_t* zip_ = nullptr;
  std::string bytes_;  // the archive itself when it was given in memory
  std::string file_;
};

// One member being unpacked.
class ZipMember {
 public:
  ZipMember(zip_file_t* member, std::uint64_t size, std::string file, std::string part);
  ~ZipMember();
  ZipMember(const ZipMember&) = delete;
  ZipMember& operator=(const ZipMember&) = delete;

  // Unpacks up to `size` more bytes into `buffer`; how many, 0 at the end.
  StatusOr<std::size_t> Read(char* buffer, std::size_t size);
  const std::string& part() const { return part_; }
  const std::string& file() const { return file_; }

 private:
  zip_file_t* member_;
  std::uint64_t size_;  // as the archive declares it, and within the limits
  std::uint64_t read_ = 0;
  std::string file_;
  std::string part_;
};

}  // namespace spreadsheet
