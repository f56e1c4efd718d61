#include "state/rng.h"

#include <gtest/gtest.h>

#include "state/app_state.h"

TEST(Rng, StartsFromStateOne) {
  app.rngState = 1;
  const std::int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478};
  for (std::int32_t value : expected) {
    EXPECT_EQ(Rng(), value);
  }
}

TEST(Rng, SeedingSetsTheStateAndTheStateWrapsModulo2To32) {
  SeedRng(0xFFFFFFFFu);
  EXPECT_EQ(app.rngState, 0xFFFFFFFFu);
  // 0xFFFFFFFF * 214013 + 2531011 = 2531011 - 214013 (mod 2^32) = 2316998 = 0x00235AC6.
  EXPECT_EQ(Rng(), 0x0023);
  EXPECT_EQ(app.rngState, 2316998u);
}
