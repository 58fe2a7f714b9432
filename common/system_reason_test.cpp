#include "common/system_reason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

TEST(SystemReason, CommonFileErrorsAreRussianOthersAreTheSystemsText) {
  EXPECT_EQ(SystemReason(ENOENT), "нет такого файла или папки");
  EXPECT_EQ(SystemReason(EACCES), "доступ запрещён");
  EXPECT_EQ(SystemReason(ENOSPC), "нет места на диске");
  EXPECT_EQ(SystemReason(EROFS), "файловая система только для чтения");
  EXPECT_EQ(SystemReason(EISDIR), "это папка");
  EXPECT_EQ(SystemReason(EMLINK), "слишком много ссылок");
  EXPECT_EQ(SystemReason(ECONNRESET), std::strerror(ECONNRESET));
}

}  // namespace
