// The one owner of handles: each handle it takes is closed exactly once, whatever
// moves, releases and resets happen in between, and "no handle" is never closed.
#include <gtest/gtest.h>

#include <vector>

#include "platform/UniqueHandle.h"

namespace {
std::vector<int> closed;
void Close(int handle) { closed.push_back(handle); }
using Owner = platform::UniqueHandle<platform::ClosedBy<int, &Close, -1>>;
}  // namespace

TEST(UniqueHandleTest, ClosesEachHandleOnceAcrossMovesReleasesAndResets) {
  closed.clear();
  {
    Owner first(7), kept(1), zero(0), none;
    Owner second(std::move(first));
    kept = std::move(second);  // closes what it held
    Owner& same = kept;
    kept = std::move(same);  // a move onto itself keeps the handle
    EXPECT_FALSE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(kept.Get(), 7);
    EXPECT_EQ(closed, std::vector<int>{1});
    EXPECT_EQ(kept.Release(), 7);
    EXPECT_FALSE(kept);
    kept.Reset(4);
    kept.Reset(5);
    *kept.Receive() = 6;
    EXPECT_EQ(kept.Get(), 6);
    kept.Reset();
    kept.Reset();
  }
  // Zero is a handle when "none" is another value.
  EXPECT_EQ(closed, (std::vector<int>{1, 4, 5, 6, 0}));
}
