#include "common/same_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(SameFile, EverySpellingAndLinkOfOneFileIsThatFile) {
  testing_support::ScratchFolder folder;
  const std::string file = folder.Write("book.fsr", "data");
  fs::create_directory(folder.File("sub"));
  fs::create_hard_link(file, folder.File("hard.fsr"));
  fs::create_symlink(file, folder.File("soft.fsr"));

  EXPECT_TRUE(SameFile(file, file));
  EXPECT_TRUE(SameFile(file, folder.File("sub/../book.fsr")));
  EXPECT_TRUE(SameFile(file, folder.File("./book.fsr")));
  EXPECT_TRUE(SameFile(file, folder.File("hard.fsr")));
  EXPECT_TRUE(SameFile(folder.File("soft.fsr"), file));
}

TEST(SameFile, OtherFilesAndNamesNotYetTakenAreNot) {
  testing_support::ScratchFolder folder;
  const std::string file = folder.Write("book.fsr", "data");
  const std::string other = folder.Write("other.fsr", "data");
  EXPECT_FALSE(SameFile(file, other));  // equal contents are not the same file
  EXPECT_FALSE(SameFile(file, folder.File("new.fsr")));
  EXPECT_FALSE(SameFile(file, folder.File("BOOK.fsr")));  // names here tell letter case apart
  // A file that does not exist yet is the same as its own other spelling.
  EXPECT_TRUE(SameFile(folder.File("new.fsr"), folder.File("sub/../new.fsr")));
}

}  // namespace
