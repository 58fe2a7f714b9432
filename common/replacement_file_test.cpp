#include "common/replacement_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/test/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScratchFolder;

std::size_t FilesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

// Writes `bytes` through a replacement of `target`, committing only when asked.
void Replace(const std::string& target, const std::string& bytes, bool commit) {
  ReplacementFile file(target);
  ASSERT_TRUE(file.Create().ok());
  const int descriptor = file.TakeDescriptor();
  ASSERT_EQ(write(descriptor, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  close(descriptor);
  if (commit) {
    ASSERT_TRUE(file.Commit().ok());
  }
}

TEST(ReplacementFile, TheTargetChangesOnlyAtTheCommitAndKeepsItsPermissions) {
  ScratchFolder folder;
  const std::string target = folder.Write("book.fsr", "old");
  chmod(target.c_str(), 0640);

  Replace(target, "abandoned", false);
  EXPECT_EQ(ReadBytes(target), "old");
  EXPECT_EQ(FilesIn(folder.path()), 1u) << "the temporary file must be gone";

  Replace(target, "new", true);
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FilesIn(folder.path()), 1u);
}

TEST(ReplacementFile, ALinkStaysAndTheFileItLeadsToIsReplaced) {
  ScratchFolder folder;
  fs::create_directory(folder.File("real"));
  const std::string real = folder.Write("real/book.fsr", "old");
  fs::create_symlink(real, folder.File("link.fsr"));
  Replace(folder.File("link.fsr"), "new", true);
  EXPECT_TRUE(fs::is_symlink(folder.File("link.fsr")));
  EXPECT_EQ(ReadBytes(real), "new");
}

}  // namespace
