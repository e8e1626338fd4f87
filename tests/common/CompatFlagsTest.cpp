// Editing the flags text of a compatibility-list value.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "compat/CompatFlags.h"

TEST(CompatFlagsTest, AddAppendsAfterOneBlankUnlessTheFlagIsAlreadyInTheText) {
  EXPECT_EQ(AddFlagToText("  WIN95", "HIGHDPIAWARE"), " WIN95 HIGHDPIAWARE");  // one leading blank goes
  EXPECT_EQ(AddFlagToText("XHIGHDPIAWAREX", "HIGHDPIAWARE"), std::nullopt);  // inside another word counts
}

// Every occurrence goes, in one pass; then blank pairs collapse, also in one pass, and
// one trailing blank is dropped, whether or not the flag was there.
TEST(CompatFlagsTest, RemoveDeletesEveryOccurrenceAndTidiesBlanks) {
  const std::pair<std::string, std::string> cases[] = {
      {"HIGHDPIAWARE RUNASADMIN", " RUNASADMIN"},  // the leading blank stays
      {"A HIGHDPIAWARE B HIGHDPIAWARE", "A B"},
      {"HIGHHIGHDPIAWAREDPIAWARE", "HIGHDPIAWARE"},  // the halves are not searched again
      {"WIN95    RUNASADMIN   ", "WIN95  RUNASADMIN "},
  };
  for (const auto& [text, left] : cases) EXPECT_EQ(RemoveFlagFromText(text, "HIGHDPIAWARE"), left) << text;
}
