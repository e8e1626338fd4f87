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
    kept = std::move(first);  // closes what it held
    Owner& same = kept;
    kept = std::move(same);  // a move onto itself keeps the handle
    EXPECT_FALSE(first);
    EXPECT_EQ(kept.Release(), 7);
    kept.Reset(4);
    *kept.Receive() = 6;
    kept.Reset();
    kept.Reset();
  }
  // Zero is a handle when "none" is another value.
  EXPECT_EQ(closed, (std::vector<int>{1, 4, 6, 0}));
}
