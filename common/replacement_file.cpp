#include "common/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "common/signal_cleanup.h"
#include "common/system_reason.h"

namespace {

// A file name may hold 255 bytes; the dot, the separator and the random part need 8 of them.
constexpr std::size_t kMaxNameInTemporaryName = 200;
constexpr int kAttempts = 100;

std::string RandomSuffix() {
  static constexpr char kCharacters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kCharacters - 2);
  std::string suffix(6, ' ');
  for (char& c : suffix) c = kCharacters[pick(random)];
  return suffix;
}

// fsync of a file or folder by name; a file system that cannot sync a folder has nothing to do.
Status SyncFile(const std::string& path) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return SystemFailure(errno);
  const int synced = fsync(descriptor) == 0 || errno == EINVAL ? 0 : errno;
  close(descriptor);
  return synced == 0 ? Status::Ok() : SystemFailure(synced);
}

}  // namespace

TemporaryFile::~TemporaryFile() { Remove(); }

Status TemporaryFile::Create(const std::string& folder, const std::string& name, mode_t mode) {
  Remove();
  std::string hidden = ".";
  hidden.append(name, 0, kMaxNameInTemporaryName).push_back('.');
  const std::filesystem::path base = std::filesystem::path(folder) / hidden;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = base.string() + RandomSuffix();
    descriptor_ = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor_ >= 0) {
      path_ = path;
      signal_slot_ = RegisterTemporaryFile(path_);
      return Status::Ok();
    }
    if (errno != EEXIST) return SystemFailure(errno);
  }
  return SystemFailure(EEXIST);
}

int TemporaryFile::TakeDescriptor() {
  const int descriptor = descriptor_;
  descriptor_ = -1;
  return descriptor;
}

Status TemporaryFile::RenameTo(const std::string& target) {
  // The bytes reach the disk before the name does, and the new name before we report success:
  // after a power cut the target is the old file or the new one, never an empty one.
  if (Status synced = SyncFile(path_); !synced.ok()) return synced;
  if (std::rename(path_.c_str(), target.c_str()) != 0) return SystemFailure(errno);
  const std::string folder = std::filesystem::path(target).parent_path().string();
  if (Status synced = SyncFile(folder.empty() ? "." : folder); !synced.ok()) return synced;
  UnregisterTemporaryFile(signal_slot_);
  signal_slot_ = -1;
  path_.clear();
  return Status::Ok();
}

void TemporaryFile::Remove() {
  if (descriptor_ >= 0) close(TakeDescriptor());
  if (path_.empty()) return;
  unlink(path_.c_str());
  UnregisterTemporaryFile(signal_slot_);
  signal_slot_ = -1;
  path_.clear();
}

Status ReplacementFile::Create() {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_symlink(target_, error)) {
    const fs::path resolved = fs::weakly_canonical(target_, error);
    if (!error) replaced_ = resolved.string();
  }
  struct stat existing {};
  const bool exists = stat(replaced_.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) return SystemFailure(errno);
  if (exists && !S_ISREG(existing.st_mode)) {
    direct_ = true;
    direct_descriptor_ = open(replaced_.c_str(), O_WRONLY | O_CLOEXEC);
    return direct_descriptor_ >= 0 ? Status::Ok() : SystemFailure(errno);
  }
  const fs::path path(replaced_);
  if (Status created = temporary_.Create(path.parent_path().string(), path.filename().string());
      !created.ok())
    return created;
  // The new file keeps the permissions of the one it replaces.
  if (exists) fchmod(temporary_.descriptor(), existing.st_mode & 07777);
  return Status::Ok();
}

int ReplacementFile::TakeDescriptor() {
  if (!direct_) return temporary_.TakeDescriptor();
  const int descriptor = direct_descriptor_;
  direct_descriptor_ = -1;
  return descriptor;
}

Status ReplacementFile::Commit() { return direct_ ? Status::Ok() : temporary_.RenameTo(replaced_); }

ReplacementFile::~ReplacementFile() {
  if (direct_descriptor_ >= 0) close(direct_descriptor_);
}
