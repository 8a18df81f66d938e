#include <gtest/gtest.h>

#include "icon_position.h"

TEST(CenteredIconOffset, TruncatesTowardZero) {
  struct Case {
    int client, icon, offset;
  };
  const Case cases[] = {
      {0, 32, -15},   // (0 - 32 + 1) / 2 = -31 / 2: -15, not -16
      {0, 16, -7},
      {32, 32, 0},
      {100, 32, 34},  // 69 / 2
      {101, 32, 35},
      {31, 32, 0},    // 0 / 2
      {30, 32, 0},    // -1 / 2 truncates to 0
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CenteredIconOffset(c.client, c.icon), c.offset) << c.client << " " << c.icon;
  }
}
