// For tests of failing writes: a small memory-backed file system mounted at a fresh folder, so
// that "disk full" and "read-only folder" fail the way the system really reports them. Mounting
// needs the right to mount (the tests run as root in CI); without it available() is false and
// the test should skip.
#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

class SmallDisk {
 public:
  // Mounts a file system that holds about `bytes` bytes (whole pages).
  explicit SmallDisk(std::size_t bytes) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "bwick_small_disk_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      why_not_ = std::strerror(errno);
      return;
    }
    folder_ = pattern;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
      why_not_ = std::string("cannot mount a small file system: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~SmallDisk() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
    if (!folder_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(folder_, ignored);
    }
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool available() const { return mounted_; }
  const std::string& why_not() const { return why_not_; }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  // Makes every file and folder on the disk read-only for everyone, root included.
  bool MakeReadOnly() {
    return mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

  // Takes all the room that is left, so that the next write fails with "no space".
  void Fill() {
    std::ofstream filler(Path("filler"), std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size())) {
    }
    filler.close();
    // The last block written partly may still leave a page: take single bytes until none.
    std::ofstream rest(Path("filler2"), std::ios::binary);
    while (rest.put('x') && rest.flush()) {
    }
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
  std::string why_not_;
};

}  // namespace testing_support
