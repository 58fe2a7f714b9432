#include "common/file_extension.h"

#include <gtest/gtest.h>

namespace {

TEST(FileKindOf, FollowsTheFileNamesLastDotInEitherCase) {
  const struct {
    const char* path;
    FileKind kind;
  } cases[] = {
      {"staff.CSV", FileKind::kCsv},        {"dir/book.Fsr", FileKind::kSourceFile},
      {"book.db", FileKind::kDatabase},     {"dir/.db", FileKind::kDatabase},
      {"book.FDB", FileKind::kPackedBook},  {"book.zdb", FileKind::kPackedBook},
      {"export.TXT", FileKind::kCsv},       {"export.tsv", FileKind::kCsv},
      {"list.dat", FileKind::kOther},       {"dir.fsr/list", FileKind::kOther},
      {"archive.fsr.gz", FileKind::kOther}, {"prices.XLSX", FileKind::kWorkbook},
      {"staff.dbf", FileKind::kWorkbook},
  };
  for (const auto& c : cases) EXPECT_EQ(FileKindOf(c.path), c.kind) << c.path;
}

}  // namespace
