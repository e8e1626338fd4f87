// Editing the flags text of a compatibility-list value.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "compat/CompatFlags.h"

namespace {
const std::string kDpi = "HIGHDPIAWARE";
}  // namespace

TEST(CompatFlagsTest, AddAppendsAfterOneBlankUnlessTheFlagIsAlreadyInTheText) {
  struct Case { std::string flags, flag; std::optional<std::string> added; };
  const Case cases[] = {
      {"", kDpi, "HIGHDPIAWARE"},
      {"highdpiaware", kDpi, "highdpiaware HIGHDPIAWARE"},  // other case is another word
      {"  RUNASADMIN", kDpi, " RUNASADMIN HIGHDPIAWARE"},   // only one leading blank is dropped
      {"WINXPSP3 ", kDpi, "WINXPSP3  HIGHDPIAWARE"},        // a trailing blank is kept
      {"XHIGHDPIAWAREX", kDpi, std::nullopt},  // inside another word still counts
      {"WIN95", "", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddFlagToText(c.flags, c.flag), c.added) << "[" << c.flags << "] + " << c.flag;
    EXPECT_EQ(FlagPresent(c.flags, c.flag), !c.added) << "[" << c.flags << "] + " << c.flag;
  }
}

// Every occurrence goes, in one pass; then blank pairs collapse, also in one pass, and
// one trailing blank is dropped, whether or not the flag was there.
TEST(CompatFlagsTest, RemoveDeletesEveryOccurrenceAndTidiesBlanks) {
  struct Case { std::string flags, left; };
  const Case cases[] = {
      {"HIGHDPIAWARE RUNASADMIN", " RUNASADMIN"},  // the leading blank stays
      {"A HIGHDPIAWARE B HIGHDPIAWARE", "A B"},
      {"HIGHHIGHDPIAWAREDPIAWARE", "HIGHDPIAWARE"},  // the halves are not searched again
      {"WIN95    RUNASADMIN", "WIN95  RUNASADMIN"},
      {"WIN95   ", "WIN95 "},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RemoveFlagFromText(c.flags, kDpi), c.left) << "[" << c.flags << "]";
  EXPECT_EQ(RemoveFlagFromText("WIN95", ""), "WIN95");
}
