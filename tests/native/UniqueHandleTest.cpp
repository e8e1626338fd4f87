// The one owner of handles: each handle it takes is closed exactly once, whatever
// moves, releases and resets happen in between, and "no handle" is never closed.
#include <gtest/gtest.h>

#include <vector>

#include "platform/UniqueHandle.h"

namespace {
std::vector<int> closed;
void Close(int handle) { closed.push_back(handle); }
using Owner = platform::UniqueHandle<platform::ClosedBy<int, &Close, -1>>;

class UniqueHandleTest : public testing::Test {
 protected:
  void SetUp() override { closed.clear(); }
};

TEST_F(UniqueHandleTest, ClosesOnceAcrossMoves) {
  {
    Owner first(7);
    Owner second(std::move(first));
    Owner third;
    third = std::move(second);
    Owner& same = third;
    third = std::move(same);  // a move onto itself keeps the handle
    EXPECT_FALSE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(third.Get(), 7);
    EXPECT_TRUE(closed.empty());
  }
  EXPECT_EQ(closed, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, MoveAssignmentClosesWhatWasHeld) {
  Owner kept(1), incoming(2);
  kept = std::move(incoming);
  EXPECT_EQ(closed, std::vector<int>{1});
  EXPECT_EQ(kept.Get(), 2);
}

TEST_F(UniqueHandleTest, ReleaseResetAndReceive) {
  Owner owner(3);
  EXPECT_EQ(owner.Release(), 3);
  EXPECT_FALSE(owner);
  owner.Reset(4);
  owner.Reset(5);
  *owner.Receive() = 6;
  EXPECT_EQ(closed, (std::vector<int>{4, 5}));
  EXPECT_EQ(owner.Get(), 6);
  owner.Reset();
  owner.Reset();
  { Owner none; }
  EXPECT_EQ(closed, (std::vector<int>{4, 5, 6})) << "no handle is never closed";
}

TEST_F(UniqueHandleTest, ZeroIsAHandleWhenNoneIsAnotherValue) {
  { Owner zero(0); }
  EXPECT_EQ(closed, std::vector<int>{0});
}
}  // namespace
