// Editing the flags text of a compatibility-list value.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "compat/CompatFlags.h"

namespace {
const std::string kDpi = "HIGHDPIAWARE";
const std::string kAdmin = "RUNASADMIN";
}  // namespace

TEST(CompatFlagsTest, AddAppendsAfterOneBlankWithNoneInFront) {
  struct Case {
    std::string flags, flag, added;
  };
  const Case cases[] = {
      {"", kDpi, "HIGHDPIAWARE"},
      {kDpi, kAdmin, "HIGHDPIAWARE RUNASADMIN"},
      {"highdpiaware", kDpi, "highdpiaware HIGHDPIAWARE"},   // other case is another word
      {" RUNASADMIN", kDpi, "RUNASADMIN HIGHDPIAWARE"},      // a leading blank is dropped
      {"  RUNASADMIN", kDpi, " RUNASADMIN HIGHDPIAWARE"},    // ... only one of them
      {"WINXPSP3 ", kDpi, "WINXPSP3  HIGHDPIAWARE"},         // a trailing blank is kept
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddFlagToText(c.flags, c.flag), std::optional<std::string>(c.added))
        << "[" << c.flags << "] + " << c.flag;
  }
}

TEST(CompatFlagsTest, AddRefusesAFlagPresentAnywhereInTheText) {
  const std::string present[] = {
      "HIGHDPIAWARE", "RUNASADMIN HIGHDPIAWARE", "~ HIGHDPIAWARE WINXPSP3",
      "XHIGHDPIAWAREX",  // inside another word still counts
  };
  for (const std::string& flags : present) {
    EXPECT_TRUE(FlagPresent(flags, kDpi)) << flags;
    EXPECT_EQ(AddFlagToText(flags, kDpi), std::nullopt) << flags;
  }
  EXPECT_FALSE(FlagPresent("HighDpiAware", kDpi));
  EXPECT_FALSE(FlagPresent("HIGHDPI AWARE", kDpi));
}

TEST(CompatFlagsTest, RemoveDeletesEveryOccurrenceAndTidiesBlanks) {
  struct Case {
    std::string flags, flag, left;
  };
  const Case cases[] = {
      {"HIGHDPIAWARE RUNASADMIN", kAdmin, "HIGHDPIAWARE"},
      {"HIGHDPIAWARE RUNASADMIN", kDpi, " RUNASADMIN"},  // the leading blank stays
      {"HIGHDPIAWARE", kDpi, ""},
      {"HIGHDPIAWARE RUNASADMIN HIGHDPIAWARE", kDpi, " RUNASADMIN"},
      {"HIGHDPIAWAREHIGHDPIAWARE", kDpi, ""},
      {"A HIGHDPIAWARE B", kDpi, "A B"},
      {"XHIGHDPIAWAREX", kDpi, "XX"},                    // removed from inside a word too
      {"highdpiaware", kDpi, "highdpiaware"},            // exact case only
      // One pass: removing does not bring two halves together into a new occurrence.
      {"HIGHHIGHDPIAWAREDPIAWARE", kDpi, "HIGHDPIAWARE"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RemoveFlagFromText(c.flags, c.flag), c.left) << "[" << c.flags << "] - " << c.flag;
  }
}

TEST(CompatFlagsTest, RemoveCollapsesBlankPairsInOnePassEvenWhenTheFlagIsAbsent) {
  struct Case {
    std::string flags, left;
  };
  const Case cases[] = {
      {"WIN95  RUNASADMIN", "WIN95 RUNASADMIN"},
      {"WIN95   RUNASADMIN", "WIN95  RUNASADMIN"},    // three blanks become two
      {"WIN95    RUNASADMIN", "WIN95  RUNASADMIN"},   // four become two
      {"WIN95 ", "WIN95"},                            // one trailing blank dropped
      {"WIN95   ", "WIN95 "},                         // three: two, then one dropped
      {"  WIN95", " WIN95"},                          // leading pair collapses, blank stays
      {" ", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RemoveFlagFromText(c.flags, kDpi), c.left) << "[" << c.flags << "]";
  }
}

TEST(CompatFlagsTest, AnEmptyFlagChangesNothing) {
  EXPECT_EQ(AddFlagToText("WIN95", ""), std::nullopt);
  EXPECT_EQ(RemoveFlagFromText("WIN95", ""), "WIN95");
}
