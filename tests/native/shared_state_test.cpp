// The shared records: their states at creation and their release.
#include "app/shared_state.h"

#include <gtest/gtest.h>

TEST(SharedState, CreatedInTheStartUpStates) {
  CreateSharedState();
  SharedState& s = Shared();
  ASSERT_EQ(s.hotkeyTable.size(), 1u);
  EXPECT_EQ(s.hotkeyTable[0].id, 0);
  EXPECT_EQ(s.hotkeyTable[0].ctrl + s.hotkeyTable[0].alt + s.hotkeyTable[0].shift, 0);
  EXPECT_EQ(s.hotkeyTable[0].keyText, "");
  EXPECT_EQ(s.junkScope.locations, std::vector<std::string>{""});
  EXPECT_EQ(s.junkScope.patterns, std::vector<std::string>{""});
  for (int32_t f : s.historyScope) EXPECT_EQ(f, 0);
  EXPECT_EQ(s.softwareScope[0] + s.softwareScope[1], 0);
  EXPECT_EQ(s.cleanAllFlag, 0);

  // A second creation keeps the one instance.
  s.historyScope[3] = 1;
  CreateSharedState();
  EXPECT_EQ(&Shared(), &s);
  EXPECT_EQ(Shared().historyScope[3], 1);

  ReleaseSharedState();
  EXPECT_FALSE(SharedStateExists());
  ReleaseSharedState();  // a second release does nothing
  EXPECT_FALSE(SharedStateExists());
}

TEST(SharedState, OnlyOneCountsAsOn) {
  struct Case { int32_t value; bool on; } cases[] = {{1, true}, {0, false}, {2, false}, {-1, false}};
  for (const Case& c : cases) EXPECT_EQ(FlagOn(c.value), c.on) << c.value;
}
