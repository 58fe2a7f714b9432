#include "common/status.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StatusOr, HoldsAValueOrTheFailure) {
  const StatusOr<std::string> found(std::string("книга"));
  ASSERT_TRUE(found.ok());
  EXPECT_TRUE(found.status().ok());
  EXPECT_EQ(found.value(), "книга");

  const StatusOr<std::string> refused(Status::Refusal("нет"));
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(refused.status().kind(), StatusKind::kRefusal);
  EXPECT_EQ(refused.status().message(), "нет");
}

}  // namespace
